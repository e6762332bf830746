#pragma once

#include <QStringList>
#include <QStyledItemDelegate>
#include <functional>

namespace lumvoucher::ui {

// The cells of a grid that take one of a list (the cash-flow items, memo items, contracts): the
// choices the presenter offers for the cell, completed by any part of "code name" as the user
// types where typing is allowed. Cells without choices get the default editor. The chosen text
// goes to the model like a typed one, so the presenter checks it as usual.
class ChoiceDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  struct Offer {
    QStringList choices;
    bool typed = false;  // the user may type (and complete) rather than only pick
  };
  using OfferOf = std::function<Offer(const QModelIndex& index)>;

  ChoiceDelegate(OfferOf offer, QObject* parent);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 private:
  OfferOf offer_;
};

// The code of a chooser's "code name" text: what the presenters look choices up by.
QString CodeOf(const QString& choice);

}  // namespace lumvoucher::ui
