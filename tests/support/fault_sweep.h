#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_host.h"

namespace lumvoucher::testing {

// What FailingDataAccess reports for statement n; a log insert carries the time of a fresh
// second, which a rerun within that second writes again.
inline std::string InjectedFailure(std::size_t n, const std::string& statement) {
  return "injected failure at statement " + std::to_string(n) + ": " +
         (statement.rfind("Insert Into log", 0) == 0 ? WithTimeOfThisSecond(statement) : statement);
}

inline bool IsQuery(const std::string& sql) {
  return sql.size() > 6 && (sql.compare(0, 6, "SELECT") == 0 || sql.compare(0, 6, "Select") == 0 ||
                            sql.compare(0, 6, "select") == 0);
}

// The sweep of a command that writes all or nothing. A case prepares a fresh account set and
// its window (Prepare), expects the messages a run shows, ending with `failure` unless it is
// empty (Expect), runs the command (Go) and dumps what the command may touch (Dump).
//
// The command runs once, changing the dump and recording its statements; then each of them
// fails in turn on a fresh case, which must report it and leave the dump as it was. Reads after
// the last write are left out unless `reads_after_writes` (a command that reloads inside its
// transaction).
template <class Case>
void FailAtEveryStatement(std::size_t at_least, bool reads_after_writes = true) {
  std::vector<std::string> recorded;
  {
    Case c;
    c.Prepare();
    const std::string before = c.Dump();
    c.Expect("");
    c.Host().Data().Record(true);
    c.Host().Data().ResetCount();
    ASSERT_TRUE(c.Go());
    c.Host().Data().Record(false);
    recorded = c.Host().Data().Recorded();
    EXPECT_NE(c.Dump(), before);
  }
  std::size_t count = recorded.size();
  while (!reads_after_writes && count > 0 && IsQuery(recorded[count - 1])) --count;
  ASSERT_GE(count, at_least);
  for (std::size_t n = 1; n <= count; ++n) {
    SCOPED_TRACE("failing statement " + std::to_string(n) + ": " + recorded[n - 1]);
    Case c;
    c.Prepare();
    const std::string before = c.Dump();
    c.Expect(InjectedFailure(n, recorded[n - 1]));
    c.Host().Data().FailAtStatement(static_cast<int>(n));
    EXPECT_FALSE(c.Go());
    c.Host().Data().NeverFail();
    EXPECT_EQ(c.Dump(), before);
  }
}

}  // namespace lumvoucher::testing
