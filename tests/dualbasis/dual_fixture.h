#pragma once

#include <gtest/gtest.h>

#include "support/test_host.h"

namespace lumvoucher::testing {

// The dual-basis demo set "青山县人民医院", logged in as its maker 孙丽 on 2026-02-15.
class DualBasisTest : public ::testing::Test {
 protected:
  DualBasisTest()
      : host_(embedded::LoginRequest{5001, 5001, "2026-02-15"}, embedded::DemoSets::kAll) {}
  void Run(const std::string& sql) { host_.Data().Execute(sql); }
  std::string Dump(const std::string& sql);  // rows "a b c" joined by "|"

  TestHost host_;
};

inline std::string DualBasisTest::Dump(const std::string& sql) {
  std::string text;
  host::Recordset rs = host_.Data().OpenRecordset(sql);
  for (const host::Recordset::Row& row : rs.Rows()) {
    std::string line;
    for (const host::Value& v : row) line += (line.empty() ? "" : " ") + v.AsText();
    text += (text.empty() ? "" : "|") + line;
  }
  return text;
}

}  // namespace lumvoucher::testing
