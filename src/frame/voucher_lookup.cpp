#include "frame/voucher_lookup.h"

#include <algorithm>

#include "frame/login_state.h"
#include "frame/sql_text.h"

namespace lumvoucher::frame {

namespace {

std::string FirstText(const std::string& sql) {
  host::Recordset rs = Data().OpenRecordset(sql);
  return rs.Empty() ? std::string() : rs[std::size_t{0}].AsText();
}

std::string CodeList(std::span<const long> ids, std::string (*lookup)(long)) {
  std::string list;
  for (long id : ids) {
    const std::string code = lookup(id);
    if (code.empty()) continue;
    if (!list.empty()) list += ", ";
    list += SqlText(code);
  }
  return list;
}

}  // namespace

int VoucherBasis(long voucher_id) {
  host::Recordset rs = Data().OpenRecordset(
      "Select lngVoucherBaseID From VoucherView where lngVoucherID=" + SqlNumber(voucher_id));
  if (rs.Empty()) return -1;
  return static_cast<int>(rs["lngVoucherBaseID"].AsLong());
}

VoucherTypePeriod GetVoucherTypePeriod(long voucher_id, int basis) {
  VoucherTypePeriod result;
  const char* table = basis == kFinancialBasis ? "voucher"
                      : basis == kBudgetBasis  ? "BudgetVoucher"
                                               : nullptr;
  if (table == nullptr) return result;
  host::Recordset rs =
      Data().OpenRecordset(std::string("select lngVoucherTypeID,intYear,bytPeriod from ") + table +
                           " where lngvoucherid=" + SqlNumber(voucher_id));
  if (rs.Empty()) return result;
  result.found = true;
  result.voucher_type_id = static_cast<long>(rs["lngVoucherTypeID"].AsLong());
  result.year = static_cast<int>(rs["intYear"].AsLong());
  result.period = static_cast<int>(rs["bytPeriod"].AsLong());
  return result;
}

bool IsPairedBudgetVoucher(long financial_voucher_id, long budget_voucher_id) {
  return !Data()
              .OpenRecordset("select lngVoucherID from BudgetVoucherRelevance where lngvoucherid=" +
                             SqlNumber(financial_voucher_id) +
                             " And lngBudgetVoucherID=" + SqlNumber(budget_voucher_id))
              .Empty();
}

std::string AccountCode(long account_id, const host::VoucherBasis& basis) {
  return FirstText(std::string("Select strAccountCode From ") + basis.account_table +
                   " Where lngAccountID=" + SqlNumber(account_id));
}

std::string Class2Code(long class_id) {
  return FirstText("Select strClassCode From Class2 Where lngClassID=" + SqlNumber(class_id));
}

std::string AccountCodeList(std::span<const long> account_ids) {
  return CodeList(account_ids, [](long id) { return AccountCode(id); });
}

std::string Class2CodeList(std::span<const long> class_ids) {
  return CodeList(class_ids, &Class2Code);
}

FlexibleItem FlexibleItemOf(std::string_view flexible_id) {
  host::Recordset rs = Data().OpenRecordset("SELECT * FROM FlexibleCheck WHERE strFlexibleID=" +
                                            SqlText(flexible_id));
  FlexibleItem item;
  if (rs.Empty()) return item;
  item.item_id = static_cast<long>(rs["lngItemID"].AsLong());
  item.field_id = static_cast<long>(rs["lngFieldID"].AsLong());
  return item;
}

std::vector<std::string> FlexibleTitles() {
  host::Recordset rs = Data().OpenRecordset("Select * From FlexibleTitle");
  std::vector<std::pair<long, std::string>> rows;
  const bool keyed = rs.HasField("lngFlexibleTitleID");
  for (; !rs.Eof(); rs.MoveNext()) {
    rows.emplace_back(keyed ? static_cast<long>(rs["lngFlexibleTitleID"].AsLong())
                            : static_cast<long>(rows.size()),
                      rs["strTitle"].AsText());
  }
  // The table has no order of its own; the title id is the item's position.
  std::stable_sort(rows.begin(), rows.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> titles;
  for (auto& row : rows) titles.push_back(std::move(row.second));
  return titles;
}

FlexibleItemUse FlexibleUseOf(long account_id) {
  FlexibleItemUse use;
  const std::string organization = SqlNumber(OrganizationId());
  host::Recordset org = Data().OpenRecordset(
      "Select * From FlexibleUseField Where lngOrganizationID=" + organization);
  if (!org.Empty()) {
    use.OrganizationUseItem = org["blnItemUse"].AsBool();
    use.OrganizationUseField = org["blnFieldUse"].AsBool();
    use.lngDefaultItemID = static_cast<long>(org["lngDefaultItemID"].AsLong());
    use.lngDefaultID = static_cast<long>(org["lngDefaultID"].AsLong());
  }
  host::Recordset account = Data().OpenRecordset(
      "Select * From FlexibleAccountUseField Where lngOrganizationID=" + organization +
      " And lngAccountID=" + SqlNumber(account_id));
  if (!account.Empty()) {
    use.AccountUseItem = account["blnItemUse"].AsBool();
    use.AccountUseField = account["blnFieldUse"].AsBool();
    if (account["lngDefaultItemID"].AsLong() != 0) {
      use.lngDefaultItemID = static_cast<long>(account["lngDefaultItemID"].AsLong());
    }
    if (account["lngDefaultID"].AsLong() != 0) {
      use.lngDefaultID = static_cast<long>(account["lngDefaultID"].AsLong());
    }
  }
  return use;
}

double SettledAmount(long voucher_id) {
  host::Recordset rs = Data().OpenRecordset(
      "Select nvl(sum(d.dblCurrPaymentAmount), 0) as dblCurrPaymentAmount FROM DaRAPDetail d "
      "Where d.lngDARAPDetailID in (select s.lngActivityDetailID from DARAPSettlement "
      "s,VOUCHERDETAIL vd Where s.lngVoucherDetailID = vd.lngVoucherDetailID and vd.lngVoucherID "
      "= " +
      SqlNumber(voucher_id) + ")");
  return rs.Empty() ? 0.0 : rs["dblCurrPaymentAmount"].AsDouble();
}

long HighestVoucherNo(int year, int period, long voucher_type_id, long source_organization_id) {
  host::Recordset rs = Data().OpenRecordset(
      "Select Max(v.intVoucherNo) As intVoucherNo From VoucherView V Where V.intYear = " +
      SqlNumber(year) + " And V.bytPeriod = " + SqlNumber(period) +
      " And V.lngVoucherTypeID = " + SqlNumber(voucher_type_id) +
      " And V.lngSourceOrganizationID = " + SqlNumber(source_organization_id));
  // Max over no rows is null, which reads as 0: the first voucher of a period gets number 1.
  return rs.Empty() ? 0 : static_cast<long>(rs["intVoucherNo"].AsLong());
}

}  // namespace lumvoucher::frame
