#pragma once

#include <optional>
#include <string>
#include <vector>

// The splits a voucher line holds between the settlement, contract and cost windows and the
// save that writes them with the voucher. A split the line does not hold (nullopt) leaves the
// stored rows of the line as they are.
namespace lumvoucher::links {

// One open item the line settles: the item's DARAPDetail, the voucher line that booked it (0 for
// an opening item) and the amount settled by this line.
struct SettlementShare {
  long darap_detail_id = 0;
  long voucher_detail_id = 0;
  double amount = 0;
};
struct SettlementSplit {
  std::vector<SettlementShare> shares;
};

// Contract kinds ("合同大类") and directions.
inline constexpr int kPurchaseContract = 1;  // "购销合同"
inline constexpr int kProjectOrder = 2;      // "在建工程"
inline constexpr int kPayment = 1;           // "付款"
inline constexpr int kReceipt = 2;           // "收款"

// The codes a row's ids show as (合同号, 单位, 付款方, 付款方式): a split held by the voucher
// window keeps them, so reopening it looks nothing up.
struct ContractCodes {
  std::string contract, unit, payer, method;
};

// One ContractBalance row (and its ProjectInvoice row when the invoice amount is not 0).
struct ContractRow {
  long contract_id = 0;  // contract, or project order for kind 2
  long customer_id = 0;
  long pay_customer_id = 0;
  long payment_method_id = 0;
  std::string pay_date;  // yyyy-mm-dd
  std::string check_number;
  std::string pay_man;
  double amount = 0;          // 本次付款金额 / 本次收款金额
  double invoice_amount = 0;  // 发票已到金额
  std::string note;
  int data_source = 0;
  ContractCodes codes;  // shown, not written
};
struct ContractSplit {
  int kind = kPurchaseContract;
  int pay_receive = kPayment;
  long project_id = 0;
  std::vector<ContractRow> rows;
};

// A share of an expense line (frmCostApportionOut).
struct CostShare {
  long outlay_id = 0;
  long department_id = 0;
  long source_id = 0;  // bytSource
  double amount = 0;
  std::string note;
};
// A HIS income share (frmCostApportionIn): income type, item and three department amounts.
struct HisShare {
  long income_type = 0;  // bytSource
  long outlay_id = 0;
  long prescribe_department_id = 0;
  double prescribe_amount = 0;
  long execute_department_id = 0;
  double execute_amount = 0;
  long sick_department_id = 0;
  double sick_amount = 0;
  double amount = 0;  // the row total
  long his_import_id = 0;
  std::string note;
};
struct CostSplit {
  bool income = false;  // HisCostApportion rows, else CostApportion rows
  std::vector<CostShare> costs;
  std::vector<HisShare> his;
};

struct LineSplits {
  std::optional<SettlementSplit> settlement;
  std::optional<ContractSplit> contract;
  std::optional<CostSplit> cost;
  bool Empty() const { return !settlement && !contract && !cost; }
};

}  // namespace lumvoucher::links
