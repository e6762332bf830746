#pragma once

#include <string>
#include <string_view>

namespace lumvoucher::frame {

// Options of the current organisation in the table Setting (section, key -> strSetting).
// Missing rows read as empty results; database errors propagate as host::DatabaseError.

// The text form: strSetting, or "" when there is no row.
std::string ReadSetting(std::string_view section, std::string_view key);

// Boolean options are stored as "True"/"False", in whatever case the tool that wrote them used.
bool IsTrueSetting(std::string_view value);

// An account-valued setting: the stored account id and that account's "code name" (both
// trimmed, joined by one blank). No row, an empty value or an unknown account give text "";
// the id is the stored value read as a long (0 when empty or missing).
struct AccountSetting {
  long id = 0;
  std::string text;
};
AccountSetting ReadAccountSetting(std::string_view section, std::string_view key);

// The host's reader (clsTransferPublic): the stored value or `default_value`. Organisation 0
// means the current one.
std::string SettingValue(long organization_id, std::string_view section, std::string_view key,
                         std::string_view default_value);

// Stores `value` for the current organisation, replacing an existing row.
void WriteSetting(std::string_view section, std::string_view key, std::string_view value);

// The same reader and writer for an explicit organisation (0 holds account-set wide values).
std::string ReadSettingOf(long organization_id, std::string_view section, std::string_view key);
void WriteSettingOf(long organization_id, std::string_view section, std::string_view key,
                    std::string_view value);

}  // namespace lumvoucher::frame
