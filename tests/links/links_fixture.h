#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/test_host.h"

namespace lumvoucher::testing {

// The demo account set with SQL helpers for the memo book and fund matching tests.
class LinksTest : public ::testing::Test {
 protected:
  void Exec(const std::string& sql) { t_.Data().Execute(sql); }
  std::string Rows(const std::string& sql) { return t_.Rows(sql); }
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    Exec("Delete From Setting Where strSection = '" + section + "' And strKey = '" + key + "'");
    Exec(
        "Insert Into Setting (lngOrganizationID, strSection, strKey, strSetting) Select "
        "lngOrganizationID, '" +
        section + "', '" + key + "', '" + value + "' From Organization");
  }

  TestHost t_;
};

}  // namespace lumvoucher::testing
