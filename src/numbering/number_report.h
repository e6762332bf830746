#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "numbering/number_ledger.h"

namespace lumvoucher::numbering {

// The numbers of one voucher type as the number report ("编号查询") reads them.
struct TypeNumbers {
  std::string code;
  long highest = 0;  // the highest number (within the range in range mode)
  bool ranged = false;
  long start = 0;  // the range ("指定凭证段号")
  long end = 0;
  std::vector<NumberState> numbers;  // ascending, each once
  // Where the walk starts: 1, or the range's start.
  long First() const { return ranged ? start : 1; }
};

// The report lines of the types in order, then the totals and "结束":
//   "凭证字:记" padded with blanks to kTypeHeadWidth + "最大凭证字号   记-000006"
//     (range mode adds "  开始凭证字号：记-000005  结束凭证字号：记-000010");
//   per run of missing numbers "记-000003 到 记-000004" + "                   缺号   " (a single
//     number without the " 到 " part), and runs of void numbers likewise with "作废";
//   the rule, "合计：   总单数: n   缺号数: m   作废数: v" and "结束".
// Every number walked (1, or the range's start, up to the highest) counts in 总单数. With no
// type at all the one header line is "凭证字:无      最大凭证字号   000000".
inline constexpr int kTypeHeadWidth = 16;
std::vector<std::string> ReportLines(const std::vector<TypeNumbers>& types);

// "凭证缺号表（年度：2026期间：2 机构：星河医疗集团）", without the organisation part when
// `organization` is empty.
std::string ReportTitle(int year, int period, std::string_view organization);

}  // namespace lumvoucher::numbering
