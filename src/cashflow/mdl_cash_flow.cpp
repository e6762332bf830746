#include "cashflow/mdl_cash_flow.h"

#include "cashflow/cash_flow_texts.h"
#include "frame/login_state.h"
#include "frame/operation_log.h"
#include "frame/organization_view.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "host/cls_business_pub.h"
#include "host/database_error.h"
#include "host/read_scope.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::cashflow {

namespace {

using frame::SqlNumber;

struct Options {
  bool prompt = false;
  bool must_assign = false;
  bool ignore_transfer = false;
};

Options& Current() {
  static Options options;
  return options;
}

bool ReadOption(const char* key) {
  host::Recordset rs = host::OpenRemembered(
      frame::Data(), std::string("SELECT strSetting FROM Setting WHERE strSection='") +
                         texts::kSectionAccountSet + "' AND strKey=" + frame::SqlText(key) +
                         " and lngOrganizationID=" + SqlNumber(frame::OrganizationId()));
  return !rs.Empty() && frame::IsTrueSetting(rs["strSetting"].AsText());
}

bool Failed(const host::DatabaseError& error, std::string& message) {
  message = std::string(texts::kCheckFailed) + error.what();
  return false;
}

// The voucher's lines whose account is a cash account, in row order.
std::string CashLinesSql(long voucher_id) {
  return "Select vd.lngVoucherDetailID From VoucherDetail vd, " + AccountView() +
         " Where vd.lngAccountID = Account.lngAccountID And Account.blnIsCash = 1 And "
         "vd.lngVoucherID = " +
         SqlNumber(voucher_id) + " Order By vd.lngRowID";
}

// The voucher's cash lines on one side, as a sub-query of (line, amount) or of their sum.
std::string CashSideSql(long voucher_id, int direction, const std::string& columns) {
  return "(Select " + columns + " From VoucherDetail vd, " + AccountView() +
         " Where vd.lngAccountID = Account.lngAccountID And vd.intDirection = " +
         SqlNumber(direction) +
         " And Account.blnIsCash = 1 And vd.lngVoucherID = " + SqlNumber(voucher_id) + ")";
}

}  // namespace

std::string AccountView() {
  return frame::OrganizationExtendedView("Account", "Account", frame::OrganizationId()) +
         " Account";
}

void LoadCashFlowOptions() {
  Options options;
  options.prompt = ReadOption(texts::kKeyPromptCashFlow);
  options.must_assign = ReadOption(texts::kKeyCashFlowMustAssign);
  options.ignore_transfer = ReadOption(texts::kKeyIgnoreCashTransfer);
  if (options.must_assign) options.prompt = true;
  Current() = options;
}

bool blnPromptCashFlow() {
  return Current().prompt;
}
bool blnCashFlowMustAssign() {
  return Current().must_assign;
}
bool blnIgnoreCashTransfer() {
  return Current().ignore_transfer;
}

bool GetCashFlowAccSetting(long lngAccountID, bool& blnInOutAssign, bool& blnNotMustAssign) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select * From CashFlowAccSetting Where lngOrganizationID = " +
      SqlNumber(frame::OrganizationId()) + " And lngAccountID = " + SqlNumber(lngAccountID));
  blnInOutAssign = !rs.Empty() && rs["blnInOutAssign"].AsBool();
  blnNotMustAssign = !rs.Empty() && rs["blnNotMustAssign"].AsBool();
  return !rs.Empty();
}

bool CheckLineCashFlowAmount(long lngVoucherDetailID, std::string& strMessage) {
  if (lngVoucherDetailID == 0) return true;
  try {
    host::DataAccess& data = frame::Data();
    host::Recordset line = data.OpenRecordset(
        "Select lngAccountID, dblAmount From VoucherDetail Where "
        "lngVoucherDetailID = " +
        SqlNumber(lngVoucherDetailID));
    if (line.Empty()) return false;
    host::Recordset sums = data.OpenRecordset(
        "Select nvl(Sum(Decode(Decode(c.lngCashFlowType, 1, 1, -1), b.intDirection, 1, 0) * "
        "a.dblAmount),0) As dblAssigned1, nvl(Sum(Decode(c.lngCashFlowType, 1, 1, 0) * "
        "a.dblAmount - Decode(c.lngCashFlowType, 2, -1, 0) * a.dblAmount),0) As dblAssigned2 "
        "From VoucherCashFlow a, VoucherDetail b, CashItem c Where a.lngVoucherDetailID = "
        "b.lngVoucherDetailID And a.lngCashItemID = c.lngCashItemID And a.lngVoucherDetailID = " +
        SqlNumber(lngVoucherDetailID));
    bool in_out = false;
    bool not_must = false;
    const bool has_setting =
        GetCashFlowAccSetting(static_cast<long>(line["lngAccountID"].AsLong()), in_out, not_must);
    const double assigned = sums[has_setting ? "dblAssigned1" : "dblAssigned2"].AsDouble();
    // Compared as stored, without rounding: the split must add up to the line exactly.
    if (assigned == line["dblAmount"].AsDouble()) return true;
    strMessage = texts::kLineUnbalanced;
    return false;
  } catch (const host::DatabaseError& e) {
    return Failed(e, strMessage);
  }
}

bool CheckVoucherCashFlowAmounts(long lngVoucherID, std::string& strMessage) {
  if (lngVoucherID == 0) return true;
  try {
    const std::string id = SqlNumber(lngVoucherID);
    const bool every_cash_line = blnCashFlowMustAssign() && !blnIgnoreCashTransfer();
    host::Recordset lines = frame::Data().OpenRecordset(
        every_cash_line ? CashLinesSql(lngVoucherID)
                        : "Select vd.lngVoucherDetailID From VoucherDetail vd Where "
                          "vd.lngVoucherID = " +
                              id +
                              " And Exists (Select 1 From VoucherCashFlow vcf Where "
                              "vcf.lngVoucherDetailID = vd.lngVoucherDetailID) Order By "
                              "vd.lngRowID");
    if (lines.Empty()) return false;
    for (; !lines.Eof(); lines.MoveNext()) {
      if (!CheckLineCashFlowAmount(static_cast<long>(lines["lngVoucherDetailID"].AsLong()),
                                   strMessage)) {
        return false;
      }
    }
    return true;
  } catch (const host::DatabaseError& e) {
    return Failed(e, strMessage);
  }
}

bool IsVoucherCashFlowValid(long lngVoucherID, std::string& strMessage) {
  strMessage.clear();
  return CheckVoucherCashFlowAmounts(lngVoucherID, strMessage) || strMessage.empty();
}

bool AllCashLinesAssigned(long lngVoucherID, std::string& strMessage) {
  if (lngVoucherID < 1) return true;
  try {
    host::Recordset rs = frame::Data().OpenRecordset(
        "Select vd.lngVoucherDetailID From VoucherDetail vd, " + AccountView() +
        " Where vd.lngAccountID = Account.lngAccountID And Account.blnIsCash = 1 And "
        "vd.lngVoucherID = " +
        SqlNumber(lngVoucherID) +
        " And Not Exists (Select 1 From VoucherCashFlow vcf Where vcf.lngVoucherDetailID = "
        "vd.lngVoucherDetailID)");
    if (rs.Empty()) return true;
    strMessage = texts::kNotAllAssigned;
    return false;
  } catch (const host::DatabaseError& e) {
    return Failed(e, strMessage);
  }
}

bool IsCashAccount(long lngAccountID) {
  return !frame::Data()
              .OpenRecordset("Select 1 From " + AccountView() +
                             " Where blnIsCash = 1 And lngAccountID = " + SqlNumber(lngAccountID))
              .Empty();
}

bool IsCashLine(long lngVoucherDetailID) {
  return !frame::Data()
              .OpenRecordset("Select 1 From VoucherDetail, " + AccountView() +
                             " Where VoucherDetail.lngAccountID = Account.lngAccountID And "
                             "Account.blnIsCash = 1 And lngVoucherDetailID = " +
                             SqlNumber(lngVoucherDetailID))
              .Empty();
}

bool CheckCashAccountLine(long lngVoucherDetailID, long lngOrganizationID, long lngOperatorID,
                          std::string_view strCaption) {
  if (IsCashLine(lngVoucherDetailID)) return true;
  frame::WriteLog(frame::LogEntryNow(std::string(strCaption) + texts::kLogError +
                                     SqlNumber(lngOrganizationID) +
                                     ",lngOperatorID=" + SqlNumber(lngOperatorID) +
                                     ",lngVoucherDetailID=" + SqlNumber(lngVoucherDetailID)));
  return false;
}

void PurgeCashFlowRows(long lngVoucherDetailID) {
  host::DataAccess& data = frame::Data();
  const std::string line = SqlNumber(lngVoucherDetailID);
  data.Execute(
      "Delete From VoucherCashFlow vcf Where Exists (Select 1 From VoucherDetail vd, VoucherDetail "
      "me, " +
      AccountView() + " Where me.lngVoucherDetailID = " + line +
      " And vd.lngVoucherID = me.lngVoucherID And vd.lngVoucherDetailID = vcf.lngVoucherDetailID "
      "And vd.lngAccountID = Account.lngAccountID And Account.lngOrganizationID = " +
      SqlNumber(frame::OrganizationId()) + " And Account.blnIsCash = 0)");
  data.Execute("Delete From VoucherCashFlow Where lngVoucherDetailID = " + line +
               " And Not Exists (Select 1 From VoucherDetail Where lngVoucherDetailID = " + line +
               ")");
}

bool CanAssignCashFlow(long lngVoucherID) {
  host::clsBusinessPub& business = *frame::Login().business_pub;
  if (business.HasRight(rights::kAssignAny)) return true;
  if (!business.HasRight(rights::kAssign)) return false;
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select lngOperatorID From Voucher Where lngVoucherID = " + SqlNumber(lngVoucherID));
  const long maker = rs.Empty() ? 0 : static_cast<long>(rs["lngOperatorID"].AsLong());
  return maker == 0 || maker == frame::OperatorId();
}

CashTransfer CashTransferExemption(long lngVoucherID) {
  CashTransfer result;
  host::DataAccess& data = frame::Data();
  host::Recordset net = data.OpenRecordset(
      "Select dblDebitAmount-dblCreditAmount as dblAmount From " +
      CashSideSql(lngVoucherID, 1, "Sum(vd.dblAmount) as dblDebitAmount") + " a, " +
      CashSideSql(lngVoucherID, -1, "Sum(vd.dblAmount) as dblCreditAmount") + " b");
  // Without cash lines on one side the difference is null: nothing nets out.
  if (!net.Empty() && !net["dblAmount"].IsNull() &&
      voucher::RoundTo(net["dblAmount"].AsDouble(), frame::Context().AmountDecimals()) == 0) {
    result.passes = true;
    return result;
  }
  host::Recordset pairs = data.OpenRecordset(
      "Select a.lngVoucherDetailID As lngDebitID, b.lngVoucherDetailID As lngCreditID From " +
      CashSideSql(lngVoucherID, 1, "vd.lngVoucherDetailID, vd.dblAmount") + " a, " +
      CashSideSql(lngVoucherID, -1, "vd.lngVoucherDetailID, vd.dblAmount") +
      " b Where a.dblAmount = b.dblAmount");
  for (; !pairs.Eof(); pairs.MoveNext()) {
    result.skip.insert(static_cast<long>(pairs["lngDebitID"].AsLong()));
    result.skip.insert(static_cast<long>(pairs["lngCreditID"].AsLong()));
  }
  return result;
}

}  // namespace lumvoucher::cashflow
