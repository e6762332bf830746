#pragma once

#include "lists/voucher_list.h"

namespace lumvoucher::lists {

// The voucher list of single-basis account sets ("记账凭证列表"), configuration key 1.
//
// Item rights: the line counts of every voucher in scope go to VoucherListNumTemp (all lines)
// and VoucherListRightNumTemp (lines the operator may see), keyed by a number this list draws
// once from VoucherListRightTmp_SEQ (stored in their lngOperatorID); the vouchers whose two
// counts agree are written to VoucherListRightTmp under the same key: the vouchers the query
// lists. A list read in chunks fills them before the chunks (after its first screen, which
// RightsCondition decides) and reads the chunks through the key table. The batch dialog reads
// the key table (WorkKey()).
//
// Command menu: every index of the system's menu is present (unused positions invisible). The
// status operations (cashier signature, reversal, void, post, memo registration), the batch
// dialog modes, volumes, department cost print, external data, cash flow, the continuity
// check, columns and printing are listed but carried out by the command hook their subsystems
// install; without a hook they do nothing and answer false.
class frmListVoucher : public VoucherList {
 public:
  static constexpr long kListID = 1;
  frmListVoucher();
  std::string PermittedCondition() const override;

 protected:
  void FillWorkTables(const std::string& scope,
                      const std::vector<const RightsDimension*>& dimensions) override;
  void ClearWorkTables() override;
  bool FillsKeyTable() const override { return true; }
  std::vector<MenuItem> BuildMenu() const override;
};

}  // namespace lumvoucher::lists
