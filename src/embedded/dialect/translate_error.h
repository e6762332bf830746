#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace lumvoucher::dialect {

// A statement the dialect cannot run. `offset` is the byte offset in the Oracle text of the
// construct named in the message; what() adds its line and column.
class TranslateError : public std::runtime_error {
 public:
  TranslateError(const std::string& message, std::size_t offset)
      : std::runtime_error(message), offset_(offset) {}

  std::size_t Offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// "unsupported construct CONNECT BY" at the offset: thrown for anything Oracle accepts and the
// dialect does not translate.
[[noreturn]] void Unsupported(const std::string& construct, std::size_t offset);
// A statement Oracle itself would refuse (ORA text given by the caller).
[[noreturn]] void Refused(const std::string& message, std::size_t offset);

// "line L, column C" of a byte offset (columns count characters, not bytes).
std::string DescribePosition(std::string_view text, std::size_t offset);

}  // namespace lumvoucher::dialect
