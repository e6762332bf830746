#include "lists/frm_list_voucher_union.h"

#include "frame/id_list.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/data_access.h"
#include "lists/dual_basis_links.h"
#include "lists/list_texts.h"
#include "lists/list_work_tables.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::lists {

namespace {

using frame::SqlNumber;

// The leading voucher of a pair row.
constexpr const char* kLeadingVoucher =
    "decode(BudgetVoucherRelevance.lngVoucherID,0,BudgetVoucherRelevance.lngBudgetVoucherID,"
    "BudgetVoucherRelevance.lngVoucherID)";

constexpr const char* kVoidMark =
    "decode(BudgetVoucherRelevance.lngVoucherID,0,decode(BudgetVoucherRelevance.lngBudgetVoucherID,"
    "0,'',decode(BudgetVoucher.blnIsVoid,1,'√','')),decode(Voucher.blnIsVoid,1,'√',''))";
constexpr const char* kVoidExcludedPairs =
    " and decode(BudgetVoucherRelevance.lngVoucherID,0,decode(BudgetVoucherRelevance."
    "lngBudgetVoucherID,0,0,decode(BudgetVoucher.blnIsVoid,1,1,0)),decode(Voucher.blnIsVoid,1,1,"
    "0))=0";

constexpr const char* kDateOrder =
    "To_Date(decode(BudgetVoucherRelevance.lngVoucherID, 0,BudgetVoucher.strDate,Voucher.strDate),"
    "'YYYY-MM-DD') ";
constexpr const char* kNumberOrder =
    "decode(BudgetVoucherRelevance.lngVoucherID,0,BudgetVoucherType.strVoucherTypeCode,"
    "VoucherType.strVoucherTypeCode)  ||  ' '  ||  "
    "LPAD(decode(BudgetVoucherRelevance.lngVoucherID, "
    "0,BudgetVoucher.INTVOUCHERNO,VOUCHER.INTVOUCHERNO),6,'0') ";

// By date or by type and number, the other one after it ascending; a volume sorts by date.
std::string PairSortClause(SortOrder order) {
  const char* dir = order.descending ? "Desc" : "Asc";
  const bool by_number = order.key == SortKey::kNumber;
  return std::string(" ORDER BY ") + (by_number ? kNumberOrder : kDateOrder) + dir + "," +
         (by_number ? kDateOrder : kNumberOrder) + ",BudgetVoucherRelevance.lngVoucherRelevanceID";
}

// "*财务*金额*": `caption` holds `first` and, after it, `second`.
bool CaptionMatches(std::string_view caption, std::string_view first, std::string_view second) {
  const std::size_t at = caption.find(first);
  return at != std::string_view::npos &&
         caption.find(second, at + first.size()) != std::string_view::npos;
}

}  // namespace

frmListVoucherUnion::frmListVoucherUnion()
    : CombinedList("frmListVoucherUnion", texts::kUnionListTitle, kListID) {}

CombinedList::RowVoucher frmListVoucherUnion::SelectedRowVoucher() const {
  const long pair = SelectedVoucherID();
  if (pair == 0) return {};
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select lngVoucherID,lngBudgetVoucherID From BudgetVoucherRelevance Where "
      "lngVoucherRelevanceID=" +
      SqlNumber(pair));
  if (rs.Empty()) return {};
  const long financial = static_cast<long>(rs["lngVoucherID"].AsLong());
  if (financial != 0) return {financial, kFinancialBasis};
  return {static_cast<long>(rs["lngBudgetVoucherID"].AsLong()), kBudgetBasis};
}

std::string frmListVoucherUnion::ShownPairs() const {
  return frame::InCondition("BudgetVoucherRelevance.lngVoucherRelevanceID", ShownIds());
}

bool frmListVoucherUnion::IsShaded(int row) const {
  if (row < 0 || row >= static_cast<int>(state_.rows.size())) return false;
  const host::Recordset::Row& values = state_.rows[static_cast<std::size_t>(row)];
  int financial = -1;
  int budget = -1;
  for (std::size_t i = 0; i < state_.columns.size(); ++i) {
    if (financial < 0 && CaptionMatches(state_.columns[i].caption, "财务", "金额")) {
      financial = static_cast<int>(i);
    }
    if (budget < 0 && CaptionMatches(state_.columns[i].caption, "预算", "金额")) {
      budget = static_cast<int>(i);
    }
  }
  if (financial < 0 || budget < 0) return false;
  const host::Value& a = values.at(static_cast<std::size_t>(financial));
  const host::Value& b = values.at(static_cast<std::size_t>(budget));
  if (a.IsNull() || b.IsNull()) return false;
  const int decimals = frame::Context().AmountDecimals();
  return voucher::RoundTo(a.AsDouble(), decimals) != voucher::RoundTo(b.AsDouble(), decimals);
}

void frmListVoucherUnion::PrepareRights(const std::string&,
                                        const std::vector<const RightsDimension*>& dimensions,
                                        ListQuery& query) {
  work_key_ = FillVoucherListRights(work_key_, OrganizationScope(frame::OrganizationId()),
                                    dimensions, kBothBasesLines);
  const std::string permitted =
      " In (Select lngVoucherID From VoucherListRightTmp Where "
      "lngVoucherListRightTmpID=" +
      SqlNumber(work_key_) + "))";
  query.restriction =
      " And (BudgetVoucherRelevance.lngVoucherID=0 Or BudgetVoucherRelevance.lngVoucherID" +
      permitted +
      " And (BudgetVoucherRelevance.lngBudgetVoucherID=0 Or "
      "BudgetVoucherRelevance.lngBudgetVoucherID" +
      permitted;
}

std::string frmListVoucherUnion::QueryText(const ListQuery& query) const {
  std::string columns;
  for (const ColumnDef& column : query.columns) {
    columns += column.expression + " As \"" + column.caption + "\",";
  }
  // The leading voucher meets the list's voucher conditions and the user's filter.
  std::string leading = MakerRestriction(MakerOperators()) +
                        DateRange(state_.filter.date_from, state_.filter.date_to);
  if (StampedOnly()) leading += kStampedOnly;
  leading += FixedCondition() + FilterClause(state_.filter.condition);
  std::string quick_find;
  if (state_.quick_find_column >= 0) {
    quick_find = QuickFindCondition(
        state_.columns.at(static_cast<std::size_t>(state_.quick_find_column)).expression,
        state_.quick_find_text);
  }
  return "Select " + columns + "BudgetVoucherRelevance.lngVoucherRelevanceID as id," + kVoidMark +
         " as \"作废\",0 As lngVoucherDetailID,decode(BudgetVoucherRelevance.lngVoucherID,0,2,1)"
         " as \"凭证类型ID\""
         " From BudgetVoucherRelevance,Voucher,BudgetVoucher,VoucherTypeView VoucherType,"
         "VoucherTypeView BudgetVoucherType Where "
         "BudgetVoucherRelevance.lngVoucherID=Voucher.lngVoucherID(+)"
         " And BudgetVoucherRelevance.lngBudgetVoucherID=BudgetVoucher.lngVoucherID(+)"
         " And Voucher.lngVoucherTypeID=VoucherType.lngVoucherTypeID(+)"
         " And BudgetVoucher.lngVoucherTypeID=BudgetVoucherType.lngVoucherTypeID(+)" +
         OrganizationScope(frame::OrganizationId(),
                           "BudgetVoucherRelevance.lngSourceOrganizationID") +
         (state_.show_all ? "" : kVoidExcludedPairs) + " And " + kLeadingVoucher +
         " In (Select Voucher.lngVoucherID From VoucherView Voucher Where 1=1" + leading + ")" +
         quick_find + query.restriction + PairSortClause(query.sort);
}

}  // namespace lumvoucher::lists
