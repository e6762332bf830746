#include "embedded/embedded_host.h"

#include "embedded/account_set.h"
#include "embedded/embedded_bill_issuing.h"
#include "embedded/embedded_voucher_attachments.h"
#include "embedded/ini_profile_files.h"
#include "frame/inter_face.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {

namespace {

std::unique_ptr<host::DataAccess> FundFile(const std::string& path) {
  auto file = std::make_unique<SqliteDataAccess>(path);
  EmbeddedFundSystem::MakeTables(*file);
  return file;
}

// The host's form manager: the parent of the component's windows is the main window itself.
class EmbeddedFormManager : public host::FormManager {
 public:
  void Setup(host::clsBaseClass&, host::LoginContext&, host::HostMainWindow* main) override {
    parent_ = main;
  }
  host::HostMainWindow* ParentWindow() override { return parent_; }

 private:
  host::HostMainWindow* parent_ = nullptr;
};

class EmbeddedSharedObject : public host::SharedHostObject {
 public:
  void Setup(const host::SharedHostItems& items) override { items_ = items; }

 private:
  host::SharedHostItems items_;
};

}  // namespace

class EmbeddedBaseClass : public host::clsBaseClass {
 public:
  EmbeddedBaseClass(EmbeddedLoginContext& login, HostUi ui, host::HostObject& grid,
                    host::HostObject& list, EmbeddedHost& host)
      : login_(login), ui_(ui), grid_(grid), list_(list), preferences_(login), host_(host) {}

  host::LoginContext& Login() override { return login_; }
  host::HostMainWindow* MainWindow() override { return ui_.main_window; }
  host::HostObject& GridService() override { return grid_; }
  host::HostObject& ListService() override { return list_; }
  host::MessageBox& Messages() override { return *ui_.messages; }
  host::ModalRunner& Modal() override { return *ui_.modal; }
  host::PreferenceStore& Preferences() override { return preferences_; }
  host::ProfileFiles& Profiles() override { return profiles_; }
  std::unique_ptr<host::FormManager> NewFormManager() override {
    return std::make_unique<EmbeddedFormManager>();
  }
  std::unique_ptr<host::SharedHostObject> NewSharedHostObject() override {
    return std::make_unique<EmbeddedSharedObject>();
  }
  std::unique_ptr<host::HostObject> NewHostObject(std::string_view kind) override {
    if (kind == host::BillIssuing::kKind) return std::make_unique<EmbeddedBillIssuing>(login_);
    if (kind == host::VoucherAttachments::kKind) {
      return std::make_unique<EmbeddedVoucherAttachments>(login_);
    }
    return std::make_unique<NamedHostObject<host::HostObject>>(std::string(kind));
  }
  host::FundSystem* FundSystemObject() override { return &host_.FundSystem(); }
  host::BusinessDocuments* BusinessDocumentsObject() override { return &host_.BusinessDocuments(); }

 private:
  EmbeddedLoginContext& login_;
  HostUi ui_;
  host::HostObject& grid_;
  host::HostObject& list_;
  TablePreferenceStore preferences_;
  IniProfileFiles profiles_;
  EmbeddedHost& host_;
};

EmbeddedHost::EmbeddedHost(const std::string& path, const LoginRequest& login, HostUi ui,
                           bool create) {
  auto file = std::make_unique<SqliteDataAccess>(path);
  if (create && !HoldsAccountSet(*file)) CreateAccountSet(*file, DemoSets::kShowcase);
  file_ = file.get();
  data_ = std::move(file);
  BuildOnFile(login, ui);
}

EmbeddedHost::EmbeddedHost(std::unique_ptr<SqliteDataAccess> data, const LoginRequest& login,
                           HostUi ui)
    : file_(data.get()), data_(std::move(data)) {
  BuildOnFile(login, ui);
}

EmbeddedHost::EmbeddedHost(std::unique_ptr<host::DataAccess> data, NextIdFunction next_id,
                           const LoginRequest& login, HostUi ui, FundOpener fund)
    : data_(std::move(data)), fund_open_(std::move(fund)) {
  if (!fund_open_) fund_open_ = [] { return FundFile(":memory:"); };
  Build(login, ui, std::move(next_id));
}

EmbeddedHost::~EmbeddedHost() = default;

SqliteDataAccess& EmbeddedHost::Database() {
  if (file_ == nullptr) throw host::DatabaseError("帐套不在嵌入式数据库文件中");
  return *file_;
}

void EmbeddedHost::BuildOnFile(const LoginRequest& login, HostUi ui) {
  // The fund system's file lies beside the account set's.
  fund_open_ = [path = EmbeddedFundSystem::FilePathFor(file_->Path())] { return FundFile(path); };
  ids_ = std::make_unique<IdService>(*file_);
  Build(login, ui, [ids = ids_.get()](std::string_view table) { return ids->NextId(table); });
}

void EmbeddedHost::Build(const LoginRequest& login, HostUi ui, NextIdFunction next_id) {
  login_ =
      std::make_unique<EmbeddedLoginContext>(*data_, std::move(next_id), login, module_service_);
  base_class_ =
      std::make_unique<EmbeddedBaseClass>(*login_, ui, grid_service_, list_service_, *this);
  business_pub_ = std::make_unique<EmbeddedBusinessPub>(*login_);
  account_ = std::make_unique<EmbeddedAccount>(*login_, *business_pub_);
  account_->SetMessageBox(ui.messages);
  transfer_public_ = std::make_unique<EmbeddedTransferPublic>(*login_);
}

host::clsBaseClass& EmbeddedHost::BaseClass() {
  return *base_class_;
}

EmbeddedFundSystem& EmbeddedHost::FundSystem() {
  if (!fund_system_) fund_system_ = std::make_unique<EmbeddedFundSystem>(fund_open_(), *login_);
  return *fund_system_;
}

void EmbeddedHost::UseFundDatabase(std::unique_ptr<SqliteDataAccess> data) {
  EmbeddedFundSystem::MakeTables(*data);
  fund_system_ = std::make_unique<EmbeddedFundSystem>(std::move(data), *login_);
}

void EmbeddedHost::InitInterFace(frame::InterFace& inter_face) {
  inter_face.Init(base_class_.get(), business_pub_.get(), account_.get(), &filter_, &report_book_,
                  &card_in_fix_, &public_form_, transfer_public_.get(), &flow_module_, &card_,
                  &cw_card_, &template_, &fixed_asset_, &consumption_, &immaterial_asset_,
                  &defered_);
}

}  // namespace lumvoucher::embedded
