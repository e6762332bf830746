#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "embedded/dialect/ast.h"
#include "embedded/dialect/column_types.h"
#include "embedded/dialect/tokenizer.h"

namespace lumvoucher::dialect {

// The type Oracle gives an expression, as far as the text and the declared column types tell.
// Follows the emitter through its query levels: a column belongs to the innermost level whose
// FROM list has it, as in Oracle's name resolution.
class ExpressionTypes {
 public:
  // `columns` may be null: every column is then of unknown type.
  ExpressionTypes(const Lexed& lexed, ColumnTypes* columns) : lexed_(lexed), columns_(columns) {}

  // A query level (or an UPDATE's or DELETE's target), for the expressions inside it, while
  // the Level lives.
  class Level {
   public:
    Level(ExpressionTypes& types, const std::vector<TableRef>& from);
    Level(ExpressionTypes& types, std::string_view table, std::string_view alias);
    ~Level() { types_.scopes_.pop_back(); }
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

   private:
    ExpressionTypes& types_;
  };

  // Throws TranslateError past kMaxWalkDepth.
  ValueType Of(const Expr& e);

 private:
  struct Scope {
    const std::vector<TableRef>* from = nullptr;  // or a target:
    std::string_view table;
    std::string_view alias;
  };

  ValueType OfColumn(const Expr& column);
  ValueType OfFunction(const Expr& call);
  ValueType OfFirstItem(const Query& query);
  std::optional<ValueType> InTable(const TableRef& ref, std::string_view column);
  std::optional<ValueType> InTable(std::string_view table, std::string_view column);
  std::optional<ValueType> InView(const Query& view, std::string_view column);
  std::optional<ValueType> ViewColumn(const Query& view, std::string_view column);

  const Lexed& lexed_;
  ColumnTypes* columns_;
  std::vector<Scope> scopes_;
  // Per inline view and upper-case column name: views nest views through `*`, and a name looked
  // for outwards would otherwise walk them all again at every level.
  std::map<std::pair<const Query*, std::string>, std::optional<ValueType>> views_;
  int depth_ = 0;
};

}  // namespace lumvoucher::dialect
