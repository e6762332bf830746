#pragma once

#include <set>
#include <string>
#include <string_view>

// mdlCashFlow: the account-set options that decide whether vouchers must carry complete
// cash-flow splits, and the checks every window shares (the balance rule of one line, of a
// voucher, the cash-transfer exemption, the rights). Every query is the system's Oracle text over
// the current organisation's view of the accounts.
//
// The checks that answer a message (strMessage) turn a database error into false with
// "验证凭证的现金流量分配失败，原因：" + the error's text; the others let host::DatabaseError
// through to the command that called them.
namespace lumvoucher::cashflow {

// Rights (clsBusinessPub::HasRight).
namespace rights {
inline constexpr long kAssign = 1727;        // assign cash flow on one's own vouchers
inline constexpr long kAssignAny = 2474;     // on any voucher
inline constexpr long kMaintainItems = 460;  // add, modify, delete cash-flow items
}  // namespace rights

// Flow types of CashItem.lngCashFlowType.
inline constexpr int kInflowType = 1;
inline constexpr int kOutflowType = 2;
inline constexpr int kNetType = 3;

// Reads the three options of the current organisation (a missing row is off); setting
// blnCashFlowMustAssign forces blnPromptCashFlow on. The flags are kept until the next call.
void LoadCashFlowOptions();
bool blnPromptCashFlow();
bool blnCashFlowMustAssign();
bool blnIgnoreCashTransfer();

// The account's CashFlowAccSetting row of the current organisation: true with both flags when
// there is one, else false with both flags false.
bool GetCashFlowAccSetting(long lngAccountID, bool& blnInOutAssign, bool& blnNotMustAssign);

// The balance rule of one stored line; a line id of 0 answers true.
bool CheckLineCashFlowAmount(long lngVoucherDetailID, std::string& strMessage);
// The balance rule over the voucher's lines that carry rows (with blnCashFlowMustAssign on and
// blnIgnoreCashTransfer off: over every cash line). True only when at least one line was
// examined and each balances; stops at the first that does not. Voucher 0 answers true.
bool CheckVoucherCashFlowAmounts(long lngVoucherID, std::string& strMessage);
// True when the amounts check passes or left no message.
bool IsVoucherCashFlowValid(long lngVoucherID, std::string& strMessage);
// False, with "凭证未完全进行现金流量分配", when some cash line of the voucher has no row.
bool AllCashLinesAssigned(long lngVoucherID, std::string& strMessage);

// Whether the line's account is a cash account; when it is not, the `log` table gets
// strCaption + " 错误. lngOrganizationID=..,lngOperatorID=..,lngVoucherDetailID=..".
bool CheckCashAccountLine(long lngVoucherDetailID, long lngOrganizationID, long lngOperatorID,
                          std::string_view strCaption);
// Whether the account is a cash or cash-equivalent account in the organisation's view, and
// whether a stored line's account is one.
bool IsCashAccount(long lngAccountID);
bool IsCashLine(long lngVoucherDetailID);

// Removes the rows that no longer belong to a cash line: those of every line of the same
// voucher whose account is not (or no longer) a cash account, and this line's own rows when
// the line itself is gone.
void PurgeCashFlowRows(long lngVoucherDetailID);

// Right 2474, or right 1727 on a voucher the current operator made (or one not yet stored).
bool CanAssignCashFlow(long lngVoucherID);

// The cash-transfer exemption of a stored voucher: `passes` when its debit and credit cash
// lines add up to the same amount; otherwise `skip` holds every debit and credit cash line that
// has a line of the same amount on the other side.
struct CashTransfer {
  bool passes = false;
  std::set<long> skip;
};
CashTransfer CashTransferExemption(long lngVoucherID);

// The text of the organisation's view of the accounts, aliased Account, for a From list.
std::string AccountView();

}  // namespace lumvoucher::cashflow
