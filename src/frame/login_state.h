#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/cls_account.h"
#include "host/cls_base_class.h"
#include "host/cls_business_pub.h"
#include "host/cls_transfer_public.h"
#include "host/host_services.h"
#include "host/voucher_basis.h"

namespace lumvoucher::frame {

// What Init hands over and derives, kept for the life of the loaded component. Every window and
// service reads it at the moment of use. The host objects are borrowed: the host owns them and
// keeps them alive while the component is loaded. What the component creates itself (the form
// manager, the shared host object, the two further host objects) it owns.
struct LoginState {
  host::clsBaseClass* base_class = nullptr;
  host::LoginContext* login = nullptr;
  host::HostMainWindow* main_window = nullptr;
  int login_value = 0;
  host::HostObject* grid_service = nullptr;
  host::HostObject* list_service = nullptr;
  host::HostObject* module_service = nullptr;

  host::clsBusinessPub* business_pub = nullptr;
  host::clsAccount* account = nullptr;
  host::clsFilter* filter = nullptr;
  host::clsReportBook* report_book = nullptr;
  host::clsCardInFix* card_in_fix = nullptr;
  host::clsPublicForm* public_form = nullptr;
  host::clsTransferPublic* transfer_public = nullptr;
  host::clsFlowModule* flow_module = nullptr;
  host::clsCard* card = nullptr;
  host::clsCWCard* cw_card = nullptr;
  host::clsTemplate* template_service = nullptr;
  host::clsFixedAsset* fixed_asset = nullptr;
  host::clsConsumption* consumption = nullptr;
  host::clsImmaterialAsset* immaterial_asset = nullptr;
  host::clsDefered* defered = nullptr;
  host::HostObject* card_object = nullptr;

  host::clsAmAsset* am_asset = nullptr;         // set by InitAMAsset
  host::HostObject* multi_base_data = nullptr;  // set by setInitMultiBase

  std::unique_ptr<host::HostObject> further_object1;  // used by the voucher-reference window
  std::unique_ptr<host::HostObject> further_object2;
  std::unique_ptr<host::FormManager> form_manager;
  std::unique_ptr<host::SharedHostObject> shared_object;
};

// The process-wide login state of the loaded component.
LoginState& Login();

// Whether Init has run (and Class_Terminate has not cleared it).
bool IsInitialised();

// Shorthands over the login state, read at the moment of use. Calling them before Init is a
// programming error and throws std::logic_error.
host::LoginContext& Context();
host::DataAccess& Data();
long OrganizationId();
long OperatorId();
// The dual-basis regime ("16"), decided afresh on every call.
bool IsDualBasis();
// The host's account services over the chart of `basis`, and its voucher business service over
// the vouchers of `basis`.
host::clsAccount& Chart(const host::VoucherBasis& basis);
host::VoucherBusinessService& Business(const host::VoucherBasis& basis);
// The host's message box.
int Msg(std::string_view text, int flags, std::string_view title);

}  // namespace lumvoucher::frame
