#include "embedded/embedded_voucher_business.h"

#include <algorithm>
#include <cctype>
#include <random>

#include "frame/sha256.h"
#include "frame/sql_text.h"
#include "frame/uniqueness_stamp.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {

using frame::SqlNumber;
using frame::SqlText;
namespace texts = voucher_business_texts;

namespace {

constexpr const char* kAccountSetSection = "帐套属性";
constexpr long kTransferSource = 16;

std::string Lines(long voucher_id) {
  return "(Select lngVoucherDetailID From VoucherDetail Where lngVoucherID = " +
         SqlNumber(voucher_id) + ")";
}

bool IsTrueText(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text == "true";
}

}  // namespace

host::VoucherBusinessService::Result EmbeddedVoucherBusiness::Review(long voucher_id) {
  return Run(Operation::kReview, voucher_id);
}
host::VoucherBusinessService::Result EmbeddedVoucherBusiness::CancelReview(long voucher_id) {
  return Run(Operation::kCancelReview, voucher_id);
}
host::VoucherBusinessService::Result EmbeddedVoucherBusiness::Sign(long voucher_id) {
  return Run(Operation::kSign, voucher_id);
}
host::VoucherBusinessService::Result EmbeddedVoucherBusiness::CancelSign(long voucher_id) {
  return Run(Operation::kCancelSign, voucher_id);
}
host::VoucherBusinessService::Result EmbeddedVoucherBusiness::Post(long voucher_id, bool stamping) {
  return Run(Operation::kPost, voucher_id, stamping);
}
host::VoucherBusinessService::Result EmbeddedVoucherBusiness::CancelPost(long voucher_id) {
  return Run(Operation::kCancelPost, voucher_id);
}
host::VoucherBusinessService::Result EmbeddedVoucherBusiness::Void(long voucher_id) {
  return Run(Operation::kVoid, voucher_id);
}
host::VoucherBusinessService::Result EmbeddedVoucherBusiness::Delete(long voucher_id) {
  return Run(Operation::kDelete, voucher_id);
}

host::VoucherBusinessService::Result EmbeddedVoucherBusiness::Run(Operation operation,
                                                                  long voucher_id, bool stamping) {
  try {
    // The state is read inside the write transaction, so no other desktop changes it between
    // the check and the update.
    host::TransactionGuard guard(login_.Data());
    std::optional<VoucherState> voucher = Load(voucher_id);
    if (!voucher) return {false, texts::kVoucherMissing};
    std::string reason = Refusal(operation, *voucher);
    if (!reason.empty()) return {false, std::move(reason)};
    Apply(operation, *voucher, stamping);
    guard.Commit();
    return {true, {}};
  } catch (const host::DatabaseError& error) {
    return {false, texts::kDatabaseFailure + std::string(error.what())};
  }
}

std::optional<EmbeddedVoucherBusiness::VoucherState> EmbeddedVoucherBusiness::Load(
    long voucher_id) {
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select lngVoucherID, lngOperatorID, lngCheckerID, lngTellerID, lngPostID, "
      "lngSourceOrganizationID, lngVoucherTypeID, intVoucherNO, intYear, bytPeriod, blnIsVoid, "
      "blnIsError, strDate From Voucher Where lngVoucherID = " +
      SqlNumber(voucher_id));
  if (rs.Empty()) return std::nullopt;
  VoucherState v;
  v.id = voucher_id;
  v.maker = static_cast<long>(rs["lngOperatorID"].AsLong());
  v.checker = static_cast<long>(rs["lngCheckerID"].AsLong());
  v.teller = static_cast<long>(rs["lngTellerID"].AsLong());
  v.poster = static_cast<long>(rs["lngPostID"].AsLong());
  v.source_organization = static_cast<long>(rs["lngSourceOrganizationID"].AsLong());
  v.type_id = static_cast<long>(rs["lngVoucherTypeID"].AsLong());
  v.number = static_cast<long>(rs["intVoucherNO"].AsLong());
  v.year = static_cast<int>(rs["intYear"].AsLong());
  v.period = static_cast<int>(rs["bytPeriod"].AsLong());
  v.is_void = rs["blnIsVoid"].AsBool();
  v.is_error = rs["blnIsError"].AsBool();
  v.date = rs["strDate"].AsText();
  return v;
}

std::string EmbeddedVoucherBusiness::Refusal(Operation operation, const VoucherState& voucher) {
  static constexpr const char* kClosed[] = {texts::kClosedReview, texts::kClosedCancelReview,
                                            texts::kClosedSign,   texts::kClosedCancelSign,
                                            texts::kClosedPost,   texts::kClosedCancelPost,
                                            texts::kClosedVoid,   texts::kClosedDelete};
  // The voucher's own organisation keeps the periods it is booked in.
  if (periods_.IsPeriodClosed(voucher.source_organization, voucher.year, voucher.period)) {
    return kClosed[static_cast<int>(operation)];
  }
  switch (operation) {
    case Operation::kReview:
      return ReviewRefusal(voucher, false);
    case Operation::kCancelReview:
      return ReviewRefusal(voucher, true);
    case Operation::kSign:
      return SignRefusal(voucher, false);
    case Operation::kCancelSign:
      return SignRefusal(voucher, true);
    case Operation::kPost:
      return PostRefusal(voucher, false);
    case Operation::kCancelPost:
      return PostRefusal(voucher, true);
    case Operation::kVoid:
      return VoidRefusal(voucher);
    case Operation::kDelete:
      return DeleteRefusal(voucher);
  }
  return {};
}

std::string EmbeddedVoucherBusiness::ReviewRefusal(const VoucherState& voucher, bool cancel) {
  if (cancel) {
    if (voucher.is_error) return texts::kErrorCancelReview;
    if (voucher.checker == 0) return texts::kNotReviewed;
    if (voucher.poster != 0) return texts::kPostedCancelReview;
    if (voucher.checker != Me()) return texts::kOnlyReviewer;
    if (!MayReview(voucher)) return texts::kNoReviewRight;
    return {};
  }
  if (voucher.is_void) return texts::kVoidReview;
  if (voucher.is_error) return texts::kErrorReview;
  if (voucher.checker != 0) return texts::kAlreadyReviewed;
  if (voucher.maker == Me()) return texts::kOwnVoucherReview;
  if (!MayReview(voucher)) return texts::kNoReviewRight;
  if (voucher.teller == 0 && SignatureRequired() && SignatureStep() == 0 &&
      IsCashBank(voucher.id)) {
    return texts::kSignBeforeReview;
  }
  return {};
}

std::string EmbeddedVoucherBusiness::SignRefusal(const VoucherState& voucher, bool cancel) {
  if (cancel) {
    if (voucher.teller == 0) return texts::kNotSigned;
    if (voucher.teller != Me()) return texts::kOnlySigner;
    if (!business_.HasRight(voucher_rights::kCashierSign)) return texts::kNoSignRight;
    if (SignatureRequired()) {
      if (SignatureStep() == 0 && voucher.checker != 0) return texts::kReviewedCancelSign;
      if (SignatureStep() != 0 && voucher.poster != 0) return texts::kPostedCancelSign;
    }
    return {};
  }
  if (voucher.is_void) return texts::kVoidSign;
  if (voucher.is_error) return texts::kErrorSign;
  if (!IsCashBank(voucher.id)) return texts::kNoCashLines;
  if (voucher.teller != 0) return texts::kAlreadySigned;
  if (!business_.HasRight(voucher_rights::kCashierSign)) return texts::kNoSignRight;
  return {};
}

std::string EmbeddedVoucherBusiness::PostRefusal(const VoucherState& voucher, bool cancel) {
  if (cancel) {
    if (voucher.poster == 0) return texts::kNotPosted;
    if (voucher.poster != Me()) return texts::kOnlyPoster;
    if (IsReversed(voucher.id)) return texts::kReversedCancelPost;
    if (!MayPost(voucher)) return texts::kNoPostRight;
    return {};
  }
  if (voucher.is_void) return texts::kVoidPost;
  if (voucher.is_error) return texts::kErrorPost;
  if (voucher.poster != 0) return texts::kAlreadyPosted;
  if (voucher.checker == 0) return texts::kNotReviewedPost;
  if (!MayPost(voucher)) return texts::kNoPostRight;
  if (voucher.teller == 0 && SignatureRequired() && SignatureStep() != 0 &&
      IsCashBank(voucher.id)) {
    return texts::kSignBeforePost;
  }
  return {};
}

std::string EmbeddedVoucherBusiness::VoidRefusal(const VoucherState& voucher) {
  if (voucher.is_void) return texts::kAlreadyVoid;
  // A reviewed or posted voucher may no longer be changed, and voiding is a change.
  if (voucher.poster != 0) return texts::kPostedVoid;
  if (voucher.checker != 0) return texts::kReviewedVoid;
  if (voucher.maker != Me() && !business_.HasRight(voucher_rights::kVoidOthers)) {
    return texts::kOthersVoucherVoid;
  }
  if (IsWrittenOff(voucher.id)) return texts::kWrittenOffVoid;
  if (HasConfirmedFundDetail(voucher.id)) return texts::kConfirmedFundVoid;
  return {};
}

std::string EmbeddedVoucherBusiness::DeleteRefusal(const VoucherState& voucher) {
  if (voucher.poster != 0) return texts::kPostedDelete;
  if (voucher.checker != 0) return texts::kReviewedDelete;
  if (voucher.teller != 0) return texts::kSignedDelete;
  if (IsReversed(voucher.id)) return texts::kReversedDelete;
  if (voucher.maker != Me()) return texts::kOthersVoucherDelete;
  if (voucher.source_organization != login_.CurrentOrganization().id) {
    return texts::kOtherOrganizationDelete;
  }
  if (IsWrittenOff(voucher.id)) return texts::kWrittenOffDelete;
  return {};
}

void EmbeddedVoucherBusiness::Apply(Operation operation, const VoucherState& voucher,
                                    bool stamping) {
  switch (operation) {
    case Operation::kReview:
      return SetField(voucher, "lngCheckerID", Me(), 0);
    case Operation::kCancelReview:
      return SetField(voucher, "lngCheckerID", 0, Me());
    case Operation::kSign:
      return SetField(voucher, "lngTellerID", Me(), 0);
    case Operation::kCancelSign:
      return SetField(voucher, "lngTellerID", 0, Me());
    case Operation::kPost:
      SetField(voucher, "lngPostID", Me(), 0);
      if (stamping) WriteStamp(voucher);
      return;
    case Operation::kCancelPost:
      return SetField(voucher, "lngPostID", 0, Me());
    case Operation::kVoid:
      return SetField(voucher, "blnIsVoid", 1, 0);
    case Operation::kDelete:
      return RemoveVoucher(voucher);
  }
}

void EmbeddedVoucherBusiness::SetField(const VoucherState& voucher, const char* field, long value,
                                       long expected) {
  const std::string name(field);
  if (login_.Data().Execute("Update Voucher Set " + name + " = " + SqlNumber(value) +
                            " Where lngVoucherID = " + SqlNumber(voucher.id) + " And " + name +
                            " = " + SqlNumber(expected)) != 1) {
    throw host::DatabaseError("Voucher " + std::to_string(voucher.id) + " changed under " + name);
  }
}

void EmbeddedVoucherBusiness::RemoveVoucher(const VoucherState& voucher) {
  host::DataAccess& data = login_.Data();
  const std::string id = SqlNumber(voucher.id);
  data.Execute(
      "UPDATE BankBillDetail SET lngActivityTypeID=0,lngActivityID=0 WHERE lngActivityTypeId=41 "
      "AND lngActivityID IN " +
      Lines(voucher.id));
  data.Execute(
      "Update CheckDetail Set blnIsUsed = 0, strUseDate = ' ', dblCurrAmount = 0, "
      "lngVoucherDetailID = 0 Where lngVoucherDetailID In " +
      Lines(voucher.id));
  data.Execute("Delete From MCPRVoucherDetail Where lngVoucherDetailID In " + Lines(voucher.id));
  data.Execute("Delete From CashQARAPDETAIL1 Where lngVoucherID = " + id);
  data.Execute("Update TransVoucher Set lngVoucherID = 0 Where lngVoucherID = " + id);
  data.Execute("Update Activity Set lngVoucherID = 0 Where lngVoucherID = " + id);
  data.Execute("Update ItemActivity Set lngVoucherID = 0 Where lngVoucherID = " + id);
  data.Execute("Delete From VoucherDetail Where lngVoucherID = " + id);
  // No voucher reverses this one (that refuses the delete), so no link to it is left behind.
  data.Execute("Delete From Voucher Where lngVoucherID = " + id);
}

void EmbeddedVoucherBusiness::WriteStamp(const VoucherState& voucher) {
  host::DataAccess& data = login_.Data();
  // The secret is shared with the component's stamp writers: account-set wide, organisation 0.
  const std::string where =
      " Where lngOrganizationID = 0 And strSection = " + SqlText(kAccountSetSection) +
      " And strKey = " + SqlText(frame::kStampSecretKey);
  host::Recordset rs = data.OpenRecordset("Select strSetting From Setting" + where);
  std::string secret = rs.Empty() ? std::string() : rs["strSetting"].AsText();
  if (secret.empty()) {
    std::random_device device;
    frame::Sha256Digest bytes{};
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(device() & 0xff);
    secret = frame::HexText(bytes);
    if (data.Execute("Update Setting Set strSetting = " + SqlText(secret) + where) == 0) {
      data.Execute(
          "Insert Into Setting (strSection, strKey, strSetting, lngOrganizationID) Values (" +
          SqlText(kAccountSetSection) + ", " + SqlText(frame::kStampSecretKey) + ", " +
          SqlText(secret) + ", 0)");
    }
  }
  const std::string stamp =
      frame::UQStamp(secret, frame::UQStampKey(voucher.source_organization, voucher.date,
                                               voucher.type_id, voucher.number));
  data.Execute("Update Voucher set strUQStamp=" + SqlText(stamp) +
               " where lngVoucherID=" + SqlNumber(voucher.id));
}

long EmbeddedVoucherBusiness::Count(const std::string& sql) {
  host::Recordset rs = login_.Data().OpenRecordset(sql);
  return rs.Empty() ? 0 : static_cast<long>(rs["n"].AsLong());
}

bool EmbeddedVoucherBusiness::InMyGroup(long operator_id) {
  return Count("Select Count(*) As n From Operator o, Operator me Where me.lngOperatorID = " +
               SqlNumber(Me()) +
               " And me.lngOperatorGroupID <> 0 And o.lngOperatorGroupID = "
               "me.lngOperatorGroupID And o.lngOperatorID = " +
               SqlNumber(operator_id)) > 0;
}

bool EmbeddedVoucherBusiness::MayReview(const VoucherState& voucher) {
  if (business_.HasRight(voucher_rights::kReview)) return true;
  return business_.HasRight(voucher_rights::kReviewGroup) && InMyGroup(voucher.maker);
}

bool EmbeddedVoucherBusiness::MayPost(const VoucherState& voucher) {
  if (business_.HasRight(voucher_rights::kPost)) return true;
  if (voucher.maker == Me() && business_.HasRight(voucher_rights::kPostOwn)) return true;
  return business_.HasRight(voucher_rights::kPostGroup) && InMyGroup(voucher.maker);
}

bool EmbeddedVoucherBusiness::IsCashBank(long voucher_id) {
  return Count(
             "Select Count(*) As n From VoucherDetail vd, Account a Where vd.lngAccountID = "
             "a.lngAccountID And a.lngAccountNatureID In (1, 2) And vd.lngVoucherID = " +
             SqlNumber(voucher_id)) > 0;
}

bool EmbeddedVoucherBusiness::IsReversed(long voucher_id) {
  // With source 16 lngSourceVoucherID names a transfer, not a reversed voucher.
  return Count("Select Count(*) As n From Voucher Where lngSourceVoucherID = " +
               SqlNumber(voucher_id) + " And lngSourceVoucherID > 0 And lngVoucherSourceID <> " +
               SqlNumber(kTransferSource)) > 0;
}

bool EmbeddedVoucherBusiness::IsWrittenOff(long voucher_id) {
  return Count("Select Count(*) As n From DARAPSettlement Where lngVoucherDetailID In " +
               Lines(voucher_id) + " Or lngRVoucherDetailID In " + Lines(voucher_id)) > 0;
}

bool EmbeddedVoucherBusiness::HasConfirmedFundDetail(long voucher_id) {
  return Count(
             "Select Count(*) As n From MCPRVoucherDetail Where blnConfirm = 1 And "
             "lngVoucherDetailID In " +
             Lines(voucher_id)) > 0;
}

bool EmbeddedVoucherBusiness::SignatureRequired() {
  return IsTrueText(login_.SettingValue(0, kAccountSetSection, "出纳凭证须出纳签字", "False"));
}

int EmbeddedVoucherBusiness::SignatureStep() {
  return login_.SettingValue(0, kAccountSetSection, "出纳签字控制选项", "0") == "1" ? 1 : 0;
}

}  // namespace lumvoucher::embedded
