#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "host/login_context.h"

namespace lumvoucher::embedded {

class IdService;
class SqliteDataAccess;

// Hands out the next key of a table: the embedded file's IdService, a server's sequences.
using NextIdFunction = std::function<long(std::string_view table_name)>;

// Who logs in: the organisation, the operator and the login date (yyyy-mm-dd).
struct LoginRequest {
  long organization_id = 0;
  long operator_id = 0;
  std::string login_date;
};

// Where the embedded account set keeps its properties (Setting rows of the account set).
namespace account_set_keys {
inline constexpr const char* kSection = "帐套属性";
inline constexpr const char* kAccountingSystemCode = "会计制度";
inline constexpr const char* kAmountDecimals = "金额小数位数";
}  // namespace account_set_keys

// The option that switches the uniqueness stamps on ("1"), in its own section.
inline constexpr const char* kStampingSection = "企业会计信息化";
inline constexpr const char* kStampingKey = "支持企业会计信息化工作规范";

// The login context of the embedded host. The organisation, operator, period and decimals are
// read once at login; the accounting-system code is read on every call, so switching the account
// set's regime in the database takes effect at the next call, as with the suite's host.
class EmbeddedLoginContext : public host::LoginContext {
 public:
  // Throws host::DatabaseError when the organisation or the operator does not exist.
  EmbeddedLoginContext(host::DataAccess& data, NextIdFunction next_id, const LoginRequest& request,
                       host::HostObject& module_service);
  // On an embedded file, with the file's own id service.
  EmbeddedLoginContext(SqliteDataAccess& data, const LoginRequest& request,
                       host::HostObject& module_service);
  ~EmbeddedLoginContext() override;

  std::string AccountingSystemCode() const override;
  const host::Organization& CurrentOrganization() const override { return organization_; }
  const host::Operator& CurrentOperator() const override { return operator_; }
  std::string LoginDate() const override { return login_date_; }
  int LoginYear() const override { return year_; }
  int LoginPeriod() const override { return period_; }
  int AmountDecimals() const override { return decimals_; }
  std::string SchemaOwner() const override { return std::string(); }
  bool StampingEnabled() const override;
  int LoginValue() const override { return 0; }
  long NextId(std::string_view table_name) override { return next_id_(table_name); }
  host::DataAccess& Data() override;
  std::string SettingValue(long organization_id, std::string_view section, std::string_view key,
                           std::string_view default_value) override;
  host::HostObject& ModuleService() override { return module_service_; }

 private:
  host::DataAccess& data_;
  std::unique_ptr<IdService> own_ids_;
  NextIdFunction next_id_;
  host::HostObject& module_service_;
  host::Organization organization_;
  host::Operator operator_;
  std::string login_date_;
  int year_ = 0;
  int period_ = 0;
  int decimals_ = 2;
};

// Reads a Setting row for an organisation; `default_value` when there is none.
std::string ReadSetting(host::DataAccess& data, long organization_id, std::string_view section,
                        std::string_view key, std::string_view default_value);

}  // namespace lumvoucher::embedded
