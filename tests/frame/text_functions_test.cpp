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

TEST(TextFunctionsCuts, StrLeftKeepsWholeCharacters) {
  EXPECT_EQ(StrLeft("abc", 2), "ab");
  EXPECT_EQ(StrLeft("abc", 10), "abc");
  EXPECT_EQ(StrLeft("abc", 0), "");
  EXPECT_EQ(StrLeft("abc", -1), "");
  EXPECT_EQ(StrLeft("a现金", 3), "a现");
  EXPECT_EQ(StrLeft("a现金", 4), "a现");  // 金 would be split: left out
  EXPECT_EQ(StrLeft("现金", 1), "");
  EXPECT_EQ(StrLeft(kEmoji + "x", 2), kEmoji);
  EXPECT_EQ(StrLeft(kEmoji + "x", 1), "");
}

TEST(TextFunctionsCuts, StrRightKeepsWholeCharacters) {
  EXPECT_EQ(StrRight("abcdef", 2), "ef");
  EXPECT_EQ(StrRight("abc", 9), "abc");
  EXPECT_EQ(StrRight("abc", 0), "");
  EXPECT_EQ(StrRight("现金a", 3), "金a");
  EXPECT_EQ(StrRight("现金a", 4), "金a");
  EXPECT_EQ(StrRight("现金", 1), "");
  EXPECT_EQ(StrRight("x" + kEmoji, 3), "x" + kEmoji);
}

TEST(TextFunctionsCuts, SubStrCountsPositionsFromOne) {
  EXPECT_EQ(SubStr("000012", 5, 2), "12");
  EXPECT_EQ(SubStr("abcdef", 1, 3), "abc");
  EXPECT_EQ(SubStr("abcdef", 4), "def");
  EXPECT_EQ(SubStr("abcdef", 7, 2), "");
  EXPECT_EQ(SubStr("abcdef", 0, 3), "ab");  // start below 1 is 1, the length still counts
  EXPECT_EQ(SubStr("abcdef", -5), "abcdef");
  EXPECT_EQ(SubStr("abcdef", 2, 0), "");
  EXPECT_EQ(SubStr("a现金b", 2, 2), "现");
  EXPECT_EQ(SubStr("a现金b", 2, 5), "现金b");
  EXPECT_EQ(SubStr("a现金b", 4), "金b");
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

TEST(TextFunctionsStrCount, CountsNonOverlappingOccurrences) {
  EXPECT_EQ(StrCount("1,2,3", ","), 2);
  EXPECT_EQ(StrCount("", ","), 0);
  EXPECT_EQ(StrCount("123", ","), 0);
  EXPECT_EQ(StrCount("aaaa", "aa"), 2);
  EXPECT_EQ(StrCount("现金，现金", "现金"), 2);
  EXPECT_EQ(StrCount("abc", ""), 0);
}

TEST(TextFunctionsStringOut, StripsThePadAtBothEnds) {
  EXPECT_EQ(StringOut(" ", " "), "");
  EXPECT_EQ(StringOut("2026-03-01", " "), "2026-03-01");
  EXPECT_EQ(StringOut("  现金 日记账  ", " "), "现金 日记账");
  EXPECT_EQ(StringOut("--a-b--", "-"), "a-b");
  EXPECT_EQ(StringOut("abab", "ab"), "");
  EXPECT_EQ(StringOut(" a ", ""), " a ");
}

}  // namespace
}  // namespace lumvoucher::frame
