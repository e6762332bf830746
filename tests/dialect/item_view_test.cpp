// The goods items that flexible ids name reach the voucher line query through Item.
#include <gtest/gtest.h>

#include <string>

#include "embedded/account_set.h"
#include "embedded/sqlite_data_access.h"
#include "voucher/voucher_loader.h"

namespace lumvoucher::dialect_test {
namespace {

TEST(ItemViewTest, LineQueryShowsTheItemOfAFlexibleId) {
  embedded::SqliteDataAccess data(":memory:");
  embedded::CreateAccountSet(data);
  data.Execute(
      "Insert Into FlexibleItem (lngItemID, strItemCode, strItemName) Values (7, 'G07', '钢材')");
  data.Execute(
      "Insert Into FlexibleFieldDetail (lngFieldID, intFieldNO, strFieldCode, strFieldName) Values "
      "(8, 1, '01-02', '上海')");
  data.Execute(
      "Insert Into FlexibleCheck (strFlexibleID, lngItemID, lngFieldID) Values ('F-7-8', 7, 8)");
  data.Execute(
      "Insert Into FlexibleCheck (strFlexibleID, lngItemID, lngFieldID) Values ('F-7', 7, 0)");
  data.Execute("Update VoucherDetail Set strFlexibleId = 'F-7-8' Where lngVoucherDetailID = 5");
  data.Execute("Update VoucherDetail Set strFlexibleId = 'F-7' Where lngVoucherDetailID = 6");

  host::Recordset lines = data.OpenRecordset(voucher::LinesSql(3));
  std::string names;
  for (; !lines.Eof(); lines.MoveNext()) {
    names += lines["pp0"].AsText() + "=" + lines["strFlexibleName"].AsText() + ";";
  }
  EXPECT_EQ(names, "5=钢材/上海;6=钢材;");
}

}  // namespace
}  // namespace lumvoucher::dialect_test
