#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/voucher_basis.h"

namespace lumvoucher::frame {

// Read-only look-ups the windows share. Missing rows give empty results (0, "", -1 as stated);
// database errors propagate as host::DatabaseError.

inline constexpr int kFinancialBasis = 1;  // Voucher
inline constexpr int kBudgetBasis = 2;     // BudgetVoucher

// 1 or 2 from VoucherView; -1 when the id is in neither base.
int VoucherBasis(long voucher_id);

struct VoucherTypePeriod {
  bool found = false;
  long voucher_type_id = 0;
  int year = 0;
  int period = 0;
};
// From Voucher (basis 1) or BudgetVoucher (basis 2); any other basis finds nothing.
VoucherTypePeriod GetVoucherTypePeriod(long voucher_id, int basis);

// Whether BudgetVoucherRelevance pairs these two vouchers.
bool IsPairedBudgetVoucher(long financial_voucher_id, long budget_voucher_id);

// The code of an account (of the chart of `basis`) or of a class-2 item; "" when there is none.
std::string AccountCode(long account_id, const host::VoucherBasis& basis = host::FinancialBasis());
std::string Class2Code(long class_id);
// The codes of the ids that exist, in the given order, as "'c1', 'c2'" for an In (...) clause
// (quotes inside a code doubled); "" when none exists.
std::string AccountCodeList(std::span<const long> account_ids);
std::string Class2CodeList(std::span<const long> class_ids);

// The (item, field) pair behind a flexible id; 0 and 0 when the id is unknown.
struct FlexibleItem {
  long item_id = 0;
  long field_id = 0;
};
FlexibleItem FlexibleItemOf(std::string_view flexible_id);

// Titles of the flexible items in FlexibleTitle order ("物品", then the segments).
std::vector<std::string> FlexibleTitles();

// Whether the current organisation and the account use the goods item and the segments. The
// defaults are the account's when it names them, else the organisation's.
struct FlexibleItemUse {
  bool OrganizationUseItem = false;
  bool AccountUseItem = false;
  bool OrganizationUseField = false;
  bool AccountUseField = false;
  long lngDefaultItemID = 0;
  long lngDefaultID = 0;
};
FlexibleItemUse FlexibleUseOf(long account_id);

// Total already settled against the current-account items of the voucher's lines (0 when none).
double SettledAmount(long voucher_id);

// The highest number of the period and type across both bases; 0 for an empty period.
long HighestVoucherNo(int year, int period, long voucher_type_id, long source_organization_id);

}  // namespace lumvoucher::frame
