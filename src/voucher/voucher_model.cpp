#include "voucher/voucher_model.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "frame/amount_words.h"
#include "frame/sql_text.h"

namespace lumvoucher::voucher {

void VoucherLine::SetAmount(int side, double amount) {
  direction = side == kCredit ? kCredit : kDebit;
  debit = direction == kDebit ? amount : 0;
  credit = direction == kCredit ? amount : 0;
}

bool VoucherLine::IsBlank() const {
  return remark.empty() && account_text.empty() && debit == 0 && credit == 0;
}

void SetFromStored(VoucherLine& line, int stored_direction, double stored_amount) {
  line.direction = stored_direction == kCredit ? kCredit : kDebit;
  line.debit = stored_direction == kCredit ? 0 : stored_amount;
  line.credit = stored_direction == kCredit ? stored_amount : 0;
}

namespace {

// The value as "%.15g" writes it and strtod reads that back; to_chars and from_chars give the
// same digits and the same nearest double, at a fraction of the cost (a save rounds every
// amount several times).
double FifteenDigits(double value) {
  if (!std::isfinite(value)) return value;
  char digits[64];
  const auto written =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
  double read = value;
  // Only a value next to the largest double can round up past it: strtod's infinity.
  if (std::from_chars(digits, written.ptr, read).ec == std::errc::result_out_of_range) {
    return std::copysign(HUGE_VAL, value);
  }
  return read;
}

// Exact, as std::pow(10.0, n) is for these n, and without its cost.
constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

}  // namespace

double RoundTo(double value, int decimals) {
  // A whole number whose scaled value has at most fifteen digits comes back as it is: both
  // "%.15g" readings are exact, and so are the scaling and its undoing. Most of a line's
  // numbers are 0 or whole, and a save rounds each several times.
  if (decimals >= 0 && decimals <= 15 && std::trunc(value) == value &&
      std::fabs(value) * kPowers[decimals] < 1e15) {
    return value == 0 ? 0.0 : value;
  }
  double exact = FifteenDigits(value);
  const double scale =
      decimals >= 0 && decimals <= 15 ? kPowers[decimals] : std::pow(10.0, decimals);
  double scaled = exact * scale;
  double rounded = std::round(FifteenDigits(scaled)) / scale;
  return rounded == 0 ? 0.0 : rounded;
}

std::optional<double> RoundEntered(double value, int decimals) {
  constexpr int kDigits = 15;
  decimals = std::clamp(decimals, 0, kDigits);
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = RoundTo(value, decimals);
  if (!(std::fabs(rounded) < kPowers[kDigits - decimals])) return std::nullopt;
  return rounded;
}

std::string FormatFixed(double value, int decimals, bool grouping) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals < 0 ? 0 : decimals, RoundTo(value, decimals));
  std::string plain = text;
  if (plain.starts_with("-") && RoundTo(value, decimals) == 0) plain.erase(0, 1);
  if (!grouping) return plain;
  std::string sign;
  if (plain.starts_with("-")) {
    sign = "-";
    plain.erase(0, 1);
  }
  std::size_t point = plain.find('.');
  std::string whole = plain.substr(0, point);
  std::string rest = point == std::string::npos ? "" : plain.substr(point);
  std::string grouped;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) grouped += ',';
    grouped += whole[i];
  }
  return sign + grouped + rest;
}

std::string FormatPlain(double value) {
  return frame::SqlNumber(value);
}

Totals ComputeTotals(const std::vector<VoucherLine>& lines, int decimals) {
  Totals totals;
  for (const VoucherLine& line : lines) {
    totals.debit += line.debit;
    totals.credit += line.credit;
  }
  totals.debit = RoundTo(totals.debit, decimals);
  totals.credit = RoundTo(totals.credit, decimals);
  // A save works the same totals out several times: the words of the last amount are kept.
  thread_local double last_amount = -1;  // no absolute value
  thread_local std::string last_words;
  const double amount = std::fabs(totals.debit != 0 ? totals.debit : totals.credit);
  if (amount != last_amount) {
    last_words = frame::CapsNumber(amount);
    last_amount = amount;
  }
  totals.words = last_words;
  return totals;
}

}  // namespace lumvoucher::voucher
