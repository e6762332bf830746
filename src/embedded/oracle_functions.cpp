#include "embedded/oracle_functions.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <optional>
#include <string>

#include "embedded/dialect/oracle_format.h"
#include "embedded/dialect/tokenizer.h"

namespace lumvoucher::embedded {

namespace {

using dialect::FormatError;

// A number argument the way Oracle converts it: text must read as a number.
struct Number {
  bool integer = false;
  std::int64_t i = 0;
  double d = 0;
  double AsDouble() const { return integer ? static_cast<double>(i) : d; }
};

// Text read as a number; nullopt when it is none.
std::optional<Number> TextNumber(sqlite3_value* v) {
  const char* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
  std::string_view s(text, static_cast<std::size_t>(sqlite3_value_bytes(v)));
  std::optional<double> parsed = dialect::ParseNumber(s);
  if (!parsed) return std::nullopt;
  if (std::nearbyint(*parsed) == *parsed && std::fabs(*parsed) < 9e15 &&
      s.find_first_of(".eE") == std::string_view::npos) {
    return Number{true, static_cast<std::int64_t>(*parsed), 0};
  }
  return Number{false, 0, *parsed};
}

std::optional<Number> ArgNumber(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
      return std::nullopt;
    case SQLITE_INTEGER:
      return Number{true, sqlite3_value_int64(v), 0};
    case SQLITE_FLOAT:
      return Number{false, 0, sqlite3_value_double(v)};
    default: {
      std::optional<Number> n = TextNumber(v);
      if (!n) throw FormatError("ORA-01722: invalid number");
      return n;
    }
  }
}

// Text of an argument; numbers are written as Oracle writes them (100.0 as "100").
std::optional<std::string> ArgText(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
      return std::nullopt;
    case SQLITE_INTEGER:
      return std::to_string(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
      return dialect::NumberText(sqlite3_value_double(v));
    default: {
      const char* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
      std::string s(text, static_cast<std::size_t>(sqlite3_value_bytes(v)));
      if (s.empty()) return std::nullopt;  // '' is NULL
      return s;
    }
  }
}

void ResultText(sqlite3_context* ctx, const std::string& s) {
  if (s.empty()) {
    sqlite3_result_null(ctx);  // Oracle has no empty string
  } else {
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
  }
}

void ResultNumber(sqlite3_context* ctx, double v) {
  if (std::nearbyint(v) == v && std::fabs(v) < 9e15) {
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(v));
  } else {
    sqlite3_result_double(ctx, v);
  }
}

bool AnyNull(int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i) {
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
  }
  return false;
}

// Runs a function body; a FormatError or any other exception becomes the statement's error.
template <typename Body>
void Guard(sqlite3_context* ctx, Body body) {
  try {
    body();
  } catch (const std::exception& e) {
    sqlite3_result_error(ctx, e.what(), -1);
  }
}

bool HasTimeOrIsDate(const std::string& text) {
  return text.size() >= 10 && text[4] == '-' && text[7] == '-';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int Digits(const char* p, int n) {
  int v = 0;
  for (int i = 0; i < n; ++i) v = v * 10 + (p[i] - '0');
  return v;
}

// A stored 'yyyy-mm-dd' that exists in the Gregorian calendar from year 1 on: the same set the
// parse below gives back unchanged, found without building strings. Sorting by To_Date runs this
// once a row.
bool IsPlainDate(sqlite3_value* text, sqlite3_value* model) {
  if (sqlite3_value_type(text) != SQLITE_TEXT || sqlite3_value_type(model) != SQLITE_TEXT ||
      sqlite3_value_bytes(model) != 10 || sqlite3_value_bytes(text) != 10) {
    return false;
  }
  const char* m = reinterpret_cast<const char*>(sqlite3_value_text(model));
  const char* t = reinterpret_cast<const char*>(sqlite3_value_text(text));
  if (!m || !t) return false;
  const char* expected = m[0] == 'R' || m[0] == 'r' ? "RRRR-MM-DD" : "YYYY-MM-DD";
  for (int i = 0; i < 10; ++i) {
    if (std::toupper(static_cast<unsigned char>(m[i])) != expected[i]) return false;
  }
  for (int i = 0; i < 10; ++i) {
    if (i == 4 || i == 7 ? t[i] != '-' : !IsDigit(t[i])) return false;
  }
  const int year = Digits(t, 4);
  const int month = Digits(t + 5, 2);
  const int day = Digits(t + 8, 2);
  if (year < 1 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

void ToDate(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (argc == 2 && IsPlainDate(argv[0], argv[1])) return sqlite3_result_value(ctx, argv[0]);
  Guard(ctx, [&] {
    std::optional<std::string> text = ArgText(argv[0]);
    std::optional<std::string> model =
        argc > 1 ? ArgText(argv[1]) : std::optional<std::string>("YYYY-MM-DD HH24:MI:SS");
    if (!text || !model) return sqlite3_result_null(ctx);
    if (argc == 1 && text->size() <= 10) model = "YYYY-MM-DD";
    ResultText(ctx, dialect::ParseDate(*text, *model));
  });
}

void ToChar(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Guard(ctx, [&] {
    if (AnyNull(argc, argv)) return sqlite3_result_null(ctx);
    const int type = sqlite3_value_type(argv[0]);
    if (argc == 1) {
      std::optional<std::string> text = ArgText(argv[0]);
      return text ? ResultText(ctx, *text) : sqlite3_result_null(ctx);
    }
    std::optional<std::string> model = ArgText(argv[1]);
    if (!model) return sqlite3_result_null(ctx);
    if (type == SQLITE_TEXT && dialect::IsDateModel(*model)) {
      std::optional<std::string> text = ArgText(argv[0]);
      if (!text) return sqlite3_result_null(ctx);
      return ResultText(ctx, dialect::FormatDate(*text, *model));
    }
    if (dialect::IsDateModel(*model)) throw FormatError("ORA-01481: invalid number format model");
    std::optional<Number> n = ArgNumber(argv[0]);
    if (!n) return sqlite3_result_null(ctx);
    ResultText(ctx, dialect::FormatNumber(n->AsDouble(), *model));
  });
}

// Text compared with a number, as Oracle compares it: read as a number. Text that is none gives
// NULL, so it matches nothing, where Oracle would stop the statement with ORA-01722: SQLite may
// read rows that Oracle's plan never reaches.
void AsNumber(sqlite3_context* ctx, int, sqlite3_value** argv) {
  switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
      return sqlite3_result_value(ctx, argv[0]);
    case SQLITE_NULL:
      return sqlite3_result_null(ctx);
    default:
      Guard(ctx, [&] {
        std::optional<Number> n = TextNumber(argv[0]);
        if (!n) return sqlite3_result_null(ctx);
        if (n->integer) return sqlite3_result_int64(ctx, n->i);
        sqlite3_result_double(ctx, n->d);
      });
  }
}

void ToNumber(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Guard(ctx, [&] {
    std::optional<Number> n = ArgNumber(argv[0]);
    if (!n) return sqlite3_result_null(ctx);
    if (n->integer) return sqlite3_result_int64(ctx, n->i);
    sqlite3_result_double(ctx, n->d);
  });
}

int DigitsArg(int argc, sqlite3_value** argv) {
  if (argc < 2) return 0;
  std::optional<Number> n = ArgNumber(argv[1]);
  return n ? static_cast<int>(n->AsDouble()) : 0;
}

void Trunc(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Guard(ctx, [&] {
    if (AnyNull(argc, argv)) return sqlite3_result_null(ctx);
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT) {
      std::optional<std::string> text = ArgText(argv[0]);
      if (text && HasTimeOrIsDate(*text)) {
        // Dates: cut to the day, month or year the model names.
        std::string model = argc > 1 ? dialect::ToUpper(*ArgText(argv[1])) : "DD";
        std::string day = dialect::ParseDate(text->substr(0, 10), "YYYY-MM-DD");
        if (model == "MM" || model == "MON" || model == "MONTH") {
          day.replace(8, 2, "01");
        } else if (model == "YYYY" || model == "YEAR" || model == "YY" || model == "Y" ||
                   model == "RRRR" || model == "RR") {
          day.replace(5, 5, "01-01");
        } else if (model != "DD" && model != "DDD" && model != "J") {
          throw FormatError("ORA-01898: too many precision specifiers");
        }
        return ResultText(ctx, day);
      }
    }
    std::optional<Number> n = ArgNumber(argv[0]);
    const int digits = DigitsArg(argc, argv);
    if (n->integer && digits >= 0) return sqlite3_result_int64(ctx, n->i);
    const double v = dialect::TruncDecimal(n->AsDouble(), digits);
    if (digits <= 0) return ResultNumber(ctx, v);
    sqlite3_result_double(ctx, v);
  });
}

void Round(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Guard(ctx, [&] {
    if (AnyNull(argc, argv)) return sqlite3_result_null(ctx);
    std::optional<Number> n = ArgNumber(argv[0]);
    const int digits = DigitsArg(argc, argv);
    if (n->integer && digits >= 0) return sqlite3_result_int64(ctx, n->i);
    const double v = dialect::RoundDecimal(n->AsDouble(), digits);
    if (digits <= 0) return ResultNumber(ctx, v);
    sqlite3_result_double(ctx, v);
  });
}

void Pad(sqlite3_context* ctx, int argc, sqlite3_value** argv, bool left) {
  Guard(ctx, [&] {
    std::optional<std::string> text = ArgText(argv[0]);
    std::optional<Number> width = ArgNumber(argv[1]);
    std::optional<std::string> pad = argc > 2 ? ArgText(argv[2]) : std::optional<std::string>(" ");
    if (!text || !width || !pad) return sqlite3_result_null(ctx);
    const double w = width->AsDouble();
    if (w < 1) return sqlite3_result_null(ctx);
    const std::size_t n = static_cast<std::size_t>(w);
    const std::size_t have = dialect::CharCount(*text);
    if (have >= n) return ResultText(ctx, text->substr(0, dialect::CharOffset(*text, n)));
    std::string fill;
    const std::size_t pad_chars = dialect::CharCount(*pad);
    for (std::size_t i = 0; i < n - have; ++i) {
      const std::size_t k = i % pad_chars;
      const std::size_t b = dialect::CharOffset(*pad, k);
      fill += pad->substr(b, dialect::CharOffset(*pad, k + 1) - b);
    }
    ResultText(ctx, left ? fill + *text : *text + fill);
  });
}

void Lpad(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Pad(ctx, argc, argv, true);
}
void Rpad(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Pad(ctx, argc, argv, false);
}

void Substr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Guard(ctx, [&] {
    std::optional<std::string> text = ArgText(argv[0]);
    std::optional<Number> start = ArgNumber(argv[1]);
    std::optional<Number> length = argc > 2 ? ArgNumber(argv[2]) : std::optional<Number>();
    if (!text || !start || (argc > 2 && !length)) return sqlite3_result_null(ctx);
    const long long count = static_cast<long long>(dialect::CharCount(*text));
    long long s = static_cast<long long>(start->AsDouble());
    // Oracle reads a start of 0 as 1 and a negative start from the end.
    if (s == 0) s = 1;
    if (s < 0) s = count + s + 1;
    if (s < 1 || s > count) return sqlite3_result_null(ctx);
    long long len = count - s + 1;
    if (length) {
      const double l = length->AsDouble();
      if (l < 1) return sqlite3_result_null(ctx);
      len = std::min<long long>(len, static_cast<long long>(l));
    }
    const std::size_t b = dialect::CharOffset(*text, static_cast<std::size_t>(s - 1));
    const std::size_t e = dialect::CharOffset(*text, static_cast<std::size_t>(s - 1 + len));
    ResultText(ctx, text->substr(b, e - b));
  });
}

void Instr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Guard(ctx, [&] {
    if (AnyNull(argc, argv)) return sqlite3_result_null(ctx);
    std::optional<std::string> text = ArgText(argv[0]);
    std::optional<std::string> part = ArgText(argv[1]);
    if (!text || !part) return sqlite3_result_null(ctx);
    long long position = argc > 2 ? static_cast<long long>(ArgNumber(argv[2])->AsDouble()) : 1;
    long long occurrence = argc > 3 ? static_cast<long long>(ArgNumber(argv[3])->AsDouble()) : 1;
    if (position == 0 || occurrence < 1) {
      if (occurrence < 1) throw FormatError("ORA-01428: argument is out of range");
      return sqlite3_result_int64(ctx, 0);
    }
    const long long count = static_cast<long long>(dialect::CharCount(*text));
    std::size_t found_byte = std::string::npos;
    if (position > 0) {
      std::size_t from = dialect::CharOffset(*text, static_cast<std::size_t>(position - 1));
      for (long long k = 0; k < occurrence; ++k) {
        found_byte = text->find(*part, from);
        if (found_byte == std::string::npos) break;
        from = found_byte + 1;
      }
    } else {
      long long start = count + position + 1;  // 1-based character where the backward search begins
      if (start < 1) return sqlite3_result_int64(ctx, 0);
      std::size_t from = dialect::CharOffset(*text, static_cast<std::size_t>(start - 1));
      for (long long k = 0; k < occurrence; ++k) {
        found_byte = text->rfind(*part, from);
        if (found_byte == std::string::npos || found_byte == 0) {
          if (k + 1 < occurrence) found_byte = std::string::npos;
          break;
        }
        from = found_byte - 1;
      }
    }
    if (found_byte == std::string::npos) return sqlite3_result_int64(ctx, 0);
    sqlite3_result_int64(
        ctx, static_cast<sqlite3_int64>(
                 dialect::CharCount(std::string_view(*text).substr(0, found_byte)) + 1));
  });
}

void Lengthb(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Guard(ctx, [&] {
    std::optional<std::string> text = ArgText(argv[0]);
    if (!text) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(dialect::GbkLength(*text)));
  });
}

void Div(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Guard(ctx, [&] {
    if (AnyNull(argc, argv)) return sqlite3_result_null(ctx);
    std::optional<Number> a = ArgNumber(argv[0]);
    std::optional<Number> b = ArgNumber(argv[1]);
    if (b->AsDouble() == 0) throw FormatError("ORA-01476: divisor is equal to zero");
    if (a->integer && b->integer && a->i % b->i == 0 &&
        !(a->i == std::numeric_limits<std::int64_t>::min() && b->i == -1)) {
      return sqlite3_result_int64(ctx, a->i / b->i);
    }
    sqlite3_result_double(ctx, a->AsDouble() / b->AsDouble());
  });
}

void Mod(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Guard(ctx, [&] {
    if (AnyNull(argc, argv)) return sqlite3_result_null(ctx);
    std::optional<Number> a = ArgNumber(argv[0]);
    std::optional<Number> b = ArgNumber(argv[1]);
    // MOD(a, 0) is a in Oracle.
    if (b->AsDouble() == 0) {
      if (a->integer) return sqlite3_result_int64(ctx, a->i);
      return sqlite3_result_double(ctx, a->d);
    }
    if (a->integer && b->integer) {
      if (b->i == -1) return sqlite3_result_int64(ctx, 0);
      return sqlite3_result_int64(ctx, a->i % b->i);
    }
    ResultNumber(ctx, std::fmod(a->AsDouble(), b->AsDouble()));
  });
}

void Replace(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Guard(ctx, [&] {
    std::optional<std::string> text = ArgText(argv[0]);
    if (!text) return sqlite3_result_null(ctx);
    std::optional<std::string> from = ArgText(argv[1]);
    std::string to = argc > 2 ? ArgText(argv[2]).value_or("") : "";
    if (!from) return ResultText(ctx, *text);
    std::string out;
    std::size_t at = 0;
    while (true) {
      std::size_t found = text->find(*from, at);
      if (found == std::string::npos) break;
      out += text->substr(at, found - at);
      out += to;
      at = found + from->size();
    }
    out += text->substr(at);
    ResultText(ctx, out);
  });
}

void Ceil(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Guard(ctx, [&] {
    std::optional<Number> n = ArgNumber(argv[0]);
    if (!n) return sqlite3_result_null(ctx);
    if (n->integer) return sqlite3_result_int64(ctx, n->i);
    ResultNumber(ctx, std::ceil(n->d));
  });
}

void Floor(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Guard(ctx, [&] {
    std::optional<Number> n = ArgNumber(argv[0]);
    if (!n) return sqlite3_result_null(ctx);
    if (n->integer) return sqlite3_result_int64(ctx, n->i);
    ResultNumber(ctx, std::floor(n->d));
  });
}

using Function = void (*)(sqlite3_context*, int, sqlite3_value**);

}  // namespace

void RegisterOracleFunctions(sqlite3* db) {
  struct Entry {
    const char* name;
    int min_args;
    int max_args;
    Function function;
  };
  static const Entry entries[] = {
      {"ora_to_date", 1, 2, ToDate},
      {"ora_to_char", 1, 2, ToChar},
      {"ora_to_number", 1, 1, ToNumber},
      {"ora_as_number", 1, 1, AsNumber},
      {"ora_trunc", 1, 2, Trunc},
      {"ora_round", 1, 2, Round},
      {"ora_lpad", 2, 3, Lpad},
      {"ora_rpad", 2, 3, Rpad},
      {"ora_substr", 2, 3, Substr},
      {"ora_instr", 2, 4, Instr},
      {"ora_lengthb", 1, 1, Lengthb},
      {"ora_div", 2, 2, Div},
      {"ora_mod", 2, 2, Mod},
      {"ora_replace", 2, 3, Replace},
      {"ora_ceil", 1, 1, Ceil},
      {"ora_floor", 1, 1, Floor},
  };
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  for (const Entry& e : entries) {
    for (int n = e.min_args; n <= e.max_args; ++n) {
      sqlite3_create_function_v2(db, e.name, n, flags, nullptr, e.function, nullptr, nullptr,
                                 nullptr);
    }
  }
}

}  // namespace lumvoucher::embedded
