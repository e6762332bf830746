#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumvoucher::dialect {

enum class TokenKind {
  kIdentifier,        // name or keyword, as written
  kQuotedIdentifier,  // "name"; text holds the name without quotes
  kNumber,
  kString,       // text holds the value with quotes undone; never empty
  kEmptyString,  // '' is NULL in Oracle
  kOperator,     // one of ( ) , . ; + - * / || = <> < > <= >=
  kJoinMark,     // (+), blanks inside allowed
  kEnd,
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;
  std::size_t offset = 0;
  int literal = -1;  // ordinal among the literals (numbers and strings) of the text
};

// A number or string literal of the statement text, in order of appearance.
struct Literal {
  enum class Kind { kInteger, kReal, kText };
  Kind kind = Kind::kText;
  std::string text;  // digits as written, or the string value
  std::size_t offset = 0;
};

struct Lexed {
  std::vector<Token> tokens;  // ends with a kEnd token
  std::vector<Literal> literals;
  // The text with every literal replaced by a marker of its kind, blanks, comments and case
  // as written: two statements with the same skeleton differ only in their literals' values.
  std::string skeleton;
};

// Splits Oracle SQL text into tokens. Throws TranslateError on a character or literal it
// cannot read. Without `with_tokens` only the skeleton and the literals are filled, for looking
// a statement up in a cache: one pass that finds the literals and checks little else (a text it
// does not refuse then may still fail to translate, but never matches a translated skeleton).
Lexed Tokenize(std::string_view sql, bool with_tokens = true);
// The same into `out`, reusing its buffers: a cache looking texts up scans without allocating.
void Tokenize(std::string_view sql, Lexed& out, bool with_tokens);

// Case-insensitive comparison of an identifier with an upper-case keyword.
bool IsKeyword(const Token& token, std::string_view upper_keyword);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);

}  // namespace lumvoucher::dialect
