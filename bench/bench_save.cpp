// Saving vouchers the programmatic road (WriteForm + MustSave + SaveAVoucher, every check on)
// against the same header and line rows inserted by prepared SQLite statements, one
// transaction per voucher, both on a file in WAL mode with synchronous FULL.
// Prints: BENCH save_voucher <vouchers/s> vouchers/s baseline <vouchers/s> ratio <time ratio>.
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "bench_support.h"
#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "host/message_box.h"
#include "host/modal_runner.h"

namespace {

using lumvoucher::bench::Check;
using lumvoucher::bench::CountingBox;
using lumvoucher::bench::Seconds;
using lumvoucher::embedded::EmbeddedHost;

const std::vector<lumvoucher::bench::FormLine> kLines = {
    {5, 1, 100}, {29, 1, 50}, {28, -1, 100}, {14, -1, 50}};

std::string Detail(long number) {
  return lumvoucher::bench::FormText(number, kLines, "2026-02-15", "批量凭证", "1");
}

double RunComponent(const std::string& path, int vouchers, bool tally) {
  CountingBox box;
  EmbeddedHost host(path, {1, 2, "2026-02-15"}, {&box, nullptr, nullptr});
  lumvoucher::frame::InterFace component;
  host.InitInterFace(component);
  lumvoucher::bench::StatementTally statements;
  if (tally) statements.Attach(host.Database().Handle());
  auto start = std::chrono::steady_clock::now();
  const double cpu = lumvoucher::bench::CpuSeconds();
  int saved = 0;
  for (int i = 0; i < vouchers; ++i) {
    if (!component.WriteForm(Detail(100 + i), "")) continue;
    component.MustSave();
    saved += component.SaveAVoucher(false, "") == 1 ? 1 : 0;
  }
  double seconds = Seconds(start);
  if (tally)
    std::fprintf(stderr, "CPU %.0f us per save\n",
                 (lumvoucher::bench::CpuSeconds() - cpu) * 1e6 / vouchers);
  if (saved != vouchers) {
    std::fprintf(stderr, "saved %d of %d vouchers (%d messages)\n", saved, vouchers, box.shown_);
    std::exit(1);
  }
  if (tally) statements.Print(vouchers, "save");
  return seconds;
}

double RunBaseline(const std::string& path, int vouchers) {
  {
    CountingBox box;
    EmbeddedHost create(path, {1, 2, "2026-02-15"}, {&box, nullptr, nullptr});
  }
  sqlite3* db = nullptr;
  Check(sqlite3_open(path.c_str(), &db), db);
  Check(sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr,
                     nullptr),
        db);
  sqlite3_stmt *header = nullptr, *line = nullptr, *begin = nullptr, *commit = nullptr;
  Check(sqlite3_prepare_v2(
            db,
            "INSERT INTO Voucher (lngVoucherID,intYear,bytPeriod,strDate,lngTemplateID,intNumber,"
            "lngVoucherTypeID,intVoucherNO,lngOperatorID,lngCheckerID,lngPostID,lngTellerID,"
            "strManager,strDebitAccountCode,strCreditAccountCode,lngVoucherSourceID,blnIsPrint,"
            "blnIsVoid,lngSourceVoucherID,blnIsError,strError,lngSourceOrganizationID,strVolume) "
            "VALUES (?,2026,2,'2026-02-15',1,0,1,?,2,0,0,0,NULL,'1012/6401','6051/2001',1,0,0,0,0,"
            "NULL,1,'0000')",
            -1, &header, nullptr),
        db);
  Check(sqlite3_prepare_v2(
            db,
            "INSERT INTO VoucherDetail (lngVoucherDetailID,lngVoucherID,strRemark,dblAmount,"
            "dblRate,dblQuantity,dblPrice,dblCurrencyAmount,lngAccountID,lngCurrencyID,"
            "lngCustomerID,lngDepartmentID,lngEmployeeID,lngClassID1,lngClassID2,intDirection,"
            "strCheckNumber,strCheckDate,strBusinessDate,lngPaymentMethodID,lngOrganizationID,"
            "strFlexibleId,lngRowID,strCashFlowCode,strSysDate) VALUES (?,?,'批量凭证',?,1,0,0,?,?,"
            "1,0,0,0,0,0,?,NULL,' ',' ',0,0,' ',?,NULL,'2026-02-15')",
            -1, &line, nullptr),
        db);
  Check(sqlite3_prepare_v2(db, "BEGIN IMMEDIATE", -1, &begin, nullptr), db);
  Check(sqlite3_prepare_v2(db, "COMMIT", -1, &commit, nullptr), db);
  auto start = std::chrono::steady_clock::now();
  long id = 100000, line_id = 100000;
  for (int i = 0; i < vouchers; ++i) {
    Check(sqlite3_step(begin), db);
    sqlite3_reset(begin);
    ++id;
    sqlite3_bind_int64(header, 1, id);
    sqlite3_bind_int64(header, 2, 100 + i);
    Check(sqlite3_step(header), db);
    sqlite3_reset(header);
    int row = 0;
    for (const lumvoucher::bench::FormLine& l : kLines) {
      sqlite3_bind_int64(line, 1, ++line_id);
      sqlite3_bind_int64(line, 2, id);
      sqlite3_bind_double(line, 3, l.amount);
      sqlite3_bind_double(line, 4, l.amount);
      sqlite3_bind_int64(line, 5, l.account);
      sqlite3_bind_int(line, 6, l.direction);
      sqlite3_bind_int(line, 7, ++row);
      Check(sqlite3_step(line), db);
      sqlite3_reset(line);
    }
    Check(sqlite3_step(commit), db);
    sqlite3_reset(commit);
  }
  double seconds = Seconds(start);
  for (sqlite3_stmt* s : {header, line, begin, commit}) sqlite3_finalize(s);
  sqlite3_close(db);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  // [vouchers] [--statements]
  const int vouchers = argc > 1 ? std::atoi(argv[1]) : 10000;
  const bool tally = argc > 2 && std::string(argv[2]) == "--statements";
  const auto dir = std::filesystem::temp_directory_path();
  const std::string tag = std::to_string(::getpid());
  const std::string component_file = (dir / ("bench_save_" + tag + ".db")).string();
  const std::string baseline_file = (dir / ("bench_save_base_" + tag + ".db")).string();
  double component = RunComponent(component_file, vouchers, tally);
  const double cpu = lumvoucher::bench::CpuSeconds();
  double baseline = RunBaseline(baseline_file, vouchers);
  if (tally) {
    std::fprintf(stderr, "baseline CPU %.0f us per save\n",
                 (lumvoucher::bench::CpuSeconds() - cpu) * 1e6 / vouchers);
  }
  for (const std::string& f : {component_file, baseline_file}) {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(f + suffix);
  }
  std::printf("BENCH save_voucher %.1f vouchers/s baseline %.1f vouchers/s ratio %.2f\n",
              vouchers / component, vouchers / baseline, component / baseline);
  return 0;
}
