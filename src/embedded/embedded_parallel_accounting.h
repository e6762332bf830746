#pragma once

#include "host/login_context.h"
#include "host/parallel_accounting.h"

namespace lumvoucher::embedded {

// The budget account of a financial line: the organisation's proposal in
// DoubleVoucherAccountSet (deepest account level, then deepest project level, then the line's
// own direction over "either"), else its learned correspondence in BudgetAccountAccount
// (deepest account level). An account with neither takes no part.
class EmbeddedParallelAccounting : public host::ParallelAccountingService {
 public:
  explicit EmbeddedParallelAccounting(host::LoginContext& login) : login_(login) {}
  host::ParallelAccountAnswer BudgetAccountFor(long account_id, long class2_id,
                                               int direction) override;

 private:
  host::LoginContext& login_;
};

}  // namespace lumvoucher::embedded
