#include "voucher/voucher_loader.h"

#include "frame/live_reversal.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/cls_account.h"

namespace lumvoucher::voucher {

namespace {

std::string N(long value) {
  return std::to_string(value);
}

// Empty dates are stored as one blank; the window shows them empty.
std::string DateField(const host::Value& value) {
  return frame::StringOut(value.AsText(), " ");
}

}  // namespace

std::string ExistsSql(long voucher_id, const VoucherBasis& basis) {
  return std::string("SELECT 1 FROM ") + (basis.IsBudget() ? basis.voucher_table : "VOUCHER") +
         " WHERE lngVoucherID=" + N(voucher_id);
}

std::string HeaderSql(long voucher_id, const VoucherBasis& basis) {
  return " SELECT Voucher.*,Template.strTemplateName,VoucherType.strVoucherTypeCode,"
         "OP1.strOperatorName op1name,OP2.strOperatorName op2name ,OP3.strOperatorName op3name "
         ",OP4.strOperatorName op4name FROM " +
         basis.VoucherAsVoucher() +
         ",Template,VoucherType,Operator OP1,Operator OP2,Operator OP3 ,Operator OP4  WHERE "
         "Voucher.lngTemplateID =Template.lngTemplateID AND "
         "Voucher.lngVoucherTypeID =VoucherType.lngVoucherTypeID AND  Voucher.lngOperatorID "
         "=Op1.lngOperatorID AND Voucher.lngCheckerID =Op2.lngOperatorID(+) AND "
         "Voucher.lngPostID =Op3.lngOperatorID(+) AND  Voucher.lngTellerID "
         "=Op4.lngOperatorID(+) AND (Voucher.lngVoucherID)=" +
         N(voucher_id);
}

std::string LinesSql(long voucher_id, const VoucherBasis& basis) {
  return "SELECT VoucherDetail.lngVoucherDetailID pp0,VoucherDetail.strRemark pp1,' ' pp2,"
         "Currencys.strCurrencyName pp3,"
         "DECODE(VoucherDetail.intDirection,-1,0,VoucherDetail.dblAmount) pp4,"
         "DECODE(VoucherDetail.intDirection,-1,VoucherDetail.dblAmount,0) pp5,"
         "VoucherDetail.dblRate pp6,VoucherDetail.dblQuantity pp7,VoucherDetail.dblPrice pp8,"
         "VoucherDetail.dblCurrencyAmount pp9,"
         "Customer.strCustomerCode || ' ' || Customer.strCustomerName pp10,"
         "Department.strDepartmentCode || ' ' || Department.strDepartmentName pp11,"
         "Decode(Employee.strEmployeeCode,NULL,' ',Employee.strEmployeeCode || ' ' || "
         "Employee.strEmployeeName || ' ' || Department1.strDepartmentCode || ' ' || "
         "Department1.strDepartmentName) pp12,' ' pp13,"
         "Class1.strClassCode || ' ' || Class1.strClassName pp14,"
         "Class2.strClassCode || ' ' || Class2.strClassName pp15,"
         "VoucherDetail.lngAccountID pp16,VoucherDetail.lngCurrencyID pp17,"
         "VoucherDetail.lngCustomerID pp18,VoucherDetail.lngDepartmentID pp19,"
         "VoucherDetail.lngEmployeeID pp20,VoucherDetail.dblCurrPaymentAmount pp21,"
         "VoucherDetail.lngClassID1 pp22,VoucherDetail.lngClassID2 pp23,"
         "VoucherDetail.intDirection pp24,VoucherDetail.strCheckNumber pp25,"
         "PaymentMethod.strPaymentMethodCode || ' ' || PaymentMethod.strPaymentMethodName pp26,"
         "VoucherDetail.lngPaymentMethodID pp27,VoucherDetail.strCashFlowCode,"
         "Currencys.bytCurrencyDec,Currencys.bytRateDec,VoucherDetail.strCheckDate,"
         "VoucherDetail.lngOrganizationID,VoucherDetail.strBusinessDate,"
         "VoucherDetail.strflexibleid,"
         "flexId2codeorname(VoucherDetail.strflexibleid,1,VoucherDetail.lngaccountid,2) as "
         "strFlexibleName"
         " From " +
         basis.DetailAsVoucherDetail() +
         ",PaymentMethod,Currencys,Customer,Department,Employee,Department "
         "Department1,Class1,Class2 "
         " WHERE VoucherDetail.lngPaymentMethodID=PaymentMethod.lngPaymentMethodID(+)"
         " AND VoucherDetail.lngCurrencyID=Currencys.lngCurrencyID"
         " AND VoucherDetail.lngCustomerID=Customer.lngCustomerID(+)"
         " AND VoucherDetail.lngDepartmentID=Department.lngDepartmentID(+)"
         " AND VoucherDetail.lngEmployeeID=Employee.lngEmployeeID(+)"
         " AND Employee.lngDepartmentID=Department1.lngDepartmentID(+)"
         " AND VoucherDetail.lngClassID1=Class1.lngClassID(+)"
         " AND VoucherDetail.lngClassID2=Class2.lngClassID(+)"
         " AND VoucherDetail.lngVoucherID=" +
         N(voucher_id) + "  ORDER BY lngRowID ASC";
}

bool VoucherExists(long voucher_id, const VoucherBasis& basis) {
  return !frame::Data().OpenRecordset(ExistsSql(voucher_id, basis)).Empty();
}

namespace {

VoucherHeader ReadHeader(const host::Recordset& rs) {
  VoucherHeader h;
  h.voucher_id = static_cast<long>(rs["lngVoucherID"].AsLong());
  h.type_id = static_cast<long>(rs["lngVoucherTypeID"].AsLong());
  h.type_code = rs["strVoucherTypeCode"].AsText();
  h.number = frame::VoucherNoText(rs["intVoucherNO"].AsLong());
  h.date = DateField(rs["strDate"]);
  h.attachments = std::to_string(rs["intNumber"].AsLong());
  h.source_organization_id = static_cast<long>(rs["lngSourceOrganizationID"].AsLong());
  h.year = static_cast<int>(rs["intYear"].AsLong());
  h.period = static_cast<int>(rs["bytPeriod"].AsLong());
  h.template_id = static_cast<long>(rs["lngTemplateID"].AsLong());
  h.template_name = rs["strTemplateName"].AsText();
  h.maker_id = static_cast<long>(rs["lngOperatorID"].AsLong());
  h.maker_name = rs["op1name"].AsText();
  h.checker_id = static_cast<long>(rs["lngCheckerID"].AsLong());
  h.checker_name = rs["op2name"].AsText();
  h.poster_id = static_cast<long>(rs["lngPostID"].AsLong());
  h.poster_name = rs["op3name"].AsText();
  h.teller_id = static_cast<long>(rs["lngTellerID"].AsLong());
  h.teller_name = rs["op4name"].AsText();
  h.source_id = static_cast<long>(rs["lngVoucherSourceID"].AsLong());
  h.print_mark = rs["blnIsPrint"].AsBool();
  h.void_mark = rs["blnIsVoid"].AsBool();
  h.error_mark = rs["blnIsError"].AsBool();
  h.error_text = rs["strError"].AsText();
  h.source_voucher_id = static_cast<long>(rs["lngSourceVoucherID"].AsLong());
  h.printed = rs["blnIsPrinted"].AsBool();
  h.manager = rs["strManager"].AsText();
  h.fy_bill_relation = static_cast<long>(rs["lngFyBillRelation"].AsLong());
  h.volume = rs["strVolume"].AsText();
  h.stored_year = h.year;
  h.stored_period = h.period;
  return h;
}

VoucherLine ReadLine(const host::Recordset& rs) {
  VoucherLine l;
  l.line_id = static_cast<long>(rs["pp0"].AsLong());
  l.remark = rs["pp1"].AsText();
  l.currency_name = rs["pp3"].AsText();
  l.debit = rs["pp4"].AsDouble();
  l.credit = rs["pp5"].AsDouble();
  l.rate = rs["pp6"].AsDouble();
  l.quantity = rs["pp7"].AsDouble();
  l.price = rs["pp8"].AsDouble();
  l.currency_amount = rs["pp9"].AsDouble();
  // A missing reference joins to NULL pieces around the blank: only the blank is left.
  l.unit_text = frame::StringOut(rs["pp10"].AsText(), " ");
  l.department_text = frame::StringOut(rs["pp11"].AsText(), " ");
  l.employee_text = frame::StringOut(rs["pp12"].AsText(), " ");
  l.spare = frame::StringOut(rs["pp13"].AsText(), " ");
  l.class1_text = frame::StringOut(rs["pp14"].AsText(), " ");
  l.class2_text = frame::StringOut(rs["pp15"].AsText(), " ");
  l.account_id = static_cast<long>(rs["pp16"].AsLong());
  l.currency_id = static_cast<long>(rs["pp17"].AsLong());
  l.unit_id = static_cast<long>(rs["pp18"].AsLong());
  l.department_id = static_cast<long>(rs["pp19"].AsLong());
  l.employee_id = static_cast<long>(rs["pp20"].AsLong());
  l.curr_payment_amount = rs["pp21"].AsDouble();
  l.class1_id = static_cast<long>(rs["pp22"].AsLong());
  l.class2_id = static_cast<long>(rs["pp23"].AsLong());
  l.direction = rs["pp24"].AsLong() == kCredit ? kCredit : kDebit;
  l.check_number = frame::StringOut(rs["pp25"].AsText(), " ");
  l.payment_method_text = frame::StringOut(rs["pp26"].AsText(), " ");
  l.payment_method_id = static_cast<long>(rs["pp27"].AsLong());
  l.cash_flow_code = frame::StringOut(rs["strCashFlowCode"].AsText(), " ");
  l.currency_decimals = static_cast<int>(rs["bytCurrencyDec"].AsLong());
  l.rate_decimals = static_cast<int>(rs["bytRateDec"].AsLong());
  l.check_date = DateField(rs["strCheckDate"]);
  l.organization_id = static_cast<long>(rs["lngOrganizationID"].AsLong());
  l.business_date = DateField(rs["strBusinessDate"]);
  l.flexible_id = frame::StringOut(rs["strflexibleid"].AsText(), " ");
  l.flexible_name = rs["strFlexibleName"].AsText();
  return l;
}

// The organisation field belongs to accounts with organisation accounting; on other lines the
// stored organisation is the voucher's own and is not shown.
void FillAccountAndOrganization(VoucherLine& line, host::clsAccount* accounts) {
  if (accounts == nullptr) return;
  auto account = accounts->AccountById(line.account_id);
  if (account) line.account_text = account->code + " " + account->name;
  if (account && account->organization && line.organization_id != 0) {
    if (auto org = accounts->ItemById(host::item_kind::kOrganization, line.organization_id)) {
      line.organization_text = org->code + " " + org->name;
    }
  }
}

}  // namespace

std::optional<LoadedVoucher> LoadVoucher(long voucher_id, const VoucherBasis& basis) {
  host::DataAccess& data = frame::Data();
  host::Recordset header = data.OpenRecordset(HeaderSql(voucher_id, basis));
  if (header.Empty()) return std::nullopt;
  LoadedVoucher loaded;
  loaded.header = ReadHeader(header);
  host::Recordset lines = data.OpenRecordset(LinesSql(voucher_id, basis));
  host::clsAccount* accounts = frame::Login().account == nullptr ? nullptr : &frame::Chart(basis);
  for (; !lines.Eof(); lines.MoveNext()) {
    VoucherLine line = ReadLine(lines);
    FillAccountAndOrganization(line, accounts);
    loaded.lines.push_back(std::move(line));
  }
  loaded.reversed = !data.OpenRecordset(frame::LiveReversalsSql(voucher_id, basis)).Empty();
  return loaded;
}

}  // namespace lumvoucher::voucher
