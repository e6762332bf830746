#include "host/database_error.h"

#include "host/ascii.h"

namespace lumvoucher::host {

bool DatabaseError::Violates(const std::string& key_name) const {
  // Oracle names constraints in upper case; callers may not.
  return EqualsIgnoreCase(violated_key_, key_name);
}

}  // namespace lumvoucher::host
