// lumvoucher-sql: runs the component's Oracle SQL against an embedded account-set file or a
// PostgreSQL database, and moves an account set from a file to a server.
//   lumvoucher-sql (--db FILE | --pg CONNINFO) [--translate] [--demo] -e "STATEMENT" [-e ...]
//   lumvoucher-sql --copy-to-pg FILE CONNINFO
// A query prints its column names, then one line per row, fields separated by a tab, NULL as
// NULL and numbers as SQLite holds them; any other statement prints the rows it changed.
// --translate prints the database's text instead of running it. --demo first creates the schema
// and the demo account set in a database that has none. The first error ends the run with
// status 1.
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/account_set.h"
#include "embedded/dialect/tokenizer.h"
#include "embedded/embedded_fund_system.h"
#include "embedded/sqlite_data_access.h"
#include "embedded/statement_cache.h"
#include "host/database_error.h"
#include "server/account_set_copy.h"
#include "server/postgres_data_access.h"

namespace {

using lumvoucher::embedded::SqliteDataAccess;

constexpr const char* kUsage =
    "usage: lumvoucher-sql (--db FILE | --pg CONNINFO) [--translate] [--demo] -e \"STATEMENT\" "
    "[-e ...]\n"
    "       lumvoucher-sql --copy-to-pg FILE CONNINFO\n";

int Usage() {
  std::cerr << kUsage;
  return 2;
}

int Help() {
  std::cout
      << kUsage
      << "\nRuns the component's Oracle SQL against an embedded account-set file or a\n"
         "PostgreSQL database.\n\n"
         "  --db FILE       the account-set file (\":memory:\" for a private one)\n"
         "  --pg CONNINFO   a PostgreSQL database (libpq connection string; the PG*\n"
         "                  environment variables fill what it leaves out)\n"
         "  --copy-to-pg FILE CONNINFO\n"
         "                  move the account set of FILE to an empty PostgreSQL database,\n"
         "                  then compare row counts and number totals of every table\n"
         "  --demo          create the schema and the demo account set first when the\n"
         "                  file holds none\n"
         "  --translate     print the database's text of each statement instead of running it\n"
         "  -e STATEMENT    a statement to run; may be repeated, run in order\n"
         "  --help          print this text and exit\n\n"
         "A query prints its column names, then one line per row, fields separated by a\n"
         "tab; any other statement prints the number of rows it changed. The first error\n"
         "ends the run with status 1.\n";
  return 0;
}

// A query is a statement that starts with SELECT (or a parenthesised SELECT).
bool IsQuery(std::string_view sql) {
  try {
    const auto lexed = lumvoucher::dialect::Tokenize(sql);
    const auto& first = lexed.tokens.front();
    return lumvoucher::dialect::IsKeyword(first, "SELECT") ||
           (first.kind == lumvoucher::dialect::TokenKind::kOperator && first.text == "(");
  } catch (...) {
    return false;  // the translator reports the error when the statement runs
  }
}

std::string Field(const lumvoucher::host::Value& value) {
  if (value.IsNull()) return "NULL";
  if (value.IsDouble()) {
    // As SQLite writes a REAL: 100.0, 0.5.
    char buf[64];
    sqlite3_snprintf(sizeof buf, buf, "%!.15g", value.AsDouble());
    return buf;
  }
  return value.AsText();
}

void Print(const lumvoucher::host::Recordset& rows) {
  std::string line;
  for (std::size_t i = 0; i < rows.FieldCount(); ++i) {
    if (i > 0) line += '\t';
    line += rows.FieldName(i);
  }
  std::cout << line << '\n';
  for (const auto& row : rows.Rows()) {
    line.clear();
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) line += '\t';
      line += Field(row[i]);
    }
    std::cout << line << '\n';
  }
}

// Moves the file's account set and checks every table arrived whole: status 1 otherwise.
int CopyToServer(const std::string& file, const std::string& conninfo) {
  SqliteDataAccess from(file);
  if (!lumvoucher::embedded::HoldsAccountSet(from)) {
    std::cerr << "文件中没有帐套：" << file << '\n';
    return 1;
  }
  lumvoucher::server::PostgresDataAccess to(conninfo);
  lumvoucher::server::CopyAccountSet(from.Handle(), to);
  std::vector<std::string> differences = lumvoucher::server::CompareAccountSets(from.Handle(), to);
  // The fund system's file beside it goes along, its requests and pairings with it.
  const std::string fund_path = lumvoucher::embedded::EmbeddedFundSystem::FilePathFor(file);
  if (std::filesystem::exists(fund_path)) {
    SqliteDataAccess fund(fund_path);
    lumvoucher::server::CopyFundSystem(fund.Handle(), to);
    for (std::string& line : lumvoucher::server::CompareAccountSets(fund.Handle(), to)) {
      differences.push_back(std::move(line));
    }
  }
  for (const std::string& line : differences) std::cerr << line << '\n';
  if (!differences.empty()) return 1;
  std::cout << "帐套已复制，各表行数与合计一致\n";
  return 0;
}

template <typename Data>
void RunAll(Data& data, const std::vector<std::string>& statements, bool translate) {
  for (const auto& sql : statements) {
    if (translate) {
      std::cout << data.TranslateForDisplay(sql) << '\n';
    } else if (IsQuery(sql)) {
      Print(data.OpenRecordset(sql));
    } else {
      std::cout << data.Execute(sql) << '\n';
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string db_path;
  std::string conninfo;
  bool server = false;
  bool translate = false;
  bool demo = false;
  std::string copy_from;
  std::vector<std::string> statements;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") return Help();
    if (arg == "--db" && i + 1 < argc) {
      db_path = argv[++i];
    } else if (arg == "--pg" && i + 1 < argc) {
      conninfo = argv[++i];
      server = true;
    } else if (arg == "--copy-to-pg" && i + 2 < argc) {
      copy_from = argv[++i];
      conninfo = argv[++i];
    } else if (arg == "--translate") {
      translate = true;
    } else if (arg == "--demo") {
      demo = true;
    } else if (arg == "-e" && i + 1 < argc) {
      statements.emplace_back(argv[++i]);
    } else {
      return Usage();
    }
  }
  if (!copy_from.empty() && (server || !db_path.empty() || !statements.empty())) return Usage();
  if (copy_from.empty() && db_path.empty() && !server && !translate) return Usage();
  if (server && !db_path.empty()) return Usage();
  try {
    if (!copy_from.empty()) return CopyToServer(copy_from, conninfo);
    if (server) {
      lumvoucher::server::PostgresDataAccess data(conninfo);
      if (demo && !lumvoucher::server::HoldsAccountSet(data)) {
        lumvoucher::server::CreateAccountSet(data);
      }
      RunAll(data, statements, translate);
      return 0;
    }
    if (translate && !demo && db_path.empty()) {
      for (const auto& sql : statements) {
        std::cout << lumvoucher::embedded::TranslateForDisplay(sql) << '\n';
      }
      return 0;
    }
    SqliteDataAccess data(db_path);
    if (demo && !lumvoucher::embedded::HoldsAccountSet(data)) {
      lumvoucher::embedded::CreateAccountSet(data);
    }
    RunAll(data, statements, translate);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
