#pragma once

#include <string>

#include "host/modal_runner.h"
#include "templates/std_voucher_store.h"

namespace lumvoucher::voucher {
class frmVoucher;
}

namespace lumvoucher::templates {

// The dialog that saves the voucher on screen as a standard voucher ("生成样板凭证"): it asks
// for a number and a name. The dialog's buttons are Ok and Close; the dialog ends when Done()
// turns true. A save is one transaction: a failure leaves no row of it.
class frmCreateStdVoucher : public host::ModalWindow {
 public:
  std::string WindowName() const override;

  // Saves the voucher of `frmSource` (the single-basis window: blnFinance true) as a
  // standard voucher of the basis; blnCreated tells whether one was written.
  bool CreateVoucher(const voucher::frmVoucher& frmSource, bool blnFinance, bool& blnCreated);
  bool CreateVoucher(const StdVoucherSource& source, bool blnFinance, bool& blnCreated);
  // The paired form: both vouchers under one number and name, the financial pair first. A
  // failure removes what either write had added and shows "保存失败".
  bool CreateVoucherAll(const StdVoucherSource& finance, const StdVoucherSource& budget,
                        bool blnFinance, long& lngFinanceStdID, long& lngBudgetStdID,
                        bool& blnCreated);

  // The dialog's fields and buttons.
  void SetNumber(const std::string& number);
  void SetName(const std::string& name);
  const std::string& Number() const { return number_; }
  const std::string& Name() const { return name_; }
  // Checks and saves; the dialog stays open when a check fails or the user chose Cancel.
  void Ok();
  // Closing with typed but unsaved input asks whether to save it first; false keeps the
  // dialog open.
  bool Close();
  bool Done() const { return done_; }

 private:
  bool Run();
  bool Save();

  const StdVoucherSource* finance_ = nullptr;
  const StdVoucherSource* budget_ = nullptr;
  StdBasis basis_ = StdBasis::kFinance;
  std::string number_;
  std::string name_;
  bool typed_ = false;
  bool done_ = false;
  bool created_ = false;
  long finance_id_ = 0;
  long budget_id_ = 0;
};

}  // namespace lumvoucher::templates
