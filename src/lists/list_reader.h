#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "host/data_access.h"
#include "host/recordset.h"
#include "lists/list_query.h"

namespace lumvoucher::lists {

// Reads a list's rows in steps, so that the first screen can show while the rest is read.
//
// SQLite sorts the whole result of the list query before it hands over the first row, so a
// list read in one query shows nothing until all of it is read. Without the user's conditions
// the reader instead takes the list's vouchers in their order first, a slice of dates at a time
// (one voucher-level query per slice, cheap), and then the rows of the next vouchers in chunks,
// each with the list query restricted to those vouchers. A chunk is not sorted by the database
// (the sort of every row was a third of a chunk's time): its rows are put in the vouchers'
// order, and within a voucher in the lines' order, which is how the list query sorts them, so
// the rows come out as one query would give them. With conditions (the filter, quick find) the
// planner may start from the condition's index, which a chunk restricted to its vouchers would
// pay again and again, so the list query is read in one step.
class ListReader {
 public:
  // `rows`: the list query; its scope decides the vouchers. `key_slices`: the date conditions
  // that replace DateRange in `scope_before_dates + range + scope_after_dates` for each slice
  // of vouchers (DateSlices); empty reads the whole range as one slice. `code`: the accounting
  // system, whose carry-forward label the texts use. `text` words the list query (SelectText,
  // or a list's own); `in_one_step` reads it whole, for a query over other rows than vouchers.
  struct Plan {
    ListQuery rows;
    std::function<std::string(const ListQuery&)> text = SelectText;
    bool in_one_step = false;
    std::string scope_before_dates;
    std::string scope_after_dates;
    std::string date_range;
    std::vector<std::string> key_slices;
    std::string code;
  };
  explicit ListReader(Plan plan);

  // Reads the next slice of vouchers or the next chunk of rows and appends the rows to `out`.
  // Database errors propagate. Nothing happens once Done().
  void Step(host::DataAccess& data, std::vector<host::Recordset::Row>& out);
  bool Done() const;
  // Whether the rows come in chunks of vouchers (else the list query is read in one step).
  bool InChunks() const { return in_chunks_; }
  // From the next chunk on, only the vouchers of `permitted` are read and the plan's restriction
  // is dropped: the same vouchers, decided another way (the key table of item rights, read once
  // rather than joined in every chunk). QueryText keeps the plan's.
  void KeepVouchers(std::unordered_set<std::int64_t> permitted);

  // The list query as a whole, as the lists show it (LastQuery).
  std::string QueryText() const;

 private:
  void ReadKeys(host::DataAccess& data);
  void ReadRows(host::DataAccess& data, std::vector<host::Recordset::Row>& out);

  Plan plan_;
  ListQuery chunk_query_;  // the rows over the vouchers of a chunk, unsorted
  bool in_chunks_;
  std::size_t next_slice_ = 0;
  std::vector<std::int64_t> keys_;
  std::unordered_set<std::int64_t> seen_;  // a voucher another desktop moved between slices
  std::size_t next_key_ = 0;
  std::optional<std::unordered_set<std::int64_t>> permitted_;
  std::size_t chunk_;
  bool whole_read_ = false;
};

}  // namespace lumvoucher::lists
