#include "templates/interface_standards.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "frame/login_state.h"
#include "host/decimal_text.h"
#include "templates/templates_texts.h"

namespace lumvoucher::templates {

namespace {

constexpr const char* kEncodingKey = "字符集";

bool IsGbk(std::string value) {
  std::transform(value.begin(), value.end(), value.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return value == "GBK" || value == "GB2312" || value == "GB18030" || value == "CP936";
}

}  // namespace

std::vector<std::string> StandardNames(const host::ProfileContents& ini) {
  const std::string suffix = texts::kIniKeySuffix;
  std::map<std::int64_t, std::string> numbered;
  for (const host::ProfileEntry& e : ini.entries) {
    if (e.section != texts::kIniSection || e.key.size() <= suffix.size()) continue;
    if (e.key.compare(e.key.size() - suffix.size(), suffix.size(), suffix) != 0) continue;
    auto n = host::ParseWhole(e.key.substr(0, e.key.size() - suffix.size()), 1, 9999);
    if (n && !e.value.empty()) numbered.emplace(*n, e.value);
  }
  std::vector<std::string> names;
  for (auto& [n, name] : numbered) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  if (names.empty()) names.push_back(texts::kSampleStandard);
  return names;
}

std::optional<CsvLayout> LayoutOf(const host::ProfileContents& ini, const std::string& standard) {
  const std::vector<std::string> names = StandardNames(ini);
  const bool sample = standard == texts::kSampleStandard;
  if (!sample && std::find(names.begin(), names.end(), standard) == names.end()) {
    return std::nullopt;
  }
  CsvLayout layout;
  layout.standard = standard;
  for (int f = 0; f < kExternalFieldCount; ++f) {
    layout.columns[f] = Caption(static_cast<ExternalField>(f));
  }
  if (sample) return layout;
  for (const host::ProfileEntry& e : ini.entries) {
    if (e.section != standard) continue;
    if (e.key == kEncodingKey) {
      layout.gbk = IsGbk(e.value);
      continue;
    }
    for (int f = 0; f < kExternalFieldCount; ++f) {
      if (e.key == Caption(static_cast<ExternalField>(f)) && !e.value.empty()) {
        layout.columns[f] = e.value;
      }
    }
  }
  return layout;
}

std::string IniPath(const std::string& path) {
  if (!path.empty()) return path;
  const std::string folder = frame::Login().base_class->Profiles().ApplicationFolder();
  return (std::filesystem::path(folder) / texts::kIniFile).string();
}

}  // namespace lumvoucher::templates
