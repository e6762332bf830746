#include "numbering/number_report.h"

#include <algorithm>

#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "numbering/numbering_texts.h"

namespace lumvoucher::numbering {

namespace {

using frame::VoucherNoText;

std::string Numbered(const std::string& code, long number) {
  return code + "-" + VoucherNoText(number);
}

std::string RunLine(const std::string& code, long first, long last, const char* mark) {
  std::string line = Numbered(code, first);
  if (last != first) line += texts::kReportTo + Numbered(code, last);
  return line + mark;
}

}  // namespace

std::vector<std::string> ReportLines(const std::vector<TypeNumbers>& types) {
  std::vector<std::string> lines;
  long total = 0;
  long missing = 0;
  long voids = 0;
  if (types.empty()) {
    lines.push_back(std::string(texts::kReportTypeHead) + texts::kReportNoType +
                    texts::kReportNoTypeHighest + VoucherNoText(0));
  }
  for (const TypeNumbers& t : types) {
    std::string head = texts::kReportTypeHead + t.code;
    head += std::string(static_cast<std::size_t>(std::max(0, kTypeHeadWidth - frame::StrLen(head))),
                        ' ');
    head += texts::kReportHighest + Numbered(t.code, t.highest);
    if (t.ranged) {
      head += texts::kReportRangeStart + Numbered(t.code, t.start) + texts::kReportRangeEnd +
              Numbered(t.code, t.end);
    }
    lines.push_back(std::move(head));

    // 0 missing, 1 void, 2 in use: a run ends where the kind changes.
    auto held = t.numbers.begin();
    int run_kind = 2;
    long run_start = 0;
    auto close_run = [&](long last) {
      if (run_kind == 0) lines.push_back(RunLine(t.code, run_start, last, texts::kReportMissing));
      if (run_kind == 1) lines.push_back(RunLine(t.code, run_start, last, texts::kReportVoid));
    };
    for (long n = t.First(); n <= t.highest; ++n) {
      while (held != t.numbers.end() && held->number < n) ++held;
      const bool in_use = held != t.numbers.end() && held->number == n;
      const int kind = !in_use ? 0 : held->is_void ? 1 : 2;
      ++total;
      if (kind == 0) ++missing;
      if (kind == 1) ++voids;
      if (kind != run_kind) {
        close_run(n - 1);
        run_kind = kind;
        run_start = n;
      }
    }
    close_run(t.highest);
  }
  lines.push_back(texts::kReportRule);
  lines.push_back(texts::kReportTotal + std::to_string(total) + texts::kReportMissingCount +
                  std::to_string(missing) + texts::kReportVoidCount + std::to_string(voids));
  lines.push_back(texts::kReportEnd);
  return lines;
}

std::string ReportTitle(int year, int period, std::string_view organization) {
  std::string title = texts::kReportTitle + std::to_string(year) + texts::kReportTitlePeriod +
                      std::to_string(period);
  if (!organization.empty()) {
    title += texts::kReportTitleOrganization + std::string(organization);
  }
  return title + texts::kReportTitleClose;
}

}  // namespace lumvoucher::numbering
