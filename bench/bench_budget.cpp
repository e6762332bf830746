// The budget query over a year of 200 000 AccountDaily rows of "青山县人民医院" (12 periods),
// against a hand-written SQLite aggregation of the same actual and budget amounts on the same
// file. The query reads its target, budget and organisations and builds its Oracle statements
// through the dialect; the baseline runs the two native statements.
// ratio = query time / baseline time.
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <stdexcept>
#include <string>

#include "bench_support.h"
#include "dualbasis/frm_budget.h"
#include "embedded/account_set.h"
#include "embedded/embedded_host.h"
#include "frame/inter_face.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace lumvoucher;
using bench::Exec;

constexpr int kRows = 200000;
constexpr int kRuns = 5;

class PrintingMessageBox : public host::MessageBox {
 public:
  int Show(std::string_view text, int, std::string_view title) override {
    std::cerr << title << ": " << text << "\n";
    return host::mb::kOk;
  }
};

// Daily totals over the hospital's accounts, departments and every day of 2026; a third on the
// revenue subtree 4101 that target 01 budgets.
void CreateData(sqlite3* db) {
  Exec(db, "BEGIN");
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db,
                     "INSERT INTO AccountDaily (lngAccountID, lngDepartmentID, "
                     "lngSourceOrganizationID, strDate, dblDebit, dblCredit, dblUnPostDebit, "
                     "dblUnPostCredit, dblUnVoucherCredit) VALUES (?1, ?2, 5001, ?3, ?4, ?5, ?6, "
                     "?7, ?8)",
                     -1, &insert, nullptr);
  std::mt19937 random(42);
  const int accounts[] = {5008, 5009, 5010, 5013, 5012, 5002, 5005, 3, 5001};
  for (int r = 0; r < kRows; ++r) {
    const int account = accounts[random() % 9];
    const int day = static_cast<int>(random() % 365);
    char date[16];
    std::tm tm{};
    tm.tm_year = 126;
    tm.tm_mday = 1 + day;
    std::mktime(&tm);
    std::strftime(date, sizeof date, "%Y-%m-%d", &tm);
    sqlite3_bind_int(insert, 1, account);
    sqlite3_bind_int(insert, 2, account == 5008 || account == 5013 ? 1 + r % 7 : 0);
    sqlite3_bind_text(insert, 3, date, -1, SQLITE_TRANSIENT);
    for (int i = 4; i <= 8; ++i) {
      sqlite3_bind_double(insert, i, static_cast<double>(random() % 100000) / 100);
    }
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  Exec(db, "COMMIT");
}

constexpr const char* kActual = R"(
SELECT p.bytPeriod,
  sum(CASE WHEN a.lngAccountNatureID IN (0, 5) THEN d.dblCurrencyCredit + d.dblUnPostCurrencyCredit
      ELSE d.dblUnVoucherCurrencyCredit END),
  sum(CASE WHEN a.lngAccountNatureID IN (0, 5) THEN d.dblCredit + d.dblUnPostCredit
      ELSE d.dblUnVoucherCredit END),
  sum(CASE WHEN a.lngAccountNatureID = 0 THEN d.dblQuantityCredit + d.dblUnPostQuantityCredit
      ELSE d.dblUnVoucherQuantityCredit END)
FROM AccountDaily d
JOIN Account a ON a.lngAccountID = d.lngAccountID
JOIN AccountPeriod p ON p.lngOrganizationID = 5001 AND p.intYear = 2026
  AND d.strDate >= p.strStartDate AND d.strDate <= p.strEndDate
WHERE a.strAccountCode LIKE '4101-%'
  AND d.lngSourceOrganizationID IN (SELECT lngOrganizationID FROM Organization
      WHERE strOrganizationCode = '02' OR strOrganizationCode LIKE '02-%')
GROUP BY p.bytPeriod)";

constexpr const char* kBudget = R"(
SELECT bytPeriod, sum(dblCurrencyBudget), sum(dblBudget), sum(dblQuantityBudget)
FROM BudgetBalance WHERE lngBudgetID = 5001 AND lngCurrencyID = -1 AND intYear = 2026
  AND lngBudgetTargetID = 5001 AND lngOrganizationID IN (5001)
GROUP BY lngOrganizationID, bytPeriod)";

// period -> local actual amount.
std::map<int, double> Baseline(sqlite3* db) {
  std::map<int, double> actual;
  for (const char* sql : {kBudget, kActual}) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sqlite3_errmsg(db));
    }
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      if (sql == kActual) actual[sqlite3_column_int(stmt, 0)] = sqlite3_column_double(stmt, 2);
    }
    sqlite3_finalize(stmt);
  }
  return actual;
}

double Best(const std::function<void()>& run) {
  double best = 1e300;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = Clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

}  // namespace

int main() {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("bench_budget_" + std::to_string(getpid()) + ".db");
  int status = 0;
  try {
    {
      embedded::SqliteDataAccess data(file.string());
      embedded::CreateAccountSet(data);
      CreateData(data.Handle());
    }
    PrintingMessageBox messages;
    embedded::EmbeddedHost host(file.string(), {5001, 5001, "2026-03-15"},
                                embedded::HostUi{&messages, nullptr, nullptr}, false);
    frame::InterFace inter_face;
    host.InitInterFace(inter_face);
    dualbasis::frmBudget window;
    if (!window.ShowBudget("01", "")) throw std::runtime_error("the query did not open");

    const double query_time = Best([&] {
      if (!window.Query()) throw std::runtime_error("the query failed");
    });
    std::map<int, double> baseline;
    const double baseline_time = Best([&] { baseline = Baseline(host.Database().Handle()); });
    for (const dualbasis::BudgetGridRow& row : window.State().rows) {
      if (std::fabs(row.actual.amount - baseline[row.period]) > 0.005) {
        throw std::runtime_error("period " + std::to_string(row.period) +
                                 " differs: " + std::to_string(row.actual.amount) + " / " +
                                 std::to_string(baseline[row.period]));
      }
    }
    std::printf("BENCH budget_query %.1f ms baseline %.1f ratio %.2f\n", query_time * 1000,
                baseline_time * 1000, query_time / baseline_time);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_budget: %s\n", error.what());
    status = 1;
  }
  lumvoucher::bench::RemoveDatabase(file);
  return status;
}
