#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "support/scripted_modal_runner.h"
#include "support/test_host.h"
#include "voucher/frm_voucher.h"
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

// A program's voucher of 记 (type 1) on 2026-02-15, always asking for number 1.
std::string Detail(const std::string& remark) {
  const std::string head = "2026-02\t2026-02-15\t1\t1\t" + remark + "\t";
  const std::string tail =
      "\t0\t0\t0\t0\t0\t0\t\t1\t0000\tFALSE\t1\t\t0\t0\t0\t0\t0\t0\t\t\t0\t0\t\t0\t0\t\t\t1\t0\t0";
  return head + "1\t1\t100" + tail + "\n" + head + "29\t-1\t100" + tail;
}

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
    if (!window.WriteForm(Detail(remark))) {
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
  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("lumvoucher_race_" + std::to_string(::getpid()) + ".db");
  const auto remove = [&] {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(file.string() + suffix);
  };
  remove();
  {
    ScriptedMessageBox box;
    ScriptedModalRunner modal;
    RecordingMainWindow main;
    embedded::EmbeddedHost creator(file.string(), DemoLogin::Maker(), {&box, &modal, &main});
  }
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The second desktop: its own connection, its own component; nothing of the test's.
    const int failed = SaveMany(file.string(), "乙");
    ::_exit(failed == 0 ? 0 : 1);
  }
  const int failed = SaveMany(file.string(), "甲");
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_EQ(failed, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

  {
    embedded::SqliteDataAccess data(file.string());
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
  remove();
}

}  // namespace
}  // namespace lumvoucher::testing
