#pragma once

#include <optional>
#include <string>
#include <vector>

#include "links/line_splits.h"

// The in-memory voucher of the voucher window: its header, its grid lines with every column of
// the load query, and the totals row.
namespace lumvoucher::voucher {

// The fields of a line as the grid and the entry panel name them; also where the focus is.
enum class LineField {
  kNone,
  kRemark,
  kAccount,
  kCurrency,
  kDebit,
  kCredit,
  kRate,
  kQuantity,
  kPrice,
  kCurrencyAmount,
  kUnit,
  kDepartment,
  kEmployee,
  kClass1,
  kClass2,
  kPaymentMethod,
  kCheckNumber,  // "票 据 号" on bank lines, "对 账 号" on receivable/payable lines
  kCheckDate,
  kBusinessDate,
  kOrganization,
  kSmartAccounting,  // "智能核算": the text the host's field validator judges
  kCashFlow,
};

// The header fields the user edits; the others are set by loading and by status operations.
enum class HeaderField { kNone, kVoucherType, kNumber, kDate, kAttachments, kTemplate, kManager };

inline constexpr int kDebit = 1;
inline constexpr int kCredit = -1;

// One grid row. The first 28 members are the load query's pp0 .. pp27 in order.
struct VoucherLine {
  long line_id = 0;                 // pp0: lngVoucherDetailID, 0 for a line not yet stored
  std::string remark;               // pp1
  std::string account_text;         // pp2: "code name"
  std::string currency_name;        // pp3
  double debit = 0;                 // pp4
  double credit = 0;                // pp5
  double rate = 0;                  // pp6
  double quantity = 0;              // pp7
  double price = 0;                 // pp8
  double currency_amount = 0;       // pp9
  std::string unit_text;            // pp10: "code name" of the customer/supplier
  std::string department_text;      // pp11
  std::string employee_text;        // pp12: employee code and name, then his department's
  std::string spare;                // pp13
  std::string class1_text;          // pp14
  std::string class2_text;          // pp15
  long account_id = 0;              // pp16
  long currency_id = 0;             // pp17
  long unit_id = 0;                 // pp18
  long department_id = 0;           // pp19
  long employee_id = 0;             // pp20
  double curr_payment_amount = 0;   // pp21: written off against receivables/payables when not 0
  long class1_id = 0;               // pp22
  long class2_id = 0;               // pp23
  int direction = kDebit;           // pp24
  std::string check_number;         // pp25: bill number, or reconciliation number (recv/pay)
  std::string payment_method_text;  // pp26
  long payment_method_id = 0;       // pp27
  std::string cash_flow_code;
  int currency_decimals = 2;
  int rate_decimals = 4;
  std::string check_date;  // "" when empty (stored as one blank)
  long organization_id = 0;
  std::string business_date;  // "" when empty
  std::string flexible_id;
  std::string flexible_name;
  // Entry panel only.
  std::string organization_text;
  std::string smart_text;
  // The user agreed to give up the cost collection of this stored line when its account
  // changed: the save deletes the line's CostApportion and HisCostApportion rows.
  bool clear_cost_collection = false;
  // Settlement, contract and cost splits confirmed in their windows and not yet saved: the save
  // writes them with the voucher, then the line holds none.
  links::LineSplits splits;

  // The one amount of the line on its side, as saving stores it.
  double Amount() const { return direction == kCredit ? credit : debit; }
  // Puts `amount` on the side `direction` and clears the other side.
  void SetAmount(int side, double amount);
  // A row nothing has been entered in (the trailing row of the grid).
  bool IsBlank() const;
};

// The stored (direction, amount) pair shown as debit and credit columns.
void SetFromStored(VoucherLine& line, int stored_direction, double stored_amount);

struct VoucherHeader {
  long voucher_id = 0;  // 0 while a new voucher is edited
  long type_id = 0;
  std::string type_code;
  std::string number;  // as shown and typed: "000001"
  std::string date;    // yyyy-mm-dd
  std::string attachments = "0";
  long source_organization_id = 0;
  int year = 0;
  int period = 0;
  long template_id = 0;
  std::string template_name;
  long maker_id = 0;
  std::string maker_name;
  long checker_id = 0;
  std::string checker_name;
  long poster_id = 0;
  std::string poster_name;
  long teller_id = 0;
  std::string teller_name;
  long source_id = 1;  // lngVoucherSourceID
  bool print_mark = false;
  bool void_mark = false;
  bool error_mark = false;
  std::string error_text;
  long source_voucher_id = 0;
  bool printed = false;
  std::string manager;
  long fy_bill_relation = 0;
  std::string volume;
  // The period the voucher is stored in (a stored voucher cannot move to another one).
  int stored_year = 0;
  int stored_period = 0;
  // The other voucher of its pair in the dual-basis regime (0 when there is none): the two
  // share their number, so the partner's is not a taken one.
  long partner_voucher_id = 0;
};

// The totals row: "合计：", the rounded sums, and the total in words in its first cell.
struct Totals {
  double debit = 0;
  double credit = 0;
  std::string words;
};

// Sums the debit and credit columns, each rounded to `decimals`; the words spell the absolute
// debit total, or the credit total while the debit side is still empty.
Totals ComputeTotals(const std::vector<VoucherLine>& lines, int decimals);

// Half away from zero at `decimals` places, reading the double as its 15 significant digits
// first so that 0.285 rounds to 0.29.
double RoundTo(double value, int decimals);
// A number as it is entered: rounded to `decimals` places, or nothing when it is not finite or
// the rounded value needs more than 15 significant digits (what a double holds exactly), so
// that what is stored is what the balance check compared.
std::optional<double> RoundEntered(double value, int decimals);
// "1234.50" with `decimals` places; "#,##0.00" style with `grouping`.
std::string FormatFixed(double value, int decimals, bool grouping = false);
// Shortest text that reads back the value ("3500", "7.1").
std::string FormatPlain(double value);

}  // namespace lumvoucher::voucher
