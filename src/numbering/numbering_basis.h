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
  // The budget partner of flag 2 and its date (stamped with the number).
  long partner_id = 0;
  std::string partner_date;
};

// A stored voucher of one basis: its table and id, and its date (stamped with the number).
struct VoucherRef {
  std::string table;
  long voucher_id = 0;
  std::string date;
};

// Which vouchers a numbering window works on, a value every window is given. The single basis
// numbers the vouchers of one table (Voucher, or BudgetVoucher with IsFinance false); the dual
// basis numbers financial and budget vouchers together, a pair as one voucher: its candidates
// are the union with intFlag, a financial voucher carries its budget partner along, the report
// and the continuity list read VoucherView, the sign flips and volume stamps cover both tables,
// and former numbers have six digits. The rules of the windows (the volume walk, former
// numbers, stamps, the ledger, the transaction) are written once over this value.
class NumberingBasis {
 public:
  static NumberingBasis Single(bool is_finance = true);
  static NumberingBasis Dual();
  // The basis of the logged-in account set: the dual one under accounting-system code "16".
  // Throws when the regime cannot be read.
  static NumberingBasis OfAccountSet();

  bool IsDual() const { return kind_ == Kind::kDual; }
  // The window's IsFinance: false only for the single basis over BudgetVoucher.
  bool IsFinance() const { return kind_ != Kind::kBudget; }

  // "Voucher", or "BudgetVoucher" for a window with IsFinance false.
  std::string VoucherTable() const { return IsFinance() ? "Voucher" : "BudgetVoucher"; }
  // The voucher types the number window offers (shared by both bases).
  std::string TypeTable() const { return "VoucherType"; }
  // What the number report and the ledger's explanation read.
  std::string ReportSource() const { return IsDual() ? "VoucherView" : VoucherTable(); }
  // Renumbering candidates of `scope`: columns intVoucherNO, strOldReceiptNo, blnIsPrinted,
  // strVolume, lngVoucherID, strDate (and intFlag, lngPartnerID, strPartnerDate in the dual
  // basis); `range` is "" or the bounds condition over intVoucherNO; by number, or by date then
  // number.
  std::string RenumberCandidates(const NumberScope& scope, std::string_view range,
                                 bool by_date) const;
  // The continuity window's candidates, named Voucher in its query.
  std::string ContinuityListSource() const;
  // Every voucher of `scope` in number order (a pair once), for the continuity run.
  std::string ContinuityVouchers(const NumberScope& scope) const;
  // The table the candidate is stored in.
  std::string TableOf(const NumberCandidate& c) const;
  // The other voucher of a pair, which takes the candidate's number and volume.
  std::optional<VoucherRef> Partner(const NumberCandidate& c) const;
  // Turn the negative numbers of a whole-period pass positive again.
  std::vector<std::string> SignFlips() const;
  // The tables whose strVolume a volume save stamps.
  std::vector<std::string> VolumeTables() const;
  // What the volume grid counts per volume, named Voucher (a pair counts once).
  std::string VolumeCountSource() const;
  // Digits of a former number the number window appends to strOldReceiptNo.
  int FormerNumberDigits() const { return IsDual() ? 6 : 4; }
  // The candidate rows as read by the two queries above.
  static std::vector<NumberCandidate> ReadCandidates(std::string_view sql);

 private:
  enum class Kind { kFinance, kBudget, kDual };
  explicit NumberingBasis(Kind kind) : kind_(kind) {}
  // The dual-basis candidates of `scope` with `extra` conditions, in `order`.
  static std::string PairUnion(const NumberScope& scope, std::string_view extra,
                               std::string_view order);

  Kind kind_;
};

}  // namespace lumvoucher::numbering
