#pragma once

#include <QDialog>
#include <string_view>

#include "host/data_access.h"
#include "host/host_services.h"
#include "host/preference_store.h"
#include "ui/filter_condition.h"

class QComboBox;
class QDateEdit;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace lumvoucher::embedded {
class EmbeddedFilter;
}

namespace lumvoucher::ui {

// The host's filter dialog for the voucher lists: fields, not SQL. Date range, period, voucher
// type, number range, summary, account (completed from the chart), amount range, maker,
// reviewer, poster and status; the raw SQL condition stays available under "高级". OK is offered
// only for a range that does not run backwards and numbers that are numbers.
class FilterDialog : public QDialog {
  Q_OBJECT

 public:
  // Reads the voucher types, operators and periods of the account set through `data`.
  FilterDialog(host::DataAccess& data, std::string_view list_title, const FilterFields& fields,
               QWidget* parent = nullptr);

  FilterFields Fields() const;
  // The condition, the dates and the description the list gets; meaningful after OK.
  host::FilterCondition Condition() const;

  QDateEdit* From() const { return from_; }
  QDateEdit* To() const { return to_; }
  QComboBox* Period() const { return period_; }
  QComboBox* VoucherType() const { return type_; }
  QLineEdit* NumberFrom() const { return number_from_; }
  QLineEdit* NumberTo() const { return number_to_; }
  QLineEdit* Summary() const { return summary_; }
  QLineEdit* Account() const { return account_; }
  QLineEdit* AmountFrom() const { return amount_from_; }
  QLineEdit* AmountTo() const { return amount_to_; }
  QComboBox* Maker() const { return maker_; }
  QComboBox* Checker() const { return checker_; }
  QComboBox* Poster() const { return poster_; }
  QComboBox* Status() const { return status_; }
  QGroupBox* AdvancedBox() const { return advanced_box_; }
  QPlainTextEdit* Advanced() const { return advanced_; }
  QDialogButtonBox* Buttons() const { return buttons_; }

 private:
  void Show(const FilterFields& fields);
  void Check();

  QDateEdit* from_ = nullptr;
  QDateEdit* to_ = nullptr;
  QComboBox* period_ = nullptr;
  QComboBox* type_ = nullptr;
  QLineEdit* number_from_ = nullptr;
  QLineEdit* number_to_ = nullptr;
  QLineEdit* summary_ = nullptr;
  QLineEdit* account_ = nullptr;
  QLineEdit* amount_from_ = nullptr;
  QLineEdit* amount_to_ = nullptr;
  QComboBox* maker_ = nullptr;
  QComboBox* checker_ = nullptr;
  QComboBox* poster_ = nullptr;
  QComboBox* status_ = nullptr;
  QGroupBox* advanced_box_ = nullptr;
  QPlainTextEdit* advanced_ = nullptr;
  QLabel* problem_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

// The fields as the preference store keeps them, and back (unknown keys are ignored).
std::string EncodeFilter(const FilterFields& fields);
FilterFields DecodeFilter(const std::string& text);

// Makes the embedded host's filter answer with this dialog, parented to `parent`. The last
// fields each operator chose for a list are kept in `preferences` and proposed next time.
void InstallFilterDialog(embedded::EmbeddedFilter& filter, host::DataAccess& data,
                         host::PreferenceStore& preferences, QWidget* parent);

}  // namespace lumvoucher::ui
