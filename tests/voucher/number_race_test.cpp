#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
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

// Saves kSavesPerProcess vouchers as a desktop of its own would, into the file or (under
// OnPostgres) the server database `where`; answers how many failed or showed anything but the
// renumbering question.
int SaveMany(const std::string& where, const std::string& remark) {
  YesToRenumbering box;
  ScriptedModalRunner modal;
  RecordingMainWindow main;
  std::unique_ptr<embedded::EmbeddedHost> desk;
  if (OnPostgres()) {
    server::ServerAccountSet set = server::OpenServerAccountSet(where, false);
    desk = std::make_unique<embedded::EmbeddedHost>(std::move(set.data), std::move(set.next_id),
                                                    DemoLogin::Maker(),
                                                    embedded::HostUi{&box, &modal, &main});
  } else {
    desk = std::make_unique<embedded::EmbeddedHost>(where, DemoLogin::Maker(),
                                                    embedded::HostUi{&box, &modal, &main}, false);
    // The race is about locks, not about surviving a power cut: commits skip the disk flush.
    sqlite3_exec(desk->Database().Handle(), "PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
  }
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

// Two processes save into one account set at once (a file, or a server database), each voucher
// with a number the other may take between the check and the write: every save succeeds, the
// numbers have no gap and no duplicate.
TEST(NumberRace, TwoProcessesSaveTwoThousandVouchersEachWithoutALoss) {
  const TempAccountSetFile file("race");
  std::string where = file.Path();
  if (OnPostgres()) {
    where = NewServerDatabase(embedded::DemoSets::kSingleBasisOnly);
  } else {
    ScriptedMessageBox box;
    ScriptedModalRunner modal;
    RecordingMainWindow main;
    embedded::EmbeddedHost creator(file.Path(), DemoLogin::Maker(), {&box, &modal, &main});
  }
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

}  // namespace
}  // namespace lumvoucher::testing
