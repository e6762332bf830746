#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "host/voucher_basis.h"
#include "voucher/voucher_model.h"

// Writing a checked voucher of a basis: the insert path for a new voucher, the modify path that
// first undoes what the old lines tied to other tables, and the marks-only update. Every statement
// is the system's Oracle text; database errors propagate as host::DatabaseError and the caller,
// which owns the transaction, rolls back.
namespace lumvoucher::voucher {

// The marks-only update of a stored voucher whose header and lines did not change.
std::string MarksOnlySql(const VoucherHeader& header,
                         const host::VoucherBasis& basis = host::FinancialBasis());

// A stored voucher with the same number that may not be overwritten; what() is the reason.
class CoverRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct WriteRequest {
  VoucherHeader header;  // voucher_id 0 takes the insert path
  // The lines to store, in grid order (blank rows left out); line_id 0 for a new line.
  std::vector<VoucherLine> lines;
  // A program's save: another stored voucher holding the number may be overwritten.
  bool cover = false;
  // The tables written. The financial ledgers' own rows (cash flow, checks, current-account
  // detail, cost collection) follow financial vouchers only.
  const host::VoucherBasis* basis = &host::FinancialBasis();
};

struct WriteResult {
  long voucher_id = 0;
  std::vector<long> line_ids;  // in the order of the request's lines
  // The type and number the stored voucher had before a modify ("记-000003").
  std::string old_type_and_number;
  int old_period = 0;
};

// Runs the insert or the modify path inside the caller's open transaction.
WriteResult WriteVoucher(const WriteRequest& request);

// "记-000003": how the log and the questions name a voucher.
std::string TypeAndNumber(const std::string& type_code, const std::string& number);

}  // namespace lumvoucher::voucher
