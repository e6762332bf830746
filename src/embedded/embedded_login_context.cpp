#include "embedded/embedded_login_context.h"

#include <charconv>

#include "embedded/id_service.h"
#include "embedded/sqlite_data_access.h"
#include "frame/sql_text.h"
#include "host/calendar_date.h"
#include "host/database_error.h"
#include "host/decimal_text.h"
#include "host/read_scope.h"

namespace lumvoucher::embedded {

std::string ReadSetting(host::DataAccess& data, long organization_id, std::string_view section,
                        std::string_view key, std::string_view default_value) {
  // Asked several times a save (the accounting system at every command): built in one string.
  std::string sql;
  sql.reserve(112 + 2 * (section.size() + key.size()));
  sql += "Select strSetting From Setting Where strSection = ";
  frame::AppendSqlText(sql, section);
  sql += " And strKey = ";
  frame::AppendSqlText(sql, key);
  sql += " And lngOrganizationID = ";
  char digits[24];
  sql.append(digits, std::to_chars(digits, digits + sizeof digits, organization_id).ptr);
  host::Recordset rs = host::OpenRemembered(data, sql);
  if (rs.Empty() || rs["strSetting"].IsNull()) return std::string(default_value);
  return rs["strSetting"].AsText();
}

EmbeddedLoginContext::EmbeddedLoginContext(host::DataAccess& data, NextIdFunction next_id,
                                           const LoginRequest& request,
                                           host::HostObject& module_service)
    : data_(data),
      next_id_(std::move(next_id)),
      module_service_(module_service),
      login_date_(host::CalendarDate(request.login_date)) {
  if (login_date_.empty()) throw host::DatabaseError("登录日期非法：" + request.login_date);
  host::Recordset org = data_.OpenRecordset(
      "Select lngOrganizationID, strOrganizationCode, strOrganizationName From Organization "
      "Where lngOrganizationID = " +
      std::to_string(request.organization_id));
  if (org.Empty()) {
    throw host::DatabaseError("机构不存在：" + std::to_string(request.organization_id));
  }
  organization_ = {request.organization_id, org["strOrganizationCode"].AsText(),
                   org["strOrganizationName"].AsText()};

  host::Recordset op = data_.OpenRecordset(
      "Select lngOperatorID, strOperatorCode, strOperatorName From Operator Where lngOperatorID "
      "= " +
      std::to_string(request.operator_id));
  if (op.Empty()) throw host::DatabaseError("操作员不存在：" + std::to_string(request.operator_id));
  operator_ = {request.operator_id, op["strOperatorCode"].AsText(), op["strOperatorName"].AsText()};

  // The period whose dates hold the login date; a date outside the calendar keeps the
  // calendar's year and month so a new voucher still gets a sensible default.
  host::Recordset period = data_.OpenRecordset(
      "Select intYear, bytPeriod From AccountPeriod Where lngOrganizationID In (0, " +
      std::to_string(organization_.id) + ") And strStartDate <= " + frame::SqlText(login_date_) +
      " And strEndDate >= " + frame::SqlText(login_date_) + " Order By lngOrganizationID Desc");
  if (!period.Empty()) {
    year_ = static_cast<int>(period["intYear"].AsLong());
    period_ = static_cast<int>(period["bytPeriod"].AsLong());
  } else {
    const host::YearMonth calendar = host::YearMonthOf(login_date_);
    year_ = calendar.year;
    period_ = calendar.month;
  }
  // A setting nobody can make sense of keeps the usual two places.
  decimals_ = static_cast<int>(
      host::ParseWhole(ReadSetting(data_, organization_.id, account_set_keys::kSection,
                                   account_set_keys::kAmountDecimals, "2"),
                       0, 10)
          .value_or(2));
}

EmbeddedLoginContext::EmbeddedLoginContext(SqliteDataAccess& data, const LoginRequest& request,
                                           host::HostObject& module_service)
    : EmbeddedLoginContext(data, nullptr, request, module_service) {
  own_ids_ = std::make_unique<IdService>(data);
  next_id_ = [ids = own_ids_.get()](std::string_view table) { return ids->NextId(table); };
}

EmbeddedLoginContext::~EmbeddedLoginContext() = default;

std::string EmbeddedLoginContext::AccountingSystemCode() const {
  return ReadSetting(data_, organization_.id, account_set_keys::kSection,
                     account_set_keys::kAccountingSystemCode, "");
}

bool EmbeddedLoginContext::StampingEnabled() const {
  return ReadSetting(data_, organization_.id, kStampingSection, kStampingKey, "0") == "1";
}

host::DataAccess& EmbeddedLoginContext::Data() {
  return data_;
}

std::string EmbeddedLoginContext::SettingValue(long organization_id, std::string_view section,
                                               std::string_view key,
                                               std::string_view default_value) {
  return ReadSetting(data_, organization_id == 0 ? organization_.id : organization_id, section, key,
                     default_value);
}

}  // namespace lumvoucher::embedded
