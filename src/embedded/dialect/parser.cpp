#include "embedded/dialect/parser.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

#include "embedded/dialect/chain.h"
#include "embedded/dialect/nesting.h"
#include "embedded/dialect/translate_error.h"

namespace lumvoucher::dialect {

namespace {

// Words that end an expression or a name list, so they are never taken for an alias.
constexpr std::string_view kReserved[] = {
    "SELECT", "FROM", "WHERE",  "GROUP",   "ORDER", "HAVING", "UNION",     "MINUS",  "INTERSECT",
    "EXCEPT", "ON",   "JOIN",   "INNER",   "LEFT",  "RIGHT",  "FULL",      "CROSS",  "NATURAL",
    "AND",    "OR",   "NOT",    "CONNECT", "START", "FOR",    "INTO",      "VALUES", "SET",
    "WHEN",   "THEN", "ELSE",   "END",     "AS",    "IS",     "IN",        "LIKE",   "BETWEEN",
    "NULL",   "CASE", "EXISTS", "BY",      "USING", "WITH",   "RETURNING", "PRIOR"};

bool IsReserved(const Token& token) {
  if (token.kind != TokenKind::kIdentifier) return false;
  for (std::string_view word : kReserved) {
    if (EqualsIgnoreCase(token.text, word)) return true;
  }
  return false;
}

class Parser {
 public:
  explicit Parser(const Lexed& lexed) : tokens_(lexed.tokens) {}

  Script ParseScript() {
    Script script;
    if (Keyword("BEGIN")) {
      script.is_block = true;
      Advance();
      while (true) {
        if (Keyword("END")) {
          Advance();
          if (Op(";")) Advance();
          break;
        }
        if (Peek().kind == TokenKind::kEnd) Refused("ORA-06550: block without END", Peek().offset);
        if (Keyword("COMMIT")) {
          // The block runs inside the caller's savepoint; its COMMIT is the block's end.
          Advance();
          Expect(";");
          continue;
        }
        if (Keyword("NULL")) {
          Advance();
          Expect(";");
          continue;
        }
        script.statements.push_back(ParseStatement());
        Expect(";");
      }
    } else if (Keyword("DECLARE")) {
      Unsupported("PL/SQL DECLARE block", Peek().offset);
    } else {
      script.statements.push_back(ParseStatement());
      if (Op(";")) Advance();
    }
    if (Peek().kind != TokenKind::kEnd) {
      Refused("ORA-00933: SQL command not properly ended near \"" + Peek().text + "\"",
              Peek().offset);
    }
    return script;
  }

 private:
  const Token& Peek(std::size_t ahead = 0) const {
    std::size_t at = pos_ + ahead;
    return at < tokens_.size() ? tokens_[at] : tokens_.back();
  }
  const Token& Advance() {
    const Token& token = tokens_[pos_];
    if (pos_ + 1 < tokens_.size()) ++pos_;
    return token;
  }
  bool Keyword(std::string_view word, std::size_t ahead = 0) const {
    return IsKeyword(Peek(ahead), word);
  }
  bool Op(std::string_view op, std::size_t ahead = 0) const {
    const Token& t = Peek(ahead);
    return t.kind == TokenKind::kOperator && t.text == op;
  }
  [[noreturn]] void Expected(std::string_view what) const {
    const Token& t = Peek();
    std::string found = t.kind == TokenKind::kEnd ? "end of text" : "\"" + t.text + "\"";
    Refused("expected " + std::string(what) + " but found " + found, t.offset);
  }
  void Expect(std::string_view op) {
    if (!Op(op)) Expected("\"" + std::string(op) + "\"");
    Advance();
  }
  void ExpectKeyword(std::string_view word) {
    if (!Keyword(word)) Expected(word);
    Advance();
  }
  bool IsName(const Token& t) const {
    return (t.kind == TokenKind::kIdentifier && !IsReserved(t)) ||
           t.kind == TokenKind::kQuotedIdentifier;
  }
  std::string ExpectName(std::string_view what, bool* quoted = nullptr) {
    const Token& t = Peek();
    if (!IsName(t)) Expected(what);
    if (quoted) *quoted = t.kind == TokenKind::kQuotedIdentifier;
    return Advance().text;
  }
  // A schema-qualified object name: the owner is dropped, one database holds one schema.
  std::string ExpectObjectName(std::string_view what, bool* quoted = nullptr) {
    std::string name = ExpectName(what, quoted);
    if (Op(".") && IsName(Peek(1))) {
      Advance();
      name = ExpectName(what, quoted);
    }
    return name;
  }
  long long ExpectInteger() {
    bool negative = false;
    if (Op("-")) {
      negative = true;
      Advance();
    }
    const Token& t = Peek();
    if (t.kind != TokenKind::kNumber || t.text.find_first_of(".eE") != std::string::npos) {
      Expected("an integer");
    }
    long long value = std::strtoll(t.text.c_str(), nullptr, 10);
    Advance();
    return negative ? -value : value;
  }

  std::string Spell(std::size_t first, std::size_t end) const {
    std::string text;
    for (std::size_t i = first; i < end; ++i) {
      const Token& t = tokens_[i];
      switch (t.kind) {
        case TokenKind::kString:
          text += '\'';
          for (char c : t.text) text += c == '\'' ? std::string("''") : std::string(1, c);
          text += '\'';
          break;
        case TokenKind::kQuotedIdentifier:
          text += '"' + t.text + '"';
          break;
        default:
          text += t.text;
      }
    }
    return text;
  }

  Statement ParseStatement() {
    const Token& t = Peek();
    if (Keyword("SELECT") || Op("(")) {
      Statement s;
      s.kind = StatementKind::kSelect;
      s.offset = t.offset;
      s.query = ParseQuery();
      return s;
    }
    if (Keyword("INSERT")) return ParseInsert();
    if (Keyword("UPDATE")) return ParseUpdate();
    if (Keyword("DELETE")) return ParseDelete();
    if (Keyword("CREATE")) return ParseCreate();
    if (Keyword("DROP")) return ParseDrop();
    if (t.kind == TokenKind::kIdentifier) {
      for (std::string_view word :
           {"WITH", "MERGE", "TRUNCATE", "ALTER", "GRANT", "COMMIT", "ROLLBACK", "SAVEPOINT",
            "LOCK", "CALL", "EXECUTE", "COMMENT", "RENAME", "EXPLAIN"}) {
        if (EqualsIgnoreCase(t.text, word)) Unsupported(ToUpper(word) + " statement", t.offset);
      }
    }
    Refused("ORA-00900: invalid SQL statement", t.offset);
  }

  // The height of a query from its parts, each sealed already.
  static int HeightOf(const Query& q) {
    int below = 0;
    auto take = [&below](const ExprPtr& e) {
      if (e) below = std::max(below, e->height);
    };
    for (const auto& s : q.selects) {
      for (const SelectItem& item : s->items) take(item.expr);
      for (const TableRef& ref : s->from) {
        if (ref.subquery) below = std::max(below, ref.subquery->height);
      }
      take(s->where);
      for (const ExprPtr& g : s->group_by) take(g);
      take(s->having);
    }
    for (const OrderItem& item : q.order_by) take(item.expr);
    return below + 1;
  }

  std::unique_ptr<Query> ParseQuery() {
    const std::size_t offset = Peek().offset;
    DepthGuard guard(depth_, kMaxNesting, offset);
    auto query = std::make_unique<Query>();
    ParseQueryTerm(*query);
    while (true) {
      std::string op;
      if (Keyword("UNION")) {
        Advance();
        op = "UNION";
        if (Keyword("ALL")) {
          Advance();
          op = "UNION ALL";
        }
      } else if (Keyword("MINUS") || Keyword("EXCEPT")) {
        Advance();
        op = "MINUS";
      } else if (Keyword("INTERSECT")) {
        Advance();
        op = "INTERSECT";
      } else {
        break;
      }
      query->set_ops.push_back(op);
      ParseQueryTerm(*query);
    }
    if (Keyword("ORDER")) {
      Advance();
      ExpectKeyword("BY");
      do {
        OrderItem item;
        item.expr = ParseExpr();
        if (Keyword("ASC")) {
          Advance();
        } else if (Keyword("DESC")) {
          Advance();
          item.descending = true;
        }
        if (Keyword("NULLS")) {
          Advance();
          if (Keyword("FIRST")) {
            item.nulls = 1;
          } else if (Keyword("LAST")) {
            item.nulls = 2;
          } else {
            Expected("FIRST or LAST");
          }
          Advance();
        }
        query->order_by.push_back(std::move(item));
      } while (Op(",") && (Advance(), true));
    }
    if (Keyword("FOR") && Keyword("UPDATE", 1)) Unsupported("FOR UPDATE", Peek().offset);
    if (Keyword("OFFSET") || Keyword("FETCH")) Unsupported("row limiting clause", Peek().offset);
    query->height = HeightOf(*query);
    if (query->height > kMaxNesting) TooDeep(offset);
    return query;
  }

  // A SELECT, or a parenthesised query whose single SELECT joins the outer compound.
  void ParseQueryTerm(Query& query) {
    if (Op("(")) {
      const std::size_t offset = Peek().offset;
      Advance();
      std::unique_ptr<Query> inner = ParseQuery();
      Expect(")");
      if (inner->selects.size() != 1 || !inner->order_by.empty()) {
        Unsupported("parenthesised compound query", offset);
      }
      query.selects.push_back(std::move(inner->selects.front()));
      return;
    }
    query.selects.push_back(ParseSelect());
  }

  std::unique_ptr<Select> ParseSelect() {
    auto select = std::make_unique<Select>();
    select->offset = Peek().offset;
    ExpectKeyword("SELECT");
    if (Keyword("DISTINCT") || Keyword("UNIQUE")) {
      Advance();
      select->distinct = true;
    } else if (Keyword("ALL")) {
      Advance();
    }
    do {
      SelectItem item;
      if (Op("*")) {
        auto star = std::make_unique<Expr>();
        star->kind = ExprKind::kStar;
        star->offset = Advance().offset;
        item.expr = std::move(star);
      } else {
        const std::size_t first = pos_;
        item.expr = ParseExpr();
        item.spelling = Spell(first, pos_);
        if (Keyword("AS")) {
          Advance();
          const Token& a = Peek();
          if (a.kind != TokenKind::kIdentifier && a.kind != TokenKind::kQuotedIdentifier) {
            Expected("an alias");
          }
          item.alias_quoted = a.kind == TokenKind::kQuotedIdentifier;
          item.alias = Advance().text;
        } else if (IsName(Peek())) {
          item.alias_quoted = Peek().kind == TokenKind::kQuotedIdentifier;
          item.alias = Advance().text;
        }
      }
      select->items.push_back(std::move(item));
    } while (Op(",") && (Advance(), true));
    if (Keyword("INTO")) Unsupported("SELECT INTO", Peek().offset);
    ExpectKeyword("FROM");
    do {
      select->from.push_back(ParseTableRef());
    } while (Op(",") && (Advance(), true));
    for (std::string_view word : {"JOIN", "INNER", "LEFT", "RIGHT", "FULL", "CROSS", "NATURAL"}) {
      if (Keyword(word)) Unsupported("ANSI JOIN", Peek().offset);
    }
    if (Keyword("WHERE")) {
      Advance();
      select->where = ParseExpr();
    }
    if (Keyword("CONNECT")) Unsupported("CONNECT BY", Peek().offset);
    if (Keyword("START")) Unsupported("START WITH", Peek().offset);
    if (Keyword("GROUP")) {
      Advance();
      ExpectKeyword("BY");
      do {
        select->group_by.push_back(ParseExpr());
      } while (Op(",") && (Advance(), true));
    }
    if (Keyword("HAVING")) {
      Advance();
      select->having = ParseExpr();
    }
    return select;
  }

  TableRef ParseTableRef() {
    TableRef ref;
    ref.offset = Peek().offset;
    if (Op("(")) {
      Advance();
      if (!Keyword("SELECT") && !Op("(")) Expected("a sub-query");
      ref.subquery = ParseQuery();
      Expect(")");
    } else {
      ref.name = ExpectObjectName("a table name", &ref.quoted);
      if (Op("@")) Unsupported("database link", Peek().offset);
    }
    if (Keyword("AS")) Advance();
    if (IsName(Peek())) {
      ref.alias_quoted = Peek().kind == TokenKind::kQuotedIdentifier;
      ref.alias = Advance().text;
    }
    return ref;
  }

  Statement ParseInsert() {
    Statement s;
    s.kind = StatementKind::kInsert;
    s.offset = Advance().offset;
    ExpectKeyword("INTO");
    s.table = ExpectObjectName("a table name", &s.table_quoted);
    if (IsName(Peek())) s.alias = Advance().text;
    if (Op("(") && !Keyword("SELECT", 1)) {
      Advance();
      do {
        s.columns.push_back(ExpectName("a column name"));
      } while (Op(",") && (Advance(), true));
      Expect(")");
    }
    if (Keyword("VALUES")) {
      Advance();
      Expect("(");
      do {
        s.values.push_back(ParseExpr());
      } while (Op(",") && (Advance(), true));
      Expect(")");
    } else if (Keyword("SELECT") || Op("(")) {
      s.query = ParseQuery();
    } else {
      Expected("VALUES or SELECT");
    }
    if (Keyword("RETURNING")) Unsupported("RETURNING", Peek().offset);
    return s;
  }

  Statement ParseUpdate() {
    Statement s;
    s.kind = StatementKind::kUpdate;
    s.offset = Advance().offset;
    s.table = ExpectObjectName("a table name", &s.table_quoted);
    if (IsName(Peek())) s.alias = Advance().text;
    ExpectKeyword("SET");
    do {
      Assignment a;
      a.offset = Peek().offset;
      if (Op("(")) Unsupported("multi-column SET", a.offset);
      std::string qualifier;
      std::string name = ExpectName("a column name");
      if (Op(".")) {
        Advance();
        qualifier = name;
        name = ExpectName("a column name");
        // A SET target may be qualified only by the table's own name or alias.
        if (!EqualsIgnoreCase(qualifier, s.alias) && !EqualsIgnoreCase(qualifier, s.table)) {
          Refused("ORA-00904: \"" + ToUpper(qualifier) + "\".\"" + ToUpper(name) +
                      "\": invalid identifier",
                  a.offset);
        }
      }
      a.column = name;
      Expect("=");
      a.value = ParseExpr();
      s.sets.push_back(std::move(a));
    } while (Op(",") && (Advance(), true));
    if (Keyword("WHERE")) {
      Advance();
      s.where = ParseExpr();
    }
    if (Keyword("RETURNING")) Unsupported("RETURNING", Peek().offset);
    return s;
  }

  Statement ParseDelete() {
    Statement s;
    s.kind = StatementKind::kDelete;
    s.offset = Advance().offset;
    if (Keyword("FROM")) Advance();
    if (Op("(")) Unsupported("DELETE from a sub-query", Peek().offset);
    s.table = ExpectObjectName("a table name", &s.table_quoted);
    if (IsName(Peek())) s.alias = Advance().text;
    if (Keyword("WHERE")) {
      Advance();
      s.where = ParseExpr();
    }
    if (Keyword("RETURNING")) Unsupported("RETURNING", Peek().offset);
    return s;
  }

  Statement ParseCreate() {
    const std::size_t offset = Advance().offset;
    if (Keyword("TABLE")) {
      Advance();
      return ParseCreateTable(offset);
    }
    if (Keyword("UNIQUE") && Keyword("INDEX", 1)) {
      Advance();
      Advance();
      return ParseCreateIndex(offset, true);
    }
    if (Keyword("INDEX")) {
      Advance();
      return ParseCreateIndex(offset, false);
    }
    if (Keyword("SEQUENCE")) {
      Advance();
      return ParseCreateSequence(offset);
    }
    if (Keyword("OR")) Unsupported("CREATE OR REPLACE", Peek().offset);
    if (Keyword("GLOBAL")) Unsupported("GLOBAL TEMPORARY TABLE", Peek().offset);
    Unsupported("CREATE " + ToUpper(Peek().text), Peek().offset);
  }

  std::vector<std::string> ParseNameList() {
    std::vector<std::string> names;
    Expect("(");
    do {
      names.push_back(ExpectName("a column name"));
    } while (Op(",") && (Advance(), true));
    Expect(")");
    return names;
  }

  std::string ParseColumnType() {
    const Token& t = Peek();
    if (t.kind != TokenKind::kIdentifier) Expected("a column type");
    std::string type = ToUpper(Advance().text);
    std::vector<long long> args;
    if (Op("(")) {
      Advance();
      do {
        args.push_back(ExpectInteger());
        if (Keyword("BYTE") || Keyword("CHAR")) Advance();
      } while (Op(",") && (Advance(), true));
      Expect(")");
    }
    if (type == "NUMBER" || type == "NUMERIC" || type == "DECIMAL") {
      if (args.size() >= 2 && args[1] > 0) return "NUMERIC";
      return args.empty() ? "NUMERIC" : "INT";
    }
    if (type == "INTEGER" || type == "INT" || type == "SMALLINT") return "INT";
    if (type == "FLOAT" || type == "BINARY_DOUBLE" || type == "BINARY_FLOAT" || type == "REAL") {
      return "REAL";
    }
    if (type == "DOUBLE") {
      ExpectKeyword("PRECISION");
      return "REAL";
    }
    if (type == "VARCHAR2" || type == "VARCHAR" || type == "NVARCHAR2" || type == "CHAR" ||
        type == "NCHAR" || type == "CLOB" || type == "NCLOB" || type == "LONG" || type == "DATE" ||
        type == "TIMESTAMP") {
      return "TEXT";
    }
    if (type == "BLOB" || type == "RAW") return "BLOB";
    Unsupported("column type " + type, t.offset);
  }

  Statement ParseCreateTable(std::size_t offset) {
    Statement s;
    s.kind = StatementKind::kCreateTable;
    s.offset = offset;
    s.table = ExpectObjectName("a table name", &s.table_quoted);
    if (Keyword("AS")) Unsupported("CREATE TABLE AS SELECT", Peek().offset);
    Expect("(");
    do {
      std::string constraint_name;
      if (Keyword("CONSTRAINT")) {
        Advance();
        constraint_name = ExpectName("a constraint name");
      }
      if (Keyword("PRIMARY")) {
        Advance();
        ExpectKeyword("KEY");
        s.primary_keys.push_back(ParseNameList());
        continue;
      }
      if (Keyword("UNIQUE")) {
        Advance();
        s.unique_keys.push_back(ParseNameList());
        s.unique_key_names.push_back(constraint_name);
        continue;
      }
      if (Keyword("FOREIGN") || Keyword("CHECK")) {
        Unsupported(ToUpper(Peek().text) + " constraint", Peek().offset);
      }
      if (!constraint_name.empty()) Expected("PRIMARY KEY or UNIQUE");
      ColumnDef column;
      column.name = ExpectName("a column name", &column.quoted);
      column.type = ParseColumnType();
      while (true) {
        if (Keyword("DEFAULT")) {
          Advance();
          column.default_value = ParseAdditive();
        } else if (Keyword("NOT") && Keyword("NULL", 1)) {
          Advance();
          Advance();
          column.not_null = true;
        } else if (Keyword("NULL")) {
          Advance();
        } else if (Keyword("PRIMARY")) {
          Advance();
          ExpectKeyword("KEY");
          column.primary_key = true;
        } else if (Keyword("UNIQUE")) {
          Advance();
          column.unique = true;
        } else if (Keyword("CONSTRAINT")) {
          Advance();
          ExpectName("a constraint name");
        } else if (Keyword("REFERENCES") || Keyword("CHECK")) {
          Unsupported(ToUpper(Peek().text) + " constraint", Peek().offset);
        } else {
          break;
        }
      }
      s.column_defs.push_back(std::move(column));
    } while (Op(",") && (Advance(), true));
    Expect(")");
    if (Peek().kind == TokenKind::kIdentifier) {
      Unsupported("table option " + ToUpper(Peek().text), Peek().offset);
    }
    return s;
  }

  Statement ParseCreateIndex(std::size_t offset, bool unique) {
    Statement s;
    s.kind = StatementKind::kCreateIndex;
    s.offset = offset;
    s.unique_index = unique;
    s.table = ExpectObjectName("an index name", &s.table_quoted);
    ExpectKeyword("ON");
    s.index_table = ExpectObjectName("a table name");
    Expect("(");
    do {
      s.columns.push_back(ExpectName("a column name"));
      if (Op("(") || Op("||") || Op("+")) Unsupported("function-based index", Peek().offset);
      std::string order;
      if (Keyword("ASC") || Keyword("DESC")) order = ToUpper(Advance().text);
      s.column_orders.push_back(order);
    } while (Op(",") && (Advance(), true));
    Expect(")");
    if (Peek().kind == TokenKind::kIdentifier) {
      Unsupported("index option " + ToUpper(Peek().text), Peek().offset);
    }
    return s;
  }

  Statement ParseCreateSequence(std::size_t offset) {
    Statement s;
    s.kind = StatementKind::kCreateSequence;
    s.offset = offset;
    s.table = ExpectObjectName("a sequence name", &s.table_quoted);
    SequenceOptions& o = s.sequence;
    while (Peek().kind == TokenKind::kIdentifier) {
      const Token& t = Peek();
      if (Keyword("MINVALUE")) {
        Advance();
        o.min_value = ExpectInteger();
        o.has_min = true;
      } else if (Keyword("MAXVALUE")) {
        Advance();
        o.max_value = ExpectInteger();
        o.has_max = true;
      } else if (Keyword("START")) {
        Advance();
        ExpectKeyword("WITH");
        o.start = ExpectInteger();
        o.has_start = true;
      } else if (Keyword("INCREMENT")) {
        Advance();
        ExpectKeyword("BY");
        o.increment = ExpectInteger();
      } else if (Keyword("CACHE")) {
        Advance();
        ExpectInteger();
      } else if (Keyword("CYCLE")) {
        Advance();
        o.cycle = true;
      } else if (Keyword("NOCACHE") || Keyword("NOCYCLE") || Keyword("ORDER") ||
                 Keyword("NOORDER") || Keyword("NOMINVALUE") || Keyword("NOMAXVALUE")) {
        Advance();
      } else {
        Unsupported("sequence option " + ToUpper(t.text), t.offset);
      }
    }
    if (o.increment == 0) Refused("ORA-04002: INCREMENT must be a non-zero integer", offset);
    if (o.increment < 0 && !o.has_max) o.max_value = -1;
    if (o.increment < 0 && !o.has_min) o.min_value = -999999999999999999LL;
    if (!o.has_start) o.start = o.increment > 0 ? o.min_value : o.max_value;
    if (o.min_value > o.max_value) {
      Refused("ORA-04004: MINVALUE must be less than MAXVALUE", offset);
    }
    if (o.start < o.min_value) {
      Refused("ORA-04006: START WITH cannot be less than MINVALUE", offset);
    }
    if (o.start > o.max_value)
      Refused("ORA-04008: START WITH cannot be more than MAXVALUE", offset);
    return s;
  }

  Statement ParseDrop() {
    Statement s;
    s.offset = Advance().offset;
    if (Keyword("TABLE")) {
      s.kind = StatementKind::kDropTable;
    } else if (Keyword("INDEX")) {
      s.kind = StatementKind::kDropIndex;
    } else if (Keyword("SEQUENCE")) {
      s.kind = StatementKind::kDropSequence;
    } else {
      Unsupported("DROP " + ToUpper(Peek().text), Peek().offset);
    }
    Advance();
    s.table = ExpectObjectName("a name", &s.table_quoted);
    if (s.kind == StatementKind::kDropTable && Keyword("PURGE")) Advance();
    return s;
  }

  // Expressions, loosest binding first. Every recursion of the parser passes through here,
  // ParseQuery, or the NOT and sign prefixes, each counting a level.
  ExprPtr ParseExpr() {
    DepthGuard guard(depth_, kMaxNesting, Peek().offset);
    return ParseOr();
  }

  // Sets the height of a node whose children are sealed. A tree taller than the limit is
  // refused here, before a walk over it could exhaust the stack.
  static ExprPtr Seal(ExprPtr e) {
    int below = 0;
    for (const ExprPtr& a : e->args) below = std::max(below, a->height);
    if (e->query) below = std::max(below, e->query->height);
    e->height = below + 1;
    if (e->height > kMaxNesting) TooDeep(e->offset);
    return e;
  }

  static ExprPtr MakeBinary(std::string op, ExprPtr left, ExprPtr right, std::size_t offset) {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::kBinary;
    e->op = std::move(op);
    e->offset = offset;
    e->args.push_back(std::move(left));
    e->args.push_back(std::move(right));
    return Seal(std::move(e));
  }

  // The operator of `ops` at the cursor (keywords as upper case), or empty.
  std::string ChainOperator(std::initializer_list<std::string_view> ops) const {
    for (std::string_view op : ops) {
      if (Op(op) || Keyword(op)) return std::string(op);
    }
    return {};
  }

  // Operands of one precedence level read by `next`, joined by `ops`: a loop, however long the
  // chain, and a tree that stays shallow (MakeChain).
  ExprPtr ParseChain(ExprPtr (Parser::*next)(), std::initializer_list<std::string_view> ops) {
    ExprPtr first = (this->*next)();
    std::string op = ChainOperator(ops);
    if (op.empty()) return first;
    std::vector<ExprPtr> operands;
    std::vector<ChainOp> between;
    operands.push_back(std::move(first));
    do {
      between.push_back({std::move(op), Advance().offset});
      operands.push_back((this->*next)());
      op = ChainOperator(ops);
    } while (!op.empty());
    return MakeChain(std::move(operands), between, kMaxNesting);
  }

  ExprPtr ParseOr() { return ParseChain(&Parser::ParseAnd, {"OR"}); }

  ExprPtr ParseAnd() { return ParseChain(&Parser::ParseNot, {"AND"}); }

  ExprPtr ParseNot() {
    if (Keyword("NOT")) {
      DepthGuard guard(depth_, kMaxNesting, Peek().offset);
      auto e = std::make_unique<Expr>();
      e->kind = ExprKind::kUnary;
      e->op = "NOT";
      e->offset = Advance().offset;
      e->args.push_back(ParseNot());
      return Seal(std::move(e));
    }
    return ParseComparison();
  }

  ExprPtr ParseComparison() {
    ExprPtr left = ParseAdditive();
    const Token& t = Peek();
    if (Keyword("IS")) {
      Advance();
      auto e = std::make_unique<Expr>();
      e->kind = ExprKind::kIsNull;
      e->offset = t.offset;
      if (Keyword("NOT")) {
        Advance();
        e->negated = true;
      }
      ExpectKeyword("NULL");
      e->args.push_back(std::move(left));
      return Seal(std::move(e));
    }
    bool negated = false;
    if (Keyword("NOT") && (Keyword("IN", 1) || Keyword("LIKE", 1) || Keyword("BETWEEN", 1))) {
      Advance();
      negated = true;
    }
    if (Keyword("IN")) {
      auto e = std::make_unique<Expr>();
      e->kind = ExprKind::kIn;
      e->offset = Advance().offset;
      e->negated = negated;
      e->args.push_back(std::move(left));
      Expect("(");
      if (Keyword("SELECT")) {
        e->query = ParseQuery();
      } else {
        do {
          e->args.push_back(ParseExpr());
        } while (Op(",") && (Advance(), true));
      }
      Expect(")");
      return Seal(std::move(e));
    }
    if (Keyword("LIKE")) {
      auto e = std::make_unique<Expr>();
      e->kind = ExprKind::kLike;
      e->offset = Advance().offset;
      e->negated = negated;
      e->args.push_back(std::move(left));
      e->args.push_back(ParseAdditive());
      if (Keyword("ESCAPE")) {
        Advance();
        e->args.push_back(ParseAdditive());
      }
      return Seal(std::move(e));
    }
    if (Keyword("BETWEEN")) {
      auto e = std::make_unique<Expr>();
      e->kind = ExprKind::kBetween;
      e->offset = Advance().offset;
      e->negated = negated;
      e->args.push_back(std::move(left));
      e->args.push_back(ParseAdditive());
      ExpectKeyword("AND");
      e->args.push_back(ParseAdditive());
      return Seal(std::move(e));
    }
    if (t.kind == TokenKind::kOperator && (t.text == "=" || t.text == "<>" || t.text == "<" ||
                                           t.text == ">" || t.text == "<=" || t.text == ">=")) {
      Advance();
      if (Keyword("ANY") || Keyword("ALL") || Keyword("SOME")) {
        Unsupported(ToUpper(Peek().text) + " comparison", Peek().offset);
      }
      return MakeBinary(t.text, std::move(left), ParseAdditive(), t.offset);
    }
    return left;
  }

  // Oracle gives || the precedence of + and -.
  ExprPtr ParseAdditive() { return ParseChain(&Parser::ParseMultiplicative, {"+", "-", "||"}); }

  ExprPtr ParseMultiplicative() { return ParseChain(&Parser::ParseUnary, {"*", "/"}); }

  ExprPtr ParseUnary() {
    if (Op("-") || Op("+")) {
      DepthGuard guard(depth_, kMaxNesting, Peek().offset);
      auto e = std::make_unique<Expr>();
      e->kind = ExprKind::kUnary;
      e->offset = Peek().offset;
      e->op = Advance().text;
      e->args.push_back(ParseUnary());
      return Seal(std::move(e));
    }
    return ParsePrimary();
  }

  ExprPtr ParsePrimary() {
    const Token& t = Peek();
    auto e = std::make_unique<Expr>();
    e->offset = t.offset;
    switch (t.kind) {
      case TokenKind::kNumber:
      case TokenKind::kString:
        e->kind = ExprKind::kLiteral;
        e->literal = t.literal;
        e->is_text = t.kind == TokenKind::kString;
        Advance();
        return e;
      case TokenKind::kEmptyString:
        e->kind = ExprKind::kNull;
        Advance();
        return e;
      case TokenKind::kOperator:
        if (t.text == "(") {
          Advance();
          if (Keyword("SELECT")) {
            e->kind = ExprKind::kSubquery;
            e->query = ParseQuery();
            Expect(")");
            return Seal(std::move(e));
          }
          ExprPtr inner = ParseExpr();
          if (Op(",")) Unsupported("row value", Peek().offset);
          Expect(")");
          return inner;
        }
        Expected("an expression");
      case TokenKind::kJoinMark:
        Refused("ORA-00936: missing expression before (+)", t.offset);
      case TokenKind::kEnd:
        Expected("an expression");
      case TokenKind::kIdentifier:
      case TokenKind::kQuotedIdentifier:
        break;
    }
    if (t.kind == TokenKind::kIdentifier) {
      if (Keyword("NULL")) {
        e->kind = ExprKind::kNull;
        Advance();
        return e;
      }
      if (Keyword("CASE")) return ParseCase();
      if (Keyword("EXISTS")) {
        Advance();
        e->kind = ExprKind::kExists;
        Expect("(");
        e->query = ParseQuery();
        Expect(")");
        return Seal(std::move(e));
      }
      if ((Keyword("SYSDATE") || Keyword("SYSTIMESTAMP")) && !Op("(", 1)) {
        e->kind = ExprKind::kClock;
        e->op = ToUpper(Advance().text);
        return e;
      }
      for (std::string_view word : {"ROWNUM", "ROWID", "LEVEL", "PRIOR", "USER", "UID",
                                    "CURRENT_DATE", "CURRENT_TIMESTAMP", "LOCALTIMESTAMP"}) {
        if (Keyword(word) && !Op(".", 1) && !Op("(", 1)) Unsupported(ToUpper(word), t.offset);
      }
      if (IsReserved(t)) Expected("an expression");
    }
    // A name: column, qualified column, sequence pseudo-column or function call.
    e->names.push_back(t.text);
    e->quoted.push_back(t.kind == TokenKind::kQuotedIdentifier);
    Advance();
    while (Op(".")) {
      Advance();
      if (Op("*")) {
        Advance();
        e->kind = ExprKind::kStar;
        return e;
      }
      const Token& part = Peek();
      if (part.kind != TokenKind::kIdentifier && part.kind != TokenKind::kQuotedIdentifier) {
        Expected("a name after \".\"");
      }
      e->names.push_back(part.text);
      e->quoted.push_back(part.kind == TokenKind::kQuotedIdentifier);
      Advance();
    }
    if (Op("(")) return ParseCall(std::move(e));
    if (e->names.size() >= 2 && (EqualsIgnoreCase(e->names.back(), "NEXTVAL") ||
                                 EqualsIgnoreCase(e->names.back(), "CURRVAL"))) {
      e->kind = ExprKind::kSequence;
      e->op = ToUpper(e->names.back());
      std::string sequence = e->names[e->names.size() - 2];
      e->names = {sequence};
      return e;
    }
    e->kind = ExprKind::kColumn;
    if (e->names.size() > 3) Refused("ORA-00904: invalid identifier", e->offset);
    if (Peek().kind == TokenKind::kJoinMark) {
      Advance();
      e->join_mark = true;
    }
    return e;
  }

  ExprPtr ParseCall(ExprPtr e) {
    // The owner of a schema function (owner.ContainFlexibleid) names the one schema there is.
    e->kind = ExprKind::kFunction;
    e->op = e->names.back();
    e->names.clear();
    e->quoted.clear();
    Expect("(");
    if (Op("*")) {
      Advance();
      e->star = true;
    } else if (!Op(")")) {
      if (Keyword("DISTINCT") || Keyword("UNIQUE")) {
        Advance();
        e->distinct = true;
      } else if (Keyword("ALL")) {
        Advance();
      }
      do {
        e->args.push_back(ParseExpr());
      } while (Op(",") && (Advance(), true));
    }
    Expect(")");
    if (Keyword("OVER")) Unsupported("analytic function " + ToUpper(e->op), Peek().offset);
    if (Keyword("KEEP")) Unsupported("KEEP clause", Peek().offset);
    if (Peek().kind == TokenKind::kJoinMark) {
      Refused("ORA-00936: (+) applies to a column only", Peek().offset);
    }
    return Seal(std::move(e));
  }

  ExprPtr ParseCase() {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::kCase;
    e->offset = Advance().offset;
    if (!Keyword("WHEN")) {
      e->has_operand = true;
      e->args.push_back(ParseExpr());
    }
    if (!Keyword("WHEN")) Expected("WHEN");
    while (Keyword("WHEN")) {
      Advance();
      e->args.push_back(ParseExpr());
      ExpectKeyword("THEN");
      e->args.push_back(ParseExpr());
    }
    if (Keyword("ELSE")) {
      Advance();
      e->has_else = true;
      e->args.push_back(ParseExpr());
    }
    ExpectKeyword("END");
    return Seal(std::move(e));
  }

  const std::vector<Token>& tokens_;
  std::size_t pos_ = 0;
  int depth_ = 0;
};

}  // namespace

Script Parse(const Lexed& lexed) {
  return Parser(lexed).ParseScript();
}

}  // namespace lumvoucher::dialect
