#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "host/cls_business_pub.h"
#include "host/login_context.h"
#include "host/period_service.h"
#include "host/voucher_basis.h"
#include "host/voucher_business_service.h"

namespace lumvoucher::embedded {

// The reasons the voucher business service gives for a refusal. The closed-period texts are
// the batch dialog's own, one per operation.
namespace voucher_business_texts {
inline constexpr const char* kVoucherMissing = "凭证不存在！";
inline constexpr const char* kDatabaseFailure = "数据库操作失败：";

inline constexpr const char* kClosedReview = "凭证已经结账，不能复核！";
inline constexpr const char* kClosedCancelReview = "凭证已经结账，不能取消复核！";
inline constexpr const char* kClosedPost = "凭证已经结账，不能记账！";
inline constexpr const char* kClosedCancelPost = "凭证已经结账，不能取消记账！";
inline constexpr const char* kClosedSign = "凭证已经结账，不能对其进行出纳签字！";
inline constexpr const char* kClosedCancelSign = "凭证已经结账，不能取消签字！";
inline constexpr const char* kClosedDelete = "凭证已经结账，不能删除凭证！";
inline constexpr const char* kClosedVoid = "当前会计期间已经结账，不能再作废凭证！";

inline constexpr const char* kVoidReview = "凭证已作废，不能复核！";
inline constexpr const char* kErrorReview = "错误凭证不能复核！";
inline constexpr const char* kAlreadyReviewed = "凭证已复核！";
inline constexpr const char* kOwnVoucherReview = "制单人与复核人不能为同一人！";
inline constexpr const char* kNoReviewRight = "您没有凭证复核权限！";
inline constexpr const char* kSignBeforeReview = "出纳凭证须先由出纳签字，才能复核！";

inline constexpr const char* kErrorCancelReview = "错误凭证不能取消复核！";
inline constexpr const char* kNotReviewed = "凭证尚未复核！";
inline constexpr const char* kPostedCancelReview = "凭证已记账，不能取消复核！";
inline constexpr const char* kOnlyReviewer = "只有复核人本人才能取消复核！";

inline constexpr const char* kVoidSign = "凭证已作废，不能出纳签字！";
inline constexpr const char* kErrorSign = "错误凭证不能出纳签字！";
inline constexpr const char* kNoCashLines = "凭证没有现金银行科目分录，不能进行出纳签字！";
inline constexpr const char* kAlreadySigned = "凭证已出纳签字！";
inline constexpr const char* kNoSignRight = "您没有出纳签字权限！";

inline constexpr const char* kNotSigned = "凭证尚未出纳签字！";
inline constexpr const char* kOnlySigner = "只有签字的出纳本人才能取消签字！";
inline constexpr const char* kReviewedCancelSign = "凭证已复核，不能取消签字！";
inline constexpr const char* kPostedCancelSign = "凭证已记账，不能取消签字！";

inline constexpr const char* kVoidPost = "凭证已作废，不能记账！";
inline constexpr const char* kErrorPost = "错误凭证不能记账！";
inline constexpr const char* kAlreadyPosted = "凭证已记账！";
inline constexpr const char* kNotReviewedPost = "凭证尚未复核，不能记账！";
inline constexpr const char* kNoPostRight = "您没有凭证记账权限！";
inline constexpr const char* kSignBeforePost = "出纳凭证须先由出纳签字，才能记账！";

inline constexpr const char* kNotPosted = "凭证尚未记账！";
inline constexpr const char* kOnlyPoster = "只有记账操作员才能取消记账！";
inline constexpr const char* kReversedCancelPost = "凭证已被冲销，不能取消记账！";

inline constexpr const char* kAlreadyVoid = "凭证已作废！";
inline constexpr const char* kPostedVoid = "凭证已记账，不能作废！";
inline constexpr const char* kReviewedVoid = "凭证已复核，不能作废！";
inline constexpr const char* kOthersVoucherVoid = "不能作废由他人制作的凭证！";
inline constexpr const char* kWrittenOffVoid =
    "该凭证已进行往来核销，不允许作废，如果要进行该操作，请选取消往来核销！";
inline constexpr const char* kConfirmedFundVoid =
    "当前凭证中有资金收付数据，且资金收付的明细数据至少有一条为已确认状态；\n"
    "不允许作废，必须取消确认明细数据，再作废";

inline constexpr const char* kPostedDelete = "该张凭证已记账,不能删除！";
inline constexpr const char* kReviewedDelete = "该张凭证已复核,不能删除！";
inline constexpr const char* kSignedDelete = "该张凭证已出纳签字,不能删除！";
inline constexpr const char* kReversedDelete = "该张凭证已被冲销,不能删除！";
inline constexpr const char* kOthersVoucherDelete = "只能删除本人制作的凭证！";
inline constexpr const char* kOtherOrganizationDelete = "只能删除本机构制作的凭证！";
}  // namespace voucher_business_texts

// Rights (numbers of clsBusinessPub::HasRight) the service asks for.
namespace voucher_rights {
inline constexpr long kReview = 204;
inline constexpr long kReviewGroup = 29;
inline constexpr long kPost = 206;
inline constexpr long kPostGroup = 205;
inline constexpr long kPostOwn = 30;
inline constexpr long kCashierSign = 1725;
inline constexpr long kVoidOthers = 1359;
}  // namespace voucher_rights

// The voucher business service over the vouchers of one basis (Voucher, or BudgetVoucher with
// its lines and chart); the rules are the same on both. The operators of the current
// operator's group (Operator.lngOperatorGroupID, 0 = no group) are the makers whom rights 29
// and 205 cover. Account-set options come from Setting section "帐套属性": "出纳凭证须出纳签字"
// ("True", any case) makes cash/bank vouchers (a line whose account has lngAccountNatureID 1
// or 2) need a signature before review ("出纳签字控制选项" 0) or before posting (1).
//
// The batch forms decide with the same rules over a few set-based statements: the vouchers
// (with their cash/bank and reversal flags) read together in IN lists of 999 ids, each right,
// option, maker's group and period asked once, one UPDATE per 999 accepted vouchers (stamps
// still one per voucher). They run in one transaction: a database error fails every id.
class EmbeddedVoucherBusiness : public host::VoucherBusinessService {
 public:
  EmbeddedVoucherBusiness(host::LoginContext& login, host::clsBusinessPub& business,
                          host::PeriodService& periods,
                          const host::VoucherBasis& basis = host::FinancialBasis())
      : login_(login), business_(business), periods_(periods), basis_(basis) {}

  Result Review(long voucher_id) override;
  Result CancelReview(long voucher_id) override;
  Result Sign(long voucher_id) override;
  Result CancelSign(long voucher_id) override;
  Result Post(long voucher_id, bool stamping) override;
  Result CancelPost(long voucher_id) override;
  Result Void(long voucher_id) override;
  Result Delete(long voucher_id) override;

  std::vector<Result> ReviewMany(const std::vector<long>& voucher_ids) override;
  std::vector<Result> CancelReviewMany(const std::vector<long>& voucher_ids) override;
  std::vector<Result> SignMany(const std::vector<long>& voucher_ids) override;
  std::vector<Result> CancelSignMany(const std::vector<long>& voucher_ids) override;
  std::vector<Result> PostMany(const std::vector<long>& voucher_ids, bool stamping) override;
  std::vector<Result> CancelPostMany(const std::vector<long>& voucher_ids) override;

 private:
  struct VoucherState {
    long id = 0;
    long maker = 0;
    long checker = 0;
    long teller = 0;
    long poster = 0;
    long source_organization = 0;
    long type_id = 0;
    long number = 0;
    int year = 0;
    int period = 0;
    bool is_void = false;
    bool is_error = false;
    std::string date;
    // Read along with the row by the batch forms; unset, they are asked when needed.
    std::optional<bool> cash_bank;
    std::optional<bool> reversed;
  };
  // The status field an operation sets: from `expected` to `value`.
  struct FieldChange {
    const char* field;
    long value;
    long expected;
  };
  // Answers that hold for a whole batch: its transaction holds the write lock.
  struct Memo {
    std::map<long, bool> rights;
    std::map<long, bool> my_group;
    std::map<std::tuple<long, int, int>, bool> closed;
    std::optional<bool> signature_required;
    std::optional<int> signature_step;
  };
  enum class Operation {
    kReview,
    kCancelReview,
    kSign,
    kCancelSign,
    kPost,
    kCancelPost,
    kVoid,
    kDelete
  };

  Result Run(Operation operation, long voucher_id, bool stamping = false);
  std::vector<Result> RunMany(Operation operation, const std::vector<long>& voucher_ids,
                              bool stamping = false);
  std::map<long, VoucherState> LoadMany(Operation operation, const std::vector<long>& voucher_ids);
  void ApplyMany(Operation operation, const std::vector<VoucherState>& accepted, bool stamping);
  FieldChange ChangeOf(Operation operation);
  // The rights the rules of `operation` may ask for.
  static std::vector<long> RightsOf(Operation operation);
  // The reason `operation` is refused, empty when it may go ahead.
  std::string Refusal(Operation operation, const VoucherState& voucher);
  std::string ReviewRefusal(const VoucherState& voucher, bool cancel);
  std::string SignRefusal(const VoucherState& voucher, bool cancel);
  std::string PostRefusal(const VoucherState& voucher, bool cancel);
  std::string VoidRefusal(const VoucherState& voucher);
  std::string DeleteRefusal(const VoucherState& voucher);
  void Apply(Operation operation, const VoucherState& voucher, bool stamping);
  void SetField(const VoucherState& voucher, const char* field, long value, long expected);
  void RemoveVoucher(const VoucherState& voucher);
  void WriteStamp(const VoucherState& voucher);
  void WriteStamp(const VoucherState& voucher, const std::string& secret);
  std::string StampSecret();

  std::optional<VoucherState> Load(long voucher_id);
  long Me() const { return login_.CurrentOperator().id; }
  bool HasRight(long right_id);
  bool PeriodClosed(const VoucherState& voucher);
  bool InMyGroup(long operator_id);
  bool MayReview(const VoucherState& voucher);
  bool MayPost(const VoucherState& voucher);
  bool IsCashBank(const VoucherState& voucher);
  bool IsReversed(const VoucherState& voucher);
  // frame::WrittenOffCondition of the voucher's lines.
  bool IsWrittenOff(long voucher_id, bool settling);
  bool HasConfirmedFundDetail(long voucher_id);
  bool SignatureRequired();
  // "出纳签字控制选项": 0 before review, 1 before posting.
  int SignatureStep();
  long Count(const std::string& sql);
  std::string Lines(long voucher_id) const;

  host::LoginContext& login_;
  host::clsBusinessPub& business_;
  host::PeriodService& periods_;
  const host::VoucherBasis& basis_;
  std::optional<Memo> memo_;  // while a batch form runs
};

}  // namespace lumvoucher::embedded
