#pragma once

#include <string>

#include "host/cls_account.h"
#include "host/cls_business_pub.h"
#include "host/cls_transfer_public.h"
#include "host/host_services.h"
#include "host/login_context.h"
#include "host/preference_store.h"

namespace lumvoucher::embedded {

// Numbering and rights over the account-set tables. Rights come from OperatorRight (an
// administrator holds every right); the voucher types an operator may make and query from
// OperatorVoucherType, where no row for an operator means every type.
class EmbeddedBusinessPub : public host::clsBusinessPub {
 public:
  explicit EmbeddedBusinessPub(host::LoginContext& login) : login_(login) {}

  // The next number after the highest one of the period in both bases.
  std::string VoucherNumber(int year, int period, long voucher_type_id, std::string_view text1,
                            std::string_view text2, long lowest, long highest) override;
  bool NumberTaken(long voucher_type_id, int receipt_type, long number, long own_voucher_id,
                   long source_organization_id, int year, int period) override;
  host::ReceiptTypeRights Rights(int receipt_type) override;
  bool HasRight(long right_id) override;

 private:
  bool IsAdministrator();
  host::LoginContext& login_;
};

class EmbeddedAccount : public host::clsAccount {
 public:
  explicit EmbeddedAccount(host::LoginContext& login, host::clsBusinessPub& business)
      : login_(login), business_(business) {}
  long VoucherByNumber(int receipt_type, int year, int period, long voucher_type_id, long number,
                       long organization_id) override;
  long QueryableVoucherCount(int receipt_type) override;

 private:
  host::LoginContext& login_;
  host::clsBusinessPub& business_;
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
  void SaveSetting(std::string_view section, std::string_view key,
                   std::string_view value) override;

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

class EmbeddedCard : public host::clsCard {
 public:
  std::string ObjectName() const override { return "clsCard"; }
  host::HostObject* CardObject() override { return &card_object_; }

 private:
  NamedHostObject<host::HostObject> card_object_{"Card"};
};

}  // namespace lumvoucher::embedded
