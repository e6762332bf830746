#include "numbering/number_ledger.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "frame/id_list.h"
#include "frame/login_state.h"
#include "frame/operation_log.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/data_access.h"
#include "numbering/choosers.h"
#include "numbering/number_text.h"
#include "voucher/save_texts.h"

namespace lumvoucher::numbering {

namespace {

using frame::SqlNumber;
using frame::SqlText;
using frame::VoucherNoText;

constexpr long kLargest = 999999999;
constexpr const char* kDeletedMark = "x";
constexpr const char* kStatusMissing = "缺号";
constexpr const char* kStatusVoid = "作废";
constexpr const char* kStatusMovedIn = "移入";
constexpr const char* kNoRecord = "日志中没有这个号的记录";

std::string Key(const NumberScope& s) {
  return "#o" + SqlNumber(s.organization_id) + "y" + SqlNumber(s.year) + "p" + SqlNumber(s.period) +
         "t" + SqlNumber(s.voucher_type_id);
}

std::string Prefix(std::string_view caption, const NumberScope& s, std::string_view type_code) {
  return std::string(caption) + " " + SqlNumber(s.year) + "年" + frame::ZeroPad(s.period, 2) +
         "期 " + std::string(type_code) + " " + Key(s) + " ";
}

// "o1y2026p2t1" up to the blank after it.
bool ParseKey(std::string_view text, NumberScope& s) {
  const char tags[] = {'o', 'y', 'p', 't'};
  long values[4] = {};
  std::size_t at = 0;
  for (int i = 0; i < 4; ++i) {
    if (at >= text.size() || text[at] != tags[i]) return false;
    std::size_t end = ++at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    const std::optional<long> value = ParseNumber(text.substr(at, end - at), 0, kLargest);
    if (!value) return false;
    values[i] = *value;
    at = end;
  }
  if (at != text.size()) return false;
  s = {values[0], static_cast<int>(values[1]), static_cast<int>(values[2]), values[3]};
  return true;
}

bool ParseMoves(std::string_view text, std::vector<NumberMove>& moves) {
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view token = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    const std::size_t arrow = token.find('>');
    if (arrow == std::string_view::npos) return false;
    const std::string_view from = token.substr(0, arrow);
    const std::string_view to = token.substr(arrow + 1);
    const std::size_t dash = from.find('-');
    const std::optional<long> first = ParseNumber(from.substr(0, dash), 1, kLargest);
    const std::optional<long> last =
        dash == std::string_view::npos ? first : ParseNumber(from.substr(dash + 1), 1, kLargest);
    const std::optional<long> target =
        to == kDeletedMark ? std::optional<long>(0) : ParseNumber(to, 1, kLargest);
    if (!first || !last || !target || *last < *first) return false;
    for (long n = *first; n <= *last; ++n) {
      moves.push_back({n, *target == 0 ? 0 : *target + (n - *first)});
    }
  }
  return true;
}

// "记-000005" -> code and number.
bool SplitTypeAndNumber(std::string_view text, std::string& code, long& number) {
  const std::size_t dash = text.rfind('-');
  if (dash == std::string_view::npos) return false;
  const std::optional<long> n = ParseNumber(text.substr(dash + 1), 0, kLargest);
  if (!n) return false;
  code = std::string(text.substr(0, dash));
  number = *n;
  return true;
}

// The save's entries: "新增凭证第2期 记-000005", "修改凭证第2期 记-000009(原凭证字号为记-000003)".
bool ParseSaveText(std::string_view text, std::string_view period, std::string_view type_code,
                   LedgerEvent& event) {
  namespace vt = voucher::texts;
  const bool is_new = text.starts_with(vt::kLogNew);
  const std::string_view head = is_new ? vt::kLogNew : vt::kLogModify;
  if (!is_new && !text.starts_with(head)) return false;
  text.remove_prefix(head.size());
  const std::string expected = std::string(period) + vt::kLogPeriod;
  if (!text.starts_with(expected)) return false;
  text.remove_prefix(expected.size());
  event.caption = std::string(head.substr(0, head.size() - std::string_view("第").size()));
  std::string code;
  long number = 0;
  if (is_new) {
    if (!SplitTypeAndNumber(text, code, number) || code != type_code) return false;
    event.from = 0;
    event.to = number;
    return true;
  }
  const std::size_t open = text.find(vt::kLogOld);
  if (open == std::string_view::npos || !text.ends_with(")")) return false;
  std::string old_code;
  long old_number = 0;
  const std::string_view old_text =
      text.substr(open + std::string_view(vt::kLogOld).size(),
                  text.size() - open - std::string_view(vt::kLogOld).size() - 1);
  if (!SplitTypeAndNumber(text.substr(0, open), code, number) ||
      !SplitTypeAndNumber(old_text, old_code, old_number)) {
    return false;
  }
  if (code == type_code && old_code == type_code) {
    if (number == old_number) return false;
    event.from = old_number;
    event.to = number;
  } else if (code == type_code) {
    event.from = 0;
    event.to = number;
  } else if (old_code == type_code) {
    event.from = old_number;
    event.to = 0;
    event.target = std::string(text.substr(0, open));
  } else {
    return false;
  }
  return true;
}

std::string Who(const LedgerEvent& e) {
  return "（" + e.when + " " + e.operator_name + "）";
}

}  // namespace

std::vector<std::string> LedgerTexts(std::string_view caption, const NumberScope& scope,
                                     std::string_view type_code, std::vector<NumberMove> moves) {
  std::sort(moves.begin(), moves.end(),
            [](const NumberMove& a, const NumberMove& b) { return a.from < b.from; });
  std::vector<std::string> tokens;
  for (std::size_t i = 0; i < moves.size();) {
    std::size_t j = i + 1;
    while (j < moves.size() && moves[j].from == moves[j - 1].from + 1 &&
           ((moves[j].to == 0 && moves[j - 1].to == 0) ||
            (moves[j].to != 0 && moves[j - 1].to != 0 && moves[j].to == moves[j - 1].to + 1))) {
      ++j;
    }
    std::string token = SqlNumber(moves[i].from);
    if (j - i > 1) token += "-" + SqlNumber(moves[j - 1].from);
    token += ">" + (moves[i].to == 0 ? std::string(kDeletedMark) : SqlNumber(moves[i].to));
    tokens.push_back(std::move(token));
    i = j;
  }
  const std::string prefix = Prefix(caption, scope, type_code);
  const int room = std::max(kLedgerRowWidth - frame::StrLen(prefix), 16);
  std::vector<std::string> texts;
  std::string row;
  for (const std::string& token : tokens) {
    if (!row.empty() && static_cast<int>(row.size() + 1 + token.size()) > room) {
      texts.push_back(prefix + row);
      row.clear();
    }
    row += (row.empty() ? "" : ",") + token;
  }
  if (!row.empty()) texts.push_back(prefix + row);
  return texts;
}

std::optional<LedgerEntry> ParseLedgerText(std::string_view text) {
  const std::size_t key = text.find(" #");
  const std::size_t caption_end = text.find(' ');
  if (key == std::string_view::npos) return std::nullopt;
  const std::size_t moves = text.find(' ', key + 2);
  if (moves == std::string_view::npos) return std::nullopt;
  LedgerEntry entry;
  entry.caption = std::string(text.substr(0, caption_end));
  if (entry.caption != kLedgerRenumber && entry.caption != kLedgerContinuity &&
      entry.caption != kLedgerDelete) {
    return std::nullopt;
  }
  if (!ParseKey(text.substr(key + 2, moves - key - 2), entry.scope) ||
      !ParseMoves(text.substr(moves + 1), entry.moves) || entry.moves.empty()) {
    return std::nullopt;
  }
  return entry;
}

void WriteLedger(std::string_view caption, const NumberScope& scope,
                 std::vector<NumberMove> moves) {
  if (moves.empty()) return;
  for (std::string& text :
       LedgerTexts(caption, scope, VoucherTypeCode(scope.voucher_type_id), std::move(moves))) {
    frame::WriteLog(frame::LogEntryNow(std::move(text)));
  }
}

void WriteDeleteLedger(const std::vector<long>& voucher_ids) {
  if (voucher_ids.empty()) return;
  const std::vector<std::int64_t> ids(voucher_ids.begin(), voucher_ids.end());
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select lngSourceOrganizationID,intYear,bytPeriod,lngVoucherTypeID,intVoucherNO From "
      "VoucherView Where " +
      frame::InCondition("lngVoucherID", ids) +
      " Order By lngSourceOrganizationID,intYear,bytPeriod,lngVoucherTypeID,intVoucherNO");
  using Key = std::tuple<long, int, int, long, long>;  // scope and number
  const auto key_of = [](const host::Recordset& r) {
    return Key{static_cast<long>(r["lngSourceOrganizationID"].AsLong()),
               static_cast<int>(r["intYear"].AsLong()), static_cast<int>(r["bytPeriod"].AsLong()),
               static_cast<long>(r["lngVoucherTypeID"].AsLong()),
               static_cast<long>(r["intVoucherNO"].AsLong())};
  };
  std::set<Key> freed;
  std::vector<std::int64_t> numbers;
  for (; !rs.Eof(); rs.MoveNext()) {
    if (rs["intVoucherNO"].AsLong() <= 0) continue;
    freed.insert(key_of(rs));
    numbers.push_back(rs["intVoucherNO"].AsLong());
  }
  if (freed.empty()) return;
  // A number another voucher keeps (the partner of a pair deleted on its own side) is not freed.
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  host::Recordset kept = frame::Data().OpenRecordset(
      "Select lngSourceOrganizationID,intYear,bytPeriod,lngVoucherTypeID,intVoucherNO From "
      "VoucherView Where " +
      frame::InCondition("intVoucherNO", numbers) + " And " +
      frame::NotInCondition("lngVoucherID", ids));
  for (; !kept.Eof(); kept.MoveNext()) freed.erase(key_of(kept));
  std::map<std::tuple<long, int, int, long>, std::vector<NumberMove>> scopes;
  for (const auto& [organization, year, period, type, number] : freed) {
    scopes[{organization, year, period, type}].push_back({number, 0});
  }
  for (auto& [key, moves] : scopes) {
    const auto& [organization, year, period, type] = key;
    WriteLedger(kLedgerDelete, {organization, year, period, type}, std::move(moves));
  }
}

std::vector<LedgerEvent> ReadLedger(const NumberScope& scope, std::string_view type_code) {
  namespace vt = voucher::texts;
  const std::string period = SqlNumber(scope.period);
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select l.lnglogid,l.strlog,l.strlogdate,l.strlogintime,l.lngOrganizationID,"
      "o.strOperatorName From log l,Operator o Where l.lngoperatorid=o.lngOperatorID(+) And "
      "(l.strlog Like " +
      SqlText("%" + Key(scope) + " %") + " Or l.strlog Like " +
      SqlText(vt::kLogNew + period + vt::kLogPeriod + std::string(type_code) + "-%") +
      " Or l.strlog Like " + SqlText(vt::kLogModify + period + vt::kLogPeriod + "%") +
      ") Order By l.lnglogid");
  std::vector<LedgerEvent> events;
  const std::string year = SqlNumber(scope.year);
  for (; !rs.Eof(); rs.MoveNext()) {
    LedgerEvent base;
    base.run = static_cast<long>(rs["lnglogid"].AsLong());
    base.when = rs["strlogdate"].AsText() + " " + rs["strlogintime"].AsText();
    base.operator_name = rs["strOperatorName"].AsText();
    const std::string text = rs["strlog"].AsText();
    if (const std::optional<LedgerEntry> entry = ParseLedgerText(text)) {
      const NumberScope& s = entry->scope;
      if (s.organization_id != scope.organization_id || s.year != scope.year ||
          s.period != scope.period || s.voucher_type_id != scope.voucher_type_id) {
        continue;
      }
      for (const NumberMove& move : entry->moves) {
        LedgerEvent e = base;
        e.caption = entry->caption;
        e.from = move.from;
        e.to = move.to;
        events.push_back(std::move(e));
      }
      continue;
    }
    if (rs["lngOrganizationID"].AsLong() != scope.organization_id ||
        !rs["strlogdate"].AsText().starts_with(year)) {
      continue;
    }
    if (ParseSaveText(text, period, type_code, base)) events.push_back(std::move(base));
  }
  return events;
}

std::vector<LedgerLine> ExplainNumbers(const std::vector<LedgerEvent>& events,
                                       std::string_view type_code, long first, long highest,
                                       const std::vector<NumberState>& present,
                                       const std::map<long, std::string>& void_texts) {
  // Within one log row the moves happen at once: a number it empties and fills is filled.
  struct Last {
    long order = -1;
    const LedgerEvent* event = nullptr;
  };
  std::map<long, Last> emptied;
  std::map<long, Last> filled;
  for (const LedgerEvent& e : events) {
    if (e.from > 0) emptied[e.from] = {2 * e.run, &e};
    if (e.to > 0) filled[e.to] = {2 * e.run + 1, &e};
  }
  auto last = [](const std::map<long, Last>& m, long n) {
    auto it = m.find(n);
    return it == m.end() ? Last{} : it->second;
  };
  const std::string code(type_code);
  auto number_text = [&code](long n) { return code + "-" + VoucherNoText(n); };
  std::vector<LedgerLine> lines;
  auto held = present.begin();
  for (long n = std::max(first, 1L); n <= highest; ++n) {
    while (held != present.end() && held->number < n) ++held;
    const bool in_use = held != present.end() && held->number == n;
    const Last out = last(emptied, n);
    const Last in = last(filled, n);
    if (in_use && held->is_void) {
      auto text = void_texts.find(n);
      lines.push_back({code, n, kStatusVoid,
                       text == void_texts.end() ? std::string(kStatusVoid) : text->second});
    } else if (!in_use) {
      std::string text = kNoRecord;
      if (out.event != nullptr && out.order > in.order) {
        const LedgerEvent& e = *out.event;
        if (!e.target.empty()) {
          text = e.caption + "：改为 " + e.target + Who(e);
        } else if (e.to == 0) {
          text = e.caption + Who(e);
        } else {
          text = e.caption + "：移至 " + number_text(e.to) + Who(e);
        }
      }
      lines.push_back({code, n, kStatusMissing, std::move(text)});
    } else if (in.event != nullptr && in.event->from > 0 && in.event->from != n &&
               in.order > out.order) {
      lines.push_back(
          {code, n, kStatusMovedIn,
           in.event->caption + "：由 " + number_text(in.event->from) + " 移来" + Who(*in.event)});
    }
  }
  return lines;
}

std::vector<LedgerLine> ExplainNumbers(const NumberScope& scope, std::string_view source,
                                       std::string_view type_code, long first, long highest,
                                       const std::vector<NumberState>& present) {
  std::map<long, std::string> void_texts;
  if (std::any_of(present.begin(), present.end(), [](const NumberState& s) { return s.is_void; })) {
    host::Recordset rs = frame::Data().OpenRecordset(
        "Select v.intVoucherNO,v.strDate,o.strOperatorName From " + std::string(source) +
        " v,Operator o Where v.lngOperatorID=o.lngOperatorID(+) And v.blnIsVoid=1 And "
        "v.lngSourceOrganizationID=" +
        SqlNumber(scope.organization_id) +
        " And v.lngVoucherTypeID=" + SqlNumber(scope.voucher_type_id) +
        " And v.intYear=" + SqlNumber(scope.year) + " And v.bytPeriod=" + SqlNumber(scope.period));
    for (; !rs.Eof(); rs.MoveNext()) {
      void_texts[static_cast<long>(rs["intVoucherNO"].AsLong())] =
          "凭证已作废（制单人 " + rs["strOperatorName"].AsText() + "，日期 " +
          rs["strDate"].AsText() + "）";
    }
  }
  return ExplainNumbers(ReadLedger(scope, type_code), type_code, first, highest, present,
                        void_texts);
}

}  // namespace lumvoucher::numbering
