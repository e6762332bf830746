#include "voucher/voucher_status.h"

#include <algorithm>
#include <sstream>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/voucher_removal.h"
#include "host/cls_business_pub.h"
#include "voucher/status_texts.h"

namespace lumvoucher::voucher {

namespace {

using frame::SqlNumber;

constexpr long kTransferSource = 16;
constexpr long kAssetManagementSource = 14;

std::string Lines(long voucher_id, const VoucherBasis& basis) {
  return std::string("(Select lngVoucherDetailID From ") + basis.detail_table +
         " Where lngVoucherID = " + SqlNumber(voucher_id) + ")";
}

long Count(const std::string& sql) {
  host::Recordset rs = frame::Data().OpenRecordset(sql);
  return rs.Empty() ? 0 : static_cast<long>(rs["n"].AsLong());
}

bool Contains(const std::vector<long>& ids, long id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

OperatorStanding ReadOperatorStanding() {
  host::clsBusinessPub& business = *frame::Login().business_pub;
  OperatorStanding me;
  me.id = frame::OperatorId();
  std::istringstream group(GroupOperatorList());
  for (long id = 0; group >> id;) me.group.push_back(id);
  me.review = business.HasRight(status_rights::kReview);
  me.review_group = business.HasRight(status_rights::kReviewGroup);
  me.post = business.HasRight(status_rights::kPost);
  me.post_group = business.HasRight(status_rights::kPostGroup);
  me.post_own = business.HasRight(status_rights::kPostOwn);
  me.sign = business.HasRight(status_rights::kCashierSign);
  me.void_others = business.HasRight(status_rights::kVoidOthers);
  return me;
}

std::string GroupOperatorList() {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select o.lngOperatorID From Operator o, Operator me Where me.lngOperatorID = " +
      SqlNumber(frame::OperatorId()) +
      " And me.lngOperatorGroupID <> 0 And o.lngOperatorGroupID = me.lngOperatorGroupID "
      "Order By o.lngOperatorID");
  std::string list;
  for (; !rs.Eof(); rs.MoveNext()) {
    list += (list.empty() ? "" : " ") + std::to_string(rs[0].AsLong());
  }
  return list;
}

ButtonFlags EnabledButtons(const VoucherHeader& h, bool reversed, bool preview,
                           const OperatorStanding& me) {
  ButtonFlags b;
  if (h.voucher_id == 0 || preview) return b;
  const bool group_maker = Contains(me.group, h.maker_id);
  const bool posted = h.poster_id != 0;
  const bool reviewed = h.checker_id != 0;
  b.review = (me.review || (me.review_group && group_maker)) && !posted &&
             (!reviewed || h.checker_id == me.id);
  b.post = (me.post || (me.post_group && group_maker) || (me.post_own && h.maker_id == me.id)) &&
           reviewed && (!posted || h.poster_id == me.id);
  b.sign = me.sign && (h.teller_id == 0 || h.teller_id == me.id);
  b.void_voucher = !h.void_mark && !posted && !reviewed && (h.maker_id == me.id || me.void_others);
  b.delete_voucher = !posted && !reviewed && h.teller_id == 0 && h.maker_id == me.id;
  b.reverse = posted && !reversed;
  return b;
}

std::string EditRefusal(const VoucherHeader& h, bool period_closed, long me, bool may_modify_type) {
  if (h.voucher_id == 0) return {};
  const std::string voucher = std::string(texts::kEditVoucherOpen) + h.type_code + "-" + h.number;
  if (period_closed) return voucher + texts::kEditClosed;
  if (h.poster_id != 0) return voucher + texts::kEditPosted;
  if (h.checker_id != 0) return voucher + texts::kEditReviewed;
  if (h.source_id >= 2 && h.source_id != kAssetManagementSource)
    return voucher + texts::kEditSystem;
  if (!h.void_mark && h.maker_id != me) return voucher + texts::kEditOthers;
  if (h.void_mark) return voucher + texts::kEditVoid;
  if (!may_modify_type) return texts::kEditNoRight;
  return {};
}

std::string DeleteQuestion(const VoucherHeader& h, bool all_lines) {
  const char* state = nullptr;
  if (h.print_mark) {
    state = texts::kStatePrint;
  } else if (h.void_mark) {
    state = texts::kStateVoid;
  } else if (h.error_mark) {
    state = texts::kStateError;
  } else if (h.source_voucher_id != 0 && h.source_id != kTransferSource) {
    state = texts::kStatePendingReversal;
  }
  if (state == nullptr) return all_lines ? texts::kAskDeleteLines : texts::kAskDeleteLine;
  return std::string(texts::kThisVoucher) + state +
         (all_lines ? texts::kAskDeleteItsLines : texts::kAskDeleteItsLine);
}

bool VoucherPeriodClosed(const VoucherHeader& h) {
  if (h.voucher_id == 0) return false;
  return frame::Login().business_pub->Periods().IsPeriodClosed(h.source_organization_id,
                                                               h.stored_year, h.stored_period);
}

bool MayModifyType(long voucher_type_id) {
  host::ReceiptTypeRights rights = frame::Login().business_pub->Rights(host::kReceiptTypeVoucher);
  return rights.may_make && Contains(rights.make_type_ids, voucher_type_id);
}

bool IsCashBankVoucher(long voucher_id, const VoucherBasis& basis) {
  return Count(std::string("Select Count(*) As n From ") + basis.detail_table + " vd, " +
               basis.account_table +
               " a Where vd.lngAccountID = a.lngAccountID And a.lngAccountNatureID In (1, 2) And "
               "vd.lngVoucherID = " +
               SqlNumber(voucher_id)) > 0;
}

bool IsWrittenOff(long voucher_id, bool settling, const VoucherBasis& basis) {
  return Count("Select Count(*) As n From DARAPSettlement Where " +
               frame::WrittenOffCondition(frame::LineSet::OfVoucher(voucher_id, basis), settling)) >
         0;
}

bool HasConfirmedFundDetail(long voucher_id, const VoucherBasis& basis) {
  return Count(
             "Select Count(*) As n From MCPRVoucherDetail Where blnConfirm = 1 And "
             "lngReceiptTypeID = 41 And lngVoucherDetailID In " +
             Lines(voucher_id, basis)) > 0;
}

bool FundAllocationDiffers(long voucher_id, int decimals, const VoucherBasis& basis) {
  host::DataAccess& data = frame::Data();
  host::Recordset allocated = data.OpenRecordset(
      "Select Count(*) As n, nvl(Sum(dblAmount), 0) As dblAmount From MCPRVoucherDetail Where "
      "lngReceiptTypeID = 41 And lngVoucherDetailID In " +
      Lines(voucher_id, basis));
  if (allocated.Empty() || allocated["n"].AsLong() == 0) return false;
  host::Recordset amount = data.OpenRecordset(
      std::string("Select nvl(Sum(dblAmount), 0) As dblAmount From ") + basis.detail_table +
      " Where intDirection = 1 And lngVoucherID = " + SqlNumber(voucher_id));
  return RoundTo(allocated["dblAmount"].AsDouble(), decimals) !=
         RoundTo(amount["dblAmount"].AsDouble(), decimals);
}

std::string BankBillsSql(long voucher_id, const VoucherBasis& basis) {
  return std::string(
             "SELECT * FROM BankbillDetail Where lngActivityTypeID=41 AND lngActivityID "
             "IN (SELECT lngVoucherDetailID From ") +
         basis.detail_table + " Where lngVoucherID =" + SqlNumber(voucher_id) + ")";
}

std::string ReleaseBankBillsSql(long voucher_id, const VoucherBasis& basis) {
  return std::string(
             "UPDATE BankBillDetail SET lngActivityTypeID=0,lngActivityID=0 WHERE "
             "lngActivityTypeId=41 AND lngActivityID IN (Select lngVoucherDetailID From ") +
         basis.detail_table + " Where lngVoucherID =" + SqlNumber(voucher_id) + ")";
}

std::string ReversalVouchersSql(long voucher_id, const VoucherBasis& basis) {
  return std::string("SELECT * FROM ") + basis.voucher_table +
         " WHERE lngVoucherSourceID<=2 AND lngSourceVoucherID=" + SqlNumber(voucher_id);
}

std::string ClearMemoSql(long voucher_id, const VoucherBasis& basis) {
  return std::string(" Delete RVoucherDetail rvd Where Exists ( Select 1 From ") +
         basis.detail_table +
         " vd  Where vd.lngVoucherDetailID = rvd.lngVoucherDetailID And "
         "vd.lngVoucherID = " +
         SqlNumber(voucher_id) + ")";
}

}  // namespace lumvoucher::voucher
