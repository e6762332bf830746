#include <algorithm>

#include "host/message_box.h"
#include "list_fixture.h"

namespace lumvoucher::testing {

namespace {

// Item rights: a voucher is listed only when the operator may see every one of its lines.
class RightsTest : public VoucherListTest {
 protected:
  void Control(const char* key) { Set("权限控制", key, "True"); }
  // Grants operator 2 the items of a permission table in organisation 1.
  void Grant(const std::string& table, const std::string& column, const std::string& ids,
             long organization = 1) {
    Exec("Insert Into " + table + " (lngOperatorID, " + column + ", lngOrganizationID) Select 2, " +
         column + ", " + std::to_string(organization) + " From (Select " + column + " From " +
         (table == "OperatorAccount"      ? "Account"
          : table == "OperatorCustomer"   ? "Customer"
          : table == "OperatorDepartment" ? "Department"
          : table == "OperatorEmployee"   ? "Employee"
          : table == "OperatorClass1"     ? "Class1"
                                          : "Class2") +
         ") Where " + column + " In (" + ids + ")");
  }
  std::string Refresh() {
    EXPECT_TRUE(list_.ToolRefresh());
    return Vouchers(list_);
  }
};

TEST_F(RightsTest, OneHiddenLineHidesTheWholeVoucher) {
  Control("科目");
  // Every account but 1221, which the second line of 记 000001 (voucher 3) uses.
  Exec(
      "Insert Into OperatorAccount Select 2, lngAccountID, 1 From Account Where lngAccountID <> 8");
  EXPECT_EQ(Refresh(), "1 2 4 5 9 7 8");
  EXPECT_TRUE(list_.RightsRestricted());
  // The counts behind it: all lines and permitted lines per voucher, and the key table.
  const std::string key = std::to_string(list_.WorkKey());
  EXPECT_EQ(
      t_.Scalar("Select lngDetailNum || '/' || (Select r.lngDetailNum From "
                "VoucherListRightNumTemp r Where r.lngVoucherID = 3 And r.lngOperatorID = " +
                key +
                ") From VoucherListNumTemp Where lngVoucherID = 3 And lngOperatorID = " + key),
      "2/1");
  EXPECT_EQ(
      t_.Scalar("Select Count(1) From VoucherListRightTmp Where lngVoucherListRightTmpID = " + key),
      "7");
}

TEST_F(RightsTest, EachDimensionRestrictsByItsOwnItem) {
  Control("单位");
  Grant("OperatorCustomer", "lngCustomerID", "1,2,5");
  EXPECT_EQ(Refresh(), "1 2 3 4 5 9 8");               // 7 uses unit 6
  Grant("OperatorCustomer", "lngCustomerID", "6", 3);  // another organisation's grant
  EXPECT_EQ(Refresh(), "1 2 3 4 5 9 8");
  Grant("OperatorCustomer", "lngCustomerID", "6");
  EXPECT_EQ(Refresh(), "1 2 3 4 5 9 7 8");

  Control("部门");
  Grant("OperatorDepartment", "lngDepartmentID", "1,4");
  EXPECT_EQ(Refresh(), "1 2 3 4 5 9 7");  // 8 has a line of department 2

  Control("职员");
  EXPECT_EQ(Refresh(), "1 2 4 5 9 7");  // 3 names 张伟
  Grant("OperatorEmployee", "lngEmployeeID", "1");
  EXPECT_EQ(Refresh(), "1 2 3 4 5 9 7");

  Control("统计");
  EXPECT_EQ(Refresh(), "1 2 3 4 5 9");  // 7 has class-1 item 3
  Grant("OperatorClass1", "lngClassID", "3");
  Control("项目");
  EXPECT_EQ(Refresh(), "1 2 3 4 5 9");  // and class-2 item 4
  Grant("OperatorClass2", "lngClassID", "4");
  EXPECT_EQ(Refresh(), "1 2 3 4 5 9 7");

  Control("机构");
  EXPECT_EQ(Refresh(), "1 2 3 4 5 9 7");  // 李明 may work in every organisation
  Exec("Update VoucherDetail Set lngOrganizationID = 4 Where lngVoucherDetailID = 20");
  Exec("Delete From OperatorOrganization Where lngOperatorID = 2 And lngOrganizationID = 4");
  EXPECT_EQ(Refresh(), "1 2 3 4 5 7");
}

class AdministratorListTest : public ListTest {
 protected:
  AdministratorListTest() : ListTest(DemoLogin::Administrator()) {}
};

TEST_F(AdministratorListTest, AdministratorIsNotRestrictedByItemRights) {
  Set("权限控制", "科目", "True");
  lists::frmListVoucher list;
  ASSERT_TRUE(list.ShowMe());
  EXPECT_EQ(Vouchers(list), "1 2 3 4 5 9 7 8");
  EXPECT_FALSE(list.RightsRestricted());
}

TEST_F(RightsTest, WorkTablesAreKeptPerListAndEmptiedOnClose) {
  Control("科目");
  Exec("Insert Into OperatorAccount Select 2, lngAccountID, 1 From Account");
  EXPECT_EQ(Refresh(), "1 2 3 4 5 9 7 8");
  lists::frmListVoucher second;
  ASSERT_TRUE(second.ShowMe());
  EXPECT_NE(second.WorkKey(), list_.WorkKey());
  const std::string count = "Select Count(1) From VoucherListNumTemp Where lngOperatorID = ";
  EXPECT_EQ(t_.Scalar(count + std::to_string(list_.WorkKey())), "8");
  EXPECT_EQ(Refresh(), "1 2 3 4 5 9 7 8");  // a refresh replaces, never adds
  EXPECT_EQ(t_.Scalar(count + std::to_string(list_.WorkKey())), "8");

  second.FormUnload();
  EXPECT_EQ(t_.Scalar(count + std::to_string(second.WorkKey())), "0");
  EXPECT_EQ(t_.Scalar("Select Count(1) From VoucherListRightTmp Where lngVoucherListRightTmpID = " +
                      std::to_string(second.WorkKey())),
            "0");
  EXPECT_EQ(t_.Scalar(count + std::to_string(list_.WorkKey())), "8");
}

// A refresh rewrites only what changed, and leaves the work tables as a first fill leaves them.
TEST_F(RightsTest, RefreshedWorkTablesAreThoseOfAFirstFill) {
  Control("科目");
  Exec(
      "Insert Into OperatorAccount Select 2, lngAccountID, 1 From Account Where lngAccountID <> 8");
  const auto dump = [this](long key) {  // "rows voucher:lines/permitted:listed ..."
    const std::string k = std::to_string(key);
    std::string out =
        t_.Scalar("Select Count(1) From VoucherListRightNumTemp Where lngOperatorID = " + k);
    const host::Recordset rows = t_.Data().OpenRecordset(
        "Select n.lngVoucherID || ':' || n.lngDetailNum || '/' || (Select r.lngDetailNum From "
        "VoucherListRightNumTemp r Where r.lngOperatorID = " +
        k +
        " And r.lngVoucherID = n.lngVoucherID) || ':' || (Select Count(1) From VoucherListRightTmp "
        "t Where t.lngVoucherListRightTmpID = " +
        k +
        " And t.lngVoucherID = n.lngVoucherID) From VoucherListNumTemp n Where n.lngOperatorID = " +
        k + " Order By 1");
    for (const host::Recordset::Row& row : rows.Rows()) out += " " + row.at(0).AsText();
    return out;
  };
  // A voucher shown, one hidden, one out of scope, lines added and permissions taken away.
  for (const char* change :
       {"Delete From VoucherDetail Where lngVoucherDetailID = 6",
        "Update VoucherDetail Set lngAccountID = 8 Where lngVoucherDetailID = 1",
        "Update Voucher Set blnIsVoid = 1 Where lngVoucherID = 2",
        "Insert Into VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, "
        "lngAccountID, lngOrganizationID) Values (49, 4, 9, 31, 1)",
        "Delete From OperatorAccount Where lngAccountID = 31",
        // A stray count row puts the two count tables' row keys apart for the next fill.
        "Insert Into VoucherListRightNumTemp (lngVoucherListRightNumTempID, lngVoucherID, "
        "lngDetailNum, lngOperatorID) Values (99999, 1, 1, 1)"}) {
    Exec(change);
    ASSERT_TRUE(list_.ToolRefresh());
    lists::frmListVoucher fresh;
    ASSERT_TRUE(fresh.ShowMe());
    EXPECT_EQ(dump(list_.WorkKey()), dump(fresh.WorkKey())) << change;
    fresh.FormUnload();
  }
  EXPECT_EQ(Vouchers(list_), "3 5 9 7 8");
}

// Whichever work-table statement fails, the fill rolls back: the list keeps its rows, the
// user is told, and the work tables hold what they held.
TEST_F(RightsTest, FailedFillRollsBackAndKeepsTheRows) {
  Control("科目");
  Exec(
      "Insert Into OperatorAccount Select 2, lngAccountID, 1 From Account Where lngAccountID <> 8");
  ASSERT_EQ(Refresh(), "1 2 4 5 9 7 8");
  // The statements of a refresh that changes the work tables (one that changes nothing writes
  // less).
  Exec("Delete From OperatorAccount Where lngAccountID = 3");
  t_.Data().Record(true);
  ASSERT_EQ(Refresh(), "4 5 9 7 8");
  const std::vector<std::string> statements = t_.Data().Recorded();
  t_.Data().Record(false);
  Exec("Insert Into OperatorAccount Values (2, 3, 1)");
  ASSERT_EQ(Refresh(), "1 2 4 5 9 7 8");
  const std::string rows =
      "Select Count(1) From VoucherListRightTmp Where lngVoucherListRightTmpID = " +
      std::to_string(list_.WorkKey());
  int writes = 0;
  for (std::size_t i = 0; i < statements.size(); ++i) {
    const std::string& sql = statements[i];
    if (sql.rfind("Insert", 0) == 0 || sql.rfind("Delete", 0) == 0) ++writes;
    Exec("Delete From OperatorAccount Where lngAccountID = 3");  // would hide 1 and 2
    t_.Data().FailAtStatement(static_cast<int>(i) + 1);
    t_.Messages().Expect("injected failure at statement " + std::to_string(i + 1) + ": " + sql,
                         host::mb::kOk, "记账凭证列表");
    EXPECT_FALSE(list_.ToolRefresh()) << sql;
    t_.Data().NeverFail();
    EXPECT_EQ(Vouchers(list_), "1 2 4 5 9 7 8") << sql;
    EXPECT_EQ(t_.Scalar(rows), "7") << sql;
    Exec("Insert Into OperatorAccount Values (2, 3, 1)");
  }
  EXPECT_EQ(writes, 6);
}

}  // namespace

}  // namespace lumvoucher::testing
