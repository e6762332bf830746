#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace lumvoucher::ui {

// The presenter's columns that a grid shows: a list keeps hidden key columns (ids, basis) that
// the view must skip, so grid and presenter number their columns differently.
class VisibleColumns {
 public:
  // Takes the columns in presenter order; each has a `visible` flag.
  template <class Columns>
  void Rebuild(const Columns& columns) {
    shown_.clear();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (columns[i].visible) shown_.push_back(static_cast<int>(i));
    }
  }
  int Count() const { return static_cast<int>(shown_.size()); }
  // The presenter's column of a grid column, and back; -1 when there is none.
  int ListColumn(int grid_column) const {
    if (grid_column < 0 || grid_column >= Count()) return -1;
    return shown_[static_cast<std::size_t>(grid_column)];
  }
  int GridColumn(int list_column) const {
    auto at = std::find(shown_.begin(), shown_.end(), list_column);
    return at == shown_.end() ? -1 : static_cast<int>(at - shown_.begin());
  }

 private:
  std::vector<int> shown_;
};

}  // namespace lumvoucher::ui
