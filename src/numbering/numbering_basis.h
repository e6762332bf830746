#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvoucher::numbering {

// The numbers of one voucher type in one period of one source organisation.
struct NumberScope {
  long organization_id = 0;
  int year = 0;
  int period = 0;
  long voucher_type_id = 0;
};

// A voucher a renumbering or continuity run may move, as the candidate queries read it.
struct NumberCandidate {
  long voucher_id = 0;
  long number = 0;
  std::string former;  // strOldReceiptNo
  bool printed = false;
  std::string volume;
  std::string date;
  // The dual-basis union: 1 financial without a budget partner, 2 financial with one, 3 budget
  // without a financial partner. Always 1 in the single basis.
  int flag = 1;
};

// A stored voucher of one basis: its table and id, and its date (stamped with the number).
struct VoucherRef {
  std::string table;
  long voucher_id = 0;
  std::string date;
};

// Which vouchers a numbering window works on. This is the seam between the single-basis windows
// (this class: Voucher only) and the dual-basis ones, which renumber a financial voucher and its
// budget partner together: a dual-basis basis overrides the candidate queries (the union with
// intFlag over both tables, VoucherView for the continuity list), the table of a candidate, the
// partner that moves with it, the report source, the sign flips and the volume tables, and
// formats former numbers with six digits. Everything else (the volume walk, former numbers,
// stamps, the ledger, the transaction) is shared.
class NumberingBasis {
 public:
  virtual ~NumberingBasis() = default;

  // The single-basis variant of the windows.
  static const NumberingBasis& Single();

  // "Voucher", or "BudgetVoucher" for a window with IsFinance false.
  virtual std::string VoucherTable() const { return "Voucher"; }
  // The voucher types the number window offers.
  virtual std::string TypeTable() const { return "VoucherType"; }
  // What the number report reads.
  virtual std::string ReportSource() const { return "Voucher"; }
  // Renumbering candidates of `scope`: columns intVoucherNO, strOldReceiptNo, blnIsPrinted,
  // strVolume, lngVoucherID, strDate (and intFlag in the dual basis); `range` is "" or the
  // bounds condition; by number, or by date then number.
  virtual std::string RenumberCandidates(const NumberScope& scope, std::string_view range,
                                         bool by_date) const;
  // The continuity window's candidates, named Voucher in its query.
  virtual std::string ContinuityListSource() const { return "Voucher"; }
  // Every voucher of `scope` in number order, for the continuity run.
  virtual std::string ContinuityVouchers(const NumberScope& scope) const;
  // The table the candidate is stored in.
  virtual std::string TableOf(const NumberCandidate&) const { return VoucherTable(); }
  // The other voucher of a pair, which takes the candidate's number and volume.
  virtual std::optional<VoucherRef> Partner(const NumberCandidate&) const { return std::nullopt; }
  // Turn the negative numbers of a whole-period pass positive again.
  virtual std::vector<std::string> SignFlips() const;
  // The tables whose strVolume a volume save stamps.
  virtual std::vector<std::string> VolumeTables() const { return {"Voucher"}; }
  // Digits of a former number in strOldReceiptNo.
  virtual int FormerNumberDigits() const { return 4; }
  // The candidate rows as read by the two queries above.
  static std::vector<NumberCandidate> ReadCandidates(std::string_view sql);
};

}  // namespace lumvoucher::numbering
