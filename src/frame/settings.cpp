#include "frame/settings.h"

#include <stdexcept>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/ascii.h"
#include "host/cls_base_class.h"
#include "host/read_scope.h"

namespace lumvoucher::frame {

namespace {

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::string();
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

std::string ReadSettingOf(long organization_id, std::string_view section, std::string_view key) {
  host::Recordset rs =
      host::OpenRemembered(Data(), "SELECT * FROM Setting WHERE strSection=" + SqlText(section) +
                                       " AND strKey=" + SqlText(key) +
                                       " and lngorganizationid=" + SqlNumber(organization_id));
  if (rs.Empty()) return std::string();
  return rs["strSetting"].AsText();
}

std::string ReadSetting(std::string_view section, std::string_view key) {
  return ReadSettingOf(OrganizationId(), section, key);
}

AccountSetting ReadAccountSetting(std::string_view section, std::string_view key) {
  AccountSetting result;
  result.id = host::clsBaseClass::TextToLong(ReadSetting(section, key));
  host::Recordset rs =
      Data().OpenRecordset("SELECT * FROM Account WHERE lngAccountID=" + SqlNumber(result.id));
  if (!rs.Empty()) {
    result.text =
        Trimmed(rs["strAccountCode"].AsText()) + " " + Trimmed(rs["strAccountName"].AsText());
  }
  return result;
}

std::string SettingValue(long organization_id, std::string_view section, std::string_view key,
                         std::string_view default_value) {
  host::clsTransferPublic* transfer = Login().transfer_public;
  if (transfer == nullptr) throw std::logic_error("InterFace.Init has not been called");
  // The host resolves organisation 0 to the current one itself.
  return transfer->SettingValue(organization_id, section, key, default_value);
}

void WriteSettingOf(long organization_id, std::string_view section, std::string_view key,
                    std::string_view value) {
  const std::string where = " WHERE strSection=" + SqlText(section) +
                            " AND strKey=" + SqlText(key) +
                            " and lngorganizationid=" + SqlNumber(organization_id);
  if (Data().Execute("UPDATE Setting SET strSetting=" + SqlText(value) + where) > 0) return;
  Data().Execute("INSERT INTO Setting (strSection,strKey,strSetting,lngOrganizationID) VALUES (" +
                 SqlText(section) + "," + SqlText(key) + "," + SqlText(value) + "," +
                 SqlNumber(organization_id) + ")");
}

void WriteSetting(std::string_view section, std::string_view key, std::string_view value) {
  WriteSettingOf(OrganizationId(), section, key, value);
}

bool IsTrueSetting(std::string_view value) {
  return host::EqualsIgnoreCase(value, "True");
}

}  // namespace lumvoucher::frame
