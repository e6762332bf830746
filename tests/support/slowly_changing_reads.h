#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "host/data_access.h"
#include "host/read_scope.h"

namespace lumvoucher::testing {

// What `first` reads of a setting, an account and a period closing, on any backend: in a command
// before and after `second` changes it; in the next command, after its own change and inside its
// own transaction, which rolls back; in the command after; then what the next command's read
// costs (`statements`: the stamp alone).
inline std::string FollowSlowlyChangingRows(host::DataAccess& first, host::DataAccess& second,
                                            const std::function<std::size_t()>& statements) {
  std::string seen;
  for (const std::array<std::string, 6>& c : std::vector<std::array<std::string, 6>>{
           {"Setting", "strSetting", "strKey = '凭证号重复自动取号'", "False", "Yes", "No"},
           {"Account", "strAccountName", "lngAccountID = 1", "现金", "现款", "钱"},
           {"AccountPeriod", "blnIsClosed", "bytPeriod = 2", "1", "0", "1"}}) {
    const std::string where = " Where " + c[2];
    const auto set = [&](host::DataAccess& data, const std::string& value) {
      data.Execute("Update " + c[0] + " Set " + c[1] + " = '" + value + "'" + where);
    };
    std::string values;
    const std::string query = "Select " + c[1] + " From " + c[0] + where;
    const auto read = [&] { values += host::OpenRemembered(first, query)[0].AsText() + " "; };
    {
      host::ReadScope reads(first);
      read(), set(second, c[3]), read();
    }
    {
      host::ReadScope reads(first);
      read(), set(first, c[4]), read();
      host::TransactionGuard rolled_back(first);
      set(first, c[5]), read();
    }
    std::size_t before = 0;
    for (int n = 0; n < 2; ++n) {
      before = statements();
      host::ReadScope reads(first);
      read();
    }
    seen += values + "/ " + std::to_string(statements() - before) + "\n";
  }
  return seen;
}

inline constexpr const char* kSlowlyChangingRowsFollowed =
    "True True False Yes No Yes Yes / 1\n库存现金 库存现金 现金 现款 钱 现款 现款 / 1\n"
    "0 0 1 0 1 0 0 / 1\n";

}  // namespace lumvoucher::testing
