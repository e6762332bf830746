#include "lists/grid_cells.h"

#include <cstdio>

#include "frame/login_state.h"

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

}  // namespace lumvoucher::lists
