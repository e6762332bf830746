#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "host/voucher_basis.h"

// What the account cell of the voucher grid offers while the user types: accounts of the chart
// as the current organisation sees it (its own copies replace the shared rows), active ones
// only.
namespace lumvoucher::voucher {

struct AccountChoice {
  long id = 0;
  std::string code;
  std::string name;
  bool detail = true;

  // The text the account cell shows: "1001 库存现金".
  std::string Text() const { return code + " " + name; }
};

// Accounts of the chart of `basis` whose code begins with the typed text or whose name contains
// it, detail (leaf) accounts first, then by code; at most `limit`. A text that already reads
// "code name" is matched by its code. Blank text answers nothing. Reads through frame::Data();
// throws host::DatabaseError as the data access does.
std::vector<AccountChoice> CompleteAccount(
    std::string_view typed, std::size_t limit = 20,
    const host::VoucherBasis& basis = host::FinancialBasis());

}  // namespace lumvoucher::voucher
