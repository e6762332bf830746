#pragma once

#include "host/profile_files.h"

namespace lumvoucher::embedded {

// Profile files read with libinih; the application folder is the running program's.
class IniProfileFiles : public host::ProfileFiles {
 public:
  std::string ApplicationFolder() override;
  host::ProfileContents Read(const std::string& path) override;
};

}  // namespace lumvoucher::embedded
