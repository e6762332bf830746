#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/test_host.h"
#include "templates/external_import.h"
#include "templates/interface_standards.h"

namespace lumvoucher::testing {

// Files of the external interfaces in a folder of the test's own, and the import run with its
// problems as "line: text" lines.
class ExternalTest : public ::testing::Test {
 protected:
  static constexpr const char* kHeader = "外部凭证号,日期,凭证字,摘要,科目,借方金额,贷方金额";

  ExternalTest() {
    dir_ = std::filesystem::temp_directory_path() /
           ("lumvoucher_external_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  ~ExternalTest() override { std::filesystem::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  // An interest voucher: 6603-01 debit, 2001 credit.
  static std::string Voucher(const std::string& key, const std::string& date = "2026-02-21",
                             const std::string& debit = "100.00",
                             const std::string& credit = "100.00") {
    return key + "," + date + ",记,利息," + "6603-01," + debit + ",\n" + key + "," + date +
           ",记,利息,2001,," + credit + "\n";
  }
  templates::CsvLayout Sample() {
    return *templates::LayoutOf(host::ProfileContents{}, "Sample接口");
  }
  templates::ImportTotals Import(const std::string& path, templates::ImportOptions options = {},
                                 const templates::CsvLayout* layout = nullptr) {
    problems_.clear();
    options.issue = [this](const templates::ImportIssue& issue) {
      problems_ += std::to_string(issue.line) + ": " + issue.text + "\n";
    };
    const templates::CsvLayout sample = Sample();
    return templates::ImportFile(path, layout == nullptr ? sample : *layout, options);
  }
  static std::string Totals(const templates::ImportTotals& t) {
    return std::to_string(t.records) + "/" + std::to_string(t.vouchers) + "/" +
           std::to_string(t.posted) + "/" + std::to_string(t.refused) + "/" +
           std::to_string(t.skipped) + (t.file_error ? " file" : "");
  }
  // The first column of every row, joined by blanks.
  std::string Column(const std::string& sql) {
    std::string out;
    for (host::Recordset rs = t_.Data().OpenRecordset(sql); !rs.Eof(); rs.MoveNext()) {
      out += (out.empty() ? "" : " ") + rs[std::size_t{0}].AsText();
    }
    return out;
  }
  std::string Vouchers() { return t_.Scalar("Select Count(*) From Voucher"); }

  std::filesystem::path dir_;
  std::string problems_;
  TestHost t_;
};

}  // namespace lumvoucher::testing
