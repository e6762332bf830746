#include "host/database_error.h"

#include <algorithm>
#include <cctype>

namespace lumvoucher::host {

bool DatabaseError::Violates(const std::string& key_name) const {
  // Oracle names constraints in upper case; callers may not.
  return violated_key_.size() == key_name.size() &&
         std::equal(violated_key_.begin(), violated_key_.end(), key_name.begin(), [](char a, char b) {
           return std::toupper(static_cast<unsigned char>(a)) ==
                  std::toupper(static_cast<unsigned char>(b));
         });
}

}  // namespace lumvoucher::host
