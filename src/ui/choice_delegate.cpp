#include "ui/choice_delegate.h"

#include <QComboBox>
#include <QCompleter>

namespace lumvoucher::ui {

ChoiceDelegate::ChoiceDelegate(OfferOf offer, QObject* parent)
    : QStyledItemDelegate(parent), offer_(std::move(offer)) {}

QWidget* ChoiceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
  const Offer offer = offer_(index);
  if (offer.choices.isEmpty() && !offer.typed) {
    return QStyledItemDelegate::createEditor(parent, option, index);
  }
  auto* combo = new QComboBox(parent);
  combo->setEditable(offer.typed);
  combo->addItems(offer.choices);
  if (offer.typed) {
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->completer()->setCompletionMode(QCompleter::PopupCompletion);
    combo->completer()->setFilterMode(Qt::MatchContains);
  }
  return combo;
}

void ChoiceDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    combo->setCurrentText(index.data(Qt::EditRole).toString());
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void ChoiceDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    model->setData(index, combo->currentText(), Qt::EditRole);
    return;
  }
  QStyledItemDelegate::setModelData(editor, model, index);
}

QString CodeOf(const QString& choice) {
  return choice.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
}

}  // namespace lumvoucher::ui
