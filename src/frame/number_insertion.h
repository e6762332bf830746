#pragma once

#include <string>

namespace lumvoucher::frame {

// Makes room for voucher number `number` in (year, period, voucher type, source organisation):
// every voucher of both bases numbered `number` or higher moves up by one, so the caller can
// then write its voucher with `number`. Runs inside the caller's transaction; database errors
// propagate as host::DatabaseError and the caller rolls back.
//
// The steps, with m the period's highest number before the shift:
//  1-2. when m < number nothing moves (the number is free and beyond the last one);
//  3.   the highest volume end of the period is read, and both bases are shifted (each in two
//       statements, through negated numbers, as unique keys may be checked row by row);
//  4.   the shifted vouchers are re-stamped (when stamping is on);
//  5.   the receipt counter (ReceiptMaxNo, kind 41) follows when m + 1 reaches
//       `issued_bound`. The second bound is the highest number the caller knows to be issued
//       for the period and type (what it read from ReceiptMaxNo; renumbering passes the row's
//       lngReceiptNo). A counter that already claims a number beyond the shifted range has
//       room for the new highest number and stays; pass 0 to have it always follow. Only a
//       counter at or below m moves, by one;
//  6.   when the highest volume end is at least 1 and at least `number`, the volumes follow the
//       shift so that every stored voucher stays inside the range of the volume it is stamped
//       with: a volume whose range holds `number` grows by one at its end (the new voucher
//       joins it), a volume that starts above `number` moves up by one at both ends, and a
//       volume that ends below `number` is unchanged.
struct NumberInsertion {
  bool shifted = false;           // step 3 ran
  long highest_before = 0;        // m
  bool counter_followed = false;  // step 5 ran
  bool volumes_adjusted = false;  // step 6 ran
  // After a volume adjustment: the label of the volume whose range holds `number`, which the
  // caller writes as the new voucher's strVolume; "0000" otherwise.
  std::string volume = "0000";
};

NumberInsertion InsertVoucherNumber(long number, long issued_bound, int year, int period,
                                    long voucher_type_id, long source_organization_id);

}  // namespace lumvoucher::frame
