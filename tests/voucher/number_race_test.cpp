#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
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

// Saves kSavesPerProcess vouchers as a desktop of its own would; answers how many failed or
// showed anything but the renumbering question.
int SaveMany(const std::string& file, const std::string& remark) {
  YesToRenumbering box;
  ScriptedModalRunner modal;
  RecordingMainWindow main;
  embedded::EmbeddedHost host(file, DemoLogin::Maker(), {&box, &modal, &main}, false);
  // The race is about locks, not about surviving a power cut: commits skip the disk flush.
  sqlite3_exec(host.Database().Handle(), "PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
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

// Two processes save into one account-set file at once, each voucher with a number the other
// may take between the check and the write: every save succeeds, the numbers have no gap and no
// duplicate.
TEST(NumberRace, TwoProcessesSaveTwoThousandVouchersEachWithoutALoss) {
  const TempAccountSetFile file("race");
  {
    ScriptedMessageBox box;
    ScriptedModalRunner modal;
    RecordingMainWindow main;
    embedded::EmbeddedHost creator(file.Path(), DemoLogin::Maker(), {&box, &modal, &main});
  }
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The second desktop: its own connection, its own component; nothing of the test's.
    const int failed = SaveMany(file.Path(), "乙");
    ::_exit(failed == 0 ? 0 : 1);
  }
  const int failed = SaveMany(file.Path(), "甲");
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_EQ(failed, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

  {
    embedded::SqliteDataAccess data(file.Path());
    host::Recordset rs = data.OpenRecordset(
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
