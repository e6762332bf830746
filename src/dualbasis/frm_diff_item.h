#pragma once

#include <string>
#include <vector>

#include "dualbasis/diff_allocation.h"
#include "host/modal_runner.h"

namespace lumvoucher::dualbasis {

// A detail difference item offered for a line.
struct DiffItemChoice {
  long id = 0;
  std::string code;
  std::string name;
};

struct DiffItemState {
  long financial_id = 0;
  long budget_id = 0;
  // The allocation lines, financial first; `item_id`, `item` and `allocated` are the edits.
  std::vector<DiffLine> rows;
  bool saved = false;
  bool closed = false;
};

// frmDiffItem: the allocation editor of a voucher pair. Rows count from 1; only the difference
// item ("差异项目") and the allocated amount ("分配金额") are edited. Refused edits show the
// system's message and change nothing. Database errors are shown under "差异分配".
class frmDiffItem : public host::ModalWindow {
 public:
  static constexpr const char* kWindowName = "frmDiffItem";
  std::string WindowName() const override { return kWindowName; }
  const DiffItemState& State() const { return state_; }

  // Loads the pair's allocation lines and runs the editor; answers whether it saved.
  bool EditCard(long financial_id, long budget_id);
  bool Load(long financial_id, long budget_id);

  // The detail items of the row's difference type (none for a row out of range).
  std::vector<DiffItemChoice> ItemChoices(int row) const;
  // A typed item code; the empty text clears the item.
  bool SetItem(int row, const std::string& code);
  // Decimal text with at most the account set's decimals; the empty text is 0.
  bool SetAmount(int row, const std::string& text);

  // OK: equal to the differences saves with blnisDiffOver 1; unequal asks, and OK saves with 0
  // while Cancel keeps the editor open. Answers whether it saved (and closed).
  bool Ok();
  void Cancel();

 private:
  DiffLine* Row(int row);
  bool Save(int diff_over);
  DiffItemState state_;
};

}  // namespace lumvoucher::dualbasis
