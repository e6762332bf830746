#pragma once

namespace lumvoucher::ui {

class Desktop;

// The numbering windows' dialogs, the number window's menu entry ("凭证编号查询") and their
// screens ("renumber", "continuity", "volume").
void RegisterNumberingViews(Desktop& desktop);

}  // namespace lumvoucher::ui
