#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace lumvoucher::ui {

// The grids' cells with the current one always marked: a frame in kCurrentFrame around it, and
// the selection keeping its colour while a message box or a dialog has the focus, so the
// accountant never loses his place.
class CurrentCellDelegate : public QStyledItemDelegate {
 public:
  static inline const QColor kCurrentFrame{0x1f, 0x5f, 0xbf};

  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace lumvoucher::ui
