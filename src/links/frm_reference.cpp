#include "links/frm_reference.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "frame/id_list.h"
#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "frame/voucher_conflict.h"
#include "host/cls_account.h"
#include "host/database_error.h"
#include "host/decimal_text.h"
#include "host/message_box.h"
#include "links/memo_book.h"
#include "links/memo_texts.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::links {

namespace {

using frame::SqlNumber;
using frame::SqlText;
namespace mb = host::mb;
namespace texts = memo_texts;

int Decimals() {
  return frame::Context().AmountDecimals();
}

double Rounded(double value) {
  return voucher::RoundTo(value, Decimals());
}

bool Refuse(const std::string& text, const char* title = texts::kTitleInformation) {
  frame::Msg(text, mb::kExclamation, title);
  return false;
}

bool Failed(const host::DatabaseError& error) {
  frame::Msg(std::string(texts::kFailed) + error.what(), mb::kCritical, texts::kLineCaption);
  return false;
}

// Opposite signs; a zero has none.
bool Opposite(double a, double b) {
  return (a > 0 && b < 0) || (a < 0 && b > 0);
}

std::string RowText(int row, const char* rest) {
  return "第" + std::to_string(row) + rest;
}

}  // namespace

// ---- Opening ---------------------------------------------------------------------------------

bool frmReference::Load(long line_id, const std::string& caption, double amount, bool read_only) {
  state_ = {};
  state_.line_id = line_id;
  state_.caption = caption;
  state_.line_amount = amount;
  state_.read_only = read_only;
  state_.dual_basis = frame::IsDualBasis();
  const MemoBasis basis = CurrentMemoBasis();

  std::string sql = "Select dblAmount,intDirection,lngAccountID, lngVoucherID From " +
                    basis.LineFrom() + " Where lngVoucherDetailID=" + SqlNumber(line_id);
  const std::string accounts = frame::Login().account->AuthorizedAccountList();
  if (!accounts.empty()) sql += " And lngAccountID In " + accounts;
  host::Recordset line = frame::Data().OpenRecordset(sql);
  if (line.Empty()) {
    frame::Msg(
        std::string(texts::kNoAccountRight1) + "\"" + caption + "\"" + texts::kNoAccountRight2,
        mb::kInformation, texts::kTitleInformation);
    return false;
  }
  state_.line_amount = Rounded(line["dblAmount"].AsDouble());
  state_.direction = static_cast<int>(line["intDirection"].AsLong());
  state_.account_id = static_cast<long>(line["lngAccountID"].AsLong());
  state_.voucher_id = static_cast<long>(line["lngVoucherID"].AsLong());

  const bool economic_only = frame::IsTrueSetting(
      frame::SettingValue(0, texts::kSectionAccountSet, texts::kKeyEconomicOnly, "False"));
  state_.classes = MemoClasses(basis, economic_only, state_.account_id);
  LoadRows();
  Recompute();
  return true;
}

void frmReference::LoadRows() {
  state_.rows.clear();
  hidden_ids_.clear();
  host::Recordset rs =
      frame::Data().OpenRecordset(StoredRowsSql(CurrentMemoBasis(), state_.line_id));
  for (; !rs.Eof(); rs.MoveNext()) {
    const int type = static_cast<int>(rs["bytFuncType"].AsLong());
    const long id = static_cast<long>(rs["lngRVoucherDetailID"].AsLong());
    const bool shown = std::any_of(state_.classes.begin(), state_.classes.end(),
                                   [&](const ReferenceClass& c) { return c.func_type == type; });
    // Rows of a classification the window does not show (the economic-only setting) stay as
    // they are: a save keeps them.
    if (!shown) {
      hidden_ids_.push_back(id);
      continue;
    }
    ReferenceRow row;
    row.func_type = type;
    row.reference_id = static_cast<long>(rs["lngReferenceID"].AsLong());
    row.item_text = rs["备查项目"].AsText();
    row.amount = Rounded(rs["备查金额"].AsDouble());
    row.amount_text = voucher::FormatFixed(row.amount, Decimals());
    row.stored_id = id;
    state_.rows.push_back(row);
  }
}

void frmReference::Recompute() {
  for (ReferenceClass& c : state_.classes) {
    double used = 0;
    for (const ReferenceRow& r : state_.rows) {
      if (r.func_type == c.func_type) used += r.amount;
    }
    c.remaining = Rounded(state_.line_amount - used);
  }
}

bool frmReference::ShowReference(long lngVoucherDetailID, const std::string& strCaption,
                                 double dblAmount, bool blnReadOnly) {
  try {
    if (!Load(lngVoucherDetailID, strCaption, dblAmount, blnReadOnly)) return false;
  } catch (const host::DatabaseError& e) {
    return Failed(e);
  }
  frame::Login().base_class->Modal().RunModal(*this);
  return state_.saved;
}

// ---- Editing ---------------------------------------------------------------------------------

ReferenceRow* frmReference::Row(int row) {
  if (row < 1 || row > static_cast<int>(state_.rows.size())) return nullptr;
  return &state_.rows[static_cast<std::size_t>(row - 1)];
}

int frmReference::AddRow(int func_type) {
  if (state_.read_only) return 0;
  const bool known = std::any_of(state_.classes.begin(), state_.classes.end(),
                                 [&](const ReferenceClass& c) { return c.func_type == func_type; });
  if (!known) return 0;
  ReferenceRow row;
  row.func_type = func_type;
  row.amount_text = voucher::FormatFixed(0, Decimals());
  state_.rows.push_back(row);
  state_.dirty = true;
  return static_cast<int>(state_.rows.size());
}

bool frmReference::DeleteRow(int row) {
  if (state_.read_only || Row(row) == nullptr) return false;
  state_.rows.erase(state_.rows.begin() + (row - 1));
  state_.dirty = true;
  Recompute();
  return true;
}

bool frmReference::SetItem(int row, long reference_id) {
  ReferenceRow* r = Row(row);
  if (state_.read_only || r == nullptr) return false;
  const ReferenceChoice* choice = nullptr;
  for (const ReferenceClass& c : state_.classes) {
    if (c.func_type != r->func_type) continue;
    for (const ReferenceChoice& ch : c.choices) {
      if (ch.id == reference_id) choice = &ch;
    }
  }
  if (reference_id == 0 || choice == nullptr) {
    frame::Msg(texts::kChooseReference, mb::kInformation, texts::kTitleInformation);
    return false;
  }
  for (int i = 1; i <= static_cast<int>(state_.rows.size()); ++i) {
    if (i != row && Row(i)->reference_id == reference_id) {
      return Refuse(texts::kItemUsed, texts::kTitleEditDetail);
    }
  }
  r->reference_id = choice->id;
  r->item_text = choice->text;
  state_.dirty = true;
  return true;
}

bool frmReference::SetAmount(int row, const std::string& text) {
  ReferenceRow* r = Row(row);
  if (state_.read_only || r == nullptr) return false;
  std::optional<double> value = text.empty() ? std::optional<double>(0) : host::ParseDecimal(text);
  if (value) value = voucher::RoundEntered(*value, Decimals());
  if (!value) return Refuse(RowText(row, texts::kBadAmount));
  r->amount = *value;
  r->amount_text = voucher::FormatFixed(*value, Decimals());
  state_.dirty = true;
  Recompute();
  return true;
}

// ---- Saving ----------------------------------------------------------------------------------

// Nothing edited: the stored rows still describe the line unless its account or items changed
// since they were registered; then they are written again from the line as it is now.
bool frmReference::Unchanged() {
  const MemoBasis basis = CurrentMemoBasis();
  if (!frame::Data().OpenRecordset(MatchingRowsSql(basis, state_.line_id)).Empty()) return true;
  return frame::Data()
      .OpenRecordset("Select * from RVoucherDetail where lngVoucherDetailID = " +
                     SqlNumber(state_.line_id))
      .Empty();
}

bool frmReference::Check() {
  for (std::size_t i = 0; i < state_.rows.size(); ++i) {
    if (state_.rows[i].reference_id == 0) return Refuse(texts::kNeedItem);
  }
  for (const ReferenceClass& c : state_.classes) {
    if (Opposite(c.remaining, state_.line_amount)) return Refuse(texts::kOverAllocated);
  }
  for (std::size_t i = 0; i < state_.rows.size(); ++i) {
    const double amount = state_.rows[i].amount;
    if (amount != 0 && (Opposite(amount, state_.line_amount) || state_.line_amount == 0)) {
      return Refuse(RowText(static_cast<int>(i + 1), texts::kBadAmount));
    }
  }
  return true;
}

void frmReference::Write() {
  host::DataAccess& data = frame::Data();
  const MemoBasis basis = CurrentMemoBasis();
  host::TransactionGuard guard(data);
  host::Recordset v = data.OpenRecordset(basis.VoucherAndLineSql() + SqlNumber(state_.line_id));
  if (v.Empty()) throw frame::VoucherConflict();

  std::vector<std::int64_t> kept(hidden_ids_.begin(), hidden_ids_.end());
  for (const ReferenceRow& r : state_.rows) {
    // A stored row whose amount went to nothing goes, as a removed one does.
    if (r.stored_id != 0 && r.amount != 0) kept.push_back(r.stored_id);
  }
  std::string remove =
      " Delete From RVoucherDetail Where lngVoucherDetailID = " + SqlNumber(state_.line_id);
  if (!kept.empty()) remove += " And lngRVoucherDetailID Not IN (" + frame::JoinIds(kept) + ")";
  data.Execute(remove);

  const LineCopy copy = LineCopy::From(v);
  const long operator_id = frame::OperatorId();
  for (std::size_t i = 0; i < state_.rows.size(); ++i) {
    const ReferenceRow& r = state_.rows[i];
    if (r.amount == 0) continue;
    const long row_id = static_cast<long>(i + 1);
    if (r.stored_id != 0) {
      data.Execute(" UPDATE RVoucherDetail SET intYear = " + SqlNumber(copy.year) +
                   ", bytPeriod = " + SqlNumber(copy.period) + ", strDate = " + SqlText(copy.date) +
                   ", lngRowID = " + SqlNumber(row_id) +
                   ", lngReferenceID = " + SqlNumber(r.reference_id) +
                   ", dblAmount = " + SqlNumber(r.amount) + copy.UpdateItems(operator_id) +
                   ", intVoucherNo = " + SqlNumber(copy.voucher_no) +
                   ", lngVoucherTypeId = " + SqlNumber(copy.voucher_type_id) +
                   " WHERE lngVoucherDetailID = " + SqlNumber(state_.line_id) +
                   " AND lngRVoucherDetailID = " + SqlNumber(r.stored_id));
    } else {
      data.Execute(InsertRegistrationSql(frame::Context().NextId("RVoucherDetail"), copy,
                                         state_.line_id, row_id, r.reference_id, r.amount,
                                         operator_id, true));
    }
  }
  guard.Commit();
}

bool frmReference::Save() {
  if (state_.read_only) {
    state_.closed = true;
    return true;
  }
  try {
    if (!state_.dirty && Unchanged()) {
      state_.closed = true;
      return true;
    }
    if (!Check()) return false;
    Write();
    state_.saved = true;
    state_.dirty = false;
    state_.closed = true;
    return true;
  } catch (const host::DatabaseError& e) {
    return Failed(e);
  }
}

bool frmReference::Close() {
  if (state_.closed) return true;
  if (state_.read_only || !state_.dirty) {
    state_.closed = true;
    return true;
  }
  const int answer =
      frame::Msg(texts::kAskSave, mb::kYesNoCancel + mb::kQuestion, texts::kTitleInformation);
  if (answer == mb::kYes) return Save();
  if (answer == mb::kNo) {
    state_.closed = true;
    return true;
  }
  return false;
}

// ---- The command -----------------------------------------------------------------------------

bool OpenLineReference(long voucher_id, long line_id, bool read_only) {
  try {
    const MemoBasis basis = CurrentMemoBasis();
    host::Recordset lines = frame::Data().OpenRecordset(
        "Select vd.lngVoucherDetailID, vd.dblAmount, Account.strAccountCode || ' ' || "
        "Account.strAccountName As strAccount From " +
        std::string(basis.line_table) + " vd, " + basis.account_table +
        " Where vd.lngAccountID = Account.lngAccountID And Account.blnIsReference = "
        "1 And vd.lngVoucherID = " +
        SqlNumber(voucher_id) + " Order By vd.lngRowID");
    if (lines.Empty()) return Refuse(texts::kNoMemoLine);
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < lines.RecordCount(); ++i) {
      if (lines.At(i, "lngVoucherDetailID").AsLong() == line_id) chosen = i;
    }
    frmReference window;
    return window.ShowReference(static_cast<long>(lines.At(chosen, "lngVoucherDetailID").AsLong()),
                                lines.At(chosen, "strAccount").AsText(),
                                lines.At(chosen, "dblAmount").AsDouble(), read_only);
  } catch (const host::DatabaseError& e) {
    return Failed(e);
  }
}

}  // namespace lumvoucher::links
