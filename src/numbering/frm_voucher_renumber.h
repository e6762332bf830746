#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/modal_runner.h"
#include "numbering/choosers.h"
#include "numbering/number_ledger.h"
#include "numbering/number_report.h"
#include "numbering/numbering_basis.h"

namespace lumvoucher::numbering {

// A range of the "指定凭证段号" grid: the numbers start .. end of one voucher type.
struct NumberRange {
  long voucher_type_id = 0;
  long start = 0;
  long end = 0;
};

// Everything the number window shows, for the Qt view and the tests.
struct RenumberState {
  std::string title;
  std::vector<Choice> organizations;
  long organization_id = 0;
  int year = 0;
  int period = 0;
  std::vector<Choice> types;  // "空" (-1, all types) first
  long voucher_type_id = -1;
  bool ranges = false;  // "指定凭证段号"; "期间所有凭证" otherwise
  std::vector<NumberRange> range_rows;
  bool by_date = false;  // "按日期 + 凭证号整理"
  // The last number report ("编号查询") and its printed title.
  std::string report_title;
  std::vector<std::string> report;
  std::vector<TypeNumbers> report_types;
};

// The number window ("凭证编号查询") as a presenter: the number report of a source
// organisation, year and period per voucher type, and renumbering ("编号整理") that closes the
// gaps of the whole period or of per-type ranges.
//
// A renumbering run is one transaction over every type it touches: the numbers, volumes, former
// numbers of printed vouchers, stamps, the ReceiptMaxNO counters (through the host's number
// service) and the ledger entries commit together or not at all. In both modes the vouchers
// first take their new numbers negated and are turned positive by the sign flip after each type
// (ordered by date, a voucher may move onto a number that a later candidate still holds); the
// flip covers every negative number of the table, so numbers left negative by a pass stopped
// outside the component are repaired by the next one. The counter of a type bounds the count,
// but never below the number of candidates, so no voucher is left behind by a counter that lags.
class frmVoucherRenumber : public host::ModalWindow {
 public:
  explicit frmVoucherRenumber(NumberingBasis basis);

  std::string WindowName() const override;
  const RenumberState& State() const { return state_; }

  // Properties: the basis the window was made on, and the preselected type (-1: all).
  const NumberingBasis& Basis() const { return basis_; }
  bool IsFinance() const { return basis_.IsFinance(); }
  long VoucherTypeID = -1;

  // Fills the choosers; the login organisation, year and period, and VoucherTypeID are chosen.
  // False after a database error, which is shown.
  bool Load();

  bool SetOrganization(long organization_id);
  // The year must be an account year not before the organisation's start; the period one of
  // that year's periods not before the organisation's start. Otherwise the system's message
  // ("警告信息") and the value stays as it was.
  bool SetYear(int year);
  bool SetPeriod(int period);
  void SetVoucherType(long voucher_type_id);
  void SetRangeMode(bool ranges) { state_.ranges = ranges; }
  void SetByDate(bool by_date) { state_.by_date = by_date; }

  // The range grid: numbers typed as text, 1 to 999999, start not above end, one range per type.
  // A refused row is shown why and stays as it was; `row` == size adds a row.
  bool SetRange(int row, long voucher_type_id, std::string_view start, std::string_view end);
  void RemoveRange(int row);

  // "编号查询(&Q)": the number report into the state. False after a database error.
  bool Query();
  // "编号整理(&S)": asks, renumbers, reruns the report. False when declined or rolled back.
  bool Renumber();
  // The explanation of the last report's missing, void and moved-in numbers (the ledger);
  // nothing after a database error, which is shown.
  std::vector<LedgerLine> Explain() const;

  // Called with (vouchers moved, candidates) of the type being renumbered.
  void SetProgressHandler(std::function<void(int done, int total)> handler) {
    progress_ = std::move(handler);
  }

 private:
  struct ReceiptRow {
    long voucher_type_id = 0;
    long counter = 0;
  };
  std::vector<ReceiptRow> ReceiptRows() const;
  // The chosen range of a type in range mode; nullopt in whole-period mode.
  const NumberRange* RangeOf(long voucher_type_id) const;
  bool Applies(long voucher_type_id) const;
  std::string RangeCondition(const NumberRange* range) const;
  NumberScope ScopeOf(long voucher_type_id) const;
  TypeNumbers ReadNumbers(long voucher_type_id, const NumberRange* range) const;
  void RenumberType(const ReceiptRow& row, const NumberRange* range);

  NumberingBasis basis_;
  RenumberState state_;
  std::vector<long> report_type_ids_;
  std::function<void(int, int)> progress_;
};

// Checks of the number window against AccountYear and the organisation's start date; the empty
// text when the value is allowed, else the system's message.
std::string YearRefusal(long organization_id, int year);
std::string PeriodRefusal(long organization_id, int year, int period);

}  // namespace lumvoucher::numbering
