#pragma once

#include <string>
#include <string_view>
#include <vector>

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

  // True when a voucher other than `own_voucher_id` holds `number` in (year, period, type,
  // source organisation).
  virtual bool NumberTaken(long voucher_type_id, int receipt_type, long number, long own_voucher_id,
                           long source_organization_id, int year, int period) = 0;

  // The voucher types the current operator may make and may query.
  virtual ReceiptTypeRights Rights(int receipt_type) = 0;

  // Whether the current operator holds a numbered right (204 review, 206 post, ...).
  virtual bool HasRight(long right_id) = 0;
};

}  // namespace lumvoucher::host
