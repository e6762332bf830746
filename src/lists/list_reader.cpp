#include "lists/list_reader.h"

#include <algorithm>
#include <iterator>
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
      in_chunks_(plan_.rows.conditions.empty() && !plan_.in_one_step),
      chunk_(kFirstChunk) {
  if (plan_.key_slices.empty()) plan_.key_slices.push_back(plan_.date_range);
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
  const std::size_t n = std::min(chunk_, keys_.size() - next_key_);
  const std::span<const std::int64_t> ids(keys_.data() + next_key_, n);
  // The vouchers are in scope already; the chunk's own condition is the one the planner starts
  // from (a scope beside it makes SQLite walk the whole date range for every chunk).
  ListQuery chunk = plan_.rows;
  chunk.scope.clear();
  chunk.restriction += " And " + frame::InCondition("Voucher.lngVoucherID", ids);
  Append(data.OpenRecordset(SwapCarryForward(plan_.text(chunk), plan_.code)), out);
  next_key_ += n;
  chunk_ = std::min(chunk_ * 2, kLargestChunk);
}

}  // namespace lumvoucher::lists
