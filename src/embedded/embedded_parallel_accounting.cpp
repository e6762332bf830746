#include "embedded/embedded_parallel_accounting.h"

#include <string>

#include "frame/sql_text.h"

namespace lumvoucher::embedded {

host::ParallelAccountAnswer EmbeddedParallelAccounting::BudgetAccountFor(long account_id,
                                                                         long class2_id,
                                                                         int direction) {
  const std::string org = frame::SqlNumber(login_.CurrentOrganization().id);
  const std::string account = frame::SqlNumber(account_id);
  const std::string side = frame::SqlNumber(direction);
  // A rule on a parent account or project covers the subtree under it.
  const std::string covers =
      " And f.lngAccountID = " + account +
      " And (f.strAccountCode = a.strAccountCode Or f.strAccountCode Like a.strAccountCode || "
      "'-%') And b.lngAccountID = ";
  host::Recordset proposal = login_.Data().OpenRecordset(
      "Select d.lngBudgetAccountID From DoubleVoucherAccountSet d, Account a, Account f, "
      "BudgetAccount b, Class2 c Where d.lngOrganizationID = " +
      org + " And d.lngAccountID = a.lngAccountID" + covers +
      "d.lngBudgetAccountID And d.intDirection In (0, " + side +
      ") And d.lngClassID2 = c.lngClassID(+) And (d.lngClassID2 = 0 Or d.lngClassID2 In (Select "
      "p.lngClassID From Class2 p, Class2 l Where l.lngClassID = " +
      frame::SqlNumber(class2_id) +
      " And (l.strClassCode = p.strClassCode Or l.strClassCode Like p.strClassCode || '-%'))) "
      "Order By Length(a.strAccountCode) Desc, Nvl(Length(c.strClassCode), 0) Desc, "
      "Abs(d.intDirection) Desc, d.lngDoubleVoucherAccountSetID");
  if (!proposal.Empty()) return {true, static_cast<long>(proposal[std::size_t{0}].AsLong())};
  host::Recordset learned = login_.Data().OpenRecordset(
      "Select d.lngBudgetAccountID From BudgetAccountAccount d, Account a, Account f, "
      "BudgetAccount b Where d.lngOrganizationID = " +
      org + " And d.lngAccountID = a.lngAccountID" + covers +
      "d.lngBudgetAccountID And d.intAccountDirect In (3, " + side +
      ") Order By Length(a.strAccountCode) Desc, d.lngBudgetAccountAccountID");
  if (!learned.Empty()) return {true, static_cast<long>(learned[std::size_t{0}].AsLong())};
  return {};
}

}  // namespace lumvoucher::embedded
