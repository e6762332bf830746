#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/voucher_basis.h"
#include "voucher/voucher_model.h"

// Reading one stored voucher of a basis into the window's form. Every query is the system's
// Oracle text, naming the financial tables; on the budget basis the budget tables are read
// under those names. Database errors propagate as host::DatabaseError.
namespace lumvoucher::voucher {

using host::FinancialBasis;
using host::VoucherBasis;

std::string ExistsSql(long voucher_id, const VoucherBasis& basis = FinancialBasis());
std::string HeaderSql(long voucher_id, const VoucherBasis& basis = FinancialBasis());
std::string LinesSql(long voucher_id, const VoucherBasis& basis = FinancialBasis());

// Whether the basis's voucher table holds the id.
bool VoucherExists(long voucher_id, const VoucherBasis& basis = FinancialBasis());

struct LoadedVoucher {
  VoucherHeader header;
  std::vector<VoucherLine> lines;  // by lngRowID
  bool reversed = false;           // another voucher reverses this one ("已冲销")
};

// Header, lines and reversal mark; nothing when the header query finds no row. Reference rows
// that no longer exist show as blank text (outer joins); a line whose currency is missing is
// not read (inner join). The account text and the line organisation text are filled from the
// host's account services of the basis's chart and its item services.
std::optional<LoadedVoucher> LoadVoucher(long voucher_id,
                                         const VoucherBasis& basis = FinancialBasis());

}  // namespace lumvoucher::voucher
