#include "host/recordset.h"

#include "host/ascii.h"
#include "host/database_error.h"

namespace lumvoucher::host {

namespace {
constexpr std::size_t kIndexedWidth = 24;
}  // namespace

Recordset::Recordset(std::vector<std::string> columns, std::vector<Row> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

// A query may name two columns alike; the first one wins, as with a driver's collection.
int Recordset::FieldIndex(std::string_view name) const {
  if (columns_.size() <= kIndexedWidth) {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      if (EqualsIgnoreCase(columns_[i], name)) return static_cast<int>(i);
    }
    return -1;
  }
  if (index_.empty()) {
    for (std::size_t i = 0; i < columns_.size(); ++i) index_.emplace(AsciiUpper(columns_[i]), i);
  }
  auto it = index_.find(AsciiUpper(name));
  return it == index_.end() ? -1 : static_cast<int>(it->second);
}

std::size_t Recordset::RequireField(std::string_view name) const {
  int index = FieldIndex(name);
  if (index < 0) throw DatabaseError("字段“" + std::string(name) + "”不在查询结果中");
  return static_cast<std::size_t>(index);
}

const Value& Recordset::operator[](std::string_view name) const {
  std::size_t field = RequireField(name);
  if (Eof()) throw DatabaseError("记录已到末尾");
  return rows_[position_][field];
}

const Value& Recordset::operator[](std::size_t index) const {
  if (Eof()) throw DatabaseError("记录已到末尾");
  if (index >= columns_.size()) throw DatabaseError("字段序号超出范围");
  return rows_[position_][index];
}

const Value& Recordset::At(std::size_t row, std::string_view name) const {
  return rows_.at(row)[RequireField(name)];
}

}  // namespace lumvoucher::host
