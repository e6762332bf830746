// Saving pairs of the dual-basis regime through the pair controller (both editors filled by
// WriteForm, then SaveBill with every check, the pair row, the totals and cash-flow steps)
// against the same two headers, eight lines and pair row inserted by prepared SQLite statements,
// one transaction per pair, both on a file in WAL mode with synchronous FULL.
// Prints: BENCH save_pair <pairs/s> pairs/s baseline <pairs/s> ratio <time ratio>.
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "dualbasis/frm_voucher_new.h"
#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "host/message_box.h"
#include "host/modal_runner.h"

namespace {

using lumvoucher::bench::Check;
using lumvoucher::bench::CountingBox;
using lumvoucher::bench::Seconds;
using lumvoucher::embedded::EmbeddedHost;

using lumvoucher::bench::FormLine;
// 其他费用 / 应付职工薪酬, 其他收入 and 其他支出 / 财政应返还额度, 其他预算收入.
const std::vector<FormLine> kFinanceLines = {
    {5014, 1, 100}, {5014, 1, 50}, {5004, -1, 100}, {5010, -1, 50}};
const std::vector<FormLine> kBudgetLines = {
    {6009, 1, 100}, {6009, 1, 50}, {6013, -1, 100}, {6005, -1, 50}};

// The source organisation is the hospital's.
std::string Detail(long number, const std::vector<FormLine>& lines) {
  return lumvoucher::bench::FormText(number, lines, "2026-02-15", "批量凭证", "5001");
}

double RunComponent(const std::string& path, int pairs, bool tally) {
  CountingBox box;
  EmbeddedHost host(path, {5001, 5001, "2026-02-15"}, {&box, nullptr, nullptr});
  lumvoucher::frame::InterFace component;
  host.InitInterFace(component);
  lumvoucher::dualbasis::FrmVoucherNew window;
  lumvoucher::dualbasis::clsVoucherNew& pair = window.Controller();
  lumvoucher::bench::StatementTally statements;
  if (tally) statements.Attach(host.Database().Handle());
  auto start = std::chrono::steady_clock::now();
  const double cpu = lumvoucher::bench::CpuSeconds();
  int saved = 0;
  for (int i = 0; i < pairs; ++i) {
    if (!pair.WindFinance().WriteForm(Detail(100 + i, kFinanceLines)) ||
        !pair.WindBudget().WriteForm(Detail(100 + i, kBudgetLines))) {
      continue;
    }
    pair.WindFinance().MustSave();
    pair.WindBudget().MustSave();
    saved += pair.SaveBill() && pair.WindBudget().GetLngNowID() > 0 ? 1 : 0;
  }
  double seconds = Seconds(start);
  if (tally)
    std::fprintf(stderr, "CPU %.0f us per save\n",
                 (lumvoucher::bench::CpuSeconds() - cpu) * 1e6 / pairs);
  if (saved != pairs) {
    std::fprintf(stderr, "saved %d of %d pairs (%d messages)\n", saved, pairs, box.shown_);
    std::exit(1);
  }
  if (tally) statements.Print(pairs, "pair save");
  return seconds;
}

// `cpu` gets the CPU seconds of the timed saves alone, not of the set-up.
double RunBaseline(const std::string& path, int pairs, double& cpu) {
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
  sqlite3_stmt *budget_header = nullptr, *budget_line = nullptr, *pair_row = nullptr;
  Check(sqlite3_prepare_v2(
            db,
            "INSERT INTO BudgetVoucher (lngVoucherID,intYear,bytPeriod,strDate,lngTemplateID,"
            "intNumber,lngVoucherTypeID,intVoucherNO,lngOperatorID,lngCheckerID,lngPostID,"
            "lngTellerID,strManager,strDebitAccountCode,strCreditAccountCode,lngVoucherSourceID,"
            "blnIsPrint,blnIsVoid,lngSourceVoucherID,blnIsError,strError,lngSourceOrganizationID,"
            "strVolume) VALUES (?,2026,2,'2026-02-15',1,0,1,?,5001,0,0,0,NULL,'7901',"
            "'8001-03/6609',1,0,0,0,0,NULL,5001,'0000')",
            -1, &budget_header, nullptr),
        db);
  Check(sqlite3_prepare_v2(
            db,
            "INSERT INTO BudgetVoucherDetail (lngVoucherDetailID,lngVoucherID,strRemark,dblAmount,"
            "dblRate,dblQuantity,dblPrice,dblCurrencyAmount,lngAccountID,lngCurrencyID,"
            "lngCustomerID,lngDepartmentID,lngEmployeeID,lngClassID1,lngClassID2,intDirection,"
            "strCheckNumber,strCheckDate,strBusinessDate,lngPaymentMethodID,lngOrganizationID,"
            "strFlexibleId,lngRowID,strCashFlowCode,strSysDate) VALUES (?,?,'批量凭证',?,1,0,0,?,?,"
            "1,0,0,0,0,0,?,NULL,' ',' ',0,0,' ',?,NULL,'2026-02-15')",
            -1, &budget_line, nullptr),
        db);
  Check(sqlite3_prepare_v2(db,
                           "INSERT INTO BudgetVoucherRelevance (lngVoucherRelevanceID,lngVoucherID,"
                           "lngBudgetVoucherID,lngSourceOrganizationID,blnIsVoid) VALUES "
                           "(?,?,?,5001,0)",
                           -1, &pair_row, nullptr),
        db);
  Check(sqlite3_prepare_v2(
            db,
            "INSERT INTO Voucher (lngVoucherID,intYear,bytPeriod,strDate,lngTemplateID,intNumber,"
            "lngVoucherTypeID,intVoucherNO,lngOperatorID,lngCheckerID,lngPostID,lngTellerID,"
            "strManager,strDebitAccountCode,strCreditAccountCode,lngVoucherSourceID,blnIsPrint,"
            "blnIsVoid,lngSourceVoucherID,blnIsError,strError,lngSourceOrganizationID,strVolume) "
            "VALUES (?,2026,2,'2026-02-15',1,0,1,?,5001,0,0,0,NULL,'5901','2201/4609',1,0,0,0,0,"
            "NULL,5001,'0000')",
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
  cpu = lumvoucher::bench::CpuSeconds();
  long id = 100000, line_id = 100000;
  auto write = [&](sqlite3_stmt* head, sqlite3_stmt* detail, const std::vector<FormLine>& lines,
                   int number) {
    ++id;
    sqlite3_bind_int64(head, 1, id);
    sqlite3_bind_int64(head, 2, number);
    Check(sqlite3_step(head), db);
    sqlite3_reset(head);
    int row = 0;
    for (const FormLine& l : lines) {
      sqlite3_bind_int64(detail, 1, ++line_id);
      sqlite3_bind_int64(detail, 2, id);
      sqlite3_bind_double(detail, 3, l.amount);
      sqlite3_bind_double(detail, 4, l.amount);
      sqlite3_bind_int64(detail, 5, l.account);
      sqlite3_bind_int(detail, 6, l.direction);
      sqlite3_bind_int(detail, 7, ++row);
      Check(sqlite3_step(detail), db);
      sqlite3_reset(detail);
    }
    return id;
  };
  for (int i = 0; i < pairs; ++i) {
    Check(sqlite3_step(begin), db);
    sqlite3_reset(begin);
    const long f = write(header, line, kFinanceLines, 100 + i);
    const long b = write(budget_header, budget_line, kBudgetLines, 100 + i);
    sqlite3_bind_int64(pair_row, 1, 100000 + i);
    sqlite3_bind_int64(pair_row, 2, f);
    sqlite3_bind_int64(pair_row, 3, b);
    Check(sqlite3_step(pair_row), db);
    sqlite3_reset(pair_row);
    Check(sqlite3_step(commit), db);
    sqlite3_reset(commit);
  }
  double seconds = Seconds(start);
  cpu = lumvoucher::bench::CpuSeconds() - cpu;
  for (sqlite3_stmt* s : {header, line, budget_header, budget_line, pair_row, begin, commit}) {
    sqlite3_finalize(s);
  }
  sqlite3_close(db);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  // [pairs] [--statements]
  const int pairs = argc > 1 ? std::atoi(argv[1]) : 5000;
  const bool tally = argc > 2 && std::string(argv[2]) == "--statements";
  const auto dir = std::filesystem::temp_directory_path();
  const std::string tag = std::to_string(::getpid());
  const std::string component_file = (dir / ("bench_save_pair_" + tag + ".db")).string();
  const std::string baseline_file = (dir / ("bench_save_pair_base_" + tag + ".db")).string();
  double component = RunComponent(component_file, pairs, tally);
  double cpu = 0;
  double baseline = RunBaseline(baseline_file, pairs, cpu);
  if (tally) std::fprintf(stderr, "baseline CPU %.0f us per save\n", cpu * 1e6 / pairs);
  for (const std::string& f : {component_file, baseline_file}) {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(f + suffix);
  }
  std::printf("BENCH save_pair %.1f pairs/s baseline %.1f pairs/s ratio %.2f\n", pairs / component,
              pairs / baseline, component / baseline);
  return 0;
}
