// Renumbering one period (renumber_period): 10 000 vouchers of one type numbered 1 .. 12 500
// with every fifth number missing, volumes of 100 numbers, stamping on. The number window's
// "编号整理" (the candidates, the volume walk, the negated numbers with their stamps, the sign
// flip, the counter and the ledger entry, in one transaction) against a hand-written SQLite
// loop doing the same updates in one transaction on the same file. Between runs the numbers are
// put back directly. ratio = our time / hand-written time.
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "embedded/account_set.h"
#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "frame/uniqueness_stamp.h"
#include "numbering/frm_voucher_renumber.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace lumvoucher;
using bench::Exec;

constexpr int kVouchers = 10000;
constexpr int kFirstId = 20000;
constexpr int kSlots = 12500;
constexpr int kVolumeSize = 100;
constexpr int kRuns = 3;
const std::string kSecret(64, '5');

class AnsweringMessageBox : public host::MessageBox {
 public:
  int Show(std::string_view text, int flags, std::string_view title) override {
    if ((flags & host::mb::kButtonMask) == host::mb::kYesNo) return host::mb::kYes;
    std::cerr << title << ": " << text << "\n";
    failed = true;
    return host::mb::kOk;
  }
  bool failed = false;
};

// The k-th voucher's number before renumbering: 1 .. 12 500 without the multiples of 5.
std::string OriginalNumber(const std::string& k) {
  return "(" + k + " + " + k + " / 4 + 1)";
}

void CreateData(sqlite3* db) {
  Exec(db, "BEGIN");
  sqlite3_stmt* voucher = nullptr;
  sqlite3_prepare_v2(db,
                     "INSERT INTO Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, "
                     "intYear, bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID) "
                     "VALUES (?1, 1, ?2, ?3, 2026, 3, 1, 1, 2)",
                     -1, &voucher, nullptr);
  for (int k = 0; k < kVouchers; ++k) {
    char date[16];
    std::snprintf(date, sizeof date, "2026-03-%02d", 1 + k * 31 / kVouchers);
    sqlite3_bind_int(voucher, 1, kFirstId + k);
    sqlite3_bind_int(voucher, 2, k + k / 4 + 1);
    sqlite3_bind_text(voucher, 3, date, -1, SQLITE_TRANSIENT);
    sqlite3_step(voucher);
    sqlite3_reset(voucher);
  }
  sqlite3_finalize(voucher);
  for (int start = 1; start <= kSlots; start += kVolumeSize) {
    char label[16];
    std::snprintf(label, sizeof label, "%04d", start / kVolumeSize + 1);
    Exec(db,
         "INSERT INTO VoucherVolume (intYear, bytPeriod, lngVoucherTypeID, strVolume, intNoStart, "
         "intNoEnd, lngOrganizationID) VALUES (2026, 3, 1, '" +
             std::string(label) + "', " + std::to_string(start) + ", " +
             std::to_string(start + kVolumeSize - 1) + ", 1)");
  }
  Exec(db,
       "INSERT INTO ReceiptMaxNo (lngOrganizationID, intYear, bytPeriod, lngReceiptTypeID, "
       "strReceiptNo, lngReceiptNo) VALUES (1, 2026, 3, 41, '1', " +
           std::to_string(kSlots) + ")");
  Exec(db,
       "INSERT OR REPLACE INTO Setting (lngorganizationid, strSection, strKey, strSetting) VALUES "
       "(1, '帐套属性', '凭证唯一性校验', 'True'), (1, '企业会计信息化', "
       "'支持企业会计信息化工作规范', "
       "'1'), (0, '帐套属性', '" +
           std::string(frame::kStampSecretKey) + "', '" + kSecret + "')");
  Exec(db, "COMMIT");
}

void Restore(sqlite3* db) {
  const std::string k = "(lngVoucherID - " + std::to_string(kFirstId) + ")";
  Exec(db, "BEGIN");
  Exec(db, "UPDATE Voucher SET intVoucherNO = -" + OriginalNumber(k) +
               ", strVolume = '0000', strUQStamp = ' ' WHERE lngVoucherID >= " +
               std::to_string(kFirstId));
  Exec(db, "UPDATE Voucher SET intVoucherNO = -intVoucherNO WHERE intVoucherNO < 0");
  Exec(db, "UPDATE ReceiptMaxNo SET lngReceiptNo = " + std::to_string(kSlots) +
               " WHERE intYear = 2026 AND bytPeriod = 3");
  Exec(db, "DELETE FROM log");
  Exec(db, "COMMIT");
}

// The renumbering's result: numbers 1 .. kVouchers in the old order, volumes of 100, every
// stamp verifying.
void Check(sqlite3* db) {
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT lngVoucherID, intVoucherNO, strVolume, strDate, strUQStamp FROM "
                     "Voucher WHERE lngVoucherID >= 20000 ORDER BY lngVoucherID",
                     -1, &stmt, nullptr);
  int k = 0;
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    const int number = sqlite3_column_int(stmt, 1);
    char label[16];
    std::snprintf(label, sizeof label, "%04d", (number - 1) / kVolumeSize + 1);
    const std::string volume = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2));
    const std::string date = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3));
    const std::string stamp = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 4));
    if (number != k + 1 || volume != label ||
        stamp != frame::UQStamp(kSecret, frame::UQStampKey(1, date, 1, number))) {
      sqlite3_finalize(stmt);
      throw std::runtime_error("voucher " + std::to_string(kFirstId + k) + " has " +
                               std::to_string(number) + " " + volume);
    }
    ++k;
  }
  sqlite3_finalize(stmt);
  if (k != kVouchers) throw std::runtime_error("vouchers lost");
}

// The same updates by hand: the candidates in number order, each voucher's negated number and
// volume, its stamp, the sign flip and the counter, in one transaction.
void Baseline(sqlite3* db) {
  Exec(db, "BEGIN IMMEDIATE");
  struct Volume {
    std::string label;
    int end;
  };
  std::vector<Volume> volumes;
  sqlite3_stmt* read = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT strVolume, intNoEnd FROM VoucherVolume WHERE intYear = 2026 AND "
                     "bytPeriod = 3 AND lngVoucherTypeID = 1 AND lngOrganizationID = 1 ORDER BY "
                     "intNoStart",
                     -1, &read, nullptr);
  while (sqlite3_step(read) == SQLITE_ROW) {
    volumes.push_back(
        {reinterpret_cast<const char*>(sqlite3_column_text(read, 0)), sqlite3_column_int(read, 1)});
  }
  sqlite3_finalize(read);
  sqlite3_prepare_v2(db,
                     "SELECT lngVoucherID, strDate FROM Voucher WHERE lngSourceOrganizationID = 1 "
                     "AND intVoucherNO > 0 AND lngVoucherTypeID = 1 AND intYear = 2026 AND "
                     "bytPeriod = 3 ORDER BY intVoucherNO",
                     -1, &read, nullptr);
  sqlite3_stmt* number = nullptr;
  sqlite3_stmt* stamp = nullptr;
  sqlite3_prepare_v2(db,
                     "UPDATE Voucher SET intVoucherNO = ?1, strVolume = ?2 WHERE lngVoucherID = ?3",
                     -1, &number, nullptr);
  sqlite3_prepare_v2(db, "UPDATE Voucher SET strUQStamp = ?1 WHERE lngVoucherID = ?2", -1, &stamp,
                     nullptr);
  std::size_t at = 0;
  int n = 0;
  while (sqlite3_step(read) == SQLITE_ROW) {
    const int id = sqlite3_column_int(read, 0);
    const std::string date = reinterpret_cast<const char*>(sqlite3_column_text(read, 1));
    ++n;
    while (at < volumes.size() && volumes[at].end < n) ++at;
    const std::string label = at < volumes.size() ? volumes[at].label : "0000";
    sqlite3_bind_int(number, 1, -n);
    sqlite3_bind_text(number, 2, label.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(number, 3, id);
    sqlite3_step(number);
    sqlite3_reset(number);
    const std::string value = frame::UQStamp(kSecret, frame::UQStampKey(1, date, 1, n));
    sqlite3_bind_text(stamp, 1, value.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(stamp, 2, id);
    sqlite3_step(stamp);
    sqlite3_reset(stamp);
  }
  sqlite3_finalize(read);
  sqlite3_finalize(number);
  sqlite3_finalize(stamp);
  Exec(db, "UPDATE Voucher SET intVoucherNO = -intVoucherNO WHERE intVoucherNO < 0");
  Exec(db,
       "UPDATE ReceiptMaxNo SET lngReceiptNo = (SELECT max(intVoucherNO) FROM Voucher WHERE "
       "intYear = 2026 AND bytPeriod = 3 AND lngVoucherTypeID = 1 AND lngSourceOrganizationID = "
       "1) WHERE lngOrganizationID = 1 AND intYear = 2026 AND bytPeriod = 3 AND "
       "lngReceiptTypeID = 41 AND strReceiptNo = '1'");
  Exec(db, "COMMIT");
}

double Best(const std::function<void()>& run, const std::function<void()>& reset,
            const std::function<void()>& check) {
  double best = 1e300;
  for (int i = 0; i < kRuns; ++i) {
    reset();
    const auto start = Clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    check();
  }
  return best;
}

}  // namespace

int main() {
  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("bench_renumber_" + std::to_string(getpid()) + ".db");
  int status = 0;
  try {
    {
      embedded::SqliteDataAccess data(file.string());
      embedded::CreateAccountSet(data);
      CreateData(data.Handle());
    }
    AnsweringMessageBox messages;
    embedded::EmbeddedHost host(file.string(), {1, 2, "2026-03-15"},
                                embedded::HostUi{&messages, nullptr, nullptr}, false);
    frame::InterFace inter_face;
    host.InitInterFace(inter_face);
    sqlite3* db = host.Database().Handle();

    const double ours = Best(
        [&] {
          numbering::frmVoucherRenumber window(numbering::NumberingBasis::Single());
          if (!window.Load() || !window.SetPeriod(3) || !window.Renumber()) {
            throw std::runtime_error("the renumbering did not run");
          }
        },
        [&] { Restore(db); }, [&] { Check(db); });
    if (messages.failed) throw std::runtime_error("the window said something");
    const double baseline = Best([&] { Baseline(db); }, [&] { Restore(db); }, [&] { Check(db); });
    std::printf("BENCH renumber_period %.0f ms baseline %.0f ratio %.2f\n", ours * 1000,
                baseline * 1000, ours / baseline);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_renumber: %s\n", error.what());
    status = 1;
  }
  lumvoucher::bench::RemoveDatabase(file);
  return status;
}
