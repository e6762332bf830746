#include "embedded/dialect/tokenizer.h"

#include <array>
#include <cctype>
#include <string>

#include "embedded/dialect/translate_error.h"

namespace lumvoucher::dialect {

namespace {

// Character classes by table: the locale-aware <cctype> calls dominate a scan otherwise.
enum : unsigned char { kStart = 1, kPart = 2, kDigit = 4, kSpace = 8, kPlain = 16 };

constexpr std::array<unsigned char, 256> MakeClasses() {
  std::array<unsigned char, 256> t{};
  for (int c = 0; c < 256; ++c) {
    const bool alpha = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool digit = c >= '0' && c <= '9';
    // Bytes of multi-byte UTF-8 characters: Oracle takes Chinese letters in plain names.
    if (alpha || c == '_' || c >= 0x80) t[c] |= kStart;
    if (alpha || digit || c == '_' || c == '$' || c == '#' || c >= 0x80) t[c] |= kPart;
    if (digit) t[c] |= kDigit;
    const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
    if (space) t[c] |= kSpace;
    // What the literal scan passes over without looking: no literal, comment or quoted name
    // starts with it, and it is no control character.
    const bool control = (c < 0x20 && !space) || c == 0x7f;
    if (!digit && !control && c != '\'' && c != '"' && c != '-' && c != '/' && c != '.') {
      t[c] |= kPlain;
    }
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

// Marks in the skeleton: the tokenizer refuses them in SQL text outside literals, comments and
// quoted names, so a skeleton never collides with a statement's own spelling.
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

namespace {

// Appends literal number `ordinal` (a slot overwritten in place, so that its string keeps its
// capacity) and its mark, the text since the previous literal before it.
class LiteralSink {
 public:
  LiteralSink(std::string_view sql, Lexed& out) : sql_(sql), out_(out) {
    out.skeleton.clear();
    out.skeleton.reserve(sql.size());
  }

  // The literal written from `start` to `end`; `value` is what it stands for.
  int Add(std::size_t start, std::size_t end, std::string_view value, Literal::Kind kind) {
    if (count_ == out_.literals.size()) out_.literals.emplace_back();
    Literal& literal = out_.literals[count_];
    literal.offset = start;
    literal.text.assign(value);
    literal.kind = kind;
    out_.skeleton.append(sql_.data() + copied_, start - copied_);
    out_.skeleton += kind == Literal::Kind::kText      ? kTextMark
                     : kind == Literal::Kind::kInteger ? kIntegerMark
                                                       : kRealMark;
    copied_ = end;
    return static_cast<int>(count_++);
  }

  void Finish() {
    out_.skeleton.append(sql_.data() + copied_, sql_.size() - copied_);
    out_.literals.resize(count_);
  }

 private:
  std::string_view sql_;
  Lexed& out_;
  std::size_t count_ = 0;
  std::size_t copied_ = 0;
};

Literal::Kind NumberKind(std::string_view number, bool whole) {
  return whole && number.size() <= 18 ? Literal::Kind::kInteger : Literal::Kind::kReal;
}

// The end of the number starting at `i`, as the tokenizer reads it; `whole` when it has no
// point and no exponent.
std::size_t NumberEnd(std::string_view sql, std::size_t i, bool& whole) {
  const std::size_t n = sql.size();
  whole = true;
  while (i < n && IsDigit(static_cast<unsigned char>(sql[i]))) ++i;
  if (i < n && sql[i] == '.' && !(i + 1 < n && sql[i + 1] == '.')) {
    whole = false;
    ++i;
    while (i < n && IsDigit(static_cast<unsigned char>(sql[i]))) ++i;
  }
  if (i < n && (sql[i] == 'e' || sql[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (sql[j] == '+' || sql[j] == '-')) ++j;
    if (j < n && IsDigit(static_cast<unsigned char>(sql[j]))) {
      whole = false;
      i = j;
      while (i < n && IsDigit(static_cast<unsigned char>(sql[i]))) ++i;
    }
  }
  return i;
}

// The literals and the skeleton alone, in one pass that copies the text between literals as it
// stands. It finds the literals exactly as the tokenizer does but checks nothing else: a text
// it would refuse can never share a skeleton with one translated before, because the marks
// are the only bytes a skeleton holds that its text does not, and outside literals, comments
// and quotes the tokenizer refuses them. False when it meets one of them (or a literal not
// closed): the tokenizer must say what is wrong.
bool ScanLiterals(std::string_view sql, Lexed& out) {
  out.tokens.clear();
  LiteralSink sink(sql, out);
  const std::size_t n = sql.size();
  std::size_t i = 0;
  while (true) {
    // Names, blanks and operators: most of a statement.
    const char* at = sql.data() + i;
    const char* const end = sql.data() + n;
    while (at != end && (kClasses[static_cast<unsigned char>(*at)] & kPlain)) ++at;
    i = static_cast<std::size_t>(at - sql.data());
    if (i >= n) break;
    const unsigned char c = static_cast<unsigned char>(sql[i]);
    // A digit right after a name's letter belongs to the name (the tokenizer took the name
    // whole); no number ends next to a digit or a letter of its own.
    if (IsDigit(c) && i > 0 && IsIdentifierPart(static_cast<unsigned char>(sql[i - 1]))) {
      while (i < n && IsIdentifierPart(static_cast<unsigned char>(sql[i]))) ++i;
      continue;
    }
    if (IsDigit(c) || (c == '.' && i + 1 < n && IsDigit(static_cast<unsigned char>(sql[i + 1])))) {
      bool whole = true;
      const std::size_t end = NumberEnd(sql, i, whole);
      const std::string_view number = sql.substr(i, end - i);
      sink.Add(i, end, number, NumberKind(number, whole));
      i = end;
      continue;
    }
    switch (c) {
      case '\'': {
        const std::size_t close = sql.find('\'', i + 1);
        if (close == std::string_view::npos) return false;
        if (close + 1 < n && sql[close + 1] == '\'') return false;  // a doubled quote: rare
        // '' is Oracle's null, no literal.
        if (close > i + 1) {
          sink.Add(i, close + 1, sql.substr(i + 1, close - i - 1), Literal::Kind::kText);
        }
        i = close + 1;
        continue;
      }
      case '"': {
        const std::size_t close = sql.find('"', i + 1);
        if (close == std::string_view::npos) return false;
        i = close + 1;
        continue;
      }
      case '-':
        if (i + 1 < n && sql[i + 1] == '-') {
          const std::size_t end = sql.find('\n', i);
          i = end == std::string_view::npos ? n : end;
          continue;
        }
        break;
      case '/':
        if (i + 1 < n && sql[i + 1] == '*') {
          const std::size_t end = sql.find("*/", i + 2);
          if (end == std::string_view::npos) return false;
          i = end + 2;
          continue;
        }
        break;
      case '.':
        break;
      default:
        return false;  // a control character
    }
    ++i;
  }
  sink.Finish();
  return true;
}

}  // namespace

void Tokenize(std::string_view sql, Lexed& out, bool with_tokens) {
  if (!with_tokens && ScanLiterals(sql, out)) return;
  out.tokens.clear();
  if (with_tokens) out.tokens.reserve(sql.size() / 4 + 2);
  LiteralSink sink(sql, out);
  const std::size_t n = sql.size();
  std::size_t i = 0;
  // `end` is where the token's text ends in `sql`.
  // `end` and `literal` for a literal: where its text ends in `sql`, and its kind.
  auto push = [&](TokenKind kind, std::string_view text, std::size_t offset, std::size_t end = 0,
                  Literal::Kind literal = Literal::Kind::kText) {
    int literal_ordinal = -1;
    if (kind == TokenKind::kString || kind == TokenKind::kNumber) {
      literal_ordinal = sink.Add(offset, end, text, literal);
    }
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
      bool whole = true;
      i = NumberEnd(sql, i, whole);
      const std::string_view number = sql.substr(start, i - start);
      push(TokenKind::kNumber, number, start, i, NumberKind(number, whole));
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
          push(TokenKind::kString, sql.substr(i, close - i), start, close + 1);
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
        push(TokenKind::kString, value, start, i);
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
  sink.Finish();
}

}  // namespace lumvoucher::dialect
