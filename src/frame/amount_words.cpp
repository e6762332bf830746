#include "frame/amount_words.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace lumvoucher::frame {
namespace {

struct Numerals {
  std::array<const char*, 10> digits;
  std::array<const char*, 4> places;  // ones, tens, hundreds, thousands
};

constexpr Numerals kCapital{{"零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"},
                            {"", "拾", "佰", "仟"}};
constexpr Numerals kOrdinary{{"零", "一", "二", "三", "四", "五", "六", "七", "八", "九"},
                             {"", "十", "百", "千"}};

constexpr std::uint64_t kCentsLimit = 1'000'000'000'000'000'000ULL;  // 10^16 yuan
constexpr int kSignificantDigits = 15;

struct Cents {
  bool negative;
  std::uint64_t value;
};

// A binary double such as 0.285 lies just below the decimal the user typed; reading it back
// as 15 significant digits recovers that decimal before the cents are rounded.
std::optional<Cents> ToCents(double amount) {
  if (!std::isfinite(amount)) return std::nullopt;
  // As "%.14e" writes it (to_chars with a precision is printf's conversion), without printf's
  // cost: a save spells its total at every recomputation.
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text - 1, std::fabs(amount),
                                     std::chars_format::scientific, kSignificantDigits - 1);
  *written.ptr = '\0';
  std::array<int, kSignificantDigits> digits{};
  int count = 0;
  const char* p = text;
  for (; *p != 'e' && count < kSignificantDigits; ++p) {
    if (*p >= '0' && *p <= '9') digits[count++] = *p - '0';
  }
  while (*p != 'e') ++p;
  const int exponent = std::atoi(p + 1);
  if (exponent >= 16) return std::nullopt;
  std::uint64_t cents = 0;
  for (int i = 0; i < kSignificantDigits && exponent - i >= -2; ++i) cents = cents * 10 + digits[i];
  // Digits above the cents that were not reached (amounts below 0.01 have none).
  for (int power = exponent - kSignificantDigits + 1; power > -2; --power) cents *= 10;
  const int rounding_index = exponent + 3;
  if (rounding_index >= 0 && rounding_index < kSignificantDigits && digits[rounding_index] >= 5) {
    ++cents;
  }
  if (cents >= kCentsLimit) return std::nullopt;
  return Cents{amount < 0, cents};
}

int DigitAt(std::uint64_t number, int power) {
  for (int i = 0; i < power; ++i) number /= 10;
  return static_cast<int>(number % 10);
}

// Whether the four-digit group starting at `power` (a multiple of 4) has a non-zero digit.
bool GroupHasDigit(std::uint64_t number, int power) {
  for (int i = 0; i < power; ++i) number /= 10;
  return number % 10000 != 0;
}

std::string Yuan(std::uint64_t yuan, const Numerals& numerals) {
  int top = 0;
  for (std::uint64_t rest = yuan / 10; rest > 0; rest /= 10) ++top;
  std::string out;
  bool pending_zero = false;
  for (int power = top; power >= 0; --power) {
    const int digit = DigitAt(yuan, power);
    if (digit != 0) {
      // Zeros that are only the tail of the group above may stand unwritten before a 仟.
      const bool optional_zero = power % 4 == 3 && GroupHasDigit(yuan, power + 1);
      if (pending_zero && !optional_zero) out += numerals.digits[0];
      pending_zero = false;
      out += numerals.digits[digit];
      out += numerals.places[power % 4];
    } else {
      pending_zero = true;
    }
    if (power == 8) {
      out += "亿";  // the leading digit lies at or above it, so the 亿 group is always named
    } else if ((power == 4 || power == 12) && GroupHasDigit(yuan, power)) {
      out += "万";
    }
  }
  return out;
}

std::string Words(double amount, const Numerals& numerals) {
  const auto cents = ToCents(amount);
  if (!cents) return std::string();
  if (cents->value == 0) return std::string(numerals.digits[0]) + "元整";
  const std::uint64_t yuan = cents->value / 100;
  const int jiao = static_cast<int>(cents->value / 10 % 10);
  const int fen = static_cast<int>(cents->value % 10);
  std::string out = cents->negative ? "负" : "";
  if (yuan > 0) out += Yuan(yuan, numerals) + "元";
  if (jiao != 0) out += std::string(numerals.digits[jiao]) + "角";
  if (fen != 0) {
    if (jiao == 0 && yuan > 0) out += numerals.digits[0];
    out += std::string(numerals.digits[fen]) + "分";
  } else {
    out += "整";
  }
  return out;
}

}  // namespace

std::string CapsNumber(double amount) {
  return Words(amount, kCapital);
}

std::string SayCash(double amount) {
  return Words(amount, kOrdinary);
}

}  // namespace lumvoucher::frame
