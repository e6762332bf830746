#include "host/value.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace lumvoucher::host {

std::int64_t Value::AsLong() const {
  if (auto* i = std::get_if<std::int64_t>(&data_)) return *i;
  if (auto* d = std::get_if<double>(&data_)) return static_cast<std::int64_t>(std::llround(*d));
  if (auto* s = std::get_if<std::string>(&data_)) {
    return static_cast<std::int64_t>(std::llround(std::strtod(s->c_str(), nullptr)));
  }
  return 0;
}

double Value::AsDouble() const {
  if (auto* i = std::get_if<std::int64_t>(&data_)) return static_cast<double>(*i);
  if (auto* d = std::get_if<double>(&data_)) return *d;
  if (auto* s = std::get_if<std::string>(&data_)) return std::strtod(s->c_str(), nullptr);
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
