#include <gtest/gtest.h>

#include "frame/voucher_conflict.h"
#include "host/message_box.h"
#include "voucher/save_fixture.h"

namespace lumvoucher::testing {
namespace {

namespace mb = host::mb;
using voucher::LineField;

// The window shows a voucher that another desktop then deletes: each command that would change
// it refuses with a message and writes nothing.
class GoneVoucher : public VoucherSaveTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void DeleteElsewhere(long id) {
    const std::string where = " Where lngVoucherID = " + std::to_string(id);
    t_.Data().Execute("Delete From VoucherDetail" + where);
    t_.Data().Execute("Delete From Voucher" + where);
  }
};

TEST_P(GoneVoucher, RefusesAndWritesNothing) {
  const std::string command = GetParam();
  ASSERT_TRUE(w_.ShowAOldBill(3));
  if (command == "EditedSave") {
    ASSERT_TRUE(w_.SetCell(1, LineField::kRemark, "改过的摘要"));
  } else if (command == "MarksOnlySave") {
    w_.SetPrintMark(true);
  }
  DeleteElsewhere(3);
  const std::string before = DumpTouched(t_.Data());
  bool done = true;
  if (command == "Void") {
    t_.Messages().Expect("本张凭证作废后如果保存将不能取消作废，您确实要作废吗？", mb::kYes,
                         "凭证作废");
    t_.Messages().Expect(frame::kVoucherGone, mb::kOk, "凭证作废");
    done = w_.VoidVoucher();
    EXPECT_FALSE(S().header.void_mark);
  } else if (command == "Review") {
    t_.Messages().Expect("凭证不存在！", mb::kOk, "复核凭证");
    done = w_.Review();
  } else {
    t_.Messages().Expect(frame::kVoucherGone, mb::kOk, "保存凭证");
    done = w_.SaveBill();
    EXPECT_TRUE(S().must_save);  // the window keeps the user's entries
  }
  EXPECT_FALSE(done);
  EXPECT_EQ(DumpTouched(t_.Data()), before);
  EXPECT_EQ(t_.Scalar("Select Count(*) From VoucherDetail Where lngVoucherID = 3"), "0");
}

INSTANTIATE_TEST_SUITE_P(Commands, GoneVoucher,
                         ::testing::Values("EditedSave", "MarksOnlySave", "Void", "Review"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

}  // namespace
}  // namespace lumvoucher::testing
