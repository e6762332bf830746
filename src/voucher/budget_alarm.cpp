#include "voucher/budget_alarm.h"

#include <map>
#include <utility>

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

// A budget dimension names an item or a parent whose subtree it covers: the line's item (by
// id) is covered when its code is the named one's or lies below it.
std::string Covers(const std::string& named, const char* table, const char* id_column,
                   const char* code_column, long line_item) {
  const std::string p = std::string("p.") + code_column;
  const std::string c = std::string("c.") + code_column;
  return std::string("Exists (Select 1 From ") + table + " p," + table + " c Where p." + id_column +
         "=" + named + " And c." + id_column + "=" + SqlNumber(line_item) + " And (" + c + "=" + p +
         " Or " + c + " Like " + p + "||'-%'))";
}

std::string FreeOrCovers(const char* column, const char* table, const char* id_column,
                         const char* code_column, long line_item) {
  const std::string named = std::string("d.") + column;
  return "(" + named + "=0 Or " + Covers(named, table, id_column, code_column, line_item) + ")";
}

// The targets a line feeds: every non-zero dimension of one of their details covers the line's;
// a flexible field covers itself and its detail fields below it.
std::vector<long> TargetsOf(const VoucherLine& line) {
  const std::string flexible = line.flexible_id.empty() ? " " : line.flexible_id;
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select Distinct d.lngBudgetTargetID From BudgetTargetDetail d Where " +
      FreeOrCovers("lngAccountID", "Account", "lngAccountID", "strAccountCode", line.account_id) +
      " And " +
      FreeOrCovers("lngDepartmentID", "Department", "lngDepartmentID", "strDepartmentCode",
                   line.department_id) +
      " And " +
      FreeOrCovers("lngClassID1", "Class1", "lngClassID", "strClassCode", line.class1_id) +
      " And " +
      FreeOrCovers("lngClassID2", "Class2", "lngClassID", "strClassCode", line.class2_id) +
      " And (d.lngCustomerID=0 Or d.lngCustomerID=" + SqlNumber(line.unit_id) +
      ") And (d.lngEmployeeID=0 Or d.lngEmployeeID=" + SqlNumber(line.employee_id) +
      ") And (d.lngFieldID=0 Or Exists (Select 1 From FlexibleCheck fc,FlexibleFieldDetail f,"
      "FlexibleFieldDetail p Where fc.strFlexibleID=" +
      frame::SqlText(flexible) +
      " And f.lngFieldID=fc.lngFieldID And p.lngFieldID=d.lngFieldID And (f.lngFieldID="
      "p.lngFieldID Or (f.blnIsDetail=1 And f.strFieldCode Like p.strFieldCode||'-%'))))");
  std::vector<long> targets;
  for (; !rs.Eof(); rs.MoveNext())
    targets.push_back(static_cast<long>(rs[std::size_t{0}].AsLong()));
  return targets;
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

// The outlay budget rows a share of an item spent by a department executes. A department
// named by a row, a custom group or the responsible-department setting covers its
// sub-departments. A scheme with responsible departments matches a row through the setting
// only: its rows are the responsible departments'.
std::string OutlayRowsSql(const VoucherHeader& h, long item, long department) {
  const std::string i = SqlNumber(item);
  const std::string d = SqlNumber(department);
  auto dept_covers = [&](const std::string& named) {
    return Covers(named, "Department", "lngDepartmentID", "strDepartmentCode", department);
  };
  return "Select obb.lngOutlayBudgetID,obb.bytPeriod,obb.lngOutlayID,obb.intCustom,"
         "obb.lngDepartmentID,obb.Intcustomdpt,ob.strOutlayBudgetCode,Bs.dblRate,Bs.blnIsPeriod,"
         "obb.dblAmount,obb.dblPayAmount,(Select strOutlayName From Outlay Where lngOutlayID="
         "Decode(obb.intCustom,1," +
         i +
         ",obb.lngOutlayID)) As strOutlayName,(Select strDepartmentName From Department Where "
         "lngDepartmentID=Decode(obb.Intcustomdpt,1," +
         d +
         ",obb.lngDepartmentID)) As strDepartmentName From outlaybudgetblance obb,outlaybudget "
         "ob,budgetscheme Bs Where obb.lngOutlayBudgetID=ob.lngOutlayBudgetID And "
         "ob.lngBudgetSchemeID=Bs.lngBudgetSchemeID And Bs.blnisinactive=0 And Bs.blnishospital=0"
         " And Bs.INTAUTOREMIND = 1 And Bs.dblRate>0 And ob.bytapprove = 1 And obb.dblAmount<>0 "
         "And ob.intYear=" +
         SqlNumber(h.year) + " And ob.lngOrganizationID=" + SqlNumber(frame::OrganizationId()) +
         " And ((Bs.blnIsPeriod=1 And obb.bytPeriod=" + SqlNumber(h.period) +
         ") Or (Bs.blnIsPeriod=0 And obb.bytPeriod=0)) And ((obb.intCustom=-1 And "
         "obb.lngOutlayID=" +
         i +
         ") Or (obb.intCustom=1 And Exists (Select 1 From custombudgetitemitem g Where "
         "g.lngCustomID=obb.lngOutlayID And g.lngOutlayID=" +
         i +
         "))) And ((Not Exists (Select 1 From budgetdepartment bd Where "
         "bd.lngBudgetSchemeID=Bs.lngBudgetSchemeID) And ((obb.Intcustomdpt=-1 And " +
         dept_covers("obb.lngDepartmentID") +
         ") Or (obb.Intcustomdpt=1 And Exists (Select 1 From custombudgetdptdetail g Where "
         "g.lngCustomID=obb.lngDepartmentID And " +
         dept_covers("g.lngDepartmentID") +
         ")))) Or (obb.Intcustomdpt=-1 And Exists (Select 1 From budgetdepartment bd,budgetitem "
         "bi,outlaydepartment od Where bd.lngBudgetSchemeID=Bs.lngBudgetSchemeID And "
         "bd.lngDepartmentID=obb.lngDepartmentID And bi.lngBudgetDepartmentID="
         "bd.lngBudgetDepartmentID And bi.lngOutlayID=" +
         i + " And od.lngBudgetDepartmentID=bd.lngBudgetDepartmentID And " +
         dept_covers("od.lngDepartmentID") + ")))";
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
  if (lines.empty()) return std::string();
  // A stored voucher is in the booked amounts already: its stored lines count negatively.
  std::vector<VoucherLine> stored;
  if (header.voucher_id != 0) {
    host::Recordset rs = data.OpenRecordset(
        "Select lngAccountID,lngDepartmentID,lngCustomerID,lngClassID1,lngEmployeeID,lngClassID2,"
        "intDirection,dblAmount,strFlexibleId From VoucherDetail Where lngVoucherID=" +
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
      line.flexible_id = rs[std::size_t{8}].AsText();
      stored.push_back(line);
    }
  }
  std::vector<const VoucherLine*> counted = lines;
  for (const VoucherLine& line : stored) counted.push_back(&line);
  std::map<long, Sums> by_target;
  for (const VoucherLine* line : counted) {
    for (long target : TargetsOf(*line)) {
      by_target[target].debit += line->debit;
      by_target[target].credit += line->credit;
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
  // Several shares may execute one budget row (a group, a parent or a responsible department):
  // the row is reported once with their sum, in the order first reached.
  struct Row {
    std::string entry_head;  // department and item, as first matched
    std::string code;
    bool period = false;
    double budget = 0, paid = 0, rate = 0, amount = 0;
  };
  std::vector<Row> rows;
  std::map<std::vector<long>, std::size_t> seen;
  for (const auto& [key, amount] : shares) {
    host::Recordset rs = frame::Data().OpenRecordset(OutlayRowsSql(header, key.first, key.second));
    for (; !rs.Eof(); rs.MoveNext()) {
      std::vector<long> id;
      for (std::size_t c = 0; c < 6; ++c) id.push_back(static_cast<long>(rs[c].AsLong()));
      auto [at, added] = seen.emplace(id, rows.size());
      if (added) {
        rows.push_back({texts::kOutlayDepartment + rs["strDepartmentName"].AsText() +
                            texts::kOutlayItem + rs["strOutlayName"].AsText(),
                        rs["strOutlayBudgetCode"].AsText(), rs["blnIsPeriod"].AsLong() == 1,
                        rs["dblAmount"].AsDouble(), rs["dblPayAmount"].AsDouble(),
                        rs["dblRate"].AsDouble(), 0});
      }
      rows[at->second].amount += amount;
    }
  }
  const int decimals = frame::Context().AmountDecimals();
  std::vector<std::string> over;
  std::vector<std::string> reached;
  for (const Row& row : rows) {
    const double executed = RoundTo(row.paid + row.amount, decimals);
    const std::string entry = row.entry_head +
                              (row.period ? texts::kOutlayPeriod : texts::kOutlayYear) +
                              texts::kOutlayExecuted + FormatFixed(executed, decimals) +
                              texts::kOutlayThis + FormatFixed(row.amount, decimals);
    if (RoundTo(executed - row.budget, decimals) > 0) {
      over.push_back(entry + texts::kOutlayOver + row.code + texts::kOutlayOverEnd +
                     FormatFixed(row.budget, decimals) + texts::kOutlayYuanEnd);
    } else if (RoundTo(executed / row.budget * 100, 2) >= row.rate) {
      reached.push_back(entry + texts::kOutlayReached + row.code + texts::kOutlayReachedEnd +
                        FormatFixed(row.rate, 2) + texts::kOutlayPercentEnd);
    }
  }
  std::string out;
  AppendKind(out, over);
  AppendKind(out, reached);
  return out;
}

}  // namespace lumvoucher::voucher
