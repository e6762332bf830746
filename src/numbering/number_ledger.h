#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numbering/numbering_basis.h"

namespace lumvoucher::numbering {

// The number ledger: why a number of the number report is missing, void or holds a voucher
// that came from elsewhere, read from the operation log (table log).
//
// The renumbering, the continuity run and the voucher deletes write ledger entries, one log row
// per scope and run (more when the moves do not fit one row of kLedgerRowWidth):
//
//   <caption> <yyyy>年<pp>期 <type code> #o<organisation>y<year>p<period>t<type> <moves>
//
//   caption  "编号整理", "凭证连号处理" or "删除凭证"
//   moves    comma-separated, ascending by former number:
//              a>b     the voucher numbered a now has number b
//              a-c>b   the vouchers a, a+1 .. c now have b, b+1 .. b+(c-a)
//              a>x     the voucher numbered a was deleted
//   example  "编号整理 2026年02期 记 #o1y2026p2t1 5-6>3,9>5"
//
// The save's entries keep the system's text ("新增凭证第2期 记-000005", "修改凭证第2期
// 记-000009(原凭证字号为记-000003)"); the ledger reads them for the period they name, in the
// year of the log date and for the organisation of the log row, since they carry neither.
inline constexpr const char* kLedgerRenumber = "编号整理";
inline constexpr const char* kLedgerContinuity = "凭证连号处理";
inline constexpr const char* kLedgerDelete = "删除凭证";
inline constexpr int kLedgerRowWidth = 1000;

// A number that changed in a run: `to` 0 means the voucher was deleted.
struct NumberMove {
  long from = 0;
  long to = 0;
  bool operator==(const NumberMove&) const = default;
};

// The strlog texts of one run's moves (empty when nothing moved).
std::vector<std::string> LedgerTexts(std::string_view caption, const NumberScope& scope,
                                     std::string_view type_code, std::vector<NumberMove> moves);

struct LedgerEntry {
  std::string caption;
  NumberScope scope;
  std::vector<NumberMove> moves;
};
// A ledger entry back from its text; nullopt for any other log text.
std::optional<LedgerEntry> ParseLedgerText(std::string_view text);

// Writes the run's entries through the log writer, inside the caller's transaction.
void WriteLedger(std::string_view caption, const NumberScope& scope, std::vector<NumberMove> moves);
// Ledger entries of deleted vouchers of either basis, read before they go, one per scope.
void WriteDeleteLedger(const std::vector<long>& voucher_ids);

// One event of a scope's ledger, oldest first.
struct LedgerEvent {
  long run = 0;         // the log row: moves of one row happen at once
  std::string caption;  // the ledger captions, "新增凭证" or "修改凭证"
  std::string when;     // "yyyy-mm-dd hh:mm:ss"
  std::string operator_name;
  long from = 0;       // 0: the number was newly taken
  long to = 0;         // 0: the voucher left the scope (deleted, or `target`)
  std::string target;  // a save that gave the voucher another type: its new type and number
};
std::vector<LedgerEvent> ReadLedger(const NumberScope& scope, std::string_view type_code);

// The explanation of one number of the report.
struct LedgerLine {
  std::string type_code;
  long number = 0;
  std::string status;  // "缺号", "作废" or "移入"
  std::string text;
};
struct NumberState {
  long number = 0;
  bool is_void = false;
};
// Explains, for the numbers first .. highest of a scope: each missing number by the last event
// that took its voucher away, each void number by the voucher, and each number whose voucher
// came from another number by that move. `present` holds the numbers in use (ascending) and
// whether each is void; `source` is the table or view the report read.
std::vector<LedgerLine> ExplainNumbers(const NumberScope& scope, std::string_view source,
                                       std::string_view type_code, long first, long highest,
                                       const std::vector<NumberState>& present);
// The same from events already read; `void_texts` explains void numbers (by number).
std::vector<LedgerLine> ExplainNumbers(const std::vector<LedgerEvent>& events,
                                       std::string_view type_code, long first, long highest,
                                       const std::vector<NumberState>& present,
                                       const std::map<long, std::string>& void_texts);

}  // namespace lumvoucher::numbering
