#include "embedded/dialect/expression_types.h"

#include <string>
#include <unordered_map>
#include <utility>

#include "embedded/dialect/nesting.h"

namespace lumvoucher::dialect {

namespace {

bool IsDual(const TableRef& ref) {
  return !ref.subquery && !ref.quoted && EqualsIgnoreCase(ref.name, "DUAL");
}

// What a function returns: a fixed type, or the type of one of its arguments.
struct Returns {
  ValueType type;
  int argument = -1;  // >= 0: the type of this argument instead
};

const std::unordered_map<std::string, Returns>& FunctionTypes() {
  static const std::unordered_map<std::string, Returns> types = {
      {"TO_CHAR", {ValueType::kText}},
      {"TO_DATE", {ValueType::kText}},
      {"SUBSTR", {ValueType::kText}},
      {"SUBSTRB", {ValueType::kText}},
      {"LPAD", {ValueType::kText}},
      {"RPAD", {ValueType::kText}},
      {"UPPER", {ValueType::kText}},
      {"LOWER", {ValueType::kText}},
      {"REPLACE", {ValueType::kText}},
      {"LTRIM", {ValueType::kText}},
      {"RTRIM", {ValueType::kText}},
      {"TRIM", {ValueType::kText}},
      {"FLEXID2CODEORNAME", {ValueType::kText}},
      {"TO_NUMBER", {ValueType::kNumber}},
      {"ABS", {ValueType::kNumber}},
      {"MOD", {ValueType::kNumber}},
      {"CEIL", {ValueType::kNumber}},
      {"FLOOR", {ValueType::kNumber}},
      {"AVG", {ValueType::kNumber}},
      {"SIGN", {ValueType::kInteger}},
      {"LENGTH", {ValueType::kInteger}},
      {"LENGTHB", {ValueType::kInteger}},
      {"INSTR", {ValueType::kInteger}},
      {"COUNT", {ValueType::kInteger}},
      {"NVL", {ValueType::kUnknown, 0}},
      {"COALESCE", {ValueType::kUnknown, 0}},
      {"NULLIF", {ValueType::kUnknown, 0}},
      {"GREATEST", {ValueType::kUnknown, 0}},
      {"LEAST", {ValueType::kUnknown, 0}},
      {"MAX", {ValueType::kUnknown, 0}},
      {"MIN", {ValueType::kUnknown, 0}},
      {"SUM", {ValueType::kUnknown, 0}},
      {"NVL2", {ValueType::kUnknown, 1}},
      {"DECODE", {ValueType::kUnknown, 2}},
  };
  return types;
}

}  // namespace

ExpressionTypes::Level::Level(ExpressionTypes& types, const std::vector<TableRef>& from)
    : types_(types) {
  types_.scopes_.push_back({&from, {}, {}});
}

ExpressionTypes::Level::Level(ExpressionTypes& types, std::string_view table,
                              std::string_view alias)
    : types_(types) {
  types_.scopes_.push_back({nullptr, table, alias});
}

ValueType ExpressionTypes::Of(const Expr& e) {
  DepthGuard guard(depth_, kMaxWalkDepth, e.offset);
  switch (e.kind) {
    case ExprKind::kLiteral:
      if (e.is_text) return ValueType::kText;
      return lexed_.literals[static_cast<std::size_t>(e.literal)].kind == Literal::Kind::kInteger
                 ? ValueType::kInteger
                 : ValueType::kNumber;
    case ExprKind::kColumn:
      return OfColumn(e);
    case ExprKind::kUnary: {
      if (e.op == "NOT") return ValueType::kUnknown;
      const ValueType operand = Of(*e.args[0]);
      return IsNumeric(operand) ? operand : ValueType::kNumber;
    }
    case ExprKind::kBinary:
      if (e.op == "||") return ValueType::kText;
      if (e.op == "+" || e.op == "-" || e.op == "*") {
        return Of(*e.args[0]) == ValueType::kInteger && Of(*e.args[1]) == ValueType::kInteger
                   ? ValueType::kInteger
                   : ValueType::kNumber;
      }
      return e.op == "/" ? ValueType::kNumber : ValueType::kUnknown;
    case ExprKind::kFunction:
      return OfFunction(e);
    case ExprKind::kCase:
      return Of(*e.args[e.has_operand ? 2 : 1]);
    case ExprKind::kSubquery:
      return OfFirstItem(*e.query);
    case ExprKind::kSequence:
      return ValueType::kInteger;
    case ExprKind::kClock:
      return ValueType::kText;
    default:
      return ValueType::kUnknown;
  }
}

ValueType ExpressionTypes::OfFunction(const Expr& call) {
  if (call.star) return ValueType::kInteger;  // COUNT(*)
  auto found = FunctionTypes().find(ToUpper(call.op));
  if (found == FunctionTypes().end()) return ValueType::kUnknown;
  const Returns& returns = found->second;
  if (returns.argument < 0) return returns.type;
  const auto at = static_cast<std::size_t>(returns.argument);
  if (at >= call.args.size()) return ValueType::kUnknown;
  const ValueType type = Of(*call.args[at]);
  // NVL(x, 0) over a column of unknown type: the default tells.
  if (type == ValueType::kUnknown && call.args.size() > 1 && at == 0 && ToUpper(call.op) == "NVL") {
    return Of(*call.args[1]);
  }
  return type;
}

ValueType ExpressionTypes::OfFirstItem(const Query& query) {
  const Select& select = *query.selects.front();
  if (select.items.empty() || select.items.front().expr->kind == ExprKind::kStar) {
    return ValueType::kUnknown;
  }
  Level level(*this, select.from);
  return Of(*select.items.front().expr);
}

ValueType ExpressionTypes::OfColumn(const Expr& column) {
  const std::string_view name = column.names.back();
  if (column.names.size() >= 2) {
    const std::string_view qualifier = column.names[column.names.size() - 2];
    for (auto scope = scopes_.rbegin(); scope != scopes_.rend(); ++scope) {
      if (!scope->from) {
        if (EqualsIgnoreCase(scope->alias.empty() ? scope->table : scope->alias, qualifier)) {
          return InTable(scope->table, name).value_or(ValueType::kUnknown);
        }
        continue;
      }
      for (const TableRef& ref : *scope->from) {
        if (EqualsIgnoreCase(ref.alias.empty() ? ref.name : ref.alias, qualifier)) {
          return InTable(ref, name).value_or(ValueType::kUnknown);
        }
      }
    }
    return ValueType::kUnknown;
  }
  for (auto scope = scopes_.rbegin(); scope != scopes_.rend(); ++scope) {
    if (!scope->from) {
      if (auto type = InTable(scope->table, name)) return *type;
      continue;
    }
    std::optional<ValueType> found;
    int tables = 0;
    for (const TableRef& ref : *scope->from) {
      if (auto type = InTable(ref, name)) {
        found = type;
        ++tables;
      }
    }
    if (tables == 1) return *found;
    if (tables > 1) return ValueType::kUnknown;  // ambiguous: SQLite will say so
  }
  return ValueType::kUnknown;
}

std::optional<ValueType> ExpressionTypes::InTable(const TableRef& ref, std::string_view column) {
  if (ref.subquery) return InView(*ref.subquery, column);
  if (IsDual(ref)) return std::nullopt;
  return InTable(ref.name, column);
}

std::optional<ValueType> ExpressionTypes::InTable(std::string_view table, std::string_view column) {
  if (!columns_) return std::nullopt;
  return columns_->Find(table, column);
}

// A column of an inline view: its select item of that name, typed inside the view (which sees
// no outer level).
std::optional<ValueType> ExpressionTypes::InView(const Query& view, std::string_view column) {
  const auto key = std::make_pair(&view, ToUpper(column));
  if (auto known = views_.find(key); known != views_.end()) return known->second;
  std::optional<ValueType> type = ViewColumn(view, column);
  views_.emplace(key, type);
  return type;
}

std::optional<ValueType> ExpressionTypes::ViewColumn(const Query& view, std::string_view column) {
  struct Isolated {
    explicit Isolated(std::vector<Scope>& scopes) : scopes_(scopes) { saved_.swap(scopes_); }
    ~Isolated() { saved_.swap(scopes_); }
    std::vector<Scope>& scopes_;
    std::vector<Scope> saved_;
  } isolated(scopes_);
  const Select& select = *view.selects.front();
  Level level(*this, select.from);
  for (const SelectItem& item : select.items) {
    const Expr& e = *item.expr;
    if (!item.alias.empty()
            ? EqualsIgnoreCase(item.alias, column)
            : e.kind == ExprKind::kColumn && EqualsIgnoreCase(e.names.back(), column)) {
      return Of(e);
    }
    if (e.kind == ExprKind::kStar) {
      Expr named;
      named.kind = ExprKind::kColumn;
      named.offset = e.offset;
      named.names = e.names;
      named.names.emplace_back(column);
      if (ValueType type = OfColumn(named); type != ValueType::kUnknown) return type;
    }
  }
  return std::nullopt;
}

}  // namespace lumvoucher::dialect
