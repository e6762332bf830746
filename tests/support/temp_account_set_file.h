#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace lumvoucher::testing {

// An account-set file of this test process in the temporary folder, removed with its WAL files
// before and after use.
class TempAccountSetFile {
 public:
  explicit TempAccountSetFile(const std::string& name)
      : path_((std::filesystem::temp_directory_path() /
               ("lumvoucher_" + name + "_" + std::to_string(::getpid()) + ".db"))
                  .string()) {
    Remove();
  }
  ~TempAccountSetFile() { Remove(); }
  TempAccountSetFile(const TempAccountSetFile&) = delete;
  TempAccountSetFile& operator=(const TempAccountSetFile&) = delete;
  const std::string& Path() const { return path_; }
  void Remove() const {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path_ + suffix);
  }

 private:
  std::string path_;
};

}  // namespace lumvoucher::testing
