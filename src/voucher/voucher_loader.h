#pragma once

#include <optional>
#include <string>
#include <vector>

#include "voucher/voucher_model.h"

// Reading one stored voucher into the window's form. Every query is the system's Oracle text;
// database errors propagate as host::DatabaseError.
namespace lumvoucher::voucher {

std::string ExistsSql(long voucher_id);
std::string HeaderSql(long voucher_id);
std::string LinesSql(long voucher_id);

// Whether Voucher holds the id.
bool VoucherExists(long voucher_id);

struct LoadedVoucher {
  VoucherHeader header;
  std::vector<VoucherLine> lines;  // by lngRowID
  bool reversed = false;           // another voucher reverses this one ("已冲销")
};

// Header, lines and reversal mark; nothing when the header query finds no row. Reference rows
// that no longer exist show as blank text (outer joins); a line whose currency is missing is
// not read (inner join). The account text and the line organisation text are filled from the
// host's account and item services.
std::optional<LoadedVoucher> LoadVoucher(long voucher_id);

}  // namespace lumvoucher::voucher
