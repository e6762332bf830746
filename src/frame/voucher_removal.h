#pragma once

#include <string>
#include <string_view>

#include "host/data_access.h"
#include "host/voucher_basis.h"

// What goes with stored voucher lines and vouchers. Every road that makes lines go (a save that
// removes lines, a program's save that overwrites a voucher, deleting a voucher from the window,
// a list or a batch, the reversals a void takes along) releases their rows here, so none leaves
// a line's rows behind. A subsystem that owns a line-level table adds its clean-up to
// ReleaseGoneLines (the cash-flow subsystem's purge is its first step).
//
// Everything runs inside the caller's transaction; database errors propagate as
// host::DatabaseError and the caller rolls back.
namespace lumvoucher::frame {

// Stored lines: one line, or every line of a voucher (read from the basis's line table, so a
// voucher's lines are released before its line rows are deleted). Line ids never collide
// between the bases, so the lines of either basis are released alike: a row tied to a line id
// belongs to that line.
class LineSet {
 public:
  static LineSet Line(long line_id);
  static LineSet OfVoucher(long voucher_id,
                           const host::VoucherBasis& basis = host::FinancialBasis());

  // The condition that `column`, holding a line id, names one of the lines: "col=5", or
  // "col In (Select lngVoucherDetailID From VoucherDetail Where lngVoucherID = 7)".
  std::string Match(std::string_view column) const;

 private:
  LineSet(long id, const host::VoucherBasis* basis) : id_(id), basis_(basis) {}
  long id_;
  const host::VoucherBasis* basis_;  // null: one line
};

// The DARAPSettlement condition that a line outside the set settled an item of theirs (what
// keeps them from going); with `settling` also that they settled items themselves (what keeps a
// voucher from being voided: deleting releases those, voiding would leave them standing).
std::string WrittenOffCondition(const LineSet& lines, bool settling);

// Frees the checks (CheckDetail) the lines used.
std::string FreeChecksSql(const LineSet& lines);

// "These lines are gone": releases the rows other tables tie to the lines: cash-flow splits, memo
// registrations, contract rows and invoices, cost collection, fund allocations and the
// current-account items the lines booked with their settlements (the items they settled are open
// again by those amounts), the current-account detail copied from them; frees their checks and
// unlinks their bank bills. Throws VoucherConflict (kDeleteWrittenOff) when a line outside the
// set settled an item of theirs.
void ReleaseGoneLines(host::DataAccess& data, const LineSet& lines);

// "This kept line changed its account, side or amount": the splits it was divided by no longer
// add up to it, so those it does not bring anew go as for a gone line: its settlements and
// current-account item, its contract rows and, when the amount changed, its cost rows (an
// account change leaves the cost rows to the collected-costs question). A line whose item other
// lines settled brings its settlement anew (the writer rebooks that item in place).
struct FreshSplits {
  bool settlement = false;
  bool contract = false;
  bool cost = false;
};
void ReleaseChangedLineSplits(host::DataAccess& data, long line_id, bool amount_changed,
                              const FreshSplits& fresh);

// Releases the links of other modules to the voucher (Activity, ItemActivity) and, for a voucher
// made from transfer `transfer_id` (source 16, 0 for any other voucher), moves the transfer to
// the latest other voucher of the basis made from it, or clears it when there is none.
void ReleaseVoucherLinks(host::DataAccess& data, long voucher_id, long transfer_id,
                         const host::VoucherBasis& basis = host::FinancialBasis());

// Deletes a stored voucher of `basis`: its lines' rows, its links, its attached files, its lines
// and its header, clears the link of the vouchers that reverse it, and takes it out of its pair
// (the partner stays, a pair row left with neither voucher goes). False when there was no such
// voucher (nothing written).
bool DeleteStoredVoucher(host::DataAccess& data, long voucher_id,
                         const host::VoucherBasis& basis = host::FinancialBasis());

}  // namespace lumvoucher::frame
