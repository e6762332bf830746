#include "host/read_scope.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "host/ascii.h"

namespace lumvoucher::host {

namespace {

// A query's text with its hash, computed once for the three maps it is looked up in: the texts
// are long (an account look-up is ~700 characters) and asked ~30 times a save.
struct HashedText {
  std::string_view text;
  std::size_t hash;
};

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
  std::size_t operator()(const HashedText& text) const { return text.hash; }
};

struct TextEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return a == b; }
  bool operator()(const HashedText& a, std::string_view b) const { return a.text == b; }
  bool operator()(std::string_view a, const HashedText& b) const { return a == b.text; }
};

template <typename T>
using ByText = std::unordered_map<std::string, T, TextHash, TextEqual>;

}  // namespace

struct ReadSnapshots::Remembered {
  int scopes = 0;
  std::uint64_t command = 0;  // counts outermost scopes

  // OpenRemembered's: one command's, while the ReadEpoch stays.
  std::uint64_t epoch = 0;
  ByText<Recordset> rows;  // by the query's text

  // The slowly changing tables' rows, across commands: they belong to `stamp`. The stamp is
  // read before the rows it guards, so a change another desktop commits in between only makes
  // them fresher than their stamp says; the next command's stamp then differs and they go.
  // Rows read in a transaction after its stamp moved are not kept: they may be its own
  // uncommitted change, and a rollback hands that stamp value back for another transaction to
  // reuse.
  std::uint64_t checked_command = 0;
  std::uint64_t checked_epoch = 0;
  enum class Stamp { kUnknown, kPresent, kAbsent } table = Stamp::kUnknown;
  std::string stamp;
  ByText<Recordset> kept;
  // OnlySlowlyChanging's answer by text, which never goes stale: reading a text's table names
  // each time cost a save's checks more than the rows they are answered from.
  ByText<bool> verdicts;
};

ReadSnapshots* DataAccess::Snapshots() {
  return dynamic_cast<ReadSnapshots*>(this);
}

ReadSnapshots::ReadSnapshots() : remembered_(std::make_unique<Remembered>()) {}
ReadSnapshots::~ReadSnapshots() = default;

// Whether the account set has a stamp is asked again too: a rollback may take back its creation.
void ReadSnapshots::ForgetSlowlyChanging() {
  remembered_->kept.clear();
  remembered_->stamp.clear();
  remembered_->table = Remembered::Stamp::kUnknown;
}

ReadScope::ReadScope(DataAccess& data) : snapshots_(data.Snapshots()) {
  if (snapshots_ == nullptr) return;
  snapshots_->BeginReads();
  if (snapshots_->Memory().scopes++ == 0) ++snapshots_->Memory().command;
}

ReadScope::~ReadScope() {
  if (snapshots_ == nullptr) return;
  ReadSnapshots::Remembered& m = snapshots_->Memory();
  if (--m.scopes == 0) m.rows.clear();
  snapshots_->EndReads();
}

namespace {

// A bound on what a connection keeps: a command asks a few dozen texts, a long session many
// more accounts and dates.
constexpr std::size_t kMostKept = 4096;

ReadSnapshots* InScope(DataAccess& data) {
  ReadSnapshots* snapshots = data.Snapshots();
  if (snapshots == nullptr || snapshots->Memory().scopes == 0 || snapshots->ReadEpoch() == 0) {
    return nullptr;
  }
  return snapshots;
}

Recordset Remember(DataAccess& data, ByText<Recordset>& memory, const ReadSnapshots& snapshots,
                   const HashedText& key) {
  auto found = memory.find(key);
  if (found != memory.end()) return found->second;
  const std::uint64_t epoch = snapshots.ReadEpoch();
  Recordset rows = data.OpenRecordset(key.text);
  // A query that wrote (a sequence's NEXTVAL) keeps nothing.
  if (snapshots.ReadEpoch() == epoch) {
    if (memory.size() >= kMostKept) memory.clear();
    memory.emplace(std::string(key.text), rows);
  }
  return rows;
}

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

void SkipBlanks(std::string_view text, std::size_t& at) {
  while (at < text.size() &&
         (text[at] == ' ' || text[at] == '\n' || text[at] == '\t' || text[at] == '\r')) {
    ++at;
  }
}

// The word at `at` after any blanks, empty when none starts there; `at` moves past it.
std::string_view NextWord(std::string_view text, std::size_t& at) {
  SkipBlanks(text, at);
  const std::size_t start = at;
  while (at < text.size() && IsWordChar(text[at])) ++at;
  return text.substr(start, at - start);
}

constexpr std::string_view kSlowlyChanging[] = {
    "SETTING",     "MODULE",        "ACCOUNT",   "ACCOUNTEX",   "BUDGETACCOUNT", "BUDGETACCOUNTEX",
    "ACCOUNTYEAR", "ACCOUNTPERIOD", "CURRENCYS", "VOUCHERTYPE", "VOUCHERTYPEEX", "TEMPLATE"};

bool IsSlowlyChanging(std::string_view upper_name) {
  return std::find(std::begin(kSlowlyChanging), std::end(kSlowlyChanging), upper_name) !=
         std::end(kSlowlyChanging);
}

// Whether every table the text reads (after FROM or JOIN, and the comma lists of a FROM) is one
// of those whose changes move the stamp. Anything it cannot read as a table name (an inline
// view, a word in a literal) makes it answer no, which only costs the query its memory.
bool OnlySlowlyChanging(std::string_view sql) {
  const std::string text = AsciiUpper(sql);
  std::size_t at = 0;
  const auto word = [&] { return NextWord(text, at); };
  bool any = false;
  while (at < text.size()) {
    const std::string_view w = word();
    if (w.empty()) {
      ++at;
      continue;
    }
    if (w != "FROM" && w != "JOIN") continue;
    for (bool more = true; more;) {
      const std::string_view table = word();
      if (!IsSlowlyChanging(table)) return false;
      any = true;
      // An alias, or the next clause's word, which is no table either.
      const std::size_t after_table = at;
      if (word() == "JOIN") at = after_table;
      SkipBlanks(text, at);
      more = at < text.size() && text[at] == ',';
      if (more) ++at;
    }
  }
  return any;
}

// Whether the kept rows may still answer; reads the stamp. An account set made before the stamp
// existed has no `ChangeStamp`: there they last one SlowlyChangingEpoch of one command.
void Recheck(DataAccess& data, ReadSnapshots::Remembered& m, std::uint64_t epoch) {
  using Stamp = ReadSnapshots::Remembered::Stamp;
  m.checked_command = m.command;
  m.checked_epoch = epoch;
  if (m.table == Stamp::kUnknown) {
    const Recordset tables = data.OpenRecordset(
        "Select Count(*) As n From user_all_tables Where table_name = 'CHANGESTAMP'");
    m.table = tables["n"].AsLong() > 0 ? Stamp::kPresent : Stamp::kAbsent;
  }
  if (m.table == Stamp::kAbsent) {
    m.kept.clear();
    return;
  }
  const Recordset rs = data.OpenRecordset("Select lngStamp From ChangeStamp");
  const std::string stamp = rs.Empty() ? std::string() : rs["lngStamp"].AsText();
  if (stamp != m.stamp || stamp.empty()) {
    m.kept.clear();
    // A stamp moved inside a transaction may be this transaction's own.
    m.stamp = data.TransactionDepth() > 0 ? std::string() : stamp;
  }
}

}  // namespace

Recordset OpenRemembered(DataAccess& data, std::string_view sql) {
  ReadSnapshots* snapshots = InScope(data);
  if (snapshots == nullptr) return data.OpenRecordset(sql);
  ReadSnapshots::Remembered& m = snapshots->Memory();
  const HashedText key{sql, TextHash{}(sql)};
  auto verdict = m.verdicts.find(key);
  if (verdict == m.verdicts.end()) {
    if (m.verdicts.size() >= kMostKept) m.verdicts.clear();
    verdict = m.verdicts.emplace(std::string(sql), OnlySlowlyChanging(sql)).first;
  }
  if (verdict->second) {
    const std::uint64_t slow = snapshots->SlowlyChangingEpoch();
    if (m.checked_command != m.command || m.checked_epoch != slow) Recheck(data, m, slow);
    // In a transaction that moved the stamp the rows may be its own: they last this epoch.
    if (!m.stamp.empty() || data.TransactionDepth() == 0) {
      return Remember(data, m.kept, *snapshots, key);
    }
  }
  if (m.epoch != snapshots->ReadEpoch()) {
    m.rows.clear();
    m.epoch = snapshots->ReadEpoch();
  }
  return Remember(data, m.rows, *snapshots, key);
}

// Asked for every write: the words are compared in place, not upper-cased copies.
bool MayChangeSlowlyChanging(std::string_view sql) {
  std::size_t at = 0;
  const auto word = [&] { return NextWord(sql, at); };
  const std::string_view verb = word();
  std::string_view table = word();
  if (EqualsIgnoreCase(verb, "INSERT") && EqualsIgnoreCase(table, "INTO")) {
    table = word();
  } else if (EqualsIgnoreCase(verb, "DELETE") && EqualsIgnoreCase(table, "FROM")) {
    table = word();
  } else if (!EqualsIgnoreCase(verb, "UPDATE") && !EqualsIgnoreCase(verb, "DELETE")) {
    return true;
  }
  // A qualified or quoted name is not read: it may be one of them.
  return table.empty() || (at < sql.size() && (sql[at] == '.' || sql[at] == '"')) ||
         std::any_of(std::begin(kSlowlyChanging), std::end(kSlowlyChanging),
                     [table](std::string_view name) { return EqualsIgnoreCase(name, table); });
}

}  // namespace lumvoucher::host
