#include "lists/list_commands.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "cashflow/cash_flow_command.h"
#include "frame/frame_texts.h"
#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "frame/voucher_conflict.h"
#include "frame/window_registry.h"
#include "host/cls_base_class.h"
#include "host/cls_business_pub.h"
#include "host/data_access.h"
#include "host/message_box.h"
#include "links/frm_reference.h"
#include "lists/dual_basis_links.h"
#include "lists/list_texts.h"
#include "numbering/numbering_windows.h"
#include "voucher/frm_voucher.h"
#include "voucher/status_texts.h"
#include "voucher/voucher_status.h"
#include "voucher/voucher_texts.h"
#include "voucher/voucher_writer.h"

namespace lumvoucher::lists {

namespace {

using frame::SqlNumber;
namespace vtexts = voucher::texts;

constexpr const char* kErrorListName = "frmListErrVoucher";

bool Refuse(std::string_view text, std::string_view title) {
  frame::Msg(text, host::mb::kExclamation, title);
  return false;
}

bool Failed(const std::exception& error, std::string_view title) {
  frame::Msg(error.what(), host::mb::kCritical, title);
  return false;
}

// The chosen voucher's fields the commands decide by; either basis.
struct Chosen {
  long id = 0;
  int basis = kFinancialBasis;
  long maker = 0;
  long checker = 0;
  long teller = 0;
  long poster = 0;
  std::string type_code;
  long number = 0;
};

Chosen ReadChosen(long voucher_id) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select Voucher.lngOperatorID,Voucher.lngCheckerID,Voucher.lngTellerID,Voucher.lngPostID,"
      "Voucher.intVoucherNO,Voucher.lngVoucherBaseID,VoucherType.strVoucherTypeCode From "
      "VoucherView Voucher,VoucherTypeView VoucherType Where "
      "Voucher.lngVoucherTypeID=VoucherType.lngVoucherTypeID(+) And Voucher.lngVoucherID=" +
      SqlNumber(voucher_id));
  // The list shows it, but another desktop deleted it since.
  if (rs.Empty()) throw frame::VoucherConflict();
  Chosen v;
  v.id = voucher_id;
  v.basis = static_cast<int>(rs["lngVoucherBaseID"].AsLong());
  v.maker = static_cast<long>(rs["lngOperatorID"].AsLong());
  v.checker = static_cast<long>(rs["lngCheckerID"].AsLong());
  v.teller = static_cast<long>(rs["lngTellerID"].AsLong());
  v.poster = static_cast<long>(rs["lngPostID"].AsLong());
  v.number = static_cast<long>(rs["intVoucherNO"].AsLong());
  v.type_code = rs["strVoucherTypeCode"].AsText();
  return v;
}

// The other voucher of a dual-basis pair, found by the voucher's basis; 0 for a voucher
// without one.
long PartnerOf(const Chosen& v) {
  host::Recordset rs = frame::Data().OpenRecordset(
      (v.basis == kBudgetBasis
           ? "Select lngVoucherID as lngID From BudgetVoucherRelevance Where lngBudgetVoucherID="
           : "Select lngBudgetVoucherID as lngID From BudgetVoucherRelevance Where lngVoucherID=") +
      SqlNumber(v.id));
  return rs.Empty() ? 0 : static_cast<long>(rs["lngID"].AsLong());
}

// The partner as messages name it: its type code and number between "“" and "”".
std::string PartnerLabel(long partner) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select VoucherType.strVoucherTypeCode,Voucher.intVoucherNO from VoucherView Voucher "
      ",VoucherTypeView VoucherType  Where Voucher.lngVoucherTypeID = "
      "VoucherType.lngVoucherTypeID and Voucher.lngVoucherID=" +
      SqlNumber(partner));
  if (rs.Empty()) return {};
  return "“" +
         voucher::TypeAndNumber(rs["strVoucherTypeCode"].AsText(),
                                frame::VoucherNoText(rs["intVoucherNO"].AsLong())) +
         "”";
}

// Cashier signature needs cash or bank lines on one of the vouchers of the pair.
bool HasCashBankLines(long voucher_id, int basis) {
  if (basis != kBudgetBasis) return voucher::IsCashBankVoucher(voucher_id);
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select Count(*) As n From BudgetVoucherDetail vd, BudgetAccount a Where vd.lngAccountID = "
      "a.lngAccountID And a.lngAccountNatureID In (1, 2) And vd.lngVoucherID = " +
      SqlNumber(voucher_id));
  return rs["n"].AsLong() > 0;
}

// One host operation on the voucher and on its partner, committed together; the financial
// voucher goes first.
template <class Operation>
bool OnPair(const Chosen& v, std::string_view title, Operation operation) {
  host::TransactionGuard guard(frame::Data());
  const long partner = PartnerOf(v);
  const int partner_basis = v.basis == kBudgetBasis ? kFinancialBasis : kBudgetBasis;
  std::pair<long, int> sides[] = {{v.id, v.basis}, {partner, partner_basis}};
  if (v.basis == kBudgetBasis) std::swap(sides[0], sides[1]);
  for (const auto& [id, basis] : sides) {
    if (id == 0) continue;
    host::VoucherBusinessService::Result result = operation(BusinessServiceOf(basis), id);
    // A refusal of the partner says which voucher refused.
    if (!result.ok)
      return Refuse(id == v.id ? result.reason : PartnerLabel(id) + result.reason, title);
  }
  guard.Commit();
  return true;
}

}  // namespace

int RunBatchDialog(const VoucherList& list, BatchOperation mode) {
  frmBatchVoucher dialog(mode, frmBatchVoucher::SourceOf(list));
  if (!dialog.Load()) return 0;
  frame::Login().base_class->Modal().RunModal(dialog);
  return dialog.State().result;
}

bool SignVoucher(long voucher_id) {
  const char* title = vtexts::kTitleSignVoucher;
  if (voucher_id == 0) return false;
  try {
    const Chosen v = ReadChosen(voucher_id);
    const long partner = PartnerOf(v);
    if (!HasCashBankLines(v.id, v.basis) &&
        (partner == 0 ||
         !HasCashBankLines(partner, v.basis == kBudgetBasis ? kFinancialBasis : kBudgetBasis))) {
      return Refuse(v.type_code + frame::VoucherNoText(v.number) + vtexts::kNumberMark +
                        vtexts::kNoCashBankLines,
                    title);
    }
    if (v.teller != 0) {
      return OnPair(v, vtexts::kTitleCancelSign,
                    [](host::VoucherBusinessService& s, long id) { return s.CancelSign(id); });
    }
    return OnPair(v, title, [](host::VoucherBusinessService& s, long id) { return s.Sign(id); });
  } catch (const std::exception& error) {
    return Failed(error, title);
  }
}

bool PostVoucher(long voucher_id) {
  const char* title = vtexts::kTitlePost;
  if (voucher_id == 0) return false;
  try {
    const Chosen v = ReadChosen(voucher_id);
    if (v.poster > 0) {
      title = vtexts::kTitleCancelPost;
      if (v.poster != frame::OperatorId()) return Refuse(texts::kOnlyPosterCancels, title);
      return OnPair(v, title,
                    [](host::VoucherBusinessService& s, long id) { return s.CancelPost(id); });
    }
    const bool stamping = frame::Context().StampingEnabled();
    return OnPair(v, title, [stamping](host::VoucherBusinessService& s, long id) {
      return s.Post(id, stamping);
    });
  } catch (const std::exception& error) {
    return Failed(error, title);
  }
}

bool VoidVoucher(long voucher_id) {
  const char* title = vtexts::kTitleVoid;
  if (voucher_id == 0) return false;
  try {
    const Chosen v = ReadChosen(voucher_id);
    const host::LoginContext& login = frame::Context();
    if (frame::Login().business_pub->Periods().IsPeriodClosed(0, login.LoginYear(),
                                                              login.LoginPeriod())) {
      return Refuse(vtexts::kVoidClosed, title);
    }
    if (v.maker != frame::OperatorId() &&
        !frame::Login().business_pub->HasRight(voucher::status_rights::kVoidOthers)) {
      return Refuse(vtexts::kVoidOthers, title);
    }
    return OnPair(v, title, [](host::VoucherBusinessService& s, long id) { return s.Void(id); });
  } catch (const std::exception& error) {
    return Failed(error, title);
  }
}

bool SignSelected(const VoucherList& list) {
  return SignVoucher(list.SelectedVoucherID());
}

bool PostSelected(const VoucherList& list) {
  return PostVoucher(list.SelectedVoucherID());
}

bool VoidSelected(const VoucherList& list) {
  return VoidVoucher(list.SelectedVoucherID());
}

bool ReverseSelected(const VoucherList& list) {
  const long id = list.SelectedVoucherID();
  if (id == 0) return false;
  // The window holds the rules and opens the reversal for the user to save.
  return frame::WindowRegistry::Get<voucher::frmVoucher>().ReverseVoucher(id);
}

bool MayRegisterMemo(const VoucherList& list) {
  if (list.SelectedVoucherID() == 0) return false;
  try {
    const Chosen v = ReadChosen(list.SelectedVoucherID());
    if (v.checker != 0 &&
        frame::IsTrueSetting(frame::SettingValue(0, vtexts::kSectionAccountSet,
                                                 vtexts::kKeyMemoAfterReview, "FALSE"))) {
      return Refuse(vtexts::kMemoReviewed, vtexts::kTitleMemo);
    }
    return true;
  } catch (const std::exception& error) {
    return Failed(error, vtexts::kTitleMemo);
  }
}

bool ClearMemoSelected(const VoucherList& list) {
  const long id = list.SelectedVoucherID();
  if (id == 0) return false;
  if (frame::Msg(vtexts::kMemoClearAsk, host::mb::kYesNo + host::mb::kQuestion,
                 vtexts::kTitleInformation) != host::mb::kYes) {
    return false;
  }
  try {
    frame::Data().Execute(voucher::ClearMemoSql(id));
    return true;
  } catch (const std::exception& error) {
    return Failed(error, vtexts::kTitleMemo);
  }
}

VoucherList::CommandHook ListCommands(VoucherList::CommandHook next) {
  return [next = std::move(next)](VoucherList& list, ListAction action) -> bool {
    const int mode = BatchMode(action);
    if (mode >= 0) return RunBatchDialog(list, static_cast<BatchOperation>(mode)) > 0;
    switch (action) {
      case ListAction::kDelete:
        // The lists delete through the batch dialog only.
        return RunBatchDialog(list, BatchOperation::kDelete) > 0;
      case ListAction::kSign:
        return SignSelected(list);
      case ListAction::kPost:
        return PostSelected(list);
      case ListAction::kVoid:
        return VoidSelected(list);
      case ListAction::kReverse:
        return ReverseSelected(list);
      case ListAction::kCashFlow:
        return cashflow::OpenLineCashFlow(list.SelectedVoucherID(), list.SelectedLineID()).shown;
      case ListAction::kMemo:
        if (list.WindowName() == kErrorListName) return ClearMemoSelected(list);
        if (!MayRegisterMemo(list)) return false;
        return links::OpenLineReference(list.SelectedVoucherID(), list.SelectedLineID(), false);
      case ListAction::kVolumes:
        return numbering::ShowVoucherVolume();
      case ListAction::kNumberContinuity:
        return numbering::ShowVoucherContinuity();
      default:
        break;
    }
    return next ? next(list, action) : false;
  };
}

void InstallListCommands(VoucherList& list) {
  list.SetCommandHook(ListCommands(list.Hook()));
}

}  // namespace lumvoucher::lists
