#include "dualbasis/pair_relevance.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/data_access.h"

namespace lumvoucher::dualbasis {

namespace {

std::string N(long value) {
  return std::to_string(value);
}

bool Any(const std::string& sql) {
  return !frame::Data().OpenRecordset(sql).Empty();
}

}  // namespace

bool SaveBudgetVoucherRelevance(long F, long B, bool is_void) {
  host::DataAccess& data = frame::Data();
  host::Recordset found = data.OpenRecordset(
      "Select lngVoucherRelevanceID From BudgetVoucherRelevance Where (lngVoucherID=" + N(F) +
      " And lngBudgetVoucherID=" + N(B) + ") Or (lngVoucherID=" + N(F) +
      " And lngBudgetVoucherID=0) Or (lngVoucherID=0 And lngBudgetVoucherID=" + N(B) + ")");
  if (found.Empty()) {
    data.OpenRecordset("Select * From BudgetVoucherRelevance Where 1=0");
    const long id = frame::Context().NextId("BudgetVoucherRelevance");
    data.Execute(
        "Insert Into BudgetVoucherRelevance (lngVoucherRelevanceID, lngVoucherID, "
        "lngBudgetVoucherID, lngSourceOrganizationID, blnIsVoid) Values (" +
        N(id) + "," + N(F) + "," + N(B) + "," + N(frame::OrganizationId()) + "," +
        (is_void ? "1" : "0") + ")");
  } else {
    const long id = static_cast<long>(found["lngVoucherRelevanceID"].AsLong());
    data.OpenRecordset("Select * From BudgetVoucherRelevance Where lngVoucherRelevanceID=" + N(id));
    data.Execute("Update BudgetVoucherRelevance Set lngVoucherID=" + N(F) +
                 ",lngBudgetVoucherID=" + N(B) + ",blnIsVoid=" + (is_void ? "1" : "0") +
                 " Where lngVoucherRelevanceID=" + N(id));
  }
  const long K = F != 0 ? F : B;
  if (K < 1) return true;
  // A join from K, not an Exists per voucher: so the number's index finds the others, where
  // the correlated form read every voucher of both bases on each save.
  if (Any("Select a.lngVoucherID From VoucherView v, VoucherView a Where v.lngVoucherID=" + N(K) +
          " And a.lngVoucherTypeID=v.lngVoucherTypeID And a.intVoucherNO=v.intVoucherNO And "
          "a.intYear=v.intYear And a.bytPeriod=v.bytPeriod And "
          "a.lngSourceOrganizationID=v.lngSourceOrganizationID And a.lngVoucherID<>" +
          N(F) + " And a.lngVoucherID<>" + N(B))) {
    return false;
  }
  if (F < 1 || B < 1) return true;
  return Any(
      "Select f.lngVoucherID From VoucherView f, VoucherView b Where f.lngVoucherID=" + N(F) +
      " And b.lngVoucherID=" + N(B) +
      " And f.lngVoucherTypeID=b.lngVoucherTypeID And f.intVoucherNO=b.intVoucherNO And "
      "f.intYear=b.intYear And f.bytPeriod=b.bytPeriod And f.lngCheckerID=b.lngCheckerID And "
      "f.lngOperatorID=b.lngOperatorID And f.lngPostID=b.lngPostID And "
      "f.lngSourceOrganizationID=b.lngSourceOrganizationID");
}

PairLookup FindPair(long id, bool is_financial) {
  host::Recordset rs = frame::Data().OpenRecordset(
      is_financial
          ? "Select lngBudgetVoucherID From BudgetVoucherRelevance Where lngVoucherID=" + N(id)
          : "Select lngVoucherID From BudgetVoucherRelevance Where lngBudgetVoucherID=" + N(id));
  if (rs.Empty()) return {};
  return {true, rs[0].IsNull() ? 0 : static_cast<long>(rs[0].AsLong())};
}

long GetVoucherRelevanceID(long id, bool is_financial) {
  if (id < 1) return 0;
  return FindPair(id, is_financial).partner;
}

bool GetVoucherRelevanceIDEx(long F, long B) {
  return Any(
      "Select lngVoucherId,lngBudgetVoucherID From BudgetVoucherRelevance Where lngVoucherID=" +
      N(F) + " And lngBudgetVoucherID=" + N(B));
}

long GetVoucherBaseID(long id) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select lngVoucherBaseID From VoucherView Where lngVoucherID=" + N(id));
  return rs.Empty() ? 0 : static_cast<long>(rs[0].AsLong());
}

bool ValidDateForVouchers(const std::string& finance_date, const std::string& budget_date) {
  auto blank = [](const std::string& d) { return d.find_first_not_of(' ') == std::string::npos; };
  if (blank(finance_date) || blank(budget_date)) return true;
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select intYear, bytPeriod From AccountPeriod Where lngOrganizationID=" +
      N(frame::OrganizationId()) + " And ((" + frame::SqlText(finance_date) +
      " >= strStartDate And " + frame::SqlText(finance_date) + " <= strEndDate) Or (" +
      frame::SqlText(budget_date) + " >= strStartDate And " + frame::SqlText(budget_date) +
      " <= strEndDate))");
  return rs.RecordCount() == 1;
}

bool PairReversed(long F, long B) {
  if (F > 0 &&
      Any("Select 1 From Voucher Where lngVoucherSourceID<>16 AND lngSourceVoucherID=" + N(F))) {
    return true;
  }
  return B > 0 &&
         Any("Select 1 From BudgetVoucher Where lngVoucherSourceID<>16 AND lngSourceVoucherID=" +
             N(B));
}

}  // namespace lumvoucher::dualbasis
