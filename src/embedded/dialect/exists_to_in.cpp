#include "embedded/dialect/exists_to_in.h"

#include <string>
#include <utility>
#include <vector>

#include "embedded/dialect/conjunction.h"
#include "embedded/dialect/nesting.h"
#include "embedded/dialect/tokenizer.h"

namespace lumvoucher::dialect {

namespace {

// Each recursion takes its depth, so that no input walks the stack out.
void RewriteQuery(Query& q, int depth);
void RewriteExpr(Expr* e, int depth);

enum class Scope { kInner, kOuter, kUnsure };

// Which level a qualified column belongs to, seen from a select whose FROM is `from`. Quoted
// and unquoted spellings that might name the same table leave it unsure.
Scope ScopeOf(const Expr& column, const std::vector<TableRef>& from) {
  if (column.kind != ExprKind::kColumn || column.join_mark || column.names.size() < 2) {
    return Scope::kUnsure;
  }
  const std::size_t at = column.names.size() - 2;
  const std::string& qualifier = column.names[at];
  const bool quoted = column.quoted[at];
  bool near = false;
  for (const TableRef& ref : from) {
    const bool by_alias = !ref.alias.empty();
    if (!by_alias && ref.subquery) continue;
    const std::string& name = by_alias ? ref.alias : ref.name;
    const bool name_quoted = by_alias ? ref.alias_quoted : ref.quoted;
    if (!EqualsIgnoreCase(name, qualifier)) continue;
    if (quoted == name_quoted && (!quoted || name == qualifier)) return Scope::kInner;
    near = true;
  }
  return near ? Scope::kUnsure : Scope::kOuter;
}

// A select list that EXISTS ignores: constants, NULL, *, plain columns (no aggregate, which
// would make one row of no rows).
bool IgnorableItems(const Select& s) {
  for (const SelectItem& item : s.items) {
    const ExprKind k = item.expr->kind;
    if (k != ExprKind::kLiteral && k != ExprKind::kNull && k != ExprKind::kStar &&
        k != ExprKind::kColumn) {
      return false;
    }
  }
  return true;
}

// The IN form of `exists`, or nullptr when it has no single correlating equality.
ExprPtr AsIn(Expr& exists) {
  if (exists.kind != ExprKind::kExists || exists.negated || !exists.query) return nullptr;
  Query& q = *exists.query;
  if (q.selects.size() != 1 || !q.order_by.empty()) return nullptr;
  Select& s = *q.selects.front();
  if (!s.where || !s.group_by.empty() || s.having || !s.chain.empty() || !IgnorableItems(s)) {
    return nullptr;
  }
  std::vector<ExprPtr> terms;
  SplitAnd(std::move(s.where), terms);
  std::size_t found = terms.size();
  bool inner_left = false;
  for (std::size_t i = 0; i < terms.size() && found == terms.size(); ++i) {
    const Expr& t = *terms[i];
    if (t.kind != ExprKind::kBinary || t.op != "=") continue;
    const Scope left = ScopeOf(*t.args[0], s.from);
    const Scope right = ScopeOf(*t.args[1], s.from);
    if (left == Scope::kInner && right == Scope::kOuter) {
      found = i;
      inner_left = true;
    } else if (left == Scope::kOuter && right == Scope::kInner) {
      found = i;
    }
  }
  if (found == terms.size()) {
    s.where = JoinAnd(std::move(terms));
    return nullptr;
  }
  ExprPtr equality = std::move(terms[found]);
  terms.erase(terms.begin() + static_cast<std::ptrdiff_t>(found));
  s.where = JoinAnd(std::move(terms));
  ExprPtr inner = std::move(equality->args[inner_left ? 0 : 1]);
  ExprPtr outer = std::move(equality->args[inner_left ? 1 : 0]);
  s.items.clear();
  SelectItem item;
  item.spelling = inner->names.back();
  item.expr = std::move(inner);
  s.items.push_back(std::move(item));
  auto in = std::make_unique<Expr>();
  in->kind = ExprKind::kIn;
  in->offset = exists.offset;
  in->args.push_back(std::move(outer));
  in->query = std::move(exists.query);
  return in;
}

// The top-level AND terms of a WHERE, in place.
void RewriteWhereTerms(ExprPtr& e, int depth) {
  if (!e) return;
  if (e->kind == ExprKind::kBinary && e->op == "AND") {
    CheckWalkDepth(depth, e->offset);
    RewriteWhereTerms(e->args[0], depth + 1);
    RewriteWhereTerms(e->args[1], depth + 1);
    return;
  }
  if (ExprPtr in = AsIn(*e)) e = std::move(in);
}

void RewriteExpr(Expr* e, int depth) {
  if (!e) return;
  CheckWalkDepth(depth, e->offset);
  for (auto& arg : e->args) RewriteExpr(arg.get(), depth + 1);
  if (e->query) RewriteQuery(*e->query, depth + 1);
}

void RewriteWhere(ExprPtr& where, int depth) {
  RewriteWhereTerms(where, depth);
  RewriteExpr(where.get(), depth);
}

void RewriteQuery(Query& q, int depth) {
  CheckWalkDepth(depth, q.selects.front()->offset);
  for (auto& s : q.selects) {
    for (SelectItem& item : s->items) RewriteExpr(item.expr.get(), depth + 1);
    for (TableRef& ref : s->from) {
      if (ref.subquery) RewriteQuery(*ref.subquery, depth + 1);
    }
    RewriteWhere(s->where, depth + 1);
    for (auto& g : s->group_by) RewriteExpr(g.get(), depth + 1);
    RewriteExpr(s->having.get(), depth + 1);
  }
  for (OrderItem& item : q.order_by) RewriteExpr(item.expr.get(), depth + 1);
}

}  // namespace

void RewriteCorrelatedExists(Statement& statement) {
  if (statement.query) RewriteQuery(*statement.query, 0);
  for (auto& value : statement.values) RewriteExpr(value.get(), 0);
  for (Assignment& set : statement.sets) RewriteExpr(set.value.get(), 0);
  RewriteWhere(statement.where, 0);
}

}  // namespace lumvoucher::dialect
