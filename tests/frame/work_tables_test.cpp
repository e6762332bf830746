#include "frame/work_tables.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "host/database_error.h"
#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

using testing::TestHost;

class WorkTablesTest : public ::testing::Test {
 protected:
  std::string Columns(const std::string& table) {
    host::Recordset rs = host_.Data().OpenRecordset("Select * From " + table);
    std::string dump;
    for (std::size_t i = 0; i < rs.FieldCount(); ++i) dump += (i == 0 ? "" : ",") + rs.FieldName(i);
    return dump;
  }
  TestHost host_;
};

TEST_F(WorkTablesTest, EnsuringTwiceCreatesTheTableOnce) {
  EXPECT_FALSE(WorkTableExists(kVoucherListRightTmp));
  EXPECT_TRUE(EnsureWorkTable(kVoucherListRightTmp));
  host_.Data().Execute(
      "Insert Into VoucherListRightTmp (lngVoucherListRightTmpID, lngvoucherid) "
      "Values (100, 3)");
  EXPECT_FALSE(EnsureWorkTable("VOUCHERLISTRIGHTTMP"));
  EXPECT_EQ(host_.Scalar("Select count(*) From VoucherListRightTmp"), "1");
}

TEST_F(WorkTablesTest, ListTablesHaveTheirColumnsAndKeys) {
  EnsureWorkTable(kVoucherListRightTmp);
  EnsureWorkTable(kVoucherListNumTemp);
  EnsureWorkTable(kVoucherListRightNumTemp);
  EXPECT_EQ(Columns(kVoucherListRightTmp), "lngVoucherListRightTmpID,lngvoucherid");
  EXPECT_EQ(Columns(kVoucherListNumTemp),
            "lngVoucherListNumTempID,lngdetailnum,lngoperatorid,lngvoucherid");
  EXPECT_EQ(Columns(kVoucherListRightNumTemp),
            "lngVoucherListRightNumTempID,lngdetailnum,lngoperatorid,lngvoucherid");

  // The pair is the key of the right table; the id alone is the key of the count tables.
  host_.Data().Execute(
      "Insert Into VoucherListRightTmp (lngVoucherListRightTmpID, lngvoucherid) "
      "Values (100, 3)");
  host_.Data().Execute(
      "Insert Into VoucherListRightTmp (lngVoucherListRightTmpID, lngvoucherid) "
      "Values (100, 4)");
  EXPECT_THROW(host_.Data().Execute("Insert Into VoucherListRightTmp (lngVoucherListRightTmpID, "
                                    "lngvoucherid) Values (100, 4)"),
               host::DatabaseError);
  host_.Data().Execute("Insert Into VoucherListNumTemp (lngVoucherListNumTempID) Values (1)");
  EXPECT_EQ(host_.Scalar("Select lngdetailnum + lngoperatorid + lngvoucherid From "
                         "VoucherListNumTemp"),
            "0");
  EXPECT_THROW(host_.Data().Execute("Insert Into VoucherListNumTemp (lngVoucherListNumTempID, "
                                    "lngvoucherid) Values (1, 9)"),
               host::DatabaseError);
}

TEST_F(WorkTablesTest, SequencesStartAtOneHundred) {
  EnsureWorkTable(kVoucherListNumTemp);
  EnsureStdFinaceTmp();
  EXPECT_EQ(host_.Scalar("Select VoucherListNumTemp_SEQ.nextval From dual"), "100");
  EXPECT_EQ(host_.Scalar("Select VoucherListNumTemp_SEQ.nextval From dual"), "101");
  EXPECT_EQ(host_.Scalar("Select StdFinaceTmp_SEQ.nextval From dual"), "100");
}

TEST_F(WorkTablesTest, EveryListTableIsIndexedOnItsVoucherColumn) {
  for (const char* table :
       {kVoucherListRightTmp, kVoucherListNumTemp, kVoucherListRightNumTemp, kStdFinaceTmp}) {
    if (std::string(table) == kStdFinaceTmp) {
      EnsureStdFinaceTmp();
    } else {
      EnsureWorkTable(table);
    }
    EXPECT_EQ(host_.Scalar("Select count(*) From sqlite_master Where type = 'index' And tbl_name "
                           "= '" +
                           std::string(table) + "' And sql Like '%(lngvoucherid)%'"),
              "1")
        << table;
  }
}

TEST_F(WorkTablesTest, StdFinaceTmpIsItsOwnService) {
  EXPECT_TRUE(EnsureStdFinaceTmp());
  EXPECT_FALSE(EnsureStdFinaceTmp());
  EXPECT_EQ(Columns(kStdFinaceTmp), "lngStdFinaceTmpid,lngvoucherid");
  EXPECT_THROW(EnsureWorkTable(kStdFinaceTmp), std::invalid_argument);
  EXPECT_THROW(EnsureWorkTable("Voucher"), std::invalid_argument);
}

}  // namespace
}  // namespace lumvoucher::frame
