#pragma once

#include <string>

#include "host/database_error.h"
#include "links/darap_settlement.h"
#include "links/line_splits.h"

// Writing the splits a line holds, inside the voucher save's transaction.
namespace lumvoucher::links {

// The settlement split could not be written; what() is "保存时间差异处理失败！" and the voucher
// save rolls back.
class SettlementWriteFailed : public host::DatabaseError {
 public:
  explicit SettlementWriteFailed(const std::string& cause);
  const std::string& Cause() const { return cause_; }

 private:
  std::string cause_;
};

// What the save knows of the voucher the line belongs to.
struct SplitVoucher {
  long voucher_id = 0;
  std::string date;  // yyyy-mm-dd
  int year = 0;
  int period = 0;
  long voucher_type_id = 0;
  long voucher_no = 0;
};

// Writes each split the line holds (the others stay as stored). Database errors propagate;
// a settlement failure as SettlementWriteFailed.
void WriteLineSplits(const SplitVoucher& voucher, long line_id, const LineSplits& splits,
                     const VoucherTables& tables = {});

}  // namespace lumvoucher::links
