#include "embedded/dialect/outer_join.h"

#include <algorithm>
#include <string>
#include <vector>

#include "embedded/dialect/conjunction.h"
#include "embedded/dialect/nesting.h"
#include "embedded/dialect/tokenizer.h"
#include "embedded/dialect/translate_error.h"

namespace lumvoucher::dialect {

namespace {

struct TermInfo {
  std::vector<Expr*> marked;
  std::vector<Expr*> unmarked;
  const Expr* under_or = nullptr;  // a mark below OR or IN
  const Expr* subquery = nullptr;
};

// Columns of this query level only: sub-queries keep their own marks.
void Collect(Expr* e, TermInfo& info, bool under_or, int depth) {
  if (!e) return;
  CheckWalkDepth(depth, e->offset);
  switch (e->kind) {
    case ExprKind::kColumn:
      if (e->join_mark) {
        info.marked.push_back(e);
        if (under_or && !info.under_or) info.under_or = e;
      } else {
        info.unmarked.push_back(e);
      }
      return;
    case ExprKind::kSubquery:
    case ExprKind::kExists:
      if (!info.subquery) info.subquery = e;
      return;
    case ExprKind::kIn:
      if (e->query && !info.subquery) info.subquery = e;
      for (auto& a : e->args) Collect(a.get(), info, true, depth + 1);
      return;
    case ExprKind::kBinary:
      for (auto& a : e->args) Collect(a.get(), info, under_or || e->op == "OR", depth + 1);
      return;
    default:
      for (auto& a : e->args) Collect(a.get(), info, under_or, depth + 1);
  }
}

void ClearMarks(Expr* e, int depth) {
  if (!e) return;
  CheckWalkDepth(depth, e->offset);
  e->join_mark = false;
  for (auto& a : e->args) ClearMarks(a.get(), depth + 1);
}

bool HasMark(const Expr* e, int depth) {
  if (!e) return false;
  CheckWalkDepth(depth, e->offset);
  if (e->join_mark) return true;
  for (const auto& a : e->args) {
    if (HasMark(a.get(), depth + 1)) return true;
  }
  return false;
}

const std::string& KeyOf(const TableRef& ref) {
  return ref.alias.empty() ? ref.name : ref.alias;
}

// FROM index of a qualified column, or -1 for a column of an outer level; -2 when unqualified.
int TableOf(const Select& select, const Expr& column) {
  if (column.names.size() < 2) return -2;
  const std::string& qualifier = column.names[column.names.size() - 2];
  for (std::size_t i = 0; i < select.from.size(); ++i) {
    if (EqualsIgnoreCase(KeyOf(select.from[i]), qualifier)) return static_cast<int>(i);
  }
  for (std::size_t i = 0; i < select.from.size(); ++i) {
    if (EqualsIgnoreCase(select.from[i].name, qualifier)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

void ResolveOuterJoins(Select& select) {
  if (!HasMark(select.where.get(), 0)) return;
  std::vector<ExprPtr> terms;
  SplitAnd(std::move(select.where), terms);
  const std::size_t table_count = select.from.size();

  struct Optional {
    bool optional = false;
    std::vector<std::size_t> deps;
    bool depends_on_all = false;  // an unqualified column: after every inner table
    std::vector<ExprPtr> on;
  };
  std::vector<Optional> tables(table_count);
  std::vector<ExprPtr> rest;

  for (auto& term : terms) {
    TermInfo info;
    Collect(term.get(), info, false, 0);
    if (info.marked.empty()) {
      rest.push_back(std::move(term));
      continue;
    }
    if (info.under_or) {
      Refused("ORA-01719: outer join operator (+) not allowed in operand of OR or IN",
              info.under_or->offset);
    }
    if (info.subquery) {
      Refused("ORA-01799: a column may not be outer-joined to a subquery", info.subquery->offset);
    }
    int optional = -3;
    for (Expr* column : info.marked) {
      int table = TableOf(select, *column);
      if (table == -2) {
        if (table_count != 1) {
          Unsupported("(+) on a column without its table's name", column->offset);
        }
        table = 0;
      }
      if (table == -1) {
        Refused("ORA-00904: \"" + ToUpper(column->names[column->names.size() - 2]) +
                    "\": invalid identifier",
                column->offset);
      }
      if (optional != -3 && optional != table) {
        Refused("ORA-01468: a predicate may reference only one outer-joined table", column->offset);
      }
      optional = table;
    }
    Optional& target = tables[static_cast<std::size_t>(optional)];
    target.optional = true;
    for (Expr* column : info.unmarked) {
      int table = TableOf(select, *column);
      if (table == -2) {
        target.depends_on_all = true;
      } else if (table >= 0 && table != optional) {
        target.deps.push_back(static_cast<std::size_t>(table));
      }
    }
    ClearMarks(term.get(), 0);
    target.on.push_back(std::move(term));
  }

  // Earliest ready table first; an optional table is ready once every table its ON names is
  // placed and at least one table precedes it.
  std::vector<bool> placed(table_count, false);
  std::size_t placed_count = 0;
  std::vector<JoinStep> chain;
  while (placed_count < table_count) {
    int pick = -1;
    for (std::size_t i = 0; i < table_count && pick < 0; ++i) {
      if (placed[i]) continue;
      const Optional& t = tables[i];
      if (!t.optional) {
        pick = static_cast<int>(i);
        break;
      }
      if (placed_count == 0) continue;
      bool ready =
          std::all_of(t.deps.begin(), t.deps.end(), [&](std::size_t d) { return placed[d]; });
      if (ready && t.depends_on_all) {
        for (std::size_t j = 0; j < table_count; ++j) {
          if (!tables[j].optional && !placed[j]) ready = false;
        }
      }
      if (ready) pick = static_cast<int>(i);
    }
    if (pick < 0 && placed_count == 0) {
      // Every table is optional and none depends on another: with nothing to join to, Oracle
      // applies the terms as plain filters on the first one.
      for (std::size_t i = 0; i < table_count; ++i) {
        if (tables[i].deps.empty() && !tables[i].depends_on_all) {
          pick = static_cast<int>(i);
          for (auto& term : tables[i].on) rest.push_back(std::move(term));
          tables[i].on.clear();
          tables[i].optional = false;
          break;
        }
      }
    }
    if (pick < 0) {
      Refused("ORA-01416: two tables cannot be outer-joined to each other", select.offset);
    }
    const std::size_t p = static_cast<std::size_t>(pick);
    placed[p] = true;
    ++placed_count;
    JoinStep step;
    step.table = p;
    step.outer = tables[p].optional;
    step.on = std::move(tables[p].on);
    chain.push_back(std::move(step));
  }
  select.chain = std::move(chain);
  select.where = JoinAnd(std::move(rest));
}

}  // namespace lumvoucher::dialect
