#include "dialect/case_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
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

}  // namespace lumvoucher::dialect_test
