#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumvoucher::lists {

// The pieces of the voucher lists' query, as Oracle text. The lists assemble them in a fixed
// order: columns, organisation scope, maker restriction, void filter, basis, date range, the
// user's filter and quick find, item rights, sort order. Values typed by a user go in quoted.

// A column as the view configuration gives it (ViewField).
struct ColumnDef {
  long view_field_id = 0;
  std::string caption;      // strViewFieldDesc
  std::string expression;   // strFieldName, over the list's table aliases
  bool quick_find = false;  // blnIsFilter
};

enum class SortKey { kDate, kNumber, kVolume };

struct SortOrder {
  SortKey key = SortKey::kDate;
  bool descending = false;
  bool operator==(const SortOrder&) const = default;
};

// The sortable column of a caption ("日期", "凭证字号", "凭证册号"); false for any other.
bool SortKeyOfCaption(std::string_view caption, SortKey& key);
const char* CaptionOfSortKey(SortKey key);

// The current organisation and every organisation whose code continues its code with "-", as a
// condition on the organisation column `column` (a voucher's, or a pair row's).
std::string OrganizationScope(long organization_id,
                              std::string_view column = "Voucher.lngSourceOrganizationID");
// " And Voucher.lngOperatorID=" + id for one maker, " And Voucher.lngOperatorID IN (...)" for
// several; "" for none.
std::string MakerRestriction(std::span<const long> operator_ids);
inline constexpr const char* kVoidExcluded = " and  Voucher.blnIsVoid=0";
// " And Voucher.lngVoucherBaseID=" + basis; "" for 0 (all vouchers).
std::string BasisCondition(int basis);
// Dates "yyyy-mm-dd", quoted.
std::string DateRange(std::string_view from, std::string_view to);
// The host filter's condition, parenthesised; "" when there is none.
std::string FilterClause(std::string_view condition);
// The typed value with "*" as "%" and "?" as "_", compared with Like; "" for an empty value.
std::string QuickFindCondition(std::string_view expression, std::string_view typed);
inline constexpr const char* kStampedOnly = " And Voucher.strUQStamp<>' ' ";

// One dimension of item rights: the line's item and the operator's permission table.
struct RightsDimension {
  const char* setting_key;  // key in Setting section "权限控制"
  const char* table;        // OperatorAccount, ...
  const char* line_column;  // VoucherDetail.lngAccountID, ...
  const char* item_column;  // the item column of the permission table
  bool per_organization;    // the permission rows are per organisation too
};
inline constexpr const char* kRightsSection = "权限控制";
std::span<const RightsDimension> RightsDimensions();

// "* Decode(nvl(line item,0),0,1, Decode(nvl(Operator....lngOperatorID,0),0,0,1))": 1 when the
// line has no such item or the operator may use it.
std::string PermissionFactor(const RightsDimension& dimension);
// The outer join of the permission table, restricted to the operator (and organisation).
std::string PermissionJoin(const RightsDimension& dimension, long operator_id,
                           long organization_id);
// " And Not Exists (...)": the voucher has no line whose permission factors multiply to 0, which
// is the vouchers whose permitted line count equals their line count (the permission tables are
// keyed by operator, organisation and item, so no line counts twice).
std::string RightsCondition(std::span<const RightsDimension* const> dimensions, long operator_id,
                            long organization_id);

// " ORDER BY ..." with the tie-breakers; `with_basis` adds Voucher.lngVoucherBaseID among them.
std::string SortClause(SortOrder order, bool with_basis);
// The same order over vouchers: every term but the line's row, which comes last in SortClause,
// so a voucher's lines follow each other and the vouchers keep this order.
std::string VoucherSortClause(SortOrder order, bool with_basis);

// Whether the accounting system labels carry-forward vouchers "收支结转" (else "损益结转").
bool UsesBudgetCarryForward(std::string_view accounting_system_code);
// `text` with the other system's carry-forward label replaced by this system's.
std::string SwapCarryForward(std::string_view text, std::string_view accounting_system_code);

// The tables a query needs beyond Voucher, VoucherDetail and VoucherType: those whose alias
// `text` names (the column expressions, filter, quick find and sort), each outer-joined to the
// voucher or its line.
struct TableJoins {
  std::string tables;  // ",Account,Operator MakeOperator,..."
  std::string terms;   // " And VoucherDetail.lngAccountID = Account.lngAccountID(+) ..."
};
// `both_bases`: the vouchers are those of both bases (VoucherView), so the reversal columns read
// VoucherCompare and VoucherTypeView and match the basis as well as the voucher.
// `reversed`: a condition on lngSourceVoucherID that keeps the reversal link to some vouchers
// (" And lngSourceVoucherID In (...)"); "" for every voucher.
TableJoins ReferenceTables(std::string_view text, bool both_bases = false,
                           std::string_view reversed = {});

// " And Voucher.lngVoucherID In (...)": the vouchers with a line that meets `conditions` (the
// filter and quick find, over the list's tables); "" for no conditions. For the windows that
// list one row per voucher.
std::string VouchersMatching(std::string_view conditions);

// The whole list query. `scope` holds the voucher conditions (organisation to date range and
// fixed conditions), `conditions` the filter and quick find, `restriction_tables` and
// `restriction` the work table that carries the item rights ("" when they do not restrict).
struct ListQuery {
  std::vector<ColumnDef> columns;
  std::string scope;
  std::string conditions;
  std::string restriction_tables;
  std::string restriction;
  SortOrder sort;
  bool basis_tie_breaker = true;
  // Lines of both bases: VoucherView, VoucherDetailView and VoucherTypeView under the aliases
  // Voucher, VoucherDetail and VoucherType.
  bool both_bases = false;
  // Unsorted, with the line's VoucherDetail.lngRowID as one more last column: for a reader that
  // knows the vouchers' order and puts the rows in it itself.
  bool unsorted_with_row_id = false;
  // The reversal link's condition of ReferenceTables, for a query over a few vouchers.
  std::string reversed;
};
std::string SelectText(const ListQuery& query);
// The list's vouchers under `scope` alone, their ids in the order of the list's rows.
std::string VoucherKeysText(std::string_view scope, SortOrder sort, bool with_basis);

// The date conditions that split the range from-to into slices read one after the other, in
// the order of the list (`descending`: latest first): the first a day, the next ones growing to
// a week, each " and Voucher.strDate>= 'a' And Voucher.strDate<'b'" but the latest, which ends
// " And Voucher.strDate<='to'" as DateRange does. Their union is DateRange(from, to) as text
// compares, so every voucher of the range falls into exactly one. Empty when from is no date or
// lies after to, and for a descending range whose end is no date: then the range is one piece.
std::vector<std::string> DateSlices(std::string_view from, std::string_view to, bool descending);

// The line counts of the vouchers in `scope` that have no row under `key` yet, one row per
// voucher, into a work table keyed by `key` (stored in lngOperatorID; a row's id is the table's
// highest id before the insert plus its voucher id, unique without a sequence draw per row). The
// permitted count multiplies each line by the factors of `dimensions`. `from` names the vouchers
// and lines under the aliases Voucher and VoucherDetail (the views for both bases, whose ids
// never collide).
inline constexpr const char* kFinancialLines = "Voucher,VoucherDetail";
inline constexpr const char* kBothBasesLines =
    "VoucherView Voucher,VoucherDetailView VoucherDetail";
std::string LineCountInsert(std::string_view table, long key, std::string_view scope,
                            std::string_view from = kFinancialLines);
std::string PermittedCountInsert(std::string_view table, long key, std::string_view scope,
                                 std::span<const RightsDimension* const> dimensions,
                                 long operator_id, long organization_id,
                                 std::string_view from = kFinancialLines);
// Both counts of the vouchers in `scope` in one pass: a query of lngVoucherID, lngDetailNum
// (all lines) and lngRightNum (the permitted lines).
std::string VoucherCountsText(std::string_view scope,
                              std::span<const RightsDimension* const> dimensions, long operator_id,
                              long organization_id, std::string_view from = kFinancialLines);
std::string DeleteByKey(std::string_view table, std::string_view key_column, long key);

}  // namespace lumvoucher::lists
