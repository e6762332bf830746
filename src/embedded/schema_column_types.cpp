#include "embedded/schema_column_types.h"

#include <sqlite3.h>

#include "embedded/dialect/tokenizer.h"

namespace lumvoucher::embedded {

SchemaColumnTypes::~SchemaColumnTypes() {
  sqlite3_finalize(read_);
}

std::optional<dialect::ValueType> SchemaColumnTypes::Find(std::string_view table,
                                                          std::string_view column) {
  const std::string key = dialect::ToUpper(table);
  auto found = tables_.find(key);
  if (found == tables_.end()) {
    found = tables_.emplace(key, std::unordered_map<std::string, dialect::ValueType>()).first;
    // Without the statement or the table, every column is unknown: nothing is converted.
    if (read_ == nullptr &&
        sqlite3_prepare_v3(db_, "SELECT name, type FROM pragma_table_info(?1)", -1,
                           SQLITE_PREPARE_PERSISTENT, &read_, nullptr) != SQLITE_OK) {
      sqlite3_finalize(read_);
      read_ = nullptr;
    }
    if (read_ != nullptr) {
      sqlite3_bind_text(read_, 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
      while (sqlite3_step(read_) == SQLITE_ROW) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(read_, 0));
        const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(read_, 1));
        found->second[dialect::ToUpper(name ? name : "")] =
            dialect::TypeOfDeclared(type ? type : "");
      }
      sqlite3_reset(read_);
    }
  }
  auto type = found->second.find(dialect::ToUpper(column));
  if (type == found->second.end()) return std::nullopt;
  return type->second;
}

}  // namespace lumvoucher::embedded
