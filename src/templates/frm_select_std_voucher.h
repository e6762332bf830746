#pragma once

#include <string>
#include <vector>

#include "host/modal_runner.h"
#include "templates/std_voucher_store.h"

namespace lumvoucher::templates {

// One row of a chooser: "ID", "编号", "名称" of its query.
struct StdVoucherRow {
  long id = 0;
  std::string number;
  std::string name;
};

// What both choosers share: the list, choosing a row (OK), cancelling, and deleting a row
// after the question. Rows count from 0. The dialog ends when Done() turns true.
class StdVoucherChooser : public host::ModalWindow {
 public:
  const std::vector<StdVoucherRow>& Rows() const { return rows_; }
  // OK on a row; false for a row that is not there.
  bool Choose(int row);
  void Cancel() { done_ = true; }
  bool Done() const { return done_; }
  // Asks, deletes the row's standard voucher (every table of it in one transaction) and
  // refreshes the list; false when declined or refused ("删除样板凭证“...”错误！", the list
  // kept).
  bool Delete(int row);
  // Fills the list; false (after the message) when the query fails.
  bool Refresh();

 protected:
  virtual std::string ListSql() const = 0;
  virtual void Chosen(const StdVoucherRow& row) = 0;
  virtual void Remove(const StdVoucherRow& row) = 0;
  void Reset() { done_ = false; }

 private:
  std::vector<StdVoucherRow> rows_;
  bool done_ = false;
};

// Chooses (or deletes) a standard voucher of one basis.
class frmSelectStdVoucher : public StdVoucherChooser {
 public:
  std::string WindowName() const override;
  // Lists the organisation's standard vouchers of the basis by number and answers the chosen
  // id in lngStdVoucherID (0 when cancelled); true when one was chosen.
  bool SelectVoucher(bool blnFinance, long& lngStdVoucherID);

 protected:
  std::string ListSql() const override;
  void Chosen(const StdVoucherRow& row) override { chosen_ = row.id; }
  void Remove(const StdVoucherRow& row) override;

 private:
  StdBasis basis_ = StdBasis::kFinance;
  long chosen_ = 0;
};

// Chooses (or deletes) a pair of standard vouchers across both bases, by number: a number is
// listed once even when both bases hold it.
class frmSelectStdVoucherAll : public StdVoucherChooser {
 public:
  std::string WindowName() const override;
  // The ids of the chosen number in each basis, 0 for a basis that has none; false when
  // cancelled.
  bool SelectVoucher(long& lngFinanceStdID, long& lngBudgetStdID);

 protected:
  std::string ListSql() const override;
  void Chosen(const StdVoucherRow& row) override;
  void Remove(const StdVoucherRow& row) override;

 private:
  long finance_ = 0;
  long budget_ = 0;
  bool chosen_ = false;
};

}  // namespace lumvoucher::templates
