#pragma once

#include <string>

// The pair row (BudgetVoucherRelevance) and the look-ups over both bases that the paired window
// makes. Every statement is the system's Oracle text; database errors propagate as
// host::DatabaseError.
namespace lumvoucher::dualbasis {

// Writes the pair row of financial voucher `F` and budget voucher `B` (either 0 when absent),
// inside the caller's transaction: the row that holds either of them already (a one-sided row
// is filled in, never doubled), else a new one of the login organisation; `is_void` is the
// window's void box. Then the numbering checks: no third voucher of either basis holds the
// pair's number, and the two headers of a complete pair agree. False when a check fails: the
// caller rolls the whole save back.
bool SaveBudgetVoucherRelevance(long F, long B, bool is_void);

// The partner of `id` (financial when `is_financial`), 0 when it has none or `id` < 1.
long GetVoucherRelevanceID(long id, bool is_financial);
// Whether a pair row links exactly `F` and `B`.
bool GetVoucherRelevanceIDEx(long F, long B);
// VoucherView.lngVoucherBaseID of the voucher: 1 financial, 2 budget, 0 neither.
long GetVoucherBaseID(long id);
// Whether the two voucher dates fall in one accounting period of the login organisation; an
// empty date passes.
bool ValidDateForVouchers(const std::string& finance_date, const std::string& budget_date);
// Whether a live reversal (not from source 16) names either voucher of the pair.
bool PairReversed(long F, long B);

// What opening a pair from one id finds: the pair row's other side, or that there is no row.
struct PairLookup {
  bool found = false;
  long partner = 0;
};
// Reads the pair row of financial `id` (or budget `id` when `is_financial` is false).
PairLookup FindPair(long id, bool is_financial);

}  // namespace lumvoucher::dualbasis
