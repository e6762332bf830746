#include "templates/external_store.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"

namespace lumvoucher::templates {

namespace {

using frame::SqlNumber;
using frame::SqlText;

std::string Org() {
  return std::to_string(frame::OrganizationId());
}

std::string KeyCondition(const std::string& standard, const std::string& key) {
  return " Where lngOrganizationID=" + Org() + " And strStandard=" + SqlText(standard) +
         " And strExternalKey=" + SqlText(key);
}

constexpr const char* kColumns =
    "lngExternalVoucherID,strStandard,strExternalKey,intLineNO,strSourceFile,lngSourceLine,"
    "strDate,strVoucherTypeCode,intNumber,strRemark,strAccountCode,strCurrencyCode,"
    "strCustomerCode,strDepartmentCode,strEmployeeCode,strClass1Code,strClass2Code,"
    "strPaymentMethodCode,strSourceOrgCode,strOrganizationCode,strFlexibleCode,strCheckNumber,"
    "intDirection,dblAmount,dblCurrencyAmount,dblRate,dblQuantity,dblPrice,blnIsPosted,"
    "lngVoucherID,strVoucherNo,blnIsRepaired,strError";

std::vector<ExternalLine> Read(const std::string& condition) {
  std::vector<ExternalLine> lines;
  for (host::Recordset rs =
           frame::Data().OpenRecordset(std::string("Select ") + kColumns + " From ExternalVoucher" +
                                       condition + " Order By lngExternalVoucherID");
       !rs.Eof(); rs.MoveNext()) {
    ExternalLine l;
    l.id = static_cast<long>(rs["lngExternalVoucherID"].AsLong());
    l.standard = rs["strStandard"].AsText();
    l.key = rs["strExternalKey"].AsText();
    l.line_no = static_cast<int>(rs["intLineNO"].AsLong());
    l.source_file = rs["strSourceFile"].AsText();
    l.source_line = static_cast<long>(rs["lngSourceLine"].AsLong());
    l.date = rs["strDate"].AsText();
    l.attachments = static_cast<int>(rs["intNumber"].AsLong());
    l.remark = rs["strRemark"].AsText();
    for (int kind = kKindAccount; kind <= kCodeKinds; ++kind) {
      l.codes[kind] = rs[CodeColumn(kind)].AsText();
    }
    l.flexible = rs["strFlexibleCode"].AsText();
    l.check_number = rs["strCheckNumber"].AsText();
    l.direction = rs["intDirection"].AsLong() == -1 ? -1 : 1;
    l.amount = rs["dblAmount"].AsDouble();
    l.currency_amount = rs["dblCurrencyAmount"].AsDouble();
    l.rate = rs["dblRate"].AsDouble();
    l.quantity = rs["dblQuantity"].AsDouble();
    l.price = rs["dblPrice"].AsDouble();
    l.posted = rs["blnIsPosted"].AsBool();
    l.voucher_id = static_cast<long>(rs["lngVoucherID"].AsLong());
    l.voucher_no = rs["strVoucherNo"].AsText();
    l.repaired = rs["blnIsRepaired"].AsBool();
    l.error = rs["strError"].AsText();
    lines.push_back(std::move(l));
  }
  return lines;
}

}  // namespace

const char* CodeColumn(int kind) {
  static constexpr const char* kCodeColumns[kCodeKinds + 1] = {"",
                                                               "strAccountCode",
                                                               "strCurrencyCode",
                                                               "strCustomerCode",
                                                               "strDepartmentCode",
                                                               "strEmployeeCode",
                                                               "strClass1Code",
                                                               "strClass2Code",
                                                               "strPaymentMethodCode",
                                                               "strVoucherTypeCode",
                                                               "strSourceOrgCode",
                                                               "strOrganizationCode"};
  return kind >= 1 && kind <= kCodeKinds ? kCodeColumns[kind] : "";
}

Staged StagedState(const std::string& standard, const std::string& key) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select Max(blnIsPosted) As blnIsPosted, Count(*) As n From ExternalVoucher" +
      KeyCondition(standard, key));
  if (rs.Empty() || rs["n"].AsLong() == 0) return Staged::kNothing;
  return rs["blnIsPosted"].AsLong() != 0 ? Staged::kPosted : Staged::kUnposted;
}

void Stage(std::vector<ExternalLine>& lines, bool replace) {
  if (lines.empty()) return;
  host::DataAccess& data = frame::Data();
  host::LoginContext& login = frame::Context();
  if (replace) {
    data.Execute("Delete From ExternalVoucher" +
                 KeyCondition(lines.front().standard, lines.front().key) + " And blnIsPosted=0");
  }
  for (ExternalLine& l : lines) {
    l.id = login.NextId("ExternalVoucher");
    std::string values = SqlNumber(l.id) + "," + SqlText(l.standard) + "," + SqlText(l.key) + "," +
                         SqlNumber(l.line_no) + "," + SqlText(l.source_file) + "," +
                         SqlNumber(l.source_line) + "," + SqlText(l.date) + "," +
                         SqlText(l.codes[kKindVoucherType]) + "," + SqlNumber(l.attachments) + "," +
                         SqlText(l.remark);
    for (int kind :
         {kKindAccount, kKindCurrency, kKindCustomer, kKindDepartment, kKindEmployee, kKindClass1,
          kKindClass2, kKindPaymentMethod, kKindSourceOrganization, kKindOrganization}) {
      values += "," + SqlText(l.codes[kind]);
    }
    values += "," + SqlText(l.flexible) + "," + SqlText(l.check_number) + "," +
              SqlNumber(l.direction) + "," + SqlNumber(l.amount) + "," +
              SqlNumber(l.currency_amount) + "," + SqlNumber(l.rate) + "," + SqlNumber(l.quantity) +
              "," + SqlNumber(l.price) + ",0,0,NULL,0," + SqlText(l.error);
    data.Execute(std::string("Insert Into ExternalVoucher (lngOrganizationID,") + kColumns +
                 ") Values (" + Org() + "," + values + ")");
  }
}

std::vector<ExternalLine> ReadStaged(const std::string& standard) {
  return Read(" Where lngOrganizationID=" + Org() + " And strStandard=" + SqlText(standard));
}

std::vector<ExternalLine> ReadVoucher(const std::string& standard, const std::string& key) {
  return Read(KeyCondition(standard, key));
}

void MarkPosted(const std::string& standard, const std::string& key, long voucher_id,
                const std::string& voucher_no) {
  frame::Data().Execute(
      "Update ExternalVoucher Set blnIsPosted=1,lngVoucherID=" + SqlNumber(voucher_id) +
      ",strVoucherNo=" + SqlText(voucher_no) + ",strError=NULL" + KeyCondition(standard, key));
}

void SaveErrors(const std::vector<ExternalLine>& lines) {
  for (const ExternalLine& l : lines) {
    frame::Data().Execute("Update ExternalVoucher Set strError=" + SqlText(l.error) +
                          " Where lngExternalVoucherID=" + SqlNumber(l.id));
  }
}

void RepairCode(long line_id, int kind, const std::string& code) {
  const std::string column = kind == 0 ? "strFlexibleCode" : CodeColumn(kind);
  frame::Data().Execute("Update ExternalVoucher Set " + column + "=" + SqlText(code) +
                        ",blnIsRepaired=1 Where lngExternalVoucherID=" + SqlNumber(line_id));
}

}  // namespace lumvoucher::templates
