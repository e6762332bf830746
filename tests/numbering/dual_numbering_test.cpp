// The numbering windows under the dual-basis regime, opened as the menus open them, on the demo
// set 青山县人民医院, 2026 period 2 of 记: 1 a reviewed pair (5001/5002), 2 financial only (5005),
// 3 budget only (5008), 4 a void pair (5009/5010). Each case starts from a fresh account set.
#include <gtest/gtest.h>

#include "frame/frame_texts.h"
#include "frame/settings.h"
#include "frame/uniqueness_stamp.h"
#include "numbering/frm_voucher_continuity.h"
#include "numbering/frm_voucher_renumber.h"
#include "numbering/frm_voucher_volume.h"
#include "numbering/numbering_texts.h"
#include "numbering/numbering_windows.h"
#include "support/test_host.h"

namespace lumvoucher::testing {
namespace {

namespace texts = numbering::texts;

struct DualSet {
  DualSet() : t({5001, 5001, "2026-02-15"}, embedded::DemoSets::kAll) {}
  void Lay(const std::vector<std::string>& sql) {
    for (const std::string& s : sql) t.Exec(s);
  }
  // "basis:id:number:volume[:former]" of 记, period 2, by id; "*" after a stamp that verifies.
  std::string Notes() {
    host::Recordset rs = t.Data().OpenRecordset(
        "Select lngVoucherBaseID, lngVoucherID, intVoucherNO, strVolume, strOldReceiptNo, "
        "strDate, strUQStamp From VoucherView Where lngVoucherTypeID = 1 And intYear = 2026 And "
        "bytPeriod = 2 And lngSourceOrganizationID = 5001 Order By lngVoucherID");
    std::string out;
    for (; !rs.Eof(); rs.MoveNext()) {
      auto at = [&](std::size_t i) { return rs[i].AsText(); };
      out += (out.empty() ? "" : " ") + at(0) + ":" + at(1) + ":" + at(2) + ":" + at(3) +
             (at(4) == " " ? "" : ":" + at(4));
      if (frame::UQStampMatches(at(6), 5001, at(5), 1, std::stol(at(2)))) out += "*";
    }
    return out + " max=" +
           t.Scalar(
               "Select lngReceiptNo From ReceiptMaxNo Where lngOrganizationID = 5001 And "
               "intYear = 2026 And bytPeriod = 2 And strReceiptNo = '1'");
  }
  TestHost t;
};

// 2 and 5008 printed (5008 renumbered once before), 2 -> 5, 3 -> 7, 4 -> 9.
const std::vector<std::string> kGaps = {
    "Update Voucher Set intVoucherNO = 5, blnIsPrinted = 1 Where lngVoucherID = 5005",
    "Update BudgetVoucher Set intVoucherNO = 7, blnIsPrinted = 1, strOldReceiptNo = '000008' "
    "Where lngVoucherID = 5008",
    "Update Voucher Set intVoucherNO = 9 Where lngVoucherID = 5009",
    "Update BudgetVoucher Set intVoucherNO = 9 Where lngVoucherID = 5010",
    "Update ReceiptMaxNo Set lngReceiptNo = 9 Where lngOrganizationID = 5001 And strReceiptNo = "
    "'1'"};

TEST(DualBasisNumbering, RenumberingMovesAPairAsOneVoucher) {
  struct Case {
    const char* name;
    std::vector<std::string> layout;
    std::string range_start;  // empty: the whole period
    std::string report;       // before, when not empty
    std::string after;
  } cases[] = {
      {"gaps, a void pair, printed vouchers", kGaps, "",
       "凭证字:记       最大凭证字号   记-000009\n记-000002 到 记-000004                   缺号   "
       "\n"
       "记-000006                   缺号   \n记-000008                   缺号   \n"
       "记-000009                   作废   \n"
       "---------------------------------------------------------\n"
       "合计：   总单数: 9   缺号数: 5   作废数: 1\n结束\n",
       "1:5001:1:01* 2:5002:1:01* 1:5005:2:01:000005* 2:5008:3:0000:000008 000007* 1:5009:4:0000* "
       "2:5010:4:0000* max=4"},
      {"range 3 to 9", kGaps, "3", "",
       "1:5001:1:0000 2:5002:1:0000 1:5005:3:0000:000005* 2:5008:4:0000:000008 000007* "
       "1:5009:5:0000* 2:5010:5:0000* max=5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DualSet d;
    d.Lay(c.layout);
    d.Lay(
        {"Insert Into VoucherVolume (intYear, bytPeriod, lngVoucherTypeID, strVolume, "
         "intNoStart, intNoEnd, lngOrganizationID) Values (2026, 2, 1, '01', 1, 2, 5001)"});
    frame::WriteSetting(frame::kSectionAccountSet, "凭证唯一性校验", "True");
    frame::WriteSetting("企业会计信息化", "支持企业会计信息化工作规范", "1");
    d.t.Modal().Expect(texts::kRenumberWindowName, [&](host::ModalWindow& window) {
      auto& w = dynamic_cast<numbering::frmVoucherRenumber&>(window);
      EXPECT_TRUE(w.Basis().IsDual());
      w.SetRangeMode(!c.range_start.empty());
      if (!c.range_start.empty()) {
        EXPECT_TRUE(w.SetRange(0, 1, c.range_start, "9"));
      }
      if (!c.report.empty()) {
        EXPECT_TRUE(w.Query());
        std::string report;
        for (const std::string& line : w.State().report) report += line + "\n";
        EXPECT_EQ(report, c.report);
      }
      d.t.Messages().Expect(texts::kRenumberQuestion, host::mb::kYes, texts::kTitleRenumber);
      EXPECT_TRUE(w.Renumber());
      return 0;
    });
    numbering::ShowVoucherRenumber(1);
    EXPECT_EQ(d.t.Modal().Pending(), 0u);
    EXPECT_EQ(d.Notes(), c.after);
  }
}

TEST(DualBasisNumbering, AContinuityRunMovesThePartnerOfATickedVoucher) {
  struct Case {
    const char* name;
    std::vector<long> ticked;
    std::string message;  // the refusal, or the new numbers
    std::string after;
  } cases[] = {
      {"financial and a pair's budget side",
       {5005, 5010},
       "000005 - 000006",
       "1:5001:1:0000 2:5002:1:0000 1:5005:5:0000 2:5008:3:0000 1:5009:6:0000 "
       "2:5010:6:0000 max=6"},
      {"budget only, printed",
       {5008, 5005},
       "000005 - 000006",
       "1:5001:1:0000 2:5002:1:0000 1:5005:5:0000 2:5008:6:0000:000003 1:5009:4:0000 "
       "2:5010:4:0000 max=6"},
      {"both rows of one pair", {5009}, texts::kTooFew, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DualSet d;
    d.Lay({"Update BudgetVoucher Set blnIsPrinted = 1 Where lngVoucherID = 5008"});
    const std::string before = d.Notes();
    d.t.Modal().Expect(texts::kContinuityWindowName, [&](host::ModalWindow& window) {
      auto& w = dynamic_cast<numbering::frmVoucherContinuity&>(window);
      // Own untouched vouchers of both bases, the reviewed pairs left out.
      std::string listed;
      for (int row = 0; row < static_cast<int>(w.State().rows.size()); ++row) {
        listed += std::to_string(w.VoucherID(row)) + " " +
                  w.CellText(row, w.ColumnIndex(texts::kBasisCaption)) + "|";
      }
      EXPECT_EQ(listed, "5006 财务|5007 预算|5005 财务|5008 预算|5009 财务|5010 预算|");
      for (int row = 0; row < static_cast<int>(w.State().rows.size()); ++row) {
        for (long id : c.ticked) {
          if (w.VoucherID(row) == id) w.SetTicked(row, true);
        }
      }
      if (c.after.empty()) {
        d.t.Messages().Expect(c.message, host::mb::kOk, texts::kContinuityTitle);
      } else {
        d.t.Messages().Expect(texts::kContinuityQuestion, host::mb::kYes, texts::kContinuityTitle);
        d.t.Messages().Expect(texts::kContinuityDone + c.message, host::mb::kOk,
                              texts::kContinuityTitle);
      }
      EXPECT_EQ(w.Run(), !c.after.empty());
      return 0;
    });
    EXPECT_EQ(numbering::ShowVoucherContinuity(), !c.after.empty());
    EXPECT_EQ(d.Notes(), c.after.empty() ? before : c.after);
  }
}

TEST(DualBasisNumbering, AVolumeSaveStampsBothBasesAndCountsAPairOnce) {
  DualSet d;
  d.t.Modal().Expect(texts::kVolumeWindowName, [&](host::ModalWindow& window) {
    auto& w = dynamic_cast<numbering::frmVoucherVolume&>(window);
    EXPECT_TRUE(w.SetVoucherType(1) && w.NewRow() &&
                w.SetCell(0, numbering::VolumeColumn::kEnd, "2"));
    EXPECT_TRUE(w.Save());
    EXPECT_EQ(w.State().rows, (std::vector<numbering::VolumeRow>{{"01", "000001", "000002", "2"}}));
    EXPECT_EQ(w.State().unbound, "000003--000004 共2张。");
    return 0;
  });
  EXPECT_TRUE(numbering::ShowVoucherVolume());
  EXPECT_EQ(d.Notes(),
            "1:5001:1:01 2:5002:1:01 1:5005:2:01 2:5008:3:0000 1:5009:4:0000 2:5010:4:0000 max=4");
}

}  // namespace
}  // namespace lumvoucher::testing
