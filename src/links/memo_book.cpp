#include "links/memo_book.h"

#include <algorithm>
#include <map>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "links/memo_texts.h"

namespace lumvoucher::links {

namespace {

using frame::SqlNumber;
using frame::SqlText;
namespace texts = memo_texts;

constexpr const char* kNotSystem =
    " and not Reference.Lngreferenceid in(select sysreference.lngreferenceid from sysreference)";

std::string RemainingLabel(int func_type, bool dual) {
  if (func_type == 1) return dual ? texts::kRemainGovernment : texts::kRemainFunction;
  // The other types follow the pattern of the first: the label without "项目", padded.
  std::string label = ClassLabel(func_type, dual);
  label.resize(label.size() - std::string_view("项目").size());
  return label + "       待分配金额：";
}

}  // namespace

std::string MemoBasis::LineFrom() const {
  return dual ? std::string(line_table) + " VoucherDetail" : std::string(line_table);
}

std::string MemoBasis::VoucherAndLineSql() const {
  if (!dual) {
    return " Select * From Voucher,VoucherDetail Where Voucher.lngVoucherID = "
           "VoucherDetail.lngVoucherID  And VoucherDetail.lngVoucherDetailID = ";
  }
  return std::string(" Select * From ") + voucher_table + " v ," + line_table +
         " d Where v.lngVoucherID = d.lngVoucherID  And d.lngVoucherDetailID = ";
}

MemoBasis MemoBasisFor(bool dual, const char* line_view, const char* voucher_view) {
  MemoBasis basis;
  basis.dual = dual;
  if (dual) {
    basis.line_table = line_view;
    basis.voucher_table = voucher_view;
    basis.account_table = "AccountView Account";
  }
  return basis;
}

MemoBasis CurrentMemoBasis() {
  return MemoBasisFor(frame::IsDualBasis());
}

std::string ClassLabel(int func_type, bool dual) {
  if (dual) {
    if (func_type == 1) return texts::kGovernmentTask;
    if (func_type == 2) return texts::kOther;
    return {};
  }
  if (func_type == 1) return texts::kFunction;
  if (func_type == 2) return texts::kEconomic;
  if (func_type == 3) return texts::kOther;
  return {};
}

std::vector<ReferenceClass> MemoClasses(const MemoBasis& basis, bool economic_only,
                                        long account_id) {
  host::DataAccess& data = frame::Data();
  std::map<int, std::vector<long>> linked;
  host::Recordset links = data.OpenRecordset(
      " Select Reference.bytFuncType, Reference.lngReferenceID, Reference.strReferenceCode || ' "
      "' || Reference.strReferenceName As strName From ReferenceAccount, " +
      std::string(basis.account_table) +
      ", Reference Where ReferenceAccount.lngAccountID = Account.lngAccountID And "
      "ReferenceAccount.lngReferenceID "
      "= Reference.lngReferenceID And ReferenceAccount.lngAccountID = " +
      SqlNumber(account_id) + (economic_only ? " And bytFuncType = 2 " : ""));
  for (; !links.Eof(); links.MoveNext()) {
    linked[static_cast<int>(links["bytFuncType"].AsLong())].push_back(
        static_cast<long>(links["lngReferenceID"].AsLong()));
  }

  std::vector<ReferenceClass> classes;
  const int last = basis.dual ? 2 : 3;
  for (int type = economic_only ? 2 : 1; type <= (economic_only ? 2 : last); ++type) {
    ReferenceClass c;
    c.func_type = type;
    c.label = ClassLabel(type, basis.dual);
    c.remaining_label = RemainingLabel(type, basis.dual);
    host::Recordset items = data.OpenRecordset(
        " SELECT lngReferenceID,strReferenceCode || ' ' || strReferenceName FROM Reference WHERE "
        "blnIsInActive = 0 And strReferenceCode<>' ' And blnIsDetail = 1 And bytFuncType = " +
        SqlNumber(type) +
        (basis.dual ? std::string(kNotSystem) + "  ORDER BY strReferenceCode "
                    : std::string(" ORDER BY strReferenceCode ")));
    const std::vector<long>& own = linked[type];
    for (; !items.Eof(); items.MoveNext()) {
      const long id = static_cast<long>(items[0].AsLong());
      if (!own.empty() && std::find(own.begin(), own.end(), id) == own.end()) continue;
      c.choices.push_back({id, items[1].AsText()});
    }
    classes.push_back(std::move(c));
  }
  return classes;
}

std::string StoredRowsSql(const MemoBasis& basis, long line_id) {
  return std::string(basis.dual ? " Select RVoucherDetail.lngRVoucherDetailID, "
                                  "Decode(Reference.bytFuncType, 1, '政府指令性任务',2, "
                                  "'其他分类项目') 备查项目类型,"
                                : " Select RVoucherDetail.lngRVoucherDetailID, "
                                  "Decode(Reference.bytFuncType, 1, '功能分类项目', 2, "
                                  "'经济分类项目',3, '其他分类项目') 备查项目类型,") +
         " Reference.strReferenceCode || ' ' || Reference.strReferenceName 备查项目, "
         "RVoucherDetail.dblAmount 备查金额, RVoucherDetail.lngReferenceID, "
         "RVoucherDetail.lngRowID, Reference.bytFuncType From RVoucherDetail, Reference Where "
         "RVoucherDetail.lngReferenceID = Reference.lngReferenceID And "
         "RVoucherDetail.lngVoucherDetailID = " +
         SqlNumber(line_id) + (basis.dual ? kNotSystem : "") + " Order By RVoucherDetail.lngRowID";
}

std::string MatchingRowsSql(const MemoBasis& basis, long line_id) {
  return std::string("Select * from RVoucherDetail r,") + basis.line_table + " d" +
         " Where r.lngVoucherDetailID=d.lngVoucherDetailID and r.lngVoucherDetailID=" +
         SqlNumber(line_id) +
         " and r.lngAccountID=d.lngAccountID and r.intDirection=d.intDirection and "
         "r.lngCurrencyID=d.lngCurrencyID and r.lngCustomerID=d.lngCustomerID and "
         "r.lngDepartmentID=d.lngDepartmentID and r.lngEmployeeID=d.lngEmployeeID and "
         "r.lngClassID1=d.lngClassID1 and r.lngClassID2=d.lngClassID2 and "
         "r.strFlexibleID=d.strFlexibleID";
}

LineCopy LineCopy::From(const host::Recordset& row) {
  auto n = [&](const char* name) { return static_cast<long>(row[name].AsLong()); };
  LineCopy c;
  c.year = n("intYear");
  c.period = n("bytPeriod");
  c.date = row["strDate"].AsText();
  c.account_id = n("lngAccountID");
  c.currency_id = n("lngCurrencyID");
  c.customer_id = n("lngCustomerID");
  c.department_id = n("lngDepartmentID");
  c.employee_id = n("lngEmployeeID");
  c.class1_id = n("lngClassID1");
  c.class2_id = n("lngClassID2");
  c.flexible_id = row["strFlexibleID"].AsText();
  c.organization_id = n("lngOrganizationID");
  c.direction = n("intDirection");
  c.voucher_no = n("intVoucherNO");
  c.voucher_type_id = n("lngVoucherTypeID");
  return c;
}

std::string LineCopy::UpdateItems(long operator_id) const {
  return ", lngAccountID = " + SqlNumber(account_id) +
         ", lngCurrencyID = " + SqlNumber(currency_id) +
         ", lngCustomerID = " + SqlNumber(customer_id) +
         ", lngDepartmentID = " + SqlNumber(department_id) +
         ", lngEmployeeID = " + SqlNumber(employee_id) + ", lngClassID1 = " + SqlNumber(class1_id) +
         ", lngClassID2 = " + SqlNumber(class2_id) + ", strFlexibleID = " + SqlText(flexible_id) +
         ", lngOrganizationID = " + SqlNumber(organization_id) +
         ", lngOperatorID = " + SqlNumber(operator_id) + ", intDirection = " + SqlNumber(direction);
}

std::string InsertRegistrationSql(long id, const LineCopy& c, long line_id, long row_id,
                                  long reference_id, double amount, long operator_id,
                                  bool with_number) {
  std::string sql =
      " INSERT INTO RVoucherDetail (lngRVoucherDetailID,intYear,bytPeriod,strDate,"
      "lngVoucherDetailID,lngRowID,lngReferenceID, lngAccountID,dblAmount,lngCurrencyID,"
      "lngCustomerID,lngDepartmentID,lngEmployeeID,lngClassID1,lngClassID2, strFlexibleID,"
      "lngOperatorID,lngOrganizationID,intDirection";
  sql += with_number ? ",intVoucherNo,lngVoucherTypeId) VALUES ( " : ") VALUES ( ";
  sql += SqlNumber(id) + "," + SqlNumber(c.year) + "," + SqlNumber(c.period) + "," +
         SqlText(c.date) + "," + SqlNumber(line_id) + "," + SqlNumber(row_id) + "," +
         SqlNumber(reference_id) + "," + SqlNumber(c.account_id) + "," + SqlNumber(amount) + "," +
         SqlNumber(c.currency_id) + "," + SqlNumber(c.customer_id) + "," +
         SqlNumber(c.department_id) + "," + SqlNumber(c.employee_id) + "," +
         SqlNumber(c.class1_id) + "," + SqlNumber(c.class2_id) + "," + SqlText(c.flexible_id) +
         "," + SqlNumber(operator_id) + "," + SqlNumber(c.organization_id) + "," +
         SqlNumber(c.direction);
  if (with_number) sql += "," + SqlNumber(c.voucher_no) + "," + SqlNumber(c.voucher_type_id);
  return sql + ")";
}

}  // namespace lumvoucher::links
