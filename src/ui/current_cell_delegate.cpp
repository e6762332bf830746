#include "ui/current_cell_delegate.h"

#include <QAbstractItemView>
#include <QPainter>

namespace lumvoucher::ui {

void CurrentCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  QStyleOptionViewItem cell(option);
  cell.state |= QStyle::State_Active;
  // The style's dotted focus rectangle is replaced by the frame below.
  cell.state &= ~QStyle::State_HasFocus;
  QStyledItemDelegate::paint(painter, cell, index);
  const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
  if (view == nullptr || view->currentIndex() != index) return;
  painter->save();
  painter->setPen(QPen(kCurrentFrame, 2));
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
  painter->restore();
}

}  // namespace lumvoucher::ui
