#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace lumvoucher::host {

// One field value as the database hands it over: null, integer, double or text.
// Conversions follow what the component expects of a recordset field: null reads as 0 or "",
// text reads as the number it starts with.
class Value {
 public:
  Value() = default;
  Value(std::nullptr_t) {}
  Value(std::int64_t v) : data_(v) {}
  Value(int v) : data_(static_cast<std::int64_t>(v)) {}
  Value(double v) : data_(v) {}
  Value(std::string v) : data_(std::move(v)) {}
  Value(std::string_view v) : data_(std::string(v)) {}
  Value(const char* v) : data_(std::string(v)) {}

  bool IsNull() const { return std::holds_alternative<std::monostate>(data_); }
  bool IsInteger() const { return std::holds_alternative<std::int64_t>(data_); }
  bool IsDouble() const { return std::holds_alternative<double>(data_); }
  bool IsText() const { return std::holds_alternative<std::string>(data_); }

  std::int64_t AsLong() const;
  double AsDouble() const;
  // Integers print without a decimal point; doubles in the shortest form that reads back equal.
  std::string AsText() const;
  bool AsBool() const { return AsLong() != 0; }

  bool operator==(const Value& other) const = default;

 private:
  std::variant<std::monostate, std::int64_t, double, std::string> data_;
};

}  // namespace lumvoucher::host
