#include "host/value.h"

#include <charconv>
#include <cmath>

#include "host/decimal_text.h"

namespace lumvoucher::host {

std::int64_t Value::AsLong() const {
  if (auto* i = std::get_if<std::int64_t>(&data_)) return *i;
  // Beyond the 64-bit range (or NaN) llround has no answer: such a value reads as 0.
  const double d = AsDouble();
  if (!(std::fabs(d) < 9.2e18)) return 0;
  return static_cast<std::int64_t>(std::llround(d));
}

double Value::AsDouble() const {
  if (auto* i = std::get_if<std::int64_t>(&data_)) return static_cast<double>(*i);
  if (auto* d = std::get_if<double>(&data_)) return *d;
  if (auto* s = std::get_if<std::string>(&data_)) return LeadingDecimal(*s);
  return 0.0;
}

std::string Value::AsText() const {
  if (auto* i = std::get_if<std::int64_t>(&data_)) return std::to_string(*i);
  if (auto* d = std::get_if<double>(&data_)) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, *d);
    return ec == std::errc() ? std::string(buf, end) : std::string();
  }
  if (auto* s = std::get_if<std::string>(&data_)) return *s;
  return std::string();
}

}  // namespace lumvoucher::host
