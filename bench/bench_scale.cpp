// How the costs grow with the data: the same workloads on a period of N vouchers and of 10 N
// (N = 10 000 unless an argument says otherwise), two lines each, reviewed, in one account set:
// - scale_save: N / 100 vouchers saved through the component (every check on) into the period;
// - scale_list: the voucher list of the period read whole;
// - scale_batch_post: the batch dialog posting every voucher of the period;
// - scale_balance: 20 balance reads of the line panel on an account that every voucher uses.
// Each workload does ten times the work at 10 N (vouchers saved, rows listed, vouchers posted,
// lines summed), so each prints: BENCH <name> <ms at 10 N> ms baseline <10 x ms at N> ratio
// <ratio>, and a ratio near 1 is linear growth.
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "bench_support.h"
#include "embedded/account_set.h"
#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "frame/window_registry.h"
#include "lists/frm_batch_voucher.h"
#include "lists/frm_list_voucher.h"
#include "voucher/line_info_panel.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace lumvoucher;
using bench::Exec;

constexpr int kBalanceReads = 20;

// Answers yes to questions; anything but a success message is a failed run.
class AnsweringMessageBox : public host::MessageBox {
 public:
  int Show(std::string_view text, int flags, std::string_view title) override {
    if ((flags & host::mb::kButtonMask) == host::mb::kYesNo) return host::mb::kYes;
    if (text.find("成功") == std::string_view::npos) {
      std::cerr << title << ": " << text << "\n";
      failed = true;
    }
    return host::mb::kOk;
  }
  bool failed = false;
};

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// February 2026 of organisation 01: vouchers of 李明 reviewed by 王芳, debit 6602-01 with a
// department, credit 1002-01.
void CreateData(sqlite3* db, int vouchers) {
  Exec(db, "BEGIN");
  sqlite3_stmt* voucher = nullptr;
  sqlite3_stmt* line = nullptr;
  sqlite3_prepare_v2(db,
                     "INSERT INTO Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, "
                     "intYear, bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID, "
                     "lngCheckerID) VALUES (?1, 1, ?2, ?3, 2026, 2, 1, 1, 2, 3)",
                     -1, &voucher, nullptr);
  sqlite3_prepare_v2(db,
                     "INSERT INTO VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, "
                     "strRemark, lngAccountID, intDirection, dblAmount, lngDepartmentID, "
                     "lngOrganizationID) VALUES (?1, ?2, ?3, '规模凭证', ?4, ?5, 100, ?6, 1)",
                     -1, &line, nullptr);
  for (int v = 0; v < vouchers; ++v) {
    const int id = 20000 + v;
    char date[32];
    std::snprintf(date, sizeof date, "2026-02-%02d", 1 + v * 27 / vouchers);
    sqlite3_bind_int(voucher, 1, id);
    sqlite3_bind_int(voucher, 2, 1000 + v);
    sqlite3_bind_text(voucher, 3, date, -1, SQLITE_TRANSIENT);
    sqlite3_step(voucher);
    sqlite3_reset(voucher);
    for (int r = 1; r <= 2; ++r) {
      sqlite3_bind_int(line, 1, 10000000 + v * 2 + r);
      sqlite3_bind_int(line, 2, id);
      sqlite3_bind_int(line, 3, r);
      sqlite3_bind_int(line, 4, r == 1 ? 31 : 12);
      sqlite3_bind_int(line, 5, r == 1 ? 1 : -1);
      sqlite3_bind_int(line, 6, r == 1 ? 1 : 0);
      sqlite3_step(line);
      sqlite3_reset(line);
    }
  }
  sqlite3_finalize(voucher);
  sqlite3_finalize(line);
  Exec(db, "COMMIT");
}

// A voucher as the import road writes it, on accounts without item accounting (as bench_save).
std::string Detail(long number) {
  return lumvoucher::bench::FormText(number, {{5, 1, 100}, {28, -1, 100}}, "2026-02-28", "规模凭证",
                                     "1");
}

struct Times {
  double save = 0;
  double list = 0;
  double batch_post = 0;
  double balance = 0;
};

Times Run(int vouchers) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("bench_scale_" + std::to_string(getpid()) + "_" + std::to_string(vouchers) + ".db");
  Times times;
  {
    embedded::SqliteDataAccess data(file.string());
    embedded::CreateAccountSet(data);
    CreateData(data.Handle(), vouchers);
  }
  AnsweringMessageBox messages;
  {
    embedded::EmbeddedHost host(file.string(), {1, 2, "2026-02-28"},
                                embedded::HostUi{&messages, nullptr, nullptr}, false);
    frame::InterFace component;
    host.InitInterFace(component);
    const int saves = vouchers / 100;
    auto start = Clock::now();
    for (int i = 0; i < saves; ++i) {
      if (!component.WriteForm(Detail(1000 + vouchers + i), "")) {
        throw std::runtime_error("not written");
      }
      component.MustSave();
      if (component.SaveAVoucher(false, "") != 1) throw std::runtime_error("not saved");
    }
    times.save = Since(start);

    lists::frmListVoucher list;
    if (!list.ShowMe()) throw std::runtime_error("the list did not fill");
    start = Clock::now();
    if (!list.ToolRefresh()) throw std::runtime_error("the list did not fill");
    times.list = Since(start);
    // The demo account set's own vouchers come on top.
    if (list.State().rows.size() < static_cast<std::size_t>(2 * (vouchers + saves))) {
      throw std::runtime_error("listed " + std::to_string(list.State().rows.size()));
    }

    start = Clock::now();
    for (int i = 0; i < kBalanceReads; ++i) {
      host::Recordset rs = host.Database().OpenRecordset(
          voucher::BalanceSql(i % 2 == 0 ? "6602" : "1002", voucher::VoucherLine{}, {}));
      if (rs.RecordCount() != 1) throw std::runtime_error("no balance");
    }
    times.balance = Since(start);
    list.FormUnload();
  }
  frame::WindowRegistry::ReleaseAll();
  {
    embedded::EmbeddedHost host(file.string(), {1, 5, "2026-02-28"},
                                embedded::HostUi{&messages, nullptr, nullptr}, false);
    frame::InterFace component;
    host.InitInterFace(component);
    lists::frmListVoucher list;
    if (!list.ShowMe()) throw std::runtime_error("the list did not fill");
    lists::frmBatchVoucher dialog(lists::BatchOperation::kPost,
                                  lists::frmBatchVoucher::SourceOf(list));
    if (!dialog.Load()) throw std::runtime_error("no candidates");
    dialog.SelectAll();
    const auto start = Clock::now();
    if (!dialog.Run() || dialog.State().result < vouchers) {
      throw std::runtime_error("posted " + std::to_string(dialog.State().result));
    }
    times.batch_post = Since(start);
    list.FormUnload();
  }
  frame::WindowRegistry::ReleaseAll();
  if (messages.failed) throw std::runtime_error("a message came up");
  bench::RemoveDatabase(file);
  return times;
}

void Report(const char* name, double at_ten, double at_one) {
  std::printf("BENCH %s %.0f ms baseline %.0f ratio %.2f\n", name, at_ten * 1000,
              10 * at_one * 1000, at_ten / (10 * at_one));
}

}  // namespace

int main(int argc, char** argv) {
  const int base = argc > 1 ? std::max(100, std::atoi(argv[1])) : 10000;
  try {
    const Times one = Run(base);
    const Times ten = Run(10 * base);
    Report("scale_save", ten.save, one.save);
    Report("scale_list", ten.list, one.list);
    Report("scale_batch_post", ten.batch_post, one.batch_post);
    Report("scale_balance", ten.balance, one.balance);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_scale: %s\n", error.what());
    return 1;
  }
  return 0;
}
