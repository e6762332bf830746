#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <unordered_set>

#include "lists/list_query.h"

namespace lumvoucher::lists {

// The voucher lists' item rights in the work tables of frame/work_tables.h: the line counts of
// the vouchers in `scope` (over `from`, as LineCountInsert) go to VoucherListNumTemp and
// VoucherListRightNumTemp, the vouchers whose two counts agree to VoucherListRightTmp, all under
// `key` (drawn from VoucherListRightTmp_SEQ when 0; the rows of a key that no longer hold are
// replaced, the others kept). Answers the key. Runs in the caller's transaction.
long FillVoucherListRights(long key, std::string_view scope,
                           std::span<const RightsDimension* const> dimensions,
                           std::string_view from = kFinancialLines);
void ClearVoucherListRights(long key);
// The vouchers of the key table under `key`.
std::unordered_set<std::int64_t> KeyTableVouchers(long key);
// Keeps `query` to the vouchers of the key table under `key` (a join, which the planner takes
// from the voucher to the key table's primary key).
void RestrictToKeyTable(long key, ListQuery& query);

// The line-count work tables of the error voucher list, created on first need like the voucher
// list's own (frame/work_tables.h): columns lng<Name>ID, lngdetailnum, lngoperatorid,
// lngvoucherid, NUMBER(10) default 0 not null, indexes on the voucher and the operator, and a
// sequence <Name>_SEQ. Tables that exist are left unchanged.
inline constexpr const char* kVoucherDetailNumTempS = "VoucherDetailNumTempS";
inline constexpr const char* kVoucherDetailRightNumTempS = "VoucherDetailRightNumTempS";

void EnsureErrorListTables();

}  // namespace lumvoucher::lists
