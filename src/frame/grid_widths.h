#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumvoucher::frame {

// Column widths of a window's grid, kept as a setting of the current organisation under the
// section "总账" with the key "GridWidth_" + window + "_" + grid.
//
// The value lists the widths in column order separated by "^". A column the user has hidden
// carries the mark "$" before its width, so that showing it again restores the width it had:
//   "1200^$800^300"  = 1200, 800 (hidden), 300.
// Items that are not a width (empty, cut off by a short column) are skipped on reading.
struct GridColumnWidth {
  int width = 0;
  bool hidden = false;
  bool operator==(const GridColumnWidth&) const = default;
};

std::string GridWidthKey(std::string_view window_name, std::string_view grid_name);
std::string GridWidthsText(const std::vector<GridColumnWidth>& widths);
std::vector<GridColumnWidth> ParseGridWidths(std::string_view text);

// No stored value reads as no widths: the grid keeps its designed ones.
std::vector<GridColumnWidth> ReadGridWidths(std::string_view window_name,
                                            std::string_view grid_name);
void SaveGridWidths(std::string_view window_name, std::string_view grid_name,
                    const std::vector<GridColumnWidth>& widths);

}  // namespace lumvoucher::frame
