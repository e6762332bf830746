#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/parallel_accounting.h"
#include "host/period_service.h"
#include "host/voucher_basis.h"
#include "host/voucher_business_service.h"

namespace lumvoucher::host {

// Receipt (document) kind of a voucher in the host's shared tables.
inline constexpr int kReceiptTypeVoucher = 41;

// Where an operator may query vouchers.
enum class QueryScope { kNone, kSystem, kGroup };

// What an operator may do with one receipt kind: the voucher types he may make and query, and
// the answers behind the voucher window's refusals.
struct ReceiptTypeRights {
  std::vector<long> make_type_ids;
  std::vector<long> query_type_ids;
  // The right to add vouchers at all (types aside).
  bool may_make = true;
  QueryScope query_scope = QueryScope::kSystem;
  // False when the login organisation does not belong to the account set.
  bool organization_in_account_set = true;
};

// Which source data of an asset-generated voucher someone else changed.
enum class AssetSourceChange {
  kNone,
  kFixedAssetCard,
  kFixedFee,
  kConsumableCard,
  kIntangible,
  kDeferredCard,
};

// Business-rule services of the host: the voucher numbering service and the operator's rights.
class clsBusinessPub {
 public:
  virtual ~clsBusinessPub() = default;

  // The number for a new voucher of (year, period, type) within [lowest, highest], as text.
  // `text1`/`text2` are two texts of the voucher the numbering rule may use (organisation,
  // date). Empty text when the range is exhausted.
  virtual std::string VoucherNumber(int year, int period, long voucher_type_id,
                                    std::string_view text1, std::string_view text2, long lowest,
                                    long highest) = 0;

  // True when a voucher of either basis other than `own_voucher_id` and its pair partner
  // `partner_voucher_id` (0 outside a pair) holds `number` in (year, period, type, source
  // organisation): the two vouchers of a pair share their number.
  virtual bool NumberTaken(long voucher_type_id, int receipt_type, long number, long own_voucher_id,
                           long source_organization_id, int year, int period,
                           long partner_voucher_id = 0) = 0;
  // NumberTaken asked again by a save inside its transaction. A backend that holds statements
  // back may answer false and hold one instead that fails the transaction with a DatabaseError
  // violating kNumberTakenKey when the number is taken as it runs: the check then costs the save
  // no round trip of its own.
  virtual bool NumberTakenInTransaction(long voucher_type_id, int receipt_type, long number,
                                        long own_voucher_id, long source_organization_id, int year,
                                        int period, long partner_voucher_id) {
    return NumberTaken(voucher_type_id, receipt_type, number, own_voucher_id,
                       source_organization_id, year, period, partner_voucher_id);
  }
  static constexpr const char* kNumberTakenKey = "VOUCHER_NUMBER_TAKEN";

  // The voucher types the current operator may make and may query.
  virtual ReceiptTypeRights Rights(int receipt_type) = 0;

  // Whether the current operator holds a numbered right (204 review, 206 post, ...).
  virtual bool HasRight(long right_id) = 0;

  // Review, signature, posting, their cancels, void and delete of stored vouchers: of the
  // financial basis, and of the vouchers of `basis`.
  virtual VoucherBusinessService& VoucherBusiness() = 0;
  virtual VoucherBusinessService& VoucherBusiness(const VoucherBasis& basis) = 0;
  // Period closing; whether a voucher's period is closed.
  virtual PeriodService& Periods() = 0;
  // Which budget account answers a financial account in parallel accounting.
  virtual ParallelAccountingService& ParallelAccounting() = 0;

  // The second numbering call of a save, made inside its transaction after the lines: tells the
  // numbering service that `number` of (year, period, receipt type, type) is now in use. `flag`
  // is -1 from the voucher save.
  virtual void VoucherNumberUsed(int year, int period, int receipt_type, long voucher_type_id,
                                 long number, long flag) = 0;

  // After a renumbering or a continuity run, inside its transaction: brings the counter of
  // (organisation, year, period, receipt type, type) in ReceiptMaxNO up to date with the
  // numbers now stored.
  virtual void RefreshReceiptMaxNo(long organization_id, int year, int period, int receipt_type,
                                   long voucher_type_id) = 0;

  // What the suite's other modules answer before a voucher is saved.
  // A group set-up lets a voucher keep a source organisation other than the login one.
  virtual bool GroupSetUp() = 0;
  // Automatic renumbering of a duplicate number on save.
  virtual bool AutoRenumber() = 0;
  // The cost module has closed, or already apportioned, (year, period).
  virtual bool CostPeriodClosed(int year, int period) = 0;
  // Only the cash-and-bank module may make vouchers with cash or bank accounts, and a voucher of
  // `voucher_source_id` does not come from it.
  virtual bool CashBankOnly(long voucher_source_id) = 0;
  // A cost-collection total may differ from its line amount (the save only asks).
  virtual bool CostDifferenceAllowed() = 0;
  // The save asks when the debit and credit accounts belong to the same organisation.
  virtual bool SameOrganizationCheck() = 0;
  // The asset module's source data of a generated voucher changed since it was generated.
  virtual AssetSourceChange AssetSourceChanged(long voucher_id, long voucher_source_id) = 0;
};

}  // namespace lumvoucher::host
