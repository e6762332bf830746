#include "host/cls_base_class.h"

#include <cmath>
#include <limits>
#include <string>

#include "host/decimal_text.h"

namespace lumvoucher::host {

double clsBaseClass::TextToDouble(std::string_view text) {
  return LeadingDecimal(text);
}

long clsBaseClass::TextToLong(std::string_view text) {
  const double value = std::round(TextToDouble(text));
  constexpr double kLimit = static_cast<double>(std::numeric_limits<long>::max());
  if (value >= kLimit) return std::numeric_limits<long>::max();
  if (value <= -kLimit) return std::numeric_limits<long>::min();
  return static_cast<long>(value);
}

std::string clsBaseClass::DecimalFormat(int decimals) {
  if (decimals <= 0) return "0";
  return "0." + std::string(static_cast<std::size_t>(decimals), '0');
}

}  // namespace lumvoucher::host
