#include "frame/inter_face.h"

#include <string>
#include <string_view>

#include "dualbasis/frm_budget.h"
#include "dualbasis/frm_voucher_new.h"
#include "dualbasis/pair_relevance.h"
#include "frame/frame_messages.h"
#include "frame/window_registry.h"
#include "host/ascii.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "host/read_scope.h"
#include "links/frm_center_ralation.h"
#include "links/frm_darap.h"
#include "lists/dual_basis_links.h"
#include "lists/frm_list_err_voucher.h"
#include "lists/frm_list_voucher.h"
#include "lists/frm_list_voucher_compare.h"
#include "lists/frm_list_voucher_union.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::frame {

namespace {

// Releases what Init created; the host's own objects stay the host's.
void ReleaseCreatedObjects(LoginState& state) {
  state.form_manager.reset();
  state.further_object1.reset();
  state.further_object2.reset();
  state.shared_object.reset();
}

dualbasis::clsVoucherNew& PairWindow();

// The regime whose window the last WriteForm filled: the MustSave that follows marks it without
// asking the account set again, which on a server is a round trip for a flag. Init forgets it.
enum class Filled { kNothing, kSingle, kPair };
Filled program_filled = Filled::kNothing;

}  // namespace

InterFace::~InterFace() {
  ReleaseCreatedObjects(Login());
}

void InterFace::Init(host::clsBaseClass* clsBaseClass, host::clsBusinessPub* clsBusinessPub,
                     host::clsAccount* clsAccount, host::clsFilter* clsFilter,
                     host::clsReportBook* clsReportBook, host::clsCardInFix* clsCardInFix,
                     host::clsPublicForm* clsPublicForm, host::clsTransferPublic* clsTransferPublic,
                     host::clsFlowModule* clsFlowModule, host::clsCard* clsCard,
                     host::clsCWCard* clsCWCard, host::clsTemplate* clsTemplate,
                     host::clsFixedAsset* clsFixedAsset, host::clsConsumption* clsConsumption,
                     host::clsImmaterialAsset* clsImmaterialAsset, host::clsDefered* clsDefered) {
  LoginState& state = Login();
  ReleaseCreatedObjects(state);
  // A second Init replaces everything, including what InitAMAsset and setInitMultiBase stored.
  state = LoginState{};
  program_filled = Filled::kNothing;

  // The host's order: login context, main window, the integer login value, the three host
  // services; then the arguments; then the card object.
  state.base_class = clsBaseClass;
  state.login = &clsBaseClass->Login();
  state.main_window = clsBaseClass->MainWindow();
  state.login_value = state.login->LoginValue();
  state.grid_service = &clsBaseClass->GridService();
  state.list_service = &clsBaseClass->ListService();
  state.module_service = &state.login->ModuleService();

  state.business_pub = clsBusinessPub;
  state.account = clsAccount;
  state.filter = clsFilter;
  state.report_book = clsReportBook;
  state.card_in_fix = clsCardInFix;
  state.public_form = clsPublicForm;
  state.transfer_public = clsTransferPublic;
  state.flow_module = clsFlowModule;
  state.card = clsCard;
  state.cw_card = clsCWCard;
  state.template_service = clsTemplate;
  state.fixed_asset = clsFixedAsset;
  state.consumption = clsConsumption;
  state.immaterial_asset = clsImmaterialAsset;
  state.defered = clsDefered;
  state.card_object = clsCard != nullptr ? clsCard->CardObject() : nullptr;

  state.further_object1 = clsBaseClass->NewHostObject("VoucherReference");
  state.further_object2 = clsBaseClass->NewHostObject("Further");
  state.form_manager = clsBaseClass->NewFormManager();
  state.form_manager->Setup(*clsBaseClass, *state.login, state.main_window);
  state.main_window = state.form_manager->ParentWindow();

  state.shared_object = clsBaseClass->NewSharedHostObject();
  state.shared_object->Setup(host::SharedHostItems{
      state.login, clsBaseClass, state.grid_service, state.module_service, state.list_service,
      state.main_window, clsTransferPublic, clsFilter, clsPublicForm, clsBusinessPub, clsAccount});

  // The combined lists open their rows in the paired window, which the lists cannot reach.
  lists::SetPairedWindowHook({[](long voucher_id, int basis) {
                                const bool financial = basis == lists::kFinancialBasis;
                                const std::string refusal = PairWindow().OpenPair(
                                    financial ? voucher_id : 0, financial ? 0 : voucher_id);
                                if (refusal.empty()) return true;
                                Msg(refusal, host::mb::kCritical, "凭证编辑");
                                return false;
                              },
                              [] { return PairWindow().ShowNewPair(); }});
}

void InterFace::InitAMAsset(host::clsAmAsset* clsAmAsset) {
  Login().am_asset = clsAmAsset;
}

void InterFace::MainForm(host::HostMainWindow* main_window) {
  Login().main_window = main_window;
}

namespace {

// Nothing may cross InterFace: a command's own failures are shown by its window, so what still
// escapes here is the database itself failing (or a call before Init).
template <class Result, class Work>
Result AtBoundary(Result failure, Work&& work) {
  try {
    return work();
  } catch (const host::DatabaseError&) {
    ReportConnectionFailure();
  } catch (const std::exception&) {
  }
  return failure;
}

template <class Work>
void AtBoundary(Work&& work) {
  AtBoundary(0, [&] {
    work();
    return 0;
  });
}

voucher::frmVoucher& VoucherWindow() {
  return WindowRegistry::Get<voucher::frmVoucher>();
}

dualbasis::clsVoucherNew& PairWindow() {
  return WindowRegistry::Get<dualbasis::FrmVoucherNew>().Controller();
}

// The dual-basis window on the voucher's side of its pair; its refusal under "凭证编辑".
void ShowPairOf(long voucher_id) {
  const long base = dualbasis::GetVoucherBaseID(voucher_id);
  if (base != host::kFinancialBaseId && base != host::kBudgetBaseId) return;
  const bool financial = base == host::kFinancialBaseId;
  const std::string refusal =
      PairWindow().OpenPair(financial ? voucher_id : 0, financial ? 0 : voucher_id);
  if (!refusal.empty()) Msg(refusal, host::mb::kCritical, "凭证编辑");
}

// The side of the pair window a program names: "1" financial, "2" budget, else none.
voucher::frmVoucher* PairSide(const std::string& base) {
  if (base == "1") return &PairWindow().WindFinance();
  if (base == "2") return &PairWindow().WindBudget();
  return nullptr;
}

// Shows a list window: an open one is unloaded first so that it comes back fresh; the list's
// answer to the set-up becomes the stored main window.
template <class List>
void ShowList(std::string_view window_name, long lngFlag, bool search = true) {
  LoginState& state = Login();
  List& list = WindowRegistry::Get<List>();
  if (search && state.main_window != nullptr) {
    for (host::ChildWindow* child : state.main_window->OpenChildren()) {
      if (host::EqualsIgnoreCase(child->WindowName(), window_name)) {
        list.FormUnload();
        break;
      }
    }
  }
  state.main_window = list.SetUp(state.main_window, lngFlag);
  list.ShowMe();
  if (state.main_window != nullptr) state.main_window->ChildActive();
}

}  // namespace

void InterFace::ShowAOldBill(long VoucherID, bool blnPreView) {
  AtBoundary([&] {
    if (!IsDualBasis()) {
      VoucherWindow().ShowAOldBill(VoucherID, 0, blnPreView);
    } else {
      ShowPairOf(VoucherID);
    }
  });
}

void InterFace::ShowAOldBill2(long lngVoucherID, long lngVoucherDetailID, bool blnPreViewVoucher) {
  AtBoundary([&] {
    if (!IsDualBasis()) {
      VoucherWindow().ShowAOldBill(lngVoucherID, lngVoucherDetailID, blnPreViewVoucher);
    } else {
      ShowPairOf(lngVoucherID);
    }
  });
}

bool InterFace::blnPreViewVoucher() const {
  return VoucherWindow().blnPreViewVoucher();
}

void InterFace::blnPreViewVoucher(bool value) {
  VoucherWindow().blnPreViewVoucher(value);
}

// A program's WriteForm, MustSave and SaveAVoucher read the file some fifty times per voucher:
// each call's reads share one snapshot (the save itself writes in its own transaction).
void InterFace::MustSave() {
  AtBoundary([&] {
    host::ReadScope reads(Data());
    const bool pair =
        program_filled == Filled::kNothing ? IsDualBasis() : program_filled == Filled::kPair;
    if (!pair) {
      VoucherWindow().MustSave();
    } else {
      PairWindow().Current().MustSave();
    }
  });
}

void InterFace::ShowANewBill(long CurrentVoucherID) {
  AtBoundary([&] {
    if (!IsDualBasis()) {
      VoucherWindow().ShowANewBill(CurrentVoucherID);
    } else {
      PairWindow().ShowNewPair();
    }
  });
}

int InterFace::SaveAVoucher(bool blnCover, const std::string& strAccountBase) {
  return AtBoundary(0, [&] {
    host::ReadScope reads(Data());
    if (!IsDualBasis()) return VoucherWindow().SaveAVoucher(blnCover);
    voucher::frmVoucher* side = PairSide(strAccountBase);
    return side == nullptr ? 0 : side->SaveAVoucher(blnCover);
  });
}

bool InterFace::WriteForm(const std::string& strDetail, const std::string& Form) {
  return AtBoundary(false, [&] {
    host::ReadScope reads(Data());
    const bool pair = IsDualBasis();
    program_filled = pair ? Filled::kPair : Filled::kSingle;
    if (!pair) return VoucherWindow().WriteForm(strDetail);
    voucher::frmVoucher* side = PairSide(Form);
    if (side == nullptr) return false;
    // The side a program fills is the one its MustSave marks.
    PairWindow().IsFinance = Form == "1";
    return side->WriteForm(strDetail);
  });
}

voucher::frmVoucher& InterFace::Form() {
  return VoucherWindow();
}

// The members below stand for windows and objects later subsystems build (automatic vouchers,
// the budget query, fund document matching, the fund bill, the
// settlement detail). Until each arrives it answers as for a window that is not there.

bool InterFace::blnAutoVoucer(bool) {
  return false;
}

host::ChildWindow* InterFace::FinanceForm() {
  return AtBoundary<host::ChildWindow*>(nullptr, [] { return &PairWindow().WindFinance(); });
}

host::ChildWindow* InterFace::BudgetForm() {
  return AtBoundary<host::ChildWindow*>(nullptr, [] { return &PairWindow().WindBudget(); });
}

bool InterFace::ShowBudgetQuery(const std::string& strCodeID, const std::string& strCodeDesc) {
  return AtBoundary(false, [&] {
    return WindowRegistry::Get<dualbasis::frmBudget>().ShowBudget(strCodeID, strCodeDesc);
  });
}

void InterFace::ShowCenterRalation(long lngVoucherID) {
  AtBoundary([&] { links::ShowCenterRalation(lngVoucherID); });
}

std::unique_ptr<host::HostObject> InterFace::newMCRPBill() {
  return nullptr;
}

void InterFace::frmDaRapDetail_Show(long AccountID, long CurrencyID, long CustomerID,
                                    long DepartmentID, long EmployeeID, long Class1ID,
                                    long Class2ID, const std::string& strFlexibleId,
                                    double ModblAmount, long lngRowID, long lngVDetailID,
                                    bool blnDirtion) {
  AtBoundary([&] {
    bool ok = false;
    WindowRegistry::Get<links::frmDARAP>().ShowDetail(
        AccountID, CurrencyID, CustomerID, DepartmentID, EmployeeID, Class1ID, Class2ID,
        strFlexibleId, ModblAmount, lngRowID, lngVDetailID, blnDirtion, ok);
  });
}

void InterFace::frmListVoucher_Show(long lngFlag) {
  AtBoundary([&] {
    if (!IsDualBasis()) {
      ShowList<lists::frmListVoucher>("frmListVoucher", lngFlag);
    } else {
      ShowList<lists::frmListVoucherNew>("frmListVoucherNew", lngFlag, false);
    }
  });
}

void InterFace::frmListErrVoucher_Show() {
  AtBoundary([&] {
    if (!IsDualBasis()) {
      ShowList<lists::frmListErrVoucher>("frmListErrVoucher", 0);
    } else {
      ShowList<lists::frmListErrVoucherCompare>("frmListErrVoucherCompare", 0, false);
    }
  });
}

void InterFace::frmListVoucherUnion_Show(long lngFlag) {
  AtBoundary([&] {
    if (IsDualBasis()) ShowList<lists::frmListVoucherUnion>("frmListVoucherUnion", lngFlag);
  });
}

void InterFace::frmListVoucherCompare_Show(long lngFlag) {
  AtBoundary([&] {
    if (IsDualBasis()) ShowList<lists::frmListVoucherCompare>("frmListVoucherCompare", lngFlag);
  });
}

bool InterFace::setInitMultiBase(host::HostObject* bvdata) {
  Login().multi_base_data = bvdata;
  return false;
}

}  // namespace lumvoucher::frame
