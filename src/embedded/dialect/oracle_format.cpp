#include "embedded/dialect/oracle_format.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace lumvoucher::dialect {

namespace {

// |value| rounded (or cut) at `decimals` places, as decimal digits.
struct Decimal {
  std::string integer;   // no leading zeros; empty when the integer part is 0
  std::string fraction;  // exactly `decimals` digits
  bool negative = false;
};

Decimal ToDecimal(double value, int decimals, bool truncate) {
  Decimal d;
  d.negative = value < 0;
  const double magnitude = std::fabs(value);
  std::string digits;
  int exponent = 0;
  if (magnitude != 0) {
    // Fifteen significant digits undo the binary noise: 2.675 reads back as 2.675.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", magnitude);
    std::string s(buf);
    const std::size_t e = s.find('e');
    digits = s.substr(0, 1) + s.substr(2, e - 2);
    exponent = std::atoi(s.c_str() + e + 1);
  }
  // digits[k] has the place value 10^(exponent - k).
  const int keep = digits.empty() ? 0 : exponent + decimals + 1;
  std::string kept;
  if (keep > 0) {
    kept = digits.substr(0, static_cast<std::size_t>(std::min<int>(keep, 15)));
    while (static_cast<int>(kept.size()) < keep) kept += '0';
  }
  const bool round_up = !truncate && keep >= 0 && keep < 15 && !digits.empty() &&
                        digits[static_cast<std::size_t>(keep)] >= '5';
  if (round_up) {
    int i = static_cast<int>(kept.size()) - 1;
    while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9')
      kept[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
      ++kept[static_cast<std::size_t>(i)];
    } else {
      kept.insert(kept.begin(), '1');
    }
  }
  // kept holds the digits down to 10^-decimals.
  while (static_cast<int>(kept.size()) < decimals) kept.insert(kept.begin(), '0');
  const std::size_t int_len = kept.size() - static_cast<std::size_t>(decimals);
  d.integer = kept.substr(0, int_len);
  d.fraction = kept.substr(int_len);
  const std::size_t nz = d.integer.find_first_not_of('0');
  d.integer = nz == std::string::npos ? std::string() : d.integer.substr(nz);
  if (d.integer.empty() && d.fraction.find_first_not_of('0') == std::string::npos) {
    d.negative = false;
  }
  return d;
}

bool StartsWithUpper(std::string_view text, std::size_t at, std::string_view word) {
  if (at + word.size() > text.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[at + i])) != word[i]) return false;
  }
  return true;
}

struct DateParts {
  int year = 0, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  std::string fraction;  // digits after the seconds
  bool has_time = false;
};

bool IsLeap(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}
int DaysIn(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

void Validate(const DateParts& p) {
  if (p.year < 1 || p.year > 9999)
    throw FormatError("ORA-01841: (full) year must be between -4713 and +9999, and not be 0");
  if (p.month < 1 || p.month > 12) throw FormatError("ORA-01843: not a valid month");
  if (p.day < 1 || p.day > DaysIn(p.year, p.month)) {
    throw FormatError("ORA-01847: day of month must be between 1 and last day of month");
  }
  if (p.hour > 23) throw FormatError("ORA-01850: hour must be between 0 and 23");
  if (p.minute > 59) throw FormatError("ORA-01851: minutes must be between 0 and 59");
  if (p.second > 59) throw FormatError("ORA-01852: seconds must be between 0 and 59");
}

// The stored forms: yyyy-mm-dd[( |T)hh:mi[:ss[.f...]]].
DateParts ReadStoredDate(std::string_view s) {
  DateParts p;
  auto num = [&](std::size_t at, std::size_t len, int& out) {
    if (at + len > s.size()) return false;
    int v = 0;
    for (std::size_t i = at; i < at + len; ++i) {
      if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
      v = v * 10 + (s[i] - '0');
    }
    out = v;
    return true;
  };
  if (!num(0, 4, p.year) || s.size() < 10 || s[4] != '-' || !num(5, 2, p.month) || s[7] != '-' ||
      !num(8, 2, p.day)) {
    throw FormatError("ORA-01861: literal does not match format string");
  }
  std::size_t at = 10;
  if (at < s.size() && (s[at] == ' ' || s[at] == 'T') && num(at + 1, 2, p.hour) &&
      at + 3 < s.size() && s[at + 3] == ':' && num(at + 4, 2, p.minute)) {
    p.has_time = true;
    at += 6;
    if (at < s.size() && s[at] == ':' && num(at + 1, 2, p.second)) at += 3;
    if (at < s.size() && s[at] == '.') {
      ++at;
      while (at < s.size() && std::isdigit(static_cast<unsigned char>(s[at])))
        p.fraction += s[at++];
    }
  }
  while (at < s.size() && s[at] == ' ') ++at;
  if (at != s.size()) throw FormatError("ORA-01861: literal does not match format string");
  Validate(p);
  return p;
}

enum class DateField {
  kYear4,
  kYear2,
  kRoundYear2,
  kRoundYear4,
  kMonth,
  kDay,
  kHour24,
  kHour12,
  kMinute,
  kSecond,
  kFraction,
  kLiteral
};

struct ModelItem {
  DateField field;
  std::string literal;
  int width = 0;  // digits of ff
};

std::vector<ModelItem> ReadDateModel(std::string_view model) {
  std::vector<ModelItem> items;
  std::size_t i = 0;
  auto lit = [&](std::string text) { items.push_back({DateField::kLiteral, std::move(text), 0}); };
  while (i < model.size()) {
    const char c = model[i];
    if (c == '"') {
      std::size_t end = model.find('"', i + 1);
      if (end == std::string_view::npos) throw FormatError("ORA-01821: date format not recognized");
      lit(std::string(model.substr(i + 1, end - i - 1)));
      i = end + 1;
      continue;
    }
    if (!std::isalnum(static_cast<unsigned char>(c))) {
      lit(std::string(1, c));
      ++i;
      continue;
    }
    struct Word {
      std::string_view text;
      DateField field;
    };
    static const Word words[] = {{"YYYY", DateField::kYear4},  {"RRRR", DateField::kRoundYear4},
                                 {"YY", DateField::kYear2},    {"RR", DateField::kRoundYear2},
                                 {"MM", DateField::kMonth},    {"DD", DateField::kDay},
                                 {"HH24", DateField::kHour24}, {"HH12", DateField::kHour12},
                                 {"HH", DateField::kHour12},   {"MI", DateField::kMinute},
                                 {"SS", DateField::kSecond},   {"FF", DateField::kFraction}};
    bool matched = false;
    for (const Word& w : words) {
      if (!StartsWithUpper(model, i, w.text)) continue;
      ModelItem item{w.field, "", 0};
      i += w.text.size();
      if (w.field == DateField::kFraction) {
        item.width = 6;
        if (i < model.size() && model[i] >= '1' && model[i] <= '9') item.width = model[i++] - '0';
      }
      items.push_back(item);
      matched = true;
      break;
    }
    if (!matched) throw FormatError("ORA-01821: date format not recognized");
  }
  return items;
}

std::string Pad(int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}

}  // namespace

bool IsDateModel(std::string_view model) {
  std::size_t start = StartsWithUpper(model, 0, "FM") ? 2 : 0;
  bool digit = false;
  for (std::size_t i = start; i < model.size(); ++i) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(model[i])));
    if (c == '9' || c == '0') {
      digit = true;
    } else if (c != ',' && c != '.' && c != 'G' && c != 'D') {
      return true;
    }
  }
  return !digit;
}

std::string FormatNumber(double value, std::string_view model) {
  bool fm = false;
  if (StartsWithUpper(model, 0, "FM")) {
    fm = true;
    model.remove_prefix(2);
  }
  std::string int_model;
  std::string frac_model;
  bool in_fraction = false;
  for (char raw : model) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(raw)));
    if (c == '.' || c == 'D') {
      if (in_fraction) throw FormatError("ORA-01481: invalid number format model");
      in_fraction = true;
      continue;
    }
    if (c != '9' && c != '0' && c != ',' && c != 'G') {
      throw FormatError("ORA-01481: invalid number format model");
    }
    if (in_fraction) {
      if (c == ',' || c == 'G') throw FormatError("ORA-01481: invalid number format model");
      frac_model += c;
    } else {
      int_model += c == 'G' ? ',' : c;
    }
  }
  const int decimals = static_cast<int>(frac_model.size());
  const Decimal d = ToDecimal(value, decimals, false);
  std::size_t slots = 0;
  for (char c : int_model) slots += c != ',';
  const std::size_t width = model.size() + 1;
  if (d.integer.size() > slots || !std::isfinite(value)) return std::string(width, '#');

  const std::size_t first_zero = int_model.find('0');
  std::string printed;  // right to left
  std::size_t digit = 0;
  for (std::size_t k = int_model.size(); k-- > 0;) {
    const char m = int_model[k];
    if (m == ',') {
      // A separator shows only when a digit stands to its left.
      bool digit_left =
          digit < d.integer.size() || (first_zero != std::string::npos && first_zero < k);
      if (digit_left) printed += ',';
      continue;
    }
    if (digit < d.integer.size()) {
      printed += d.integer[d.integer.size() - 1 - digit];
    } else if (first_zero != std::string::npos && k >= first_zero) {
      printed += '0';
    }
    ++digit;
  }
  std::string text(printed.rbegin(), printed.rend());
  // Zero under a model of nines still shows its last place.
  if (text.empty() && !in_fraction) text = "0";
  if (in_fraction) {
    std::string fraction = d.fraction;
    if (fm) {
      while (!fraction.empty() && fraction.back() == '0' &&
             frac_model[fraction.size() - 1] == '9') {
        fraction.pop_back();
      }
    }
    text += '.';
    text += fraction;
  }
  const std::string sign = d.negative ? "-" : (fm ? "" : " ");
  if (fm) return sign + text;
  const std::size_t used = sign.size() + text.size();
  return std::string(width > used ? width - used : 0, ' ') + sign + text;
}

std::string FormatDate(std::string_view date, std::string_view model) {
  const DateParts p = ReadStoredDate(date);
  std::string out;
  for (const ModelItem& item : ReadDateModel(model)) {
    switch (item.field) {
      case DateField::kYear4:
      case DateField::kRoundYear4:
        out += Pad(p.year, 4);
        break;
      case DateField::kYear2:
      case DateField::kRoundYear2:
        out += Pad(p.year % 100, 2);
        break;
      case DateField::kMonth:
        out += Pad(p.month, 2);
        break;
      case DateField::kDay:
        out += Pad(p.day, 2);
        break;
      case DateField::kHour24:
        out += Pad(p.hour, 2);
        break;
      case DateField::kHour12:
        out += Pad(p.hour % 12 == 0 ? 12 : p.hour % 12, 2);
        break;
      case DateField::kMinute:
        out += Pad(p.minute, 2);
        break;
      case DateField::kSecond:
        out += Pad(p.second, 2);
        break;
      case DateField::kFraction: {
        std::string f = p.fraction;
        f.resize(static_cast<std::size_t>(item.width), '0');
        out += f;
        break;
      }
      case DateField::kLiteral:
        out += item.literal;
        break;
    }
  }
  return out;
}

std::string ParseDate(std::string_view text, std::string_view model) {
  DateParts p;
  p.year = 0;
  bool year_set = false;
  std::size_t at = 0;
  auto skip_blanks = [&] {
    while (at < text.size() && text[at] == ' ') ++at;
  };
  auto read = [&](std::size_t max_digits, int& out) {
    skip_blanks();
    std::size_t n = 0;
    int v = 0;
    while (at < text.size() && n < max_digits &&
           std::isdigit(static_cast<unsigned char>(text[at]))) {
      v = v * 10 + (text[at++] - '0');
      ++n;
    }
    if (n == 0) {
      throw FormatError(
          at >= text.size()
              ? "ORA-01840: input value not long enough for date format"
              : "ORA-01858: a non-numeric character was found where a numeric was expected");
    }
    out = v;
    return n;
  };
  for (const ModelItem& item : ReadDateModel(model)) {
    switch (item.field) {
      case DateField::kYear4:
        read(4, p.year);
        year_set = true;
        break;
      case DateField::kRoundYear4:
      case DateField::kRoundYear2: {
        std::size_t n = read(item.field == DateField::kRoundYear4 ? 4 : 2, p.year);
        if (n <= 2) p.year += p.year < 50 ? 2000 : 1900;
        year_set = true;
        break;
      }
      case DateField::kYear2:
        read(2, p.year);
        p.year += 2000;
        year_set = true;
        break;
      case DateField::kMonth:
        read(2, p.month);
        break;
      case DateField::kDay:
        read(2, p.day);
        break;
      case DateField::kHour24:
      case DateField::kHour12:
        read(2, p.hour);
        p.has_time = true;
        break;
      case DateField::kMinute:
        read(2, p.minute);
        p.has_time = true;
        break;
      case DateField::kSecond:
        read(2, p.second);
        p.has_time = true;
        break;
      case DateField::kFraction:
        skip_blanks();
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
        break;
      case DateField::kLiteral:
        // Oracle matches any punctuation in the text against punctuation in the model.
        if (at < text.size() && !std::isalnum(static_cast<unsigned char>(text[at]))) {
          ++at;
        } else if (item.literal != " " && at < text.size()) {
          throw FormatError("ORA-01861: literal does not match format string");
        }
        break;
    }
  }
  skip_blanks();
  if (at != text.size()) {
    throw FormatError("ORA-01830: date format picture ends before converting entire input string");
  }
  if (!year_set) throw FormatError("ORA-01841: year missing from the date format");
  Validate(p);
  std::string out = Pad(p.year, 4) + "-" + Pad(p.month, 2) + "-" + Pad(p.day, 2);
  if (p.has_time) out += " " + Pad(p.hour, 2) + ":" + Pad(p.minute, 2) + ":" + Pad(p.second, 2);
  return out;
}

// Oracle writes a number in fixed notation up to 64 characters (1E-5 as .00001, 1.5E20 with all
// its zeros), in scientific notation beyond. A double carries 15 significant digits.
std::string NumberText(double value) {
  if (std::nearbyint(value) == value && std::fabs(value) < 1e15) {
    return std::to_string(static_cast<long long>(value));
  }
  if (!std::isfinite(value)) return value > 0 ? "~" : value < 0 ? "-~" : "NaN";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));  // d.dddddddddddddde+XX
  std::string digits = std::string(1, buf[0]) + std::string(buf + 2, 14);
  const int exponent = std::atoi(buf + 17);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const std::string sign = value < 0 ? "-" : "";
  std::string fixed;
  if (exponent < 0) {
    fixed = "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else if (static_cast<std::size_t>(exponent) + 1 >= digits.size()) {
    fixed = digits + std::string(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
  } else {
    fixed = digits.substr(0, static_cast<std::size_t>(exponent) + 1) + "." +
            digits.substr(static_cast<std::size_t>(exponent) + 1);
  }
  if (sign.size() + fixed.size() <= 64) return sign + fixed;
  std::snprintf(buf, sizeof buf, "%s%c%s%sE%c%02d", sign.c_str(), digits[0],
                digits.size() > 1 ? "." : "", digits.substr(1).c_str(), exponent < 0 ? '-' : '+',
                std::abs(exponent));
  return buf;
}

std::optional<double> ParseNumber(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  if (b == e) return std::nullopt;
  std::string s(text.substr(b, e - b));
  for (char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '+' &&
        c != 'e' && c != 'E') {
      return std::nullopt;
    }
  }
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size()) return std::nullopt;
  return v;
}

double RoundDecimal(double value, int digits) {
  if (!std::isfinite(value)) return value;
  if (digits < 0) {
    const double scale = std::pow(10.0, -digits);
    return RoundDecimal(value / scale, 0) * scale;
  }
  Decimal d = ToDecimal(value, digits, false);
  std::string s =
      (d.negative ? "-" : "") + (d.integer.empty() ? "0" : d.integer) + "." + d.fraction + "0";
  return std::strtod(s.c_str(), nullptr);
}

double TruncDecimal(double value, int digits) {
  if (!std::isfinite(value)) return value;
  if (digits < 0) {
    const double scale = std::pow(10.0, -digits);
    return std::trunc(value / scale) * scale;
  }
  Decimal d = ToDecimal(value, digits, true);
  std::string s =
      (d.negative ? "-" : "") + (d.integer.empty() ? "0" : d.integer) + "." + d.fraction + "0";
  return std::strtod(s.c_str(), nullptr);
}

std::size_t CharCount(std::string_view text) {
  std::size_t n = 0;
  for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::size_t CharOffset(std::string_view text, std::size_t index) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (n == index) return i;
      ++n;
    }
  }
  return text.size();
}

std::size_t GbkLength(std::string_view text) {
  std::size_t n = 0;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x80) {
      ++n;
    } else if ((u & 0xC0) != 0x80) {
      n += 2;
    }
  }
  return n;
}

}  // namespace lumvoucher::dialect
