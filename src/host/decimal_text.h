#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Numbers as people and other modules type them: plain decimal text. No exponent, no hex, no
// "nan" or "inf", no full-width digits; blanks around the number are ignored, and thousands
// separators are taken where they group the whole part by three ("1,234.5").
namespace lumvoucher::host {

// The value of `text`: an optional sign, digits, an optional point and digits (at least one
// digit in all). Nothing for any other text. A whole part too large for a double reads as the
// largest finite double of its sign, so range checks refuse it; the result is never NaN or
// infinite.
std::optional<double> ParseDecimal(std::string_view text);

// The value of `text` as a whole number (optional sign and digits, nothing else) when it lies
// in [low, high]; nothing otherwise, however many digits it has.
std::optional<std::int64_t> ParseWhole(std::string_view text, std::int64_t low, std::int64_t high);

// The host utility's lenient reading of a text it produced or stored: the decimal number at the
// start of `text` once blanks and thousands separators are dropped ("12abc" -> 12, "0x1A" -> 0,
// "nan" -> 0, "1e999" -> 1); 0 when there is none. Never NaN or infinite.
double LeadingDecimal(std::string_view text);

}  // namespace lumvoucher::host
