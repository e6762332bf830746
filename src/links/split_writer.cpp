#include "links/split_writer.h"

#include "host/cls_business_pub.h"
#include "links/contract_settlement.h"
#include "links/cost_apportionment.h"
#include "links/settlement_texts.h"

namespace lumvoucher::links {

SettlementWriteFailed::SettlementWriteFailed(const std::string& cause)
    : host::DatabaseError(texts::kWriteFailed), cause_(cause) {}

void WriteLineSplits(const SplitVoucher& v, long line_id, const LineSplits& splits,
                     const VoucherTables& tables) {
  if (splits.settlement) {
    try {
      WriteSettlement({v.voucher_id, line_id, v.date, v.voucher_type_id, v.voucher_no},
                      *splits.settlement, tables);
    } catch (const host::DatabaseError& e) {
      // A statement held back before it (the number's guard) may fail here: not the settlement's.
      if (e.Violates(host::clsBusinessPub::kNumberTakenKey)) throw;
      throw SettlementWriteFailed(e.what());
    }
  }
  if (splits.contract) WriteContractSplit(line_id, *splits.contract);
  if (splits.cost) WriteCostSplit({v.voucher_id, v.date, v.year, v.period}, line_id, *splits.cost);
}

}  // namespace lumvoucher::links
