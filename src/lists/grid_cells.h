#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/recordset.h"
#include "host/value.h"

namespace lumvoucher::lists {

// The text a grid cell of a list shows: amounts with the account set's decimals, null empty.
std::string CellTextOf(const host::Value& value);

// The position of the column captioned `caption`, or -1.
template <class Columns>
int ColumnIndexOf(const Columns& columns, std::string_view caption) {
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].caption == caption) return static_cast<int>(i);
  }
  return -1;
}

// The candidate grids (the batch dialog, the continuity window) keep a tick in column 0 of each
// row: "√" when ticked, "" otherwise. Rows out of range are neither ticked nor changed.
using GridRows = std::vector<host::Recordset::Row>;
void SetTicked(GridRows& rows, int row, bool on);
bool IsTicked(const GridRows& rows, int row);
void SetAllTicked(GridRows& rows, bool on);
int TickedCount(const GridRows& rows);

}  // namespace lumvoucher::lists
