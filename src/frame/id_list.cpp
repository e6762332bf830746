#include "frame/id_list.h"

#include <algorithm>

#include "frame/sql_text.h"

namespace lumvoucher::frame {
namespace {

std::string Join(std::span<const std::string> values, std::string_view separator) {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) out += separator;
    out += values[i];
  }
  return out;
}

std::vector<std::string> IdTexts(std::span<const std::int64_t> ids) {
  std::vector<std::string> texts;
  texts.reserve(ids.size());
  for (const auto id : ids) texts.push_back(SqlNumber(id));
  return texts;
}

std::string Chunked(std::string_view column, std::span<const std::string> values,
                    std::size_t chunk_size, std::string_view keyword, std::string_view joiner,
                    std::string_view empty) {
  if (values.empty()) return std::string(empty);
  const auto chunks = ChunkValues(values, chunk_size);
  std::string out;
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    if (i > 0) out += joiner;
    out += std::string(column) + " " + std::string(keyword) + " (" + Join(chunks[i], ",") + ")";
  }
  // Without the parentheses an " Or " would escape the caller's surrounding " And ".
  return chunks.size() > 1 ? "(" + out + ")" : out;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<std::vector<std::string>> ChunkValues(std::span<const std::string> values,
                                                  std::size_t chunk_size) {
  chunk_size = std::max<std::size_t>(chunk_size, 1);
  std::vector<std::vector<std::string>> chunks;
  for (std::size_t i = 0; i < values.size(); i += chunk_size) {
    const std::size_t end = std::min(values.size(), i + chunk_size);
    chunks.emplace_back(values.begin() + static_cast<std::ptrdiff_t>(i),
                        values.begin() + static_cast<std::ptrdiff_t>(end));
  }
  return chunks;
}

std::string JoinIds(std::span<const std::int64_t> ids) {
  return Join(IdTexts(ids), ",");
}

std::string JoinQuoted(std::span<const std::string> values, std::string_view separator) {
  std::vector<std::string> quoted;
  quoted.reserve(values.size());
  for (const auto& value : values) quoted.push_back(SqlText(value));
  return Join(quoted, separator);
}

std::vector<std::string> SplitList(std::string_view list) {
  std::vector<std::string> items;
  if (TrimBlanks(list).empty()) return items;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= list.size(); ++i) {
    if (i < list.size() && list[i] == '\'') quoted = !quoted;  // '' inside flips twice
    if (i == list.size() || (list[i] == ',' && !quoted)) {
      items.emplace_back(TrimBlanks(list.substr(start, i - start)));
      start = i + 1;
    }
  }
  return items;
}

std::string InCondition(std::string_view column, std::span<const std::string> values,
                        std::size_t chunk_size, std::string_view keyword) {
  return Chunked(column, values, chunk_size, keyword, " Or ", "1=0");
}

std::string InCondition(std::string_view column, std::span<const std::int64_t> ids,
                        std::size_t chunk_size, std::string_view keyword) {
  return InCondition(column, IdTexts(ids), chunk_size, keyword);
}

std::string NotInCondition(std::string_view column, std::span<const std::string> values,
                           std::size_t chunk_size, std::string_view keyword) {
  return Chunked(column, values, chunk_size, keyword, " And ", "1=1");
}

std::string NotInCondition(std::string_view column, std::span<const std::int64_t> ids,
                           std::size_t chunk_size, std::string_view keyword) {
  return NotInCondition(column, IdTexts(ids), chunk_size, keyword);
}

std::string RuleInList(std::string_view column, std::string_view list, std::size_t chunk_size) {
  return InCondition(column, SplitList(list), chunk_size, "IN");
}

}  // namespace lumvoucher::frame
