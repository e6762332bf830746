#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumvoucher::frame {

// Lists of values in SQL conditions. Oracle refuses an IN list of more than 1000 values, so a
// long list is split into chunks and the chunks are joined.

inline constexpr std::size_t kIdChunkSize = 999;    // every list of the component
inline constexpr std::size_t kRuleChunkSize = 900;  // the parallel-accounting rule checks

// Consecutive pieces of at most `chunk_size` values (a chunk_size of 0 counts as 1); an empty
// list gives no chunks.
std::vector<std::vector<std::string>> ChunkValues(std::span<const std::string> values,
                                                  std::size_t chunk_size = kIdChunkSize);

// Ids as decimal text joined by "," without blanks: "1,2,3".
std::string JoinIds(std::span<const std::int64_t> ids);

// Each value as a quoted SQL literal, joined by `separator`: ("a", "O'K") -> "'a','O''K'".
// The code lookups join with ", ".
std::string JoinQuoted(std::span<const std::string> values, std::string_view separator = ",");

// Splits a comma list into its items. Commas inside single-quoted literals do not split and
// blanks around an item are dropped; the items stay as written (quoted codes keep their quotes).
// An empty or blank text gives no items.
std::vector<std::string> SplitList(std::string_view list);

// column + " " + keyword + " (" + chunk + ")" for one chunk; for several,
// "(" + those pieces joined by " Or " + ")":
//   InCondition("VoucherDetail.lngVoucherDetailID", ids)
//     -> "(VoucherDetail.lngVoucherDetailID In (1,...,999) Or VoucherDetail.lngVoucherDetailID
//        In (1000))"
// Values go in as given (render ids with JoinIds' form, codes quoted). The keyword keeps the
// caller's spelling ("In", "IN"). An empty list is "1=0": nothing is in an empty set.
std::string InCondition(std::string_view column, std::span<const std::string> values,
                        std::size_t chunk_size = kIdChunkSize, std::string_view keyword = "In");
std::string InCondition(std::string_view column, std::span<const std::int64_t> ids,
                        std::size_t chunk_size = kIdChunkSize, std::string_view keyword = "In");

// The negation: pieces with `keyword` ("Not In") joined by " And ", parenthesised when there
// are several. An empty list is "1=1".
std::string NotInCondition(std::string_view column, std::span<const std::string> values,
                           std::size_t chunk_size = kIdChunkSize,
                           std::string_view keyword = "Not In");
std::string NotInCondition(std::string_view column, std::span<const std::int64_t> ids,
                           std::size_t chunk_size = kIdChunkSize,
                           std::string_view keyword = "Not In");

// The rule checks' builder over a comma list text (ids or quoted codes), 900 values a chunk:
//   RuleInList("s.lngVoucherAccountRuleID", "1,2,3") -> "s.lngVoucherAccountRuleID IN (1,2,3)"
//   and for 901 values "(col IN (<900 values>) Or col IN (<1 value>))".
std::string RuleInList(std::string_view column, std::string_view list,
                       std::size_t chunk_size = kRuleChunkSize);

}  // namespace lumvoucher::frame
