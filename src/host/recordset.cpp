#include "host/recordset.h"

#include "host/ascii.h"
#include "host/database_error.h"

namespace lumvoucher::host {

namespace {
constexpr std::size_t kIndexedWidth = 24;

// Callers mostly spell a name as the query does: that is a plain comparison.
bool SameName(std::string_view column, std::string_view name) {
  return column.size() == name.size() && (column == name || EqualsIgnoreCase(column, name));
}
}  // namespace

Recordset::Recordset(std::vector<std::string> columns, std::vector<Row> rows)
    : data_(std::make_shared<Data>(Data{std::move(columns), std::move(rows), {}})) {}

const std::vector<std::string>& Recordset::Columns() const {
  static const std::vector<std::string> kNone;
  return data_ ? data_->columns : kNone;
}

const std::vector<Recordset::Row>& Recordset::Rows() const {
  static const std::vector<Row> kNone;
  return data_ ? data_->rows : kNone;
}

std::vector<Recordset::Row> Recordset::TakeRows() && {
  if (!data_) return {};
  std::shared_ptr<Data> data = std::move(data_);
  if (data.use_count() == 1) return std::move(data->rows);
  return data->rows;
}

// A query may name two columns alike; the first one wins, as with a driver's collection.
int Recordset::FieldIndex(std::string_view name) const {
  const std::vector<std::string>& columns = Columns();
  if (columns.size() <= kIndexedWidth) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (SameName(columns[i], name)) return static_cast<int>(i);
    }
    return -1;
  }
  std::unordered_map<std::string, std::size_t>& index = data_->index;
  if (index.empty()) {
    for (std::size_t i = 0; i < columns.size(); ++i) index.emplace(AsciiUpper(columns[i]), i);
  }
  auto it = index.find(AsciiUpper(name));
  return it == index.end() ? -1 : static_cast<int>(it->second);
}

std::size_t Recordset::RequireField(std::string_view name) const {
  int index = FieldIndex(name);
  if (index < 0) throw DatabaseError("字段“" + std::string(name) + "”不在查询结果中");
  return static_cast<std::size_t>(index);
}

const Value& Recordset::operator[](std::string_view name) const {
  std::size_t field = RequireField(name);
  if (Eof()) throw DatabaseError("记录已到末尾");
  return data_->rows[position_][field];
}

const Value& Recordset::operator[](std::size_t index) const {
  if (Eof()) throw DatabaseError("记录已到末尾");
  if (index >= data_->columns.size()) throw DatabaseError("字段序号超出范围");
  return data_->rows[position_][index];
}

const Value& Recordset::At(std::size_t row, std::string_view name) const {
  return Rows().at(row)[RequireField(name)];
}

}  // namespace lumvoucher::host
