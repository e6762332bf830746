#include "frame/login_state.h"
#include "frame/window_registry.h"
#include "host/data_access.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "links/frm_contract_settlement.h"
#include "links/frm_cost_apportion.h"
#include "links/frm_darap.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::voucher {

namespace {

constexpr const char* kNotCostAccount = "当前分录的科目不是收支科目，不能进行成本归集！";
constexpr const char* kCostTitle = "成本归集";

int SideOf(const VoucherLine& line) {
  if (line.debit != 0) return kDebit;
  if (line.credit != 0) return kCredit;
  return line.direction;
}

// Lines without a currency are in the book currency, as the save stores them.
long CurrencyOf(const VoucherLine& line) {
  if (line.currency_id != 0) return line.currency_id;
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select lngCurrencyID From Currencys Where blnIsLocal=1 Order By lngCurrencyID");
  return rs.Empty() ? 1L : static_cast<long>(rs["lngCurrencyID"].AsLong());
}

}  // namespace

VoucherLine* frmVoucher::SplitLine() {
  VoucherLine* line = Line(state_.current_row);
  if (line == nullptr || line->account_id == 0 || !CanEdit()) return nullptr;
  return line;
}

bool frmVoucher::CurrentAccountSettlement() {
  VoucherLine* line = SplitLine();
  if (line == nullptr) return false;
  links::frmDARAP& window = frame::WindowRegistry::Get<links::frmDARAP>();
  bool ok = false;
  try {
    links::SettlementLine s{line->account_id,    CurrencyOf(*line), line->unit_id,
                            line->department_id, line->employee_id, line->class1_id,
                            line->class2_id,     line->flexible_id, line->Amount(),
                            state_.current_row,  line->line_id,     false,
                            state_.header.date};
    ok = window.Show(s, line->splits.settlement ? &*line->splits.settlement : nullptr);
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, "往来核销");
    return false;
  }
  if (!ok) return false;
  line->splits.settlement = window.Split();
  state_.must_save = true;
  return true;
}

bool frmVoucher::ContractSettlement() {
  VoucherLine* line = SplitLine();
  if (line == nullptr) return false;
  links::frmContractSettlement& window = frame::WindowRegistry::Get<links::frmContractSettlement>();
  links::ContractLine c{line->line_id, state_.header.voucher_id, line->Amount(), SideOf(*line),
                        state_.header.date};
  if (!window.ShowMe(c, line->splits.contract ? &*line->splits.contract : nullptr)) return false;
  line->splits.contract = window.Split();
  state_.must_save = true;
  return true;
}

bool frmVoucher::CostCollection() {
  VoucherLine* line = SplitLine();
  if (line == nullptr) return false;
  int income = 0;
  try {
    host::Recordset rs = frame::Data().OpenRecordset(
        "Select Max(Outlay.intDirection) As intIncome, Count(*) As intItems From AccOutSet, "
        "Outlay Where AccOutSet.lngOutlayID = Outlay.lngOutlayID And AccOutSet.lngAccountID = " +
        std::to_string(line->account_id));
    if (rs.Empty() || rs["intItems"].AsLong() == 0) {
      frame::Msg(kNotCostAccount, host::mb::kExclamation, kCostTitle);
      return false;
    }
    income = rs["intIncome"].AsLong() == 1 ? 1 : 0;
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, kCostTitle);
    return false;
  }
  const links::CostLine card{line->line_id, line->account_id, line->Amount(), SideOf(*line)};
  const links::CostSplit* held = line->splits.cost ? &*line->splits.cost : nullptr;
  links::CostSplit rows;
  const bool ok =
      income ? frame::WindowRegistry::Get<links::frmCostApportionIn>().EditCard(card, held, rows)
             : frame::WindowRegistry::Get<links::frmCostApportionOut>().EditCard(card, held, rows);
  if (!ok) return false;
  line->splits.cost = rows;
  state_.must_save = true;
  return true;
}

}  // namespace lumvoucher::voucher
