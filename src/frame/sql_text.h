#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace lumvoucher::frame {

// Values turned into the text of an Oracle statement. Nothing a user typed can change the
// shape of a statement built with these.

// Integers (and 0/1 flags) as plain decimal text: 12, -3, 1.
template <std::integral T>
std::string SqlNumber(T value) {
  return std::to_string(value);
}

// A double in the shortest decimal form that reads back equal, never with an exponent:
// 0.1 -> "0.1", 100 -> "100", 1e-7 -> "0.0000001", -0.0 -> "0".
// Throws std::domain_error for NaN and infinities, which have no SQL literal.
std::string SqlNumber(double value);

// A text literal between single quotes, embedded quotes doubled: O'Neil -> 'O''Neil'.
// Oracle reads '' as NULL; callers that need an empty marker pass the one blank " ".
std::string SqlText(std::string_view text);
// The same literal appended to `out`, for a statement built in one string.
void AppendSqlText(std::string& out, std::string_view text);

// "yyyy-mm-dd" from its parts, zero-padded (2026, 3, 1 -> "2026-03-01"); not validated.
std::string DateText(int year, int month, int day);

// A date text column value: '2026-03-01'. The text is quoted like SqlText.
std::string SqlDate(std::string_view date);
std::string SqlDate(int year, int month, int day);

// A date column value: To_Date('2026-03-01','rrrr-mm-dd').
std::string SqlToDate(std::string_view date);
std::string SqlToDate(int year, int month, int day);

// `value` with leading zeros to at least `width` digits; longer numbers keep every digit and a
// negative number keeps its sign in front: (12, 6) -> "000012", (-12, 6) -> "-000012".
std::string ZeroPad(std::int64_t value, int width);

// A voucher number as shown to users ("0000##"): 12 -> "000012", 1234567 -> "1234567".
std::string VoucherNoText(std::int64_t number);

// The reference to a voucher used in texts and lists:
// (2026, 3, "记", 12) -> "2026年度03期间 记字 000012号凭证".
std::string VoucherReference(int year, int period, std::string_view type_code, std::int64_t number);

// `pattern` with the placeholders {0}, {1}, ... {18} ... replaced by the arguments in one pass
// (a replaced value is never scanned again). Values go in as given: the caller quotes them.
// A placeholder without an argument, and any other brace, stays as written.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);
std::string FormatText(std::string_view pattern, std::span<const std::string> args);

}  // namespace lumvoucher::frame
