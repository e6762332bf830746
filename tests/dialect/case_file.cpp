#include "dialect/case_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lumvoucher::dialect_test {

std::vector<Case> ReadCaseFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  const std::string file = std::filesystem::path(path).filename().string();
  std::vector<Case> cases;
  std::vector<std::string> setup;
  bool in_setup = false;
  std::string sql;
  int sql_line = 0;
  auto flush_setup = [&] {
    if (!sql.empty()) setup.push_back(sql);
    sql.clear();
  };
  auto fail = [&](std::size_t i, const std::string& what) {
    throw std::runtime_error(file + ":" + std::to_string(i + 1) + ": " + what);
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind("#", 0) == 0) continue;
    if (line.rfind("=== ", 0) == 0) {
      if (in_setup) flush_setup();
      if (!sql.empty()) fail(i, "statement without >>> expectation");
      const std::string name = line.substr(4);
      in_setup = name == "setup";
      if (!in_setup) {
        Case c;
        c.file = file;
        c.name = name;
        c.line = static_cast<int>(i + 1);
        c.setup = setup;
        cases.push_back(std::move(c));
      }
      continue;
    }
    if (line.empty()) {
      if (in_setup) flush_setup();
      continue;
    }
    if (line.rfind(">>> ", 0) == 0) {
      if (in_setup || cases.empty()) fail(i, "expectation outside a case");
      std::string what = line.substr(4);
      const bool postgres = what.rfind("postgres ", 0) == 0;
      if (postgres) {
        if (!sql.empty() || cases.back().steps.empty()) fail(i, "postgres without a step");
        what = what.substr(9);
      } else if (sql.empty()) {
        fail(i, "expectation without a statement");
      }
      Step step;
      step.sql = sql;
      step.line = sql_line;
      sql.clear();
      if (what == "ok") {
        step.expect = Step::Expect::kOk;
      } else if (what == "rows" || what == "rows once") {
        step.expect = Step::Expect::kRows;
        step.once = what == "rows once";
        while (i + 1 < lines.size() && !lines[i + 1].empty() &&
               lines[i + 1].rfind("=== ", 0) != 0 && lines[i + 1].rfind(">>> ", 0) != 0) {
          step.rows += lines[++i] + "\n";
        }
      } else if (what.rfind("count ", 0) == 0) {
        step.expect = Step::Expect::kCount;
        step.count = std::stoll(what.substr(6));
      } else if (what.rfind("error ", 0) == 0) {
        step.expect = Step::Expect::kError;
        step.error = what.substr(6);
      } else {
        fail(i, "unknown expectation " + what);
      }
      if (postgres) {
        cases.back().steps.back().postgres.push_back(std::move(step));
      } else {
        cases.back().steps.push_back(std::move(step));
      }
      continue;
    }
    if (sql.empty()) sql_line = static_cast<int>(i + 1);
    if (!sql.empty()) sql += '\n';
    sql += line;
  }
  if (in_setup) flush_setup();
  if (!sql.empty()) throw std::runtime_error(file + ": statement without >>> expectation at end");
  return cases;
}

std::vector<Case> ReadCaseDirectory(const std::string& directory) {
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    if (entry.path().extension() == ".case") paths.push_back(entry.path().string());
  }
  std::sort(paths.begin(), paths.end());
  std::vector<Case> all;
  for (const auto& path : paths) {
    std::vector<Case> cases = ReadCaseFile(path);
    all.insert(all.end(), cases.begin(), cases.end());
  }
  return all;
}

namespace {

// PostgreSQL folds unquoted names to lower case and cuts them at 63 bytes: headers compare so.
std::string Comparable(const std::string& dump, bool postgres) {
  if (!postgres) return dump;
  const std::size_t end = dump.find('\n');
  std::string header;
  std::istringstream fields(dump.substr(0, end));
  for (std::string field; std::getline(fields, field, '|');) {
    for (char& ch : field) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    header += (header.empty() ? "" : "|") + field.substr(0, 63);
  }
  return header + dump.substr(end);
}

}  // namespace

std::string CaseTestName(const Case& c) {
  std::string name = c.file.substr(0, c.file.find('.')) + "_" + std::to_string(c.line);
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

void CheckCase(const Case& c, CaseDatabase& db) {
  for (const std::string& sql : c.setup) {
    try {
      db.Run(sql, false);
    } catch (const std::runtime_error& e) {
      FAIL() << c.file << " setup failed: " << e.what() << "\n" << sql;
    }
  }
  for (const Step& written : c.steps) {
    SCOPED_TRACE(c.file + ":" + std::to_string(written.line) + " (" + c.name + ")\n" + written.sql);
    const Step& step =
        db.Postgres() && !written.postgres.empty() ? written.postgres.front() : written;
    if (step.expect == Step::Expect::kError) {
      try {
        db.Run(written.sql, false);
        ADD_FAILURE() << "expected an error containing: " << step.error;
      } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(step.error), std::string::npos)
            << "message: " << e.what();
      }
      continue;
    }
    Outcome outcome;
    try {
      outcome = db.Run(written.sql, step.expect == Step::Expect::kRows);
    } catch (const std::runtime_error& e) {
      ADD_FAILURE() << "failed: " << e.what() << "\nTranslated: " << db.Translated(written.sql);
      continue;
    }
    if (step.expect == Step::Expect::kCount) {
      EXPECT_EQ(outcome.changes, step.count);
    } else if (step.expect == Step::Expect::kRows) {
      const std::string expected = Comparable(step.rows, db.Postgres());
      EXPECT_EQ(Comparable(Dump(outcome), db.Postgres()), expected)
          << "Translated: " << db.Translated(written.sql);
      if (outcome.is_query && !step.once) {
        for (const auto& [label, again] : db.Again(written.sql)) {
          EXPECT_EQ(Comparable(Dump(again), db.Postgres()), expected) << label;
        }
      }
    }
  }
}

}  // namespace lumvoucher::dialect_test
