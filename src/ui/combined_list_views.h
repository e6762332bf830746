#pragma once

namespace lumvoucher::ui {

class Desktop;

// The combined lists of the dual basis ("凭证综合查询列表" with its pairs shaded grey where the
// financial and budget amounts differ, "凭证综合查询明细列表"): their views, their menu entries
// (only for an account set of the dual basis, whose login the desktop is built for) and the
// screen "unionlist".
void RegisterCombinedListViews(Desktop& desktop);

}  // namespace lumvoucher::ui
