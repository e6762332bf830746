#pragma once

#include <string>
#include <vector>

#include "links/line_splits.h"

// Cost apportionment of an income or expense line: the item lists of the cards, the scheme
// split of a HIS income row, the remembered defaults, and the stored rows (CostApportion,
// HisCostApportion). Database errors propagate as host::DatabaseError.
namespace lumvoucher::links {

struct CostChoice {
  long id = 0;
  std::string code;
  std::string name;
};
// Active leaves of `table` (Outlay, Department, hisincometype) by code; `outlay_direction`
// restricts Outlay to income (1) or expense (-1) items, 0 leaves it out.
std::vector<CostChoice> CostItems(const std::string& table, int outlay_direction = 0);
// The expense card's sources, and the active schemes of the organisation.
std::vector<CostChoice> CostSources();
std::vector<CostChoice> CostSchemes();

// The three department amounts of a HIS row of total `total` under a scheme's rates (percent),
// each product rounded to `decimals`, the rest on the department the rates' order leaves last,
// and an executing rate (then a patient rate) of 0 moving its amount on.
struct SchemeRates {
  double prescribe = 0;  // dblTicketRate
  double execute = 0;    // dblExcuteRate
  double sick = 0;       // dblSickRate
};
struct SchemeAmounts {
  double prescribe = 0;
  double execute = 0;
  double sick = 0;
};
SchemeAmounts SplitByScheme(double total, const SchemeRates& rates, int decimals);
// The rates of `outlay_id` in the scheme; false when it has none.
bool ReadSchemeRates(long scheme_id, long outlay_id, SchemeRates& rates);

// Whether the income card splits by a scheme ("收入归集分摊设置"), and which.
long EnabledScheme();

// The item (expense card) or income type (income card) last used for the account; 0 when none.
long RememberedItem(long account_id, bool income);
void RememberItem(long account_id, bool income, long value);

// Item checks of the confirmation: an active leaf, and whether it belongs to the cost account.
bool IsActiveLeafOutlay(long outlay_id);
bool IsLeafDepartment(long department_id);
bool OutlayMatchesAccount(long account_id, long outlay_id);

// The stored rows of a line (non-zero HIS rows only, by row number and id).
CostSplit LoadCostSplit(long line_id, bool income);

// What the save knows of the voucher.
struct CostVoucher {
  long voucher_id = 0;
  std::string date;
  int year = 0;
  int period = 0;
};
// Replaces the line's rows by the split's, dated with the voucher.
void WriteCostSplit(const CostVoucher& voucher, long line_id, const CostSplit& split);

}  // namespace lumvoucher::links
