#include "host/recordset.h"

#include <gtest/gtest.h>

#include "host/database_error.h"

namespace lumvoucher::host {
namespace {

Recordset TwoVouchers() {
  return Recordset({"lngVoucherID", "strRemark", "dblAmount"},
                   {{Value(1), Value("提现"), Value(100.5)}, {Value(2), Value(), Value("12.25")}});
}

TEST(Recordset, FindsFieldsByNameWhateverTheCaseAndByPosition) {
  Recordset rs = TwoVouchers();
  EXPECT_EQ(rs["LNGVOUCHERID"].AsLong(), 1);
  EXPECT_EQ(rs["lngvoucherid"].AsLong(), 1);
  EXPECT_EQ(rs[std::size_t{1}].AsText(), "提现");
  EXPECT_EQ(rs.FieldIndex("DBLAMOUNT"), 2);
  EXPECT_EQ(rs.FieldIndex("strMissing"), -1);
  // An unknown field is a database error.
  EXPECT_THROW(rs["strNoSuchColumn"], DatabaseError);
  EXPECT_THROW(rs.At(0, "strNoSuchColumn"), DatabaseError);
  // The cursor walks every row, then reports Eof.
  std::vector<long> ids;
  for (; !rs.Eof(); rs.MoveNext()) ids.push_back(static_cast<long>(rs["lngVoucherID"].AsLong()));
  EXPECT_EQ(ids, (std::vector<long>{1, 2}));
  EXPECT_THROW(rs["lngVoucherID"], DatabaseError);
  rs.MoveFirst();
  EXPECT_EQ(rs["lngVoucherID"].AsLong(), 1);
  // Null reads as zero and empty text, as drivers do.
  rs.MoveNext();
  EXPECT_TRUE(rs["strRemark"].IsNull());
  EXPECT_EQ(rs["strRemark"].AsText(), "");
  EXPECT_EQ(rs["strRemark"].AsLong(), 0);
  EXPECT_DOUBLE_EQ(rs["dblAmount"].AsDouble(), 12.25);
}

TEST(DatabaseError, NamesTheViolatedKeyWhateverTheCase) {
  DatabaseError error("unique", "VOUCHER_NOUNIQUE");
  EXPECT_TRUE(error.Violates("voucher_nounique"));
  EXPECT_FALSE(error.Violates("BUDGETVOUCHER_NOUNIQUE"));
  EXPECT_FALSE(DatabaseError("other").Violates("VOUCHER_NOUNIQUE"));
}

}  // namespace
}  // namespace lumvoucher::host
