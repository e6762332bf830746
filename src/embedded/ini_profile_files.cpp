#include "embedded/ini_profile_files.h"

#include <ini.h>

#include <filesystem>
#include <system_error>

namespace lumvoucher::embedded {

namespace {

int Collect(void* user, const char* section, const char* name, const char* value) {
  // A section line alone is reported with no name (INI_CALL_HANDLER_ON_NEW_SECTION builds).
  if (name == nullptr) return 1;
  static_cast<host::ProfileContents*>(user)->entries.push_back(
      {section, name, value == nullptr ? std::string() : std::string(value)});
  return 1;
}

}  // namespace

std::string IniProfileFiles::ApplicationFolder() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : exe.parent_path().string();
}

host::ProfileContents IniProfileFiles::Read(const std::string& path) {
  host::ProfileContents contents;
  const int result = ini_parse(path.c_str(), Collect, &contents);
  contents.readable = result != -1 && result != -2;
  contents.bad_line = result > 0 ? result : 0;
  if (!contents.readable) contents.entries.clear();
  return contents;
}

}  // namespace lumvoucher::embedded
