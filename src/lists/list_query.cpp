#include "lists/list_query.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "frame/id_list.h"
#include "frame/live_reversal.h"
#include "frame/sql_text.h"
#include "host/calendar_date.h"
#include "lists/list_texts.h"

namespace lumvoucher::lists {

namespace {

using frame::SqlNumber;

constexpr const char* kDateOrder = "To_Date(Voucher.strDate,'YYYY-MM-DD')";
constexpr const char* kNumberOrder =
    "VOUCHERTYPE.STRVOUCHERTYPECODE  ||  ' '  ||  LPAD(VOUCHER.INTVOUCHERNO,6,'0')";

constexpr std::array<RightsDimension, 7> kDimensions = {{
    {"科目", "OperatorAccount", "VoucherDetail.lngAccountID", "lngAccountID", true},
    {"单位", "OperatorCustomer", "VoucherDetail.lngCustomerID", "lngCustomerID", true},
    {"部门", "OperatorDepartment", "VoucherDetail.lngDepartmentID", "lngDepartmentID", true},
    {"职员", "OperatorEmployee", "VoucherDetail.lngEmployeeID", "lngEmployeeID", true},
    {"统计", "OperatorClass1", "VoucherDetail.lngClassID1", "lngClassID", true},
    {"项目", "OperatorClass2", "VoucherDetail.lngClassID2", "lngClassID", true},
    // The organisation is the item itself, so its rows carry no second organisation.
    {"机构", "OperatorOrganization", "VoucherDetail.lngOrganizationID", "lngOrganizationID", false},
}};

// A table the column expressions may name, with the terms that outer-join it; `after` is the
// alias its join refers to, which then has to be in the query too (it comes earlier in the list).
struct Joinable {
  std::string alias;
  std::string table;
  std::string terms;
  const char* after;
};

const std::vector<Joinable>& Joinables() {
  static const std::vector<Joinable> all = {
      {"Account", "Account", " And VoucherDetail.lngAccountID=Account.lngAccountID(+)", nullptr},
      {"Customer", "Customer", " And VoucherDetail.lngCustomerID=Customer.lngCustomerID(+)",
       nullptr},
      {"Department", "Department",
       " And VoucherDetail.lngDepartmentID=Department.lngDepartmentID(+)", nullptr},
      {"Employee", "Employee", " And VoucherDetail.lngEmployeeID=Employee.lngEmployeeID(+)",
       nullptr},
      {"Class1", "Class1", " And VoucherDetail.lngClassID1=Class1.lngClassID(+)", nullptr},
      {"Class2", "Class2", " And VoucherDetail.lngClassID2=Class2.lngClassID(+)", nullptr},
      {"Currencys", "Currencys", " And VoucherDetail.lngCurrencyID=Currencys.lngCurrencyID(+)",
       nullptr},
      {"PaymentMethod", "PaymentMethod",
       " And VoucherDetail.lngPaymentMethodID=PaymentMethod.lngPaymentMethodID(+)", nullptr},
      {"MakeOperator", "Operator MakeOperator",
       " And Voucher.lngOperatorID=MakeOperator.lngOperatorID(+)", nullptr},
      {"CheckOperator", "Operator CheckOperator",
       " And Voucher.lngCheckerID=CheckOperator.lngOperatorID(+)", nullptr},
      {"PostOperator", "Operator PostOperator",
       " And Voucher.lngPostID=PostOperator.lngOperatorID(+)", nullptr},
      {"TellerOperator", "Operator TellerOperator",
       " And Voucher.lngTellerID=TellerOperator.lngOperatorID(+)", nullptr},
      {"VoucherOrganization", "Organization VoucherOrganization",
       " And Voucher.lngSourceOrganizationID=VoucherOrganization.lngOrganizationID(+)", nullptr},
      {"SourceVoucher", "Voucher SourceVoucher",
       " And Voucher.lngSourceVoucherID=SourceVoucher.lngVoucherID(+)", nullptr},
      {"SourceVoucherType", "VoucherType SourceVoucherType",
       " And SourceVoucher.lngVoucherTypeID=SourceVoucherType.lngVoucherTypeID(+)",
       "SourceVoucher"},
      // The voucher that reverses this one: its live reversal, one per voucher (the latest,
      // should there be more), so that every line stays one row. The table is worded by
      // SourceToLinkTable.
      {"SourceToLink", std::string(), " And Voucher.lngVoucherID=SourceToLink.lngReversedID(+)",
       nullptr},
      {"SourceToVoucher", "Voucher SourceToVoucher",
       " And SourceToLink.lngVoucherID=SourceToVoucher.lngVoucherID(+)", "SourceToLink"},
      {"SourceToVoucherType", "VoucherType SourceToVoucherType",
       " And SourceToVoucher.lngVoucherTypeID=SourceToVoucherType.lngVoucherTypeID(+)",
       "SourceToVoucher"},
  };
  return all;
}

// The reversal columns over both bases come from VoucherCompare, matched on the basis as well
// as on the voucher; the reversing voucher is the live one of the same basis.
constexpr const char* kBothBasesSourceTables =
    " ,VoucherCompare SourceVoucher,VoucherTypeView SourceVoucherType,VoucherCompare "
    "SourceToVoucher, VoucherTypeView SourceToVoucherType ";

// `reversed` keeps the grouping to the listed vouchers, so that a chunk's query does not group
// every reversal of the account set.
std::string SourceToLinkTable(std::string_view reversed) {
  return "(Select lngSourceVoucherID As lngReversedID,Max(lngVoucherID) As lngVoucherID From "
         "Voucher Where " +
         frame::LiveReversalTerms("") + std::string(reversed) +
         " Group By lngSourceVoucherID) SourceToLink";
}

TableJoins BothBasesSourceJoins(std::string_view reversed) {
  return {std::string(kBothBasesSourceTables) +
              ",(Select lngSourceVoucherID As lngReversedID,lngVoucherBaseID,Max(lngVoucherID) As "
              "lngVoucherID From VoucherCompare Where " +
              frame::LiveReversalTerms("") + std::string(reversed) +
              " Group By lngSourceVoucherID,lngVoucherBaseID) SourceToLink",
          " And Voucher.lngSourceVoucherID=SourceVoucher.lngVoucherID(+)"
          " And voucher.lngVoucherBaseID=SourceVoucher.lngVoucherBaseID(+)"
          " And SourceVoucher.lngVoucherTypeID=SourceVoucherType.lngVoucherTypeID(+)"
          " And Voucher.lngVoucherID=SourceToLink.lngReversedID(+)"
          " And voucher.lngVoucherBaseID=SourceToLink.lngVoucherBaseID(+)"
          " And SourceToLink.lngVoucherID=SourceToVoucher.lngVoucherID(+)"
          " And voucher.lngVoucherBaseID=SourceToVoucher.lngVoucherBaseID(+)"
          " And SourceToVoucher.lngVoucherTypeID=SourceToVoucherType.lngVoucherTypeID(+)"};
}

bool IsSourceJoin(const Joinable& joinable) {
  return joinable.alias.rfind("Source", 0) == 0;
}

bool IsNamePart(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Whether `text` names `alias` + "." as a whole name, in any case.
bool NamesAlias(std::string_view text, std::string_view alias) {
  const std::size_t n = alias.size();
  for (std::size_t i = 0; i + n < text.size(); ++i) {
    if (text[i + n] != '.') continue;
    if (i > 0 && IsNamePart(text[i - 1])) continue;
    bool same = true;
    for (std::size_t k = 0; k < n && same; ++k) same = Lower(text[i + k]) == Lower(alias[k]);
    if (same) return true;
  }
  return false;
}

// The row key of a count row: above every key the table holds, one voucher a row. A sequence
// draw per row cost as much as the count itself; the fill runs in one write transaction, so the
// highest key cannot move under it.
std::string RowKey(const std::string& table) {
  return "(Select nvl(Max(lng" + table + "ID),0) From " + table + ")+c.lngVoucherID";
}

// The permission factors of a line, with the permission tables they need and their joins.
struct Permissions {
  std::string factors = "1";
  std::string tables;
  std::string joins;
};

Permissions PermissionsOf(std::span<const RightsDimension* const> dimensions, long operator_id,
                          long organization_id) {
  Permissions p;
  for (const RightsDimension* d : dimensions) {
    p.factors += PermissionFactor(*d);
    p.tables += std::string(",") + d->table;
    p.joins += PermissionJoin(*d, operator_id, organization_id);
  }
  return p;
}

// One row per voucher of `scope` with lines. Grouped in the order of the voucher index on
// organisation and date, which the scope's conditions walk: SQLite then needs no sorter, and the
// groups are still one voucher each.
std::string CountsText(const std::string& aggregates, const std::string& tables,
                       const std::string& joins, std::string_view from, const std::string& scope) {
  return "Select Voucher.lngVoucherID," + aggregates + " From " + std::string(from) + tables +
         " Where Voucher.lngVoucherID=VoucherDetail.lngVoucherID" + scope + joins +
         " Group By Voucher.lngSourceOrganizationID,Voucher.strDate,Voucher.lngVoucherID";
}

std::string NotYetCounted(std::string_view table, long key) {
  return " And Voucher.lngVoucherID Not In (Select lngVoucherID From " + std::string(table) +
         " Where lngOperatorID=" + SqlNumber(key) + ")";
}

std::string CountInsert(std::string_view table, long key, const std::string& counts) {
  const std::string t(table);
  return "Insert Into " + t + " (lng" + t + "ID,lngVoucherID,lngDetailNum,lngOperatorID) Select " +
         RowKey(t) + ",c.lngVoucherID,c.lngDetailNum," + SqlNumber(key) + " From (" + counts +
         ") c";
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

}  // namespace

bool SortKeyOfCaption(std::string_view caption, SortKey& key) {
  if (caption == texts::kDateCaption) {
    key = SortKey::kDate;
  } else if (caption == texts::kNumberCaption) {
    key = SortKey::kNumber;
  } else if (caption == texts::kVolumeCaption) {
    key = SortKey::kVolume;
  } else {
    return false;
  }
  return true;
}

const char* CaptionOfSortKey(SortKey key) {
  switch (key) {
    case SortKey::kNumber:
      return texts::kNumberCaption;
    case SortKey::kVolume:
      return texts::kVolumeCaption;
    case SortKey::kDate:
      break;
  }
  return texts::kDateCaption;
}

std::string OrganizationScope(long organization_id, std::string_view column) {
  return std::string(
             " AND EXISTS (SELECT 'x' FROM ORGANIZATION,(SELECT strOrganizationCode AS strCode "
             "FROM ORGANIZATION WHERE lngOrganizationID = ") +
         SqlNumber(organization_id) + ") OrgCond " +
         " WHERE (ORGANIZATION.Strorganizationcode = OrgCond.strCode OR "
         "ORGANIZATION.Strorganizationcode LIKE OrgCond.strCode || '-%')" +
         " AND ORGANIZATION.lngOrganizationID = " + std::string(column) + ")";
}

std::string MakerRestriction(std::span<const long> operator_ids) {
  if (operator_ids.empty()) return std::string();
  if (operator_ids.size() == 1) return " And Voucher.lngOperatorID=" + SqlNumber(operator_ids[0]);
  std::vector<std::int64_t> ids(operator_ids.begin(), operator_ids.end());
  return " And " + frame::InCondition("Voucher.lngOperatorID", std::span<const std::int64_t>(ids),
                                      frame::kIdChunkSize, "IN");
}

std::string BasisCondition(int basis) {
  if (basis == 0) return std::string();
  return " And Voucher.lngVoucherBaseID=" + SqlNumber(basis);
}

std::string DateRange(std::string_view from, std::string_view to) {
  return " and Voucher.strDate>= " + frame::SqlText(from) +
         " And Voucher.strDate<=" + frame::SqlText(to);
}

std::string FilterClause(std::string_view condition) {
  bool blank = true;
  for (char c : condition) blank = blank && std::isspace(static_cast<unsigned char>(c)) != 0;
  if (blank) return std::string();
  return " And (" + std::string(condition) + ")";
}

std::string QuickFindCondition(std::string_view expression, std::string_view typed) {
  if (typed.empty()) return std::string();
  std::string pattern(typed);
  for (char& c : pattern) {
    if (c == '*') c = '%';
    if (c == '?') c = '_';
  }
  return " And " + std::string(expression) + " Like " + frame::SqlText(pattern);
}

std::span<const RightsDimension> RightsDimensions() {
  return kDimensions;
}

std::string PermissionFactor(const RightsDimension& d) {
  return std::string("* Decode(nvl(") + d.line_column + ",0),0,1, Decode(nvl(" + d.table +
         ".lngOperatorID,0),0,0,1))";
}

std::string PermissionJoin(const RightsDimension& d, long operator_id, long organization_id) {
  std::string join = std::string(" And ") + d.line_column + "=" + d.table + "." + d.item_column +
                     "(+) And " + d.table + ".lngOperatorID(+)=" + SqlNumber(operator_id);
  if (d.per_organization) {
    join += std::string(" And ") + d.table + ".lngOrganizationID(+)=" + SqlNumber(organization_id);
  }
  return join;
}

std::string RightsCondition(std::span<const RightsDimension* const> dimensions, long operator_id,
                            long organization_id) {
  const Permissions p = PermissionsOf(dimensions, operator_id, organization_id);
  // The lines here are the voucher's own: VoucherDetail names the inner table.
  return " And Not Exists (Select 'x' From VoucherDetail" + p.tables +
         " Where VoucherDetail.lngVoucherID=Voucher.lngVoucherID" + p.joins + " And " + p.factors +
         "=0)";
}

std::string SortClause(SortOrder order, bool with_basis) {
  return VoucherSortClause(order, with_basis) + ",VoucherDetail.lngRowID";
}

std::string VoucherSortClause(SortOrder order, bool with_basis) {
  const char* dir = order.descending ? "Desc" : "Asc";
  const std::string date = std::string(kDateOrder) + "  ";
  const std::string number = std::string(kNumberOrder) + " ";
  std::string clause;
  switch (order.key) {
    case SortKey::kDate:
      clause = " ORDER BY " + date + dir + " ," + number + dir;
      break;
    case SortKey::kNumber:
      // Equal numbers stay in date order whichever way the numbers run.
      clause = " ORDER BY " + number + dir + " ," + date + "Asc";
      break;
    case SortKey::kVolume:
      // Volumes stay in binding order; within a volume the vouchers follow the direction.
      clause = " ORDER BY  VOUCHER.strVolume, " + date + dir + " ," + number + dir;
      break;
  }
  clause += with_basis ? ",Voucher.lngVoucherBaseID,Voucher.lngVoucherID" : ",Voucher.lngVoucherID";
  return clause;
}

bool UsesBudgetCarryForward(std::string_view code) {
  return code == "2" || code == "3" || code == "4" || code == "14" || code == "15" || code == "16";
}

std::string SwapCarryForward(std::string_view text, std::string_view code) {
  std::string swapped(text);
  if (UsesBudgetCarryForward(code)) {
    ReplaceAll(swapped, texts::kCarryForwardProfit, texts::kCarryForwardBudget);
  } else {
    ReplaceAll(swapped, texts::kCarryForwardBudget, texts::kCarryForwardProfit);
  }
  return swapped;
}

TableJoins ReferenceTables(std::string_view text, bool both_bases, std::string_view reversed) {
  const std::vector<Joinable>& joinables = Joinables();
  std::vector<bool> used(joinables.size());
  for (std::size_t i = 0; i < joinables.size(); ++i) used[i] = NamesAlias(text, joinables[i].alias);
  // From the last to the first, so that a chain of joins is followed to its start.
  for (std::size_t i = joinables.size(); i-- > 0;) {
    if (!used[i] || joinables[i].after == nullptr) continue;
    for (std::size_t k = 0; k < i; ++k) {
      if (joinables[k].alias == joinables[i].after) used[k] = true;
    }
  }
  TableJoins joins;
  bool sources = false;
  for (std::size_t i = 0; i < joinables.size(); ++i) {
    if (!used[i]) continue;
    if (both_bases && IsSourceJoin(joinables[i])) {
      sources = true;
      continue;
    }
    joins.tables += "," + (joinables[i].alias == "SourceToLink" ? SourceToLinkTable(reversed)
                                                                : joinables[i].table);
    joins.terms += joinables[i].terms;
  }
  if (sources) {
    const TableJoins source = BothBasesSourceJoins(reversed);
    joins.tables += source.tables;
    joins.terms += source.terms;
  }
  return joins;
}

std::string VouchersMatching(std::string_view conditions) {
  if (conditions.empty()) return std::string();
  const TableJoins joins = ReferenceTables(conditions);
  return " And Voucher.lngVoucherID In (Select Voucher.lngVoucherID From "
         "Voucher,VoucherDetail,VoucherType" +
         joins.tables +
         " Where Voucher.lngVoucherID=VoucherDetail.lngVoucherID"
         " And Voucher.lngVoucherTypeID=VoucherType.lngVoucherTypeID" +
         joins.terms + std::string(conditions) + ")";
}

std::string SelectText(const ListQuery& query) {
  std::string columns;
  std::string named;
  for (const ColumnDef& column : query.columns) {
    columns += column.expression + " As \"" + column.caption + "\",";
    named += column.expression + " ";
  }
  const std::string sort = SortClause(query.sort, query.basis_tie_breaker);
  const TableJoins joins =
      ReferenceTables(named + query.conditions + sort, query.both_bases, query.reversed);
  // The work table goes before the outer-joined tables: SQLite does not move an inner join
  // across a left join, and only from the key table can it start with the listed vouchers.
  return "Select " + columns +
         "Voucher.lngVoucherID as id,decode(Voucher.blnIsVoid,1,'√','') as \"作废\","
         "VoucherDetail.lngVoucherDetailID,Voucher.lngVoucherBaseID as \"凭证类型ID\"" +
         (query.unsorted_with_row_id ? ",VoucherDetail.lngRowID" : "") +
         (query.both_bases ? " From VoucherView Voucher,VoucherDetailView "
                             "VoucherDetail,VoucherTypeView VoucherType"
                           : " From Voucher,VoucherDetail,VoucherType") +
         query.restriction_tables + joins.tables +
         " Where Voucher.lngVoucherID=VoucherDetail.lngVoucherID"
         " And Voucher.lngVoucherTypeID=VoucherType.lngVoucherTypeID" +
         joins.terms + query.scope + query.conditions + query.restriction +
         (query.unsorted_with_row_id ? std::string() : sort);
}

std::string VoucherKeysText(std::string_view scope, SortOrder sort, bool with_basis) {
  return "Select Voucher.lngVoucherID From Voucher,VoucherType"
         " Where Voucher.lngVoucherTypeID=VoucherType.lngVoucherTypeID" +
         std::string(scope) + VoucherSortClause(sort, with_basis);
}

std::vector<std::string> DateSlices(std::string_view from, std::string_view to, bool descending) {
  constexpr int kWidestSlice = 7;
  std::vector<std::string> slices;
  const std::string start(from);
  const std::string end(to);
  if (host::CalendarDate(start) != start || start > end) return slices;
  // Slice bounds from the end the list starts at: the first slice is one day, so the first
  // screen waits for one day's vouchers, not the period's.
  std::vector<std::string> bounds;  // ascending; slice i is [bounds[i], bounds[i + 1])
  if (!descending) {
    bounds.push_back(start);
    for (int width = 1;; width = std::min(width * 2, kWidestSlice)) {
      std::string next = host::AddDays(bounds.back(), width);
      if (next.empty() || next > end) break;
      bounds.push_back(std::move(next));
    }
  } else {
    if (host::CalendarDate(end) != end) return slices;
    std::vector<std::string> down{end};  // the latest slice is the last day alone
    for (int width = 2;; width = std::min(width * 2, kWidestSlice)) {
      std::string next = host::AddDays(down.back(), -width);
      if (next.empty() || next <= start) break;
      down.push_back(std::move(next));
    }
    bounds.push_back(start);
    for (auto at = down.rbegin(); at != down.rend(); ++at) {
      if (*at != start) bounds.push_back(*at);
    }
  }
  for (std::size_t i = 0; i < bounds.size(); ++i) {
    const bool last = i + 1 == bounds.size();
    slices.push_back(" and Voucher.strDate>= " + frame::SqlText(bounds[i]) +
                     (last ? " And Voucher.strDate<=" + frame::SqlText(end)
                           : " And Voucher.strDate<" + frame::SqlText(bounds[i + 1])));
  }
  if (descending) std::reverse(slices.begin(), slices.end());
  return slices;
}

std::string LineCountInsert(std::string_view table, long key, std::string_view scope,
                            std::string_view from) {
  return CountInsert(table, key,
                     CountsText("Count(1) As lngDetailNum", std::string(), std::string(), from,
                                std::string(scope) + NotYetCounted(table, key)));
}

std::string PermittedCountInsert(std::string_view table, long key, std::string_view scope,
                                 std::span<const RightsDimension* const> dimensions,
                                 long operator_id, long organization_id, std::string_view from) {
  const Permissions p = PermissionsOf(dimensions, operator_id, organization_id);
  return CountInsert(table, key,
                     CountsText("Sum(" + p.factors + ") As lngDetailNum", p.tables, p.joins, from,
                                std::string(scope) + NotYetCounted(table, key)));
}

std::string VoucherCountsText(std::string_view scope,
                              std::span<const RightsDimension* const> dimensions, long operator_id,
                              long organization_id, std::string_view from) {
  const Permissions p = PermissionsOf(dimensions, operator_id, organization_id);
  return CountsText("Count(1) As lngDetailNum,Sum(" + p.factors + ") As lngRightNum", p.tables,
                    p.joins, from, std::string(scope));
}

std::string DeleteByKey(std::string_view table, std::string_view key_column, long key) {
  return "Delete From " + std::string(table) + " Where " + std::string(key_column) + "=" +
         SqlNumber(key);
}

}  // namespace lumvoucher::lists
