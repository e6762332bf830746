#pragma once

#include <string>
#include <vector>

#include "links/line_splits.h"

// Contract settlement of a voucher line: the contracts and project orders a line may pay or
// receive on, the figures its limits are checked against, the stored rows and their writing
// (ContractBalance, ProjectInvoice). Database errors propagate as host::DatabaseError.
namespace lumvoucher::links {

// A contract (kind 1) or project order (kind 2) the grid may name.
struct ContractChoice {
  long id = 0;
  std::string code;
  std::string name;
  long customer_id = 0;
};

// Contracts of the current organisation open for settlement in `pay_receive`'s direction
// (confirmed, not complete, not zero), or the orders of `project_id`; by code.
std::vector<ContractChoice> ContractChoices(int kind, int pay_receive, long project_id);

// The projects of the current organisation the window offers, leaves only, by code.
std::vector<ContractChoice> ProjectChoices();

// The units (单位, Customer), payers or payees (付款方 / 收款方, PayCustomer) and payment methods
// (付款方式) the grid offers: the active ones, units and payers leaves only, by code.
enum class ContractReference { kUnit, kPayer, kMethod };
std::vector<ContractChoice> ReferenceChoices(ContractReference which);

// 合同总金额 (the contract items' amounts with tax, or the order's total) and 合同累计已付款 (paid
// on lines other than `line_id`, plus the order's initial payment) of each of `ids`, in their
// order, read in one statement; 0 for an id that names nothing.
struct ContractFigures {
  double total = 0;
  double paid = 0;
};
std::vector<ContractFigures> ReadContractFigures(int kind, const std::vector<long>& ids,
                                                 long line_id);

// A project's figures, leaving out what `line_id` paid and invoiced.
struct ProjectFigures {
  bool found = false;
  bool leaf = false;
  double total = 0;     // its orders' totals
  double budget = 0;    // dblBudgetAmount
  double paid = 0;      // initial payments and other lines' payments
  double invoiced = 0;  // other lines' invoices
};
ProjectFigures ReadProjectFigures(long project_id, long line_id);

// The grid's captions in their order after the direction: "凭证明细ID" .. "数据来源".
std::vector<std::string> ContractCaptions(int pay_receive);

// The line's stored rows with their codes, by pay date and contract code, and their kind,
// direction and project (found false when the line has none). Rows on contracts no longer open
// for settlement are not offered, as the window could not confirm them.
struct StoredContractSplit {
  bool found = false;
  ContractSplit split;
};
StoredContractSplit LoadContractSplit(long line_id);

// Replaces the line's ContractBalance and ProjectInvoice rows by the split's.
void WriteContractSplit(long line_id, const ContractSplit& split);

}  // namespace lumvoucher::links
