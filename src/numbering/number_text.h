#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumvoucher::numbering {

// A number typed by a user or read back from a text the component wrote: decimal digits only
// (blanks around them allowed), within [lowest, highest]; nullopt for anything else.
std::optional<long> ParseNumber(std::string_view text, long lowest, long highest);

// A count formatted "#,###": grouped by thousands, 0 as the empty text.
std::string GroupedCount(long count);

}  // namespace lumvoucher::numbering
