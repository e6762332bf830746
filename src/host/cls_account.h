#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/voucher_basis.h"

namespace lumvoucher::host {

// Kinds of auxiliary items as the host's item and rights services number them.
namespace item_kind {
inline constexpr int kUnit = 1;
inline constexpr int kDepartment = 2;
inline constexpr int kClass1 = 4;
inline constexpr int kClass2 = 17;
inline constexpr int kPaymentMethod = 31;
inline constexpr int kEmployee = 55;
// Reference lists that carry no rights number of their own.
inline constexpr int kAccount = 1001;
inline constexpr int kCurrency = 1002;
inline constexpr int kOrganization = 1003;
}  // namespace item_kind

// Account natures (lngAccountNatureID).
namespace account_nature {
inline constexpr int kCash = 1;
inline constexpr int kBank = 2;
inline constexpr int kReceivable = 3;
inline constexpr int kPayable = 4;
}  // namespace account_nature

// An account with the attributes the line rules consult, as the login organisation sees it
// (an organisation's own copy replaces the shared row).
struct AccountInfo {
  long id = 0;
  std::string code;
  std::string name;
  bool active = true;
  bool detail = true;
  int direction = 1;  // balance side: 1 debit, -1 credit
  int nature = 0;     // account_nature
  bool currency = false;
  long currency_id = 0;  // the account's currency when it has currency accounting (0 = any)
  bool quantity = false;
  std::string measure_unit;
  bool unit = false;
  bool department = false;
  bool employee = false;
  bool class1 = false;
  bool class2 = false;
  bool organization = false;
  bool host_validated = false;  // lines go through the host's field validator
};

// One entry of a reference list (unit, department, employee, class item, payment method,
// currency, organisation).
struct ItemInfo {
  int kind = 0;
  long id = 0;
  std::string code;
  std::string name;
  bool active = true;
  bool leaf = true;
  long parent_id = 0;
  long department_id = 0;   // employees: their department
  double rate = 0;          // currencies: the default exchange rate
  int amount_decimals = 2;  // currencies
  int rate_decimals = 4;    // currencies
};

// General-ledger account services of the host. The account services answer for one chart:
// this object for the financial chart (Account), ChartOf for the chart of a voucher basis.
class clsAccount {
 public:
  virtual ~clsAccount() = default;

  // The same services over the chart of `basis`: this object for the financial basis, the
  // budget chart (BudgetAccount, an organisation's copies in BudgetAccountEx) for the budget
  // basis. The reference-list items and the voucher look-ups are the same on either chart.
  virtual clsAccount& ChartOf(const VoucherBasis& basis) = 0;

  // The id of the stored voucher with this number, or 0.
  virtual long VoucherByNumber(int receipt_type, int year, int period, long voucher_type_id,
                               long number, long organization_id) = 0;
  // How many stored vouchers the current operator may see (0 = none).
  virtual long QueryableVoucherCount(int receipt_type) = 0;

  // Accounts by code and by id; nothing when there is no such account (inactive ones are
  // answered, with `active` false).
  virtual std::optional<AccountInfo> AccountByCode(std::string_view code) = 0;
  virtual std::optional<AccountInfo> AccountById(long account_id) = 0;
  // Whether the current operator may use the account code on vouchers.
  virtual bool MayUseAccount(std::string_view account_code) = 0;
  // The accounts the current operator may make vouchers on, as an Oracle IN list ("(3,5,9)");
  // "" when his accounts are not restricted.
  virtual std::string AuthorizedAccountList() = 0;
  // Whether the current operator may use an item (kind as in item_kind).
  virtual bool MayUseItem(int kind, long item_id) = 0;
  // Whether the account takes every item of the kind (else only the items assigned to it).
  virtual bool AccountAcceptsAllItems(long account_id, int kind) = 0;
  virtual bool ItemAssignedToAccount(long account_id, int kind, long item_id) = 0;
  // Whether the item is a leaf of its hierarchy (employees always are).
  virtual bool ItemIsLeaf(int kind, long item_id) = 0;
  virtual bool CurrencyValidForAccount(long account_id, long currency_id) = 0;
  // The field validator of accounts flagged for host-side validation: the message to show for
  // the line's field text, empty when the text is acceptable.
  virtual std::string ValidateField(long account_id, std::string_view field_text) = 0;

  // Reference-list items by code and by id; nothing when there is no such item.
  virtual std::optional<ItemInfo> ItemByCode(int kind, std::string_view code) = 0;
  virtual std::optional<ItemInfo> ItemById(int kind, long item_id) = 0;
  // Opens the reference list's card for a new item of the kind, prefilled with what the user
  // typed; answers the item the user created, nothing when he cancelled.
  virtual std::optional<ItemInfo> AddItem(int kind, std::string_view typed_text) = 0;
  // Opens the host's voucher-type card (frmInitVoucherTypeCard_Show) so that the user can
  // create or activate a voucher type.
  virtual void frmInitVoucherTypeCard_Show() = 0;
};

}  // namespace lumvoucher::host
