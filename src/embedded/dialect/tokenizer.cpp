#include "embedded/dialect/tokenizer.h"

#include <cctype>
#include <string>

#include "embedded/dialect/translate_error.h"

namespace lumvoucher::dialect {

namespace {

bool IsIdentifierStart(unsigned char c) {
  // Bytes of multi-byte UTF-8 characters: Oracle takes Chinese letters in plain names.
  return std::isalpha(c) || c == '_' || c >= 0x80;
}

bool IsIdentifierPart(unsigned char c) {
  return std::isalnum(c) || c == '_' || c == '$' || c == '#' || c >= 0x80;
}

// Marks in the skeleton cannot occur in SQL text outside literals, so a skeleton never
// collides with a statement's own spelling.
constexpr char kSeparator = '\x1f';
constexpr char kTextMark = '\x01';
constexpr char kIntegerMark = '\x02';
constexpr char kRealMark = '\x03';

}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool IsKeyword(const Token& token, std::string_view upper_keyword) {
  return token.kind == TokenKind::kIdentifier && EqualsIgnoreCase(token.text, upper_keyword);
}

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

Lexed Tokenize(std::string_view sql) {
  Lexed out;
  out.tokens.reserve(sql.size() / 4 + 2);
  out.skeleton.reserve(sql.size());
  const std::size_t n = sql.size();
  std::size_t i = 0;
  auto push = [&](TokenKind kind, std::string text, std::size_t offset) {
    Token token{kind, std::move(text), offset, -1};
    switch (kind) {
      case TokenKind::kString:
      case TokenKind::kNumber: {
        Literal literal;
        literal.offset = offset;
        literal.text = token.text;
        if (kind == TokenKind::kString) {
          literal.kind = Literal::Kind::kText;
          out.skeleton += kTextMark;
        } else {
          bool integer = token.text.find_first_of(".eE") == std::string::npos &&
                         token.text.size() <= 18;
          literal.kind = integer ? Literal::Kind::kInteger : Literal::Kind::kReal;
          out.skeleton += integer ? kIntegerMark : kRealMark;
        }
        token.literal = static_cast<int>(out.literals.size());
        out.literals.push_back(std::move(literal));
        break;
      }
      case TokenKind::kQuotedIdentifier:
        out.skeleton += '"';
        out.skeleton += token.text;
        out.skeleton += '"';
        break;
      default:
        out.skeleton += token.text;
    }
    out.skeleton += kSeparator;
    out.tokens.push_back(std::move(token));
  };

  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(sql[i]);
    if (std::isspace(c)) {
      ++i;
      continue;
    }
    if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
      while (i < n && sql[i] != '\n') ++i;
      continue;
    }
    if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
      std::size_t end = sql.find("*/", i + 2);
      if (end == std::string_view::npos) Refused("unterminated comment", i);
      i = end + 2;
      continue;
    }
    const std::size_t start = i;
    if (IsIdentifierStart(c)) {
      while (i < n && IsIdentifierPart(static_cast<unsigned char>(sql[i]))) ++i;
      push(TokenKind::kIdentifier, std::string(sql.substr(start, i - start)), start);
      continue;
    }
    if (std::isdigit(c) || (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(sql[i + 1])))) {
      while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
      if (i < n && sql[i] == '.' && !(i + 1 < n && sql[i + 1] == '.')) {
        ++i;
        while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
      }
      if (i < n && (sql[i] == 'e' || sql[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (sql[j] == '+' || sql[j] == '-')) ++j;
        if (j < n && std::isdigit(static_cast<unsigned char>(sql[j]))) {
          i = j;
          while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
        }
      }
      if (i < n && IsIdentifierStart(static_cast<unsigned char>(sql[i]))) {
        Unsupported("number suffix", i);
      }
      push(TokenKind::kNumber, std::string(sql.substr(start, i - start)), start);
      continue;
    }
    if (c == '\'') {
      std::string value;
      ++i;
      while (true) {
        if (i >= n) Refused("ORA-01756: quoted string not properly terminated", start);
        if (sql[i] == '\'') {
          if (i + 1 < n && sql[i + 1] == '\'') {
            value += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        value += sql[i++];
      }
      if (value.empty()) {
        push(TokenKind::kEmptyString, "''", start);
      } else {
        push(TokenKind::kString, std::move(value), start);
      }
      continue;
    }
    if (c == '"') {
      std::size_t end = sql.find('"', i + 1);
      if (end == std::string_view::npos || end == i + 1) {
        Refused("ORA-01740: missing double quote in identifier", start);
      }
      push(TokenKind::kQuotedIdentifier, std::string(sql.substr(i + 1, end - i - 1)), start);
      i = end + 1;
      continue;
    }
    if (c == '(') {
      // "( + )" with blanks inside is still the join mark.
      std::size_t j = i + 1;
      while (j < n && std::isspace(static_cast<unsigned char>(sql[j]))) ++j;
      if (j < n && sql[j] == '+') {
        std::size_t k = j + 1;
        while (k < n && std::isspace(static_cast<unsigned char>(sql[k]))) ++k;
        if (k < n && sql[k] == ')') {
          push(TokenKind::kJoinMark, "(+)", start);
          i = k + 1;
          continue;
        }
      }
      push(TokenKind::kOperator, "(", start);
      ++i;
      continue;
    }
    auto two = [&](const char* op) { return i + 1 < n && sql[i] == op[0] && sql[i + 1] == op[1]; };
    if (two("||") || two("<>") || two("<=") || two(">=")) {
      push(TokenKind::kOperator, std::string(sql.substr(i, 2)), start);
      i += 2;
      continue;
    }
    if (two("!=") || two("^=")) {
      push(TokenKind::kOperator, "<>", start);
      i += 2;
      continue;
    }
    switch (c) {
      case ')':
      case ',':
      case '.':
      case ';':
      case '+':
      case '-':
      case '*':
      case '/':
      case '=':
      case '<':
      case '>':
        push(TokenKind::kOperator, std::string(1, static_cast<char>(c)), start);
        ++i;
        continue;
      case ':':
        Unsupported("bind variable", start);
      case '@':
        Unsupported("database link", start);
      default:
        Refused("ORA-00911: invalid character", start);
    }
  }
  out.tokens.push_back(Token{TokenKind::kEnd, "", n, -1});
  return out;
}

}  // namespace lumvoucher::dialect
