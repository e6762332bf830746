// The embedded data access on the account-set schema: an UPDATE that SQLite refuses row by row
// is run again with its keys checked at the end; a real clash keeps its Oracle report.
#include <gtest/gtest.h>

#include <string>

#include "embedded/account_set.h"
#include "embedded/sqlite_data_access.h"
#include "host/database_error.h"

namespace lumvoucher::dialect_test {
namespace {

const char* const kShift =
    "Update Voucher v Set v.intVoucherNo = (v.intVoucherNo + 1) Where  v.intYear = 2026 And "
    "v.bytPeriod = 2 And v.lngVoucherTypeID = 1 And v.lngSourceOrganizationID = 1 And "
    "intVoucherNo >= 5";

class KeysAtStatementEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    embedded::CreateSchema(data_);
    for (int no = 3; no <= 7; ++no) Add("Voucher", 100 + no, no, 1);
    Add("Voucher", 200, 5, 2);  // another organisation
    Add("BudgetVoucher", 305, 5, 1);
    Add("BudgetVoucher", 306, 6, 1);
  }
  void Add(const std::string& table, int id, int no, int organization) {
    data_.Execute("Insert Into " + table +
                  " (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, bytPeriod, "
                  "lngSourceOrganizationID, lngOperatorID) Values (" +
                  std::to_string(id) + ", 1, " + std::to_string(no) + ", '2026-02-0" +
                  std::to_string(no) + "', 2026, 2, " + std::to_string(organization) + ", 2)");
  }
  // "id:number" in id order.
  std::string Numbers(const std::string& table) {
    host::Recordset rs = data_.OpenRecordset("Select lngVoucherID, intVoucherNO, strDate From " +
                                             table + " Order By lngVoucherID");
    std::string out;
    for (; !rs.Eof(); rs.MoveNext()) {
      if (!out.empty()) out += " ";
      out += rs[std::size_t{0}].AsText() + ":" + rs[std::size_t{1}].AsText();
      EXPECT_EQ(rs[std::size_t{2}].AsText().substr(0, 9), "2026-02-0");
    }
    return out;
  }
  embedded::SqliteDataAccess data_{":memory:"};
};

TEST_F(KeysAtStatementEndTest, ShiftOfConsecutiveNumbersRunsInBothBasesAndRollsBack) {
  const std::string before = Numbers("Voucher");
  data_.BeginTrans();
  data_.Execute(kShift);
  data_.RollbackTrans();
  EXPECT_EQ(Numbers("Voucher"), before);

  data_.Execute("Update Voucher Set strManager = 'm' Where lngVoucherID = 105");
  EXPECT_EQ(data_.Execute(kShift), 3);
  EXPECT_EQ(Numbers("Voucher"), "103:3 104:4 105:6 106:7 107:8 200:5");
  // The moved row keeps its other columns.
  EXPECT_EQ(data_
                .OpenRecordset("Select strManager || strDate || lngOperatorID || lngVoucherBaseID "
                               "|| strVolume From Voucher Where lngVoucherID = 105")[std::size_t{0}]
                .AsText(),
            "m2026-02-05210000");
  std::string budget = kShift;
  budget.replace(budget.find("Voucher"), 7, "BudgetVoucher");
  EXPECT_EQ(data_.Execute(budget), 2);
  EXPECT_EQ(Numbers("BudgetVoucher"), "305:6 306:7");

  // The guard against an id in both bases is back on once the shift is done.
  EXPECT_THROW(Add("BudgetVoucher", 103, 40, 1), host::DatabaseError);
  EXPECT_THROW(Add("Voucher", 305, 41, 1), host::DatabaseError);
  Add("Voucher", 400, 42, 1);
  EXPECT_EQ(data_.OpenRecordset("Select count(*) n From Voucher")[std::size_t{0}].AsLong(), 7);
}

TEST_F(KeysAtStatementEndTest, ClashInTheFinalRowsIsReportedWithTheIndexName) {
  const std::string before = Numbers("Voucher");
  try {
    data_.Execute(
        "Update Voucher v Set v.intVoucherNo = (v.intVoucherNo + 1) Where v.intYear = 2026 And "
        "v.lngSourceOrganizationID = 1 And intVoucherNo In (5, 6)");
    FAIL() << "expected a unique-key violation";
  } catch (const host::DatabaseError& e) {
    EXPECT_EQ(e.ViolatedKey(), "VOUCHER_NOUNIQUE");
    EXPECT_NE(std::string(e.what()).find("ORA-00001"), std::string::npos) << e.what();
  }
  EXPECT_EQ(Numbers("Voucher"), before);
}

TEST_F(KeysAtStatementEndTest, FailureInsideATransactionKeepsTheEarlierWork) {
  data_.BeginTrans();
  data_.Execute("Update Voucher Set strManager = 'kept' Where lngVoucherID = 103");
  EXPECT_THROW(
      data_.Execute("Update Voucher Set intVoucherNo = 9 Where lngSourceOrganizationID = 1 "
                    "And intVoucherNo >= 5"),
      host::DatabaseError);
  EXPECT_EQ(data_.Execute(kShift), 3);
  data_.CommitTrans();
  EXPECT_EQ(Numbers("Voucher"), "103:3 104:4 105:6 106:7 107:8 200:5");
  EXPECT_EQ(
      data_.OpenRecordset("Select strManager From Voucher Where lngVoucherID = 103")[std::size_t{0}]
          .AsText(),
      "kept");
}

TEST_F(KeysAtStatementEndTest, TableWithUpdateTriggerReportsTheClash) {
  data_.ExecuteScript(
      "CREATE TABLE Audited (id INTEGER PRIMARY KEY, no INTEGER UNIQUE);"
      "CREATE TABLE AuditLog (id INTEGER);"
      "CREATE TRIGGER Audited_Update AFTER UPDATE ON Audited BEGIN "
      "INSERT INTO AuditLog VALUES (NEW.id); END;"
      "INSERT INTO Audited VALUES (1, 1), (2, 2)");
  EXPECT_THROW(data_.Execute("Update Audited Set no = no + 1"), host::DatabaseError);
  EXPECT_EQ(data_.OpenRecordset("Select count(*) n From AuditLog")[std::size_t{0}].AsLong(), 0);
  EXPECT_EQ(data_.OpenRecordset("Select sum(no) n From Audited")[std::size_t{0}].AsLong(), 3);
}

}  // namespace
}  // namespace lumvoucher::dialect_test
