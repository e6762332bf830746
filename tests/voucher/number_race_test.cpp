#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "embedded/embedded_host.h"
#include "embedded/embedded_voucher_business.h"
#include "frame/inter_face.h"
#include "frame/voucher_conflict.h"
#include "lists/frm_batch_voucher.h"
#include "lists/frm_list_voucher.h"
#include "voucher/frm_voucher.h"
#include "voucher/save_fixture.h"
#include "voucher/save_texts.h"

namespace lumvoucher::testing {
namespace {

constexpr int kSavesPerProcess = 2000;

// Answers Yes to the renumbering and the batch post questions; counts and keeps every other
// message.
class YesToRenumbering : public host::MessageBox {
 public:
  int Show(std::string_view text, int, std::string_view) override {
    if (text == voucher::texts::kTakenMaxAsk || text == "您确实要记账所选的凭证吗？") {
      return host::mb::kYes;
    }
    ++others;
    shown += std::string(text) + "|";
    return host::mb::kOk;
  }
  int others = 0;
  std::string shown;
};

// Saves `count` vouchers as a desktop of its own would; answers how many failed or
// showed anything but the renumbering question.
int SaveMany(const std::string& where, const std::string& remark, int count = kSavesPerProcess) {
  YesToRenumbering box;
  ScriptedModalRunner modal;
  RecordingMainWindow main;
  std::unique_ptr<embedded::EmbeddedHost> desk =
      OpenDesktop(where, DemoLogin::Maker(), {&box, &modal, &main});
  embedded::EmbeddedHost& host = *desk;
  frame::InterFace component;
  host.InitInterFace(component);
  voucher::frmVoucher window;
  int failed = 0;
  for (int i = 0; i < count; ++i) {
    if (!window.WriteForm(TwoLineDetail(remark, 1))) {
      ++failed;
      continue;
    }
    window.MustSave();
    if (window.SaveAVoucher(false) != 1) ++failed;
  }
  return failed + box.others;
}

// Two processes save into one account set at once (a file, or a server database), each voucher
// with a number the other may take between the check and the write: every save succeeds, the
// numbers have no gap and no duplicate.
TEST(NumberRace, TwoProcessesSaveTwoThousandVouchersEachWithoutALoss) {
  const TempAccountSetFile file("race");
  const std::string where = NewSharedAccountSet(file);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The second desktop: its own connection, its own component; nothing of the test's.
    const int failed = SaveMany(where, "乙");
    ::_exit(failed == 0 ? 0 : 1);
  }
  const int failed = SaveMany(where, "甲");
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_EQ(failed, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

  {
    host::Recordset rs = OpenSharedData(where)->OpenRecordset(
        "Select Count(*) As n, Count(Distinct intVoucherNO) As numbers, Min(intVoucherNO) As low, "
        "Max(intVoucherNO) As high, Sum(Case When lngVoucherID > 9 Then 1 Else 0 End) As saved "
        "From Voucher Where lngVoucherTypeID = 1 And intYear = 2026 And bytPeriod = 2 And "
        "lngSourceOrganizationID = 1");
    const long stored = 4 + 2 * kSavesPerProcess;  // 记-000001 to 记-000004 were there before
    EXPECT_EQ(rs["saved"].AsLong(), 2 * kSavesPerProcess);
    EXPECT_EQ(rs["n"].AsLong(), stored);
    EXPECT_EQ(rs["numbers"].AsLong(), stored);
    EXPECT_EQ(rs["low"].AsLong(), 1);
    EXPECT_EQ(rs["high"].AsLong(), stored);
  }
}

// A poster's batch post of `ids` on a desktop of its own: loads the candidates, says so on
// `tell`, waits to hear the same from the other on `hear`, posts. Answers 0 when it posted them
// all, 1 when it refused them all cleanly, 2 otherwise.
int PostBatch(const std::string& where, const std::vector<long>& ids, int tell, int hear) {
  YesToRenumbering box;
  ScriptedModalRunner modal;
  RecordingMainWindow main;
  std::unique_ptr<embedded::EmbeddedHost> desk =
      OpenDesktop(where, DemoLogin::Poster(), {&box, &modal, &main});
  frame::InterFace component;
  desk->InitInterFace(component);
  lists::frmListVoucher list;
  lists::frmBatchVoucher dialog(lists::BatchOperation::kPost,
                                lists::frmBatchVoucher::SourceOf(list));
  if (!list.ShowMe() || !dialog.Load()) return 2;
  for (int row = 0; row < static_cast<int>(dialog.State().rows.size()); ++row) {
    dialog.SetTicked(row, std::find(ids.begin(), ids.end(), dialog.VoucherID(row)) != ids.end());
  }
  char byte = 0;
  if (dialog.TickedCount() != static_cast<int>(ids.size()) || ::write(tell, &byte, 1) != 1 ||
      ::read(hear, &byte, 1) != 1) {
    return 2;
  }
  const bool posted = dialog.Run();
  // The second waits and finds a voucher posted, or (without the writers' turn) finds it
  // changed under it: a refusal either way.
  const std::string failed = "|多张凭证记账失败！|";
  if (posted) return box.shown == "多张凭证记账成功，本次共记账60张凭证！|" ? 0 : 2;
  return box.shown == embedded::voucher_business_texts::kAlreadyPosted + failed ||
                 box.shown == frame::kVoucherChanged + failed
             ? 1
             : 2;
}

// Two posters batch-post overlapping thirds of 90 reviewed vouchers at once: the one that comes
// second refuses as a whole on a voucher the first posted, so each voucher is posted by one of
// them and no batch is half through.
TEST(PostRace, TwoBatchPostsOnOverlappingVouchersPostEachOnce) {
  const TempAccountSetFile file("post_race");
  const std::string where = NewSharedAccountSet(file);
  ASSERT_EQ(SaveMany(where, "批", 90), 0);
  const std::string race_vouchers =
      " In (Select lngVoucherID From VoucherDetail Where strRemark = '批')";
  std::unique_ptr<host::DataAccess> data = OpenSharedData(where);
  data->Execute("Update Voucher Set lngCheckerID = 3, lngTellerID = 4 Where lngVoucherID" +
                race_vouchers);
  std::vector<long> ids;
  host::Recordset rs = data->OpenRecordset("Select lngVoucherID From Voucher Where lngVoucherID" +
                                           race_vouchers + " Order By 1");
  for (; !rs.Eof(); rs.MoveNext()) ids.push_back(static_cast<long>(rs[std::size_t{0}].AsLong()));
  ASSERT_EQ(ids.size(), 90u);
  const std::vector<long> first(ids.begin(), ids.begin() + 60);
  const std::vector<long> second(ids.begin() + 30, ids.end());
  // Each tells the other it has read its candidates and waits to hear the same before posting.
  int to_child[2];
  int to_parent[2];
  ASSERT_EQ(::pipe(to_child), 0);
  ASSERT_EQ(::pipe(to_parent), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(to_child[1]);
    ::_exit(PostBatch(where, second, to_parent[1], to_child[0]));
  }
  ::close(to_parent[1]);  // a child that stops early ends the wait
  ::close(to_child[0]);
  const int mine = PostBatch(where, first, to_child[1], to_parent[0]);
  ::close(to_child[1]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  const int theirs = WEXITSTATUS(status);
  EXPECT_TRUE((mine == 0 && theirs == 1) || (mine == 1 && theirs == 0)) << mine << theirs;
  std::string posted;
  rs =
      data->OpenRecordset("Select lngVoucherID From Voucher Where lngPostID <> 0 And lngVoucherID" +
                          race_vouchers + " Order By 1");
  for (; !rs.Eof(); rs.MoveNext()) posted += rs[std::size_t{0}].AsText() + " ";
  std::string winner;
  for (long id : mine == 0 ? first : second) winner += std::to_string(id) + " ";
  EXPECT_EQ(posted, winner);
}

}  // namespace
}  // namespace lumvoucher::testing
