#pragma once

#include <gtest/gtest.h>

#include <string>

#include "links/frm_contract_settlement.h"
#include "links/frm_cost_apportion.h"
#include "links/frm_darap.h"
#include "voucher/save_fixture.h"

namespace lumvoucher::testing {

// A voucher window on the demo set with the settlement, contract and cost windows scripted.
class LinkTest : public VoucherWindowTest {
 protected:
  using Darap = links::frmDARAP;
  using Contract = links::frmContractSettlement;
  using CostOut = links::frmCostApportionOut;

  // The next window of type W runs `play`; its result is what the window's button left.
  template <class W, class Play>
  void Script(Play play) {
    t_.Modal().Expect(W::kWindowName, [play](host::ModalWindow& window) {
      play(dynamic_cast<W&>(window));
      return 1;
    });
  }

  // D 6602-01 (dept 01) `expense` / C 1122 (unit 003) `receipt` / C 1001 the rest.
  void EnterVoucher(const char* expense, const char* receipt, const char* cash) {
    using voucher::LineField;
    ASSERT_TRUE(w_.ShowANewBill(0));
    const struct {
      const char* account;
      LineField item;
      const char* code;
      LineField side;
      const char* amount;
    } lines[] = {{"6602-01", LineField::kDepartment, "01", LineField::kDebit, expense},
                 {"1122", LineField::kUnit, "003", LineField::kCredit, receipt},
                 {"1001", LineField::kNone, "", LineField::kCredit, cash}};
    for (const auto& l : lines) {
      const int row = w_.AddLine();
      ASSERT_TRUE(w_.SetCell(row, LineField::kRemark, "往来结算"));
      ASSERT_TRUE(w_.SetCell(row, LineField::kAccount, l.account));
      if (l.item != LineField::kNone) {
        ASSERT_TRUE(w_.SetCell(row, l.item, l.code));
      }
      ASSERT_TRUE(w_.SetCell(row, l.side, l.amount));
    }
    ASSERT_TRUE(w_.SetCell(2, LineField::kBusinessDate, w_.State().header.date));
  }

  // The three splits: FIFO settlement of row 2, contract HT-2026-001 and item 201 on row 1.
  void AttachSplits(const std::string& amount) {
    Script<Darap>([](Darap& d) {
      d.Allocate();
      d.Confirm();
    });
    w_.SetCurrentRow(2);
    ASSERT_TRUE(w_.CurrentAccountSettlement());
    Script<Contract>([amount](Contract& c) {
      const int row = c.State().rows.empty() ? c.AddRow() : 1;
      c.SetCell(row, links::ContractColumn::kContract, "HT-2026-001");
      c.SetCell(row, links::ContractColumn::kAmount, amount);
      c.SetCell(row, links::ContractColumn::kInvoice, "200");
      c.Confirm();
    });
    w_.SetCurrentRow(1);
    ASSERT_TRUE(w_.ContractSettlement());
    Script<CostOut>([amount](CostOut& c) {
      const int row = c.Rows().empty() ? c.AddRow() : 1;
      c.SetCell(row, links::CostColumn::kItem, "201");
      c.SetCell(row, links::CostColumn::kDepartment, "01");
      c.SetCell(row, links::CostColumn::kAmount, amount);
      c.Confirm();
    });
    ASSERT_TRUE(w_.CostCollection());
  }

  // What the three subsystems hold, lines named by their row in the voucher.
  std::string Dependents() {
    const std::string row =
        "(Select Nvl(Max(vd.lngRowID),0) From VoucherDetail vd Where vd.lngVoucherDetailID = ";
    return "# items\n" +
           Rows("Select " + row +
                "a.lngVoucherDetailID), d.intDirection, d.dblAmount, d.dblCurrPaymentAmount From "
                "DARAP a, DARAPDetail d Where a.lngDARAPID = d.lngDARAPID And (a.blnInit = 0 Or "
                "d.dblCurrPaymentAmount > 1) Order By 1, d.strDate") +
           "# settlements\n" +
           Rows("Select " + row +
                "s.lngVoucherDetailID), s.lngRActivityDetailID, "
                "s.dblCurrPaymentAmount From DARAPSettlement s Order By 2, 1") +
           "# contracts\n" +
           Rows("Select " + row +
                "c.lngVoucherDetailID), c.lngContractID, c.dblPaymentAmount, "
                "c.bytContractType From ContractBalance c Order By 1, 2") +
           Rows("Select " + row +
                "i.lngVoucherDetailID), i.lngOrderID, i.dblAmount From ProjectInvoice i") +
           "# costs\n" +
           Rows("Select " + row +
                "c.lngVoucherDetailID), c.lngOutlayID, c.lngDepartmentID, c.dblAmount, "
                "c.strDate, c.bytPeriod From CostApportion c");
  }
  std::string Rows(const std::string& sql) { return DumpRows(t_.Data(), sql); }
};

}  // namespace lumvoucher::testing
