#pragma once

#include <string>
#include <vector>

namespace lumvoucher::host {

// The host's voucher business service: moves a stored voucher of its basis (Voucher or
// BudgetVoucher, see clsBusinessPub::VoucherBusiness) through review,
// cashier signature and posting and back, voids and deletes it, on behalf of the current
// operator of the login context.
//
// Every operation enforces the whole rule itself (the voucher's state, its period, the
// operator's rights, the account-set options), so a caller that skips a disabled button or a
// batch candidate filter still cannot break a rule. Each runs in one transaction of the
// data-access object; inside a caller's transaction it nests and commits with it. A refusal or
// a database error answers `ok` false with the reason in Chinese and leaves the voucher as it was.
class VoucherBusinessService {
 public:
  struct Result {
    bool ok = false;
    std::string reason;  // empty on success
  };

  virtual ~VoucherBusinessService() = default;

  // Sets lngCheckerID to the current operator; CancelReview resets it to 0.
  virtual Result Review(long voucher_id) = 0;
  virtual Result CancelReview(long voucher_id) = 0;
  // Cashier signature: sets lngTellerID; CancelSign resets it to 0.
  virtual Result Sign(long voucher_id) = 0;
  virtual Result CancelSign(long voucher_id) = 0;
  // Sets lngPostID. `stamping` is the account set's "支持企业会计信息化工作规范" value being
  // "1": the posted voucher then carries its uniqueness stamp strUQStamp.
  virtual Result Post(long voucher_id, bool stamping) = 0;
  virtual Result CancelPost(long voucher_id) = 0;
  // Sets blnIsVoid. A stored void voucher cannot be made valid again, so there is no cancel.
  virtual Result Void(long voucher_id) = 0;
  // Removes the voucher, its lines and their dependent rows.
  virtual Result Delete(long voucher_id) = 0;

  // Batch forms: one result per id, in the order given, each the one the single call would
  // answer with the ids taken one after another (an id given twice sees its first change). A
  // host may decide them together; the forms here simply loop. A database error may fail more
  // ids than the one it hit (a set-based form fails them all and changes none).
  virtual std::vector<Result> ReviewMany(const std::vector<long>& voucher_ids) {
    return Each(voucher_ids, [this](long id) { return Review(id); });
  }
  virtual std::vector<Result> CancelReviewMany(const std::vector<long>& voucher_ids) {
    return Each(voucher_ids, [this](long id) { return CancelReview(id); });
  }
  virtual std::vector<Result> SignMany(const std::vector<long>& voucher_ids) {
    return Each(voucher_ids, [this](long id) { return Sign(id); });
  }
  virtual std::vector<Result> CancelSignMany(const std::vector<long>& voucher_ids) {
    return Each(voucher_ids, [this](long id) { return CancelSign(id); });
  }
  virtual std::vector<Result> PostMany(const std::vector<long>& voucher_ids, bool stamping) {
    return Each(voucher_ids, [this, stamping](long id) { return Post(id, stamping); });
  }
  virtual std::vector<Result> CancelPostMany(const std::vector<long>& voucher_ids) {
    return Each(voucher_ids, [this](long id) { return CancelPost(id); });
  }

 private:
  template <typename Single>
  static std::vector<Result> Each(const std::vector<long>& voucher_ids, Single single) {
    std::vector<Result> results;
    results.reserve(voucher_ids.size());
    for (long id : voucher_ids) results.push_back(single(id));
    return results;
  }
};

}  // namespace lumvoucher::host
