#pragma once

#include <string>
#include <string_view>

#include "host/data_access.h"
#include "host/host_object.h"

namespace lumvoucher::host {

struct Organization {
  long id = 0;
  std::string code;  // coded hierarchy: "01", "01-02", "01-02-05"
  std::string name;
};

struct Operator {
  long id = 0;
  std::string code;
  std::string name;
};

// The current account set and login, as the host keeps it. The component reads it at the
// moment of use; a host that switches the account set changes what it answers.
class LoginContext {
 public:
  virtual ~LoginContext() = default;

  // "16" selects the dual-basis windows; any other code the single-basis ones.
  virtual std::string AccountingSystemCode() const = 0;
  virtual const Organization& CurrentOrganization() const = 0;
  virtual const Operator& CurrentOperator() const = 0;
  // yyyy-mm-dd; the year and period of new vouchers follow from it.
  virtual std::string LoginDate() const = 0;
  virtual int LoginYear() const = 0;
  virtual int LoginPeriod() const = 0;
  // Decimal places of amounts in this account set; every comparison rounds to them.
  virtual int AmountDecimals() const = 0;
  // Owner of the schema functions (ContainFlexibleid); empty when they need no prefix.
  virtual std::string SchemaOwner() const = 0;
  // Whether vouchers carry the uniqueness stamp strUQStamp: the account set's option
  // "支持企业会计信息化工作规范" (section "企业会计信息化") being "1", read on every call. The one
  // switch of stamping: saving, posting, number insertion and renumbering all ask it.
  virtual bool StampingEnabled() const = 0;
  // The integer login value one module service reads.
  virtual int LoginValue() const = 0;

  // The id service: the next key for a table ("VOUCHER", "VOUCHERDETAIL", ...), never reused.
  virtual long NextId(std::string_view table_name) = 0;
  virtual DataAccess& Data() = 0;
  // The login context's own reading of a setting (organisation 0 = the current one).
  virtual std::string SettingValue(long organization_id, std::string_view section,
                                   std::string_view key, std::string_view default_value) = 0;

  // The host service used only by module functions.
  virtual HostObject& ModuleService() = 0;
};

}  // namespace lumvoucher::host
