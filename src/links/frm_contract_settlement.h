#pragma once

#include <string>
#include <vector>

#include "host/modal_runner.h"
#include "links/contract_settlement.h"
#include "links/line_splits.h"

namespace lumvoucher::links {

// The editable columns of a settlement row.
enum class ContractColumn {
  kDate,      // 付款日期 / 收款日期
  kContract,  // 合同号 (code)
  kUnit,      // 单位 (code)
  kPayer,     // 付款方 / 收款方 (code)
  kMethod,    // 付款方式 (code)
  kCheck,     // 票据号
  kPayMan,    // 经办人
  kAmount,    // 本次付款金额 / 本次收款金额
  kInvoice,   // 发票已到金额
  kNote,      // 备注
};

// A grid row: the stored values with the texts typed for the coded columns (row.codes), the
// computed columns.
struct ContractGridRow {
  ContractRow row;
  double paid_so_far = 0;     // 合同累计已付款
  double contract_total = 0;  // 合同总金额
};

// The voucher line the window opens for.
struct ContractLine {
  long line_id = 0;  // 0 for a line not yet stored
  long voucher_id = 0;
  double amount = 0;
  int direction = 1;
  std::string voucher_date;
};

struct ContractState {
  ContractLine line;
  int kind = kPurchaseContract;
  int pay_receive = kPayment;
  long project_id = 0;
  std::string project_code;
  std::vector<ContractGridRow> rows;
  std::vector<std::string> captions;  // the grid's captions after the direction
  int decimals = 2;
  // Defaults for new rows from the voucher's lines.
  long default_method_id = 0;
  std::string default_method_code;
  std::string default_check;
  bool confirmed = false;
};

// The contract settlement window ("合同结算") of one voucher line: rows of contracts or project
// orders with what the line pays on each. Confirming runs the checks in their fixed order; the
// rows go back to the voucher window, whose save writes them with the voucher.
//
// Rows count from 1. A refused edit shows its message (title "合同结算") and answers false.
class frmContractSettlement : public host::ModalWindow {
 public:
  static constexpr const char* kWindowName = "frmContractSettlement";
  std::string WindowName() const override { return kWindowName; }
  const ContractState& State() const { return state_; }

  // Opens for the line on the split it holds, else on its stored rows; true when confirmed.
  bool ShowMe(const ContractLine& line, const ContractSplit* held);

  void SetKind(int kind);
  void SetDirection(int pay_receive);
  bool SetProject(const std::string& code);
  int AddRow();
  bool DeleteRow(int row);
  bool SetCell(int row, ContractColumn column, const std::string& text);
  // What a coded column offers (contracts or the project's orders, units, payers or payees,
  // payment methods); nothing for the other columns.
  std::vector<ContractChoice> Choices(ContractColumn column) const;
  // The checks in order; true closes the window with the rows.
  bool Confirm();
  void Cancel() { state_.confirmed = false; }
  ContractSplit Split() const;

 private:
  void Load(const ContractSplit* held);
  void UpdateCaptions();
  // The computed columns of `rows` (all rows when empty), in one statement.
  void Refigure(std::vector<ContractGridRow*> rows = {});
  bool Refuse(const std::string& text);
  bool CheckRows();
  bool CheckLimits();

  ContractState state_;
};

}  // namespace lumvoucher::links
