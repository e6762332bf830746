#include "frame/inter_face.h"

#include <cctype>
#include <string>

#include "frame/window_registry.h"
#include "lists/frm_list_err_voucher.h"
#include "lists/frm_list_voucher.h"
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
}

void InterFace::InitAMAsset(host::clsAmAsset* clsAmAsset) {
  Login().am_asset = clsAmAsset;
}

void InterFace::MainForm(host::HostMainWindow* main_window) {
  Login().main_window = main_window;
}

// The dual-basis branches arrive with the paired voucher window; until then a dual-basis account
// set gets no window from these members.
void InterFace::ShowANewBill(long CurrentVoucherID) {
  if (IsDualBasis()) return;
  WindowRegistry::Get<voucher::frmVoucher>().ShowANewBill(CurrentVoucherID);
}

void InterFace::ShowAOldBill(long VoucherID, bool blnPreView) {
  if (IsDualBasis()) return;
  WindowRegistry::Get<voucher::frmVoucher>().ShowAOldBill(VoucherID, 0, blnPreView);
}

void InterFace::ShowAOldBill2(long lngVoucherID, long lngVoucherDetailID, bool blnPreViewVoucher) {
  if (IsDualBasis()) return;
  WindowRegistry::Get<voucher::frmVoucher>().ShowAOldBill(lngVoucherID, lngVoucherDetailID,
                                                          blnPreViewVoucher);
}

bool InterFace::blnPreViewVoucher() const {
  return WindowRegistry::Get<voucher::frmVoucher>().blnPreViewVoucher();
}

void InterFace::blnPreViewVoucher(bool value) {
  WindowRegistry::Get<voucher::frmVoucher>().blnPreViewVoucher(value);
}

// The programmatic road. Nothing may escape to the host: a failure is the member's failure value.
void InterFace::MustSave() {
  if (IsDualBasis()) return;  // the paired window's counterpart arrives with it
  WindowRegistry::Get<voucher::frmVoucher>().MustSave();
}

int InterFace::SaveAVoucher(bool blnCover, const std::string&) {
  try {
    if (IsDualBasis()) return 0;  // the paired window's counterpart arrives with it
    return WindowRegistry::Get<voucher::frmVoucher>().SaveAVoucher(blnCover);
  } catch (const std::exception&) {
    return 0;
  }
}

bool InterFace::WriteForm(const std::string& strDetail, const std::string&) {
  try {
    if (IsDualBasis()) return false;  // the paired window's counterpart arrives with it
    return WindowRegistry::Get<voucher::frmVoucher>().WriteForm(strDetail);
  } catch (const std::exception&) {
    return false;
  }
}

namespace {

// Shows a list window: an open one is unloaded first so that it comes back fresh; the list's
// answer to the set-up becomes the stored main window.
template <class List>
void ShowList(const char* upper_name, long lngFlag) {
  LoginState& state = Login();
  List& list = WindowRegistry::Get<List>();
  if (state.main_window != nullptr) {
    for (host::ChildWindow* child : state.main_window->OpenChildren()) {
      std::string name = child->WindowName();
      for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (name == upper_name) {
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

void InterFace::frmListVoucher_Show(long lngFlag) {
  if (IsDualBasis()) return;  // the dual-basis list arrives with the paired window
  ShowList<lists::frmListVoucher>("FRMLISTVOUCHER", lngFlag);
}

void InterFace::frmListErrVoucher_Show() {
  if (IsDualBasis()) return;  // the dual-basis error list arrives with the paired window
  ShowList<lists::frmListErrVoucher>("FRMLISTERRVOUCHER", 0);
}

bool InterFace::setInitMultiBase(host::HostObject* bvdata) {
  Login().multi_base_data = bvdata;
  return false;
}

}  // namespace lumvoucher::frame
