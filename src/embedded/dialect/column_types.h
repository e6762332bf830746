#pragma once

#include <optional>
#include <string_view>

namespace lumvoucher::dialect {

// What the translator needs to know of a value to keep Oracle's implicit conversions between
// text and numbers. kInteger is a number SQLite writes as Oracle does (no ".0").
enum class ValueType { kUnknown, kText, kInteger, kNumber };

inline bool IsNumeric(ValueType type) {
  return type == ValueType::kInteger || type == ValueType::kNumber;
}

// The declared column types of the database a translation runs on, implemented by the host.
// The translator asks while it translates only, and tells whether it asked
// (Translation::uses_column_types), so that a cache knows which translations a schema change
// touches.
class ColumnTypes {
 public:
  virtual ~ColumnTypes() = default;
  // The type of `column` of `table`, names as written in any case; nullopt when there is no such
  // table or the table has no such column.
  virtual std::optional<ValueType> Find(std::string_view table, std::string_view column) = 0;
};

// The type of a column declared as `declared` in SQLite ("INTEGER", "NUMERIC", "TEXT", ...), by
// SQLite's affinity rules. Types of no clear affinity (BLOB, none, DATE) are unknown.
ValueType TypeOfDeclared(std::string_view declared);

}  // namespace lumvoucher::dialect
