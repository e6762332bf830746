#include <gtest/gtest.h>

#include "links/frm_reference.h"
#include "links/memo_texts.h"
#include "support/test_host.h"

namespace lumvoucher::testing {
namespace {

namespace mb = host::mb;
using links::frmReference;

// The memo road in the dual-basis set "青山县人民医院" (code "16"): the voucher command opens the
// line read through VoucherDetailView, whichever basis holds it, and the save copies the
// voucher of that basis into the registration rows.
class MemoDualTest : public ::testing::Test {
 protected:
  MemoDualTest() : t_(embedded::LoginRequest{5001, 5001, "2026-02-25"}, embedded::DemoSets::kAll) {}

  std::string Stored(long line) {
    return t_.Rows(
        "Select r.lngRowID, Reference.strReferenceCode, r.dblAmount, r.intYear, r.bytPeriod, "
        "r.strDate, r.lngAccountID, r.lngDepartmentID, r.intDirection, r.intVoucherNo, "
        "r.lngVoucherTypeId, r.lngOrganizationID, r.lngOperatorID From RVoucherDetail r, "
        "Reference Where r.lngReferenceID = Reference.lngReferenceID And "
        "r.lngVoucherDetailID = " +
        std::to_string(line) + " Order By r.lngRowID");
  }

  TestHost t_;
};

TEST_F(MemoDualTest, TheCommandRegistersBudgetAndFinancialLinesThroughTheViews) {
  struct Entry {
    int type;
    long item;
    const char* amount;
  };
  struct Case {
    long voucher;
    long line;  // 5003 is a budget line: VoucherDetail does not hold it
    std::vector<Entry> rows;
    const char* window;  // caption, line amount, labels and what is left per classification
    const char* stored;
  };
  const Case cases[] = {
      {5002,
       5003,
       {{1, 2, "30000"}, {2, 5, "12000"}},
       "7201-01 基本支出|30000|政府指令性任务=0|其他分类项目=18000|",
       "1|21002|30000|2026|2|2026-02-03|6007|1|1|1|1|5001|5001\n"
       "2|30201|12000|2026|2|2026-02-03|6007|1|1|1|1|5001|5001\n"},
      {5005,
       5009,
       {{2, 5, "1200"}},
       "5101-02 商品和服务费用|1200|政府指令性任务=1200|其他分类项目=0|",
       "1|30201|1200|2026|2|2026-02-12|5013|1|1|2|1|5001|5001\n"},
  };
  for (const Case& c : cases) {
    std::string window;
    t_.Modal().Expect("frmReference", [&](host::ModalWindow& modal) {
      auto& w = dynamic_cast<frmReference&>(modal);
      for (const Entry& e : c.rows) {
        const int row = w.AddRow(e.type);
        EXPECT_TRUE(w.SetItem(row, e.item));
        EXPECT_TRUE(w.SetAmount(row, e.amount));
      }
      window =
          w.State().caption + "|" + std::to_string(static_cast<long>(w.State().line_amount)) + "|";
      for (const links::ReferenceClass& k : w.State().classes) {
        window += k.label + "=" + std::to_string(static_cast<long>(k.remaining)) + "|";
      }
      EXPECT_TRUE(w.Save());
      return 1;
    });
    EXPECT_TRUE(links::OpenLineReference(c.voucher, c.line, false)) << c.line;
    EXPECT_EQ(window, c.window);
    EXPECT_EQ(Stored(c.line), c.stored) << c.line;
  }
  // The budget line moves to another department: an unedited OK rewrites its rows.
  t_.Exec("Update BudgetVoucherDetail Set lngDepartmentID = 2 Where lngVoucherDetailID = 5003");
  frmReference w;
  ASSERT_TRUE(w.Load(5003, "7201-01 基本支出", 0, false));
  ASSERT_TRUE(w.Save());
  EXPECT_EQ(Stored(5003),
            "1|21002|30000|2026|2|2026-02-03|6007|2|1|1|1|5001|5001\n"
            "2|30201|12000|2026|2|2026-02-03|6007|2|1|1|1|5001|5001\n");
}

}  // namespace
}  // namespace lumvoucher::testing
