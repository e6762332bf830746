#include "frame/grid_widths.h"

#include <charconv>

#include "frame/frame_texts.h"
#include "frame/settings.h"

namespace lumvoucher::frame {

namespace {
constexpr char kSeparator = '^';
constexpr char kHiddenMark = '$';
}  // namespace

std::string GridWidthKey(std::string_view window_name, std::string_view grid_name) {
  return "GridWidth_" + std::string(window_name) + "_" + std::string(grid_name);
}

std::string GridWidthsText(const std::vector<GridColumnWidth>& widths) {
  std::string text;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    if (i > 0) text += kSeparator;
    if (widths[i].hidden) text += kHiddenMark;
    text += std::to_string(widths[i].width);
  }
  return text;
}

std::vector<GridColumnWidth> ParseGridWidths(std::string_view text) {
  std::vector<GridColumnWidth> widths;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(kSeparator, start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view item = text.substr(start, end - start);
    GridColumnWidth column;
    if (!item.empty() && item.front() == kHiddenMark) {
      column.hidden = true;
      item.remove_prefix(1);
    }
    int width = 0;
    const auto [rest, error] = std::from_chars(item.data(), item.data() + item.size(), width);
    if (!item.empty() && error == std::errc() && rest == item.data() + item.size() && width >= 0) {
      column.width = width;
      widths.push_back(column);
    }
    start = end + 1;
  }
  return widths;
}

std::vector<GridColumnWidth> ReadGridWidths(std::string_view window_name,
                                            std::string_view grid_name) {
  return ParseGridWidths(ReadSetting(kSectionGeneralLedger, GridWidthKey(window_name, grid_name)));
}

void SaveGridWidths(std::string_view window_name, std::string_view grid_name,
                    const std::vector<GridColumnWidth>& widths) {
  WriteSetting(kSectionGeneralLedger, GridWidthKey(window_name, grid_name), GridWidthsText(widths));
}

}  // namespace lumvoucher::frame
