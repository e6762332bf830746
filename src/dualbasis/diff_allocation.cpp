#include "dualbasis/diff_allocation.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <map>

#include "dualbasis/diff_texts.h"
#include "dualbasis/frm_diff_item.h"
#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "host/data_access.h"
#include "host/decimal_text.h"
#include "host/message_box.h"
#include "host/recordset.h"

namespace lumvoucher::dualbasis {

namespace {

using frame::SqlNumber;
namespace texts = diff_texts;

constexpr double kEpsilon = 1e-9;

std::string LinesOf(const char* lines, const char* accounts, long voucher_id, int type_a,
                    int type_b) {
  return std::string(
             "Select vd.lngvoucherdetailid,vd.strremark,a.strAccountCode||' '||a.strAccountName "
             "As strAccount,vd.dblamount,a.lngaccounttypeid,vdi.dblAmount As "
             "dblDiffAmount,vd.intdirection,di.strDiffItemCode||' '||di.strDiffItemName As "
             "strdiff,vdi.lngDiffItemID,a.strAccountCode From ") +
         lines + " vd," + accounts +
         " a,VoucherDiffItem vdi,DiffItem di Where vd.lngAccountID=a.lngAccountID And "
         "vd.lngVoucherDetailID=vdi.lngVoucherDetailID(+) And "
         "vdi.lngDiffItemID=di.lngDiffItemID(+) And vd.lngVoucherID=" +
         SqlNumber(voucher_id) + " And (a.lngAccountTypeID=" + SqlNumber(type_a) +
         " Or a.lngAccountTypeID=" + SqlNumber(type_b) + ")";
}

// As the system does it: through the number's decimal text (15 significant digits) and back.
double Normalise(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", value);
  return std::strtod(text, nullptr);
}

// Net amounts per type: revenue is credit - debit, expense debit - credit.
struct TypeSums {
  double debit = 0;
  double credit = 0;
  double allocated = 0;
};

}  // namespace

std::string DiffLinesSql(long financial_id, long budget_id) {
  return LinesOf("VoucherDetail", "Account", financial_id, 4, 5) + " Union All " +
         LinesOf("BudgetVoucherDetail", "BudgetAccount", budget_id, 1, 2);
}

std::vector<DiffLine> ReadDiffLines(long financial_id, long budget_id) {
  std::vector<DiffLine> lines;
  host::Recordset rs = frame::Data().OpenRecordset(DiffLinesSql(financial_id, budget_id));
  for (; !rs.Eof(); rs.MoveNext()) {
    DiffLine line;
    line.line_id = rs["lngvoucherdetailid"].AsLong();
    line.remark = rs["strremark"].AsText();
    line.account = rs["strAccount"].AsText();
    line.account_code = rs["strAccountCode"].AsText();
    line.amount = rs["dblamount"].AsDouble();
    line.account_type = static_cast<int>(rs["lngaccounttypeid"].AsLong());
    line.direction = static_cast<int>(rs["intdirection"].AsLong());
    line.allocated = rs["dblDiffAmount"].AsDouble();
    line.item_id = rs["lngDiffItemID"].AsLong();
    if (line.item_id != 0) line.item = rs["strdiff"].AsText();
    lines.push_back(std::move(line));
  }
  return lines;
}

SideDifference Orient(double x, double y, double a_financial, double a_budget) {
  const SideDifference financial_minus_budget{x - y, a_financial - a_budget};
  const SideDifference budget_minus_financial{y - x, a_budget - a_financial};
  if (x > 0) return (y <= 0 || x > y) ? financial_minus_budget : budget_minus_financial;
  if (x < 0) {
    if (y == 0) return financial_minus_budget;
    if (y < 0) return x < y ? financial_minus_budget : budget_minus_financial;
  }
  return budget_minus_financial;  // x = 0, or x < 0 and y > 0
}

bool PairDifference::None() const {
  return std::fabs(expense.difference) < kEpsilon && std::fabs(revenue.difference) < kEpsilon;
}

bool PairDifference::Complete() const {
  return expense.difference - expense.allocated < kEpsilon &&
         revenue.difference - revenue.allocated < kEpsilon;
}

PairDifference ComputeDifference(const std::vector<DiffLine>& lines) {
  std::map<int, TypeSums> sums;
  for (const DiffLine& line : lines) {
    TypeSums& s = sums[line.account_type];
    (line.direction == 1 ? s.debit : s.credit) += line.amount;
    s.allocated += line.allocated;
  }
  const double rf = sums[4].credit - sums[4].debit;
  const double rb = sums[1].credit - sums[1].debit;
  const double ef = sums[5].debit - sums[5].credit;
  const double eb = sums[2].debit - sums[2].credit;
  PairDifference d;
  d.revenue = Orient(rf, rb, sums[4].allocated, sums[1].allocated);
  d.expense = Orient(ef, eb, sums[5].allocated, sums[2].allocated);
  for (double* v :
       {&d.revenue.difference, &d.revenue.allocated, &d.expense.difference, &d.expense.allocated}) {
    *v = Normalise(*v);
  }
  return d;
}

bool DifferenceIsAllocated(long financial_id, long budget_id) {
  host::Recordset source = frame::Data().OpenRecordset(
      "Select lngVoucherSourceID From VoucherView Where lngVoucherSourceID =3 And (lngVoucherID=" +
      SqlNumber(financial_id) + " or lngVoucherID=" + SqlNumber(budget_id) + ")");
  if (!source.Empty()) return true;
  PairDifference d = ComputeDifference(ReadDiffLines(financial_id, budget_id));
  if (d.None()) {
    DeleteAllDiffItems(financial_id, budget_id, frame::OrganizationId());
    return true;
  }
  return d.Complete();
}

void DeleteAllDiffItems(long financial_id, long budget_id, long organization_id) {
  frame::Data().Execute(frame::FormatText(
      "Delete From VoucherDiffItem Where lngVoucherDetailID In(Select vd.lngVoucherDetailID "
      "From VoucherDetailView vd Where (vd.lngVoucherID ={1} or vd.lngVoucherID ={2}) And "
      "vd.lngOrganizationID = {3})",
      {"", SqlNumber(financial_id), SqlNumber(budget_id), SqlNumber(organization_id)}));
}

void DeleteStaleDiffItems(long financial_id, long budget_id) {
  host::DataAccess& data = frame::Data();
  // Most pairs have no allocation to lose: one read spares every save a write transaction.
  if (data.OpenRecordset("Select 1 From VoucherDiffItem Where lngVoucherDetailID In (Select "
                         "lngVoucherDetailID From VoucherDetailView Where lngVoucherID In (" +
                         SqlNumber(financial_id) + "," + SqlNumber(budget_id) + "))")
          .Empty()) {
    return;
  }
  host::TransactionGuard guard(data);
  data.Execute(
      "Delete From VoucherDiffItem Where lngVoucherDetailID In (Select vd.lngVoucherDetailID "
      "From VoucherDetail vd,Account a Where vd.lngVoucherID=" +
      SqlNumber(financial_id) +
      " And vd.lngAccountID = a.lngAccountID And a.lngAccountTypeID <>4 And a.lngAccountTypeID "
      "<>5)");
  data.Execute(
      "Delete From VoucherDiffItem Where lngVoucherDetailID In (Select vd.lngVoucherDetailID "
      "From BudgetVoucherDetail vd,BudgetAccount a Where vd.lngVoucherID=" +
      SqlNumber(budget_id) +
      " And vd.lngAccountID = a.lngAccountID And a.lngAccountTypeID <>1 And a.lngAccountTypeID "
      "<>2)");
  guard.Commit();
}

void AfterPairSave(long financial_id, long budget_id) {
  try {
    DeleteStaleDiffItems(financial_id, budget_id);
    // Read afresh before every test: another desktop may have changed them.
    const bool prompt = frame::IsTrueSetting(frame::ReadSetting("帐套属性", texts::kPromptKey));
    const bool mandatory =
        frame::IsTrueSetting(frame::ReadSetting("帐套属性", texts::kMandatoryKey));
    if (!prompt || DifferenceIsAllocated(financial_id, budget_id)) return;
    if (mandatory) {
      frame::Msg(texts::kMustAllocate, host::mb::kOkOnly + host::mb::kExclamation, texts::kTitle);
    } else if (frame::Msg(texts::kAskAllocate, host::mb::kYesNo + host::mb::kQuestion,
                          texts::kTitle) != host::mb::kYes) {
      return;
    }
    frmDiffItem editor;
    editor.EditCard(financial_id, budget_id);
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, texts::kTitle);
  }
}

bool DiffAllocationCommand(long financial_id, long budget_id,
                           const std::vector<GridLine>& financial_lines,
                           const std::vector<GridLine>& budget_lines) {
  try {
    auto net = [](const std::vector<GridLine>& grid, const char* sql, int revenue_type,
                  int expense_type, double& revenue, double& expense) {
      for (const GridLine& line : grid) {
        if (line.account_id == 0) continue;
        host::Recordset rs = frame::Data().OpenRecordset(sql + SqlNumber(line.account_id));
        const long type = rs.Empty() ? 0 : rs[0].AsLong();
        const double debit = line.direction == 1 ? line.amount : 0;
        const double credit = line.direction == 1 ? 0 : line.amount;
        if (type == revenue_type) revenue += credit - debit;
        if (type == expense_type) expense += debit - credit;
      }
    };
    double rf = 0, ef = 0, rb = 0, eb = 0;
    net(financial_lines, "select lngaccountTypeID from Account where lngaccountid =", 4, 5, rf, ef);
    net(budget_lines, "select lngaccountTypeID from budgetAccount where lngaccountid =", 1, 2, rb,
        eb);
    PairDifference d{Orient(rf, rb, 0, 0), Orient(ef, eb, 0, 0)};
    d.revenue.difference = Normalise(d.revenue.difference);
    d.expense.difference = Normalise(d.expense.difference);
    if (d.None()) {
      frame::Msg(texts::kNoDifference, host::mb::kOkOnly + host::mb::kInformation, texts::kTitle);
      return false;
    }
    frmDiffItem editor;
    return editor.EditCard(financial_id, budget_id);
  } catch (const std::exception& error) {
    frame::Msg(error.what(), host::mb::kCritical, texts::kTitle);
    return false;
  }
}

}  // namespace lumvoucher::dualbasis
