#pragma once

namespace lumvoucher::host {

// Whether a financial account takes part in parallel accounting, and under which budget
// account a line on it goes into the budget voucher.
struct ParallelAccountAnswer {
  bool takes_part = false;
  long budget_account_id = 0;  // 0 when it takes no part
};

// The business service's answers behind the create-budget-voucher box: the budget editor asks
// them line by line. Database failures throw DatabaseError.
class ParallelAccountingService {
 public:
  virtual ~ParallelAccountingService() = default;
  // For a line on `account_id` with the project `class2_id` (0 = none) on `direction`
  // (1 debit, -1 credit) of the login organisation.
  virtual ParallelAccountAnswer BudgetAccountFor(long account_id, long class2_id,
                                                 int direction) = 0;
};

}  // namespace lumvoucher::host
