#pragma once

#include <string>
#include <vector>

namespace lumvoucher::host {

// One key of a private-profile (INI) file, with its section, in file order.
struct ProfileEntry {
  std::string section;
  std::string key;
  std::string value;
};

// What reading a profile file found. `readable` is false when the file could not be opened;
// `bad_line` is the first line that is not a section, a key or a comment (0 when none), whose
// entries before and after it are still read.
struct ProfileContents {
  bool readable = false;
  int bad_line = 0;
  std::vector<ProfileEntry> entries;
};

// The platform's private-profile files (the external interfaces' "iei.ini"). Texts are UTF-8;
// section and key names are compared as written.
class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;
  // The host application's folder, where a profile named without a folder lives.
  virtual std::string ApplicationFolder() = 0;
  virtual ProfileContents Read(const std::string& path) = 0;
};

}  // namespace lumvoucher::host
