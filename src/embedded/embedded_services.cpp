#include "embedded/embedded_services.h"

#include "frame/sql_text.h"
#include "host/read_scope.h"

namespace lumvoucher::embedded {

namespace {
std::string N(long value) {
  return std::to_string(value);
}
}  // namespace

std::string EmbeddedBusinessPub::VoucherNumber(int year, int period, long voucher_type_id,
                                               std::string_view text1, std::string_view text2,
                                               long lowest, long highest) {
  const std::string scope = " Where intYear = " + N(year) + " And bytPeriod = " + N(period) +
                            " And lngVoucherTypeID = " + N(voucher_type_id) +
                            " And lngSourceOrganizationID = " + N(login_.CurrentOrganization().id);
  long next = 0;
  if (login_.SettingValue(0, "帐套属性", "凭证断号重用", "False") == "True") {
    host::Recordset used = login_.Data().OpenRecordset("Select intVoucherNo From VoucherView" +
                                                       scope + " Order By intVoucherNo");
    next = lowest < 1 ? 1 : lowest;
    for (; !used.Eof(); used.MoveNext()) {
      long n = static_cast<long>(used["intVoucherNo"].AsLong());
      if (n == next) ++next;
      if (n > next) break;
    }
  } else {
    host::Recordset rs = login_.Data().OpenRecordset(
        "Select Max(intVoucherNo) As intVoucherNo From VoucherView" + scope);
    next = (rs.Empty() ? 0 : static_cast<long>(rs["intVoucherNo"].AsLong())) + 1;
    if (next < lowest) next = lowest;
  }
  if (highest > 0 && next > highest) return std::string();
  return std::to_string(next);
}

namespace {
// The vouchers of either basis that hold the number, but for the voucher itself and its partner.
std::string NumberHolders(long voucher_type_id, long number, long own_voucher_id,
                          long source_organization_id, int year, int period,
                          long partner_voucher_id) {
  std::string sql =
      " From VoucherView Where intYear = " + N(year) + " And bytPeriod = " + N(period) +
      " And lngVoucherTypeID = " + N(voucher_type_id) + " And intVoucherNo = " + N(number) +
      " And lngSourceOrganizationID = " + N(source_organization_id) + " And lngVoucherID <> " +
      N(own_voucher_id);
  if (partner_voucher_id != 0) sql += " And lngVoucherID <> " + N(partner_voucher_id);
  return sql;
}
}  // namespace

bool EmbeddedBusinessPub::NumberTaken(long voucher_type_id, int, long number, long own_voucher_id,
                                      long source_organization_id, int year, int period,
                                      long partner_voucher_id) {
  std::string sql = "Select Count(*) As n" + NumberHolders(voucher_type_id, number, own_voucher_id,
                                                           source_organization_id, year, period,
                                                           partner_voucher_id);
  // Only inside a transaction, whose BEGIN IMMEDIATE has read every other writer's commit: a
  // connection outside one sees another's commit only when it next reads.
  auto* file = dynamic_cast<SqliteDataAccess*>(&login_.Data());
  if (file != nullptr && file->TransactionDepth() > 0 && last_number_check_ &&
      last_number_check_->sql == sql && last_number_check_->read.file != 0 &&
      last_number_check_->read == file->CurrentRowsVersion()) {
    return last_number_check_->taken;
  }
  const bool taken = login_.Data().OpenRecordset(sql)["n"].AsLong() > 0;
  if (file != nullptr)
    last_number_check_ = NumberCheck{std::move(sql), taken, file->CurrentRowsVersion()};
  return taken;
}

bool EmbeddedBusinessPub::NumberTakenInTransaction(long voucher_type_id, int receipt_type,
                                                   long number, long own_voucher_id,
                                                   long source_organization_id, int year,
                                                   int period, long partner_voucher_id) {
  host::DataAccess& data = login_.Data();
  if (!data.DefersStatements()) {
    return NumberTaken(voucher_type_id, receipt_type, number, own_voucher_id,
                       source_organization_id, year, period, partner_voucher_id);
  }
  data.ExecuteDeferred("Insert Into VoucherNumberGuard (lngVoucherID) Select lngVoucherID" +
                       NumberHolders(voucher_type_id, number, own_voucher_id,
                                     source_organization_id, year, period, partner_voucher_id));
  return false;
}

bool EmbeddedBusinessPub::IsAdministrator() {
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select blnIsAdmin From Operator Where lngOperatorID = " + N(login_.CurrentOperator().id));
  return !rs.Empty() && rs["blnIsAdmin"].AsBool();
}

bool EmbeddedBusinessPub::HasRight(long right_id) {
  if (IsAdministrator()) return true;
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select Count(*) As n From OperatorRight Where lngOperatorID = " +
      N(login_.CurrentOperator().id) + " And lngRightID = " + N(right_id) +
      " And lngOrganizationID In (0, " + N(login_.CurrentOrganization().id) + ")");
  return rs["n"].AsLong() > 0;
}

host::ReceiptTypeRights EmbeddedBusinessPub::Rights(int receipt_type) {
  host::ReceiptTypeRights rights;
  if (receipt_type != host::kReceiptTypeVoucher) {
    rights.may_make = false;
    rights.query_scope = host::QueryScope::kNone;
    return rights;
  }
  host::Recordset org = login_.Data().OpenRecordset(
      "Select blnIsAccountSet From Organization Where lngOrganizationID = " +
      N(login_.CurrentOrganization().id));
  rights.organization_in_account_set = !org.Empty() && org["blnIsAccountSet"].AsBool();
  rights.query_scope = login_.SettingValue(0, "凭证权限控制", "凭证列表", "0") == "1"
                           ? host::QueryScope::kGroup
                           : host::QueryScope::kSystem;
  host::Recordset own = login_.Data().OpenRecordset(
      "Select lngVoucherTypeID, blnMake, blnQuery From OperatorVoucherType Where lngOperatorID = " +
      N(login_.CurrentOperator().id) + " Order By lngVoucherTypeID");
  if (own.Empty() || IsAdministrator()) {
    host::Recordset all = login_.Data().OpenRecordset(
        "Select lngVoucherTypeID From VoucherType Order By lngVoucherTypeID");
    for (; !all.Eof(); all.MoveNext()) {
      rights.make_type_ids.push_back(static_cast<long>(all["lngVoucherTypeID"].AsLong()));
    }
    rights.query_type_ids = rights.make_type_ids;
    return rights;
  }
  for (; !own.Eof(); own.MoveNext()) {
    long id = static_cast<long>(own["lngVoucherTypeID"].AsLong());
    if (own["blnMake"].AsBool()) rights.make_type_ids.push_back(id);
    if (own["blnQuery"].AsBool()) rights.query_type_ids.push_back(id);
  }
  rights.may_make = !rights.make_type_ids.empty();
  if (rights.query_type_ids.empty()) rights.query_scope = host::QueryScope::kNone;
  return rights;
}

void EmbeddedBusinessPub::VoucherNumberUsed(int year, int period, int receipt_type,
                                            long voucher_type_id, long number, long) {
  const std::string scope = " Where lngOrganizationID = " + N(login_.CurrentOrganization().id) +
                            " And intYear = " + N(year) + " And bytPeriod = " + N(period) +
                            " And lngReceiptTypeID = " + N(receipt_type) +
                            " And strReceiptNo = " + frame::SqlText(N(voucher_type_id));
  host::DataAccess& data = login_.Data();
  const std::string raise = "Update ReceiptMaxNo Set lngReceiptNo = " + N(number) + scope +
                            " And lngReceiptNo < " + N(number);
  // On a server inside the save's transaction both statements go with its next round trip: no
  // savepoint, no count to wait for. Here the count comes with the raise, mostly all a save needs.
  const bool deferred = data.DefersStatements();
  if (deferred) {
    data.ExecuteDeferred(raise);
  } else if (data.Execute(raise) > 0) {
    return;
  }
  // The row added when the period has none; the save's writer lock keeps another desktop from
  // adding it in between.
  const std::string add =
      "Insert Into ReceiptMaxNo (lngOrganizationID, intYear, bytPeriod, lngReceiptTypeID, "
      "strReceiptNo, lngReceiptNo) Select " +
      N(login_.CurrentOrganization().id) + ", " + N(year) + ", " + N(period) + ", " +
      N(receipt_type) + ", " + frame::SqlText(N(voucher_type_id)) + ", " + N(number) +
      " From dual Where Not Exists (Select 1 From ReceiptMaxNo" + scope + ")";
  if (deferred) {
    data.ExecuteDeferred(add);
  } else {
    data.Execute(add);
  }
}

void EmbeddedBusinessPub::RefreshReceiptMaxNo(long organization_id, int year, int period,
                                              int receipt_type, long voucher_type_id) {
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select nvl(Max(intVoucherNo),0) As n From VoucherView Where intYear = " + N(year) +
      " And bytPeriod = " + N(period) + " And lngVoucherTypeID = " + N(voucher_type_id) +
      " And lngSourceOrganizationID = " + N(organization_id));
  const long highest = static_cast<long>(rs["n"].AsLong());
  const std::string scope = " Where lngOrganizationID = " + N(organization_id) +
                            " And intYear = " + N(year) + " And bytPeriod = " + N(period) +
                            " And lngReceiptTypeID = " + N(receipt_type) +
                            " And strReceiptNo = " + frame::SqlText(N(voucher_type_id));
  if (login_.Data().Execute("Update ReceiptMaxNo Set lngReceiptNo = " + N(highest) + scope) > 0 ||
      highest == 0) {
    return;
  }
  login_.Data().Execute(
      "Insert Into ReceiptMaxNo (lngOrganizationID, intYear, bytPeriod, lngReceiptTypeID, "
      "strReceiptNo, lngReceiptNo) Values (" +
      N(organization_id) + ", " + N(year) + ", " + N(period) + ", " + N(receipt_type) + ", " +
      frame::SqlText(N(voucher_type_id)) + ", " + N(highest) + ")");
}

bool EmbeddedBusinessPub::Option(std::string_view key, std::string_view fallback) {
  return login_.SettingValue(0, "帐套属性", key, fallback) == "True";
}

bool EmbeddedBusinessPub::GroupSetUp() {
  return Option("集团账套", "False");
}

bool EmbeddedBusinessPub::AutoRenumber() {
  return Option("凭证号重复自动取号", "True");
}

bool EmbeddedBusinessPub::CostPeriodClosed(int year, int period) {
  host::Recordset rs = host::OpenRemembered(
      login_.Data(), "Select bytStatus, intYear, bytPeriod From MODULE Where lngOrganizationId = " +
                         N(login_.CurrentOrganization().id) +
                         " And lngModuleID = " + N(kCostModule));
  if (rs.Empty() || rs["bytStatus"].AsLong() == 0) return false;
  long at = rs["intYear"].AsLong() * 100 + rs["bytPeriod"].AsLong();
  return static_cast<long>(year) * 100 + period < at;
}

bool EmbeddedBusinessPub::CashBankOnly(long voucher_source_id) {
  return voucher_source_id != kCashBankSource && Option("仅现金银行模块生成现金银行凭证", "False");
}

bool EmbeddedBusinessPub::CostDifferenceAllowed() {
  return Option("成本归集差额允许保存", "False");
}

bool EmbeddedBusinessPub::SameOrganizationCheck() {
  return Option("借贷方科目机构相同提示", "False");
}

host::AssetSourceChange EmbeddedBusinessPub::AssetSourceChanged(long voucher_id,
                                                                long voucher_source_id) {
  return asset_check_ ? asset_check_(voucher_id, voucher_source_id)
                      : host::AssetSourceChange::kNone;
}

long EmbeddedAccount::VoucherByNumber(int receipt_type, int year, int period, long voucher_type_id,
                                      long number, long organization_id) {
  if (receipt_type != host::kReceiptTypeVoucher) return 0;
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select lngVoucherID From VoucherView Where intYear = " + N(year) +
      " And bytPeriod = " + N(period) + " And lngVoucherTypeID = " + N(voucher_type_id) +
      " And intVoucherNo = " + N(number) + " And lngSourceOrganizationID = " + N(organization_id));
  return rs.Empty() ? 0 : static_cast<long>(rs["lngVoucherID"].AsLong());
}

long EmbeddedAccount::QueryableVoucherCount(int receipt_type) {
  host::ReceiptTypeRights rights = business_.Rights(receipt_type);
  if (rights.query_type_ids.empty() || rights.query_scope == host::QueryScope::kNone) return 0;
  std::string ids;
  for (long id : rights.query_type_ids) ids += (ids.empty() ? "" : ",") + N(id);
  std::string sql = "Select Count(*) As n From VoucherView Where lngVoucherTypeID In (" + ids + ")";
  if (rights.query_scope == host::QueryScope::kGroup) {
    sql +=
        " And lngOperatorID In (Select o.lngOperatorID From Operator o, Operator me Where "
        "o.lngOperatorGroupID = me.lngOperatorGroupID And me.lngOperatorID = " +
        N(login_.CurrentOperator().id) + ")";
  }
  host::Recordset rs = login_.Data().OpenRecordset(sql);
  return static_cast<long>(rs["n"].AsLong());
}

namespace {

// Where each reference list lives: table, key, code and name columns, and the columns that
// answer "leaf" and "parent" (empty when the table has none).
struct ItemTable {
  int kind;
  const char* table;
  const char* key;
  const char* code;
  const char* name;
  const char* leaf;
  const char* parent;
  const char* rights_key;    // Setting 权限控制 key
  const char* rights_table;  // Operator... table
  const char* rights_column;
};

constexpr ItemTable kItemTables[] = {
    {host::item_kind::kUnit, "Customer", "lngCustomerID", "strCustomerCode", "strCustomerName",
     "blnIsDetail", "", "单位", "OperatorCustomer", "lngCustomerID"},
    {host::item_kind::kDepartment, "Department", "lngDepartmentID", "strDepartmentCode",
     "strDepartmentName", "blnIsDetail", "lngParentID", "部门", "OperatorDepartment",
     "lngDepartmentID"},
    {host::item_kind::kEmployee, "Employee", "lngEmployeeID", "strEmployeeCode", "strEmployeeName",
     "", "", "职员", "OperatorEmployee", "lngEmployeeID"},
    {host::item_kind::kClass1, "Class1", "lngClassID", "strClassCode", "strClassName",
     "blnIsDetail", "lngParentID", "统计", "OperatorClass1", "lngClassID"},
    {host::item_kind::kClass2, "Class2", "lngClassID", "strClassCode", "strClassName",
     "blnIsDetail", "lngParentID", "项目", "OperatorClass2", "lngClassID"},
    {host::item_kind::kPaymentMethod, "PaymentMethod", "lngPaymentMethodID", "strPaymentMethodCode",
     "strPaymentMethodName", "", "", "", "", ""},
    {host::item_kind::kCurrency, "Currencys", "lngCurrencyID", "strCurrencyCode", "strCurrencyName",
     "", "", "", "", ""},
    {host::item_kind::kOrganization, "Organization", "lngOrganizationID", "strOrganizationCode",
     "strOrganizationName", "blnIsDetail", "lngParentID", "机构", "OperatorOrganization",
     "lngOrganizationID"},
};

const ItemTable* TableOf(int kind) {
  for (const ItemTable& t : kItemTables) {
    if (t.kind == kind) return &t;
  }
  return nullptr;
}

const char* AllColumnOf(int kind) {
  switch (kind) {
    case host::item_kind::kUnit:
      return "blnAllCustomer";
    case host::item_kind::kDepartment:
      return "blnAllDepartment";
    case host::item_kind::kEmployee:
      return "blnAllEmployee";
    case host::item_kind::kClass1:
      return "blnAllClass1";
    case host::item_kind::kClass2:
      return "blnAllClass2";
    default:
      return nullptr;
  }
}

}  // namespace

EmbeddedAccount::EmbeddedAccount(host::LoginContext& login, host::clsBusinessPub& business)
    : login_(login), business_(business), basis_(host::FinancialBasis()), handlers_(*this) {}

EmbeddedAccount::EmbeddedAccount(EmbeddedAccount& handlers, const host::VoucherBasis& basis)
    : login_(handlers.login_), business_(handlers.business_), basis_(basis), handlers_(handlers) {}

EmbeddedAccount::~EmbeddedAccount() = default;

host::clsAccount& EmbeddedAccount::ChartOf(const host::VoucherBasis& basis) {
  if (&handlers_ != this) return handlers_.ChartOf(basis);
  if (!basis.IsBudget()) return *this;
  if (!budget_chart_) budget_chart_.reset(new EmbeddedAccount(*this, basis));
  return *budget_chart_;
}

std::optional<host::AccountInfo> EmbeddedAccount::FindAccount(const std::string& condition) {
  // Only the columns read below: a save looks accounts up several times per line, and every
  // column of a result costs its name and value.
  static constexpr const char* kColumns =
      "Select lngAccountID, strAccountCode, strAccountName, blnIsInActive, blnIsDetail, "
      "intDirection, lngAccountNatureID, blnIsCurrency, lngCurrencyID, blnIsQuantity, strUnit, "
      "blnIsCustomer, blnIsDepartment, blnIsEmployee, blnIsClass1, blnIsClass2, "
      "blnIsOrganization, blnIsValidate";
  // The organisation's own copy first, then the shared row: one statement, since a save looks
  // up each of its accounts twice.
  const std::string own = " From " + AccountTable() +
                          "Ex Where lngOrganizationID = " + N(login_.CurrentOrganization().id) +
                          " And " + condition;
  host::Recordset rs =
      host::OpenRemembered(login_.Data(), std::string(kColumns) + own + " Union All " + kColumns +
                                              " From " + AccountTable() + " Where " + condition +
                                              " And Not Exists (Select 1" + own + ")");
  if (rs.Empty()) return std::nullopt;
  // By position, in kColumns' order: a look-up by name compares it with the columns' names one
  // by one: eighteen of them per look-up were 6% of the instructions of a save.
  host::AccountInfo a;
  a.id = static_cast<long>(rs[0].AsLong());
  a.code = rs[1].AsText();
  a.name = rs[2].AsText();
  a.active = !rs[3].AsBool();
  a.detail = rs[4].AsBool();
  a.direction = rs[5].AsLong() == -1 ? -1 : 1;
  a.nature = static_cast<int>(rs[6].AsLong());
  a.currency = rs[7].AsBool();
  a.currency_id = static_cast<long>(rs[8].AsLong());
  a.quantity = rs[9].AsBool();
  a.measure_unit = rs[10].AsText();
  if (a.measure_unit == " ") a.measure_unit.clear();
  a.unit = rs[11].AsBool();
  a.department = rs[12].AsBool();
  a.employee = rs[13].AsBool();
  a.class1 = rs[14].AsBool();
  a.class2 = rs[15].AsBool();
  a.organization = rs[16].AsBool();
  a.host_validated = rs[17].AsBool();
  return a;
}

std::optional<host::AccountInfo> EmbeddedAccount::AccountByCode(std::string_view code) {
  return FindAccount("strAccountCode = " + frame::SqlText(code));
}

std::optional<host::AccountInfo> EmbeddedAccount::AccountById(long account_id) {
  return FindAccount("lngAccountID = " + N(account_id));
}

bool EmbeddedAccount::IsAdministrator() {
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select blnIsAdmin From Operator Where lngOperatorID = " + N(login_.CurrentOperator().id));
  return !rs.Empty() && rs["blnIsAdmin"].AsBool();
}

bool EmbeddedAccount::RightsControlled(std::string_view key) {
  return login_.SettingValue(0, "权限控制", key, "False") == "True" && !IsAdministrator();
}

bool EmbeddedAccount::MayUseAccount(std::string_view account_code) {
  if (!RightsControlled("科目")) return true;
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select Count(*) As n From OperatorAccount oa, " + AccountTable() +
      " a Where oa.lngAccountID = a.lngAccountID And a.strAccountCode = " +
      frame::SqlText(account_code) + " And oa.lngOperatorID = " + N(login_.CurrentOperator().id) +
      " And oa.lngOrganizationID = " + N(login_.CurrentOrganization().id));
  return rs["n"].AsLong() > 0;
}

std::string EmbeddedAccount::AuthorizedAccountList() {
  if (!RightsControlled("科目")) return std::string();
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select lngAccountID From OperatorAccount Where lngOperatorID = " +
      N(login_.CurrentOperator().id) +
      " And lngOrganizationID = " + N(login_.CurrentOrganization().id) + " Order By lngAccountID");
  std::string list;
  for (; !rs.Eof(); rs.MoveNext()) list += (list.empty() ? "" : ",") + rs["lngAccountID"].AsText();
  return "(" + (list.empty() ? std::string("0") : list) + ")";
}

bool EmbeddedAccount::MayUseItem(int kind, long item_id) {
  const ItemTable* t = TableOf(kind);
  if (t == nullptr || *t->rights_key == '\0' || !RightsControlled(t->rights_key)) return true;
  host::Recordset rs = login_.Data().OpenRecordset(
      std::string("Select Count(*) As n From ") + t->rights_table + " Where " + t->rights_column +
      " = " + N(item_id) + " And lngOperatorID = " + N(login_.CurrentOperator().id) +
      " And lngOrganizationID = " + N(login_.CurrentOrganization().id));
  return rs["n"].AsLong() > 0;
}

bool EmbeddedAccount::AccountAcceptsAllItems(long account_id, int kind) {
  const char* column = AllColumnOf(kind);
  if (column == nullptr) return true;
  host::Recordset rs =
      login_.Data().OpenRecordset(std::string("Select ") + column + " As blnAll From " +
                                  AccountTable() + " Where lngAccountID = " + N(account_id));
  return rs.Empty() || rs["blnAll"].AsBool();
}

bool EmbeddedAccount::ItemAssignedToAccount(long account_id, int kind, long item_id) {
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select Count(*) As n From AccountItemAssign Where lngAccountID = " + N(account_id) +
      " And intItemKind = " + N(kind) + " And lngItemID = " + N(item_id));
  return rs["n"].AsLong() > 0;
}

bool EmbeddedAccount::ItemIsLeaf(int kind, long item_id) {
  std::optional<host::ItemInfo> item = ItemById(kind, item_id);
  return !item || item->leaf;
}

bool EmbeddedAccount::CurrencyValidForAccount(long account_id, long currency_id) {
  host::Recordset currency = login_.Data().OpenRecordset(
      "Select blnIsLocal, blnIsInActive From Currencys Where lngCurrencyID = " + N(currency_id));
  if (currency.Empty() || currency["blnIsInActive"].AsBool()) return false;
  if (currency["blnIsLocal"].AsBool()) return true;
  std::optional<host::AccountInfo> account = AccountById(account_id);
  return account && account->currency &&
         (account->currency_id == 0 || account->currency_id == currency_id);
}

std::string EmbeddedAccount::ValidateField(long account_id, std::string_view field_text) {
  return handlers_.validator_ ? handlers_.validator_(account_id, field_text) : std::string();
}

std::optional<host::ItemInfo> EmbeddedAccount::FindItem(int kind, const std::string& condition) {
  const ItemTable* t = TableOf(kind);
  if (t == nullptr) return std::nullopt;
  std::string sql = std::string("Select ") + t->key + " As lngID, " + t->code + " As strCode, " +
                    t->name + " As strName, blnIsInActive";
  if (*t->leaf != '\0') sql += std::string(", ") + t->leaf + " As blnLeaf";
  if (*t->parent != '\0') sql += std::string(", ") + t->parent + " As lngParent";
  if (kind == host::item_kind::kEmployee) sql += ", lngDepartmentID";
  if (kind == host::item_kind::kCurrency) sql += ", dblRate, bytCurrencyDec, bytRateDec";
  sql += std::string(" From ") + t->table + " Where " + condition;
  host::Recordset rs = login_.Data().OpenRecordset(sql);
  if (rs.Empty()) return std::nullopt;
  host::ItemInfo item;
  item.kind = kind;
  item.id = static_cast<long>(rs["lngID"].AsLong());
  item.code = rs["strCode"].AsText();
  item.name = rs["strName"].AsText();
  item.active = !rs["blnIsInActive"].AsBool();
  if (rs.HasField("blnLeaf")) item.leaf = rs["blnLeaf"].AsBool();
  if (rs.HasField("lngParent")) item.parent_id = static_cast<long>(rs["lngParent"].AsLong());
  if (rs.HasField("lngDepartmentID")) {
    item.department_id = static_cast<long>(rs["lngDepartmentID"].AsLong());
  }
  if (rs.HasField("dblRate")) {
    item.rate = rs["dblRate"].AsDouble();
    item.amount_decimals = static_cast<int>(rs["bytCurrencyDec"].AsLong());
    item.rate_decimals = static_cast<int>(rs["bytRateDec"].AsLong());
  }
  return item;
}

std::optional<host::ItemInfo> EmbeddedAccount::ItemByCode(int kind, std::string_view code) {
  const ItemTable* t = TableOf(kind);
  if (t == nullptr) return std::nullopt;
  return FindItem(kind, std::string(t->code) + " = " + frame::SqlText(code));
}

std::optional<host::ItemInfo> EmbeddedAccount::ItemById(int kind, long item_id) {
  const ItemTable* t = TableOf(kind);
  if (t == nullptr) return std::nullopt;
  return FindItem(kind, std::string(t->key) + " = " + N(item_id));
}

std::optional<host::ItemInfo> EmbeddedAccount::AddItem(int kind, std::string_view typed_text) {
  if (kind == host::item_kind::kAccount) return AddAccount(typed_text);
  return handlers_.add_item_ ? handlers_.add_item_(kind, typed_text) : std::nullopt;
}

void EmbeddedAccount::Tell(const char* text) {
  if (handlers_.messages_ != nullptr) {
    handlers_.messages_->Show(text, host::mb::kExclamation, kTitleAddAccount);
  }
}

std::optional<host::ItemInfo> EmbeddedAccount::AddAccount(std::string_view typed_text) {
  if (!business_.HasRight(kAddAccountRight)) {
    Tell(kNoAddAccountRight);
    return std::nullopt;
  }
  const AccountCardHandler& account_card = handlers_.account_card_;
  if (!account_card) return std::nullopt;
  // "6602-09 差旅" proposes code and name; a bare code proposes the code.
  const std::string typed(typed_text);
  const std::size_t blank = typed.find(' ');
  AccountCard card{typed.substr(0, blank),
                   blank == std::string::npos ? std::string() : typed.substr(blank + 1),
                   {}};
  for (;;) {
    const std::size_t dash = card.code.rfind('-');
    std::optional<host::AccountInfo> parent;
    if (dash != std::string::npos) parent = AccountByCode(card.code.substr(0, dash));
    card.parent = parent ? parent->code + " " + parent->name : std::string();
    std::optional<AccountCard> answer = account_card(card);
    if (!answer) return std::nullopt;
    card = *answer;
    const std::size_t at = card.code.rfind('-');
    parent = at == std::string::npos ? std::nullopt : AccountByCode(card.code.substr(0, at));
    if (!parent || !parent->active || at + 1 == card.code.size()) {
      Tell(kNoParentAccount);
    } else if (AccountByCode(card.code)) {
      Tell(kAccountCodeTaken);
    } else if (card.name.find_first_not_of(' ') == std::string::npos) {
      Tell(kAccountNameEmpty);
    } else {
      host::DataAccess& data = login_.Data();
      host::TransactionGuard guard(data);
      // Both charts draw from one counter: an account id names one account of either chart
      // wherever accounts are keyed by id (rights, item assignments).
      const long id = login_.NextId("ACCOUNT");
      const std::string table = AccountTable();
      // Every property of the parent; code, name, place in the tree and detail flag its own.
      data.Execute(
          "Insert Into " + table +
          " (lngAccountID, strAccountCode, strAccountName, strAccountFullName, "
          "lngParentID, intLevel, blnIsDetail, intDirection, lngAccountTypeID, "
          "lngAccountNatureID, blnIsInActive, blnIsCash, blnIsQuantity, strUnit, blnIsCurrency, "
          "lngCurrencyID, blnIsCustomer, blnIsDepartment, blnIsEmployee, blnIsClass1, "
          "blnIsClass2, blnIsOrganization, blnUseFlexibleCheck, blnAllCustomer, "
          "blnAllDepartment, blnAllEmployee, blnAllClass1, blnAllClass2, blnIsValidate, "
          "blnIsReference, bytmustbudgetvoucher) Select " +
          N(id) + ", " + frame::SqlText(card.code) + ", " + frame::SqlText(card.name) +
          ", nvl(strAccountFullName, strAccountName) || '-' || " + frame::SqlText(card.name) +
          ", lngAccountID, intLevel + 1, 1, intDirection, lngAccountTypeID, lngAccountNatureID, "
          "0, blnIsCash, blnIsQuantity, strUnit, blnIsCurrency, lngCurrencyID, blnIsCustomer, "
          "blnIsDepartment, blnIsEmployee, blnIsClass1, blnIsClass2, blnIsOrganization, "
          "blnUseFlexibleCheck, blnAllCustomer, blnAllDepartment, blnAllEmployee, blnAllClass1, "
          "blnAllClass2, blnIsValidate, blnIsReference, bytmustbudgetvoucher From " +
          table + " Where lngAccountID = " + N(parent->id));
      data.Execute("Update " + table +
                   " Set blnIsDetail = 0 Where lngAccountID = " + N(parent->id));
      guard.Commit();
      host::ItemInfo added;
      added.kind = host::item_kind::kAccount;
      added.id = id;
      added.code = card.code;
      added.name = card.name;
      return added;
    }
  }
}

void EmbeddedAccount::frmInitVoucherTypeCard_Show() {
  ++handlers_.type_card_calls_;
  if (handlers_.type_card_) handlers_.type_card_();
}

std::string TablePreferenceStore::GetSetting(std::string_view section, std::string_view key,
                                             std::string_view default_value) {
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select strValue From UserPreference Where lngOperatorID = " +
      N(login_.CurrentOperator().id) + " And strSection = " + frame::SqlText(section) +
      " And strKey = " + frame::SqlText(key));
  return rs.Empty() ? std::string(default_value) : rs["strValue"].AsText();
}

void TablePreferenceStore::SaveSetting(std::string_view section, std::string_view key,
                                       std::string_view value) {
  const std::string where = " Where lngOperatorID = " + N(login_.CurrentOperator().id) +
                            " And strSection = " + frame::SqlText(section) +
                            " And strKey = " + frame::SqlText(key);
  host::TransactionGuard guard(login_.Data());
  if (login_.Data().Execute("Update UserPreference Set strValue = " + frame::SqlText(value) +
                            where) == 0) {
    login_.Data().Execute(
        "Insert Into UserPreference (lngOperatorID, strSection, strKey, strValue) Values (" +
        N(login_.CurrentOperator().id) + ", " + frame::SqlText(section) + ", " +
        frame::SqlText(key) + ", " + frame::SqlText(value) + ")");
  }
  guard.Commit();
}

}  // namespace lumvoucher::embedded
