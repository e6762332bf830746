#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/value.h"

namespace lumvoucher::host {

// The rows of a query, held in memory (a static, read-only cursor). Fields are found by name,
// case-insensitively as Oracle does, or by position. A cursor walks the rows as the component's
// loops expect (Eof / MoveNext); Row(i) reaches any row directly.
class Recordset {
 public:
  using Row = std::vector<Value>;

  Recordset() = default;
  Recordset(std::vector<std::string> columns, std::vector<Row> rows);

  std::size_t FieldCount() const { return columns_.size(); }
  const std::string& FieldName(std::size_t index) const { return columns_.at(index); }
  // Position of a field, or -1 when the query has no such column.
  int FieldIndex(std::string_view name) const;
  bool HasField(std::string_view name) const { return FieldIndex(name) >= 0; }

  std::size_t RecordCount() const { return rows_.size(); }
  bool Empty() const { return rows_.empty(); }

  bool Eof() const { return position_ >= rows_.size(); }
  void MoveFirst() { position_ = 0; }
  void MoveNext() { ++position_; }
  std::size_t Position() const { return position_; }

  // Fields of the current row. Throws DatabaseError for an unknown field or past the end,
  // as a driver would.
  const Value& operator[](std::string_view name) const;
  const Value& operator[](std::size_t index) const;

  const Row& RowAt(std::size_t row) const { return rows_.at(row); }
  const Value& At(std::size_t row, std::string_view name) const;
  const std::vector<Row>& Rows() const { return rows_; }
  // The rows, moved out: a list of many rows is not copied.
  std::vector<Row> TakeRows() && { return std::move(rows_); }

 private:
  std::size_t RequireField(std::string_view name) const;

  std::vector<std::string> columns_;
  std::vector<Row> rows_;
  // Upper-cased name -> position, made at the first look-up by name in a wide result; a narrow
  // one (most queries) is searched in place, which costs less than making the index.
  mutable std::unordered_map<std::string, std::size_t> index_;
  std::size_t position_ = 0;
};

}  // namespace lumvoucher::host
