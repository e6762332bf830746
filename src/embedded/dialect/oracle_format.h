#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lumvoucher::dialect {

// Oracle's value formatting, for the functions the embedded database registers. Dates are text
// "yyyy-mm-dd", with " hh:mi:ss" and ".fff" when they carry a time. Each function throws
// FormatError with Oracle's message when the input does not fit the model.
class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// to_char(number, model): 9 0 , . G D and the FM prefix. Without FM the text is as wide as the
// model plus the sign column Oracle reserves: to_char(12,'000000') = " 000012".
std::string FormatNumber(double value, std::string_view model);
// Whether a model formats dates (yyyy, mm, hh24, ...) rather than numbers.
bool IsDateModel(std::string_view model);
// to_char(date, model): yyyy rrrr yy rr mm dd hh24 hh12 hh mi ss ff[1-9], "text", punctuation.
std::string FormatDate(std::string_view date, std::string_view model);
// To_Date(text, model): the date as "yyyy-mm-dd", with " hh:mi:ss" when the model has a time.
std::string ParseDate(std::string_view text, std::string_view model);

// A number as Oracle writes it without a model: 12, 1.5, .5, -0.25 as -.25.
std::string NumberText(double value);
// Text read as an Oracle number: surrounding blanks allowed, nothing else.
std::optional<double> ParseNumber(std::string_view text);
// Rounds half away from zero at `digits` decimals (negative: left of the point), working on
// the decimal form so that 2.675 rounds to 2.68 as Oracle's decimal numbers do.
double RoundDecimal(double value, int digits);
double TruncDecimal(double value, int digits);

// Characters of UTF-8 text; LPAD, SUBSTR and INSTR count in characters.
std::size_t CharCount(std::string_view text);
// Byte offset of character `index` (0-based); text.size() past the end.
std::size_t CharOffset(std::string_view text, std::size_t index);
// Length in bytes of a GBK database: a character outside ASCII takes two.
std::size_t GbkLength(std::string_view text);

}  // namespace lumvoucher::dialect
