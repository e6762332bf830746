#include "embedded/dialect/emitter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "embedded/dialect/exists_to_in.h"
#include "embedded/dialect/expression_types.h"
#include "embedded/dialect/nesting.h"
#include "embedded/dialect/outer_join.h"
#include "embedded/dialect/translate_error.h"

namespace lumvoucher::dialect {

namespace {

// Words SQLite reserves or parses specially; names spelled like them are quoted.
constexpr std::string_view kSqliteKeywords[] = {"ABORT",
                                                "ACTION",
                                                "ADD",
                                                "AFTER",
                                                "ALL",
                                                "ALTER",
                                                "ALWAYS",
                                                "ANALYZE",
                                                "AND",
                                                "AS",
                                                "ASC",
                                                "ATTACH",
                                                "AUTOINCREMENT",
                                                "BEFORE",
                                                "BEGIN",
                                                "BETWEEN",
                                                "BY",
                                                "CASCADE",
                                                "CASE",
                                                "CAST",
                                                "CHECK",
                                                "COLLATE",
                                                "COLUMN",
                                                "COMMIT",
                                                "CONFLICT",
                                                "CONSTRAINT",
                                                "CREATE",
                                                "CROSS",
                                                "CURRENT",
                                                "CURRENT_DATE",
                                                "CURRENT_TIME",
                                                "CURRENT_TIMESTAMP",
                                                "DATABASE",
                                                "DEFAULT",
                                                "DEFERRABLE",
                                                "DEFERRED",
                                                "DELETE",
                                                "DESC",
                                                "DETACH",
                                                "DISTINCT",
                                                "DO",
                                                "DROP",
                                                "EACH",
                                                "ELSE",
                                                "END",
                                                "ESCAPE",
                                                "EXCEPT",
                                                "EXCLUDE",
                                                "EXCLUSIVE",
                                                "EXISTS",
                                                "EXPLAIN",
                                                "FAIL",
                                                "FILTER",
                                                "FIRST",
                                                "FOLLOWING",
                                                "FOR",
                                                "FOREIGN",
                                                "FROM",
                                                "FULL",
                                                "GENERATED",
                                                "GLOB",
                                                "GROUP",
                                                "GROUPS",
                                                "HAVING",
                                                "IF",
                                                "IGNORE",
                                                "IMMEDIATE",
                                                "IN",
                                                "INDEX",
                                                "INDEXED",
                                                "INITIALLY",
                                                "INNER",
                                                "INSERT",
                                                "INSTEAD",
                                                "INTERSECT",
                                                "INTO",
                                                "IS",
                                                "ISNULL",
                                                "JOIN",
                                                "KEY",
                                                "LAST",
                                                "LEFT",
                                                "LIKE",
                                                "LIMIT",
                                                "MATCH",
                                                "MATERIALIZED",
                                                "NATURAL",
                                                "NO",
                                                "NOT",
                                                "NOTHING",
                                                "NOTNULL",
                                                "NULL",
                                                "NULLS",
                                                "OF",
                                                "OFFSET",
                                                "ON",
                                                "OR",
                                                "ORDER",
                                                "OTHERS",
                                                "OUTER",
                                                "OVER",
                                                "PARTITION",
                                                "PLAN",
                                                "PRAGMA",
                                                "PRECEDING",
                                                "PRIMARY",
                                                "QUERY",
                                                "RAISE",
                                                "RANGE",
                                                "RECURSIVE",
                                                "REFERENCES",
                                                "REGEXP",
                                                "REINDEX",
                                                "RELEASE",
                                                "RENAME",
                                                "REPLACE",
                                                "RESTRICT",
                                                "RETURNING",
                                                "RIGHT",
                                                "ROLLBACK",
                                                "ROW",
                                                "ROWS",
                                                "SAVEPOINT",
                                                "SELECT",
                                                "SET",
                                                "TABLE",
                                                "TEMP",
                                                "TEMPORARY",
                                                "THEN",
                                                "TIES",
                                                "TO",
                                                "TRANSACTION",
                                                "TRIGGER",
                                                "UNBOUNDED",
                                                "UNION",
                                                "UNIQUE",
                                                "UPDATE",
                                                "USING",
                                                "VACUUM",
                                                "VALUES",
                                                "VIEW",
                                                "VIRTUAL",
                                                "WHEN",
                                                "WHERE",
                                                "WINDOW",
                                                "WITH",
                                                "WITHOUT"};

// PostgreSQL reserves these besides SQLite's words.
constexpr std::string_view kPostgresKeywords[] = {
    "ANALYSE",        "ANY",           "ARRAY",        "ASYMMETRIC",
    "BOTH",           "CURRENT_ROLE",  "CURRENT_USER", "FETCH",
    "GRANT",          "LATERAL",       "LEADING",      "LOCALTIME",
    "LOCALTIMESTAMP", "ONLY",          "PLACING",      "SESSION_USER",
    "SOME",           "SYMMETRIC",     "TRAILING",     "USER",
    "VARIADIC",       "AUTHORIZATION", "BINARY",       "COLLATION",
    "CONCURRENTLY",   "FREEZE",        "ILIKE",        "OVERLAPS",
    "SIMILAR",        "TABLESAMPLE",   "VERBOSE",      "CURRENT_CATALOG",
    "CURRENT_SCHEMA", "POSITION",      "TYPE"};

bool IsKeyword(std::string_view name, bool postgres) {
  for (std::string_view word : kSqliteKeywords) {
    if (EqualsIgnoreCase(name, word)) return true;
  }
  if (!postgres) return false;
  for (std::string_view word : kPostgresKeywords) {
    if (EqualsIgnoreCase(name, word)) return true;
  }
  return false;
}

// Binding strength of what the emitter writes; a child binding looser than its parent gets
// parentheses. Function calls and CASE are atoms. SQLite binds || tightest, PostgreSQL looser
// than + and *.
int Precedence(const Expr& e, bool postgres) {
  switch (e.kind) {
    case ExprKind::kBinary:
      if (e.op == "OR") return 1;
      if (e.op == "AND") return 2;
      if (e.op == "=" || e.op == "<>") return 4;
      if (e.op == "<" || e.op == ">" || e.op == "<=" || e.op == ">=") return 5;
      if (e.op == "+" || e.op == "-") return 7;
      if (e.op == "*") return 8;
      if (e.op == "||") return postgres ? 6 : 9;
      return 11;  // / is written as a function call
    case ExprKind::kUnary:
      return e.op == "NOT" ? 3 : 10;
    case ExprKind::kIn:
    case ExprKind::kBetween:
    case ExprKind::kIsNull:
    case ExprKind::kLike:
      return 4;
    case ExprKind::kExists:
      return e.negated ? 3 : 11;
    default:
      return 11;
  }
}

// What a function's arguments are read as: Oracle converts text to a number and a number to
// text where the function asks for the other.
enum class ArgKind { kAny, kNumbers, kTexts };

struct FunctionSpec {
  std::string_view target;  // SQLite name; PostgreSQL's where `postgres` is empty
  int min_args;
  int max_args;
  int format_arg;  // index of a format model kept in the text, or -1
  bool aggregate;
  std::string_view postgres = {};
  ArgKind args = ArgKind::kAny;
};

const std::unordered_map<std::string, FunctionSpec>& Functions() {
  static const std::unordered_map<std::string, FunctionSpec> functions = {
      {"TO_DATE", {"ora_to_date", 1, 2, 1, false}},
      {"TO_CHAR", {"ora_to_char", 1, 2, 1, false}},
      {"TO_NUMBER", {"ora_to_number", 1, 1, -1, false}},
      {"TRUNC", {"ora_trunc", 1, 2, 1, false}},
      {"ROUND", {"ora_round", 1, 2, -1, false}},
      {"LPAD", {"ora_lpad", 2, 3, -1, false}},
      {"RPAD", {"ora_rpad", 2, 3, -1, false}},
      {"SUBSTR", {"ora_substr", 2, 3, -1, false}},
      {"SUBSTRB", {"ora_substr", 2, 3, -1, false}},
      {"INSTR", {"ora_instr", 2, 4, -1, false}},
      {"LENGTHB", {"ora_lengthb", 1, 1, -1, false}},
      {"LENGTH", {"length", 1, 1, -1, false, "ora_length"}},
      {"UPPER", {"upper", 1, 1, -1, false, {}, ArgKind::kTexts}},
      {"LOWER", {"lower", 1, 1, -1, false, {}, ArgKind::kTexts}},
      {"REPLACE", {"ora_replace", 2, 3, -1, false, {}, ArgKind::kTexts}},
      {"ABS", {"abs", 1, 1, -1, false, {}, ArgKind::kNumbers}},
      {"SIGN", {"sign", 1, 1, -1, false, {}, ArgKind::kNumbers}},
      {"MOD", {"ora_mod", 2, 2, -1, false, {}, ArgKind::kNumbers}},
      {"CEIL", {"ora_ceil", 1, 1, -1, false, {}, ArgKind::kNumbers}},
      {"FLOOR", {"ora_floor", 1, 1, -1, false, {}, ArgKind::kNumbers}},
      {"COALESCE", {"coalesce", 2, 255, -1, false}},
      {"NULLIF", {"nullif", 2, 2, -1, false}},
      {"GREATEST", {"max", 2, 255, -1, false, "ora_greatest"}},
      {"LEAST", {"min", 2, 255, -1, false, "ora_least"}},
      {"SUM", {"sum", 1, 1, -1, true, {}, ArgKind::kNumbers}},
      {"AVG", {"avg", 1, 1, -1, true, {}, ArgKind::kNumbers}},
      {"MAX", {"max", 1, 1, -1, true}},
      {"MIN", {"min", 1, 1, -1, true}},
      {"COUNT", {"count", 1, 1, -1, true}},
      {"FLEXID2CODEORNAME", {"flexId2codeorname", 4, 4, -1, false}},
      {"CONTAINFLEXIBLEID", {"ContainFlexibleid", 2, 2, -1, false}},
  };
  return functions;
}

class Emitter {
 public:
  Emitter(const Lexed& lexed, bool inline_literals, std::vector<int>& kept, ColumnTypes* columns,
          Target target)
      : lexed_(lexed),
        inline_all_(inline_literals),
        kept_(kept),
        pg_(target == Target::kPostgres),
        types_(lexed, columns) {}

  EmittedStatement Run(Statement& s) {
    std::optional<ExpressionTypes::Level> target;
    if (s.kind == StatementKind::kUpdate || s.kind == StatementKind::kDelete) {
      target.emplace(types_, s.table, s.alias);
    }
    switch (s.kind) {
      case StatementKind::kSelect:
        EmitQuery(*s.query);
        break;
      case StatementKind::kInsert:
        EmitInsert(s);
        break;
      case StatementKind::kUpdate:
        EmitUpdate(s);
        break;
      case StatementKind::kDelete:
        out_ += "DELETE FROM ";
        EmitTarget(s);
        EmitWhere(s.where.get());
        break;
      case StatementKind::kCreateTable:
        EmitCreateTable(s);
        break;
      case StatementKind::kCreateIndex:
        EmitCreateIndex(s);
        break;
      case StatementKind::kCreateSequence:
        EmitCreateSequence(s);
        break;
      case StatementKind::kDropTable:
        out_ += "DROP TABLE ";
        EmitName(s.table, s.table_quoted);
        break;
      case StatementKind::kDropIndex:
        if (pg_) {
          // A unique index is a deferrable constraint there, dropped through its table.
          out_ += "SELECT lv_drop_index('" + SequenceName(s.table, s.table_quoted) + "')";
          break;
        }
        out_ += "DROP INDEX ";
        EmitName(s.table, s.table_quoted);
        break;
      case StatementKind::kDropSequence:
        if (pg_) {
          out_ += "DROP SEQUENCE ";
          EmitName(s.table, s.table_quoted);
          break;
        }
        out_ += "DELETE FROM lumvoucher_sequence WHERE name = '" +
                SequenceName(s.table, s.table_quoted) + "'";
        break;
    }
    EmittedStatement emitted;
    emitted.sql = std::move(out_);
    emitted.params = std::move(params_);
    emitted.changes_rows = s.kind == StatementKind::kInsert || s.kind == StatementKind::kUpdate ||
                           s.kind == StatementKind::kDelete;
    if (s.kind == StatementKind::kUpdate) {
      emitted.is_update = true;
      emitted.update = std::move(update_);
    }
    return emitted;
  }

 private:
  // Literals written in the text from here on, until the guard ends.
  class KeepLiterals {
   public:
    explicit KeepLiterals(Emitter& e) : e_(e), saved_(e.lift_) { e_.lift_ = false; }
    ~KeepLiterals() { e_.lift_ = saved_; }
    KeepLiterals(const KeepLiterals&) = delete;
    KeepLiterals& operator=(const KeepLiterals&) = delete;

   private:
    Emitter& e_;
    bool saved_;
  };
  class LiftLiterals {
   public:
    explicit LiftLiterals(Emitter& e) : e_(e), saved_(e.lift_) { e_.lift_ = true; }
    ~LiftLiterals() { e_.lift_ = saved_; }
    LiftLiterals(const LiftLiterals&) = delete;
    LiftLiterals& operator=(const LiftLiterals&) = delete;

   private:
    Emitter& e_;
    bool saved_;
  };

  static std::string SequenceName(const std::string& name, bool quoted) {
    return quoted ? name : ToUpper(name);
  }

  void EmitName(const std::string& name, bool quoted) {
    bool plain = !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0]));
    for (char c : name) {
      const unsigned char u = static_cast<unsigned char>(c);
      if (!(std::isalnum(u) || u == '_' || u >= 0x80)) plain = false;
    }
    if (quoted || !plain || IsKeyword(name, pg_)) {
      out_ += '"';
      for (char c : name) {
        if (c == '"') out_ += '"';
        // PostgreSQL folds unquoted names to lower case: a quoted one must match that.
        out_ += pg_ && !quoted ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c;
      }
      out_ += '"';
    } else {
      out_ += name;
    }
  }

  void EmitTextLiteral(std::string_view text) {
    out_ += '\'';
    for (char c : text) {
      if (c == '\'') out_ += '\'';
      out_ += c;
    }
    out_ += '\'';
  }

  void EmitLiteral(const Expr& e) {
    const Literal& literal = lexed_.literals[static_cast<std::size_t>(e.literal)];
    if (lift_ && !inline_all_) {
      // A literal written twice (a pass may copy one) keeps its parameter.
      if (param_of_.empty()) param_of_.assign(lexed_.literals.size(), 0);
      int& number = param_of_[static_cast<std::size_t>(e.literal)];
      if (number == 0) {
        params_.push_back(e.literal);
        number = static_cast<int>(params_.size());
      }
      out_ += pg_ ? '$' : '?';
      out_ += std::to_string(number);
      // A number's type is fixed here, a text's is left to its context as Oracle converts it.
      if (pg_ && literal.kind != Literal::Kind::kText) out_ += "::numeric";
      return;
    }
    kept_.push_back(e.literal);
    if (literal.kind == Literal::Kind::kText) {
      EmitTextLiteral(literal.text);
    } else {
      if (literal.text.front() == '.') out_ += '0';
      out_ += literal.text;
      if (literal.text.back() == '.') out_ += '0';
    }
  }

  void EmitOperand(const Expr& child, int parent, bool right) {
    const int p = Precedence(child, pg_);
    const bool wrap = p < parent || (p == parent && (right || parent == 4 || parent == 5));
    if (wrap) out_ += '(';
    EmitExpr(child);
    if (wrap) out_ += ')';
  }

  void EmitExpr(const Expr& e) {
    DepthGuard guard(depth_, kMaxWalkDepth, e.offset);
    switch (e.kind) {
      case ExprKind::kColumn: {
        if (e.join_mark) {
          Refused("ORA-30563: outer join operator (+) is not allowed here", e.offset);
        }
        // schema.table.column: one database holds one schema.
        const std::size_t first = e.names.size() == 3 ? 1 : 0;
        for (std::size_t i = first; i < e.names.size(); ++i) {
          if (i > first) out_ += '.';
          EmitName(e.names[i], e.quoted[i]);
        }
        return;
      }
      case ExprKind::kStar:
        if (!e.names.empty()) {
          EmitName(e.names.back(), e.quoted.back());
          out_ += '.';
        }
        out_ += '*';
        return;
      case ExprKind::kLiteral:
        EmitLiteral(e);
        return;
      case ExprKind::kNull:
        out_ += "NULL";
        return;
      case ExprKind::kUnary:
        out_ += e.op == "NOT" ? "NOT " : e.op;
        EmitConverted(*e.args[0], e.op == "NOT" ? Conversion::kNone : Numeric(*e.args[0]),
                      e.op == "NOT" ? 3 : 10, true);
        return;
      case ExprKind::kBinary:
        EmitBinary(e);
        return;
      case ExprKind::kFunction:
        EmitFunction(e);
        return;
      case ExprKind::kCase: {
        out_ += "CASE";
        std::size_t i = 0;
        if (e.has_operand) {
          out_ += ' ';
          EmitExpr(*e.args[i++]);
        }
        const std::size_t end = e.args.size() - (e.has_else ? 1 : 0);
        for (; i + 1 < end; i += 2) {
          out_ += " WHEN ";
          EmitExpr(*e.args[i]);
          out_ += " THEN ";
          EmitExpr(*e.args[i + 1]);
        }
        if (e.has_else) {
          out_ += " ELSE ";
          EmitExpr(*e.args.back());
        }
        out_ += " END";
        return;
      }
      case ExprKind::kSubquery:
        out_ += '(';
        EmitQuery(*e.query);
        out_ += ')';
        return;
      case ExprKind::kExists:
        out_ += e.negated ? "NOT EXISTS (" : "EXISTS (";
        EmitQuery(*e.query);
        out_ += ')';
        return;
      case ExprKind::kIn: {
        if (e.query) {
          EmitOperand(*e.args[0], 4, false);
          out_ += e.negated ? " NOT IN (" : " IN (";
          EmitQuery(*e.query);
          out_ += ')';
          return;
        }
        const std::vector<Conversion> as = Comparison(e);
        EmitConverted(*e.args[0], as[0], 4, false);
        out_ += e.negated ? " NOT IN (" : " IN (";
        for (std::size_t i = 1; i < e.args.size(); ++i) {
          if (i > 1) out_ += ", ";
          EmitConverted(*e.args[i], as[i], 0, false);
        }
        out_ += ')';
        return;
      }
      case ExprKind::kBetween: {
        const std::vector<Conversion> as = Comparison(e);
        EmitConverted(*e.args[0], as[0], 4, false);
        out_ += e.negated ? " NOT BETWEEN " : " BETWEEN ";
        EmitConverted(*e.args[1], as[1], 5, false);
        out_ += " AND ";
        EmitConverted(*e.args[2], as[2], 5, false);
        return;
      }
      case ExprKind::kIsNull:
        EmitOperand(*e.args[0], 4, false);
        out_ += e.negated ? " IS NOT NULL" : " IS NULL";
        return;
      case ExprKind::kLike: {
        EmitOperand(*e.args[0], 4, false);
        out_ += e.negated ? " NOT LIKE " : " LIKE ";
        KeepLiterals keep(*this);
        EmitOperand(*e.args[1], 5, false);
        if (e.args.size() > 2) {
          out_ += " ESCAPE ";
          EmitOperand(*e.args[2], 5, false);
        }
        return;
      }
      case ExprKind::kSequence:
        if (pg_) {
          out_ += e.op == "NEXTVAL" ? "nextval('" : "currval('";
          out_ += e.names[0] + "')";
          return;
        }
        out_ += e.op == "NEXTVAL" ? "lv_nextval('" : "lv_currval('";
        out_ += SequenceName(e.names[0], false);
        out_ += "')";
        return;
      case ExprKind::kClock:
        // 'now' holds still for the whole statement, as Oracle's clock does.
        if (pg_) {
          out_ += e.op == "SYSDATE" ? "to_char(statement_timestamp(),'YYYY-MM-DD HH24:MI:SS')"
                                    : "to_char(statement_timestamp(),'YYYY-MM-DD HH24:MI:SS.MS')";
          return;
        }
        out_ += e.op == "SYSDATE" ? "datetime('now','localtime')"
                                  : "strftime('%Y-%m-%d %H:%M:%f','now','localtime')";
        return;
    }
  }

  static void FlattenConcat(const Expr& e, std::vector<const Expr*>& parts, int depth) {
    if (e.kind == ExprKind::kBinary && e.op == "||") {
      CheckWalkDepth(depth, e.offset);
      FlattenConcat(*e.args[0], parts, depth + 1);
      FlattenConcat(*e.args[1], parts, depth + 1);
      return;
    }
    parts.push_back(&e);
  }

  // SQLite nests a || chain one level per operator and refuses a thousand: a long one is written
  // in balanced groups.
  void EmitConcatParts(const std::vector<const Expr*>& parts, std::size_t first, std::size_t end) {
    constexpr std::size_t kFlat = 32;
    if (end - first > kFlat) {
      const std::size_t middle = first + (end - first) / 2;
      out_ += '(';
      EmitConcatParts(parts, first, middle);
      out_ += ") || (";
      EmitConcatParts(parts, middle, end);
      out_ += ')';
      return;
    }
    for (std::size_t i = first; i < end; ++i) {
      if (i > first) out_ += " || ";
      const Expr& part = *parts[i];
      // SQLite writes 100.0 and 0.5 where Oracle writes 100 and .5: a number that may not be an
      // integer goes through Oracle's number text.
      const ValueType type = types_.Of(part);
      const bool as_written = type == ValueType::kText || type == ValueType::kInteger;
      const bool literal = part.kind == ExprKind::kLiteral;
      if (pg_) {
        // text || number needs a cast there, and a NULL part must still vanish.
        const bool text = literal && part.is_text;
        if (!text) out_ += "coalesce(CAST(";
        EmitConverted(part, as_written ? Conversion::kNone : Conversion::kToText, 0, false);
        if (!text) out_ += " AS text),'')";
        continue;
      }
      if (!literal) out_ += "ifnull(";
      EmitConverted(part, as_written ? Conversion::kNone : Conversion::kToText, 0, false);
      if (!literal) out_ += ",'')";
    }
  }

  void EmitBinary(const Expr& e) {
    if (e.op == "||") {
      // Oracle's || skips NULLs, and an empty result is NULL again.
      std::vector<const Expr*> parts;
      FlattenConcat(e, parts, 0);
      bool never_empty = false;
      std::vector<const Expr*> kept;
      for (const Expr* p : parts) {
        if (p->kind == ExprKind::kNull) continue;
        if (p->kind == ExprKind::kLiteral) never_empty = true;
        kept.push_back(p);
      }
      if (kept.empty()) {
        out_ += "NULL";
        return;
      }
      if (!never_empty) out_ += "nullif(";
      EmitConcatParts(kept, 0, kept.size());
      if (!never_empty) out_ += ",'')";
      return;
    }
    if (e.op == "/") {
      // Oracle numbers: 7/2 is 3.5, and a zero divisor is an error, not NULL.
      out_ += "ora_div(";
      EmitConverted(*e.args[0], Numeric(*e.args[0]), 0, false);
      out_ += ", ";
      EmitConverted(*e.args[1], Numeric(*e.args[1]), 0, false);
      out_ += ')';
      return;
    }
    const int p = Precedence(e, pg_);
    if (p == 7 || p == 8) {
      EmitConverted(*e.args[0], Numeric(*e.args[0]), p, false);
      out_ += ' ';
      out_ += e.op;
      out_ += ' ';
      EmitConverted(*e.args[1], Numeric(*e.args[1]), p, true);
      return;
    }
    if (p == 4 || p == 5) {
      const std::vector<Conversion> as = Comparison(e);
      EmitConverted(*e.args[0], as[0], p, false);
      out_ += ' ';
      out_ += e.op;
      out_ += ' ';
      EmitConverted(*e.args[1], as[1], p, true);
      return;
    }
    EmitOperand(*e.args[0], p, false);
    out_ += ' ';
    out_ += e.op;
    out_ += ' ';
    // Also for AND and OR: a long chain comes balanced from the parser, and its parentheses keep
    // it shallow for SQLite too.
    EmitOperand(*e.args[1], p, true);
  }

  // How an operand is written: as it is, read as a number, or as Oracle's text of it.
  enum class Conversion { kNone, kToNumber, kToText };

  // Oracle compares text with a number as numbers, the text read as one (T_Code = 7 matches
  // '007'); SQLite compares a text column with a number as text. For args[0] against each other
  // argument (a comparison, IN, BETWEEN): which side is read as a number. Text against text and
  // number against number stay as they are, and so does anything of unknown type.
  std::vector<Conversion> Comparison(const Expr& e) {
    std::vector<ValueType> types;
    for (const ExprPtr& arg : e.args) types.push_back(types_.Of(*arg));
    std::vector<Conversion> as(types.size(), Conversion::kNone);
    bool number_compared = false;
    for (std::size_t i = 1; i < types.size(); ++i) number_compared |= IsNumeric(types[i]);
    if (types[0] == ValueType::kText && number_compared) as[0] = Conversion::kToNumber;
    if (IsNumeric(types[0]) || as[0] == Conversion::kToNumber) {
      for (std::size_t i = 1; i < types.size(); ++i) {
        if (types[i] == ValueType::kText) as[i] = Conversion::kToNumber;
      }
    }
    return as;
  }

  // Oracle reads text in arithmetic and in a number function as a number; PostgreSQL has no
  // text + numeric, and SQLite's abs('5') is the real 5.0.
  Conversion Numeric(const Expr& operand) {
    return types_.Of(operand) == ValueType::kText ? Conversion::kToNumber : Conversion::kNone;
  }
  // And writes a number given to a text function as its number text (-.25, not SQLite's
  // -0.25); PostgreSQL has no upper(numeric) at all.
  Conversion Textual(const Expr& operand) {
    const ValueType type = types_.Of(operand);
    const bool convert = pg_ ? IsNumeric(type) : type == ValueType::kNumber;
    return convert ? Conversion::kToText : Conversion::kNone;
  }

  // `e` as an operand of a parent of precedence `parent`, converted as `as` says.
  void EmitConverted(const Expr& e, Conversion as, int parent, bool right) {
    if (as == Conversion::kNone) {
      if (parent > 0) {
        EmitOperand(e, parent, right);
      } else {
        EmitExpr(e);
      }
      return;
    }
    out_ += as == Conversion::kToNumber ? "ora_as_number(" : "ora_to_char(";
    EmitExpr(e);
    out_ += ')';
  }

  void EmitArgs(const Expr& e, int format_arg, ArgKind kind = ArgKind::kAny) {
    for (std::size_t i = 0; i < e.args.size(); ++i) {
      if (i > 0) out_ += ", ";
      if (static_cast<int>(i) == format_arg) {
        KeepLiterals keep(*this);
        EmitExpr(*e.args[i]);
      } else if (kind == ArgKind::kNumbers) {
        EmitConverted(*e.args[i], Numeric(*e.args[i]), 0, false);
      } else if (kind == ArgKind::kTexts) {
        EmitConverted(*e.args[i], Textual(*e.args[i]), 0, false);
      } else {
        EmitExpr(*e.args[i]);
      }
    }
  }

  [[noreturn]] static void WrongArgs(const Expr& e) {
    Refused("ORA-00909: invalid number of arguments to " + ToUpper(e.op), e.offset);
  }

  // A literal argument that stays in the text, or nullptr.
  const Literal* KeptLiteral(const Expr& e) const {
    if (e.kind != ExprKind::kLiteral || (lift_ && !inline_all_)) return nullptr;
    return &lexed_.literals[static_cast<std::size_t>(e.literal)];
  }

  // LPAD(integer column, n, 'c') with n and c in the text: padding an integer that fits is plain
  // SQLite; anything else (text, reals, longer numbers) goes to the registered function.
  bool EmitNativeLpad(const Expr& e) {
    if (pg_ || e.args.size() != 3 || e.args[0]->kind != ExprKind::kColumn || e.args[0]->join_mark) {
      return false;
    }
    const Literal* width = KeptLiteral(*e.args[1]);
    const Literal* pad = KeptLiteral(*e.args[2]);
    if (!width || !pad || width->kind != Literal::Kind::kInteger || !e.args[2]->is_text) {
      return false;
    }
    // Which literals stay must not depend on their values: both forms keep these two.
    const long long n = width->text.size() <= 2 ? std::stoll(width->text) : 0;
    const bool simple = n >= 1 && n <= 20 && pad->text.size() == 1 &&
                        static_cast<unsigned char>(pad->text[0]) < 0x80 && pad->text[0] != '\'';
    if (!simple) return false;
    const std::string column = EmittedColumn(*e.args[0]);
    out_ += "CASE WHEN typeof(" + column + ") = 'integer' AND length(" + column +
            ") <= " + width->text + " THEN substr('" +
            std::string(static_cast<std::size_t>(n), pad->text[0]) + "' || " + column + ", -" +
            width->text + ") ELSE ora_lpad(";
    EmitArgs(e, -1);
    out_ += ") END";
    return true;
  }

  std::string EmittedColumn(const Expr& column) {
    std::string saved;
    saved.swap(out_);
    EmitExpr(column);
    saved.swap(out_);
    return saved;
  }

  void EmitFunction(const Expr& e) {
    const std::string name = ToUpper(e.op);
    const int n = static_cast<int>(e.args.size());
    if (name == "LPAD" && EmitNativeLpad(e)) return;
    if (name == "DECODE") {
      if (n < 3) WrongArgs(e);
      EmitDecode(e);
      return;
    }
    if (name == "NVL") {
      if (n != 2) WrongArgs(e);
      out_ += pg_ ? "coalesce(" : "ifnull(";
      EmitArgs(e, -1);
      out_ += ')';
      return;
    }
    if (name == "NVL2") {
      if (n != 3) WrongArgs(e);
      out_ += "CASE WHEN ";
      EmitOperand(*e.args[0], 4, false);
      out_ += " IS NOT NULL THEN ";
      EmitExpr(*e.args[1]);
      out_ += " ELSE ";
      EmitExpr(*e.args[2]);
      out_ += " END";
      return;
    }
    if (name == "LTRIM" || name == "RTRIM" || name == "TRIM") {
      if (n < 1 || n > (name == "TRIM" ? 1 : 2)) WrongArgs(e);
      // A string trimmed to nothing is NULL in Oracle.
      out_ += "nullif(" + ToLower(name) + "(";
      EmitArgs(e, -1, ArgKind::kTexts);
      out_ += "),'')";
      return;
    }
    if (name == "INSTR" && n == 2) {
      out_ += pg_ ? "strpos(" : "instr(";
      EmitArgs(e, -1, ArgKind::kTexts);
      out_ += ')';
      return;
    }
    auto found = Functions().find(name);
    if (found == Functions().end()) Unsupported("function " + name, e.offset);
    const FunctionSpec& spec = found->second;
    if (e.star) {
      if (name != "COUNT") Refused("ORA-00936: missing expression in " + name, e.offset);
      out_ += "count(*)";
      return;
    }
    if (n < spec.min_args || n > spec.max_args) WrongArgs(e);
    if (e.distinct && !spec.aggregate) {
      Refused("ORA-30482: DISTINCT option not allowed for " + name, e.offset);
    }
    out_ += pg_ && !spec.postgres.empty() ? spec.postgres : spec.target;
    out_ += '(';
    if (e.distinct) out_ += "DISTINCT ";
    EmitArgs(e, spec.format_arg, spec.args);
    out_ += ')';
  }

  // DECODE matches NULL with NULL, which CASE x WHEN does not. It compares in the type of the
  // first search value: the expression and the other search values are converted to it (text
  // '07' matches 7 when the first search value is a number, the number 7 does not match '07'
  // when it is text).
  void EmitDecode(const Expr& e) {
    const std::size_t n = e.args.size();
    const std::size_t pairs = (n - 1) / 2;
    bool simple = true;
    for (std::size_t i = 0; i < pairs; ++i) {
      if (e.args[1 + 2 * i]->kind != ExprKind::kLiteral) simple = false;
    }
    const ValueType compared_as = types_.Of(*e.args[1]);
    auto conversion = [&](const Expr& operand) {
      if (operand.kind == ExprKind::kNull) return Conversion::kNone;
      const ValueType type = types_.Of(operand);
      if (IsNumeric(compared_as) && !IsNumeric(type)) return Conversion::kToNumber;
      if (compared_as == ValueType::kText && type != ValueType::kText) return Conversion::kToText;
      return Conversion::kNone;
    };
    const Conversion expression = conversion(*e.args[0]);
    out_ += "CASE";
    if (simple) {
      out_ += ' ';
      EmitConverted(*e.args[0], expression, 0, false);
    }
    for (std::size_t i = 0; i < pairs; ++i) {
      const Expr& search = *e.args[1 + 2 * i];
      out_ += " WHEN ";
      if (!simple) {
        EmitConverted(*e.args[0], expression, 4, false);
        out_ += pg_ ? " IS NOT DISTINCT FROM " : " IS ";
        EmitConverted(search, conversion(search), 4, true);
      } else {
        EmitConverted(search, conversion(search), 0, false);
      }
      out_ += " THEN ";
      EmitExpr(*e.args[2 + 2 * i]);
    }
    if ((n - 1) % 2 == 1) {
      out_ += " ELSE ";
      EmitExpr(*e.args.back());
    }
    out_ += " END";
  }

  static bool IsDual(const TableRef& ref) {
    return !ref.subquery && !ref.quoted && EqualsIgnoreCase(ref.name, "DUAL");
  }

  void EmitTableRef(const TableRef& ref) {
    if (ref.subquery) {
      out_ += '(';
      EmitQuery(*ref.subquery);
      out_ += ')';
    } else {
      EmitName(ref.name, ref.quoted);
    }
    if (!ref.alias.empty()) {
      out_ += " AS ";
      EmitName(ref.alias, ref.alias_quoted);
    }
    // PostgreSQL wants a name for every inline view.
    if (pg_ && ref.subquery && ref.alias.empty()) {
      out_ += " AS lv_view" + std::to_string(++unnamed_views_);
    }
  }

  void EmitWhere(const Expr* where) {
    if (!where) return;
    LiftLiterals lift(*this);
    out_ += " WHERE ";
    EmitExpr(*where);
  }

  // `values`: the select of an INSERT, whose list only gives the new rows' values.
  void EmitSelect(Select& s, bool values) {
    ResolveOuterJoins(s);
    ExpressionTypes::Level level(types_, s.from);
    out_ += s.distinct ? "SELECT DISTINCT " : "SELECT ";
    {
      // A row from dual is what VALUES would give, its literals changing from row to row; a
      // list over tables mostly holds the statement's own codes, cheaper in the text than bound.
      const bool lift = values && std::all_of(s.from.begin(), s.from.end(), IsDual);
      KeepLiterals keep(*this);
      if (lift) lift_ = true;
      for (std::size_t i = 0; i < s.items.size(); ++i) {
        if (i > 0) out_ += ", ";
        const SelectItem& item = s.items[i];
        EmitExpr(*item.expr);
        if (!item.alias.empty()) {
          out_ += " AS ";
          EmitName(item.alias, item.alias_quoted);
        } else if (item.expr->kind != ExprKind::kColumn && item.expr->kind != ExprKind::kStar) {
          out_ += " AS ";
          EmitName(item.spelling, true);
        }
      }
    }
    if (!s.chain.empty()) {
      out_ += " FROM ";
      LiftLiterals lift(*this);
      for (std::size_t i = 0; i < s.chain.size(); ++i) {
        const JoinStep& step = s.chain[i];
        if (i > 0) out_ += step.outer ? " LEFT JOIN " : " JOIN ";
        EmitTableRef(s.from[step.table]);
        if (i == 0) continue;
        out_ += " ON ";
        if (step.on.empty()) {
          out_ += "1 = 1";
          continue;
        }
        for (std::size_t t = 0; t < step.on.size(); ++t) {
          if (t > 0) out_ += " AND ";
          EmitOperand(*step.on[t], 2, false);
        }
      }
    } else {
      bool first = true;
      for (const TableRef& ref : s.from) {
        if (IsDual(ref)) continue;
        out_ += first ? " FROM " : ", ";
        first = false;
        EmitTableRef(ref);
      }
    }
    EmitWhere(s.where.get());
    if (!s.group_by.empty()) {
      KeepLiterals keep(*this);
      out_ += " GROUP BY ";
      for (std::size_t i = 0; i < s.group_by.size(); ++i) {
        if (i > 0) out_ += ", ";
        EmitExpr(*s.group_by[i]);
      }
    }
    if (s.having) {
      LiftLiterals lift(*this);
      out_ += " HAVING ";
      EmitExpr(*s.having);
    }
  }

  // Oracle resolves a plain name in ORDER BY against the select list's column names first;
  // SQLite only against aliases, so "ORDER BY strVolume" over "a.strVolume, b.strVolume" would
  // be ambiguous there. Such a name is written as the column's position.
  static int OutputColumnOf(const Query& q, const Expr& e) {
    if (e.kind != ExprKind::kColumn || e.names.size() != 1 || e.join_mark) return 0;
    int found = 0;
    const auto& items = q.selects.front()->items;
    for (std::size_t i = 0; i < items.size(); ++i) {
      const SelectItem& item = items[i];
      if (!item.alias.empty()) {
        if (EqualsIgnoreCase(item.alias, e.names[0])) return 0;  // SQLite finds aliases itself
        continue;
      }
      if (item.expr->kind == ExprKind::kColumn &&
          EqualsIgnoreCase(item.expr->names.back(), e.names[0])) {
        if (found != 0) return 0;
        found = static_cast<int>(i) + 1;
      }
    }
    return found;
  }

  // `values`: the query is an INSERT's rows (see EmitSelect). ORDER BY matches the lists'
  // expressions against its own, written with their literals: those lists keep theirs.
  void EmitQuery(Query& q, bool values = false) {
    DepthGuard guard(depth_, kMaxWalkDepth, q.selects.front()->offset);
    values = values && q.order_by.empty();
    for (std::size_t i = 0; i < q.selects.size(); ++i) {
      if (i > 0) {
        const std::string& op = q.set_ops[i - 1];
        out_ += ' ';
        out_ += op == "MINUS" ? "EXCEPT" : op;
        out_ += ' ';
      }
      EmitSelect(*q.selects[i], values);
    }
    if (q.order_by.empty()) return;
    KeepLiterals keep(*this);
    ExpressionTypes::Level level(types_, q.selects.front()->from);
    out_ += " ORDER BY ";
    for (std::size_t i = 0; i < q.order_by.size(); ++i) {
      const OrderItem& item = q.order_by[i];
      if (i > 0) out_ += ", ";
      const int position = OutputColumnOf(q, *item.expr);
      if (position > 0) {
        out_ += std::to_string(position);
      } else {
        EmitExpr(*item.expr);
      }
      // Oracle sorts NULL as the highest value: last going up, first going down.
      out_ += item.descending ? " DESC" : " ASC";
      const bool nulls_first = item.nulls == 0 ? item.descending : item.nulls == 1;
      out_ += nulls_first ? " NULLS FIRST" : " NULLS LAST";
    }
  }

  void EmitTarget(const Statement& s) {
    EmitName(s.table, s.table_quoted);
    if (!s.alias.empty()) {
      out_ += " AS ";
      EmitName(s.alias, false);
    }
  }

  void EmitInsert(Statement& s) {
    out_ += "INSERT INTO ";
    EmitName(s.table, s.table_quoted);
    if (!s.columns.empty()) {
      out_ += " (";
      for (std::size_t i = 0; i < s.columns.size(); ++i) {
        if (i > 0) out_ += ", ";
        EmitName(s.columns[i], false);
      }
      out_ += ')';
    }
    if (s.query) {
      // The select list names no result column here: a row of values is lifted as VALUES' is,
      // so that rows differing only in them share one prepared statement.
      out_ += ' ';
      EmitQuery(*s.query, true);
      return;
    }
    if (!s.columns.empty() && s.columns.size() != s.values.size()) {
      Refused(s.columns.size() > s.values.size() ? "ORA-00947: not enough values"
                                                 : "ORA-00913: too many values",
              s.offset);
    }
    LiftLiterals lift(*this);
    out_ += " VALUES (";
    for (std::size_t i = 0; i < s.values.size(); ++i) {
      if (i > 0) out_ += ", ";
      EmitExpr(*s.values[i]);
    }
    out_ += ')';
  }

  // Records the pieces as they are written, so the parts share the statement's parameters.
  void EmitUpdate(Statement& s) {
    out_ += "UPDATE ";
    std::size_t at = out_.size();
    EmitName(s.table, s.table_quoted);
    update_.table = out_.substr(at);
    if (!s.alias.empty()) {
      out_ += " AS ";
      at = out_.size();
      EmitName(s.alias, false);
      update_.alias = out_.substr(at);
    }
    out_ += " SET ";
    LiftLiterals lift(*this);
    for (std::size_t i = 0; i < s.sets.size(); ++i) {
      if (i > 0) out_ += ", ";
      at = out_.size();
      EmitName(s.sets[i].column, false);
      update_.columns.push_back(out_.substr(at));
      out_ += " = ";
      at = out_.size();
      EmitExpr(*s.sets[i].value);
      update_.values.push_back(out_.substr(at));
    }
    if (s.where) {
      out_ += " WHERE ";
      at = out_.size();
      EmitExpr(*s.where);
      update_.where = out_.substr(at);
    }
  }

  void EmitCreateTable(Statement& s) {
    KeepLiterals keep(*this);
    out_ += "CREATE TABLE ";
    EmitName(s.table, s.table_quoted);
    out_ += " (";
    // Checked when the statement ends, as Oracle checks keys.
    const std::string deferrable = pg_ ? " DEFERRABLE" : "";
    int primary_keys = static_cast<int>(s.primary_keys.size());
    for (std::size_t i = 0; i < s.column_defs.size(); ++i) {
      const ColumnDef& c = s.column_defs[i];
      if (i > 0) out_ += ", ";
      EmitName(c.name, c.quoted);
      out_ += ' ';
      out_ += pg_ ? PostgresType(c.type) : c.type;
      if (c.default_value) {
        out_ += " DEFAULT (";
        EmitExpr(*c.default_value);
        out_ += ')';
      }
      if (c.not_null) out_ += " NOT NULL";
      if (c.primary_key) {
        out_ += " PRIMARY KEY";
        out_ += deferrable;
        ++primary_keys;
      }
      if (c.unique) out_ += " UNIQUE" + deferrable;
    }
    if (primary_keys > 1) {
      Refused("ORA-02260: table can have only one primary key", s.offset);
    }
    for (const auto& key : s.primary_keys) {
      out_ += ", PRIMARY KEY (";
      EmitNameList(key);
      out_ += ')' + deferrable;
    }
    for (std::size_t k = 0; k < s.unique_keys.size(); ++k) {
      out_ += ", ";
      if (!s.unique_key_names[k].empty()) {
        out_ += "CONSTRAINT ";
        EmitName(s.unique_key_names[k], false);
        out_ += ' ';
      }
      out_ += "UNIQUE (";
      EmitNameList(s.unique_keys[k]);
      out_ += ')' + deferrable;
    }
    out_ += ')';
    if (pg_) return;
    // Stored by the key itself: one B-tree instead of a rowid table and its key index, and a
    // NULL key is refused as Oracle refuses it.
    if (primary_keys == 1) out_ += " WITHOUT ROWID";
  }

  void EmitNameList(const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (i > 0) out_ += ", ";
      EmitName(names[i], false);
    }
  }

  static std::string PostgresType(const std::string& type) {
    // Every number is numeric, so a bound number never turns a key column's comparison into a
    // cast; dates are "yyyy-mm-dd" text on both databases.
    if (type == "INT") return "numeric(38)";  // rounds to an integer on store, as NUMBER(n)
    if (type == "NUMERIC") return "numeric";
    if (type == "REAL") return "double precision";
    if (type == "BLOB") return "bytea";
    return "text";
  }

  void EmitCreateIndex(const Statement& s) {
    if (pg_ && s.unique_index) {
      // A unique index checks row by row there; a deferrable constraint at the statement's end.
      out_ += "ALTER TABLE ";
      EmitName(s.index_table, false);
      out_ += " ADD CONSTRAINT ";
      EmitName(s.table, s.table_quoted);
      out_ += " UNIQUE (";
      EmitNameList(s.columns);
      out_ += ") DEFERRABLE";
      return;
    }
    out_ += s.unique_index ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
    EmitName(s.table, s.table_quoted);
    out_ += " ON ";
    EmitName(s.index_table, false);
    out_ += " (";
    for (std::size_t i = 0; i < s.columns.size(); ++i) {
      if (i > 0) out_ += ", ";
      EmitName(s.columns[i], false);
      if (!s.column_orders[i].empty()) out_ += ' ' + s.column_orders[i];
    }
    out_ += ')';
  }

  void EmitCreateSequence(const Statement& s) {
    const SequenceOptions& o = s.sequence;
    if (pg_) {
      out_ += "CREATE SEQUENCE ";
      EmitName(s.table, s.table_quoted);
      out_ += " INCREMENT BY " + std::to_string(o.increment) + " MINVALUE " +
              std::to_string(o.min_value) + " MAXVALUE " + std::to_string(o.max_value) +
              " START WITH " + std::to_string(o.start) + (o.cycle ? " CYCLE" : " NO CYCLE");
      return;
    }
    out_ +=
        "INSERT INTO lumvoucher_sequence (name, next_value, increment_by, min_value, "
        "max_value, cycle) VALUES ('" +
        SequenceName(s.table, s.table_quoted) + "', " + std::to_string(o.start) + ", " +
        std::to_string(o.increment) + ", " + std::to_string(o.min_value) + ", " +
        std::to_string(o.max_value) + ", " + (o.cycle ? "1" : "0") + ")";
  }

  const Lexed& lexed_;
  bool inline_all_;
  std::vector<int>& kept_;
  bool pg_;
  int unnamed_views_ = 0;
  bool lift_ = true;
  int depth_ = 0;
  ExpressionTypes types_;
  std::string out_;
  std::vector<int> params_;
  std::vector<int> param_of_;  // per literal ordinal: its parameter number, 0 while it has none
  UpdateParts update_;
};

}  // namespace

EmittedStatement Emit(Statement& statement, const Lexed& lexed, bool inline_literals,
                      std::vector<int>& kept, ColumnTypes* columns, Target target) {
  RewriteCorrelatedExists(statement);
  return Emitter(lexed, inline_literals, kept, columns, target).Run(statement);
}

}  // namespace lumvoucher::dialect
