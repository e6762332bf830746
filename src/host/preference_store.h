#pragma once

#include <string>
#include <string_view>

namespace lumvoucher::host {

// The platform's per-user settings store (window preferences such as "Alert", "Sound"), kept
// per operator, by section and key.
class PreferenceStore {
 public:
  virtual ~PreferenceStore() = default;
  virtual std::string GetSetting(std::string_view section, std::string_view key,
                                 std::string_view default_value) = 0;
  virtual void SaveSetting(std::string_view section, std::string_view key,
                           std::string_view value) = 0;
};

}  // namespace lumvoucher::host
