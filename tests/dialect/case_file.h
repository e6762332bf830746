#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "dialect/sql_runner.h"

namespace lumvoucher::dialect_test {

// One statement of a case and what it must give.
struct Step {
  std::string sql;
  enum class Expect { kOk, kRows, kCount, kError } expect = Expect::kOk;
  std::string rows;   // "a|b\n1|x\n": header then rows
  bool once = false;  // a query with side effects (nextval): not run again
  long long count = 0;
  std::string error;  // a part of the error message
  int line = 0;       // of the statement in the file
  // What PostgreSQL gives instead, where the two databases may differ (their own messages);
  // empty when it gives the same.
  std::vector<Step> postgres;
};

struct Case {
  std::string file;
  std::string name;
  int line = 0;
  std::vector<std::string> setup;  // the file's setup statements, run first on a new database
  std::vector<Step> steps;
};

// For test names in failure output.
inline void PrintTo(const Case& c, std::ostream* os) {
  *os << c.file << ":" << c.line << " " << c.name;
}

// Reads a case file:
//   # comment
//   === setup            statements separated by blank lines
//   === <case name>      statements, each followed by one of
//   >>> rows [once]      then the header and the rows, fields separated by "|", up to a blank line
//   >>> count N          rows changed
//   >>> error TEXT       the statement fails with a message containing TEXT
//   >>> ok               the statement runs
//   >>> postgres ...     after one of the above: what PostgreSQL gives instead
std::vector<Case> ReadCaseFile(const std::string& path);
// Every *.case file of the directory, in name order.
std::vector<Case> ReadCaseDirectory(const std::string& directory);

// A database the cases run on. Run throws std::runtime_error (host::DatabaseError) on failure.
class CaseDatabase {
 public:
  virtual ~CaseDatabase() = default;
  // The rows when `rows` is asked, else the rows changed.
  virtual Outcome Run(const std::string& oracle_sql, bool rows) = 0;
  // A query's rows got again in other ways (from the cache, literals written in), by label.
  virtual std::vector<std::pair<std::string, Outcome>> Again(const std::string& oracle_sql) = 0;
  // The translated text, for a failure message.
  virtual std::string Translated(const std::string& oracle_sql) = 0;
  virtual bool Postgres() const { return false; }
};

// "file_line", for test names.
std::string CaseTestName(const Case& c);

// Runs the case's setup and steps on `db`, reporting every difference as a test failure.
void CheckCase(const Case& c, CaseDatabase& db);

}  // namespace lumvoucher::dialect_test
