#pragma once

namespace lumvoucher::lists {

// The line-count work tables of the error voucher list, created on first need like the voucher
// list's own (frame/work_tables.h): columns lng<Name>ID, lngdetailnum, lngoperatorid,
// lngvoucherid, NUMBER(10) default 0 not null, indexes on the voucher and the operator, and a
// sequence <Name>_SEQ. Tables that exist are left unchanged.
inline constexpr const char* kVoucherDetailNumTempS = "VoucherDetailNumTempS";
inline constexpr const char* kVoucherDetailRightNumTempS = "VoucherDetailRightNumTempS";

void EnsureErrorListTables();

}  // namespace lumvoucher::lists
