// Importing and posting external vouchers from a CSV file through lumvoucher-import (staging,
// every check, WriteForm + MustSave + SaveAVoucher, the mark on the staged lines) against a
// hand-written SQLite loader inserting the same vouchers and lines, one transaction per
// voucher, each on a copy of one new account-set file in WAL mode with synchronous FULL. The
// baseline is the mean of a run before and one after the tool's.
// Prints: BENCH import_post <vouchers/s> vouchers/s baseline <vouchers/s> ratio <time ratio>.
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "bench_support.h"
#include "embedded/account_set.h"
#include "embedded/sqlite_data_access.h"

namespace {

using lumvoucher::bench::Check;
using lumvoucher::bench::Exec;
using lumvoucher::bench::RemoveDatabase;
using lumvoucher::bench::Seconds;

struct Line {
  const char* code;
  long account;
  int direction;
  double amount;
};
constexpr Line kLines[] = {
    {"1012", 5, 1, 100}, {"6401", 29, 1, 50}, {"6051", 28, -1, 100}, {"2001", 14, -1, 50}};

// Vouchers spread over periods 2 to 12, so no period needs more numbers than the numbering
// service hands out.
int Month(int voucher) {
  return 2 + voucher % 11;
}

std::string Date(int voucher) {
  char text[16];
  std::snprintf(text, sizeof text, "2026-%02d-15", Month(voucher));
  return text;
}

void WriteCsv(const std::string& path, int vouchers) {
  std::ofstream out(path, std::ios::binary);
  out << "外部凭证号,日期,凭证字,摘要,科目,借方金额,贷方金额\n";
  for (int v = 0; v < vouchers; ++v) {
    for (const Line& l : kLines) {
      out << "E" << v << "," << Date(v) << ",记,外部凭证," << l.code << ",";
      if (l.direction == 1) {
        out << l.amount << ",\n";
      } else {
        out << "," << l.amount << "\n";
      }
    }
  }
}

double RunTool(const std::string& db, const std::string& csv, int vouchers) {
  const std::string command = std::string(LUMVOUCHER_IMPORT) + " --db " + db +
                              " --org 1 --operator 2 --login-date 2026-02-15 --standard "
                              "Sample接口 --ini /nonexistent/iei.ini " +
                              csv + " > " + db + ".out 2>&1";
  auto start = std::chrono::steady_clock::now();
  const int status = std::system(command.c_str());
  const double seconds = Seconds(start);
  std::ifstream report(db + ".out");
  std::string last;
  for (std::string line; std::getline(report, line);) last = line;
  std::filesystem::remove(db + ".out");
  const std::string expected = "读取 " + std::to_string(vouchers) + " 张外部凭证（" +
                               std::to_string(vouchers * 4) + " 行），记账 " +
                               std::to_string(vouchers) + " 张，拒绝 0，已记账跳过 0 张";
  if (status != 0 || last != expected) {
    std::fprintf(stderr, "lumvoucher-import failed (%d): %s\n", status, last.c_str());
    std::exit(1);
  }
  return seconds;
}

double RunBaseline(const std::string& path, int vouchers) {
  sqlite3* db = nullptr;
  Check(sqlite3_open(path.c_str(), &db), db);
  Exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;");
  sqlite3_stmt *header = nullptr, *line = nullptr, *begin = nullptr, *commit = nullptr;
  Check(sqlite3_prepare_v2(
            db,
            "INSERT INTO Voucher (lngVoucherID,intYear,bytPeriod,strDate,lngTemplateID,intNumber,"
            "lngVoucherTypeID,intVoucherNO,lngOperatorID,lngCheckerID,lngPostID,lngTellerID,"
            "strManager,strDebitAccountCode,strCreditAccountCode,lngVoucherSourceID,blnIsPrint,"
            "blnIsVoid,lngSourceVoucherID,blnIsError,strError,lngSourceOrganizationID,strVolume) "
            "VALUES (?,2026,?,?,1,0,1,?,2,0,0,0,NULL,'1012/6401','6051/2001',37,0,0,0,0,"
            "NULL,1,'0000')",
            -1, &header, nullptr),
        db);
  Check(sqlite3_prepare_v2(
            db,
            "INSERT INTO VoucherDetail (lngVoucherDetailID,lngVoucherID,strRemark,dblAmount,"
            "dblRate,dblQuantity,dblPrice,dblCurrencyAmount,lngAccountID,lngCurrencyID,"
            "lngCustomerID,lngDepartmentID,lngEmployeeID,lngClassID1,lngClassID2,intDirection,"
            "strCheckNumber,strCheckDate,strBusinessDate,lngPaymentMethodID,lngOrganizationID,"
            "strFlexibleId,lngRowID,strCashFlowCode,strSysDate) VALUES (?,?,'外部凭证',?,1,0,0,?,"
            "?,1,0,0,0,0,0,?,NULL,' ',' ',0,0,' ',?,NULL,?)",
            -1, &line, nullptr),
        db);
  Check(sqlite3_prepare_v2(db, "BEGIN IMMEDIATE", -1, &begin, nullptr), db);
  Check(sqlite3_prepare_v2(db, "COMMIT", -1, &commit, nullptr), db);
  auto start = std::chrono::steady_clock::now();
  long id = 100000, line_id = 100000;
  for (int v = 0; v < vouchers; ++v) {
    const std::string date = Date(v);
    Check(sqlite3_step(begin), db);
    sqlite3_reset(begin);
    ++id;
    sqlite3_bind_int64(header, 1, id);
    sqlite3_bind_int(header, 2, Month(v));
    sqlite3_bind_text(header, 3, date.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(header, 4, 100 + v / 11);
    Check(sqlite3_step(header), db);
    sqlite3_reset(header);
    int row = 0;
    for (const Line& l : kLines) {
      sqlite3_bind_int64(line, 1, ++line_id);
      sqlite3_bind_int64(line, 2, id);
      sqlite3_bind_double(line, 3, l.amount);
      sqlite3_bind_double(line, 4, l.amount);
      sqlite3_bind_int64(line, 5, l.account);
      sqlite3_bind_int(line, 6, l.direction);
      sqlite3_bind_int(line, 7, ++row);
      sqlite3_bind_text(line, 8, date.c_str(), -1, SQLITE_TRANSIENT);
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
  const int vouchers = argc > 1 ? std::atoi(argv[1]) : 20000;
  const auto dir = std::filesystem::temp_directory_path();
  const std::string tag = std::to_string(::getpid());
  const std::string file = (dir / ("bench_import_" + tag + ".db")).string();
  const std::string tool_file = (dir / ("bench_import_tool_" + tag + ".db")).string();
  const std::string second_file = (dir / ("bench_import_base_" + tag + ".db")).string();
  const std::string csv = (dir / ("bench_import_" + tag + ".csv")).string();
  {
    lumvoucher::embedded::SqliteDataAccess data(file);
    lumvoucher::embedded::CreateAccountSet(data);
  }
  std::filesystem::copy_file(file, tool_file);
  std::filesystem::copy_file(file, second_file);
  WriteCsv(csv, vouchers);
  // The loader runs before and after the tool: the disk of a shared machine drifts.
  const double before = RunBaseline(file, vouchers);
  const double tool = RunTool(tool_file, csv, vouchers);
  const double baseline = (before + RunBaseline(second_file, vouchers)) / 2;
  for (const std::string& f : {file, tool_file, second_file}) RemoveDatabase(f);
  std::filesystem::remove(csv);
  std::printf("BENCH import_post %.1f vouchers/s baseline %.1f vouchers/s ratio %.2f\n",
              vouchers / tool, vouchers / baseline, tool / baseline);
  return 0;
}
