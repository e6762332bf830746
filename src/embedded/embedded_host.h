#pragma once

#include <functional>
#include <memory>
#include <string>

#include "embedded/embedded_filter.h"
#include "embedded/embedded_fund_system.h"
#include "embedded/embedded_login_context.h"
#include "embedded/embedded_services.h"
#include "embedded/id_service.h"
#include "embedded/sqlite_data_access.h"
#include "host/cls_base_class.h"

namespace lumvoucher::frame {
class InterFace;
}

namespace lumvoucher::embedded {

// The user-interface half of the host that the embedded host does not own: the desktop brings
// QMessageBox and exec(), the tests a scripted box and runner, the console a printing box.
struct HostUi {
  host::MessageBox* messages = nullptr;
  host::ModalRunner* modal = nullptr;
  host::HostMainWindow* main_window = nullptr;
};

class EmbeddedBaseClass;

// The embedded host runs none of the modules that own business documents: it hands the kind and
// id to whoever shows them (the desktop says what it would open; nothing without a handler).
class EmbeddedBusinessDocuments : public host::BusinessDocuments {
 public:
  void ShowDocument(long kind, std::string_view document_id) override {
    if (show_) show_(kind, std::string(document_id));
  }
  void SetShowHandler(std::function<void(long, const std::string&)> handler) {
    show_ = std::move(handler);
  }

 private:
  std::function<void(long, const std::string&)> show_;
};

// Every host object the component receives, implemented over one account set: an SQLite file,
// or any other data access with its own id service (the server host's PostgreSQL database).
// Owns the data-access object; borrows the user-interface services.
class EmbeddedHost {
 public:
  // Opens the file (":memory:" for a private in-memory account set). When `create` is true and
  // the file holds no account set yet, creates the schema and the demo account set in it.
  // Throws host::DatabaseError when the file cannot be opened or the login is unknown.
  EmbeddedHost(const std::string& path, const LoginRequest& login, HostUi ui, bool create = true);
  // Runs on a data-access object the caller owns (a wrapper in tests).
  EmbeddedHost(std::unique_ptr<SqliteDataAccess> data, const LoginRequest& login, HostUi ui);
  // Runs on another database, whose keys come from `next_id`; the fund system's database comes
  // from `fund` (a private in-memory one when none is given).
  EmbeddedHost(std::unique_ptr<host::DataAccess> data, NextIdFunction next_id,
               const LoginRequest& login, HostUi ui, FundOpener fund = {});
  ~EmbeddedHost();

  // Calls InterFace.Init with this host's sixteen objects.
  void InitInterFace(frame::InterFace& inter_face);

  host::DataAccess& Data() { return *data_; }
  // The account-set file; throws host::DatabaseError on a host over another database.
  SqliteDataAccess& Database();
  host::clsBaseClass& BaseClass();
  EmbeddedLoginContext& Login() { return *login_; }
  EmbeddedBusinessPub& BusinessPub() { return *business_pub_; }
  EmbeddedAccount& Account() { return *account_; }
  EmbeddedTransferPublic& TransferPublic() { return *transfer_public_; }
  EmbeddedCard& Card() { return card_; }
  EmbeddedCWCard& CWCard() { return cw_card_; }
  EmbeddedFilter& Filter() { return filter_; }
  // The fund system, its database opened (and on a file, made) on first use.
  EmbeddedFundSystem& FundSystem();
  EmbeddedBusinessDocuments& BusinessDocuments() { return documents_; }
  // Runs the fund system on a data-access object the caller provides (a wrapper in tests).
  void UseFundDatabase(std::unique_ptr<SqliteDataAccess> data);

 private:
  void Build(const LoginRequest& login, HostUi ui, NextIdFunction next_id);
  void BuildOnFile(const LoginRequest& login, HostUi ui);

  SqliteDataAccess* file_ = nullptr;  // data_, when it is an SQLite file (set before it)
  std::unique_ptr<host::DataAccess> data_;
  std::unique_ptr<IdService> ids_;
  FundOpener fund_open_;
  std::unique_ptr<EmbeddedFundSystem> fund_system_;
  EmbeddedBusinessDocuments documents_;
  NamedHostObject<host::HostObject> grid_service_{"GridService"};
  NamedHostObject<host::HostObject> list_service_{"ListService"};
  NamedHostObject<host::HostObject> module_service_{"ModuleService"};
  std::unique_ptr<EmbeddedLoginContext> login_;
  std::unique_ptr<EmbeddedBaseClass> base_class_;
  std::unique_ptr<EmbeddedBusinessPub> business_pub_;
  std::unique_ptr<EmbeddedAccount> account_;
  std::unique_ptr<EmbeddedTransferPublic> transfer_public_;
  EmbeddedFilter filter_;
  NamedHostObject<host::clsReportBook> report_book_{"clsReportBook"};
  NamedHostObject<host::clsCardInFix> card_in_fix_{"clsCardInFix"};
  NamedHostObject<host::clsPublicForm> public_form_{"clsPublicForm"};
  NamedHostObject<host::clsFlowModule> flow_module_{"clsFlowModule"};
  EmbeddedCard card_;
  EmbeddedCWCard cw_card_;
  NamedHostObject<host::clsTemplate> template_{"clsTemplate"};
  NamedHostObject<host::clsFixedAsset> fixed_asset_{"clsFixedAsset"};
  NamedHostObject<host::clsConsumption> consumption_{"clsConsumption"};
  NamedHostObject<host::clsImmaterialAsset> immaterial_asset_{"clsImmaterialAsset"};
  NamedHostObject<host::clsDefered> defered_{"clsDefered"};
};

}  // namespace lumvoucher::embedded
