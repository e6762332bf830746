#include "links/frm_reference_batch.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "frame/id_list.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/database_error.h"
#include "host/decimal_text.h"
#include "host/message_box.h"
#include "links/memo_book.h"
#include "links/memo_texts.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::links {

namespace {

using frame::SqlNumber;
namespace mb = host::mb;
namespace texts = memo_texts;

bool Refuse(const std::string& text) {
  frame::Msg(text, mb::kExclamation, texts::kTitleInformation);
  return false;
}

std::string RowText(int row, const char* rest) {
  return "第" + std::to_string(row) + rest;
}

// Half to even at 2 places, reading the double as its 15 significant digits first.
double RoundHalfEven2(double value) {
  char digits[64];
  std::snprintf(digits, sizeof digits, "%.15g", value * 100);
  return std::nearbyint(std::strtod(digits, nullptr)) / 100;
}

// The lines of a row's selection, as a condition on VoucherDetail.
std::string SelectionTerms(long voucher_id, long account_id, int direction,
                           const std::string& selection) {
  if (selection == texts::kAll) {
    return " And VoucherDetail.lngVoucherID = " + SqlNumber(voucher_id) +
           " And VoucherDetail.lngAccountID = " + SqlNumber(account_id) +
           " And VoucherDetail.intDirection = " + SqlNumber(direction);
  }
  std::vector<std::int64_t> ids;
  for (const std::string& item : frame::SplitList(selection)) {
    if (auto id = host::ParseWhole(item, 1, 2147483647)) ids.push_back(*id);
  }
  return " And VoucherDetail.lngVoucherID = " + SqlNumber(voucher_id) +
         " And VoucherDetail.lngVoucherDetailID in (" +
         (ids.empty() ? std::string("0") : frame::JoinIds(ids)) + ")";
}

double SelectedTotal(long voucher_id, long account_id, int direction,
                     const std::string& selection) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select nvl(Sum(VoucherDetail.dblAmount),0) As dblAmount From VoucherDetail Where 1=1" +
      SelectionTerms(voucher_id, account_id, direction, selection));
  return voucher::RoundTo(rs["dblAmount"].AsDouble(), 2);
}

bool Opposite(double a, double b) {
  return (a > 0 && b < 0) || (a < 0 && b > 0);
}

}  // namespace

std::vector<double> ProportionalSplit(double amount, const std::vector<double>& lines) {
  double total = 0;
  for (double line : lines) total += line;
  std::vector<double> shares;
  double given = 0;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    shares.push_back(total == 0 ? 0 : RoundHalfEven2(amount / total * lines[i]));
    given += shares.back();
  }
  if (!lines.empty()) shares.push_back(voucher::RoundTo(amount - given, 2));
  return shares;
}

// ---- The batch window ------------------------------------------------------------------------

bool frmReferenceBatch::Load(long voucher_id) {
  state_ = {};
  state_.voucher_id = voucher_id;
  host::DataAccess& data = frame::Data();
  const std::string voucher = SqlNumber(voucher_id);
  host::Recordset header = data.OpenRecordset(
      " Select Max(Voucher.strDate) As strDate, Max((LTRIM(VoucherType.strVoucherTypeCode)  ||  "
      "' - '  ||  LPAD(VOUCHER.INTVOUCHERNO,6,'0'))) As strVoucherNo, VoucherDetail.intDirection "
      "From Voucher, VoucherDetail, VoucherType, Account Where Voucher.lngVoucherID = "
      "VoucherDetail.lngVoucherID And Voucher.lngVoucherTypeID = VoucherType.lngVoucherTypeID "
      "And VoucherDetail.lngAccountID = Account.lngAccountID And Voucher.lngVoucherID = " +
      voucher + " And Account.blnIsReference = 1 Group By VoucherDetail.intDirection");
  if (header.Empty()) return Refuse(texts::kNoMemoLine);
  state_.date = header["strDate"].AsText();
  state_.voucher_no = header["strVoucherNo"].AsText();

  host::Recordset rows = data.OpenRecordset(
      "Select VoucherDetail.lngAccountID, VoucherDetail.intDirection, Max(Account.strAccountCode "
      "|| ' ' || Account.strAccountName) As 备查科目, Max(RefAccount.lngReferenceID) As "
      "lngReferenceID, Max(Reference.strReferenceCode || ' ' || Reference.strReferenceName) As "
      "备查项目, Sum(Decode(VoucherDetail.intDirection, 1, VoucherDetail.dblAmount, 0)) As "
      "凭证借方金额, Sum(Decode(VoucherDetail.intDirection, -1, VoucherDetail.dblAmount, 0)) As "
      "凭证贷方金额 From VoucherDetail, Account, (Select rfa.lngAccountID, "
      "Max(rfa.lngReferenceID) As lngReferenceID From ReferenceAccount rfa Group By "
      "rfa.lngAccountID Having Count(*) = 1) RefAccount, Reference Where "
      "VoucherDetail.lngAccountID = RefAccount.lngAccountID(+) And RefAccount.lngReferenceID = "
      "Reference.lngReferenceID(+) And VoucherDetail.lngAccountID = Account.lngAccountID And "
      "Account.blnIsReference = 1 And VoucherDetail.lngVoucherID = " +
      voucher +
      " Group By VoucherDetail.lngAccountID, VoucherDetail.intDirection Order By 备查科目, "
      "VoucherDetail.intDirection Desc");
  for (; !rows.Eof(); rows.MoveNext()) {
    ReferenceBatchRow row;
    row.account_id = static_cast<long>(rows["lngAccountID"].AsLong());
    row.direction = static_cast<int>(rows["intDirection"].AsLong());
    row.account_text = rows["备查科目"].AsText();
    row.reference_id = static_cast<long>(rows["lngReferenceID"].AsLong());
    row.item_text = rows["备查项目"].AsText();
    row.debit = rows["凭证借方金额"].AsDouble();
    row.credit = rows["凭证贷方金额"].AsDouble();
    row.registered =
        data.OpenRecordset(
                "Select nvl(Sum(r.dblAmount),0) As dblAmount From RVoucherDetail r, "
                "VoucherDetail Where r.lngVoucherDetailID = VoucherDetail.lngVoucherDetailID" +
                SelectionTerms(voucher_id, row.account_id, row.direction, texts::kAll))["dblAmount"]
            .AsDouble();
    state_.rows.push_back(row);
  }
  return true;
}

bool frmReferenceBatch::ShowMe(long voucher_id) {
  try {
    if (!Load(voucher_id)) return false;
  } catch (const host::DatabaseError& e) {
    frame::Msg(std::string(texts::kFailed) + e.what(), mb::kCritical, texts::kBatchCaption);
    return false;
  }
  frame::Login().base_class->Modal().RunModal(*this);
  return state_.saved;
}

bool frmReferenceBatch::ChooseLines(int row) {
  ReferenceBatchRow& r = At(row);
  const std::optional<double> amount = host::ParseDecimal(r.amount_text);
  frmSelectReferenceLines dialog;
  try {
    const std::string chosen = dialog.ShowMe(state_.voucher_id, r.account_id, r.direction,
                                             r.selection, amount.value_or(0));
    if (chosen == r.selection) return false;
    r.selection = chosen;
    return true;
  } catch (const host::DatabaseError& e) {
    frame::Msg(std::string(texts::kFailed) + e.what(), mb::kCritical, texts::kSelectCaption);
    return false;
  }
}

void frmReferenceBatch::Allocate(const ReferenceBatchRow& row, double amount) {
  host::DataAccess& data = frame::Data();
  const std::string terms =
      SelectionTerms(state_.voucher_id, row.account_id, row.direction, row.selection);
  data.Execute(
      " Delete RVoucherDetail rvd Where Exists ( Select 1 From VoucherDetail  Where "
      "VoucherDetail.lngVoucherDetailID = rvd.lngVoucherDetailID " +
      terms + ")");
  host::Recordset lines = data.OpenRecordset(
      " Select * From Voucher,VoucherDetail Where Voucher.lngVoucherID = "
      "VoucherDetail.lngVoucherID " +
      terms + " Order By abs(VoucherDetail.dblAmount)");
  std::vector<double> amounts;
  for (std::size_t i = 0; i < lines.RecordCount(); ++i) {
    amounts.push_back(lines.At(i, "dblAmount").AsDouble());
  }
  const std::vector<double> shares = ProportionalSplit(amount, amounts);
  const long operator_id = frame::OperatorId();
  for (lines.MoveFirst(); !lines.Eof(); lines.MoveNext()) {
    data.Execute(
        InsertRegistrationSql(frame::Context().NextId("RVoucherDetail"), LineCopy::From(lines),
                              static_cast<long>(lines["lngVoucherDetailID"].AsLong()), 1,
                              row.reference_id, shares[lines.Position()], operator_id, false));
  }
}

bool frmReferenceBatch::Save() {
  try {
    std::vector<std::pair<std::size_t, double>> work;
    for (std::size_t i = 0; i < state_.rows.size(); ++i) {
      const ReferenceBatchRow& r = state_.rows[i];
      if (r.amount_text.empty()) continue;
      const int n = static_cast<int>(i + 1);
      std::optional<double> amount = host::ParseDecimal(r.amount_text);
      if (amount) amount = voucher::RoundEntered(*amount, 2);
      if (!amount) return Refuse(RowText(n, texts::kBatchBadAmount));
      const double total = SelectedTotal(state_.voucher_id, r.account_id, r.direction, r.selection);
      if (std::fabs(*amount) > std::fabs(total)) return Refuse(RowText(n, texts::kBatchOverAmount));
      if (Opposite(*amount, total)) return Refuse(texts::kWrongDirection);
      if (r.reference_id == 0) return Refuse(texts::kNeedItem);
      work.emplace_back(i, *amount);
    }
    host::TransactionGuard guard(frame::Data());
    for (const auto& [index, amount] : work) Allocate(state_.rows[index], amount);
    guard.Commit();
    state_.saved = state_.saved || !work.empty();
    return true;
  } catch (const host::DatabaseError& e) {
    frame::Msg(std::string(texts::kFailed) + e.what(), mb::kCritical, texts::kBatchCaption);
    return false;
  }
}

// ---- The selection dialog --------------------------------------------------------------------

const std::vector<std::string>& frmSelectReferenceLines::Columns() {
  static const std::vector<std::string> columns = {
      "摘要", "科目", "借方金额", "贷方金额", "单位", "部门", "职员", "统计", "项目", "弹性项目"};
  return columns;
}

bool frmSelectReferenceLines::Load(long voucher_id, long account_id, int direction,
                                   const std::string& current) {
  lines_.clear();
  constexpr const char* kFormat = "'999,999,999,999,999,990.00'";
  host::Recordset rs = frame::Data().OpenRecordset(
      std::string("Select VoucherDetail.lngVoucherDetailID, VoucherDetail.dblAmount, "
                  "VoucherDetail.strRemark, Account.strAccountCode || ' ' || "
                  "Account.strAccountName, Decode(VoucherDetail.intDirection, 1, "
                  "Decode(VoucherDetail.dblAmount, 0, '', To_Char(VoucherDetail.dblAmount, ") +
      kFormat +
      ")), ''), Decode(VoucherDetail.intDirection, -1, Decode(VoucherDetail.dblAmount, 0, '', "
      "To_Char(VoucherDetail.dblAmount, " +
      kFormat +
      ")), ''), Customer.strCustomerName, Department.strDepartmentName, "
      "Employee.strEmployeeName, Class1.strClassName, Class2.strClassName, "
      "VoucherDetail.strFlexibleId From VoucherDetail, Account, Customer, Department, Employee, "
      "Class1, Class2 Where VoucherDetail.lngAccountID = Account.lngAccountID And "
      "VoucherDetail.lngCustomerID = Customer.lngCustomerID(+) And VoucherDetail.lngDepartmentID "
      "= Department.lngDepartmentID(+) And VoucherDetail.lngEmployeeID = "
      "Employee.lngEmployeeID(+) And VoucherDetail.lngClassID1 = Class1.lngClassID(+) And "
      "VoucherDetail.lngClassID2 = Class2.lngClassID(+)" +
      SelectionTerms(voucher_id, account_id, direction, texts::kAll) +
      " Order By VoucherDetail.lngRowID");
  const std::vector<std::string> chosen = frame::SplitList(current);
  for (; !rs.Eof(); rs.MoveNext()) {
    SelectableLine line;
    line.line_id = static_cast<long>(rs[0].AsLong());
    line.amount = rs[1].AsDouble();
    line.ticked = current == texts::kAll ||
                  std::find(chosen.begin(), chosen.end(), rs[0].AsText()) != chosen.end();
    for (std::size_t c = 2; c < rs.FieldCount(); ++c) {
      // To_Char pads the number to its format's width.
      std::string text = rs[c].AsText();
      text.erase(0, text.find_first_not_of(' ') == std::string::npos ? text.size()
                                                                     : text.find_first_not_of(' '));
      line.cells.push_back(std::move(text));
    }
    lines_.push_back(std::move(line));
  }
  result_ = current;
  return true;
}

std::string frmSelectReferenceLines::ShowMe(long voucher_id, long account_id, int direction,
                                            const std::string& current, double to_allocate) {
  to_allocate_ = to_allocate;
  Load(voucher_id, account_id, direction, current);
  frame::Login().base_class->Modal().RunModal(*this);
  return result_;
}

bool frmSelectReferenceLines::Confirm() {
  double total = 0;
  std::vector<std::int64_t> ids;
  for (const SelectableLine& line : lines_) {
    if (!line.ticked) continue;
    total += line.amount;
    ids.push_back(line.line_id);
  }
  total = voucher::RoundTo(total, 2);
  if (Opposite(total, to_allocate_)) return Refuse(texts::kWrongDirection);
  if (std::fabs(total) < std::fabs(to_allocate_)) return Refuse(texts::kSelectionShort);
  result_ = ids.size() == lines_.size() ? std::string(texts::kAll) : frame::JoinIds(ids);
  return true;
}

}  // namespace lumvoucher::links
