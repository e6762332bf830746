#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lists/voucher_list.h"

namespace lumvoucher::lists {

// What the two combined lists of the dual basis add to the voucher list: a row stands for a
// voucher of either basis (or a pair, by its leading voucher), opening a row or starting a new
// voucher goes to the paired window, and cashier signature, posting and void act on both
// vouchers of the pair in one transaction (list_commands.h). Item rights count the lines of
// both bases in the voucher list's work tables.
//
// Command menu: open, cashier signature, void, show all, post, filter, columns, refresh, print,
// and the batch dialog over the pairs the list shows (frmBatchVoucher). The commands of the
// single basis that act on one voucher of it (reversal and its linked voucher, cash flow, memo
// registration, deleting one voucher, volumes, continuity, the department cost print, external
// data) are not offered and answer false.
class CombinedList : public VoucherList {
 public:
  using VoucherList::VoucherList;

  bool RunAction(ListAction action) override;

  struct RowVoucher {
    long id = 0;    // 0: no row selected
    int basis = 0;  // 1 financial, 2 budget
  };
  // The voucher the selected row stands for. Database errors propagate.
  virtual RowVoucher SelectedRowVoucher() const = 0;
  // A condition over BudgetVoucherRelevance keeping the pairs of the rows shown.
  virtual std::string ShownPairs() const = 0;

 protected:
  // The row keys, each once.
  std::vector<std::int64_t> ShownIds() const;
  void ClearWorkTables() override;
  // Their rights are filled over both bases before the rows are read (PrepareRights).
  bool ReadsInSteps() const override { return false; }
  std::vector<MenuItem> BuildMenu() const override;
  bool ShowNewVoucherWindow() override;

 private:
  bool OpenSelectedPair();
};

}  // namespace lumvoucher::lists
