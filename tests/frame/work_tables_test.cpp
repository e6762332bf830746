#include "frame/work_tables.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "host/database_error.h"
#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

using testing::TestHost;

TEST(WorkTables, AreMadeOnceWithTheirKeysSequencesAndVoucherIndex) {
  TestHost host;
  EXPECT_FALSE(WorkTableExists(kVoucherListRightTmp));
  EXPECT_TRUE(EnsureWorkTable(kVoucherListRightTmp));
  EXPECT_FALSE(EnsureWorkTable("VOUCHERLISTRIGHTTMP"));
  EXPECT_TRUE(EnsureWorkTable(kVoucherListNumTemp));
  EXPECT_TRUE(EnsureStdFinaceTmp());
  EXPECT_FALSE(EnsureStdFinaceTmp());
  EXPECT_THROW(EnsureWorkTable(kStdFinaceTmp), std::invalid_argument);
  EXPECT_THROW(EnsureWorkTable("Voucher"), std::invalid_argument);

  // The pair is the key of the right table; the id alone is the key of the count tables.
  host.Exec(
      "Insert Into VoucherListRightTmp (lngVoucherListRightTmpID, lngvoucherid) Values (100, 3)");
  host.Exec(
      "Insert Into VoucherListRightTmp (lngVoucherListRightTmpID, lngvoucherid) Values (100, 4)");
  EXPECT_THROW(host.Exec("Insert Into VoucherListRightTmp (lngVoucherListRightTmpID, "
                         "lngvoucherid) Values (100, 4)"),
               host::DatabaseError);
  host.Exec("Insert Into VoucherListNumTemp (lngVoucherListNumTempID) Values (1)");
  EXPECT_THROW(host.Exec("Insert Into VoucherListNumTemp (lngVoucherListNumTempID, lngvoucherid) "
                         "Values (1, 9)"),
               host::DatabaseError);
  EXPECT_EQ(
      host.Scalar("Select VoucherListNumTemp_SEQ.nextval || StdFinaceTmp_SEQ.nextval From dual"),
      "100100");
  EXPECT_EQ(host.Scalar("Select count(*) From sqlite_master Where type = 'index' And sql Like "
                        "'%(lngvoucherid)%'"),
            "3");
}

}  // namespace
}  // namespace lumvoucher::frame
