#include "templates/frm_select_std_voucher.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "templates/templates_texts.h"

namespace lumvoucher::templates {

namespace {

namespace mb = host::mb;

std::string Org() {
  return std::to_string(frame::OrganizationId());
}

}  // namespace

bool StdVoucherChooser::Refresh() {
  try {
    std::vector<StdVoucherRow> rows;
    for (host::Recordset rs = frame::Data().OpenRecordset(ListSql()); !rs.Eof(); rs.MoveNext()) {
      rows.push_back(
          {static_cast<long>(rs["ID"].AsLong()), rs["编号"].AsText(), rs["名称"].AsText()});
    }
    rows_ = std::move(rows);
    return true;
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), mb::kCritical, texts::kTitleInformation);
    return false;
  }
}

bool StdVoucherChooser::Choose(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return false;
  try {
    Chosen(rows_[static_cast<std::size_t>(row)]);
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), mb::kCritical, texts::kTitleInformation);
    return false;
  }
  done_ = true;
  return true;
}

bool StdVoucherChooser::Delete(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return false;
  const StdVoucherRow chosen = rows_[static_cast<std::size_t>(row)];
  const std::string label = chosen.number + " " + chosen.name;
  if (frame::Msg(texts::kDeleteHead + label + texts::kDeleteTail, mb::kYesNo | mb::kQuestion,
                 texts::kTitleInformation) != mb::kYes) {
    return false;
  }
  try {
    host::TransactionGuard guard(frame::Data());
    Remove(chosen);
    guard.Commit();
  } catch (const host::DatabaseError&) {
    frame::Msg(texts::kDeleteErrorHead + label + texts::kDeleteErrorTail, mb::kCritical,
               texts::kTitleDeleteError);
    return false;
  }
  Refresh();
  return true;
}

std::string frmSelectStdVoucher::WindowName() const {
  return texts::kSelectWindowName;
}

bool frmSelectStdVoucher::SelectVoucher(bool blnFinance, long& lngStdVoucherID) {
  lngStdVoucherID = 0;
  basis_ = BasisOf(blnFinance);
  chosen_ = 0;
  Reset();
  if (!Refresh()) return false;
  frame::Login().base_class->Modal().RunModal(*this);
  lngStdVoucherID = chosen_;
  return chosen_ != 0;
}

std::string frmSelectStdVoucher::ListSql() const {
  return std::string("SELECT lngVoucherID AS ID,strVoucherNO  编号,strVoucherName as 名称 FROM ") +
         Prefix(basis_) + "StdVoucher " + " Where lngOrganizationID=" + Org() +
         " ORDER BY strVoucherNO ASC";
}

void frmSelectStdVoucher::Remove(const StdVoucherRow& row) {
  DeleteStdVoucher(basis_, row.id, true);
}

std::string frmSelectStdVoucherAll::WindowName() const {
  return texts::kSelectAllWindowName;
}

bool frmSelectStdVoucherAll::SelectVoucher(long& lngFinanceStdID, long& lngBudgetStdID) {
  lngFinanceStdID = 0;
  lngBudgetStdID = 0;
  finance_ = 0;
  budget_ = 0;
  chosen_ = false;
  Reset();
  if (!Refresh()) return false;
  frame::Login().base_class->Modal().RunModal(*this);
  lngFinanceStdID = finance_;
  lngBudgetStdID = budget_;
  return chosen_;
}

std::string frmSelectStdVoucherAll::ListSql() const {
  const std::string org = Org();
  return "Select ID, strVoucherNO As 编号 ,strVoucherName as 名称 From (" +
         std::string("SELECT 0 AS ID,strVoucherNO ,strVoucherName  FROM StdVoucher ") +
         " Where lngOrganizationID=" + org + " Union " +
         "SELECT 0 AS ID,strVoucherNO,strVoucherName FROM BudgetStdVoucher " +
         " Where lngOrganizationID=" + org +
         " And Not Exists(select 1 from StdVoucher Where StdVoucher.strVoucherNo = "
         "BudgetStdVoucher.strVoucherNo " +
         " And stdVoucher.lngOrganizationID =" + org + ")) " + "ORDER BY strVoucherNO ASC";
}

void frmSelectStdVoucherAll::Chosen(const StdVoucherRow& row) {
  finance_ = FindStdVoucher(StdBasis::kFinance, row.number);
  budget_ = FindStdVoucher(StdBasis::kBudget, row.number);
  chosen_ = true;
}

void frmSelectStdVoucherAll::Remove(const StdVoucherRow& row) {
  const long finance = FindStdVoucher(StdBasis::kFinance, row.number);
  const long budget = FindStdVoucher(StdBasis::kBudget, row.number);
  host::DataAccess& data = frame::Data();
  data.Execute("DELETE FROM  StdVoucher WHERE lngVoucherID = " + std::to_string(finance));
  data.Execute("DELETE FROM  StdVoucherDetail WHERE lngVoucherID = " + std::to_string(finance));
  data.Execute("DELETE FROM  BudgetStdVoucher WHERE lngVoucherID = " + std::to_string(budget));
  data.Execute("DELETE FROM  BudgetStdVoucherDetail WHERE lngVoucherID = " +
               std::to_string(budget));
}

}  // namespace lumvoucher::templates
