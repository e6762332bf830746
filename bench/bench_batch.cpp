// Batch posting of 10 000 reviewed vouchers through the batch dialog, in two workloads:
// - batch_post: pressing the dialog's OK with every row ticked (the rules checked, the updates
//   written, one transaction), against a hand-written loop that runs the same updates in one
//   transaction on the same file;
// - batch_load: opening the dialog (its candidate query read into the grid), against the same
//   candidates fetched by a hand-written SQLite query.
// Between runs the postings are undone directly. ratio = our time / hand-written time.
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "embedded/account_set.h"
#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "lists/frm_batch_voucher.h"
#include "lists/frm_list_voucher.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace lumvoucher;

constexpr int kVouchers = 10000;
constexpr int kFirstId = 20000;
constexpr int kRuns = 3;
constexpr int kPoster = 5;

using bench::Exec;

// Answers yes to the question and records anything else that is not the success message.
class AnsweringMessageBox : public host::MessageBox {
 public:
  int Show(std::string_view text, int flags, std::string_view title) override {
    if ((flags & host::mb::kButtonMask) == host::mb::kYesNo) return host::mb::kYes;
    if (text.find("多张凭证记账成功") == std::string_view::npos) {
      std::cerr << title << ": " << text << "\n";
      failed = true;
    }
    return host::mb::kOk;
  }
  bool failed = false;
};

// March 2026 of organisation 01: reviewed vouchers of 李明 without cash or bank lines.
void CreateData(sqlite3* db) {
  Exec(db, "BEGIN");
  sqlite3_stmt* voucher = nullptr;
  sqlite3_stmt* line = nullptr;
  sqlite3_prepare_v2(db,
                     "INSERT INTO Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, "
                     "intYear, bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID, "
                     "lngCheckerID) VALUES (?1, 1, ?2, ?3, 2026, 3, 1, 1, 2, 3)",
                     -1, &voucher, nullptr);
  sqlite3_prepare_v2(db,
                     "INSERT INTO VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, "
                     "strRemark, lngAccountID, intDirection, dblAmount, lngDepartmentID, "
                     "lngOrganizationID) VALUES (?1, ?2, ?3, '批量记账', ?4, ?5, 100, ?6, 1)",
                     -1, &line, nullptr);
  for (int v = 0; v < kVouchers; ++v) {
    const int id = kFirstId + v;
    char date[16];
    std::snprintf(date, sizeof date, "2026-03-%02d", 1 + v * 31 / kVouchers);
    sqlite3_bind_int(voucher, 1, id);
    sqlite3_bind_int(voucher, 2, v + 1);
    sqlite3_bind_text(voucher, 3, date, -1, SQLITE_TRANSIENT);
    sqlite3_step(voucher);
    sqlite3_reset(voucher);
    for (int r = 1; r <= 2; ++r) {
      sqlite3_bind_int(line, 1, 1000000 + v * 2 + r);
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

int Posted(sqlite3* db) {
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT count(*) FROM Voucher WHERE lngPostID = 5 AND lngVoucherID >= 20000",
                     -1, &stmt, nullptr);
  sqlite3_step(stmt);
  const int n = sqlite3_column_int(stmt, 0);
  sqlite3_finalize(stmt);
  return n;
}

void Unpost(sqlite3* db) {
  Exec(db, "UPDATE Voucher SET lngPostID = 0 WHERE lngVoucherID >= " + std::to_string(kFirstId));
}

// The same updates by hand: one per voucher, in one transaction.
int Baseline(sqlite3* db) {
  Exec(db, "BEGIN IMMEDIATE");
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db,
                     "UPDATE Voucher SET lngPostID = ?1 WHERE lngVoucherID = ?2 AND lngPostID = 0",
                     -1, &stmt, nullptr);
  int done = 0;
  for (int v = 0; v < kVouchers; ++v) {
    sqlite3_bind_int(stmt, 1, kPoster);
    sqlite3_bind_int(stmt, 2, kFirstId + v);
    sqlite3_step(stmt);
    done += sqlite3_changes(db);
    sqlite3_reset(stmt);
  }
  sqlite3_finalize(stmt);
  Exec(db, "COMMIT");
  return done;
}

// The best of kRuns timings of `run`, each after an untimed `reset`.
double Best(const std::function<int()>& run, const std::function<void()>& reset, int& done) {
  double best = 1e300;
  for (int i = 0; i < kRuns; ++i) {
    reset();
    const auto start = Clock::now();
    done = run();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

// The dialog's candidates written by hand: same rows, same order.
int BaselineCandidates(sqlite3* db) {
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(
      db,
      "SELECT '', vt.strVoucherTypeCode || '-' || substr('000000' || v.intVoucherNO, -6), "
      "v.strDate, (SELECT sum(d.dblAmount) FROM VoucherDetail d WHERE d.lngVoucherID = "
      "v.lngVoucherID AND d.intDirection = 1), op.strOperatorName, v.lngVoucherID, "
      "v.lngSourceOrganizationID, v.intYear, v.bytPeriod FROM Voucher v JOIN VoucherType vt ON "
      "v.lngVoucherTypeID = vt.lngVoucherTypeID LEFT JOIN Operator op ON v.lngOperatorID = "
      "op.lngOperatorID WHERE v.lngSourceOrganizationID IN (SELECT lngOrganizationID FROM "
      "Organization WHERE strOrganizationCode = '01' OR strOrganizationCode LIKE '01-%') AND "
      "v.blnIsVoid = 0 AND v.strDate >= '2026-03-01' AND v.strDate <= '2026-03-31' AND "
      "v.lngCheckerID <> 0 AND v.lngPostID = 0 AND v.blnIsError = 0 AND (v.lngTellerID <> 0 OR "
      "NOT EXISTS (SELECT 1 FROM VoucherDetail cb JOIN Account ca ON cb.lngAccountID = "
      "ca.lngAccountID WHERE cb.lngVoucherID = v.lngVoucherID AND ca.lngAccountNatureID IN "
      "(1, 2))) AND v.lngOperatorID IN (-1, 1, 2, 3, 4, 5, 6) ORDER BY v.strDate, "
      "vt.strVoucherTypeCode, v.intVoucherNO, v.lngVoucherID",
      -1, &stmt, nullptr);
  int rows = 0;
  std::vector<std::vector<std::string>> kept;
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    std::vector<std::string> row;
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
      row.emplace_back(text ? text : "");
    }
    kept.push_back(std::move(row));
    ++rows;
  }
  sqlite3_finalize(stmt);
  return rows;
}

void Report(const char* name, double value, double baseline) {
  std::printf("BENCH %s %.0f ms baseline %.0f ratio %.2f\n", name, value * 1000, baseline * 1000,
              value / baseline);
  std::fflush(stdout);
}

}  // namespace

int main() {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("bench_batch_" + std::to_string(getpid()) + ".db");
  int status = 0;
  try {
    {
      embedded::SqliteDataAccess data(file.string());
      embedded::CreateAccountSet(data);
      CreateData(data.Handle());
    }
    AnsweringMessageBox messages;
    embedded::EmbeddedHost host(file.string(), {1, kPoster, "2026-03-15"},
                                embedded::HostUi{&messages, nullptr, nullptr}, false);
    frame::InterFace inter_face;
    host.InitInterFace(inter_face);
    lists::frmListVoucher list;
    if (!list.ShowMe()) throw std::runtime_error("the list did not fill");
    sqlite3* db = host.Database().Handle();

    int dialog_done = 0;
    int baseline_done = 0;
    int progress = 0;
    std::unique_ptr<lists::frmBatchVoucher> dialog;
    auto open_dialog = [&] {
      dialog = std::make_unique<lists::frmBatchVoucher>(lists::BatchOperation::kPost,
                                                        lists::frmBatchVoucher::SourceOf(list));
      dialog->SetProgressHandler([&](int done, int) { progress = done; });
      if (!dialog->Load()) throw std::runtime_error("no candidates");
      return static_cast<int>(dialog->State().rows.size());
    };
    const double post_time = Best(
        [&] {
          if (!dialog->Run()) throw std::runtime_error("the batch did not run");
          return dialog->State().result;
        },
        [&] {
          Unpost(db);
          open_dialog();
          dialog->SelectAll();
        },
        dialog_done);
    if (messages.failed || dialog_done != kVouchers || Posted(db) != kVouchers ||
        progress != kVouchers) {
      throw std::runtime_error("the dialog posted " + std::to_string(dialog_done));
    }
    const double baseline_time =
        Best([&] { return Baseline(db); }, [&] { Unpost(db); }, baseline_done);
    if (baseline_done != kVouchers) throw std::runtime_error("the loop posted too few");
    Report("batch_post", post_time, baseline_time);

    Unpost(db);
    int loaded = 0;
    int fetched = 0;
    const double load_time = Best(
        open_dialog, [] {}, loaded);
    const double fetch_time = Best([&] { return BaselineCandidates(db); }, [] {}, fetched);
    if (loaded != kVouchers || fetched != kVouchers) {
      throw std::runtime_error("candidates: dialog " + std::to_string(loaded) + ", query " +
                               std::to_string(fetched));
    }
    Report("batch_load", load_time, fetch_time);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_batch: %s\n", error.what());
    status = 1;
  }
  lumvoucher::bench::RemoveDatabase(file);
  return status;
}
