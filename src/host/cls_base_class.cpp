#include "host/cls_base_class.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace lumvoucher::host {

double clsBaseClass::TextToDouble(std::string_view text) {
  // Like the host utility: blanks skipped, thousands separators ignored, trailing junk ignored.
  std::string clean;
  for (char c : text) {
    if (c != ',' && c != ' ') clean.push_back(c);
  }
  return std::strtod(clean.c_str(), nullptr);
}

long clsBaseClass::TextToLong(std::string_view text) {
  return static_cast<long>(std::lround(TextToDouble(text)));
}

std::string clsBaseClass::DecimalFormat(int decimals) {
  if (decimals <= 0) return "0";
  return "0." + std::string(static_cast<std::size_t>(decimals), '0');
}

}  // namespace lumvoucher::host
