#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "embedded/dialect/column_types.h"

struct sqlite3;
struct sqlite3_stmt;

namespace lumvoucher::embedded {

// The declared column types of a connection's tables, for the dialect's implicit conversions.
// Each table is read once and kept until Forget, which the statement cache calls when the
// schema changes.
class SchemaColumnTypes : public dialect::ColumnTypes {
 public:
  explicit SchemaColumnTypes(sqlite3* db) : db_(db) {}
  ~SchemaColumnTypes() override;  // finalizes its statement: before the connection closes
  SchemaColumnTypes(const SchemaColumnTypes&) = delete;
  SchemaColumnTypes& operator=(const SchemaColumnTypes&) = delete;

  std::optional<dialect::ValueType> Find(std::string_view table, std::string_view column) override;
  void Forget() { tables_.clear(); }

 private:
  sqlite3* db_;
  sqlite3_stmt* read_ = nullptr;
  // Upper-case table name -> upper-case column name -> type; no columns: no such table.
  std::unordered_map<std::string, std::unordered_map<std::string, dialect::ValueType>> tables_;
};

}  // namespace lumvoucher::embedded
