#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_services.h"

// What both cash-flow windows share about a grid row: the items and counterparts it may take,
// the labels of flow and range, the amounts as typed, and the line summary they write. Lookups
// that refuse a typed value show the refusal under `title` and answer nothing; database errors
// propagate as host::DatabaseError.
namespace lumvoucher::cashflow {

// An entry of a chooser: an item (CashItem) or a unit (Customer), shown as "code name".
struct Choice {
  long id = 0;
  std::string code;
  std::string name;
  std::string Text() const { return code + " " + name; }
};

// The cells of a grid row both windows edit alike.
struct CashFlowCells {
  std::string flow;  // "流入" / "流出" / "净值"
  long item_id = 0;
  std::string item_text;
  std::string range;  // "内部" / "外部"
  long counterpart_id = 0;
  std::string counterpart_text;
  double amount = 0;  // as shown and typed

  void SetItem(const Choice& item);
  void SetCounterpart(const Choice& unit);
  // Another flow ("流入" / "流出" only) drops the item, which belonged to the old one.
  bool SetFlow(std::string_view label);
  // "内部" / "外部"; an external row has no counterpart.
  bool SetRange(std::string_view label);
};

// The flow type of a label ("流入" 1, "流出" 2, "净值" 3; 0 for anything else) and back.
int FlowType(std::string_view label);
const char* FlowLabel(int flow_type);
// The label of a line's side: debit "流入", credit "流出".
const char* DirectionLabel(int direction);
// lngRangeType of a range label: 1 "内部", 2 otherwise; and back.
int RangeType(std::string_view label);
const char* RangeLabel(long range_type);

// The items offered for a flow type, in code order (parents included; choosing one is refused).
std::vector<Choice> CashItemsOfFlow(int flow_type);
// The item a typed text names among those of `flow_type`: its code, its "code name" or its name;
// an empty choice (id 0) for a blank text. Refuses an unknown text and a parent item.
std::optional<Choice> ResolveCashItem(int flow_type, std::string_view typed, const char* title);

// The units that may be internal counterparts, in code order, and the one a text names (an empty
// choice for a blank text).
std::vector<Choice> CounterpartChoices();
std::optional<Choice> ResolveCounterpart(std::string_view typed, const char* title);

// A typed amount: decimal text (blank is 0) rounded to the account set's decimals, refused when
// it is not a number or needs more than 15 significant digits.
std::optional<double> ReadAmount(std::string_view text, const char* title);

// The summary written into VoucherDetail.strCashFlowCode: the pieces joined by "/" while the
// text stays within 255 as StrLen counts (the first piece is always taken, cut to 255).
std::string CashFlowSummary(const std::vector<std::string>& pieces);
// One piece: the item's text, a blank and the amount with the account set's decimals.
std::string SummaryPiece(const std::string& item_text, double amount);

// The item maintenance of the choosers: right 460, then the host's card. Answers whether the
// items changed.
bool MaintainCashItems(host::CashItemAction action, int flow_type, long cash_item_id);

// The closed-period rule of both windows: the voucher's general-ledger period is closed and the
// organisation does not allow cash flow to change there. Shows the refusal.
bool PeriodRefused(long voucher_id);

// The current operator's name followed by `text` (the rights messages).
std::string OperatorMessage(const char* text);

}  // namespace lumvoucher::cashflow
