#include "frame/sql_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "frame/id_list.h"

namespace lumvoucher::frame {
namespace {

TEST(SqlTextNumber, IntegersWithoutDecimalPointDoublesInShortestFormWithoutExponent) {
  // Integers have no decimal point.
  EXPECT_EQ(SqlNumber(0), "0");
  EXPECT_EQ(SqlNumber(-3), "-3");
  EXPECT_EQ(SqlNumber(std::int64_t{9999999999}), "9999999999");
  EXPECT_EQ(SqlNumber(static_cast<unsigned char>(12)), "12");
  EXPECT_EQ(SqlNumber(true), "1");

  // Doubles in shortest form without exponent.
  EXPECT_EQ(SqlNumber(0.1), "0.1");
  EXPECT_EQ(SqlNumber(100.0), "100");
  EXPECT_EQ(SqlNumber(-2.5), "-2.5");
  EXPECT_EQ(SqlNumber(1e-7), "0.0000001");
  EXPECT_EQ(SqlNumber(1e20), "100000000000000000000");
  EXPECT_EQ(SqlNumber(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(SqlNumber(-0.0), "0");
  EXPECT_EQ(SqlNumber(123456.785), "123456.785");
  EXPECT_THROW(SqlNumber(std::numeric_limits<double>::quiet_NaN()), std::domain_error);
  EXPECT_THROW(SqlNumber(-std::numeric_limits<double>::infinity()), std::domain_error);
}

TEST(SqlTextLiterals, QuotesAreDoubledAndDatesAreWrittenAsOracleTakesThem) {
  // Quotes are doubled.
  EXPECT_EQ(SqlText("O'Neil"), "'O''Neil'");
  EXPECT_EQ(SqlText("它's \"x\""), "'它''s \"x\"'");
  EXPECT_EQ(SqlText("''"), "''''''");
  EXPECT_EQ(SqlText(""), "''");
  EXPECT_EQ(SqlText(" "), "' '");
  EXPECT_EQ(SqlText("x' Or '1'='1"), "'x'' Or ''1''=''1'");

  // Dates.
  EXPECT_EQ(DateText(2026, 3, 1), "2026-03-01");
  EXPECT_EQ(SqlDate("2026-03-01"), "'2026-03-01'");
  EXPECT_EQ(SqlDate(2026, 12, 31), "'2026-12-31'");
  EXPECT_EQ(SqlToDate("2026-03-01"), "To_Date('2026-03-01','rrrr-mm-dd')");
  EXPECT_EQ(SqlToDate(2026, 1, 9), "To_Date('2026-01-09','rrrr-mm-dd')");
}

TEST(SqlTextNumbers, ZeroPaddingAndVoucherNumbers) {
  EXPECT_EQ(VoucherNoText(12), "000012");
  EXPECT_EQ(VoucherNoText(0), "000000");
  EXPECT_EQ(VoucherNoText(999999), "999999");
  EXPECT_EQ(VoucherNoText(1234567), "1234567");
  EXPECT_EQ(VoucherNoText(-12), "-000012");
  EXPECT_EQ(ZeroPad(42, 10), "0000000042");
  EXPECT_EQ(ZeroPad(42, 0), "42");
  EXPECT_EQ(ZeroPad(std::numeric_limits<std::int64_t>::min(), 1), "-9223372036854775808");
}

TEST(SqlTextFormat, PlaceholdersReplacedInOrder) {
  EXPECT_EQ(
      FormatText("values(log_seq.nextval,{0},'{1}','{2}',{3})", {"7", "登录", "2026-03-01", "1"}),
      "values(log_seq.nextval,7,'登录','2026-03-01',1)");
  EXPECT_EQ(FormatText("{1}{0}{1}", {"a", "b"}), "bab");
  std::vector<std::string> many;
  for (int i = 0; i <= 18; ++i) many.push_back("c" + std::to_string(i));
  EXPECT_EQ(FormatText("{18},{1},{10},{19}", many), "c18,c1,c10,{19}");
  // Values are not scanned again and stray braces stay.
  EXPECT_EQ(FormatText("{0}-{1}", {"{1}", "x"}), "{1}-x");
  EXPECT_EQ(FormatText("{2} {} {x} {0", {"a"}), "{2} {} {x} {0");
  EXPECT_EQ(FormatText("'990.{0}'", {"00"}), "'990.00'");
}

std::vector<std::int64_t> Ids(std::int64_t count) {
  std::vector<std::int64_t> ids;
  for (std::int64_t i = 1; i <= count; ++i) ids.push_back(i);
  return ids;
}

std::string Range(std::int64_t first, std::int64_t last) {
  std::string out;
  for (std::int64_t i = first; i <= last; ++i) out += (i > first ? "," : "") + std::to_string(i);
  return out;
}

TEST(SqlTextIdList, ChunksJoinsAndEmptyListsKeepTheirMeaning) {
  // Chunks of 999.
  const std::string col = "VoucherDetail.lngVoucherDetailID";
  EXPECT_EQ(InCondition(col, Ids(999)), col + " In (" + Range(1, 999) + ")");
  EXPECT_EQ(InCondition(col, Ids(1000)),
            "(" + col + " In (" + Range(1, 999) + ") Or " + col + " In (1000))");
  EXPECT_EQ(InCondition(col, Ids(1999)), "(" + col + " In (" + Range(1, 999) + ") Or " + col +
                                             " In (" + Range(1000, 1998) + ") Or " + col +
                                             " In (1999))");
  EXPECT_EQ(InCondition(col, Ids(3)), col + " In (1,2,3)");

  // Not In joins with And.
  EXPECT_EQ(NotInCondition(col, Ids(2)), col + " Not In (1,2)");
  EXPECT_EQ(NotInCondition(col, Ids(1000)),
            "(" + col + " Not In (" + Range(1, 999) + ") And " + col + " Not In (1000))");

  // Empty lists keep their meaning.
  EXPECT_EQ(InCondition("x", std::vector<std::int64_t>{}), "1=0");
  EXPECT_EQ(NotInCondition("x", std::vector<std::int64_t>{}), "1=1");
  EXPECT_EQ(RuleInList("x", ""), "1=0");

  // Rule checks use 900 and upper-case IN.
  const std::string rule = "s.lngVoucherAccountRuleID";
  EXPECT_EQ(RuleInList(rule, "1,2,3"), rule + " IN (1,2,3)");
  EXPECT_EQ(RuleInList(rule, Range(1, 900)), rule + " IN (" + Range(1, 900) + ")");
  EXPECT_EQ(RuleInList(rule, Range(1, 901)),
            "(" + rule + " IN (" + Range(1, 900) + ") Or " + rule + " IN (901))");

  // Quoted code lists.
  const std::vector<std::string> codes{"1001", "O'K", "10,02"};
  EXPECT_EQ(JoinQuoted(codes), "'1001','O''K','10,02'");
  EXPECT_EQ(JoinQuoted(codes, ", "), "'1001', 'O''K', '10,02'");
  EXPECT_EQ(SplitList("'1001','O''K', '10,02'"),
            (std::vector<std::string>{"'1001'", "'O''K'", "'10,02'"}));
  EXPECT_EQ(SplitList(" 1 , 2,3 "), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(RuleInList("a.strAccountCode", "'1001','10,02'"),
            "a.strAccountCode IN ('1001','10,02')");
  EXPECT_EQ(JoinIds(Ids(3)), "1,2,3");
  EXPECT_EQ(JoinIds({}), "");
}

}  // namespace
}  // namespace lumvoucher::frame
