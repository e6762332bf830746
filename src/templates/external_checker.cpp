#include "templates/external_checker.h"

#include <algorithm>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/cls_account.h"
#include "templates/templates_texts.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::templates {

namespace {

constexpr int kSegments = 30;

const char* LookupSql(int kind) {
  switch (kind) {
    case kKindAccount:
      return "SELECT lngAccountID,strAccountCode,strAccountName FROM Account";
    case kKindCurrency:
      return "SELECT lngCurrencyID,strCurrencyCode,strCurrencyName FROM Currencys";
    case kKindCustomer:
      return "SELECT lngCustomerID,strCustomerCode,strCustomerName FROM Customer";
    case kKindDepartment:
      return "SELECT lngDepartmentID,strDepartmentCode,strDepartmentName FROM Department";
    case kKindEmployee:
      return "SELECT lngEmployeeID,strEmployeeCode,strEmployeeName FROM Employee";
    case kKindClass1:
      return "SELECT lngClassID,strClassCode,strClassName FROM Class1";
    case kKindClass2:
      return "SELECT lngClassID,strClassCode,strClassName FROM Class2";
    case kKindPaymentMethod:
      return "SELECT lngPaymentMethodID,strPaymentMethodCode,strPaymentMethodName FROM "
             "PaymentMethod";
    case kKindVoucherType:
      return "SELECT lngVoucherTypeID,strVoucherTypeCode,strVoucherTypeName FROM VoucherType";
    default:
      return "select t.lngorganizationid,t.strorganizationcode,t.strorganizationname  from "
             "organization t";
  }
}

std::vector<std::string> SplitParts(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t at = text.find('/', start);
    parts.push_back(frame::StringOut(
        text.substr(start, at == std::string::npos ? std::string::npos : at - start), " "));
    if (at == std::string::npos) return parts;
    start = at + 1;
  }
}

std::string Two(int n) {
  return frame::ZeroPad(n, 2);
}

}  // namespace

ExternalChecker::ExternalChecker() {
  host::DataAccess& data = frame::Data();
  for (int kind = kKindAccount; kind <= kCodeKinds; ++kind) {
    if (kind == kKindOrganization) {
      codes_[kind] = codes_[kKindSourceOrganization];
      continue;
    }
    // The first row of a code wins, as a collection keyed by code keeps its first entry.
    for (host::Recordset rs = data.OpenRecordset(LookupSql(kind)); !rs.Eof(); rs.MoveNext()) {
      codes_[kind].emplace(rs[std::size_t{1}].AsText(),
                           static_cast<long>(rs[std::size_t{0}].AsLong()));
    }
  }
  for (host::Recordset rs = data.OpenRecordset(
           "SELECT lngVoucherTypeID,lngTemplateID,blnIsInActive FROM VoucherType ORDER BY "
           "lngVoucherTypeID");
       !rs.Eof(); rs.MoveNext()) {
    const long type = static_cast<long>(rs["lngVoucherTypeID"].AsLong());
    type_templates_[type] = static_cast<long>(rs["lngTemplateID"].AsLong());
    if (default_type_ == 0 && !rs["blnIsInActive"].AsBool()) default_type_ = type;
  }
  segment_titles_.assign(kSegments + 1, std::string());
  segment_titles_[0] = texts::kGoods;
  for (host::Recordset rs =
           data.OpenRecordset("SELECT lngFlexibleTitleID,strTitle FROM FlexibleTitle");
       !rs.Eof(); rs.MoveNext()) {
    const long n = static_cast<long>(rs["lngFlexibleTitleID"].AsLong());
    if (n >= 1 && n <= kSegments)
      segment_titles_[static_cast<std::size_t>(n)] = rs["strTitle"].AsText();
  }
}

long ExternalChecker::Find(int kind, const std::string& code) const {
  if (kind < kKindAccount || kind > kCodeKinds) return 0;
  auto found = codes_[kind].find(code);
  return found == codes_[kind].end() ? 0 : found->second;
}

long ExternalChecker::FlexiblePartId(int part, const std::string& code) {
  auto [known, first] = flexible_parts_.try_emplace({part, code}, 0);
  if (!first) return known->second;
  host::Recordset rs = frame::Data().OpenRecordset(
      part == 0 ? "SELECT lngItemId,strItemName FROM Item where strItemCode=" + frame::SqlText(code)
                : "SELECT lngFieldID,strFieldName FROM FlexibleField" + Two(part) +
                      "  Where strFieldCode=" + frame::SqlText(code));
  known->second = rs.Empty() ? 0 : static_cast<long>(rs[std::size_t{0}].AsLong());
  return known->second;
}

void ExternalChecker::CheckFlexible(const std::string& codes, std::vector<std::string>& errors) {
  if (frame::StringOut(codes, " ").empty()) return;
  const std::vector<std::string> parts = SplitParts(codes);
  for (std::size_t p = 0; p < parts.size(); ++p) {
    if (parts[p].empty()) continue;
    const int part = static_cast<int>(p);
    if (part > kSegments || FlexiblePartId(part, parts[p]) == 0) {
      const std::string title = part <= kSegments ? segment_titles_[p] : std::string();
      errors.push_back(title + "[" + parts[p] + texts::kPartNotFound);
    }
  }
}

bool ExternalChecker::Check(std::vector<ExternalLine>& lines) {
  const int decimals = frame::Context().AmountDecimals();
  double debit = 0;
  double credit = 0;
  for (const ExternalLine& l : lines) {
    debit += l.Debit();
    credit += l.Credit();
  }
  const bool balanced = voucher::RoundTo(debit, decimals) == voucher::RoundTo(credit, decimals);
  const long org = frame::OrganizationId();
  host::clsAccount* accounts = frame::Login().account;
  bool clean = true;
  for (ExternalLine& l : lines) {
    std::vector<std::string> errors;
    if (voucher::RoundTo(l.amount, decimals) == 0) errors.push_back(texts::kZeroAmount);
    if (!balanced) errors.push_back(texts::kUnbalanced);
    if (frame::StringOut(l.codes[kKindAccount], " ").empty()) {
      errors.push_back(frame::FormatText(texts::kFieldEmpty, {KindName(kKindAccount)}));
    }
    for (int kind = kKindAccount; kind <= kKindSourceOrganization; ++kind) {
      const std::string& code = l.codes[kind];
      if (code.empty()) continue;
      const long id = Find(kind, code);
      if (id == 0) {
        errors.push_back(std::string(KindName(kind)) + " " + code + texts::kNotFound);
      } else if (kind == kKindSourceOrganization && id != org) {
        errors.push_back(texts::kOtherSourceOrganization);
      }
    }
    // The line organisation belongs to accounts kept by organisation, and only to them.
    const long account_id = Find(kKindAccount, l.codes[kKindAccount]);
    if (account_id != 0 && accounts != nullptr) {
      auto account = accounts->AccountById(account_id);
      const std::string& code = l.codes[kKindOrganization];
      if (account && account->organization && code.empty()) {
        errors.push_back(texts::kOrganizationRequired);
      } else if (account && !account->organization && !code.empty()) {
        errors.push_back(texts::kOrganizationMustBeEmpty);
      } else if (!code.empty() && Find(kKindOrganization, code) == 0) {
        errors.push_back(std::string(KindName(kKindOrganization)) + " " + code + texts::kNotFound);
      }
    }
    CheckFlexible(l.flexible, errors);
    l.error.clear();
    for (const std::string& e : errors) l.error += (l.error.empty() ? "" : ",") + e;
    if (!errors.empty()) clean = false;
  }
  return clean;
}

ResolvedLine ExternalChecker::Resolve(const ExternalLine& line) {
  ResolvedLine r;
  for (int kind = kKindAccount; kind <= kCodeKinds; ++kind) {
    r.ids[kind] = line.codes[kind].empty() ? 0 : Find(kind, line.codes[kind]);
  }
  if (r.ids[kKindVoucherType] == 0) r.ids[kKindVoucherType] = default_type_;
  auto tpl = type_templates_.find(r.ids[kKindVoucherType]);
  r.template_id = tpl == type_templates_.end() ? 0 : tpl->second;
  if (!frame::StringOut(line.flexible, " ").empty()) {
    const std::vector<std::string> parts = SplitParts(line.flexible);
    for (std::size_t p = 0; p < parts.size(); ++p) {
      const long id = parts[p].empty() ? 0 : FlexiblePartId(static_cast<int>(p), parts[p]);
      if (p == 0) {
        r.item_id = id;
      } else {
        r.field_ids.push_back(id);
      }
    }
  }
  return r;
}

std::string ExternalChecker::FlexibleId(const ResolvedLine& line) {
  // A flexible id stands for one goods item and one segment value (FlexibleCheck's key).
  long field = 0;
  for (long id : line.field_ids) {
    if (id != 0) {
      field = id;
      break;
    }
  }
  if (line.item_id == 0 && field == 0) return " ";
  host::DataAccess& data = frame::Data();
  const std::string item_text = std::to_string(line.item_id);
  const std::string field_text = std::to_string(field);
  host::Recordset rs =
      data.OpenRecordset("SELECT strFlexibleID FROM FlexibleCheck WHERE lngItemID=" + item_text +
                         " AND lngFieldID=" + field_text + " ORDER BY strFlexibleID");
  if (!rs.Empty()) return rs["strFlexibleID"].AsText();
  const std::string id = std::to_string(frame::Context().NextId("FlexibleCheck"));
  data.Execute("INSERT INTO FlexibleCheck (strFlexibleID,lngItemID,lngFieldID) VALUES (" +
               frame::SqlText(id) + "," + item_text + "," + field_text + ")");
  return id;
}

}  // namespace lumvoucher::templates
