#include "embedded/dialect/translate_error.h"

#include <string>

namespace lumvoucher::dialect {

void Unsupported(const std::string& construct, std::size_t offset) {
  throw TranslateError("unsupported construct " + construct, offset);
}

void Refused(const std::string& message, std::size_t offset) {
  throw TranslateError(message, offset);
}

std::string DescribePosition(std::string_view text, std::size_t offset) {
  std::size_t line = 1;
  std::size_t column = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      ++line;
      column = 1;
    } else if ((c & 0xC0) != 0x80) {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace lumvoucher::dialect
