#pragma once

namespace lumvoucher::host {

// General-ledger account services of the host.
class clsAccount {
 public:
  virtual ~clsAccount() = default;

  // The id of the stored voucher with this number, or 0.
  virtual long VoucherByNumber(int receipt_type, int year, int period, long voucher_type_id,
                               long number, long organization_id) = 0;
  // How many stored vouchers the current operator may see (0 = none).
  virtual long QueryableVoucherCount(int receipt_type) = 0;
};

}  // namespace lumvoucher::host
