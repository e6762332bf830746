#include "frame/module_status.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_host.h"

namespace lumvoucher::frame {
namespace {

using testing::TestHost;

std::string Dump(const ModuleStatus& s) {
  return std::to_string(s.Code()) + " " + std::to_string(s.year) + "/" + std::to_string(s.period);
}

TEST(ModuleStatus, AnswersByTheStoredStatus) {
  TestHost host;
  host.Data().Execute(
      "Insert Into MODULE (lngOrganizationID, lngModuleID, bytStatus, intYear, bytPeriod, "
      "intYearStop, bytPeriodStop) Values (1, 50, 2, 2025, 1, 2025, 11)");
  host.Data().Execute(
      "Insert Into MODULE (lngOrganizationID, lngModuleID, bytStatus, intYear, bytPeriod, "
      "intYearStop, bytPeriodStop) Values (1, 51, 7, 2024, 3, 0, 0)");

  EXPECT_EQ(Dump(GetModuleStatus(3)), "1 2026/2");     // general ledger running
  EXPECT_EQ(Dump(GetModuleStatus(129)), "-1 0/0");     // not started
  EXPECT_EQ(Dump(GetModuleStatus(50)), "-2 2025/11");  // stopped: where it stopped
  EXPECT_EQ(Dump(GetModuleStatus(51)), "1 2024/3");    // any other status counts as running
  EXPECT_EQ(Dump(GetModuleStatus(4242)), "0 0/0");     // no row
}

TEST(ModuleStatus, ReadsOnlyTheCurrentOrganisation) {
  TestHost host;
  host.Data().Execute(
      "Insert Into MODULE (lngOrganizationID, lngModuleID, bytStatus, intYear, bytPeriod) Values "
      "(2, 60, 1, 2026, 5)");
  EXPECT_EQ(GetModuleStatus(60).state, ModuleState::kNoRow);
}

}  // namespace
}  // namespace lumvoucher::frame
