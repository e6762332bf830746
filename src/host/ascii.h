#pragma once

#include <string>
#include <string_view>

namespace lumvoucher::host {

// Oracle folds unquoted names to upper case, byte by byte in the ASCII range; Chinese text in
// names (UTF-8 bytes >= 0x80) is left alone.
std::string AsciiUpper(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace lumvoucher::host
