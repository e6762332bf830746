#pragma once

#include <string>
#include <vector>

#include "host/voucher_basis.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::dualbasis {

class clsVoucherNew;

// One side of the paired window (frmVoucherFinance, frmVoucherBudget): the voucher window on
// the vouchers of one basis. It is shown inside the pair window, and every write of its voucher
// (the pair save, a program's SaveAVoucher) writes the pair row with the other side's current
// id in the same transaction, so a voucher is never stored without its pair row.
class VoucherEditor : public voucher::frmVoucher {
 public:
  VoucherEditor(const host::VoucherBasis& basis, clsVoucherNew& pair)
      : frmVoucher(basis), pair_(pair) {}
  std::string WindowName() const override;

  bool IsChanged() const { return State().must_save; }
  void SetChanged(bool on) { MutableState().must_save = on; }
  long GetLngNowID() const { return State().header.voucher_id; }
  // Whether the grid holds a line anything was entered in.
  bool HasLines() const;
  // The debit column's total (grid column 4).
  double DebitTotal() const { return State().totals.debit; }
  // The voucher's number shared with its partner: the pair is checked against other vouchers
  // but not against itself.
  void SetPartner(long partner_id) { MutableState().header.partner_voucher_id = partner_id; }
  // Takes type, number and date of the other side: a new voucher of a pair is numbered as its
  // partner.
  void FollowHeader(const voucher::VoucherHeader& other);
  // The stored voucher went (the cash-flow step deleted it): the editor holds it as new.
  void ForgetStored();
  // Cells are committed as they are typed here; the view commits the one being edited first.
  bool ISaveInput2Form() { return true; }
  // Replaces the grid with `lines` (a template's or a derivation's) and marks it changed; the
  // stored lines they replace go at the save.
  void PutLines(std::vector<voucher::VoucherLine> lines);

  // The save's pieces, for the pair's one transaction.
  using frmVoucher::CheckForSave;
  using frmVoucher::MarksSaved;
  using frmVoucher::Notify;
  using frmVoucher::OnlyMarksChanged;
  using frmVoucher::ReportWriteFailure;
  using frmVoucher::SaveRequest;
  using frmVoucher::TakeAnotherNumber;
  using frmVoucher::TakeWritten;
  using frmVoucher::WriteInTransaction;

 protected:
  void ShowWindow() override;
  bool OnScreen() const override;
  void WrittenInTransaction(long voucher_id) override;
  long PairPartnerId() const override;
  bool ConfirmParallelRules() override;

 private:
  clsVoucherNew& pair_;
};

}  // namespace lumvoucher::dualbasis
