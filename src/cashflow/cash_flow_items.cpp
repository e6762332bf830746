#include "cashflow/cash_flow_items.h"

#include "cashflow/cash_flow_texts.h"
#include "cashflow/mdl_cash_flow.h"
#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/cls_business_pub.h"
#include "host/decimal_text.h"
#include "host/message_box.h"
#include "voucher/voucher_model.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::cashflow {

namespace {

constexpr int kSummaryWidth = 255;

bool Refuse(const std::string& text, const char* title) {
  frame::Msg(text, host::mb::kExclamation, title);
  return false;
}

std::optional<Choice> Find(const std::vector<Choice>& choices, std::string_view typed) {
  const std::string text = frame::StringOut(typed, " ");
  if (text.empty()) return std::nullopt;
  for (const Choice& c : choices) {
    if (c.code == text || c.Text() == text) return c;
  }
  for (const Choice& c : choices) {
    if (c.name == text) return c;
  }
  return std::nullopt;
}

}  // namespace

void CashFlowCells::SetItem(const Choice& item) {
  item_id = item.id;
  item_text = item.id == 0 ? std::string() : item.Text();
}

void CashFlowCells::SetCounterpart(const Choice& unit) {
  counterpart_id = unit.id;
  counterpart_text = unit.id == 0 ? std::string() : unit.Text();
}

bool CashFlowCells::SetFlow(std::string_view label) {
  const int type = FlowType(label);
  if (type != kInflowType && type != kOutflowType) return false;
  if (flow != label) {
    flow = label;
    SetItem({});
  }
  return true;
}

bool CashFlowCells::SetRange(std::string_view label) {
  if (label != texts::kInternal && label != texts::kExternal) return false;
  range = label;
  if (label == texts::kExternal) SetCounterpart({});
  return true;
}

int FlowType(std::string_view label) {
  if (label == texts::kInflow) return kInflowType;
  if (label == texts::kOutflow) return kOutflowType;
  if (label == texts::kNet) return kNetType;
  return 0;
}

const char* FlowLabel(int flow_type) {
  switch (flow_type) {
    case kInflowType:
      return texts::kInflow;
    case kOutflowType:
      return texts::kOutflow;
    case kNetType:
      return texts::kNet;
    default:
      return "";
  }
}

const char* DirectionLabel(int direction) {
  return direction == 1 ? texts::kInflow : texts::kOutflow;
}

int RangeType(std::string_view label) {
  return label == texts::kInternal ? 1 : 2;
}

const char* RangeLabel(long range_type) {
  return range_type == 1 ? texts::kInternal : texts::kExternal;
}

std::vector<Choice> CashItemsOfFlow(int flow_type) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "SELECT lngCashItemID,strCashItemCode || ' ' || strCashItemName FROM CashItem WHERE "
      "lngTradId=0 And strCashItemCode<>' ' AND lngCashFlowType=" +
      frame::SqlNumber(flow_type) + " ORDER BY strCashItemCode ");
  std::vector<Choice> items;
  for (const host::Recordset::Row& row : rs.Rows()) {
    // Codes hold no blank: the text splits into code and name at the first one.
    const std::string text = row.at(1).AsText();
    const std::size_t blank = text.find(' ');
    items.push_back({static_cast<long>(row.at(0).AsLong()), text.substr(0, blank),
                     blank == std::string::npos ? std::string() : text.substr(blank + 1)});
  }
  return items;
}

std::optional<Choice> ResolveCashItem(int flow_type, std::string_view typed, const char* title) {
  if (frame::StringOut(typed, " ").empty()) return Choice{};
  std::optional<Choice> item = Find(CashItemsOfFlow(flow_type), typed);
  if (!item) {
    Refuse(texts::kItemUnknown + frame::StringOut(typed, " "), title);
    return std::nullopt;
  }
  host::Recordset leaf = frame::Data().OpenRecordset(
      "select blnIsDetail from cashitem where strcashitemcode = " + frame::SqlText(item->code));
  if (leaf.Empty() || !leaf["blnIsDetail"].AsBool()) {
    Refuse(texts::kNotLeafOpen + item->code + texts::kNotLeafClose, texts::kTitleEditDetail);
    return std::nullopt;
  }
  return item;
}

std::vector<Choice> CounterpartChoices() {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select lngCustomerID, strCustomerCode, strCustomerName From Customer Where blnIsInActive = "
      "0 Order By strCustomerCode");
  std::vector<Choice> units;
  for (; !rs.Eof(); rs.MoveNext()) {
    units.push_back({static_cast<long>(rs["lngCustomerID"].AsLong()),
                     rs["strCustomerCode"].AsText(), rs["strCustomerName"].AsText()});
  }
  return units;
}

std::optional<Choice> ResolveCounterpart(std::string_view typed, const char* title) {
  if (frame::StringOut(typed, " ").empty()) return Choice{};
  std::optional<Choice> unit = Find(CounterpartChoices(), typed);
  if (!unit) Refuse(texts::kCustomerUnknown + frame::StringOut(typed, " "), title);
  return unit;
}

std::optional<double> ReadAmount(std::string_view text, const char* title) {
  std::optional<double> number =
      frame::StringOut(text, " ").empty() ? 0.0 : host::ParseDecimal(text);
  if (!number) {
    Refuse(voucher::texts::kNumberInvalid, title);
    return std::nullopt;
  }
  std::optional<double> entered = voucher::RoundEntered(*number, frame::Context().AmountDecimals());
  if (!entered) Refuse(voucher::texts::kNumberTooLarge, title);
  return entered;
}

std::string CashFlowSummary(const std::vector<std::string>& pieces) {
  std::string summary;
  for (const std::string& piece : pieces) {
    if (summary.empty()) {
      // The column holds 255: a first item longer than that is cut rather than refused.
      summary = frame::StrLen(piece) > kSummaryWidth ? frame::StrLeft(piece, kSummaryWidth) : piece;
      continue;
    }
    std::string longer = summary + "/" + piece;
    if (frame::StrLen(longer) > kSummaryWidth) break;
    summary = std::move(longer);
  }
  return summary;
}

std::string SummaryPiece(const std::string& item_text, double amount) {
  return item_text + " " + voucher::FormatFixed(amount, frame::Context().AmountDecimals());
}

std::string OperatorMessage(const char* text) {
  return frame::Context().CurrentOperator().name + text;
}

bool MaintainCashItems(host::CashItemAction action, int flow_type, long cash_item_id) {
  if (!frame::Login().business_pub->HasRight(rights::kMaintainItems)) {
    return Refuse(OperatorMessage(texts::kNoItemRight), texts::kTitleCashItem);
  }
  host::clsCWCard* card = frame::Login().cw_card;
  return card != nullptr && card->MaintainCashItem(action, flow_type, cash_item_id);
}

bool PeriodRefused(long voucher_id) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select intYear, bytPeriod, lngSourceOrganizationID From Voucher Where lngVoucherID = " +
      frame::SqlNumber(voucher_id));
  if (rs.Empty()) return false;
  if (!frame::Login().business_pub->Periods().IsPeriodClosed(
          static_cast<long>(rs["lngSourceOrganizationID"].AsLong()),
          static_cast<int>(rs["intYear"].AsLong()), static_cast<int>(rs["bytPeriod"].AsLong()))) {
    return false;
  }
  if (frame::IsTrueSetting(frame::SettingValue(0, texts::kSectionOrganization,
                                               texts::kKeyClosedPeriodCashFlow, "False"))) {
    return false;
  }
  frame::Msg(texts::kPeriodClosed, host::mb::kInformation, texts::kTitleImportant);
  return true;
}

}  // namespace lumvoucher::cashflow
