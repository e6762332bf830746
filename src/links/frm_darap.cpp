#include "links/frm_darap.h"

#include <cmath>

#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "frame/voucher_lookup.h"
#include "host/data_access.h"
#include "host/database_error.h"
#include "host/decimal_text.h"
#include "host/message_box.h"
#include "links/settlement_texts.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::links {

namespace {

constexpr int kStop = host::mb::kExclamation;

void Say(const char* text) {
  frame::Msg(text, kStop, texts::kDarapCaption);
}

// One allocation step: the row takes what remains up to its open amount.
double Settle(DarapRow& row, double remaining, int decimals) {
  row.chosen = true;
  const double open = row.Open();
  const double take = remaining - open >= 1e-9 ? open : remaining;
  row.this_time = voucher::RoundTo(row.this_time + take, decimals);
  return voucher::RoundTo(remaining - take, decimals);
}

}  // namespace

bool frmDARAP::ShowDetail(long AccountID, long CurrencyID, long CustomerID, long DepartmentID,
                          long EmployeeID, long Class1ID, long Class2ID,
                          const std::string& strFlexibleId, double ModblAmount, long lngRowID,
                          long lngVDetailID, bool blnDirtion, bool& blnOK) {
  SettlementLine line{AccountID, CurrencyID,    CustomerID,  DepartmentID, EmployeeID,   Class1ID,
                      Class2ID,  strFlexibleId, ModblAmount, lngRowID,     lngVDetailID, blnDirtion,
                      ""};
  blnOK = Show(line, nullptr);
  return blnOK;
}

bool frmDARAP::ShowEditDetail(const SettlementLine& line, const SettlementSplit& held,
                              bool& blnOK) {
  blnOK = Show(line, &held);
  return blnOK;
}

bool frmDARAP::Show(const SettlementLine& line, const SettlementSplit* held) {
  state_ = DarapState{};
  state_.caption = texts::kDarapCaption;
  state_.line = line;
  state_.decimals = frame::Context().AmountDecimals();
  if (state_.line.voucher_date.empty()) {
    state_.line.voucher_date = voucher_date_.empty() ? frame::Context().LoginDate() : voucher_date_;
  }
  try {
    if (line.line_id != 0) {
      // A reviewed voucher's settlement is shown, not changed.
      host::Recordset rs = frame::Data().OpenRecordset(
          "Select lngCheckerID From Voucher,VoucherDetail"
          " Where Voucher.lngVoucherID=VoucherDetail.lngVoucherID And lngVoucherDetailID=" +
          frame::SqlNumber(line.line_id));
      state_.read_only = !rs.Empty() && rs["lngCheckerID"].AsLong() != 0;
    }
    if (!Load(held)) return false;
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kDarapCaption);
    return false;
  }
  frame::Login().base_class->Modal().RunModal(*this);
  return state_.confirmed;
}

bool frmDARAP::Load(const SettlementSplit* held) {
  std::vector<OpenItem> items = LoadOpenItems(state_.line);
  // The statistics classes are titled as the account set names them, the segments as
  // FlexibleTitle does (its first title is the goods item's).
  const long organization = frame::OrganizationId();
  state_.class1_title = frame::SettingValue(organization, "帐套属性", "统计名称", "统计");
  state_.class2_title = frame::SettingValue(organization, "帐套属性", "项目名称", "项目");
  state_.segment_titles.assign(kSegments, std::string());
  const std::vector<std::string> titles = frame::FlexibleTitles();
  for (std::size_t f = 1; f < titles.size() && f <= state_.segment_titles.size(); ++f) {
    state_.segment_titles[f - 1] = titles[f];
  }
  state_.rows.clear();
  for (OpenItem& item : items) {
    DarapRow row;
    static_cast<OpenItem&>(row) = std::move(item);
    if (held == nullptr && row.settled_here != 0) {
      row.chosen = true;
      row.this_time = row.settled_here;
    }
    state_.rows.push_back(std::move(row));
  }
  if (held != nullptr) {
    for (const SettlementShare& share : held->shares) {
      for (DarapRow& row : state_.rows) {
        if (row.darap_detail_id != share.darap_detail_id) continue;
        row.chosen = true;
        row.this_time = share.amount;
      }
    }
  }
  Recompute();
  return true;
}

void frmDARAP::Recompute() {
  double total = 0;
  for (const DarapRow& row : state_.rows) total += row.this_time;
  state_.allocated = voucher::RoundTo(total, state_.decimals);
  state_.remaining = voucher::RoundTo(state_.line.amount - total, state_.decimals);
}

bool frmDARAP::Editable() {
  if (state_.read_only) Say(texts::kReviewed);
  return !state_.read_only;
}

DarapRow* frmDARAP::Row(int row) {
  if (row < 1 || row > static_cast<int>(state_.rows.size())) return nullptr;
  return &state_.rows[static_cast<std::size_t>(row - 1)];
}

void frmDARAP::Allocate() {
  if (!Editable()) return;
  for (DarapRow& row : state_.rows) {
    row.chosen = false;
    row.this_time = 0;
  }
  double remaining = voucher::RoundTo(state_.line.amount, state_.decimals);
  for (DarapRow& row : state_.rows) {
    if (remaining <= 0) break;
    remaining = Settle(row, remaining, state_.decimals);
  }
  Recompute();
}

bool frmDARAP::Tick(int n) {
  DarapRow* row = Row(n);
  if (row == nullptr || !Editable()) return false;
  if (row->chosen) {
    row->chosen = false;
    row->this_time = 0;
  } else if (state_.remaining > 0) {
    Settle(*row, state_.remaining, state_.decimals);
  }
  Recompute();
  return true;
}

bool frmDARAP::SetThisTime(int n, const std::string& text) {
  DarapRow* row = Row(n);
  if (row == nullptr || !Editable()) return false;
  std::optional<double> value = host::ParseDecimal(text);
  if (!value) {
    Say(texts::kNotANumber);
    return false;
  }
  std::optional<double> rounded = voucher::RoundEntered(*value, state_.decimals);
  if (!rounded || std::fabs(*rounded - *value) > 1e-12 * std::max(1.0, std::fabs(*value))) {
    Say(texts::kTooManyDecimals);
    return false;
  }
  if (*rounded < 0) {
    Say(texts::kNegative);
    return false;
  }
  if (*rounded - voucher::RoundTo(row->base_open, state_.decimals) > 1e-9) {
    Say(texts::kAboveOpen);
    return false;
  }
  row->this_time = *rounded;
  row->chosen = *rounded != 0;
  Recompute();
  return true;
}

bool frmDARAP::Withdraw(int n) {
  DarapRow* row = Row(n);
  if (row == nullptr || !Editable()) return false;
  try {
    if (!WithdrawSettlement(row->darap_detail_id, state_.line.line_id)) {
      Say(texts::kNothingToWithdraw);
      return false;
    }
    return Load(nullptr);
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kDarapCaption);
    return false;
  }
}

bool frmDARAP::Confirm() {
  Recompute();
  // Everything withdrawn is a complete answer too: the save then removes the line's settlements.
  if (state_.allocated != 0 &&
      voucher::RoundTo(state_.allocated - state_.line.amount, state_.decimals) != 0) {
    Say(texts::kNotAllocated);
    return false;
  }
  state_.confirmed = true;
  return true;
}

SettlementSplit frmDARAP::Split() const {
  SettlementSplit split;
  for (const DarapRow& row : state_.rows) {
    if (!row.chosen || row.this_time == 0) continue;
    split.shares.push_back({row.darap_detail_id, row.voucher_detail_id, row.this_time});
  }
  return split;
}

}  // namespace lumvoucher::links
