#pragma once

namespace lumvoucher::ui {

class Desktop;

// The standard vouchers' dialogs, the external posting window, its menu entry ("外部数据记账接口")
// and its screen ("voucherio").
void RegisterTemplateViews(Desktop& desktop);

}  // namespace lumvoucher::ui
