// The voucher list with item rights on, against a hand-written SQLite query that fetches the
// same rows from the same file: one period of 100 000 vouchers and 400 000 lines. The list
// writes its line counts to the work tables and reads the rows through the Oracle dialect; the
// baseline decides the visible vouchers with one GROUP BY and joins the same tables natively.
// Both materialise every row as the recordset holds it. ratio = list time / baseline time.
// list_vouchers times a refresh of an open list; list_vouchers_open a list opened afresh.
// list_first_page: the same list read stepwise, as the desktop reads it, until its first screen
// is there, against the whole list's time. An argument gives the number of vouchers; a second,
// --profile, prints the time of each statement of a refresh and of an opening, and an opening's
// CPU time against the baseline's.
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "embedded/account_set.h"
#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "host/recordset.h"
#include "lists/frm_list_voucher.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace lumvoucher;

int vouchers = 100000;
constexpr int kLinesPerVoucher = 4;
constexpr int kRuns = 3;

using bench::Exec;

class PrintingMessageBox : public host::MessageBox {
 public:
  int Show(std::string_view text, int, std::string_view title) override {
    std::cerr << title << ": " << text << "\n";
    return host::mb::kOk;
  }
};

// March 2026 of organisation 01-01: four lines a voucher over accounts, units and
// departments; one voucher in a hundred has a line on 1901, which the maker may not use.
void CreateData(sqlite3* db) {
  Exec(db, "BEGIN");
  sqlite3_stmt* voucher = nullptr;
  sqlite3_stmt* line = nullptr;
  sqlite3_prepare_v2(db,
                     "INSERT INTO Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, "
                     "intYear, bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID, "
                     "strVolume) VALUES (?1, ?2, ?3, ?4, 2026, 3, 1, 2, ?5, '0000')",
                     -1, &voucher, nullptr);
  sqlite3_prepare_v2(db,
                     "INSERT INTO VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, "
                     "strRemark, lngAccountID, intDirection, dblAmount, lngCustomerID, "
                     "lngDepartmentID, lngOrganizationID) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, "
                     "?9, 2)",
                     -1, &line, nullptr);
  std::mt19937 random(42);
  const int accounts[] = {1, 3, 6, 11, 15, 20, 27, 31, 32, 33};
  int numbers[5] = {0, 0, 0, 0, 0};
  for (int v = 0; v < vouchers; ++v) {
    const int id = 20000 + v;
    const int type = 1 + static_cast<int>(random() % 4);
    char date[32];
    std::snprintf(date, sizeof date, "2026-03-%02d", 1 + v * 31 / vouchers);
    sqlite3_bind_int(voucher, 1, id);
    sqlite3_bind_int(voucher, 2, type);
    sqlite3_bind_int(voucher, 3, ++numbers[type]);
    sqlite3_bind_text(voucher, 4, date, -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(voucher, 5, v % 3 == 0 ? 6 : 2);
    sqlite3_step(voucher);
    sqlite3_reset(voucher);
    for (int r = 1; r <= kLinesPerVoucher; ++r) {
      const bool hidden = r == 4 && v % 100 == 0;
      const int account = hidden ? 13 : accounts[random() % 10];
      sqlite3_bind_int(line, 1, 1000000 + v * kLinesPerVoucher + r);
      sqlite3_bind_int(line, 2, id);
      sqlite3_bind_int(line, 3, r);
      sqlite3_bind_text(line, 4, "批量凭证摘要", -1, SQLITE_STATIC);
      sqlite3_bind_int(line, 5, account);
      sqlite3_bind_int(line, 6, r % 2 == 1 ? 1 : -1);
      sqlite3_bind_double(line, 7, 100.0 + static_cast<double>(random() % 100000) / 100);
      sqlite3_bind_int(line, 8,
                       account == 6 || account == 15 ? 1 + static_cast<int>(random() % 6) : 0);
      sqlite3_bind_int(line, 9, account >= 27 ? 1 + static_cast<int>(random() % 7) : 0);
      sqlite3_step(line);
      sqlite3_reset(line);
    }
  }
  sqlite3_finalize(voucher);
  sqlite3_finalize(line);
  // Rights on accounts and units: every account but 1901, every unit.
  Exec(db,
       "UPDATE Setting SET strSetting = 'True' WHERE strSection = '权限控制' AND strKey IN "
       "('科目', '单位')");
  Exec(db,
       "INSERT INTO OperatorAccount SELECT 2, lngAccountID, 2 FROM Account WHERE lngAccountID <> "
       "13");
  Exec(db, "INSERT INTO OperatorCustomer SELECT 2, lngCustomerID, 2 FROM Customer");
  // No ANALYZE, as on a desktop's file: with every lngSourceVoucherID 0 its statistics make the
  // planner scan Voucher for the reversing-voucher join instead of using its index.
  Exec(db, "COMMIT");
}

constexpr const char* kBaseline = R"(
WITH visible AS (
  SELECT v.lngVoucherID FROM Voucher v JOIN VoucherDetail d ON d.lngVoucherID = v.lngVoucherID
  LEFT JOIN OperatorAccount oa ON oa.lngAccountID = d.lngAccountID AND oa.lngOperatorID = 2
   AND oa.lngOrganizationID = 2
  LEFT JOIN OperatorCustomer oc ON oc.lngCustomerID = d.lngCustomerID AND oc.lngOperatorID = 2
   AND oc.lngOrganizationID = 2
  WHERE v.lngSourceOrganizationID IN (SELECT lngOrganizationID FROM Organization
         WHERE strOrganizationCode = '01-01' OR strOrganizationCode LIKE '01-01-%')
    AND v.blnIsVoid = 0 AND v.strDate >= '2026-03-01' AND v.strDate <= '2026-03-31'
  GROUP BY v.lngVoucherID
  HAVING min((d.lngAccountID = 0 OR oa.lngOperatorID IS NOT NULL)
         AND (d.lngCustomerID = 0 OR oc.lngOperatorID IS NOT NULL)) = 1)
SELECT v.strDate, t.strVoucherTypeCode || ' ' || substr('000000' || v.intVoucherNO, -6),
  d.strRemark, a.strAccountCode, a.strAccountName,
  CASE WHEN d.intDirection = 1 THEN d.dblAmount END, CASE WHEN d.intDirection = -1 THEN d.dblAmount END,
  c.strCustomerName, dp.strDepartmentName, e.strEmployeeName, mo.strOperatorName,
  co.strOperatorName, po.strOperatorName, tx.strOperatorName, v.strVolume,
  CASE v.lngVoucherSourceID WHEN 1 THEN '手工录入' WHEN 2 THEN '冲销凭证' WHEN 3 THEN '损益结转'
   WHEN 16 THEN '转账生成' ELSE '系统生成' END,
  CASE WHEN v.lngVoucherSourceID = 16 THEN NULL
   WHEN sv.lngVoucherID IS NOT NULL THEN sv.intYear || '年度' || substr('0' || sv.bytPeriod, -2)
     || '期间 ' || svt.strVoucherTypeCode || '字 ' || substr('000000' || sv.intVoucherNO, -6) || '号凭证'
   WHEN tv.lngVoucherID IS NOT NULL THEN tv.intYear || '年度' || substr('0' || tv.bytPeriod, -2)
     || '期间 ' || tvt.strVoucherTypeCode || '字 ' || substr('000000' || tv.intVoucherNO, -6) || '号凭证'
  END,
  v.lngVoucherID, CASE WHEN v.blnIsVoid = 1 THEN '√' END, d.lngVoucherDetailID, v.lngVoucherBaseID
FROM visible JOIN Voucher v ON v.lngVoucherID = visible.lngVoucherID
JOIN VoucherDetail d ON d.lngVoucherID = v.lngVoucherID
JOIN VoucherType t ON t.lngVoucherTypeID = v.lngVoucherTypeID
LEFT JOIN Account a ON a.lngAccountID = d.lngAccountID
LEFT JOIN Customer c ON c.lngCustomerID = d.lngCustomerID
LEFT JOIN Department dp ON dp.lngDepartmentID = d.lngDepartmentID
LEFT JOIN Employee e ON e.lngEmployeeID = d.lngEmployeeID
LEFT JOIN Operator mo ON mo.lngOperatorID = v.lngOperatorID
LEFT JOIN Operator co ON co.lngOperatorID = v.lngCheckerID
LEFT JOIN Operator po ON po.lngOperatorID = v.lngPostID
LEFT JOIN Operator tx ON tx.lngOperatorID = v.lngTellerID
LEFT JOIN Voucher sv ON sv.lngVoucherID = v.lngSourceVoucherID
LEFT JOIN VoucherType svt ON svt.lngVoucherTypeID = sv.lngVoucherTypeID
LEFT JOIN Voucher tv ON tv.lngSourceVoucherID = v.lngVoucherID AND tv.lngVoucherSourceID <> 16
LEFT JOIN VoucherType tvt ON tvt.lngVoucherTypeID = tv.lngVoucherTypeID
ORDER BY v.strDate, t.strVoucherTypeCode || ' ' || substr('000000' || v.intVoucherNO, -6),
  v.lngVoucherBaseID, v.lngVoucherID, d.lngRowID)";

// Every row read into memory as the recordset keeps it.
std::size_t Baseline(sqlite3* db) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, kBaseline, -1, &stmt, nullptr) != SQLITE_OK) {
    throw std::runtime_error(sqlite3_errmsg(db));
  }
  std::vector<host::Recordset::Row> rows;
  const int columns = sqlite3_column_count(stmt);
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    host::Recordset::Row row;
    row.reserve(static_cast<std::size_t>(columns));
    for (int i = 0; i < columns; ++i) {
      switch (sqlite3_column_type(stmt, i)) {
        case SQLITE_INTEGER:
          row.emplace_back(static_cast<std::int64_t>(sqlite3_column_int64(stmt, i)));
          break;
        case SQLITE_FLOAT:
          row.emplace_back(sqlite3_column_double(stmt, i));
          break;
        case SQLITE_TEXT:
          row.emplace_back(
              std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                               static_cast<std::size_t>(sqlite3_column_bytes(stmt, i))));
          break;
        default:
          row.emplace_back();
      }
    }
    rows.push_back(std::move(row));
  }
  sqlite3_finalize(stmt);
  host::Recordset rs({}, std::move(rows));
  return rs.RecordCount();
}

// The statements' own time by their text, summed over the runs it watched.
class StatementProfile {
 public:
  void Attach(sqlite3* db) { sqlite3_trace_v2(db, SQLITE_TRACE_PROFILE, Add, &nanoseconds_); }
  void Detach(sqlite3* db) { sqlite3_trace_v2(db, 0, nullptr, nullptr); }
  void Print(int runs) const {
    std::vector<std::pair<double, std::string>> sorted;
    for (const auto& [text, ns] : nanoseconds_) sorted.emplace_back(double(ns) / 1e6 / runs, text);
    std::sort(sorted.rbegin(), sorted.rend());
    for (const auto& [ms, text] : sorted) {
      std::fprintf(stderr, "%8.2f ms %.300s\n", ms, text.c_str());
    }
  }

 private:
  // A list's key is written into some statements: the same statement under another key is the
  // same work.
  static int Add(unsigned, void* sums, void* statement, void* ns) {
    std::string text = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
    for (char& c : text) {
      if (c >= '0' && c <= '9') c = '#';
    }
    (*static_cast<std::map<std::string, std::int64_t>*>(sums))[text] +=
        *static_cast<std::int64_t*>(ns);
    return 0;
  }

  std::map<std::string, std::int64_t> nanoseconds_;
};

double Best(const std::function<std::size_t()>& run, std::size_t& rows) {
  double best = 1e300;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = Clock::now();
    rows = run();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) vouchers = std::max(100, std::atoi(argv[1]));
  const bool profile = argc > 2 && std::string(argv[2]) == "--profile";
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("bench_lists_" + std::to_string(getpid()) + ".db");
  int status = 0;
  try {
    {
      embedded::SqliteDataAccess data(file.string());
      embedded::CreateAccountSet(data);
      CreateData(data.Handle());
    }
    PrintingMessageBox messages;
    embedded::EmbeddedHost host(file.string(), {2, 2, "2026-03-15"},
                                embedded::HostUi{&messages, nullptr, nullptr}, false);
    frame::InterFace inter_face;
    host.InitInterFace(inter_face);
    lists::frmListVoucher list;
    if (!list.ShowMe()) throw std::runtime_error("the list did not fill");

    std::size_t list_rows = 0;
    std::size_t baseline_rows = 0;
    StatementProfile refreshes;
    if (profile) refreshes.Attach(host.Database().Handle());
    const double list_time = Best(
        [&] {
          if (!list.ToolRefresh()) throw std::runtime_error("the list did not fill");
          return list.State().rows.size();
        },
        list_rows);
    if (profile) {
      refreshes.Detach(host.Database().Handle());
      std::fprintf(stderr, "A refresh's statements:\n");
      refreshes.Print(kRuns);
    }
    const double baseline_time =
        Best([&] { return Baseline(host.Database().Handle()); }, baseline_rows);
    if (list_rows != baseline_rows || list_rows == 0) {
      throw std::runtime_error("row counts differ: " + std::to_string(list_rows) + " / " +
                               std::to_string(baseline_rows));
    }
    std::printf("BENCH list_vouchers %.0f ms baseline %.0f ratio %.2f\n", list_time * 1000,
                baseline_time * 1000, list_time / baseline_time);

    // A refresh rewrites only the work-table rows that changed; a list opened afresh fills them
    // from nothing, so its time is reported apart.
    std::size_t open_rows = 0;
    double open_time = 1e300;
    double open_cpu = 1e300;
    StatementProfile statements;
    if (profile) statements.Attach(host.Database().Handle());
    for (int i = 0; i < kRuns; ++i) {
      lists::frmListVoucher fresh;
      const auto start = Clock::now();
      const double cpu = bench::CpuSeconds();
      if (!fresh.ShowMe()) throw std::runtime_error("the list did not open");
      open_cpu = std::min(open_cpu, bench::CpuSeconds() - cpu);
      open_time = std::min(open_time, std::chrono::duration<double>(Clock::now() - start).count());
      if (profile) statements.Detach(host.Database().Handle());
      open_rows = fresh.State().rows.size();
      fresh.FormUnload();  // closing empties the work tables: not part of opening
      if (profile) statements.Attach(host.Database().Handle());
    }
    if (profile) {
      statements.Detach(host.Database().Handle());
      std::fprintf(stderr, "An opening's statements:\n");
      statements.Print(kRuns);
      double baseline_cpu = 1e300;
      for (int i = 0; i < kRuns; ++i) {
        const double cpu = bench::CpuSeconds();
        Baseline(host.Database().Handle());
        baseline_cpu = std::min(baseline_cpu, bench::CpuSeconds() - cpu);
      }
      std::fprintf(stderr, "CPU: an opening %.0f ms, the baseline %.0f ms, %.2fx\n",
                   open_cpu * 1000, baseline_cpu * 1000, open_cpu / baseline_cpu);
    }
    if (open_rows != list_rows) throw std::runtime_error("an opened list's rows differ");
    std::printf("BENCH list_vouchers_open %.0f ms baseline %.0f ratio %.2f\n", open_time * 1000,
                baseline_time * 1000, open_time / baseline_time);

    list.SetStepwise(true);
    std::size_t first_rows = 0;
    const double first_time = Best(
        [&] {
          if (!list.ToolRefresh()) throw std::runtime_error("the list did not fill");
          return list.State().rows.size();
        },
        first_rows);
    if (first_rows < lists::VoucherList::kFirstScreenRows || !list.State().reading) {
      throw std::runtime_error("no first screen: " + std::to_string(first_rows) + " rows");
    }
    list.ReadAll();
    if (list.State().rows.size() != list_rows) throw std::runtime_error("stepwise rows differ");
    std::printf("BENCH list_first_page %.1f ms baseline %.0f ratio %.3f\n", first_time * 1000,
                list_time * 1000, first_time / list_time);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_lists: %s\n", error.what());
    status = 1;
  }
  lumvoucher::bench::RemoveDatabase(file);
  return status;
}
