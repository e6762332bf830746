#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "embedded/embedded_parallel_accounting.h"
#include "embedded/embedded_period_service.h"
#include "embedded/embedded_voucher_business.h"
#include "embedded/sqlite_data_access.h"
#include "host/cls_account.h"
#include "host/cls_business_pub.h"
#include "host/cls_transfer_public.h"
#include "host/host_services.h"
#include "host/login_context.h"
#include "host/message_box.h"
#include "host/preference_store.h"

namespace lumvoucher::embedded {

// Numbering and rights over the account-set tables. Rights come from OperatorRight (an
// administrator holds every right); the voucher types an operator may make and query from
// OperatorVoucherType, where no row for an operator means every type. An operator whose rows
// all forbid making has no right to add vouchers; the query scope is the group's when Setting
// 凭证权限控制/凭证列表 is "1", else the whole system.
class EmbeddedBusinessPub : public host::clsBusinessPub {
 public:
  explicit EmbeddedBusinessPub(host::LoginContext& login)
      : login_(login),
        periods_(login),
        voucher_business_(login, *this, periods_),
        budget_voucher_business_(login, *this, periods_, host::BudgetBasis()),
        parallel_(login) {}

  // The next number after the highest one of the period in both bases; with the account-set
  // property "凭证断号重用" True, the lowest free number (a gap) instead.
  std::string VoucherNumber(int year, int period, long voucher_type_id, std::string_view text1,
                            std::string_view text2, long lowest, long highest) override;
  // A save asks twice, before its transaction and again inside it; on the embedded file the
  // second answer is the first when no row changed in between.
  bool NumberTaken(long voucher_type_id, int receipt_type, long number, long own_voucher_id,
                   long source_organization_id, int year, int period,
                   long partner_voucher_id = 0) override;
  // On a server inside a transaction: the check travels with the save's inserts as an insert
  // into VoucherNumberGuard, whose check constraint kNumberTakenKey refuses every row (the
  // server's account sets have the table, server/account_set_copy.cpp).
  bool NumberTakenInTransaction(long voucher_type_id, int receipt_type, long number,
                                long own_voucher_id, long source_organization_id, int year,
                                int period, long partner_voucher_id) override;
  host::ReceiptTypeRights Rights(int receipt_type) override;
  bool HasRight(long right_id) override;
  host::VoucherBusinessService& VoucherBusiness() override { return voucher_business_; }
  host::VoucherBusinessService& VoucherBusiness(const host::VoucherBasis& basis) override {
    if (basis.IsBudget()) return budget_voucher_business_;
    return voucher_business_;
  }
  host::PeriodService& Periods() override { return periods_; }
  host::ParallelAccountingService& ParallelAccounting() override { return parallel_; }

  // Raises the ReceiptMaxNo counter (kind, type id as text) of the organisation to `number`,
  // adding the row when the period has none.
  void VoucherNumberUsed(int year, int period, int receipt_type, long voucher_type_id, long number,
                         long flag) override;
  // Sets the counter to the highest number the type holds in both bases (0 when none), adding
  // the row when the period has none and numbers are in use: the next new voucher and the next
  // continuity run start above it.
  void RefreshReceiptMaxNo(long organization_id, int year, int period, int receipt_type,
                           long voucher_type_id) override;
  // The module answers of the save, read from Setting section "帐套属性" of the current
  // organisation: "集团账套" (group set-up), "凭证号重复自动取号" (default True), "仅现金银行模块
  // 生成现金银行凭证" (the cash-and-bank module makes vouchers of source kCashBankSource),
  // "成本归集差额允许保存", "借贷方科目机构相同提示" (all default False). The cost module
  // (MODULE kCostModule) has closed every period before the one it stands at.
  static constexpr long kCostModule = 130;
  static constexpr long kCashBankSource = 13;
  bool GroupSetUp() override;
  bool AutoRenumber() override;
  bool CostPeriodClosed(int year, int period) override;
  bool CashBankOnly(long voucher_source_id) override;
  bool CostDifferenceAllowed() override;
  bool SameOrganizationCheck() override;
  // The asset modules are not part of this host: a test installs the answer.
  host::AssetSourceChange AssetSourceChanged(long voucher_id, long voucher_source_id) override;
  void SetAssetSourceCheck(std::function<host::AssetSourceChange(long, long)> check) {
    asset_check_ = std::move(check);
  }

 private:
  bool IsAdministrator();
  bool Option(std::string_view key, std::string_view fallback);
  host::LoginContext& login_;
  std::function<host::AssetSourceChange(long, long)> asset_check_;
  struct NumberCheck {
    std::string sql;
    bool taken = false;
    SqliteDataAccess::RowsVersion read;
  };
  std::optional<NumberCheck> last_number_check_;
  EmbeddedPeriodService periods_;
  EmbeddedVoucherBusiness voucher_business_;
  EmbeddedVoucherBusiness budget_voucher_business_;
  EmbeddedParallelAccounting parallel_;
};

// Accounts and reference items over the account-set tables: the financial chart (Account,
// AccountEx); ChartOf the budget basis answers a second object over the budget chart
// (BudgetAccount, BudgetAccountEx) that shares this one's items, handlers and message box.
// The item rights apply only to the
// kinds switched on in Setting section '权限控制' (keys 科目, 单位, 部门, 职员, 统计, 项目); an
// administrator may use everything. The dialogs this host has no window for (the reference
// list's new-item card, the voucher-type card) and the field validator are handlers the desktop
// or a test installs; without one the card is cancelled and every field text is accepted.
class EmbeddedAccount : public host::clsAccount {
 public:
  using AddItemHandler =
      std::function<std::optional<host::ItemInfo>(int kind, std::string_view typed_text)>;
  using ValidatorHandler = std::function<std::string(long account_id, std::string_view text)>;
  // The small account card: shown the proposed code and name, answers the user's (nothing when
  // he cancelled).
  struct AccountCard {
    std::string code;
    std::string name;
    std::string parent;  // "6602 管理费用", shown above the fields
  };
  using AccountCardHandler = std::function<std::optional<AccountCard>(const AccountCard& proposal)>;
  // Adding an account: the right the operator needs, and the host's own messages.
  static constexpr long kAddAccountRight = 31;
  static constexpr const char* kTitleAddAccount = "新增科目";
  static constexpr const char* kNoAddAccountRight = "当前操作员无新增会计科目的权限！";
  static constexpr const char* kNoParentAccount =
      "上级科目不存在或被停用，请输入已有科目的下级编码（如 6602-01）！";
  static constexpr const char* kAccountCodeTaken = "科目编码已存在！";
  static constexpr const char* kAccountNameEmpty = "科目名称不能为空！";

  explicit EmbeddedAccount(host::LoginContext& login, host::clsBusinessPub& business);
  ~EmbeddedAccount() override;
  host::clsAccount& ChartOf(const host::VoucherBasis& basis) override;
  long VoucherByNumber(int receipt_type, int year, int period, long voucher_type_id, long number,
                       long organization_id) override;
  // In the group scope only the vouchers made by the operator's group count.
  long QueryableVoucherCount(int receipt_type) override;

  std::optional<host::AccountInfo> AccountByCode(std::string_view code) override;
  std::optional<host::AccountInfo> AccountById(long account_id) override;
  bool MayUseAccount(std::string_view account_code) override;
  // The operator's rows of OperatorAccount when accounts are rights-controlled ("(0)" for
  // none, so that a restricted operator without accounts gets nothing rather than everything).
  std::string AuthorizedAccountList() override;
  bool MayUseItem(int kind, long item_id) override;
  bool AccountAcceptsAllItems(long account_id, int kind) override;
  bool ItemAssignedToAccount(long account_id, int kind, long item_id) override;
  bool ItemIsLeaf(int kind, long item_id) override;
  // The book currency suits every account; another currency only an account with currency
  // accounting whose currency is that one or unset.
  bool CurrencyValidForAccount(long account_id, long currency_id) override;
  std::string ValidateField(long account_id, std::string_view field_text) override;
  // Inactive items are answered with `active` false.
  std::optional<host::ItemInfo> ItemByCode(int kind, std::string_view code) override;
  std::optional<host::ItemInfo> ItemById(int kind, long item_id) override;
  // For accounts the host's own card: with right kAddAccountRight the operator gives code and
  // name, and the account is added under the account whose code is the new code's up to its last
  // "-", with that account's properties (the parent then stops being a detail account). Other
  // kinds go to the installed handler.
  std::optional<host::ItemInfo> AddItem(int kind, std::string_view typed_text) override;
  void frmInitVoucherTypeCard_Show() override;

  void SetAddItemHandler(AddItemHandler handler) { add_item_ = std::move(handler); }
  void SetVoucherTypeCardHandler(std::function<void()> handler) { type_card_ = std::move(handler); }
  void SetValidator(ValidatorHandler handler) { validator_ = std::move(handler); }
  void SetAccountCardHandler(AccountCardHandler handler) { account_card_ = std::move(handler); }
  void SetMessageBox(host::MessageBox* messages) { messages_ = messages; }
  int VoucherTypeCardCalls() const { return type_card_calls_; }

 private:
  // The budget chart's object: the handlers stay `handlers`'s.
  EmbeddedAccount(EmbeddedAccount& handlers, const host::VoucherBasis& basis);
  std::string AccountTable() const { return basis_.account_table; }
  std::optional<host::AccountInfo> FindAccount(const std::string& condition);
  std::optional<host::ItemInfo> FindItem(int kind, const std::string& condition);
  bool RightsControlled(std::string_view key);
  bool IsAdministrator();
  std::optional<host::ItemInfo> AddAccount(std::string_view typed_text);
  void Tell(const char* text);

  host::LoginContext& login_;
  host::clsBusinessPub& business_;
  const host::VoucherBasis& basis_;
  EmbeddedAccount& handlers_;  // this object, or the financial one for the budget chart
  std::unique_ptr<EmbeddedAccount> budget_chart_;
  AddItemHandler add_item_;
  AccountCardHandler account_card_;
  host::MessageBox* messages_ = nullptr;
  std::function<void()> type_card_;
  ValidatorHandler validator_;
  int type_card_calls_ = 0;
};

class EmbeddedTransferPublic : public host::clsTransferPublic {
 public:
  explicit EmbeddedTransferPublic(host::LoginContext& login) : login_(login) {}
  std::string SettingValue(long organization_id, std::string_view section, std::string_view key,
                           std::string_view default_value) override {
    return login_.SettingValue(organization_id, section, key, default_value);
  }

 private:
  host::LoginContext& login_;
};

// Per-operator preferences in the table UserPreference.
class TablePreferenceStore : public host::PreferenceStore {
 public:
  explicit TablePreferenceStore(host::LoginContext& login) : login_(login) {}
  std::string GetSetting(std::string_view section, std::string_view key,
                         std::string_view default_value) override;
  void SaveSetting(std::string_view section, std::string_view key, std::string_view value) override;

 private:
  host::LoginContext& login_;
};

// A host library object the component only stores.
template <class Base>
class NamedHostObject : public Base {
 public:
  explicit NamedHostObject(std::string name) : name_(std::move(name)) {}
  std::string ObjectName() const override { return name_; }

 private:
  std::string name_;
};

// The modules told of saved vouchers keep what they were told, in order, for the desktop's
// status line and the tests.
template <class Module>
class NotifiedModule : public Module {
 public:
  explicit NotifiedModule(std::string name) : name_(std::move(name)) {}
  std::string ObjectName() const override { return name_; }
  void RefreshVoucherID(long voucher_id) override { told_.push_back(voucher_id); }
  const std::vector<long>& Told() const { return told_; }

 private:
  std::string name_;
  std::vector<long> told_;
};

template <>
class NamedHostObject<host::clsConsumption> : public NotifiedModule<host::clsConsumption> {
 public:
  using NotifiedModule::NotifiedModule;
};
template <>
class NamedHostObject<host::clsImmaterialAsset> : public NotifiedModule<host::clsImmaterialAsset> {
 public:
  using NotifiedModule::NotifiedModule;
};
template <>
class NamedHostObject<host::clsDefered> : public NotifiedModule<host::clsDefered> {
 public:
  using NotifiedModule::NotifiedModule;
};

// The asset-management module as InitAMAsset receives it: keeps each call as
// "RefreshAMAssetVoucherID 10001".
class EmbeddedAmAsset : public host::clsAmAsset {
 public:
  std::string ObjectName() const override { return "clsAmAsset"; }
  void RefreshAMAssetVoucherID(long voucher_id) override {
    told_.push_back("RefreshAMAssetVoucherID " + std::to_string(voucher_id));
  }
  void RefreshAssetCreateVoucher(long voucher_id) override {
    told_.push_back("RefreshAssetCreateVoucher " + std::to_string(voucher_id));
  }
  const std::vector<std::string>& Told() const { return told_; }

 private:
  std::vector<std::string> told_;
};

class EmbeddedCard : public host::clsCard {
 public:
  std::string ObjectName() const override { return "clsCard"; }
  host::HostObject* CardObject() override { return &card_object_; }

 private:
  NamedHostObject<host::HostObject> card_object_{"Card"};
};

// The cash-flow item cards. This host has no window of its own for them: the desktop or a test
// installs the handler; without one every card is cancelled.
class EmbeddedCWCard : public host::clsCWCard {
 public:
  using Handler = std::function<bool(host::CashItemAction action, int flow_type, long item_id)>;
  std::string ObjectName() const override { return "clsCWCard"; }
  bool MaintainCashItem(host::CashItemAction action, int flow_type, long item_id) override {
    return handler_ ? handler_(action, flow_type, item_id) : false;
  }
  void SetHandler(Handler handler) { handler_ = std::move(handler); }

 private:
  Handler handler_;
};

}  // namespace lumvoucher::embedded
