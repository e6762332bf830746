#pragma once

#include <optional>
#include <string>
#include <vector>

#include "voucher/voucher_model.h"

// The text other modules of the suite describe a voucher with for WriteForm.
//
// One record per voucher line, records separated by a line feed (a carriage return before it
// is dropped), fields separated by TAB and read by 1-based position. Every record repeats the
// header fields; the header is taken from the first record. A record must hold at least 38
// fields; positions 39 to 42 and 77 are read only when the record reaches them.
//
//   pos  field                                   pos  field
//   1    year and period "yyyy-pp" or empty      21   customer (unit) id
//   2    date "yyyy-mm-dd"                       22   department id
//   3    voucher type id                         23   employee id
//   4    voucher number                          24   class-1 (statistics) id
//   5    summary                                 25   class-2 (project) id
//   6    account id                              26   payment method id
//   7    direction, 1 debit / -1 credit          27   bill (check) number
//   8    amount in the book currency             28   bill date "yyyy-mm-dd" or empty
//   9    currency id (0 or empty: book currency) 29   source voucher id (reversed voucher, or
//   10   exchange rate                                the transfer with source 16)
//   11   amount in the currency                  30   error mark: 1 or 0
//   12   quantity                                31   error text
//   13   unit price                              32   maker id (0: the current operator)
//   14   attachment count                        33   second source code (24, 32)
//   15   manager                                 34   (not used)
//   16   voucher source id                       35   business date "yyyy-mm-dd" or empty
//   17   volume, four digits "0000"              36   source organisation id
//   18   print mark: anything but "FALSE" sets it 37  void mark: 1 or 0
//   19   template id                             38   lngFyBillRelation
//   20   the caller's own key of the record      39   line organisation id (optional)
//        (kept with the line, not stored)        40   flexible item id (optional)
//                                                41   cash-flow summary (optional)
//                                                42   currency amount paid (optional)
//                                                77   document kind 41/54/55 (optional)
//
// Numbers are decimal text (no exponent, hex, nan or inf); an empty numeric field reads as 0.
// Whole numbers must fit their column: ids 0..2147483647, the voucher number 1..999999, the
// attachment count 0..32767, marks 0 or 1, the direction 1 or -1. Dates must be calendar dates
// (a blank line date is empty, the voucher date is required); position 1 may be empty. Text
// fields lose any other control character (it becomes a blank); quotes are kept as typed.
namespace lumvoucher::voucher {

inline constexpr int kWriteFormFields = 38;

struct ProgramVoucher {
  VoucherHeader header;  // ids and texts as given; names are filled by the window
  std::vector<VoucherLine> lines;
  long second_source_code = 0;
  int document_kind = 41;
};

// Nothing when a record is too short, a field breaks the rules above, or the records name
// different headers. The window checks the rest: the year and period against the date, the
// amounts against their decimals.
std::optional<ProgramVoucher> ParseWriteForm(const std::string& detail);

}  // namespace lumvoucher::voucher
