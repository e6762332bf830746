#include <gtest/gtest.h>
#include <sqlite3.h>
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
#include "server/server_host.h"
#include "voucher/frm_voucher.h"
#include "voucher/save_fixture.h"
#include "voucher/save_texts.h"

namespace lumvoucher::testing {
namespace {

constexpr int kSavesPerProcess = 2000;

// Answers Yes to the renumbering question and counts every other message.
class YesToRenumbering : public host::MessageBox {
 public:
  int Show(std::string_view text, int, std::string_view) override {
    if (text == voucher::texts::kTakenMaxAsk) return host::mb::kYes;
    ++others;
    return host::mb::kOk;
  }
  int others = 0;
};

// A desktop of its own on the file or (under OnPostgres) the server database `where`.
std::unique_ptr<embedded::EmbeddedHost> OpenDesk(const std::string& where,
                                                 const embedded::LoginRequest& login,
                                                 embedded::HostUi ui) {
  if (OnPostgres()) {
    server::ServerAccountSet set = server::OpenServerAccountSet(where, false);
    return std::make_unique<embedded::EmbeddedHost>(std::move(set.data), std::move(set.next_id),
                                                    login, ui);
  }
  auto desk = std::make_unique<embedded::EmbeddedHost>(where, login, ui, false);
  // The race is about locks, not about surviving a power cut: commits skip the disk flush.
  sqlite3_exec(desk->Database().Handle(), "PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
  return desk;
}

// Saves kSavesPerProcess vouchers as a desktop of its own would; answers how many failed or
// showed anything but the renumbering question.
int SaveMany(const std::string& where, const std::string& remark) {
  YesToRenumbering box;
  ScriptedModalRunner modal;
  RecordingMainWindow main;
  std::unique_ptr<embedded::EmbeddedHost> desk =
      OpenDesk(where, DemoLogin::Maker(), {&box, &modal, &main});
  embedded::EmbeddedHost& host = *desk;
  frame::InterFace component;
  host.InitInterFace(component);
  voucher::frmVoucher window;
  int failed = 0;
  for (int i = 0; i < kSavesPerProcess; ++i) {
    if (!window.WriteForm(TwoLineDetail(remark, 1))) {
      ++failed;
      continue;
    }
    window.MustSave();
    if (window.SaveAVoucher(false) != 1) ++failed;
  }
  return failed + box.others;
}

// The demo account set in `file`, or under OnPostgres in a new server database.
std::string NewAccountSet(const TempAccountSetFile& file) {
  if (OnPostgres()) return NewServerDatabase(embedded::DemoSets::kSingleBasisOnly);
  ScriptedMessageBox box;
  ScriptedModalRunner modal;
  RecordingMainWindow main;
  embedded::EmbeddedHost creator(file.Path(), DemoLogin::Maker(), {&box, &modal, &main});
  return file.Path();
}

// Two processes save into one account set at once (a file, or a server database), each voucher
// with a number the other may take between the check and the write: every save succeeds, the
// numbers have no gap and no duplicate.
TEST(NumberRace, TwoProcessesSaveTwoThousandVouchersEachWithoutALoss) {
  const TempAccountSetFile file("race");
  const std::string where = NewAccountSet(file);
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
    std::unique_ptr<host::DataAccess> data;
    if (OnPostgres()) {
      data = std::make_unique<server::PostgresDataAccess>(where);
    } else {
      data = std::make_unique<embedded::SqliteDataAccess>(where);
    }
    host::Recordset rs = data->OpenRecordset(
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

// Answers Yes to the batch's question and keeps every other message.
class YesToTheBatch : public host::MessageBox {
 public:
  int Show(std::string_view text, int, std::string_view) override {
    if (text != "您确实要记账所选的凭证吗？") shown += std::string(text) + "|";
    return host::mb::kYes;
  }
  std::string shown;
};

// A poster's batch post of `ids` on a desktop of its own: loads the candidates, writes to
// `ready`, waits for a byte on `go` (-1: no wait), posts. Answers the messages shown.
std::string PostBatch(const std::string& where, const std::vector<long>& ids, int ready, int go) {
  YesToTheBatch box;
  ScriptedModalRunner modal;
  RecordingMainWindow main;
  std::unique_ptr<embedded::EmbeddedHost> desk =
      OpenDesk(where, DemoLogin::Poster(), {&box, &modal, &main});
  frame::InterFace component;
  desk->InitInterFace(component);
  lists::frmListVoucher list;
  lists::frmBatchVoucher dialog(lists::BatchOperation::kPost,
                                lists::frmBatchVoucher::SourceOf(list));
  if (!list.ShowMe() || !dialog.Load()) return "no candidates";
  for (int row = 0; row < static_cast<int>(dialog.State().rows.size()); ++row) {
    dialog.SetTicked(row, std::find(ids.begin(), ids.end(), dialog.VoucherID(row)) != ids.end());
  }
  if (dialog.TickedCount() != static_cast<int>(ids.size())) return "missing candidates";
  char byte = 0;
  if (ready >= 0 && ::write(ready, &byte, 1) != 1) return "no pipe";
  if (go >= 0 && ::read(go, &byte, 1) != 1) return "no pipe";
  dialog.Run();
  return box.shown;
}

// Two posters batch-post overlapping thirds of 90 reviewed vouchers at once: the one that comes
// second refuses as a whole on a voucher the first posted, so each voucher is posted by one of
// them and no batch is half through.
TEST(PostRace, TwoBatchPostsOnOverlappingVouchersPostEachOnce) {
  const TempAccountSetFile file("post_race");
  const std::string where = NewAccountSet(file);
  std::vector<long> ids;
  {
    ScriptedMessageBox box;
    ScriptedModalRunner modal;
    RecordingMainWindow main;
    std::unique_ptr<embedded::EmbeddedHost> desk =
        OpenDesk(where, DemoLogin::Maker(), {&box, &modal, &main});
    frame::InterFace component;
    desk->InitInterFace(component);
    voucher::frmVoucher window;
    for (int i = 0; i < 90; ++i) {
      ASSERT_TRUE(window.WriteForm(TwoLineDetail("批", 5 + i)));
      window.MustSave();
      ASSERT_EQ(window.SaveAVoucher(false), 1);
    }
    desk->Data().Execute(
        "Update Voucher Set lngCheckerID = 3, lngTellerID = 4 Where lngVoucherID In (Select "
        "lngVoucherID From VoucherDetail Where strRemark = '批')");
    host::Recordset rs = desk->Data().OpenRecordset(
        "Select lngVoucherID From Voucher Where lngVoucherID In (Select lngVoucherID From "
        "VoucherDetail Where strRemark = '批') Order By 1");
    for (; !rs.Eof(); rs.MoveNext()) ids.push_back(static_cast<long>(rs[std::size_t{0}].AsLong()));
  }
  ASSERT_EQ(ids.size(), 90u);
  const std::vector<long> first(ids.begin(), ids.begin() + 60);
  const std::vector<long> second(ids.begin() + 30, ids.end());
  int ready[2], answer[2];
  ASSERT_EQ(::pipe(ready) | ::pipe(answer), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const std::string outcome = PostBatch(where, second, ready[1], -1);
    const bool written =
        ::write(answer[1], outcome.data(), outcome.size()) == static_cast<ssize_t>(outcome.size());
    ::_exit(written ? 0 : 1);
  }
  ::close(answer[1]);
  ::close(ready[1]);  // a child that stops early ends the wait
  // Both have read their candidates before either posts.
  const std::string mine = PostBatch(where, first, -1, ready[0]);
  std::string theirs;
  char buffer[512];
  for (ssize_t n; (n = ::read(answer[0], buffer, sizeof buffer)) > 0;) theirs.append(buffer, n);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  // The second waits and finds the voucher posted, or (without the writers' turn) finds it
  // changed under it: a refusal either way.
  const std::string posted_all = "多张凭证记账成功，本次共记账60张凭证！|";
  const bool first_won = mine == posted_all;
  const std::string loser = first_won ? theirs : mine, failed = "|多张凭证记账失败！|";
  EXPECT_EQ(first_won ? mine : theirs, posted_all);
  EXPECT_TRUE(loser == embedded::voucher_business_texts::kAlreadyPosted + failed ||
              loser == frame::kVoucherChanged + failed)
      << loser;

  std::unique_ptr<host::DataAccess> data;
  if (OnPostgres()) {
    data = std::make_unique<server::PostgresDataAccess>(where);
  } else {
    data = std::make_unique<embedded::SqliteDataAccess>(where);
  }
  std::string posted;
  host::Recordset rs = data->OpenRecordset(
      "Select lngVoucherID From Voucher Where lngPostID <> 0 And lngVoucherID In (Select "
      "lngVoucherID From VoucherDetail Where strRemark = '批') Order By 1");
  for (; !rs.Eof(); rs.MoveNext()) posted += rs[std::size_t{0}].AsText() + " ";
  std::string winner;
  for (long id : first_won ? first : second) winner += std::to_string(id) + " ";
  EXPECT_EQ(posted, winner);
}

}  // namespace
}  // namespace lumvoucher::testing
