#pragma once

#include <QDialog>
#include <QPointer>
#include <string_view>

#include "host/host_services.h"

class QDateEdit;
class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;

namespace lumvoucher::embedded {
class EmbeddedFilter;
}

namespace lumvoucher::ui {

// The host's filter dialog for the lists: a date range and a condition in Oracle SQL over the
// list's tables ("Voucher.lngOperatorID = 2"). OK is offered only for a range that does not run
// backwards.
class FilterDialog : public QDialog {
  Q_OBJECT

 public:
  FilterDialog(std::string_view list_title, const host::FilterCondition& current,
               QWidget* parent = nullptr);

  // The user's choice; meaningful after the dialog was accepted.
  host::FilterCondition Condition() const;

  QDateEdit* From() const { return from_; }
  QDateEdit* To() const { return to_; }
  QPlainTextEdit* ConditionEdit() const { return condition_; }
  QDialogButtonBox* Buttons() const { return buttons_; }

 private:
  void Check();

  QDateEdit* from_ = nullptr;
  QDateEdit* to_ = nullptr;
  QPlainTextEdit* condition_ = nullptr;
  QLabel* problem_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

// Makes the embedded host's filter answer with this dialog, parented to `parent`.
void InstallFilterDialog(embedded::EmbeddedFilter& filter, QWidget* parent);

}  // namespace lumvoucher::ui
