#include "voucher/budget_alarm.h"

#include <map>
#include <set>

#include "dualbasis/budget_query.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/cls_business_pub.h"
#include "host/data_access.h"
#include "links/line_splits.h"
#include "voucher/save_texts.h"

namespace lumvoucher::voucher {

namespace {

using frame::SqlNumber;

struct TargetDetail {
  long target_id = 0;
  std::string account_code;  // "" when the account is free
  long department_id = 0;
  long customer_id = 0;
  long class1_id = 0;
  long employee_id = 0;
  long class2_id = 0;
};

std::vector<TargetDetail> ReadDetails() {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select d.lngBudgetTargetID,d.lngDepartmentID,d.lngCustomerID,d.lngClassID1,"
      "d.lngEmployeeID,d.lngClassID2,d.lngAccountID,(Select a.strAccountCode From Account a "
      "Where a.lngAccountID=d.lngAccountID) As strAccountCode From BudgetTargetDetail d Where "
      "d.lngFieldID=0");
  std::vector<TargetDetail> details;
  for (; !rs.Eof(); rs.MoveNext()) {
    auto id = [&](std::size_t i) { return static_cast<long>(rs[i].AsLong()); };
    details.push_back({id(0), id(6) == 0 ? std::string() : rs[std::size_t{7}].AsText(), id(1),
                       id(2), id(3), id(4), id(5)});
  }
  return details;
}

bool Matches(const TargetDetail& d, const VoucherLine& line, const std::string& code) {
  if (!d.account_code.empty() && code != d.account_code &&
      code.rfind(d.account_code + "-", 0) != 0) {
    return false;
  }
  auto free_or = [](long want, long have) { return want == 0 || want == have; };
  return free_or(d.department_id, line.department_id) && free_or(d.customer_id, line.unit_id) &&
         free_or(d.class1_id, line.class1_id) && free_or(d.employee_id, line.employee_id) &&
         free_or(d.class2_id, line.class2_id);
}

// The voucher's effect on a budget's measure.
double Effect(int budget_type, double debit, double credit) {
  switch (budget_type) {
    case 1:
      return debit;
    case 2:
      return credit;
    case 3:
    case 5:
      return debit - credit;
    default:
      return credit - debit;
  }
}

// The outlay budget rows an item and a department of the voucher fall under.
std::string OutlayRowsSql(const VoucherHeader& h, long item, long department) {
  const std::string i = SqlNumber(item);
  const std::string d = SqlNumber(department);
  return "Select ob.strOutlayBudgetCode,Bs.dblRate,Bs.blnIsPeriod,obb.dblAmount,obb.dblPayAmount,"
         "(Select strOutlayName From Outlay Where lngOutlayID=" +
         i +
         ") As strOutlayName,(Select strDepartmentName From Department Where lngDepartmentID=" + d +
         ") As strDepartmentName From outlaybudgetblance obb,outlaybudget ob,budgetscheme Bs Where "
         "obb.lngOutlayBudgetID=ob.lngOutlayBudgetID And ob.lngBudgetSchemeID=Bs.lngBudgetSchemeID"
         " And Bs.blnisinactive=0 And Bs.blnishospital=0 And Bs.INTAUTOREMIND = 1 And Bs.dblRate>0"
         " And ob.bytapprove = 1 And obb.dblAmount<>0 And ob.intYear=" +
         SqlNumber(h.year) + " And ob.lngOrganizationID=" + SqlNumber(frame::OrganizationId()) +
         " And ((Bs.blnIsPeriod=1 And obb.bytPeriod=" + SqlNumber(h.period) +
         ") Or (Bs.blnIsPeriod=0 And obb.bytPeriod=0)) And ((obb.intCustom=-1 And "
         "obb.lngOutlayID=" +
         i +
         ") Or (obb.intCustom=1 And Exists (Select 1 From custombudgetitemitem c Where "
         "c.lngCustomID=obb.lngOutlayID And c.lngOutlayID=" +
         i + "))) And ((obb.Intcustomdpt=-1 And obb.lngDepartmentID=" + d +
         ") Or (obb.Intcustomdpt=1 And Exists (Select 1 From custombudgetdptdetail c Where "
         "c.lngCustomID=obb.lngDepartmentID And c.lngDepartmentID=" +
         d + ")))";
}

void AppendKind(std::string& out, const std::vector<std::string>& entries) {
  for (std::size_t i = 0; i < entries.size() && i < 3; ++i) {
    out += (out.empty() ? "" : "\n") + entries[i];
  }
  if (entries.size() > 3) out += std::string("\n") + texts::kOutlayMore;
}

struct Sums {
  double debit = 0;
  double credit = 0;
};

}  // namespace

std::string ComprehensiveBudgetRefusal(const VoucherHeader& header,
                                       const std::vector<const VoucherLine*>& lines) {
  host::DataAccess& data = frame::Data();
  const std::vector<TargetDetail> details = ReadDetails();
  if (details.empty() || lines.empty()) return std::string();
  // A stored voucher is in the booked amounts already: its stored lines count negatively.
  std::vector<VoucherLine> stored;
  if (header.voucher_id != 0) {
    host::Recordset rs = data.OpenRecordset(
        "Select lngAccountID,lngDepartmentID,lngCustomerID,lngClassID1,lngEmployeeID,lngClassID2,"
        "intDirection,dblAmount From VoucherDetail Where lngVoucherID=" +
        SqlNumber(header.voucher_id));
    for (; !rs.Eof(); rs.MoveNext()) {
      auto id = [&](std::size_t i) { return static_cast<long>(rs[i].AsLong()); };
      VoucherLine line;
      line.account_id = id(0);
      line.department_id = id(1);
      line.unit_id = id(2);
      line.class1_id = id(3);
      line.employee_id = id(4);
      line.class2_id = id(5);
      (id(6) == 1 ? line.debit : line.credit) = -rs[std::size_t{7}].AsDouble();
      stored.push_back(line);
    }
  }
  std::vector<const VoucherLine*> counted = lines;
  for (const VoucherLine& line : stored) counted.push_back(&line);
  std::map<long, Sums> by_target;
  for (const VoucherLine* line : counted) {
    host::Recordset account = data.OpenRecordset(
        "Select strAccountCode From Account Where lngAccountID=" + SqlNumber(line->account_id));
    const std::string code = account.Empty() ? std::string() : account[std::size_t{0}].AsText();
    std::set<long> fed;  // a line counts once per target
    for (const TargetDetail& d : details) {
      if (fed.count(d.target_id) != 0 || !Matches(d, *line, code)) continue;
      fed.insert(d.target_id);
      by_target[d.target_id].debit += line->debit;
      by_target[d.target_id].credit += line->credit;
    }
  }
  const long organization = frame::OrganizationId();
  host::Recordset org =
      data.OpenRecordset("Select strOrganizationCode From Organization Where lngOrganizationID=" +
                         SqlNumber(organization));
  const std::string org_code = org.Empty() ? std::string() : org[std::size_t{0}].AsText();
  const int decimals = frame::Context().AmountDecimals();
  std::vector<long> overrun;
  for (const auto& [target, sums] : by_target) {
    host::Recordset budgets = data.OpenRecordset(
        "Select Distinct lngBudgetID From BudgetBalance Where lngBudgetTargetID=" +
        SqlNumber(target) + " And intYear=" + SqlNumber(header.year) + " And lngCurrencyID=-1");
    for (; !budgets.Eof(); budgets.MoveNext()) {
      const dualbasis::BudgetInfo budget =
          dualbasis::ReadBudget(static_cast<long>(budgets[std::size_t{0}].AsLong()));
      const double effect = Effect(budget.type, sums.debit, sums.credit);
      if (budget.id == 0 || RoundTo(effect, decimals) <= 0) continue;
      const int key = budget.quarterly ? (header.period - 1) / 3 + 1 : header.period;
      const dualbasis::BudgetQueryInput input{target, budget.id, -1,          header.year,
                                              true,   false,     organization};
      const auto amounts = dualbasis::BudgetAmounts(input, budget, {organization});
      const auto planned = amounts.find({organization, key});
      if (planned == amounts.end()) continue;
      const auto actual = dualbasis::ActualAmounts(input, budget, org_code);
      const auto booked = actual.find(key);
      const double executed = (booked == actual.end() ? 0 : booked->second.amount) + effect;
      if (RoundTo(executed - planned->second.amount, decimals) > 0) overrun.push_back(budget.id);
    }
  }
  if (overrun.empty()) return std::string();
  std::string ids;
  for (long id : overrun) ids += (ids.empty() ? "" : ",") + SqlNumber(id);
  host::Recordset constrain = data.OpenRecordset(
      "SELECT sum(Blnisconstrain) as Constrain FROM BUDGET WHERE lngBudgetID IN (" + ids + ")");
  if (constrain["Constrain"].AsLong() > 0) return texts::kBudgetConstrained;
  if (!frame::Login().business_pub->HasRight(kExceedBudgetRight)) return texts::kBudgetNoRight;
  return std::string();
}

std::string OutlayBudgetWarning(const VoucherHeader& header,
                                const std::vector<const VoucherLine*>& lines) {
  std::map<std::pair<long, long>, double> shares;  // (item, department) -> amount
  for (const VoucherLine* line : lines) {
    if (!line->splits.cost || line->splits.cost->income) continue;
    for (const links::CostShare& share : line->splits.cost->costs) {
      shares[{share.outlay_id, share.department_id}] += share.amount;
    }
  }
  const int decimals = frame::Context().AmountDecimals();
  std::vector<std::string> over;
  std::vector<std::string> reached;
  for (const auto& [key, amount] : shares) {
    host::Recordset rs = frame::Data().OpenRecordset(OutlayRowsSql(header, key.first, key.second));
    for (; !rs.Eof(); rs.MoveNext()) {
      const double budget = rs["dblAmount"].AsDouble();
      const double executed = RoundTo(rs["dblPayAmount"].AsDouble() + amount, decimals);
      const double rate = rs["dblRate"].AsDouble();
      const std::string code = rs["strOutlayBudgetCode"].AsText();
      const std::string entry =
          texts::kOutlayDepartment + rs["strDepartmentName"].AsText() + texts::kOutlayItem +
          rs["strOutlayName"].AsText() +
          (rs["blnIsPeriod"].AsLong() == 1 ? texts::kOutlayPeriod : texts::kOutlayYear) +
          texts::kOutlayExecuted + FormatFixed(executed, decimals) + texts::kOutlayThis +
          FormatFixed(amount, decimals);
      if (RoundTo(executed - budget, decimals) > 0) {
        over.push_back(entry + texts::kOutlayOver + code + texts::kOutlayOverEnd +
                       FormatFixed(budget, decimals) + texts::kOutlayYuanEnd);
      } else if (RoundTo(executed / budget * 100, 2) >= rate) {
        reached.push_back(entry + texts::kOutlayReached + code + texts::kOutlayReachedEnd +
                          FormatFixed(rate, 2) + texts::kOutlayPercentEnd);
      }
    }
  }
  std::string out;
  AppendKind(out, over);
  AppendKind(out, reached);
  return out;
}

}  // namespace lumvoucher::voucher
