#include "voucher/frm_voucher.h"

#include <algorithm>
#include <cctype>
#include <tuple>

#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/calendar_date.h"
#include "host/cls_account.h"
#include "host/cls_base_class.h"
#include "host/cls_business_pub.h"
#include "host/database_error.h"
#include "host/decimal_text.h"
#include "host/message_box.h"
#include "links/darap_settlement.h"
#include "links/settlement_texts.h"
#include "voucher/cost_collection.h"
#include "voucher/header_rules.h"
#include "voucher/line_arithmetic.h"
#include "voucher/save_texts.h"
#include "voucher/voucher_loader.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::voucher {

namespace {

std::string N(long value) {
  return std::to_string(value);
}

std::string Setting(std::string_view section, std::string_view key, std::string_view fallback) {
  return frame::SettingValue(0, section, key, fallback);
}

int KindOf(LineField field) {
  switch (field) {
    case LineField::kUnit:
      return host::item_kind::kUnit;
    case LineField::kDepartment:
      return host::item_kind::kDepartment;
    case LineField::kEmployee:
      return host::item_kind::kEmployee;
    case LineField::kClass1:
      return host::item_kind::kClass1;
    case LineField::kClass2:
      return host::item_kind::kClass2;
    case LineField::kPaymentMethod:
      return host::item_kind::kPaymentMethod;
    case LineField::kCurrency:
      return host::item_kind::kCurrency;
    case LineField::kOrganization:
      return host::item_kind::kOrganization;
    default:
      return 0;
  }
}

// Where a reference field keeps its id and its text.
struct ReferenceSlot {
  long* id;
  std::string* text;
};

ReferenceSlot SlotOf(VoucherLine& line, LineField field) {
  switch (field) {
    case LineField::kUnit:
      return {&line.unit_id, &line.unit_text};
    case LineField::kDepartment:
      return {&line.department_id, &line.department_text};
    case LineField::kEmployee:
      return {&line.employee_id, &line.employee_text};
    case LineField::kClass1:
      return {&line.class1_id, &line.class1_text};
    case LineField::kClass2:
      return {&line.class2_id, &line.class2_text};
    case LineField::kPaymentMethod:
      return {&line.payment_method_id, &line.payment_method_text};
    case LineField::kCurrency:
      return {&line.currency_id, &line.currency_name};
    case LineField::kOrganization:
      return {&line.organization_id, &line.organization_text};
    default:
      return {nullptr, nullptr};
  }
}

void ClearAccount(VoucherLine& line) {
  line.account_id = 0;
  line.account_text.clear();
}

int AskAdd(const std::string& typed) {
  return frame::Msg("“" + typed + texts::kAskAddItem, host::mb::kYesNo + host::mb::kQuestion,
                    texts::kTitleEntry);
}

}  // namespace

VoucherLine* frmVoucher::Line(int row) {
  if (row < 1 || row > static_cast<int>(state_.lines.size())) return nullptr;
  return &state_.lines[static_cast<std::size_t>(row - 1)];
}

namespace {

// The preferences as the store keeps them: key, default and the state's switch.
struct PreferenceKey {
  const char* key;
  const char* fallback;
  bool WindowPreferences::*value;
};

const PreferenceKey& KeyOf(WindowPreference which) {
  static constexpr PreferenceKey kKeys[] = {{"Alert", "False", &WindowPreferences::alert},
                                            {"Sound", "False", &WindowPreferences::sound},
                                            {"Quick", "False", &WindowPreferences::quick},
                                            {"CashLine", "True", &WindowPreferences::cash_line},
                                            {"Deficit", "False", &WindowPreferences::deficit}};
  return kKeys[static_cast<int>(which)];
}

std::string PreferenceSection() {
  return N(frame::OperatorId()) + "41";
}

}  // namespace

void frmVoucher::FormLoad() {
  if (state_.open) return;
  host::PreferenceStore& store = frame::Login().base_class->Preferences();
  const std::string section = PreferenceSection();
  for (WindowPreference which :
       {WindowPreference::kAlert, WindowPreference::kSound, WindowPreference::kQuick,
        WindowPreference::kCashLine, WindowPreference::kDeficit}) {
    const PreferenceKey& k = KeyOf(which);
    state_.preferences.*k.value =
        frame::IsTrueSetting(store.GetSetting(section, k.key, k.fallback));
  }

  host::LoginContext& login = frame::Context();
  BalanceOptions& b = state_.panel.balance;
  auto option = [&](const char* key, const char* fallback) {
    return frame::IsTrueSetting(
        login.SettingValue(0, texts::kSectionBalanceDisplay, key, fallback));
  };
  b.unit = option("单位控制", "True");
  b.department = option("部门控制", "True");
  b.employee = option("职员控制", "True");
  b.class1 = option("统计控制", "True");
  b.class2 = option("项目控制", "True");
  b.smart = option("智能核算控制", "False");

  state_.panel.class1_name = Setting(texts::kSectionAccountSet, texts::kKeyClass1Name, "统计");
  state_.panel.class2_name = Setting(texts::kSectionAccountSet, texts::kKeyClass2Name, "项目");
  state_.panel.show_balance =
      frame::IsTrueSetting(Setting(texts::kSectionAccountSet, texts::kKeyShowBalance, "True"));
  state_.settlement_required = frame::IsTrueSetting(
      Setting(texts::kSectionAccountSet, texts::kKeySettlementRequired, "False"));
  auto places = [](const std::string& setting) {
    return static_cast<int>(host::ParseWhole(setting, 0, 10).value_or(4));
  };
  state_.panel.basis = basis_;
  state_.price_decimals = places(Setting(texts::kSectionAccountSet, "单价小数位数", "4"));
  state_.quantity_decimals = places(Setting(texts::kSectionAccountSet, "数量小数位数", "4"));
  state_.open = true;
}

bool frmVoucher::TogglePreference(WindowPreference which) {
  const PreferenceKey& k = KeyOf(which);
  try {
    FormLoad();
    const bool on = !(state_.preferences.*k.value);
    frame::Login().base_class->Preferences().SaveSetting(PreferenceSection(), k.key,
                                                         on ? "True" : "False");
    state_.preferences.*k.value = on;
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleEntry);
  }
  return state_.preferences.*k.value;
}

bool frmVoucher::PreferenceOn(WindowPreference which) const {
  return state_.preferences.*KeyOf(which).value;
}

void frmVoucher::ReadStamping() {
  state_.stamping = frame::Context().StampingEnabled();
}

void frmVoucher::ShowWindow() {
  host::HostMainWindow* main = frame::Login().main_window;
  if (main == nullptr) return;
  main->ShowChild(*this);
  main->ChildActive();
}

void frmVoucher::UpdateCaptions() {
  const VoucherHeader& h = state_.header;
  state_.review_caption = h.checker_id != 0 ? texts::kCancelReview : texts::kReview;
  state_.post_caption = h.poster_id != 0 ? texts::kCancelPost : texts::kPost;
  state_.sign_caption = h.teller_id != 0 ? texts::kCancelSign : texts::kSign;
  UpdateButtons();
}

void frmVoucher::Recompute() {
  state_.totals = ComputeTotals(state_.lines, frame::Context().AmountDecimals());
}

void frmVoucher::UpdateInfo() {
  const VoucherLine* line = Line(state_.current_row);
  state_.info_text = line == nullptr ? std::string() : LineInfoText(*line, state_.panel);
}

LineRuleContext frmVoucher::RuleContext() const {
  LineRuleContext c;
  c.voucher_date = state_.header.date;
  c.document_kind = state_.document_kind;
  c.user_entry = user_entry_;
  c.settlement_required = state_.settlement_required;
  c.settlement_exempt = state_.header.source_id >= 2 && state_.header.source_id != 14;
  c.decreasing_mode = decreasing_mode_;
  c.class1_name = state_.panel.class1_name;
  c.class2_name = state_.panel.class2_name;
  c.basis = basis_;
  return c;
}

// ---- Opening ---------------------------------------------------------------------------------

bool frmVoucher::ShowANewBill(long) {
  try {
    return NewBill();
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleNewBill);
    return false;
  }
}

bool frmVoucher::NewBill() {
  host::ReceiptTypeRights rights = frame::Login().business_pub->Rights(host::kReceiptTypeVoucher);
  const bool can_make =
      rights.organization_in_account_set && rights.may_make && !rights.make_type_ids.empty();
  if (!can_make) {
    long queryable = rights.query_scope == host::QueryScope::kNone
                         ? 0
                         : frame::Login().account->QueryableVoucherCount(host::kReceiptTypeVoucher);
    if (queryable == 0) {
      const char* text = nullptr;
      if (!rights.organization_in_account_set) {
        text = texts::kNotAccountSetOrganization;
      } else if (rights.query_scope == host::QueryScope::kNone) {
        text = rights.may_make ? texts::kNoTypeNoQuery : texts::kNoAddNoQuery;
      } else if (rights.query_scope == host::QueryScope::kGroup) {
        text = rights.may_make ? texts::kNoTypeNoneInGroup : texts::kNoAddNoneInGroup;
      } else {
        text = rights.may_make ? texts::kNoTypeNoneInSystem : texts::kNoAddNoneInSystem;
      }
      frame::Msg(text, host::mb::kCritical, texts::kTitleNewBill);
      return false;
    }
  }
  FormLoad();
  ReadStamping();
  host::DataAccess& data = frame::Data();
  const long org = frame::OrganizationId();

  // The type the window last used stays while the operator may still make it.
  VoucherHeader header;
  long type_id = state_.header.type_id;
  long template_id = 0;
  auto allowed = [&](long id) {
    return std::find(rights.make_type_ids.begin(), rights.make_type_ids.end(), id) !=
           rights.make_type_ids.end();
  };
  auto first_allowed_type = [&] {
    std::string ids;
    for (long id : rights.make_type_ids) ids += N(id) + ",";
    host::Recordset rs = data.OpenRecordset(
        "SELECT lngTemplateID , LNGVOUCHERTYPEID FROM VoucherType WHERE lngVoucherTypeID IN (" +
        ids + "-100) ORDER BY LNGVOUCHERTYPEID");
    type_id = rs.Empty() ? 0 : static_cast<long>(rs["LNGVOUCHERTYPEID"].AsLong());
    template_id = rs.Empty() ? 0 : static_cast<long>(rs["lngTemplateID"].AsLong());
  };
  if (type_id == 0 || !allowed(type_id)) first_allowed_type();
  auto active_type = [&] {
    return data.OpenRecordset(
        " select * from VoucherType where blnIsInActive=0 AND lngVoucherTypeID=" + N(type_id));
  };
  host::Recordset type_row = active_type();
  if (type_row.Empty() && can_make) {
    frame::Login().account->frmInitVoucherTypeCard_Show();
    first_allowed_type();
    type_row = active_type();
  }
  if (!type_row.Empty()) {
    header.type_id = type_id;
    header.type_code = type_row["strVoucherTypeCode"].AsText();
    template_id = static_cast<long>(type_row["lngTemplateID"].AsLong());
  }

  host::LoginContext& login = frame::Context();
  header.date = login.LoginDate();
  header.year = login.LoginYear();
  header.period = login.LoginPeriod();
  header.source_organization_id = org;
  if (header.type_id != 0) {
    std::string number = frame::Login().business_pub->VoucherNumber(
        header.year, header.period, header.type_id, N(org), header.date, 0, 9999);
    header.number =
        frame::VoucherNoText(host::clsBaseClass::TextToLong(frame::StrRight(number, 6)));
  }
  // A template of another organisation gives way to the organisation's own one for the type.
  host::Recordset tpl = data.OpenRecordset(
      "SELECT lngTemplateID FROM Template WHERE (lngOrganizationId=-1 or lngOrganizationId=" +
      N(org) + ") and lngTemplateID=" + N(template_id) +
      " AND lngReceiptTypeID=" + N(host::kReceiptTypeVoucher));
  if (tpl.Empty()) {
    host::Recordset own = data.OpenRecordset(
        "select lngTemplateID from vouchertypeex where Vouchertypeex.lngVoucherTypeID = " +
        N(header.type_id) + " and Lngorganizationid=" + N(org));
    template_id = own.Empty() ? 0 : static_cast<long>(own["lngTemplateID"].AsLong());
  }
  header.template_id = template_id;
  if (template_id != 0) {
    host::Recordset name = data.OpenRecordset(
        "Select strTemplateName From Template Where lngTemplateID=" + N(template_id));
    header.template_name = name.Empty() ? std::string() : name["strTemplateName"].AsText();
  }
  header.maker_id = login.CurrentOperator().id;
  header.maker_name = login.CurrentOperator().name;

  state_.header = std::move(header);
  state_.lines.clear();
  state_.reversed = false;
  state_.must_save = false;
  state_.preview = false;
  state_.current_row = 0;
  state_.top_row = 1;
  state_.focus_field = LineField::kNone;
  state_.focus_header = HeaderField::kNone;
  Recompute();
  UpdateCaptions();
  UpdateInfo();
  ShowWindow();
  return true;
}

bool frmVoucher::ShowAOldBill(long VoucherID, long lngVoucherDetailID, bool blnPreView) {
  try {
    return OldBill(VoucherID, lngVoucherDetailID, blnPreView);
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleQuery);
    return false;
  }
}

bool frmVoucher::AskToSaveChanges() {
  if (!state_.must_save ||
      Setting(texts::kSectionAccountSet, texts::kKeyAskSave, "False") != "True") {
    return true;
  }
  int answer = frame::Msg(
      "“" + state_.header.type_code + "-" + state_.header.number + texts::kChangedAskSave,
      host::mb::kYesNoCancel + host::mb::kExclamation, texts::kTitleWarning);
  if (answer == host::mb::kCancel) return false;
  return answer != host::mb::kYes || SaveBill();
}

bool frmVoucher::OldBill(long voucher_id, long line_id, bool preview) {
  if (!preview && !VoucherExists(voucher_id, Basis())) {
    frame::Msg(texts::kVoucherMissing, host::mb::kCritical, texts::kTitleQuery);
    return false;
  }
  if (!AskToSaveChanges()) return false;
  // A voucher opened from a list gets the list's order back from the list.
  browse_order_.clear();
  FormLoad();
  ReadStamping();
  std::optional<LoadedVoucher> loaded = LoadVoucher(voucher_id, Basis());
  if (!loaded) return false;
  state_.header = std::move(loaded->header);
  state_.lines = std::move(loaded->lines);
  state_.reversed = loaded->reversed;
  state_.must_save = false;
  state_.preview = preview;
  state_.focus_field = LineField::kNone;
  state_.focus_header = HeaderField::kNone;
  state_.current_row = state_.lines.empty() ? 0 : 1;
  state_.top_row = 1;
  KeepSaved();
  if (line_id > 0) {
    for (std::size_t i = 0; i < state_.lines.size(); ++i) {
      if (state_.lines[i].line_id == line_id) {
        state_.current_row = static_cast<int>(i) + 1;
        state_.top_row = state_.current_row;
      }
    }
  }
  Recompute();
  UpdateCaptions();
  UpdateInfo();
  ShowWindow();
  return true;
}

// ---- Header ----------------------------------------------------------------------------------

bool frmVoucher::SetHeaderField(HeaderField field, const std::string& text) {
  if (state_.preview) return false;
  VoucherHeader& h = state_.header;
  try {
    switch (field) {
      case HeaderField::kVoucherType: {
        host::Recordset rs = frame::Data().OpenRecordset(
            " select * from VoucherType where blnIsInActive=0 AND strVoucherTypeCode=" +
            frame::SqlText(text));
        h.type_id = rs.Empty() ? 0 : static_cast<long>(rs["lngVoucherTypeID"].AsLong());
        h.type_code = rs.Empty() ? std::string() : rs["strVoucherTypeCode"].AsText();
        break;
      }
      case HeaderField::kTemplate: {
        host::Recordset rs = frame::Data().OpenRecordset(
            "Select lngTemplateID, strTemplateName From Template Where lngReceiptTypeID=41 And "
            "strTemplateName=" +
            frame::SqlText(text));
        h.template_id = rs.Empty() ? 0 : static_cast<long>(rs["lngTemplateID"].AsLong());
        h.template_name = rs.Empty() ? std::string() : text;
        break;
      }
      case HeaderField::kDate: {
        std::string date = host::CalendarDate(text);
        if (date.empty()) {
          h.date = text;
          break;
        }
        YearPeriod yp = PeriodOfDate(date);
        if (h.voucher_id != 0 && (yp.year != h.stored_year || yp.period != h.stored_period)) {
          frame::Msg(texts::kPeriodChange, host::mb::kExclamation, texts::kTitleModify);
          state_.focus_header = HeaderField::kDate;
          return false;
        }
        h.date = date;
        h.year = yp.year;
        h.period = yp.period;
        break;
      }
      case HeaderField::kNumber:
        h.number = text;
        break;
      case HeaderField::kAttachments:
        h.attachments = text;
        break;
      case HeaderField::kManager:
        h.manager = text;
        break;
      case HeaderField::kNone:
        return false;
    }
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleEntry);
    return false;
  }
  state_.must_save = true;
  return true;
}

bool frmVoucher::LeaveHeaderField(HeaderField field) {
  try {
    if (CheckHeaderField(state_.header, field)) {
      if (state_.focus_header == field) state_.focus_header = HeaderField::kNone;
      return true;
    }
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleEntry);
  }
  state_.focus_header = field;
  return false;
}

// ---- Grid ------------------------------------------------------------------------------------

Decimals frmVoucher::DecimalsOf(const VoucherLine& line) const {
  Decimals d;
  d.amount = frame::Context().AmountDecimals();
  d.price = state_.price_decimals;
  d.quantity = state_.quantity_decimals;
  d.currency_amount = line.currency_decimals;
  return d;
}

void frmVoucher::Recalculate(VoucherLine& line, LineField field) {
  std::optional<host::AccountInfo> account;
  if (line.account_id != 0) account = frame::Chart(Basis()).AccountById(line.account_id);
  AmountLayout layout =
      account ? LayoutOf(account->currency, account->quantity) : AmountLayout::kAmountOnly;
  voucher::Recalculate(line, field, layout, DecimalsOf(line));
}

bool frmVoucher::ApplyNumber(VoucherLine& line, LineField field, const std::string& text) {
  auto refuse = [](const char* message) {
    frame::Msg(message, host::mb::kTaskModal + host::mb::kExclamation, texts::kTitleEntry);
    return false;
  };
  // An emptied cell is 0.
  std::optional<double> number =
      frame::StringOut(text, " ").empty() ? 0.0 : host::ParseDecimal(text);
  if (!number) return refuse(texts::kNumberInvalid);
  if ((field == LineField::kRate || field == LineField::kPrice) && *number < 0) {
    return refuse(field == LineField::kRate ? texts::kRateSign : texts::kPriceSign);
  }
  const Decimals d = DecimalsOf(line);
  const int decimals = field == LineField::kRate             ? line.rate_decimals
                       : field == LineField::kQuantity       ? d.quantity
                       : field == LineField::kPrice          ? d.price
                       : field == LineField::kCurrencyAmount ? d.currency_amount
                                                             : d.amount;
  std::optional<double> entered = RoundEntered(*number, decimals);
  if (!entered) return refuse(texts::kNumberTooLarge);
  VoucherLine edited = line;
  switch (field) {
    case LineField::kDebit:
    case LineField::kCredit:
      edited.SetAmount(field == LineField::kDebit ? kDebit : kCredit, *entered);
      break;
    case LineField::kRate:
      edited.rate = *entered;
      break;
    case LineField::kPrice:
      edited.price = *entered;
      break;
    case LineField::kQuantity:
      edited.quantity = *entered;
      break;
    default:
      edited.currency_amount = *entered;
      break;
  }
  Recalculate(edited, field);
  // What follows from the typed number must fit as well.
  if (!FitNumbers(edited, d)) return refuse(texts::kNumberTooLarge);
  line = std::move(edited);
  return true;
}

bool frmVoucher::ApplyDate(std::string& date, const std::string& text, const char* refusal) {
  if (frame::StringOut(text, " ").empty()) {
    date.clear();
    return true;
  }
  std::string calendar = host::CalendarDate(text);
  if (calendar.empty()) {
    frame::Msg(refusal, host::mb::kTaskModal + host::mb::kExclamation, texts::kTitleEntry);
    return false;
  }
  date = std::move(calendar);
  return true;
}

bool frmVoucher::FollowCollectedCosts(VoucherLine& line) {
  long stored_account = 0;
  for (const VoucherLine& stored : saved_lines_) {
    if (line.line_id != 0 && stored.line_id == line.line_id) stored_account = stored.account_id;
  }
  if (stored_account == 0 || line.account_id == stored_account) {
    line.clear_cost_collection = false;
    return true;
  }
  if (line.clear_cost_collection) return true;
  switch (AskAboutCollectedCosts(line.line_id, stored_account, line.account_id)) {
    case CostCollectionAnswer::kKeep:
      return true;
    case CostCollectionAnswer::kClear:
      line.clear_cost_collection = true;
      return true;
    case CostCollectionAnswer::kGiveUp:
      return false;
  }
  return false;
}

bool frmVoucher::ApplyAccount(VoucherLine& line, const std::string& text) {
  host::clsAccount& accounts = frame::Chart(Basis());
  std::optional<host::AccountInfo> account = accounts.AccountByCode(CodeOf(text));
  if (!account || !account->active) {
    account.reset();
    if (AskAdd(text) == host::mb::kYes) {
      if (auto added = accounts.AddItem(host::item_kind::kAccount, text)) {
        account = accounts.AccountById(added->id);
      }
    }
  }
  if (!account) {
    ClearAccount(line);
    return false;
  }
  line.account_id = account->id;
  line.account_text = account->code + " " + account->name;
  if (account->currency) {
    if (account->currency_id != 0 && line.currency_id != account->currency_id) {
      if (auto currency = accounts.ItemById(host::item_kind::kCurrency, account->currency_id)) {
        line.currency_id = currency->id;
        line.currency_name = currency->name;
        line.rate = currency->rate;
        line.currency_decimals = currency->amount_decimals;
        line.rate_decimals = currency->rate_decimals;
      }
    }
  } else {
    line.currency_id = 0;
    line.currency_name.clear();
    line.rate = 0;
    line.currency_amount = 0;
  }
  if (!account->quantity) {
    line.quantity = 0;
    line.price = 0;
  }
  return true;
}

bool frmVoucher::ApplyReference(VoucherLine& line, LineField field, const std::string& text) {
  ReferenceSlot slot = SlotOf(line, field);
  if (frame::StringOut(text, " ").empty()) {
    *slot.id = 0;
    slot.text->clear();
    return true;
  }
  host::clsAccount& accounts = *frame::Login().account;
  const int kind = KindOf(field);
  std::optional<host::ItemInfo> item = accounts.ItemByCode(kind, CodeOf(text));
  if (!item || !item->active) {
    item.reset();
    if (AskAdd(text) == host::mb::kYes) item = accounts.AddItem(kind, text);
  }
  if (!item) {
    *slot.id = 0;
    slot.text->clear();
    return false;
  }
  *slot.id = item->id;
  *slot.text = field == LineField::kCurrency ? item->name : item->code + " " + item->name;
  if (field == LineField::kEmployee && item->department_id != 0) {
    if (auto dept = accounts.ItemById(host::item_kind::kDepartment, item->department_id)) {
      *slot.text += " " + dept->code + " " + dept->name;
    }
  }
  if (field == LineField::kCurrency) {
    line.rate = item->rate;
    line.currency_decimals = item->amount_decimals;
    line.rate_decimals = item->rate_decimals;
    Recalculate(line, LineField::kCurrency);
  }
  return true;
}

bool frmVoucher::SetCell(int row, LineField field, const std::string& text) {
  VoucherLine* line = Line(row);
  if (state_.preview || line == nullptr) return false;
  state_.current_row = row;
  state_.focus_field = field;
  bool accepted = true;
  // A split held for the line was checked against what the line was; a line that changed
  // what it books must be split again.
  auto booked = [](const VoucherLine& l) {
    return std::make_tuple(l.account_id, l.direction, l.Amount(), l.currency_id, l.unit_id,
                           l.department_id, l.employee_id, l.class1_id, l.class2_id, l.flexible_id);
  };
  const auto booked_before = booked(*line);
  // What other lines' settlements of the line's item were matched on (the save's check is the
  // backstop; a currency left unchosen is the book's there, so it counts as unchanged here).
  auto item_key = [](const VoucherLine& l, long currency) {
    return std::make_tuple(l.account_id, l.direction, l.currency_id != 0 ? l.currency_id : currency,
                           l.unit_id, l.department_id, l.employee_id, l.class1_id, l.class2_id,
                           l.flexible_id);
  };
  const VoucherLine before_edit = *line;
  try {
    const bool guarded =
        field == LineField::kAccount || field == LineField::kCurrency || field == LineField::kUnit;
    if (guarded && line->line_id != 0 && line->curr_payment_amount != 0) {
      frame::Msg(texts::kWrittenOffLine, host::mb::kExclamation, texts::kTitleModify);
      return false;
    }
    switch (field) {
      case LineField::kRemark:
        line->remark = text;
        break;
      case LineField::kAccount: {
        if (frame::StringOut(text, " ").empty()) {
          ClearAccount(*line);
          break;
        }
        const VoucherLine before = *line;
        accepted = ApplyAccount(*line, text);
        // Given up for the sake of its collected costs: the line is as it was.
        if (accepted && !FollowCollectedCosts(*line)) {
          *line = before;
          return false;
        }
        break;
      }
      case LineField::kDebit:
      case LineField::kCredit:
      case LineField::kRate:
      case LineField::kPrice:
      case LineField::kQuantity:
      case LineField::kCurrencyAmount:
        if (!ApplyNumber(*line, field, text)) return false;
        break;
      case LineField::kCheckNumber:
        line->check_number = text;
        break;
      case LineField::kCheckDate:
        if (!ApplyDate(line->check_date, text, texts::kCheckDateInvalid)) return false;
        break;
      case LineField::kBusinessDate:
        if (!ApplyDate(line->business_date, text, texts::kBusinessDateInvalid)) return false;
        break;
      case LineField::kSmartAccounting:
        line->smart_text = text;
        break;
      case LineField::kCashFlow:
        line->cash_flow_code = text;
        break;
      case LineField::kNone:
        return false;
      default:
        accepted = ApplyReference(*line, field, text);
        break;
    }
    if (line->line_id != 0 &&
        item_key(*line, before_edit.currency_id) != item_key(before_edit, line->currency_id) &&
        links::ItemSettledByOthers(line->line_id)) {
      *line = before_edit;
      frame::Msg(links::texts::kSettledItemMoved, host::mb::kExclamation, texts::kTitleModify);
      return false;
    }
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kTitleEntry);
    return false;
  }
  state_.must_save = true;
  if (booked(*line) != booked_before) line->splits = {};
  if (accepted) FollowProposal(row, field);
  Recompute();
  try {
    UpdateInfo();
  } catch (const host::DatabaseError&) {
    state_.info_text.clear();
  }
  return accepted;
}

void frmVoucher::FollowProposal(int changed, LineField field) {
  VoucherLine* proposed = Line(proposed_row_);
  // Gone or changed some other way (a load, a program's fill): no longer the window's proposal.
  if (proposed == nullptr || proposed->Amount() != proposed_.amount ||
      proposed->direction != proposed_.side) {
    proposed_row_ = 0;
    return;
  }
  const bool amount = field == LineField::kDebit || field == LineField::kCredit ||
                      field == LineField::kCurrencyAmount || field == LineField::kQuantity ||
                      field == LineField::kPrice || field == LineField::kRate ||
                      field == LineField::kCurrency;
  if (!amount || changed > proposed_row_) return;
  if (changed == proposed_row_) {
    proposed_row_ = 0;  // typed over: the user's amount now
    return;
  }
  std::vector<VoucherLine> others = state_.lines;
  others.erase(others.begin() + (proposed_row_ - 1));
  std::optional<LineProposal> balance =
      BalancingProposal(others, state_.document_kind, frame::Context().AmountDecimals());
  proposed_ = balance.value_or(LineProposal{proposed_.side, 0});
  proposed->SetAmount(proposed_.side, proposed_.amount);
}

bool frmVoucher::LeaveCell(int row, LineField field) {
  VoucherLine* line = Line(row);
  if (line == nullptr || field != LineField::kAccount || !line->account_text.empty()) return true;
  // A row nothing was typed in may be left; the save ignores it.
  if (line->IsBlank()) return true;
  bool has_amount = line->debit != 0 || line->credit != 0;
  frame::Msg(has_amount ? texts::kAccountRequired : texts::kEnterAccount,
             host::mb::kTaskModal + host::mb::kExclamation, texts::kTitleEntry);
  state_.current_row = row;
  state_.focus_field = LineField::kAccount;
  return false;
}

int frmVoucher::AddLine() {
  if (state_.preview) return 0;
  state_.lines.emplace_back();
  state_.current_row = static_cast<int>(state_.lines.size());
  return state_.current_row;
}

void frmVoucher::InsertLine(int row) {
  if (state_.preview) return;
  std::size_t at = std::clamp<std::size_t>(static_cast<std::size_t>(row < 1 ? 1 : row) - 1, 0,
                                           state_.lines.size());
  state_.lines.insert(state_.lines.begin() + static_cast<std::ptrdiff_t>(at), VoucherLine{});
  state_.current_row = static_cast<int>(at) + 1;
  state_.must_save = true;
}

void frmVoucher::DeleteLine(int row) {
  if (state_.preview || Line(row) == nullptr) return;
  state_.lines.erase(state_.lines.begin() + (row - 1));
  state_.current_row = std::min<int>(row, static_cast<int>(state_.lines.size()));
  state_.must_save = true;
  Recompute();
}

void frmVoucher::SetCurrentRow(int row) {
  if (Line(row) == nullptr) return;
  state_.current_row = row;
  try {
    UpdateInfo();
  } catch (const host::DatabaseError&) {
    state_.info_text.clear();
  }
}

bool frmVoucher::ValidateLine(int row, bool saving, bool requireDetail) {
  if (Line(row) == nullptr) return false;
  try {
    LineCheck check = ValidateLineRules(state_.lines, row, saving, requireDetail, RuleContext());
    if (!check.passed) {
      state_.current_row = row;
      state_.focus_field = check.field;
      return false;
    }
    Recompute();
    UpdateInfo();
    return true;
  } catch (const host::DatabaseError& e) {
    // While saving, a failed look-up is a failed save and says so.
    frame::Msg(saving ? std::string(texts::kSaveFailed) + e.what() : std::string(e.what()),
               host::mb::kCritical, saving ? texts::kTitleSave : texts::kTitleEntry);
    return false;
  }
}

bool frmVoucher::NextLineProposal(int row) {
  const VoucherLine* current = Line(row);
  if (state_.preview || current == nullptr) return false;
  std::optional<LineProposal> proposal =
      BalancingProposal(state_.lines, state_.document_kind, frame::Context().AmountDecimals());
  if (!proposal) return false;
  if (row == static_cast<int>(state_.lines.size())) state_.lines.emplace_back();
  VoucherLine& next = state_.lines[static_cast<std::size_t>(row)];
  if (!next.IsBlank()) return false;
  next.remark = state_.lines[static_cast<std::size_t>(row - 1)].remark;
  next.SetAmount(proposal->side, proposal->amount);
  proposed_row_ = row + 1;
  proposed_ = {next.direction, next.Amount()};
  state_.current_row = row + 1;
  state_.focus_field = LineField::kAccount;
  state_.must_save = true;
  Recompute();
  return true;
}

}  // namespace lumvoucher::voucher
