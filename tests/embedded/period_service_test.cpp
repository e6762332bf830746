#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "embedded/embedded_period_service.h"
#include "support/test_host.h"

namespace lumvoucher::embedded {
namespace {

using testing::TestHost;
namespace texts = period_texts;

LoginRequest At(long organization_id) {
  return {organization_id, 1, "2026-02-15"};
}

// "1:closed 2:open ..." over the first `count` periods of 2026 of an organisation.
std::string PeriodsDump(TestHost& t, long organization_id, int count = 4) {
  host::Recordset rs = t.Data().OpenRecordset(
      "Select bytPeriod, blnIsClosed From AccountPeriod Where intYear = 2026 And "
      "lngOrganizationID = " +
      std::to_string(organization_id) + " And bytPeriod <= " + std::to_string(count) +
      " Order By bytPeriod");
  std::string dump;
  for (; !rs.Eof(); rs.MoveNext()) {
    dump += (dump.empty() ? "" : " ") + rs["bytPeriod"].AsText() + ":" +
            (rs["blnIsClosed"].AsBool() ? "closed" : "open");
  }
  return dump;
}

// Where the general ledger of the organisation stands: "2026/2".
std::string LedgerAt(TestHost& t, long organization_id) {
  return t.Scalar(
      "Select intYear || '/' || bytPeriod From MODULE Where lngModuleID = 3 And "
      "lngOrganizationID = " +
      std::to_string(organization_id));
}

// Posts every voucher of organisation 1 that is not void, so February may close.
void PostEverything(TestHost& t) {
  t.Data().Execute(
      "Update Voucher Set lngCheckerID = 3, lngPostID = 5 Where lngSourceOrganizationID = 1 And "
      "blnIsVoid = 0");
}

TEST(PeriodService, TellsWhetherTheDatesPeriodIsClosed) {
  TestHost t(At(1));
  host::PeriodService& periods = t.Host().BusinessPub().Periods();
  struct Case {
    long organization_id;
    const char* date;
    bool closed;
  };
  const std::vector<Case> cases = {
      {0, "2026-01-15", true},  {0, "2026-01-31", true}, {0, "2026-02-01", false},
      {1, "2026-02-15", false}, {4, "2026-01-02", true}, {0, "2025-12-31", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(periods.IsDateClosed(c.organization_id, c.date), c.closed)
        << c.organization_id << " " << c.date;
  }
  EXPECT_TRUE(periods.IsPeriodClosed(0, 2026, 1));
  EXPECT_FALSE(periods.IsPeriodClosed(0, 2026, 2));
  EXPECT_FALSE(periods.IsPeriodClosed(0, 2027, 1)) << "a period the account set does not know";

  t.Data().Execute("Update AccountYear Set blnIsClosed = 1 Where intYear = 2026");
  EXPECT_TRUE(periods.IsPeriodClosed(0, 2026, 7)) << "a closed year closes all its periods";
  EXPECT_TRUE(periods.IsDateClosed(4, "2026-12-31"));
}

TEST(PeriodService, RefusesToCloseOrReopenOutOfOrder) {
  struct Case {
    const char* what;
    bool close;
    int period;
    const char* reason;
    const char* setup = "";
  };
  const char* closed_year = "Update AccountYear Set blnIsClosed = 1 Where intYear = 2026";
  const std::vector<Case> cases = {
      {"close March before February", true, 3, texts::kEarlierOpen},
      {"close February with unposted vouchers", true, 2, texts::kUnposted},
      {"close January again", true, 1, texts::kAlreadyClosed},
      {"close period 13", true, 13, texts::kPeriodUnknown},
      {"reopen open February", false, 2, texts::kNotClosed},
      {"reopen period 13", false, 13, texts::kPeriodUnknown},
      {"reopen in a closed year", false, 1, texts::kYearClosed, closed_year},
      {"close in a closed year", true, 2, texts::kAlreadyClosed, closed_year},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestHost t(At(1));
    if (*c.setup) t.Exec(c.setup);
    host::PeriodService& periods = t.Host().BusinessPub().Periods();
    const host::PeriodService::Result result =
        c.close ? periods.ClosePeriod(2026, c.period) : periods.ReopenPeriod(2026, c.period);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, c.reason);
    EXPECT_EQ(PeriodsDump(t, 1), "1:closed 2:open 3:open 4:open");
    EXPECT_EQ(LedgerAt(t, 1), "2026/2");
  }
}

TEST(PeriodService, ClosingMovesTheLedgerOnAndReopeningTheLatestMovesItBack) {
  TestHost t(At(1));
  host::PeriodService& periods = t.Host().BusinessPub().Periods();
  PostEverything(t);
  // Void vouchers do not hold the period open.
  t.Exec("Update Voucher Set lngCheckerID = 0, lngPostID = 0 Where blnIsVoid = 1");
  ASSERT_EQ(periods.ClosePeriod(2026, 2).reason, "");
  EXPECT_EQ(PeriodsDump(t, 1), "1:closed 2:closed 3:open 4:open");
  EXPECT_EQ(LedgerAt(t, 1), "2026/3");
  EXPECT_EQ(PeriodsDump(t, 4), "1:closed 2:open 3:open 4:open")
      << "other organisations keep theirs";
  EXPECT_EQ(LedgerAt(t, 4), "2026/2");

  EXPECT_EQ(periods.ReopenPeriod(2026, 1).reason, texts::kLaterClosed);
  ASSERT_EQ(periods.ReopenPeriod(2026, 2).reason, "");
  EXPECT_EQ(PeriodsDump(t, 1), "1:closed 2:open 3:open 4:open");
  EXPECT_EQ(LedgerAt(t, 1), "2026/2");
}

TEST(PeriodService, ClosingTheLastPeriodLeavesTheLedgerAtTheNextYear) {
  TestHost t(At(1));
  PostEverything(t);
  t.Data().Execute(
      "Update AccountPeriod Set blnIsClosed = 1 Where lngOrganizationID = 1 And "
      "bytPeriod < 12");
  ASSERT_EQ(t.Host().BusinessPub().Periods().ClosePeriod(2026, 12).reason, "");
  EXPECT_EQ(LedgerAt(t, 1), "2027/1");
}

TEST(PeriodService, AFailingStatementLeavesPeriodsAndLedgerUnchanged) {
  for (bool close : {true, false}) {
    int failures = 0;
    for (int n = 1;; ++n) {
      SCOPED_TRACE((close ? "close" : "reopen") + std::string(" failing at ") + std::to_string(n));
      TestHost t(At(1));
      PostEverything(t);
      if (!close) t.Data().Execute("Update AccountPeriod Set blnIsClosed = 1 Where bytPeriod = 2");
      const std::string before = PeriodsDump(t, 1) + " ledger " + LedgerAt(t, 1);
      t.Data().FailAtStatement(n);
      host::PeriodService& periods = t.Host().BusinessPub().Periods();
      const auto result = close ? periods.ClosePeriod(2026, 2) : periods.ReopenPeriod(2026, 2);
      t.Data().NeverFail();
      if (result.ok) break;
      ++failures;
      EXPECT_EQ(result.reason.rfind(texts::kDatabaseFailure, 0), 0u) << result.reason;
      EXPECT_EQ(PeriodsDump(t, 1) + " ledger " + LedgerAt(t, 1), before);
      ASSERT_LT(n, 30);
    }
    EXPECT_GT(failures, 2);
  }
}

}  // namespace
}  // namespace lumvoucher::embedded
