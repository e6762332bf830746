#include "lists/list_reader.h"

#include <algorithm>
#include <iterator>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "frame/id_list.h"

namespace lumvoucher::lists {

namespace {

// The first chunk fills a screen with a few vouchers; later chunks grow so that the statements
// stay few, and stay short enough for the desktop to keep answering between two of them.
constexpr std::size_t kFirstChunk = 32;
constexpr std::size_t kLargestChunk = 512;

void Append(host::Recordset&& rs, std::vector<host::Recordset::Row>& out) {
  std::vector<host::Recordset::Row> rows = std::move(rs).TakeRows();
  if (out.empty()) {
    out = std::move(rows);
    return;
  }
  out.insert(out.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
}

}  // namespace

ListReader::ListReader(Plan plan)
    : plan_(std::move(plan)),
      chunk_query_(plan_.rows),
      in_chunks_(plan_.rows.conditions.empty() && !plan_.in_one_step),
      chunk_(kFirstChunk) {
  if (plan_.key_slices.empty()) plan_.key_slices.push_back(plan_.date_range);
  // The vouchers are in scope already; the chunk's own condition is the one the planner starts
  // from (a scope beside it makes SQLite walk the whole date range for every chunk).
  chunk_query_.scope.clear();
  chunk_query_.unsorted_with_row_id = true;
}

void ListReader::KeepVouchers(std::unordered_set<std::int64_t> permitted) {
  permitted_ = std::move(permitted);
  chunk_query_.restriction_tables.clear();
  chunk_query_.restriction.clear();
}

bool ListReader::Done() const {
  if (!in_chunks_) return whole_read_;
  return next_slice_ == plan_.key_slices.size() && next_key_ == keys_.size();
}

std::string ListReader::QueryText() const {
  return SwapCarryForward(plan_.text(plan_.rows), plan_.code);
}

void ListReader::Step(host::DataAccess& data, std::vector<host::Recordset::Row>& out) {
  if (!in_chunks_) {
    if (whole_read_) return;
    Append(data.OpenRecordset(QueryText()), out);
    whole_read_ = true;
    return;
  }
  // Rows as soon as a chunk of vouchers is known; the last vouchers once every slice is read.
  const std::size_t known = keys_.size() - next_key_;
  if (known > 0 && (known >= chunk_ || next_slice_ == plan_.key_slices.size())) {
    ReadRows(data, out);
  } else if (next_slice_ < plan_.key_slices.size()) {
    ReadKeys(data);
  }
}

void ListReader::ReadKeys(host::DataAccess& data) {
  const std::string scope =
      plan_.scope_before_dates + plan_.key_slices[next_slice_] + plan_.scope_after_dates;
  host::Recordset rs = data.OpenRecordset(SwapCarryForward(
      VoucherKeysText(scope, plan_.rows.sort, plan_.rows.basis_tie_breaker), plan_.code));
  ++next_slice_;
  for (const host::Recordset::Row& row : rs.Rows()) {
    const std::int64_t id = row.at(0).AsLong();
    if (seen_.insert(id).second) keys_.push_back(id);
  }
}

void ListReader::ReadRows(host::DataAccess& data, std::vector<host::Recordset::Row>& out) {
  std::vector<std::int64_t> ids;
  ids.reserve(chunk_);
  while (ids.size() < chunk_ && next_key_ < keys_.size()) {
    const std::int64_t id = keys_[next_key_++];
    if (!permitted_ || permitted_->count(id) > 0) ids.push_back(id);
  }
  chunk_ = std::min(chunk_ * 2, kLargestChunk);
  if (ids.empty()) return;
  const std::size_t n = ids.size();
  ListQuery chunk = chunk_query_;
  chunk.restriction += " And " + frame::InCondition("Voucher.lngVoucherID", ids);
  chunk.reversed = " And " + frame::InCondition("lngSourceVoucherID", ids);
  std::vector<host::Recordset::Row> rows =
      data.OpenRecordset(SwapCarryForward(plan_.text(chunk), plan_.code)).TakeRows();
  // The voucher id follows the configured columns; the line's row id was added last.
  const std::size_t id_column = plan_.rows.columns.size();
  std::unordered_map<std::int64_t, std::size_t> place;
  for (std::size_t i = 0; i < n; ++i) place.emplace(ids[i], i);
  struct Order {
    std::size_t voucher;
    std::int64_t line;
    bool no_line;  // a null row id sorts last, as in the list query
    std::size_t row;
    bool operator<(const Order& other) const {
      return std::tie(voucher, no_line, line, row) <
             std::tie(other.voucher, other.no_line, other.line, other.row);
    }
  };
  std::vector<Order> order;
  order.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const host::Value& line = rows[i].back();
    order.push_back({place.at(rows[i].at(id_column).AsLong()), line.IsNull() ? 0 : line.AsLong(),
                     line.IsNull(), i});
  }
  std::sort(order.begin(), order.end());
  out.reserve(out.size() + rows.size());
  for (const Order& o : order) {
    rows[o.row].pop_back();
    out.push_back(std::move(rows[o.row]));
  }
}

}  // namespace lumvoucher::lists
