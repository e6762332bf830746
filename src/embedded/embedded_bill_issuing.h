#pragma once

#include "host/bill_issuing.h"
#include "host/login_context.h"

namespace lumvoucher::embedded {

// The bill register of the account set itself: a bill is a BankBillDetail row carrying the
// line's bill number and amount, for the login organisation.
class EmbeddedBillIssuing : public host::BillIssuing {
 public:
  explicit EmbeddedBillIssuing(host::LoginContext& login) : login_(login) {}
  int IssueBills(long voucher_id) override;

 private:
  host::LoginContext& login_;
};

}  // namespace lumvoucher::embedded
