// Applying a parallel-accounting template (apply_template): a 20-line financial voucher (ten
// debit, ten credit accounts) against 5 000 active templates of 4-8 financial rows each over
// 40 accounts, one of them fitting exactly. Ours: matching (the candidate query, the row
// count, the walk) and generating the budget lines with their rules and properties. Baseline:
// the same candidate query run by hand on SQLite, the walk written plainly, and the budget
// rows and rules read by hand. ratio = our time / hand-written time.
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "dualbasis/parallel_templates.h"
#include "embedded/account_set.h"
#include "embedded/embedded_host.h"
#include "frame/inter_face.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace lumvoucher;
using bench::Exec;

constexpr int kTemplates = 5000;
constexpr int kAccounts = 40;
constexpr int kRuns = 5;

class SilentMessageBox : public host::MessageBox {
 public:
  int Show(std::string_view text, int, std::string_view title) override {
    std::cerr << title << ": " << text << "\n";
    failed = true;
    return host::mb::kOk;
  }
  bool failed = false;
};

std::string Code(int i) {
  return "B" + std::to_string(100 + i);
}

void CreateData(sqlite3* db) {
  Exec(db, "BEGIN");
  for (int i = 0; i < kAccounts; ++i) {
    Exec(db,
         "INSERT INTO Account (lngAccountID, strAccountCode, strAccountName, blnIsDetail) "
         "VALUES (" +
             std::to_string(20000 + i) + ", '" + Code(i) + "', '科目', 1)");
  }
  unsigned seed = 12345;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
  int row_id = 100000;
  for (int t = 0; t < kTemplates; ++t) {
    const int id = 100000 + t;
    Exec(db, "INSERT INTO StdVoucherTmp VALUES (" + std::to_string(id) + ", 'B" +
                 std::to_string(t) + "', '模板', 1, 5001, 0, '摘要')");
    const int rows = t == kTemplates - 1 ? 20 : 4 + static_cast<int>(next() % 5);
    std::set<std::pair<int, int>> used;
    for (int r = 0; r < rows; ++r) {
      int account = t == kTemplates - 1 ? r : static_cast<int>(next() % kAccounts);
      int side = t == kTemplates - 1 ? (r < 10 ? 1 : -1) : (next() % 2 ? 1 : -1);
      if (!used.emplace(account, side).second) continue;
      Exec(db, "INSERT INTO StdVoucherFinance VALUES (" + std::to_string(++row_id) + "," +
                   std::to_string(id) + "," + std::to_string(r + 1) + "," +
                   std::to_string(20000 + account) + "," + std::to_string(side) + ",5001)");
    }
    Exec(db, "INSERT INTO StdVoucherBudget VALUES (" + std::to_string(2 * id) + "," +
                 std::to_string(id) + ",1,6007,1,5001), (" + std::to_string(2 * id + 1) + "," +
                 std::to_string(id) + ",2,6011,-1,5001)");
    Exec(db, "INSERT INTO stdVoucherBudgetRule VALUES (" + std::to_string(2 * id) + "," +
                 std::to_string(2 * id) + ",20000,1,1)");
  }
  Exec(db, "COMMIT");
}

std::vector<dualbasis::FinanceLine> Voucher() {
  std::vector<dualbasis::FinanceLine> lines;
  for (int i = 0; i < 20; ++i) {
    dualbasis::FinanceLine line;
    line.account_id = 20000 + i;
    line.account_code = Code(i);
    (i < 10 ? line.debit : line.credit) = 100;
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::vector<std::string>> Query(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
    throw std::runtime_error(sqlite3_errmsg(db));
  }
  std::vector<std::vector<std::string>> rows;
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    std::vector<std::string> row;
    for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
      const auto* text = sqlite3_column_text(stmt, c);
      row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
    }
    rows.push_back(std::move(row));
  }
  sqlite3_finalize(stmt);
  return rows;
}

// The hand-written road: one candidate query, the counts, the plain walk, the budget rows and
// the rules of the one exact template.
long Baseline(sqlite3* db) {
  std::string terms;
  for (int i = 0; i < 20; ++i) {
    const std::string code = "'" + Code(i) + "'";
    if (!terms.empty()) terms += " OR ";
    terms += "((" + code + " LIKE a.strAccountCode || '-%' OR " + code +
             " = a.strAccountCode) AND sf.intDirection = " + (i < 10 ? "1" : "-1") + ")";
  }
  auto rows = Query(db,
                    "SELECT sf.lngStdVoucherTmpID, sf.intDirection, a.strAccountCode, "
                    "a.blnIsDetail FROM StdVoucherTmp t JOIN StdVoucherFinance sf ON "
                    "t.lngStdVoucherTmpID = sf.lngStdVoucherTmpID JOIN Account a ON "
                    "sf.lngAccountID = a.lngAccountID WHERE t.blnIsInActive = 0 AND "
                    "t.lngOrganizationID = 5001 AND (" +
                        terms + ") ORDER BY sf.lngStdVoucherTmpID, sf.lngRowID");
  std::map<std::string, int> matching;
  for (const auto& row : rows) ++matching[row[0]];
  std::string ids;
  for (const auto& [id, m] : matching) ids += (ids.empty() ? "" : ",") + id;
  long exact = 0;
  for (const auto& row : Query(db,
                               "SELECT lngStdVoucherTmpID, COUNT(*) FROM StdVoucherFinance "
                               "WHERE lngStdVoucherTmpID IN (" +
                                   ids + ") GROUP BY lngStdVoucherTmpID")) {
    if (matching[row[0]] == 20 && row[1] == "20") exact = std::stol(row[0]);
  }
  const std::string id = std::to_string(exact);
  Query(db,
        "SELECT d.lngStdVoucherBudgetID, d.lngAccountID, d.intDirection, b.strAccountCode "
        "FROM StdVoucherBudget d JOIN StdVoucherTmp t ON d.lngStdVoucherTmpID = "
        "t.lngStdVoucherTmpID LEFT JOIN BudgetAccount b ON d.lngAccountID = b.lngAccountID "
        "WHERE t.lngStdVoucherTmpID = " +
            id + " ORDER BY d.intDirection DESC, d.lngRowID");
  Query(db,
        "SELECT r.lngStdVoucherBudgetRuleID, ad.lngAccountID FROM stdVoucherBudgetRule r "
        "JOIN StdVoucherBudget s ON r.lngStdVoucherBudgetID = s.lngStdVoucherBudgetID JOIN "
        "Account a ON r.lngAccountID = a.lngAccountID JOIN Account ad ON (ad.strAccountCode "
        "= a.strAccountCode OR ad.strAccountCode LIKE a.strAccountCode || '-%') WHERE "
        "s.lngStdVoucherTmpID = " +
            id);
  return exact;
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
  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("bench_apply_template_" + std::to_string(getpid()) + ".db");
  int status = 0;
  try {
    {
      embedded::SqliteDataAccess data(file.string());
      embedded::CreateAccountSet(data);
      CreateData(data.Handle());
    }
    SilentMessageBox messages;
    embedded::EmbeddedHost host(file.string(), {5001, 5001, "2026-02-15"},
                                embedded::HostUi{&messages, nullptr, nullptr}, false);
    frame::InterFace inter_face;
    host.InitInterFace(inter_face);
    const auto lines = Voucher();
    const double ours = Best([&] {
      auto budget = dualbasis::ApplyTemplate(lines);
      if (!budget || budget->size() != 2 || (*budget)[0].debit != 100 ||
          (*budget)[1].credit != 100) {
        throw std::runtime_error("the template did not apply");
      }
    });
    if (messages.failed) throw std::runtime_error("the command said something");
    const double baseline = Best([&] {
      if (Baseline(host.Database().Handle()) != 100000 + kTemplates - 1) {
        throw std::runtime_error("the baseline found no template");
      }
    });
    std::printf("BENCH apply_template %.2f ms baseline %.2f ratio %.2f\n", ours * 1000,
                baseline * 1000, ours / baseline);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_apply_template: %s\n", error.what());
    status = 1;
  }
  lumvoucher::bench::RemoveDatabase(file);
  return status;
}
