#include "embedded/embedded_voucher_business.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <random>
#include <set>
#include <span>
#include <stdexcept>

#include "frame/frame_texts.h"
#include "frame/id_list.h"
#include "frame/live_reversal.h"
#include "frame/sha256.h"
#include "frame/sql_text.h"
#include "frame/uniqueness_stamp.h"
#include "frame/voucher_conflict.h"
#include "frame/voucher_removal.h"
#include "host/ascii.h"
#include "host/database_error.h"
#include "host/read_scope.h"

namespace lumvoucher::embedded {

using frame::SqlNumber;
using frame::SqlText;
namespace texts = voucher_business_texts;

namespace {

constexpr const char* kAccountSetSection = "帐套属性";
// IN-list chunks per batch read: keeps a statement well below SQLite's bound-parameter limit.
constexpr std::size_t kChunksPerRead = 10;

// A voucher another desktop changed or deleted is named as such; anything else is the database.
std::string ReasonOf(const host::DatabaseError& error) {
  if (dynamic_cast<const frame::VoucherConflict*>(&error) != nullptr) return error.what();
  return texts::kDatabaseFailure + std::string(error.what());
}

bool IsTrueText(std::string_view text) {
  return host::EqualsIgnoreCase(text, "True");
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

std::vector<host::VoucherBusinessService::Result> EmbeddedVoucherBusiness::ReviewMany(
    const std::vector<long>& voucher_ids) {
  return RunMany(Operation::kReview, voucher_ids);
}
std::vector<host::VoucherBusinessService::Result> EmbeddedVoucherBusiness::CancelReviewMany(
    const std::vector<long>& voucher_ids) {
  return RunMany(Operation::kCancelReview, voucher_ids);
}
std::vector<host::VoucherBusinessService::Result> EmbeddedVoucherBusiness::SignMany(
    const std::vector<long>& voucher_ids) {
  return RunMany(Operation::kSign, voucher_ids);
}
std::vector<host::VoucherBusinessService::Result> EmbeddedVoucherBusiness::CancelSignMany(
    const std::vector<long>& voucher_ids) {
  return RunMany(Operation::kCancelSign, voucher_ids);
}
std::vector<host::VoucherBusinessService::Result> EmbeddedVoucherBusiness::PostMany(
    const std::vector<long>& voucher_ids, bool stamping) {
  return RunMany(Operation::kPost, voucher_ids, stamping);
}
std::vector<host::VoucherBusinessService::Result> EmbeddedVoucherBusiness::CancelPostMany(
    const std::vector<long>& voucher_ids) {
  return RunMany(Operation::kCancelPost, voucher_ids);
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
    return {false, ReasonOf(error)};
  }
}

std::vector<host::VoucherBusinessService::Result> EmbeddedVoucherBusiness::RunMany(
    Operation operation, const std::vector<long>& voucher_ids, bool stamping) {
  std::vector<Result> results(voucher_ids.size());
  if (voucher_ids.empty()) return results;
  struct MemoScope {
    std::optional<Memo>& memo;
    ~MemoScope() { memo.reset(); }
  } scope{memo_};
  memo_.emplace();
  try {
    host::TransactionGuard guard(login_.Data());
    // Asked up front, whatever the vouchers turn out to need: a batch then runs the same
    // statements however its vouchers stand.
    for (long right : RightsOf(operation)) HasRight(right);
    SignatureRequired();
    SignatureStep();
    std::map<long, VoucherState> vouchers = LoadMany(operation, voucher_ids);
    const FieldChange change = ChangeOf(operation);
    std::vector<VoucherState> accepted;
    for (std::size_t i = 0; i < voucher_ids.size(); ++i) {
      auto it = vouchers.find(voucher_ids[i]);
      if (it == vouchers.end()) {
        results[i] = {false, texts::kVoucherMissing};
        continue;
      }
      std::string reason = Refusal(operation, it->second);
      if (!reason.empty()) {
        results[i] = {false, std::move(reason)};
        continue;
      }
      accepted.push_back(it->second);
      // A later occurrence of the id sees the change, as the single calls would.
      VoucherState& changed = it->second;
      long& field = change.field == std::string_view("lngCheckerID")  ? changed.checker
                    : change.field == std::string_view("lngTellerID") ? changed.teller
                                                                      : changed.poster;
      field = change.value;
      results[i] = {true, {}};
    }
    ApplyMany(operation, accepted, stamping);
    guard.Commit();
  } catch (const host::DatabaseError& error) {
    const std::string reason = ReasonOf(error);
    for (Result& result : results) result = {false, reason};
  }
  return results;
}

std::vector<long> EmbeddedVoucherBusiness::RightsOf(Operation operation) {
  switch (operation) {
    case Operation::kReview:
    case Operation::kCancelReview:
      return {voucher_rights::kReview, voucher_rights::kReviewGroup};
    case Operation::kSign:
    case Operation::kCancelSign:
      return {voucher_rights::kCashierSign};
    case Operation::kPost:
    case Operation::kCancelPost:
      return {voucher_rights::kPost, voucher_rights::kPostOwn, voucher_rights::kPostGroup};
    case Operation::kVoid:
      return {voucher_rights::kVoidOthers};
    case Operation::kDelete:
      break;
  }
  return {};
}

std::map<long, EmbeddedVoucherBusiness::VoucherState> EmbeddedVoucherBusiness::LoadMany(
    Operation operation, const std::vector<long>& voucher_ids) {
  std::set<std::int64_t> unique(voucher_ids.begin(), voucher_ids.end());
  const std::vector<std::int64_t> ids(unique.begin(), unique.end());
  // The flags cost a lookup per voucher: only the operations whose rules use them read them.
  const bool cash_bank = operation == Operation::kSign || operation == Operation::kReview ||
                         operation == Operation::kPost;
  const bool reversed = operation == Operation::kCancelPost;
  std::string flags;
  if (cash_bank) {
    flags += std::string(", Case When Exists (Select 1 From ") + basis_.detail_table + " vd, " +
             basis_.account_table +
             " a Where vd.lngVoucherID = v.lngVoucherID And vd.lngAccountID = a.lngAccountID And "
             "a.lngAccountNatureID In (1, 2)) Then 1 Else 0 End As blnCashBank";
  }
  if (reversed) {
    flags += ", Case When " + frame::ReversedCondition("v.lngVoucherID", basis_) +
             " Then 1 Else 0 End As blnReversed";
  }
  std::map<long, VoucherState> vouchers;
  const std::size_t per_read = frame::kIdChunkSize * kChunksPerRead;
  for (std::size_t at = 0; at < ids.size(); at += per_read) {
    const std::span<const std::int64_t> part(ids.data() + at, std::min(per_read, ids.size() - at));
    host::Recordset rs = login_.Data().OpenRecordset(
        "Select v.lngVoucherID, v.lngOperatorID, v.lngCheckerID, v.lngTellerID, v.lngPostID, "
        "v.lngSourceOrganizationID, v.lngVoucherTypeID, v.intVoucherNO, v.intYear, v.bytPeriod, "
        "v.blnIsVoid, v.blnIsError, v.strDate" +
        flags + " From " + basis_.voucher_table + " v Where " +
        frame::InCondition("v.lngVoucherID", part));
    // By position: looking 10 000 rows' columns up by name costs more than reading them.
    for (; !rs.Eof(); rs.MoveNext()) {
      std::size_t at_column = 0;
      auto next = [&rs, &at_column]() -> const host::Value& { return rs[at_column++]; };
      VoucherState v;
      v.id = static_cast<long>(next().AsLong());
      v.maker = static_cast<long>(next().AsLong());
      v.checker = static_cast<long>(next().AsLong());
      v.teller = static_cast<long>(next().AsLong());
      v.poster = static_cast<long>(next().AsLong());
      v.source_organization = static_cast<long>(next().AsLong());
      v.type_id = static_cast<long>(next().AsLong());
      v.number = static_cast<long>(next().AsLong());
      v.year = static_cast<int>(next().AsLong());
      v.period = static_cast<int>(next().AsLong());
      v.is_void = next().AsBool();
      v.is_error = next().AsBool();
      v.date = next().AsText();
      if (cash_bank) v.cash_bank = next().AsBool();
      if (reversed) v.reversed = next().AsBool();
      vouchers.emplace(v.id, std::move(v));
    }
  }
  return vouchers;
}

void EmbeddedVoucherBusiness::ApplyMany(Operation operation,
                                        const std::vector<VoucherState>& accepted, bool stamping) {
  const FieldChange change = ChangeOf(operation);
  const std::string name(change.field);
  for (std::size_t at = 0; at < accepted.size(); at += frame::kIdChunkSize) {
    const std::size_t end = std::min(accepted.size(), at + frame::kIdChunkSize);
    std::vector<std::int64_t> ids;
    ids.reserve(end - at);
    for (std::size_t i = at; i < end; ++i) ids.push_back(accepted[i].id);
    const std::int64_t changed = login_.Data().Execute(
        std::string("Update ") + basis_.voucher_table + " Set " + name + " = " +
        SqlNumber(change.value) + " Where " + name + " = " + SqlNumber(change.expected) + " And " +
        frame::InCondition("lngVoucherID", ids));
    if (changed != static_cast<std::int64_t>(ids.size())) {
      throw frame::VoucherConflict(frame::kVoucherChanged);
    }
  }
  if (operation == Operation::kPost && stamping && !accepted.empty()) {
    const std::string secret = StampSecret();
    for (const VoucherState& voucher : accepted) WriteStamp(voucher, secret);
  }
}

EmbeddedVoucherBusiness::FieldChange EmbeddedVoucherBusiness::ChangeOf(Operation operation) {
  switch (operation) {
    case Operation::kReview:
      return {"lngCheckerID", Me(), 0};
    case Operation::kCancelReview:
      return {"lngCheckerID", 0, Me()};
    case Operation::kSign:
      return {"lngTellerID", Me(), 0};
    case Operation::kCancelSign:
      return {"lngTellerID", 0, Me()};
    case Operation::kPost:
      return {"lngPostID", Me(), 0};
    case Operation::kCancelPost:
      return {"lngPostID", 0, Me()};
    case Operation::kVoid:
      return {"blnIsVoid", 1, 0};
    case Operation::kDelete:
      break;
  }
  throw std::logic_error("no field change for a delete");
}

std::optional<EmbeddedVoucherBusiness::VoucherState> EmbeddedVoucherBusiness::Load(
    long voucher_id) {
  host::Recordset rs = login_.Data().OpenRecordset(
      std::string("Select lngVoucherID, lngOperatorID, lngCheckerID, lngTellerID, lngPostID, "
                  "lngSourceOrganizationID, lngVoucherTypeID, intVoucherNO, intYear, bytPeriod, "
                  "blnIsVoid, blnIsError, strDate From ") +
      basis_.voucher_table + " Where lngVoucherID = " + SqlNumber(voucher_id));
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
  if (PeriodClosed(voucher)) {
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
  if (voucher.teller == 0 && SignatureRequired() && SignatureStep() == 0 && IsCashBank(voucher)) {
    return texts::kSignBeforeReview;
  }
  return {};
}

std::string EmbeddedVoucherBusiness::SignRefusal(const VoucherState& voucher, bool cancel) {
  if (cancel) {
    if (voucher.teller == 0) return texts::kNotSigned;
    if (voucher.teller != Me()) return texts::kOnlySigner;
    if (!HasRight(voucher_rights::kCashierSign)) return texts::kNoSignRight;
    if (SignatureRequired()) {
      if (SignatureStep() == 0 && voucher.checker != 0) return texts::kReviewedCancelSign;
      if (SignatureStep() != 0 && voucher.poster != 0) return texts::kPostedCancelSign;
    }
    return {};
  }
  if (voucher.is_void) return texts::kVoidSign;
  if (voucher.is_error) return texts::kErrorSign;
  if (!IsCashBank(voucher)) return texts::kNoCashLines;
  if (voucher.teller != 0) return texts::kAlreadySigned;
  if (!HasRight(voucher_rights::kCashierSign)) return texts::kNoSignRight;
  return {};
}

std::string EmbeddedVoucherBusiness::PostRefusal(const VoucherState& voucher, bool cancel) {
  if (cancel) {
    if (voucher.poster == 0) return texts::kNotPosted;
    if (voucher.poster != Me()) return texts::kOnlyPoster;
    if (IsReversed(voucher)) return texts::kReversedCancelPost;
    if (!MayPost(voucher)) return texts::kNoPostRight;
    return {};
  }
  if (voucher.is_void) return texts::kVoidPost;
  if (voucher.is_error) return texts::kErrorPost;
  if (voucher.poster != 0) return texts::kAlreadyPosted;
  if (voucher.checker == 0) return texts::kNotReviewedPost;
  if (!MayPost(voucher)) return texts::kNoPostRight;
  if (voucher.teller == 0 && SignatureRequired() && SignatureStep() != 0 && IsCashBank(voucher)) {
    return texts::kSignBeforePost;
  }
  return {};
}

std::string EmbeddedVoucherBusiness::VoidRefusal(const VoucherState& voucher) {
  if (voucher.is_void) return texts::kAlreadyVoid;
  // A reviewed or posted voucher may no longer be changed, and voiding is a change.
  if (voucher.poster != 0) return texts::kPostedVoid;
  if (voucher.checker != 0) return texts::kReviewedVoid;
  if (voucher.maker != Me() && !HasRight(voucher_rights::kVoidOthers)) {
    return texts::kOthersVoucherVoid;
  }
  if (IsWrittenOff(voucher.id, true)) return texts::kWrittenOffVoid;
  if (HasConfirmedFundDetail(voucher.id)) return texts::kConfirmedFundVoid;
  return {};
}

std::string EmbeddedVoucherBusiness::DeleteRefusal(const VoucherState& voucher) {
  if (voucher.poster != 0) return texts::kPostedDelete;
  if (voucher.checker != 0) return texts::kReviewedDelete;
  if (voucher.teller != 0) return texts::kSignedDelete;
  if (IsReversed(voucher)) return texts::kReversedDelete;
  if (voucher.maker != Me()) return texts::kOthersVoucherDelete;
  if (voucher.source_organization != login_.CurrentOrganization().id) {
    return texts::kOtherOrganizationDelete;
  }
  if (IsWrittenOff(voucher.id, false)) return frame::kDeleteWrittenOff;
  return {};
}

void EmbeddedVoucherBusiness::Apply(Operation operation, const VoucherState& voucher,
                                    bool stamping) {
  if (operation == Operation::kDelete) return RemoveVoucher(voucher);
  const FieldChange change = ChangeOf(operation);
  SetField(voucher, change.field, change.value, change.expected);
  if (operation == Operation::kPost && stamping) WriteStamp(voucher);
}

void EmbeddedVoucherBusiness::SetField(const VoucherState& voucher, const char* field, long value,
                                       long expected) {
  const std::string name(field);
  frame::ExecuteOnVoucher(login_.Data(),
                          std::string("Update ") + basis_.voucher_table + " Set " + name + " = " +
                              SqlNumber(value) + " Where lngVoucherID = " + SqlNumber(voucher.id) +
                              " And " + name + " = " + SqlNumber(expected),
                          frame::kVoucherChanged);
}

void EmbeddedVoucherBusiness::RemoveVoucher(const VoucherState& voucher) {
  if (!frame::DeleteStoredVoucher(login_.Data(), voucher.id, basis_)) {
    throw frame::VoucherConflict();
  }
}

void EmbeddedVoucherBusiness::WriteStamp(const VoucherState& voucher) {
  WriteStamp(voucher, StampSecret());
}

void EmbeddedVoucherBusiness::WriteStamp(const VoucherState& voucher, const std::string& secret) {
  const std::string stamp =
      frame::UQStamp(secret, frame::UQStampKey(voucher.source_organization, voucher.date,
                                               voucher.type_id, voucher.number));
  login_.Data().Execute(std::string("Update ") + basis_.voucher_table + " set strUQStamp=" +
                        SqlText(stamp) + " where lngVoucherID=" + SqlNumber(voucher.id));
}

std::string EmbeddedVoucherBusiness::StampSecret() {
  host::DataAccess& data = login_.Data();
  // The secret is shared with the component's stamp writers: account-set wide, organisation 0.
  const std::string where =
      " Where lngOrganizationID = 0 And strSection = " + SqlText(kAccountSetSection) +
      " And strKey = " + SqlText(frame::kStampSecretKey);
  host::Recordset rs = host::OpenRemembered(data, "Select strSetting From Setting" + where);
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
  return secret;
}

std::string EmbeddedVoucherBusiness::Lines(long voucher_id) const {
  return std::string("(Select lngVoucherDetailID From ") + basis_.detail_table +
         " Where lngVoucherID = " + SqlNumber(voucher_id) + ")";
}

long EmbeddedVoucherBusiness::Count(const std::string& sql) {
  host::Recordset rs = login_.Data().OpenRecordset(sql);
  return rs.Empty() ? 0 : static_cast<long>(rs["n"].AsLong());
}

bool EmbeddedVoucherBusiness::HasRight(long right_id) {
  if (!memo_) return business_.HasRight(right_id);
  auto it = memo_->rights.find(right_id);
  if (it == memo_->rights.end())
    it = memo_->rights.emplace(right_id, business_.HasRight(right_id)).first;
  return it->second;
}

bool EmbeddedVoucherBusiness::PeriodClosed(const VoucherState& voucher) {
  if (!memo_) {
    return periods_.IsPeriodClosed(voucher.source_organization, voucher.year, voucher.period);
  }
  const auto key = std::make_tuple(voucher.source_organization, voucher.year, voucher.period);
  auto it = memo_->closed.find(key);
  if (it == memo_->closed.end()) {
    it = memo_->closed
             .emplace(key, periods_.IsPeriodClosed(voucher.source_organization, voucher.year,
                                                   voucher.period))
             .first;
  }
  return it->second;
}

bool EmbeddedVoucherBusiness::InMyGroup(long operator_id) {
  if (memo_) {
    auto it = memo_->my_group.find(operator_id);
    if (it != memo_->my_group.end()) return it->second;
  }
  const bool in =
      Count("Select Count(*) As n From Operator o, Operator me Where me.lngOperatorID = " +
            SqlNumber(Me()) +
            " And me.lngOperatorGroupID <> 0 And o.lngOperatorGroupID = "
            "me.lngOperatorGroupID And o.lngOperatorID = " +
            SqlNumber(operator_id)) > 0;
  if (memo_) memo_->my_group.emplace(operator_id, in);
  return in;
}

bool EmbeddedVoucherBusiness::MayReview(const VoucherState& voucher) {
  if (HasRight(voucher_rights::kReview)) return true;
  return HasRight(voucher_rights::kReviewGroup) && InMyGroup(voucher.maker);
}

bool EmbeddedVoucherBusiness::MayPost(const VoucherState& voucher) {
  if (HasRight(voucher_rights::kPost)) return true;
  if (voucher.maker == Me() && HasRight(voucher_rights::kPostOwn)) return true;
  return HasRight(voucher_rights::kPostGroup) && InMyGroup(voucher.maker);
}

bool EmbeddedVoucherBusiness::IsCashBank(const VoucherState& voucher) {
  if (voucher.cash_bank) return *voucher.cash_bank;
  return Count(std::string("Select Count(*) As n From ") + basis_.detail_table + " vd, " +
               basis_.account_table +
               " a Where vd.lngAccountID = a.lngAccountID And a.lngAccountNatureID In (1, 2) And "
               "vd.lngVoucherID = " +
               SqlNumber(voucher.id)) > 0;
}

bool EmbeddedVoucherBusiness::IsReversed(const VoucherState& voucher) {
  if (voucher.reversed) return *voucher.reversed;
  return !login_.Data().OpenRecordset(frame::LiveReversalsSql(voucher.id, basis_)).Empty();
}

bool EmbeddedVoucherBusiness::IsWrittenOff(long voucher_id, bool settling) {
  return Count("Select Count(*) As n From DARAPSettlement Where " +
               frame::WrittenOffCondition(frame::LineSet::OfVoucher(voucher_id, basis_),
                                          settling)) > 0;
}

bool EmbeddedVoucherBusiness::HasConfirmedFundDetail(long voucher_id) {
  return Count(
             "Select Count(*) As n From MCPRVoucherDetail Where blnConfirm = 1 And "
             "lngVoucherDetailID In " +
             Lines(voucher_id)) > 0;
}

bool EmbeddedVoucherBusiness::SignatureRequired() {
  if (memo_ && memo_->signature_required) return *memo_->signature_required;
  const bool required =
      IsTrueText(login_.SettingValue(0, kAccountSetSection, "出纳凭证须出纳签字", "False"));
  if (memo_) memo_->signature_required = required;
  return required;
}

int EmbeddedVoucherBusiness::SignatureStep() {
  if (memo_ && memo_->signature_step) return *memo_->signature_step;
  const int step =
      login_.SettingValue(0, kAccountSetSection, "出纳签字控制选项", "0") == "1" ? 1 : 0;
  if (memo_) memo_->signature_step = step;
  return step;
}

}  // namespace lumvoucher::embedded
