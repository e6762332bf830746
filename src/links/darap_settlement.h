#pragma once

#include <array>
#include <string>
#include <vector>

#include "links/line_splits.h"

// Current-account settlement: the open items a line may settle, booking a line with the items
// it settled, withdrawing a stored settlement and a voucher's settled total. Statements run on
// the caller's transaction unless said otherwise; database errors propagate as
// host::DatabaseError.
namespace lumvoucher::links {

// The voucher tables of a basis. The settlement tables are the financial voucher's in both
// regimes; the dual-basis window passes its financial tables (today the same names).
struct VoucherTables {
  std::string voucher = "Voucher";
  std::string detail = "VoucherDetail";
};

// The line the window opens on (the arguments of ShowDetail) and the voucher's date.
struct SettlementLine {
  long account_id = 0;
  long currency_id = 0;
  long customer_id = 0;
  long department_id = 0;
  long employee_id = 0;
  long class1_id = 0;
  long class2_id = 0;
  std::string flexible_id;
  double amount = 0;  // ModblAmount, the amount to settle
  long row_id = 0;
  long line_id = 0;          // 0 for a line not yet stored
  bool dirtion = false;      // blnDirtion: the line's own id excludes nothing
  std::string voucher_date;  // items dated after it are not offered
};

// The flexible segments an item carries (lngFieldID01 .. lngFieldID30).
inline constexpr int kSegments = 30;

// A grid row: an open item, or an item this line already settled.
struct OpenItem {
  long darap_detail_id = 0;
  long voucher_detail_id = 0;  // the line that booked the item, 0 for an opening item
  std::string date;            // 日期
  std::string voucher_text;    // 凭证字号: "记 000012"
  std::string remark;
  std::string unit;
  std::string account;
  std::string department;
  std::string employee;
  std::string class1;  // the two statistics classes
  std::string class2;
  std::string item;  // 物品
  std::array<long, kSegments> field_ids{};
  std::array<std::string, kSegments> fields;  // the segment values' names
  std::string smart;                          // 智能核算
  int direction = 1;
  double rate = 0;
  int rate_decimals = 4;  // the currency's bytRateDec
  double amount = 0;
  // Open before this line: the stored open amount plus what this line had settled of it.
  double base_open = 0;
  double settled_here = 0;  // stored settlement of this line (DARAPSettlement)
  bool touched = false;     // blnHx
  bool init = false;        // blnInit
  long row_id = 0;
};

// Items matched on account, currency and every auxiliary item, of the account's normal side,
// not dated after the voucher, open above 0.00000001, with the items the line already settled;
// ordered by date and voucher number.
std::vector<OpenItem> LoadOpenItems(const SettlementLine& line, const VoucherTables& tables = {});

// What the save knows of the line being written.
struct SettlementBooking {
  long voucher_id = 0;
  long line_id = 0;
  std::string date;  // the voucher's date
  long voucher_type_id = 0;
  long voucher_no = 0;
};

// Writes the split of a stored line: removes the line's previous settlements (giving the items it
// settled their amounts back), books the line as an item (a new one with nothing settled of it:
// the voucher counts as written off only once a later line settles it; a stored one rebooked in
// place, keeping the settlements other lines made of it and its settled total), and inserts the
// settlements with the settled items' totals raised.
void WriteSettlement(const SettlementBooking& booking, const SettlementSplit& split,
                     const VoucherTables& tables = {});

// Whether another line settled the item the line booked. Their settlements were matched on the
// item's account, side, currency, auxiliary items and flexible key and count against its amount,
// so a changed line whose item they settled may take neither another key (`key_changed`) nor an
// amount below what they settled: frame::VoucherConflict, and the save rolls back.
bool KeepSettledItem(long line_id, bool key_changed, double amount);
// Whether another line settled the item the line booked (the voucher window refuses a change of
// its key as it is typed; KeepSettledItem is the save's backstop).
bool ItemSettledByOthers(long line_id);

// A stored voucher moved to `date`, its lines written: a settlement pairs a line with an item
// dated not after it, so the voucher may not move after the earliest voucher that settled its
// items, nor before the latest item its own lines settle (frame::VoucherConflict).
void KeepSettlementsDated(long voucher_id, const std::string& date);

// Withdraws the stored settlement by item `settling_detail_id` of the line `line_id`, in its own
// transaction. False when there was none.
bool WithdrawSettlement(long settling_detail_id, long line_id);

// The total settled against the items of a voucher (the voucher windows' "takes part in
// settlement").
double VoucherSettledTotal(long voucher_id, const VoucherTables& tables = {});

}  // namespace lumvoucher::links
