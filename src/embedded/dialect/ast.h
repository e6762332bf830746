#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace lumvoucher::dialect {

struct Query;

enum class ExprKind {
  kColumn,    // names: [qualifier...,] column
  kStar,      // names: optional qualifier
  kLiteral,   // number or string; literal = ordinal in Lexed::literals
  kNull,      // NULL or ''
  kUnary,     // op: "-" "+" "NOT"
  kBinary,    // op: arithmetic, comparison, AND, OR, ||
  kFunction,  // name: as written; args; distinct; star for COUNT(*)
  kCase,      // args: [operand,] when, then, ..., [else]
  kSubquery,  // query
  kExists,    // query
  kIn,        // args[0] IN (args[1..]) or IN (query)
  kBetween,   // args: value, low, high
  kIsNull,    // args[0]
  kLike,      // args: value, pattern[, escape]
  kSequence,  // names: sequence, NEXTVAL|CURRVAL
  kClock,     // name: SYSDATE | SYSTIMESTAMP
};

struct Expr {
  ExprKind kind = ExprKind::kNull;
  std::size_t offset = 0;
  std::string op;
  std::vector<std::string> names;
  std::vector<bool> quoted;  // per name: written in double quotes
  int literal = -1;
  bool is_text = false;      // a text literal
  bool join_mark = false;    // column written with (+)
  bool negated = false;      // NOT IN, NOT LIKE, NOT BETWEEN, IS NOT NULL, NOT EXISTS
  bool distinct = false;     // aggregate over DISTINCT values
  bool star = false;         // COUNT(*)
  bool has_operand = false;  // CASE x WHEN ...
  bool has_else = false;
  // Levels of the tree from this node down, as the parser built it (it refuses taller trees).
  int height = 1;
  std::vector<std::unique_ptr<Expr>> args;
  std::unique_ptr<Query> query;
};

using ExprPtr = std::unique_ptr<Expr>;

struct TableRef {
  std::string name;  // empty for an inline view
  bool quoted = false;
  std::string alias;
  bool alias_quoted = false;
  std::unique_ptr<Query> subquery;
  std::size_t offset = 0;
};

struct SelectItem {
  ExprPtr expr;
  // The item's tokens without blanks: the column's name when it has no alias, as Oracle names
  // an expression column after its text.
  std::string spelling;
  std::string alias;
  bool alias_quoted = false;
};

// One step of the FROM chain after the outer-join pass: the table, and for an optional table
// the terms of its ON.
struct JoinStep {
  std::size_t table = 0;
  bool outer = false;
  std::vector<ExprPtr> on;
};

struct Select {
  std::size_t offset = 0;
  bool distinct = false;
  std::vector<SelectItem> items;
  std::vector<TableRef> from;
  ExprPtr where;
  std::vector<ExprPtr> group_by;
  ExprPtr having;
  // Filled by the outer-join pass; empty means "the FROM list as written".
  std::vector<JoinStep> chain;
};

struct OrderItem {
  ExprPtr expr;
  bool descending = false;
  int nulls = 0;  // 0 Oracle's default, 1 NULLS FIRST, 2 NULLS LAST
};

struct Query {
  int height = 1;  // as for Expr, counting the query as one level
  std::vector<std::unique_ptr<Select>> selects;
  std::vector<std::string> set_ops;  // between selects: UNION, UNION ALL, MINUS, INTERSECT
  std::vector<OrderItem> order_by;
};

struct ColumnDef {
  std::string name;
  bool quoted = false;
  std::string type;  // SQLite type
  ExprPtr default_value;
  bool not_null = false;
  bool primary_key = false;
  bool unique = false;
};

enum class StatementKind {
  kSelect,
  kInsert,
  kUpdate,
  kDelete,
  kCreateTable,
  kCreateIndex,
  kCreateSequence,
  kDropTable,
  kDropIndex,
  kDropSequence,
};

struct Assignment {
  std::string column;
  std::size_t offset = 0;
  ExprPtr value;
};

struct SequenceOptions {
  long long min_value = 1;
  long long max_value = 999999999999999999LL;  // NOMAXVALUE, within 64 bits
  long long start = 1;
  long long increment = 1;
  bool has_start = false;
  bool has_min = false;
  bool has_max = false;
  bool cycle = false;
};

struct Statement {
  StatementKind kind = StatementKind::kSelect;
  std::size_t offset = 0;
  std::unique_ptr<Query> query;  // SELECT, INSERT ... SELECT
  std::string table;             // INSERT/UPDATE/DELETE target, created or dropped object
  bool table_quoted = false;
  std::string alias;
  std::vector<std::string> columns;        // INSERT column list, index columns
  std::vector<std::string> column_orders;  // per index column: "", "ASC" or "DESC"
  std::vector<ExprPtr> values;             // INSERT ... VALUES
  std::vector<Assignment> sets;
  ExprPtr where;
  std::vector<ColumnDef> column_defs;
  std::vector<std::vector<std::string>> primary_keys;  // table constraints
  std::vector<std::vector<std::string>> unique_keys;
  std::vector<std::string> unique_key_names;
  std::string index_table;
  bool unique_index = false;
  SequenceOptions sequence;
};

// A whole text: one statement, or a Begin ... End; block of several.
struct Script {
  std::vector<Statement> statements;
  bool is_block = false;
};

}  // namespace lumvoucher::dialect
