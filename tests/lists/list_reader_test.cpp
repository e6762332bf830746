#include "list_fixture.h"

namespace lumvoucher::testing {

namespace {

// A period of many vouchers over every day, so that the list reads several slices of dates and
// several chunks of vouchers; one voucher in ten has a line on 1221, which the maker may not see.
class ListReaderTest : public VoucherListTest {
 protected:
  void SetUp() override {
    for (long i = 0; i < 150; ++i) {
      const long id = 1000 + i;
      const std::string day = std::to_string(101 + i % 28).substr(1);
      StoreVoucher(id, 4, 1 + i % 4, 100 + i, "2026-02-" + day, 2);
      if (i % 10 == 0) StoreLine(id * 10 + 3, id, 3, 8, 1, 5, "往来");
    }
    Exec("Update Voucher Set strVolume = '000' || Mod(lngVoucherID, 3)");
    Set("权限控制", "科目", "True");
    Exec(
        "Insert Into OperatorAccount Select 2, lngAccountID, 1 From Account Where "
        "lngAccountID <> 8");
    VoucherListTest::SetUp();
  }
};

TEST_F(ListReaderTest, StepwiseRowsAreThoseOfTheWholeQueryInEverySortOrder) {
  for (bool stepwise : {false, true}) {
    list_.SetStepwise(stepwise);
    for (const char* caption : {"日期", "日期", "凭证字号", "凭证字号", "凭证册号", "凭证册号"}) {
      const std::string label = std::string(caption) + (stepwise ? " stepwise" : "");
      ASSERT_TRUE(list_.SortByColumn(list_.ColumnIndex(caption)));
      if (stepwise) {
        // The first screen is there before the rest, and the work tables wait for the end.
        EXPECT_TRUE(list_.State().reading) << label;
        EXPECT_GE(list_.State().rows.size(), lists::VoucherList::kFirstScreenRows) << label;
        EXPECT_LT(list_.State().rows.size(), 250u) << label;
        list_.ReadAll();
        EXPECT_FALSE(list_.State().reading);
      }
      // The rows as the list query read in one statement gives them.
      const std::vector<host::Recordset::Row> whole =
          t_.Data().OpenRecordset(list_.LastQuery()).Rows();
      EXPECT_GT(whole.size(), 250u) << label;
      EXPECT_TRUE(list_.State().rows == whole) << label;
      // Every voucher but the 15 with a hidden line, and the key table agrees.
      EXPECT_EQ(t_.Scalar("Select Count(1) From VoucherListRightTmp Where "
                          "lngVoucherListRightTmpID = " +
                          std::to_string(list_.WorkKey()) + " And lngVoucherID >= 1000"),
                "135")
          << label;
    }
  }
}

}  // namespace

}  // namespace lumvoucher::testing
