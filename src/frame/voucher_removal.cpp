#include "frame/voucher_removal.h"

#include "frame/frame_texts.h"
#include "frame/sql_text.h"
#include "frame/voucher_conflict.h"

namespace lumvoucher::frame {

namespace {

constexpr long kTransferSource = 16;

// The cash-flow split of the lines (the cash-flow subsystem owns VoucherCashFlow).
void PurgeCashFlowRows(host::DataAccess& data, const LineSet& lines) {
  data.Execute("DELETE FROM VoucherCashFlow WHERE " + lines.Match("lngVoucherDetailID"));
}

// Current-account items the lines booked, and the settlements on either side of them. What a
// gone line settled is open again by that amount. An item another line settled cannot go with
// its line: that settlement would be left pointing at nothing (ReleaseGoneLines refuses).
void ReleaseSettlements(host::DataAccess& data, const LineSet& lines) {
  const std::string settled_by_gone =
      " From DARAPSettlement s Where " + lines.Match("s.lngVoucherDetailID");
  data.Execute(
      "Update DaRAPDetail Set dblCurrPaymentAmount=dblCurrPaymentAmount-(Select "
      "nvl(Sum(s.dblCurrPaymentAmount),0)" +
      settled_by_gone +
      " And s.lngRActivityDetailID=DaRAPDetail.lngDARAPDetailID) Where lngDARAPDetailID In "
      "(Select s.lngRActivityDetailID" +
      settled_by_gone + ")");
  data.Execute("DELETE  FROM DARAPSettlement WHERE " + lines.Match("LNGVOUCHERDETAILID") + " Or " +
               lines.Match("LNGRVOUCHERDETAILID"));
  data.Execute("Delete From DARAPDetail Where lngDARAPID in (Select lngDARAPID From DARAP Where " +
               lines.Match("lngVoucherDetailID") + ")");
  data.Execute(" DELETE FROM DARAP WHERE " + lines.Match("lngVoucherDetailID"));
}

// The transfer that generated the voucher now points at its latest other voucher, or nowhere.
void MoveTransfer(host::DataAccess& data, long voucher_id, long transfer_id,
                  const host::VoucherBasis& basis) {
  const std::string id = SqlNumber(voucher_id);
  host::Recordset trans = data.OpenRecordset(
      "SELECT TransVoucher.lngTransVoucherID From TransVoucher WHERE TransVoucher.lngVoucherID=" +
      id);
  if (trans.Empty()) return;
  const std::string trans_id = SqlNumber(trans["lngTransVoucherID"].AsLong());
  host::Recordset latest = data.OpenRecordset(
      "SELECT Max(Voucher.lngVoucherID) lngVoucherIDOfMax From " + basis.VoucherAsVoucher() +
      " WHERE Voucher.lngVoucherSourceID=16 AND Voucher.lngSourceVoucherID=" +
      SqlNumber(transfer_id) + " AND Voucher.lngVoucherID<>" + id);
  const long other = latest.Empty() ? 0 : static_cast<long>(latest["lngVoucherIDOfMax"].AsLong());
  if (other == 0) {
    data.Execute(
        "UPDATE TransVoucher SET lngExecutantID = 0,strExecuteDate = ' ',lngVoucherID = 0 WHERE "
        "lngTransVoucherID=" +
        trans_id);
    return;
  }
  host::Recordset voucher =
      data.OpenRecordset(std::string("SELECT lngOperatorID,strDate FROM ") + basis.voucher_table +
                         " WHERE lngVoucherID=" + SqlNumber(other));
  data.Execute(
      "UPDATE TransVoucher SET lngExecutantID = " + SqlNumber(voucher["lngOperatorID"].AsLong()) +
      ",strExecuteDate = " + SqlText(voucher["strDate"].AsText()) +
      ",lngVoucherID = " + SqlNumber(other) + " WHERE lngTransVoucherID=" + trans_id);
}

}  // namespace

LineSet LineSet::Line(long line_id) {
  return LineSet(line_id, nullptr);
}

LineSet LineSet::OfVoucher(long voucher_id, const host::VoucherBasis& basis) {
  return LineSet(voucher_id, &basis);
}

std::string LineSet::Match(std::string_view column) const {
  if (basis_ == nullptr) return std::string(column) + "=" + SqlNumber(id_);
  return std::string(column) + " In (Select lngVoucherDetailID From " + basis_->detail_table +
         " Where lngVoucherID = " + SqlNumber(id_) + ")";
}

std::string FreeChecksSql(const LineSet& lines) {
  return "UPDATE CheckDetail SET blnIsUsed=0,strUseDate=' ',dblCurrAmount=0,lngVoucherDetailID=0 "
         "WHERE " +
         lines.Match("lngVoucherDetailID");
}

void ReleaseChangedLineSplits(host::DataAccess& data, long line_id, bool amount_changed,
                              const FreshSplits& fresh) {
  const LineSet line = LineSet::Line(line_id);
  if (!fresh.settlement) ReleaseSettlements(data, line);
  if (!fresh.contract) {
    data.Execute("DELETE FROM ProjectInvoice WHERE " + line.Match("lngVoucherDetailID"));
    data.Execute("DELETE FROM ContractBalance WHERE " + line.Match("lngVoucherDetailID"));
  }
  if (!fresh.cost && amount_changed) {
    data.Execute(" Delete  Costapportion ca Where " + line.Match("ca.lngVoucherDetailID"));
    data.Execute(" Delete  HisCostapportion ca Where " + line.Match("ca.lngVoucherDetailID"));
  }
}

std::string WrittenOffCondition(const LineSet& lines, bool settling) {
  const std::string settled = lines.Match("lngRVoucherDetailID");
  const std::string settler = lines.Match("lngVoucherDetailID");
  return settling ? "(" + settled + " Or " + settler + ")"
                  : "(" + settled + " And Not (" + settler + "))";
}

void ReleaseGoneLines(host::DataAccess& data, const LineSet& lines) {
  if (!data.OpenRecordset("Select lngVoucherDetailID From DARAPSettlement Where " +
                          WrittenOffCondition(lines, false))
           .Empty()) {
    throw VoucherConflict(kDeleteWrittenOff);
  }
  const std::string line = lines.Match("lngVoucherDetailID");
  PurgeCashFlowRows(data, lines);
  data.Execute("DELETE FROM RVoucherDetail WHERE " + line);
  data.Execute("DELETE FROM ProjectInvoice WHERE " + line);
  data.Execute("DELETE FROM ContractBalance WHERE " + line);
  data.Execute(FreeChecksSql(lines));
  data.Execute(" Delete From MCPRVoucherDetail Where lngReceiptTypeID=41 And " + line);
  data.Execute(" Delete  Costapportion ca Where " + lines.Match("ca.lngVoucherDetailID"));
  data.Execute(" Delete  HisCostapportion ca Where " + lines.Match("ca.lngVoucherDetailID"));
  data.Execute(
      "UPDATE BankBillDetail SET lngActivityTypeID=0,lngActivityID=0 WHERE lngActivityTypeID=41 "
      "AND " +
      lines.Match("lngActivityID"));
  ReleaseSettlements(data, lines);
  data.Execute("Delete From CashQARAPDETAIL1 Where strARAPSource='3' And " +
               lines.Match("lngActivityDetailID"));
}

void ReleaseVoucherLinks(host::DataAccess& data, long voucher_id, long transfer_id,
                         const host::VoucherBasis& basis) {
  const std::string id = SqlNumber(voucher_id);
  data.Execute("UPDATE Activity SET Activity.lngVoucherID = 0 WHERE Activity.lngVoucherID=" + id);
  data.Execute("UPDATE ItemActivity SET lngVoucherID = DECODE(lngVoucherID," + id +
               ",0 ,lngVoucherID),lngVoucherID1 = DECODE(lngVoucherID1," + id +
               ",0 ,lngVoucherID1) WHERE lngVoucherID=" + id + " OR lngVoucherID1=" + id);
  if (transfer_id != 0) MoveTransfer(data, voucher_id, transfer_id, basis);
}

bool DeleteStoredVoucher(host::DataAccess& data, long voucher_id, const host::VoucherBasis& basis) {
  const std::string id = SqlNumber(voucher_id);
  const std::string table = basis.voucher_table;
  host::Recordset source = data.OpenRecordset("Select lngVoucherSourceID,lngSourceVoucherID From " +
                                              table + " Where lngVoucherID=" + id);
  if (source.Empty()) return false;
  const long transfer = source["lngVoucherSourceID"].AsLong() == kTransferSource
                            ? static_cast<long>(source["lngSourceVoucherID"].AsLong())
                            : 0;
  ReleaseGoneLines(data, LineSet::OfVoucher(voucher_id, basis));
  ReleaseVoucherLinks(data, voucher_id, transfer, basis);
  data.Execute(std::string("DELETE FROM ") + basis.detail_table + " WHERE lngVoucherID=" + id);
  // The files kept with it are of no other voucher (ids never collide between the bases).
  data.Execute("DELETE FROM VoucherAttachment WHERE lngVoucherID=" + id);
  if (data.Execute("DELETE FROM " + table + " WHERE lngVoucherID=" + id) == 0) return false;
  // With source 16 lngSourceVoucherID names a transfer, whose ids are not voucher ids.
  data.Execute("Update " + table + " Set lngSourceVoucherID=0 Where lngSourceVoucherID=" + id +
               " And lngVoucherSourceID<>16");
  // The partner of a pair stays a voucher of its own: its side of the pair row remains.
  const char* side = basis.IsBudget() ? "lngBudgetVoucherID" : "lngVoucherID";
  if (data.Execute(std::string("Update BudgetVoucherRelevance Set ") + side + "=0 Where " + side +
                   "=" + id) > 0) {
    data.Execute(
        "Delete From BudgetVoucherRelevance Where lngVoucherID=0 And lngBudgetVoucherID=0");
  }
  return true;
}

}  // namespace lumvoucher::frame
