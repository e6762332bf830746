// What the frame keeps in the account set: settings, module status, organisation copies of
// shared rows, grid widths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/frame_texts.h"
#include "frame/grid_widths.h"
#include "frame/module_status.h"
#include "frame/organization_view.h"
#include "frame/settings.h"
#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

TEST(Settings, ReadTheOrganisationsValueOrTheDefaultAndWriteOneRow) {
  testing::TestHost host;
  EXPECT_EQ(ReadSetting(kSectionAccountSet, "没有这个选项"), "");
  EXPECT_EQ(SettingValue(0, kSectionAccountSet, "凭证修改存盘提示", "False"), "True");
  EXPECT_EQ(SettingValue(0, kSectionAccountSet, "没有这个选项", "缺省"), "缺省");
  host.Exec(
      "Update Setting Set strSetting = '1999-09-09' Where lngOrganizationID = 1 And strKey = "
      "'启用日期'");
  EXPECT_EQ(ReadSetting(kSectionAccountSet, "启用日期"), "1999-09-09");

  WriteSetting("科目设置", "现金科目", "3");
  WriteSetting("科目设置", "未知科目", "987654");
  const AccountSetting account = ReadAccountSetting("科目设置", "现金科目");
  const AccountSetting unknown = ReadAccountSetting("科目设置", "未知科目");
  EXPECT_EQ(std::to_string(account.id) + " " + account.text, "3 1002-01 工商银行（人民币）");
  EXPECT_EQ(std::to_string(unknown.id) + " " + unknown.text, "987654 ");
  // Writing keeps one row, and quoted keys cannot widen the query.
  WriteSetting("总账", "它's", "一");
  WriteSetting("总账", "它's", "它's \"x\"");
  EXPECT_EQ(ReadSetting("总账", "它's"), "它's \"x\"");
  EXPECT_EQ(host.Rows("Select strSetting From Setting Where strKey = '它''s'"), "它's \"x\"\n");
  // Were the key pasted unquoted, this would match every row of the section.
  EXPECT_EQ(ReadSetting(kSectionAccountSet, "x' or '1'='1"), "");
}

TEST(ModuleStatus, AnswersByTheStoredStatusOfTheCurrentOrganisation) {
  testing::TestHost host;
  for (const char* row :
       {"1, 50, 2, 2025, 1, 2025, 11", "1, 51, 7, 2024, 3, 0, 0", "2, 60, 1, 2026, 5, 0, 0"}) {
    host.Exec(std::string("Insert Into MODULE (lngOrganizationID, lngModuleID, bytStatus, intYear, "
                          "bytPeriod, intYearStop, bytPeriodStop) Values (") +
              row + ")");
  }
  std::string dump;
  for (long module : {3, 129, 50, 51, 4242, 60}) {
    const ModuleStatus s = GetModuleStatus(module);
    dump += std::to_string(s.Code()) + " " + std::to_string(s.year) + "/" +
            std::to_string(s.period) + "\n";
  }
  // Running, not started, stopped (where it stopped), any other status runs, no row, another
  // organisation's row.
  EXPECT_EQ(dump, "1 2026/2\n-1 0/0\n-2 2025/11\n1 2024/3\n0 0/0\n0 0/0\n");
}

TEST(OrganizationView, AnOrganisationsCopyReplacesTheSharedRowInBothForms) {
  testing::TestHost host;
  // Organisation 3 keeps its own copy of type 1 (demo); give it a name of its own.
  host.Exec(
      "Update VoucherTypeEx Set strVoucherTypeName = '分院记账凭证' Where lngVoucherTypeID = 1 "
      "And lngOrganizationID = 3");
  auto rows = [&](const std::string& view) {
    return host.Rows("Select t.lngOrganizationID, t.lngVoucherTypeID, t.strVoucherTypeName From " +
                     view + " t Where t.lngVoucherTypeID < 3 Order By 1, 2");
  };
  EXPECT_EQ(rows(OrganizationExtendedView("VoucherType", "VoucherType", 3)),
            "3|1|分院记账凭证\n3|2|收款凭证\n");
  EXPECT_EQ(rows(OrganizationExtendedView("VoucherType", "VoucherType", 1)),
            "1|1|记账凭证\n1|2|收款凭证\n");
  EXPECT_EQ(rows(OrganizationExtendedView("VoucherType", "VoucherType", std::vector<long>{1, 3})),
            "1|1|记账凭证\n1|2|收款凭证\n3|1|分院记账凭证\n3|2|收款凭证\n");
}

std::string Dump(const std::vector<GridColumnWidth>& widths) {
  std::string dump;
  for (const GridColumnWidth& w : widths) {
    dump += (dump.empty() ? "" : " ") + std::to_string(w.width) + (w.hidden ? "(hidden)" : "");
  }
  return dump;
}

TEST(GridWidths, AreKeptAsCaretTextPerWindowAndGridAndReadBackSkippingWhatIsNotAWidth) {
  testing::TestHost host;
  EXPECT_EQ(Dump(ParseGridWidths("1200^^abc^$^-5^45")), "1200 45");
  EXPECT_EQ(Dump(ReadGridWidths("frmVoucher", "grdVoucher")), "");
  SaveGridWidths("frmVoucher", "grdVoucher", {{1200, false}, {800, true}, {300, false}});
  SaveGridWidths("frmListVoucher", "grdList", {{500, false}});
  EXPECT_EQ(Dump(ReadGridWidths("frmVoucher", "grdVoucher")), "1200 800(hidden) 300");
  EXPECT_EQ(host.Scalar("Select strSetting From Setting Where strSection = '总账' And strKey = "
                        "'GridWidth_frmVoucher_grdVoucher' And lngOrganizationID = 1"),
            "1200^$800^300");
  SaveGridWidths("frmVoucher", "grdVoucher", {{900, false}});
  EXPECT_EQ(Dump(ReadGridWidths("frmVoucher", "grdVoucher")), "900");
  EXPECT_EQ(Dump(ReadGridWidths("frmListVoucher", "grdList")), "500");
}

}  // namespace
}  // namespace lumvoucher::frame
