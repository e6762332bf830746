#pragma once

#include <string>
#include <string_view>

namespace lumvoucher::host {

// Data-transfer services of the host; the component uses its setting reader.
class clsTransferPublic {
 public:
  virtual ~clsTransferPublic() = default;
  // The stored value of (section, key) for the organisation, or `default_value` when there is
  // none. Organisation 0 means the current one.
  virtual std::string SettingValue(long organization_id, std::string_view section,
                                   std::string_view key, std::string_view default_value) = 0;
};

}  // namespace lumvoucher::host
