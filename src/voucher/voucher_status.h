#pragma once

#include <string>
#include <vector>

#include "host/voucher_basis.h"
#include "voucher/voucher_model.h"

// The rules the voucher window applies around the status commands: which buttons it offers,
// why it refuses to let a stored voucher be changed, the questions before lines go, and the
// facts about a stored voucher those rules read. The state changes themselves (review,
// signature, posting, their cancels, delete) belong to the host's voucher business service,
// which enforces the whole rule again. Queries are the system's Oracle text; database errors
// propagate as host::DatabaseError.
namespace lumvoucher::voucher {

// Rights (clsBusinessPub::HasRight) behind the buttons.
namespace status_rights {
inline constexpr long kReview = 204;
inline constexpr long kReviewGroup = 29;  // vouchers of the operator's group
inline constexpr long kPost = 206;
inline constexpr long kPostGroup = 205;  // vouchers of the operator's group
inline constexpr long kPostOwn = 30;
inline constexpr long kCashierSign = 1725;
inline constexpr long kVoidOthers = 1359;
}  // namespace status_rights

// The three steps whose button caption flips with the voucher's state.
enum class StatusStep { kReview, kSign, kPost };

// Which status commands the window offers for the voucher it shows; the captions say which way
// review, signature and posting go.
struct ButtonFlags {
  bool review = false;  // "复    核(&C)" / "取消复核(&C)"
  bool sign = false;    // "出纳签字(&T)" / "取消签字(&T)"
  bool post = false;    // "记    账(&J)" / "取消记账(&J)"
  bool void_voucher = false;
  bool delete_voucher = false;
  bool reverse = false;
  bool cash_flow = false;  // "现金流量": the operator may assign cash flow on this voucher
};

// The current operator as the buttons see him.
struct OperatorStanding {
  long id = 0;
  // The operators of his group: the makers whom rights 29 and 205 cover.
  std::vector<long> group;
  bool review = false;
  bool review_group = false;
  bool post = false;
  bool post_group = false;
  bool post_own = false;
  bool sign = false;
  bool void_others = false;
};

// The current operator's rights and group, from the host.
OperatorStanding ReadOperatorStanding();
// The operators of the current operator's group as the host hands them over: ids separated by
// blanks ("2 3 4"), empty when he belongs to no group.
std::string GroupOperatorList();

// The buttons for `header` (a stored voucher when its id is not 0). A new voucher and a voucher
// shown for viewing only offer none.
ButtonFlags EnabledButtons(const VoucherHeader& header, bool reversed, bool preview,
                           const OperatorStanding& me);

// The first reason, in the system's order, why `header` may not be changed by operator `me`; ""
// when it may. `may_modify_type` is the operator's right to modify vouchers of its type.
std::string EditRefusal(const VoucherHeader& header, bool period_closed, long me,
                        bool may_modify_type);

// The question before deleting one line (`all_lines` false) or every line of `header`.
std::string DeleteQuestion(const VoucherHeader& header, bool all_lines);

// Whether the stored voucher's period is closed in its own organisation.
bool VoucherPeriodClosed(const VoucherHeader& header);
// Whether the current operator may make (and so modify) vouchers of the type.
bool MayModifyType(long voucher_type_id);

// The facts below read the voucher `voucher_id` of `basis` and its lines.
using host::FinancialBasis;
using host::VoucherBasis;

// A cash/bank voucher: a line whose account has lngAccountNatureID 1 (cash) or 2 (bank).
bool IsCashBankVoucher(long voucher_id, const VoucherBasis& basis = FinancialBasis());
// Written off against receivables/payables: frame::WrittenOffCondition of its lines (`settling`
// for voiding, not for deleting).
bool IsWrittenOff(long voucher_id, bool settling, const VoucherBasis& basis = FinancialBasis());
// A fund receipt/payment detail of its lines is confirmed.
bool HasConfirmedFundDetail(long voucher_id, const VoucherBasis& basis = FinancialBasis());
// The fund receipt/payment allocations of its lines do not add up to the voucher amount (its
// debit total), compared at `decimals` places; false when there are none.
bool FundAllocationDiffers(long voucher_id, int decimals,
                           const VoucherBasis& basis = FinancialBasis());

std::string BankBillsSql(long voucher_id, const VoucherBasis& basis = FinancialBasis());
std::string ReleaseBankBillsSql(long voucher_id, const VoucherBasis& basis = FinancialBasis());
// The vouchers that reverse `voucher_id` and go when it is voided.
std::string ReversalVouchersSql(long voucher_id, const VoucherBasis& basis = FinancialBasis());
std::string ClearMemoSql(long voucher_id, const VoucherBasis& basis = FinancialBasis());

}  // namespace lumvoucher::voucher
