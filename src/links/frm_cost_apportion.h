#pragma once

#include <string>
#include <vector>

#include "host/modal_runner.h"
#include "links/cost_apportionment.h"
#include "links/line_splits.h"

namespace lumvoucher::links {

// The line a card opens for (the arguments of EditCard besides the rows).
struct CostLine {
  long line_id = 0;  // 0 for a line not yet stored
  long account_id = 0;
  double amount = 0;
  int direction = 1;
};

// What both cards show below their grid.
struct CostCardState {
  CostLine line;
  int decimals = 2;
  double assigned = 0;
  std::string footer;  // " 提示：分摊总额为…元,已分摊：…元,未分摊：…元。"
  bool confirmed = false;
};

enum class CostColumn {
  kItem,        // 支出项目 / 收入项目 (code)
  kDepartment,  // 科室 (expense card)
  kSource,      // 来源 (expense card, id)
  kIncomeType,  // 收入类型 (income card, code)
  kPrescribeDepartment,
  kPrescribeAmount,
  kExecuteDepartment,
  kExecuteAmount,
  kSickDepartment,
  kSickAmount,
  kAmount,  // the share (expense) or the row total (income)
  kNote,
};

// frmCostApportionOut: an expense line's shares over expense items and departments. The rows
// go back to the voucher window, whose save writes them with the voucher. Rows count from 1;
// a refusal shows its message and answers false.
class frmCostApportionOut : public host::ModalWindow {
 public:
  static constexpr const char* kWindowName = "frmCostApportionOut";
  std::string WindowName() const override { return kWindowName; }
  const CostCardState& State() const { return state_; }
  const std::vector<CostShare>& Rows() const { return rows_; }

  // Opens on the rows the line holds (else its stored rows); true with the rows confirmed.
  bool EditCard(const CostLine& line, const CostSplit* held, CostSplit& rows);

  int AddRow();
  // Asks "确定要删除当前分摊记录？" first.
  bool DeleteRow(int row);
  bool SetCell(int row, CostColumn column, const std::string& text);
  bool Confirm();
  void Cancel() { state_.confirmed = false; }

 private:
  void Refresh();
  CostCardState state_;
  std::vector<CostShare> rows_;
};

// frmCostApportionIn: HIS income of an income line over income types, items and the
// prescribing, executing and patient departments; a row's total is split by the enabled scheme.
// Refused while the income accounting module (129) is enabled.
class frmCostApportionIn : public host::ModalWindow {
 public:
  static constexpr const char* kWindowName = "frmCostApportionIn";
  std::string WindowName() const override { return kWindowName; }
  const CostCardState& State() const { return state_; }
  const std::vector<HisShare>& Rows() const { return rows_; }
  long Scheme() const { return scheme_; }

  bool EditCard(const CostLine& line, const CostSplit* held, CostSplit& rows);

  int AddRow();
  bool DeleteRow(int row);
  bool SetCell(int row, CostColumn column, const std::string& text);
  bool Confirm();
  void Cancel() { state_.confirmed = false; }

 private:
  void Refresh();
  void SplitRow(HisShare& row);
  CostCardState state_;
  std::vector<HisShare> rows_;
  long scheme_ = 0;
};

}  // namespace lumvoucher::links
