#pragma once

#include <string_view>

namespace lumvoucher::frame {

// Work tables of the voucher lists, created in the database on first need with their keys,
// indexes and a sequence "<name>_SEQ" (1 to 9999999999, starting with 100, cache 20).
// A table that exists is left unchanged. The DDL is Oracle text run through the data-access
// object; database errors propagate as host::DatabaseError.

inline constexpr const char* kVoucherListRightTmp = "VoucherListRightTmp";
inline constexpr const char* kVoucherListNumTemp = "VoucherListNumTemp";
inline constexpr const char* kVoucherListRightNumTemp = "VoucherListRightNumTemp";
inline constexpr const char* kStdFinaceTmp = "StdFinaceTmp";

// One of the three list tables above (names compared ignoring case). Answers true when the
// table was created now. Throws std::invalid_argument for any other name.
bool EnsureWorkTable(std::string_view name);

// The learning scratch table StdFinaceTmp (its own service).
bool EnsureStdFinaceTmp();

// Whether the database has a table of this name.
bool WorkTableExists(std::string_view name);

}  // namespace lumvoucher::frame
