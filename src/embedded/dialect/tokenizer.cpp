#include "embedded/dialect/tokenizer.h"

#include <array>
#include <cctype>
#include <string>

#include "embedded/dialect/translate_error.h"

namespace lumvoucher::dialect {

namespace {

// Character classes by table: the locale-aware <cctype> calls dominate a scan otherwise.
enum : unsigned char { kStart = 1, kPart = 2, kDigit = 4, kSpace = 8 };

constexpr std::array<unsigned char, 256> MakeClasses() {
  std::array<unsigned char, 256> t{};
  for (int c = 0; c < 256; ++c) {
    const bool alpha = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool digit = c >= '0' && c <= '9';
    // Bytes of multi-byte UTF-8 characters: Oracle takes Chinese letters in plain names.
    if (alpha || c == '_' || c >= 0x80) t[c] |= kStart;
    if (alpha || digit || c == '_' || c == '$' || c == '#' || c >= 0x80) t[c] |= kPart;
    if (digit) t[c] |= kDigit;
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') t[c] |= kSpace;
  }
  return t;
}

constexpr std::array<unsigned char, 256> kClasses = MakeClasses();

bool IsIdentifierStart(unsigned char c) {
  return kClasses[c] & kStart;
}
bool IsIdentifierPart(unsigned char c) {
  return kClasses[c] & kPart;
}
bool IsDigit(unsigned char c) {
  return kClasses[c] & kDigit;
}
bool IsSpace(unsigned char c) {
  return kClasses[c] & kSpace;
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

Lexed Tokenize(std::string_view sql, bool with_tokens) {
  Lexed out;
  Tokenize(sql, out, with_tokens);
  return out;
}

void Tokenize(std::string_view sql, Lexed& out, bool with_tokens) {
  out.tokens.clear();
  out.skeleton.clear();
  if (with_tokens) out.tokens.reserve(sql.size() / 4 + 2);
  out.skeleton.reserve(sql.size());
  // Literal slots are overwritten in place so that their strings keep their capacity.
  std::size_t literal_count = 0;
  const std::size_t n = sql.size();
  std::size_t i = 0;
  auto push = [&](TokenKind kind, std::string_view text, std::size_t offset) {
    int literal_ordinal = -1;
    switch (kind) {
      case TokenKind::kString:
      case TokenKind::kNumber: {
        if (literal_count == out.literals.size()) out.literals.emplace_back();
        Literal& literal = out.literals[literal_count];
        literal.offset = offset;
        literal.text.assign(text);
        if (kind == TokenKind::kString) {
          literal.kind = Literal::Kind::kText;
          out.skeleton += kTextMark;
        } else {
          bool integer = text.find_first_of(".eE") == std::string_view::npos && text.size() <= 18;
          literal.kind = integer ? Literal::Kind::kInteger : Literal::Kind::kReal;
          out.skeleton += integer ? kIntegerMark : kRealMark;
        }
        literal_ordinal = static_cast<int>(literal_count++);
        break;
      }
      case TokenKind::kQuotedIdentifier:
        out.skeleton += '"';
        out.skeleton += text;
        out.skeleton += '"';
        break;
      default:
        out.skeleton += text;
    }
    out.skeleton += kSeparator;
    if (with_tokens) out.tokens.push_back(Token{kind, std::string(text), offset, literal_ordinal});
  };

  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(sql[i]);
    if (IsSpace(c)) {
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
      push(TokenKind::kIdentifier, sql.substr(start, i - start), start);
      continue;
    }
    if (IsDigit(c) || (c == '.' && i + 1 < n && IsDigit(static_cast<unsigned char>(sql[i + 1])))) {
      while (i < n && IsDigit(static_cast<unsigned char>(sql[i]))) ++i;
      if (i < n && sql[i] == '.' && !(i + 1 < n && sql[i + 1] == '.')) {
        ++i;
        while (i < n && IsDigit(static_cast<unsigned char>(sql[i]))) ++i;
      }
      if (i < n && (sql[i] == 'e' || sql[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (sql[j] == '+' || sql[j] == '-')) ++j;
        if (j < n && IsDigit(static_cast<unsigned char>(sql[j]))) {
          i = j;
          while (i < n && IsDigit(static_cast<unsigned char>(sql[i]))) ++i;
        }
      }
      push(TokenKind::kNumber, sql.substr(start, i - start), start);
      continue;
    }
    if (c == '\'') {
      ++i;
      // Most strings hold no doubled quote: their value is a plain slice of the text.
      const std::size_t close = sql.find('\'', i);
      if (close != std::string_view::npos && (close + 1 >= n || sql[close + 1] != '\'')) {
        if (close == i) {
          push(TokenKind::kEmptyString, "''", start);
        } else {
          push(TokenKind::kString, sql.substr(i, close - i), start);
        }
        i = close + 1;
        continue;
      }
      std::string value;
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
        push(TokenKind::kString, value, start);
      }
      continue;
    }
    if (c == '"') {
      std::size_t end = sql.find('"', i + 1);
      if (end == std::string_view::npos || end == i + 1) {
        Refused("ORA-01740: missing double quote in identifier", start);
      }
      push(TokenKind::kQuotedIdentifier, sql.substr(i + 1, end - i - 1), start);
      i = end + 1;
      continue;
    }
    if (c == '(') {
      // "( + )" with blanks inside is still the join mark.
      std::size_t j = i + 1;
      while (j < n && IsSpace(static_cast<unsigned char>(sql[j]))) ++j;
      if (j < n && sql[j] == '+') {
        std::size_t k = j + 1;
        while (k < n && IsSpace(static_cast<unsigned char>(sql[k]))) ++k;
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
      push(TokenKind::kOperator, sql.substr(i, 2), start);
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
        push(TokenKind::kOperator, sql.substr(i, 1), start);
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
  if (with_tokens) out.tokens.push_back(Token{TokenKind::kEnd, "", n, -1});
  out.literals.resize(literal_count);
}

}  // namespace lumvoucher::dialect
