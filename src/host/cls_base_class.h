#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/business_documents.h"
#include "host/fund_system.h"
#include "host/host_object.h"
#include "host/login_context.h"
#include "host/main_window.h"
#include "host/message_box.h"
#include "host/modal_runner.h"
#include "host/preference_store.h"
#include "host/profile_files.h"

namespace lumvoucher::host {

class clsBaseClass;

// The form manager of the host's shared library: given the root object, the login context and
// the main window, it answers the window the component uses as parent.
class FormManager {
 public:
  virtual ~FormManager() = default;
  virtual void Setup(clsBaseClass& base, LoginContext& login, HostMainWindow* main_window) = 0;
  virtual HostMainWindow* ParentWindow() = 0;
};

class clsBusinessPub;
class clsAccount;
class clsFilter;
class clsPublicForm;
class clsTransferPublic;

// What the component hands to the shared host object, in the order it hands them.
struct SharedHostItems {
  LoginContext* login = nullptr;
  clsBaseClass* base = nullptr;
  HostObject* grid_service = nullptr;
  HostObject* module_service = nullptr;
  HostObject* list_service = nullptr;
  HostMainWindow* main_window = nullptr;
  clsTransferPublic* transfer_public = nullptr;
  clsFilter* filter = nullptr;
  clsPublicForm* public_form = nullptr;
  clsBusinessPub* business_pub = nullptr;
  clsAccount* account = nullptr;
};

// The shared host object of the host's library, created and fed by the component in Init.
class SharedHostObject {
 public:
  virtual ~SharedHostObject() = default;
  virtual void Setup(const SharedHostItems& items) = 0;
};

// Root host object: the login context, the main window, the user-interface services and the
// factories of the host library objects the component creates for itself.
class clsBaseClass {
 public:
  virtual ~clsBaseClass() = default;

  virtual LoginContext& Login() = 0;
  virtual HostMainWindow* MainWindow() = 0;
  virtual HostObject& GridService() = 0;
  virtual HostObject& ListService() = 0;

  virtual MessageBox& Messages() = 0;
  virtual ModalRunner& Modal() = 0;
  virtual PreferenceStore& Preferences() = 0;
  virtual ProfileFiles& Profiles() = 0;

  virtual std::unique_ptr<FormManager> NewFormManager() = 0;
  virtual std::unique_ptr<SharedHostObject> NewSharedHostObject() = 0;
  virtual std::unique_ptr<HostObject> NewHostObject(std::string_view kind) = 0;
  // The fund-system object with its second connection; null when the host runs no fund system.
  virtual FundSystem* FundSystemObject() { return nullptr; }
  // The modules that show a voucher's business documents; null when the host has none.
  virtual BusinessDocuments* BusinessDocumentsObject() { return nullptr; }

  // The host utility's number conversions: the leading number of a text (0 when none), and
  // the display format for a number of decimals ("0.00" for 2, "0" for 0).
  static long TextToLong(std::string_view text);
  static double TextToDouble(std::string_view text);
  static std::string DecimalFormat(int decimals);
};

}  // namespace lumvoucher::host
