#include "lists/grid_cells.h"

#include <cstdio>

#include "frame/login_state.h"
#include "lists/list_texts.h"

namespace lumvoucher::lists {

std::string CellTextOf(const host::Value& value) {
  if (value.IsNull()) return std::string();
  if (value.IsDouble()) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", frame::Context().AmountDecimals(),
                  value.AsDouble());
    return buffer;
  }
  return value.AsText();
}

void SetTicked(GridRows& rows, int row, bool on) {
  if (row < 0 || row >= static_cast<int>(rows.size())) return;
  rows[static_cast<std::size_t>(row)][0] = host::Value(on ? texts::kBatchTickMark : "");
}

bool IsTicked(const GridRows& rows, int row) {
  if (row < 0 || row >= static_cast<int>(rows.size())) return false;
  return rows[static_cast<std::size_t>(row)][0].AsText() == texts::kBatchTickMark;
}

void SetAllTicked(GridRows& rows, bool on) {
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) SetTicked(rows, row, on);
}

int TickedCount(const GridRows& rows) {
  int n = 0;
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) n += IsTicked(rows, row) ? 1 : 0;
  return n;
}

}  // namespace lumvoucher::lists
