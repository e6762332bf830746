#include "frame/text_functions.h"

#include <gtest/gtest.h>

#include <string>

namespace lumvoucher::frame {
namespace {

const std::string kEmoji = "\xF0\x9F\x98\x80";  // U+1F600, outside GBK

TEST(TextFunctionsStrLen, CountsGbkBytesOneForAsciiTwoForTheRestAndForMalformedBytes) {
  // ASCII one, Chinese two.
  EXPECT_EQ(StrLen(""), 0);
  EXPECT_EQ(StrLen("abc 12"), 6);
  EXPECT_EQ(StrLen("现金"), 4);
  EXPECT_EQ(StrLen("1001 库存现金/A"), 4 + 1 + 8 + 2);
  EXPECT_EQ(StrLen("记字，全角。"), 12);  // full-width punctuation is double-width in GBK

  // Characters outside GBK count two.
  EXPECT_EQ(StrLen(kEmoji), 2);
  EXPECT_EQ(StrLen("a" + kEmoji + "现"), 1 + 2 + 2);
  EXPECT_EQ(StrLen(kEmoji + kEmoji), 4);
  EXPECT_EQ(StrLen("♪"), 2);

  // The GBK byte count.
  EXPECT_EQ(StrLen("€"), 1);  // GBK codes the euro sign in the single byte 0x80
  EXPECT_EQ(StrLen("€现"), 3);
  EXPECT_EQ(StrLeft("€现", 1), "€");
  EXPECT_EQ(SubStr("a€b", 2, 1), "€");

  // Malformed bytes count two each.
  EXPECT_EQ(StrLen("a\xFF"), 3);
  EXPECT_EQ(StrLen("\xE7\x8E"), 4);      // a truncated three-byte character
  EXPECT_EQ(StrLen("\xC0\xAF"), 4);      // an overlong "/"
  EXPECT_EQ(StrLen("\xED\xA0\x80"), 6);  // a surrogate
}

// Each pair: what the call answers, and what it should.
TEST(TextFunctionsCuts, KeepWholeCharactersAndCountPositionsFromOne) {
  const std::pair<std::string, std::string> cases[] = {
      // clang-format off
      {StrLeft("abc", 2), "ab"}, {StrLeft("abc", 10), "abc"}, {StrLeft("abc", 0), ""}, {StrLeft("abc", -1), ""},
      {StrLeft("a现金", 3), "a现"}, {StrLeft("a现金", 4), "a现"},  // 金 would be split: left out
      {StrLeft("现金", 1), ""}, {StrLeft(kEmoji + "x", 2), kEmoji}, {StrLeft(kEmoji + "x", 1), ""},
      {StrRight("abcdef", 2), "ef"}, {StrRight("abc", 9), "abc"}, {StrRight("abc", 0), ""},
      {StrRight("现金a", 3), "金a"}, {StrRight("现金a", 4), "金a"}, {StrRight("现金", 1), ""},
      {StrRight("x" + kEmoji, 3), "x" + kEmoji},
      {SubStr("000012", 5, 2), "12"}, {SubStr("abcdef", 1, 3), "abc"}, {SubStr("abcdef", 4), "def"},
      {SubStr("abcdef", 7, 2), ""}, {SubStr("abcdef", -5), "abcdef"}, {SubStr("abcdef", 2, 0), ""},
      {SubStr("abcdef", 0, 3), "ab"},  // start below 1 is 1, the length still counts
      {SubStr("a现金b", 2, 2), "现"}, {SubStr("a现金b", 2, 5), "现金b"}, {SubStr("a现金b", 4), "金b"},
      {StringOut(" ", " "), ""}, {StringOut("2026-03-01", " "), "2026-03-01"},
      {StringOut("  现金 日记账  ", " "), "现金 日记账"}, {StringOut("--a-b--", "-"), "a-b"},
      {StringOut("abab", "ab"), ""}, {StringOut(" a ", ""), " a "},
      // clang-format on
  };
  for (const auto& [actual, expected] : cases) EXPECT_EQ(actual, expected);
  // Non-overlapping occurrences.
  for (auto [actual, expected] : {std::pair{StrCount("1,2,3", ","), 2},
                                  {StrCount("", ","), 0},
                                  {StrCount("123", ","), 0},
                                  {StrCount("aaaa", "aa"), 2},
                                  {StrCount("现金，现金", "现金"), 2},
                                  {StrCount("abc", ""), 0}}) {
    EXPECT_EQ(actual, expected);
  }
}

TEST(TextFunctionsCuts, CutsPutTogetherRebuildTheText) {
  const std::string text = "2026年度03期间 记字 000012号凭证";
  const int length = StrLen(text);
  for (int at = 0; at <= length; ++at) {
    const std::string left = StrLeft(text, at);
    const std::string rest = SubStr(text, StrLen(left) + 1);
    EXPECT_EQ(left + rest, text) << "cut at " << at;
    EXPECT_LE(StrLen(left), at);
    EXPECT_EQ(StrRight(text, length - StrLen(left)), rest);
  }
}

}  // namespace
}  // namespace lumvoucher::frame
