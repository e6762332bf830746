#include "frame/module_status.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

TEST(ModuleStatus, AnswersByTheStoredStatusOfTheCurrentOrganisation) {
  testing::TestHost host;
  for (const char* row :
       {"1, 50, 2, 2025, 1, 2025, 11", "1, 51, 7, 2024, 3, 0, 0", "2, 60, 1, 2026, 5, 0, 0"}) {
    host.Exec(std::string("Insert Into MODULE (lngOrganizationID, lngModuleID, bytStatus, intYear, "
                          "bytPeriod, intYearStop, bytPeriodStop) Values (") +
              row + ")");
  }
  std::string dump;
  for (long module : {3, 129, 50, 51, 4242, 60}) {
    const ModuleStatus s = GetModuleStatus(module);
    dump += std::to_string(s.Code()) + " " + std::to_string(s.year) + "/" +
            std::to_string(s.period) + "\n";
  }
  // Running, not started, stopped (where it stopped), any other status runs, no row, another
  // organisation's row.
  EXPECT_EQ(dump, "1 2026/2\n-1 0/0\n-2 2025/11\n1 2024/3\n0 0/0\n0 0/0\n");
}

}  // namespace
}  // namespace lumvoucher::frame
