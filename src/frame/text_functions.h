#pragma once

#include <string>
#include <string_view>

namespace lumvoucher::frame {

// Text measured and cut the way a GBK database counts its text columns.
//
// Text is UTF-8. A character's width is its byte length in GBK (converted with iconv):
// ASCII counts 1, Chinese characters count 2, and a character GBK cannot represent (an emoji,
// for example) counts 2, as does every byte that is not well-formed UTF-8. When the system's
// GBK converter is missing, every non-ASCII character counts 2.
//
// Positions are 1-based widths. A cut never splits a character: a character that lies only
// partly inside the requested range is left out, so a result may be shorter than asked.
// Lengths and starts are ints; the texts handled are far below 2 GB. None of these functions
// throws except std::bad_alloc.

// Width of the whole text. Costs one pass without conversion when the text is pure ASCII.
int StrLen(std::string_view text);

// The leading characters whose widths add up to at most `length` (empty for length <= 0).
std::string StrLeft(std::string_view text, int length);

// The trailing characters whose widths add up to at most `length` (empty for length <= 0).
std::string StrRight(std::string_view text, int length);

// The characters lying wholly in the positions start .. start + length - 1. A start below 1
// counts as 1 (the length still counts from the start given); length <= 0 gives empty text.
std::string SubStr(std::string_view text, int start, int length);
// From `start` to the end of the text.
std::string SubStr(std::string_view text, int start);

// Non-overlapping occurrences of `separator` in `text`, scanning left to right; 0 for an empty
// separator.
int StrCount(std::string_view text, std::string_view separator);

// Strips every leading and trailing repetition of `pad` and keeps the inside untouched:
// StringOut(" ", " ") is the empty text (the one-blank empty marker of date columns becomes
// empty), StringOut("  a b ", " ") is "a b". An empty `pad` returns the text unchanged.
std::string StringOut(std::string_view text, std::string_view pad);

}  // namespace lumvoucher::frame
