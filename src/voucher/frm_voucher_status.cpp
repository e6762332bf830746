#include <algorithm>
#include <cctype>

#include "cashflow/mdl_cash_flow.h"
#include "frame/frame_messages.h"
#include "frame/frame_texts.h"
#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "frame/voucher_conflict.h"
#include "frame/voucher_removal.h"
#include "host/cls_business_pub.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "numbering/number_ledger.h"
#include "voucher/frm_voucher.h"
#include "voucher/status_texts.h"
#include "voucher/voucher_loader.h"
#include "voucher/voucher_reversal.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::voucher {

namespace {

constexpr int kStopFlags = host::mb::kExclamation;
constexpr int kAskFlags = host::mb::kYesNo + host::mb::kQuestion;

std::string N(long value) {
  return std::to_string(value);
}

bool Refuse(const std::string& text, const char* title) {
  frame::Msg(text, kStopFlags, title);
  return false;
}

bool Failed(const host::DatabaseError& error, const char* title) {
  frame::Msg(error.what(), host::mb::kCritical, title);
  return false;
}

}  // namespace

// ---- State -----------------------------------------------------------------------------------

void frmVoucher::UpdateButtons() {
  const VoucherHeader& h = state_.header;
  buttons_for_ = h.voucher_id;
  if (h.voucher_id == 0 || state_.preview) {
    state_.buttons = {};
    return;
  }
  try {
    state_.buttons = EnabledButtons(h, state_.reversed, state_.preview, ReadOperatorStanding());
    state_.buttons.cash_flow = !Basis().IsBudget() && cashflow::CanAssignCashFlow(h.voucher_id);
  } catch (const host::DatabaseError&) {
    // Without the rights nothing is offered; the service would refuse anyway.
    state_.buttons = {};
  }
}

const ButtonFlags& frmVoucher::StatusButtons() {
  if (buttons_for_ != state_.header.voucher_id) UpdateButtons();
  return state_.buttons;
}

bool frmVoucher::Reload() {
  std::optional<LoadedVoucher> loaded = LoadVoucher(state_.header.voucher_id, Basis());
  if (!loaded) return false;
  state_.header = std::move(loaded->header);
  state_.lines = std::move(loaded->lines);
  state_.reversed = loaded->reversed;
  state_.must_save = false;
  state_.current_row = std::min<int>(std::max(state_.current_row, state_.lines.empty() ? 0 : 1),
                                     static_cast<int>(state_.lines.size()));
  KeepSaved();
  Recompute();
  UpdateCaptions();
  UpdateInfo();
  return true;
}

std::string frmVoucher::EditRefusal() {
  const VoucherHeader& h = state_.header;
  if (h.voucher_id == 0) return {};
  return voucher::EditRefusal(h, VoucherPeriodClosed(h), frame::OperatorId(),
                              MayModifyType(h.type_id));
}

bool frmVoucher::CanEdit() {
  if (state_.preview) return false;
  try {
    std::string reason = EditRefusal();
    if (reason.empty()) return true;
    return Refuse(reason, texts::kTitleWarningInfo);
  } catch (const host::DatabaseError& e) {
    return Failed(e, texts::kTitleWarningInfo);
  }
}

// ---- Review, signature, posting ----------------------------------------------------------------

bool frmVoucher::SaveBeforeStatus() {
  if (state_.preview || state_.header.voucher_id == 0) return false;
  return !state_.must_save || SaveBill();
}

bool frmVoucher::RunStatus(StatusStep step) {
  if (!SaveBeforeStatus()) return false;
  const VoucherHeader& h = state_.header;
  // Moving a voucher on asks for its cash flow first; taking a step back does not.
  const bool undo = step == StatusStep::kReview ? h.checker_id != 0
                    : step == StatusStep::kSign ? h.teller_id != 0
                                                : h.poster_id != 0;
  if (!undo && !CheckVoucherCashFlow()) return false;
  const long id = h.voucher_id;
  const char* title = texts::kTitleReview;
  try {
    host::VoucherBusinessService::Result result;
    switch (step) {
      case StatusStep::kReview:
        if (h.checker_id != 0) {
          title = texts::kTitleCancelReview;
          result = frame::Business(Basis()).CancelReview(id);
          break;
        }
        if (FundAllocationDiffers(id, frame::Context().AmountDecimals(), Basis())) {
          return Refuse(texts::kFundAllocationDiffers, title);
        }
        result = frame::Business(Basis()).Review(id);
        break;
      case StatusStep::kSign:
        if (h.teller_id != 0) {
          title = texts::kTitleCancelSign;
          result = frame::Business(Basis()).CancelSign(id);
          break;
        }
        title = texts::kTitleSignVoucher;
        if (!IsCashBankVoucher(id, Basis())) {
          return Refuse(h.type_code + h.number + texts::kNumberMark + texts::kNoCashBankLines,
                        title);
        }
        result = frame::Business(Basis()).Sign(id);
        break;
      case StatusStep::kPost:
        if (h.poster_id != 0) {
          title = texts::kTitleCancelPost;
          result = frame::Business(Basis()).CancelPost(id);
          break;
        }
        title = texts::kTitlePost;
        // The option is read when the voucher is posted, not when it was shown.
        ReadStamping();
        result = frame::Business(Basis()).Post(id, state_.stamping);
        break;
    }
    if (!result.ok) return Refuse(result.reason, title);
    Reload();
    return true;
  } catch (const host::DatabaseError& e) {
    return Failed(e, title);
  }
}

bool frmVoucher::Review() {
  return RunStatus(StatusStep::kReview);
}

bool frmVoucher::CashierSign() {
  return RunStatus(StatusStep::kSign);
}

bool frmVoucher::Post() {
  return RunStatus(StatusStep::kPost);
}

// ---- Void --------------------------------------------------------------------------------------

bool frmVoucher::VoidVoucher() {
  VoucherHeader& h = state_.header;
  if (state_.preview || h.voucher_id == 0) return false;
  const long id = h.voucher_id;
  const char* title = texts::kTitleVoid;
  try {
    if (VoucherPeriodClosed(h)) return Refuse(texts::kVoidClosed, title);
    if (h.void_mark) return Refuse(texts::kVoidAlready, title);
    if (h.poster_id != 0) return Refuse(texts::kVoidPosted, title);
    if (h.checker_id != 0) return Refuse(texts::kVoidReviewed, title);
    if (h.maker_id != frame::OperatorId() &&
        !frame::Login().business_pub->HasRight(status_rights::kVoidOthers)) {
      return Refuse(texts::kVoidOthers, title);
    }
    if (HasConfirmedFundDetail(id, Basis())) return Refuse(texts::kVoidConfirmedFund, title);
    if (IsWrittenOff(id, true, Basis())) return Refuse(texts::kVoidWrittenOff, title);
    if (frame::Msg(texts::kVoidAsk, kAskFlags + host::mb::kDefaultButton2, title) !=
        host::mb::kYes) {
      return false;
    }
    host::DataAccess& data = frame::Data();
    const bool bills = !data.OpenRecordset(BankBillsSql(id, Basis())).Empty();
    if (bills && frame::Msg(texts::kVoidBankBills, kAskFlags + host::mb::kDefaultButton2, title) !=
                     host::mb::kYes) {
      return false;
    }
    host::Recordset reversals = data.OpenRecordset(ReversalVouchersSql(id, Basis()));
    std::vector<long> ids;
    if (!reversals.Empty()) {
      std::string list;
      for (; !reversals.Eof(); reversals.MoveNext()) {
        host::Recordset type = data.OpenRecordset(
            "Select strVoucherTypeCode From VoucherType Where lngVoucherTypeID=" +
            N(static_cast<long>(reversals["lngVoucherTypeID"].AsLong())));
        list += "\n" + frame::VoucherReference(
                           static_cast<int>(reversals["intYear"].AsLong()),
                           static_cast<int>(reversals["bytPeriod"].AsLong()),
                           type.Empty() ? std::string() : type["strVoucherTypeCode"].AsText(),
                           reversals["intVoucherNO"].AsLong());
        ids.push_back(static_cast<long>(reversals["lngVoucherID"].AsLong()));
      }
      frame::Msg(texts::kVoidReversals + list, host::mb::kInformation, title);
    }
    // What goes at once goes only while the voucher is still there; the mark itself is stored
    // by the next save.
    host::TransactionGuard transaction(data);
    if (!VoucherExists(id, Basis())) throw frame::VoucherConflict();
    if (bills) data.Execute(ReleaseBankBillsSql(id, Basis()));
    for (long reversal : ids) frame::DeleteStoredVoucher(data, reversal, Basis());
    transaction.Commit();
    // A void reversal reverses nothing (see live_reversal.h); it keeps its link as a record.
    h.void_mark = true;
    state_.must_save = true;
    if (!ids.empty()) state_.reversed = false;
    UpdateCaptions();
    return true;
  } catch (const host::DatabaseError& e) {
    return Failed(e, title);
  }
}

// ---- Deleting ----------------------------------------------------------------------------------

bool frmVoucher::ConfirmDelete(bool all_lines) {
  const VoucherHeader& h = state_.header;
  const char* title = texts::kTitleDeleteLine;
  try {
    if (h.voucher_id != 0) {
      if (VoucherPeriodClosed(h)) {
        return Refuse(texts::kEditVoucherOpen + h.type_code + "-" + h.number + texts::kEditClosed,
                      title);
      }
      if (h.poster_id != 0) return Refuse(texts::kDeletePosted, title);
      if (h.checker_id != 0) return Refuse(texts::kDeleteReviewed, title);
      if (state_.reversed) return Refuse(texts::kDeleteReversed, title);
      if (IsWrittenOff(h.voucher_id, false, Basis()))
        return Refuse(texts::kDeleteWrittenOff, title);
    }
  } catch (const host::DatabaseError& e) {
    return Failed(e, title);
  }
  return frame::Msg(DeleteQuestion(h, all_lines), kAskFlags, title) == host::mb::kYes;
}

bool frmVoucher::EditDelLine(int row) {
  if (state_.preview || Line(row) == nullptr || !ConfirmDelete(false)) return false;
  DeleteLine(row);
  return true;
}

bool frmVoucher::EditDelAllLines() {
  if (state_.preview || state_.lines.empty() || !ConfirmDelete(true)) return false;
  state_.lines.clear();
  state_.current_row = 0;
  state_.must_save = true;
  Recompute();
  UpdateInfo();
  return true;
}

bool frmVoucher::DeleteVoucher() {
  const VoucherHeader& h = state_.header;
  if (state_.preview || h.voucher_id == 0) return false;
  const char* title = texts::kTitleWarningInfo;
  try {
    if (h.poster_id != 0) return Refuse(texts::kDeletePosted, title);
    if (h.checker_id != 0) return Refuse(texts::kDeleteReviewed, title);
    if (VoucherPeriodClosed(h)) return Refuse(texts::kDeleteClosed, title);
    if (state_.reversed) return Refuse(texts::kDeleteReversed, title);
    if (IsWrittenOff(h.voucher_id, false, Basis())) return Refuse(texts::kDeleteWrittenOff, title);
    if (frame::Msg(DeleteQuestion(h, true), kAskFlags, texts::kTitleInformation) !=
        host::mb::kYes) {
      return false;
    }
    host::VoucherBusinessService::Result result;
    {
      // The number ledger records the number the delete leaves free, with the delete.
      host::TransactionGuard guard(frame::Data());
      numbering::WriteDeleteLedger({h.voucher_id});
      result = frame::Business(Basis()).Delete(h.voucher_id);
      if (result.ok) guard.Commit();
    }
    if (!result.ok) return Refuse(result.reason, title);
    state_.must_save = false;
    NewBill();
    return true;
  } catch (const host::DatabaseError& e) {
    return Failed(e, title);
  }
}

// ---- Reversal ----------------------------------------------------------------------------------

bool frmVoucher::ReverseVoucher(long VoucherID) {
  const long id = VoucherID != 0 ? VoucherID : state_.header.voucher_id;
  if (id == 0 || (VoucherID == 0 && state_.preview)) return false;
  try {
    host::Recordset posted =
        frame::Data().OpenRecordset(std::string("Select lngPostID From ") + Basis().voucher_table +
                                    " Where lngVoucherID=" + N(id));
    if (posted.Empty()) return Refuse(texts::kVoucherMissing, frame::kReversal);
    if (posted["lngPostID"].AsLong() <= 0)
      return Refuse(texts::kReverseNotPosted, frame::kReversal);
    if (!frame::ReversalGuard(id)) return false;
    if (!AskToSaveChanges()) return false;
    std::optional<LoadedVoucher> reversal = PrepareReversal(id, Basis());
    if (!reversal) return Refuse(texts::kVoucherMissing, frame::kReversal);
    FormLoad();
    ReadStamping();
    state_.header = std::move(reversal->header);
    state_.lines = std::move(reversal->lines);
    state_.reversed = false;
    state_.preview = false;
    state_.must_save = true;
    state_.current_row = state_.lines.empty() ? 0 : 1;
    state_.top_row = 1;
    state_.focus_field = LineField::kNone;
    state_.focus_header = HeaderField::kNone;
    Recompute();
    UpdateCaptions();
    UpdateInfo();
    ShowWindow();
    return true;
  } catch (const host::DatabaseError& e) {
    return Failed(e, frame::kReversal);
  }
}

// ---- Memo registration -------------------------------------------------------------------------

bool frmVoucher::MayRegisterMemo() {
  if (state_.header.voucher_id == 0) return false;
  try {
    if (state_.header.checker_id != 0 &&
        frame::IsTrueSetting(frame::SettingValue(0, texts::kSectionAccountSet,
                                                 texts::kKeyMemoAfterReview, "FALSE"))) {
      return Refuse(texts::kMemoReviewed, texts::kTitleMemo);
    }
    return true;
  } catch (const host::DatabaseError& e) {
    return Failed(e, texts::kTitleMemo);
  }
}

bool frmVoucher::ClearMemoRegistration() {
  const long id = state_.header.voucher_id;
  if (state_.preview || id == 0) return false;
  if (frame::Msg(texts::kMemoClearAsk, kAskFlags, texts::kTitleInformation) != host::mb::kYes) {
    return false;
  }
  try {
    frame::Data().Execute(ClearMemoSql(id, Basis()));
    return true;
  } catch (const host::DatabaseError& e) {
    return Failed(e, texts::kTitleMemo);
  }
}

}  // namespace lumvoucher::voucher
