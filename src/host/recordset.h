#pragma once

#include <cstddef>
#include <memory>
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

  std::size_t FieldCount() const { return Columns().size(); }
  const std::string& FieldName(std::size_t index) const { return Columns().at(index); }
  // Position of a field, or -1 when the query has no such column.
  int FieldIndex(std::string_view name) const;
  bool HasField(std::string_view name) const { return FieldIndex(name) >= 0; }

  std::size_t RecordCount() const { return Rows().size(); }
  bool Empty() const { return Rows().empty(); }

  bool Eof() const { return position_ >= Rows().size(); }
  void MoveFirst() { position_ = 0; }
  void MoveNext() { ++position_; }
  std::size_t Position() const { return position_; }

  // Fields of the current row. Throws DatabaseError for an unknown field or past the end,
  // as a driver would.
  const Value& operator[](std::string_view name) const;
  const Value& operator[](std::size_t index) const;

  const Row& RowAt(std::size_t row) const { return Rows().at(row); }
  const Value& At(std::size_t row, std::string_view name) const;
  const std::vector<Row>& Rows() const;
  // The rows, moved out when no copy shares them: a list of many rows is not copied.
  std::vector<Row> TakeRows() &&;

 private:
  // The result itself, which never changes: copies share it, so handing out a remembered
  // result costs no copy of its names and values.
  struct Data {
    std::vector<std::string> columns;
    std::vector<Row> rows;
    // Upper-cased name -> position, made at the first look-up by name in a wide result; a
    // narrow one (most queries) is searched in place, which costs less than making the index.
    mutable std::unordered_map<std::string, std::size_t> index;
  };

  const std::vector<std::string>& Columns() const;
  std::size_t RequireField(std::string_view name) const;

  std::shared_ptr<Data> data_;  // null for a result of no columns and no rows
  std::size_t position_ = 0;
};

}  // namespace lumvoucher::host
