#pragma once

#include <stdexcept>
#include <string>

namespace lumvoucher::host {

// The one exception type of data access. Carries the database's own text and, when a unique
// key was violated, the key's name (for example "VOUCHER_NOUNIQUE"), so that a caller can tell
// "number taken" from any other failure. Commands catch it at their boundary, roll back and show
// their own message; it never crosses InterFace.
class DatabaseError : public std::runtime_error {
 public:
  explicit DatabaseError(const std::string& text, std::string violated_key = {})
      : std::runtime_error(text), violated_key_(std::move(violated_key)) {}

  const std::string& ViolatedKey() const { return violated_key_; }
  bool Violates(const std::string& key_name) const;

 private:
  std::string violated_key_;
};

}  // namespace lumvoucher::host
