#include "dualbasis/parallel_templates.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "dualbasis/frm_select_std_voucher_tmp.h"
#include "dualbasis/parallel_texts.h"
#include "frame/id_list.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/voucher_lookup.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::dualbasis {
namespace {

bool Covers(std::string_view ancestor, std::string_view code) {
  return code == ancestor || (code.size() > ancestor.size() && code.starts_with(ancestor) &&
                              code[ancestor.size()] == '-');
}

// The rows a key's term holds for: ( 'code' like a.straccountcode || '-%' or 'code' =
// a.straccountcode) and sf.intdirection = direction. With the direction fixed a term asks the
// account alone, so each side's terms pick their accounts once from Account (a few hundred rows)
// into a list the template rows are looked up in. Tried on every template row instead, the
// terms' LIKEs took nine tenths of the matching's time with 5 000 templates. The rows are the
// same.
std::string KeyTerms(const std::vector<VoucherKey>& keys) {
  std::string terms;
  for (const int direction : {kDebitSide, kCreditSide}) {
    std::string accounts;
    for (const VoucherKey& key : keys) {
      if (key.direction != direction) continue;
      const std::string code = frame::SqlText(key.code);
      if (!accounts.empty()) accounts += " Or ";
      accounts += "(" + code + " like a.straccountcode || '-%' or " + code + " = a.straccountcode)";
    }
    if (accounts.empty()) continue;
    if (!terms.empty()) terms += " Or ";
    terms += "sf.lngAccountID In (select a.lngAccountID from account a where " + accounts +
             ") and sf.intdirection = " + frame::SqlNumber(direction);
  }
  return terms;
}

struct Candidate {
  std::string code;
  bool detail = true;
};

enum class Fit { kNone, kExact, kSuperset };

Fit Classify(const std::vector<Candidate>& rows, long total_rows,
             const std::vector<VoucherKey>& keys) {
  const bool any_parent =
      std::any_of(rows.begin(), rows.end(), [](const Candidate& c) { return !c.detail; });
  if (any_parent) {
    std::vector<std::string> left;
    for (const VoucherKey& key : keys) {
      if (std::find(left.begin(), left.end(), key.code) == left.end()) left.push_back(key.code);
    }
    for (const Candidate& row : rows) {
      if (left.empty()) return Fit::kSuperset;
      std::erase_if(left, [&](const std::string& code) { return Covers(row.code, code); });
    }
    if (!left.empty()) return Fit::kNone;
    // Rows of the template that match no key lie beyond the voucher.
    return static_cast<long>(rows.size()) < total_rows ? Fit::kSuperset : Fit::kExact;
  }
  const long k = static_cast<long>(keys.size());
  if (static_cast<long>(rows.size()) != k) return Fit::kNone;
  if (total_rows == k) return Fit::kExact;
  return total_rows > k ? Fit::kSuperset : Fit::kNone;
}

std::string Money(double amount) {
  return voucher::FormatFixed(amount, frame::Context().AmountDecimals());
}

// The budget rows of a template with the rules of each, expanded to sub-accounts and keyed
// "Acc_" account id "_" direction.
struct BudgetRow {
  long budget_row_id = 0;
  BudgetLine line;
  std::map<std::string, int> rules;  // key -> intOption
};

std::string RuleKey(long account_id, int direction) {
  return "Acc_" + std::to_string(account_id) + "_" + std::to_string(direction);
}

constexpr const char* kCashCodes[] = {"1001", "1002", "1011", "1021", "1201"};

bool IsCash(const std::string& code) {
  return std::any_of(std::begin(kCashCodes), std::end(kCashCodes),
                     [&](const char* cash) { return Covers(cash, code); });
}

void Balance(std::vector<BudgetLine>& lines, int decimals) {
  std::vector<BudgetLine*> empty;
  for (BudgetLine& line : lines) {
    if (line.debit == 0 && line.credit == 0) empty.push_back(&line);
  }
  if (empty.size() != 1) return;
  double debit = 0;
  double credit = 0;
  for (const BudgetLine& line : lines) {
    debit += line.debit;
    credit += line.credit;
  }
  BudgetLine& line = *empty.front();
  const double amount = line.direction == kDebitSide ? credit - debit : debit - credit;
  line.SetAmount(voucher::RoundTo(amount, decimals));
  line.origin.parts = {texts::kOriginBalance};
}

void FundBalance(std::vector<BudgetLine>& lines, const std::vector<FinanceLine>& finance,
                 int decimals) {
  auto fund = std::find_if(lines.begin(), lines.end(), [](const BudgetLine& line) {
    return Covers("8001", line.account_code);
  });
  if (fund == lines.end()) return;
  double sum = 0;
  std::vector<std::string> parts = {texts::kOriginFund};
  for (const FinanceLine& line : finance) {
    if (line.Side() != fund->direction || !IsCash(line.account_code) || line.Amount() == 0) {
      continue;
    }
    sum += line.Amount();
    parts.push_back("+ " + line.account_code + " " + Money(line.Amount()));
  }
  sum = voucher::RoundTo(sum, decimals);
  if (sum == 0) return;
  fund->SetAmount(sum);
  fund->origin.parts = std::move(parts);
}

}  // namespace

std::vector<VoucherKey> VoucherKeys(const std::vector<FinanceLine>& lines) {
  std::vector<VoucherKey> keys;
  for (const FinanceLine& line : lines) {
    if (!line.HasAmount() || line.account_code.empty()) continue;
    VoucherKey key{line.account_code, line.Side()};
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(std::move(key));
  }
  return keys;
}

TemplateMatch MatchTemplates(const std::vector<VoucherKey>& keys) {
  TemplateMatch match;
  if (keys.empty()) return match;
  host::Recordset rs = frame::Data().OpenRecordset(
      "select sf.lngStdVoucherTmpID,sf.intDirection, a.strAccountCode,a.lngAccountID,"
      "a.blnIsDetail from stdvoucherTmp,stdvoucherfinance sf,account a where "
      "stdvoucherTmp.lngStdVoucherTmpID = sf.lngStdVoucherTmpID and sf.lngAccountID = "
      "a.lngAccountID and stdvoucherTmp.blnIsInActive = 0 and stdvoucherTmp.lngOrganizationID = " +
      frame::SqlNumber(frame::OrganizationId()) + " and (" + KeyTerms(keys) +
      ") order by sf.lngStdVoucherTmpID,sf.lngRowID");
  std::vector<std::pair<long, std::vector<Candidate>>> templates;
  for (; !rs.Eof(); rs.MoveNext()) {
    const long id = static_cast<long>(rs[std::size_t{0}].AsLong());
    if (templates.empty() || templates.back().first != id) templates.push_back({id, {}});
    templates.back().second.push_back({rs[2].AsText(), rs[4].AsBool()});
  }
  if (templates.empty()) return match;
  std::vector<std::string> ids;
  for (const auto& t : templates) ids.push_back(std::to_string(t.first));
  std::map<long, long> totals = TemplateRowCounts("stdvoucherfinance", ids);
  for (const auto& [id, rows] : templates) {
    switch (Classify(rows, totals[id], keys)) {
      case Fit::kExact:
        match.exact.push_back(id);
        break;
      case Fit::kSuperset:
        match.superset.push_back(id);
        break;
      case Fit::kNone:
        break;
    }
  }
  return match;
}

std::map<long, long> TemplateRowCounts(std::string_view table,
                                       const std::vector<std::string>& ids) {
  std::map<long, long> totals;
  host::Recordset rs = frame::Data().OpenRecordset(
      "select s.lngStdVoucherTmpID, Count(*) As intRows from " + std::string(table) + " s where " +
      frame::InCondition("s.lngStdVoucherTmpID", ids, frame::kRuleChunkSize) +
      " group by s.lngStdVoucherTmpID");
  for (; !rs.Eof(); rs.MoveNext()) {
    totals[static_cast<long>(rs[std::size_t{0}].AsLong())] = rs[1].AsLong();
  }
  return totals;
}

long ChooseTemplate(const TemplateMatch& match) {
  const std::vector<long>& list = match.exact.empty() ? match.superset : match.exact;
  if (list.empty()) return 0;
  if (list.size() == 1) return list.front();
  frmSelectStdVoucherTmp chooser;
  return chooser.SelectVoucher("lngStdVoucherTmpID In(" +
                               frame::JoinIds(std::vector<std::int64_t>(list.begin(), list.end())) +
                               ")");
}

std::vector<BudgetLine> GenerateBudgetLines(long template_id,
                                            const std::vector<FinanceLine>& lines) {
  const int decimals = frame::Context().AmountDecimals();
  const std::string tmp = frame::SqlNumber(template_id);
  host::Recordset rs = frame::Data().OpenRecordset(
      "select VoucherDetail.lngStdVoucherBudgetID,VoucherDetail.lngAccountID,"
      "VoucherDetail.intDirection,b.strAccountCode,b.strAccountName,"
      "stdVoucherTmp.strStdVoucherTmpCode,stdVoucherTmp.strStdVoucherTmpName,"
      "stdVoucherTmp.strBudgetRemark from stdVoucherBudget VoucherDetail,stdVoucherTmp,"
      "BudgetAccount b where VoucherDetail.lngStdVoucherTmpID = stdVoucherTmp.lngStdVoucherTmpID "
      "and VoucherDetail.lngAccountID = b.lngAccountID(+) and stdVoucherTmp.lngStdVoucherTmpID = " +
      tmp + " and stdVoucherTmp.lngOrganizationID = " + frame::SqlNumber(frame::OrganizationId()) +
      " ORDER BY VoucherDetail.intDirection desc,lngRowID ASC");
  std::vector<BudgetRow> rows;
  for (; !rs.Eof(); rs.MoveNext()) {
    if (rs[3].IsNull()) {
      frame::Msg(std::string(texts::kTemplateAccountGone) + rs[5].AsText() + "”",
                 host::mb::kExclamation, texts::kTitleInformation);
      return {};
    }
    BudgetRow row;
    row.budget_row_id = static_cast<long>(rs[std::size_t{0}].AsLong());
    BudgetLine& line = row.line;
    line.account_id = static_cast<long>(rs[1].AsLong());
    line.direction = rs[2].AsLong() == kCreditSide ? kCreditSide : kDebitSide;
    line.account_code = rs[3].AsText();
    line.account_name = rs[4].AsText();
    line.origin.template_code = rs[5].AsText();
    line.origin.template_name = rs[6].AsText();
    line.remark = rs[7].AsText() == " " ? "" : rs[7].AsText();
    rows.push_back(std::move(row));
  }
  host::Recordset rules = frame::Data().OpenRecordset(
      "select  svbr.lngstdvoucherbudgetruleid,svbr.lngstdvoucherbudgetid,ad.lngaccountid,"
      "svbr.intdirection,svbr.intoption from stdVoucherBudgetRule svbr,stdVoucherBudget sb,"
      "account a,account ad where svbr.lngStdVoucherBudgetID = sb.lngStdVoucherBudgetID and "
      "sb.lngStdVoucherTmpID = " +
      tmp +
      " and svbr.lngAccountID = a.lngAccountID and (ad.strAccountCode = a.strAccountCode or "
      "ad.strAccountCode like a.strAccountCode || '-%') order by svbr.lngstdvoucherbudgetruleid");
  for (; !rules.Eof(); rules.MoveNext()) {
    const long budget_row = static_cast<long>(rules[1].AsLong());
    for (BudgetRow& row : rows) {
      if (row.budget_row_id != budget_row) continue;
      row.rules[RuleKey(static_cast<long>(rules[2].AsLong()),
                        static_cast<int>(rules[3].AsLong()))] = static_cast<int>(rules[4].AsLong());
    }
  }
  std::vector<BudgetLine> out;
  for (BudgetRow& row : rows) {
    double amount = 0;
    double currency = 0;
    for (const FinanceLine& line : lines) {
      auto rule = row.rules.find(RuleKey(line.account_id, line.Side()));
      if (rule == row.rules.end() || !line.HasAmount()) continue;
      const double sign = rule->second == 1 ? 1 : -1;
      amount += sign * line.Amount();
      currency += sign * line.currency_amount;
      row.line.origin.parts.push_back(std::string(sign > 0 ? "+ " : "- ") +
                                      (line.Side() == kDebitSide ? "借 " : "贷 ") +
                                      line.account_code + " " + Money(line.Amount()));
    }
    row.line.SetAmount(voucher::RoundTo(amount, decimals));
    row.line.currency_amount = voucher::RoundTo(currency, decimals);
    out.push_back(std::move(row.line));
  }
  Balance(out, decimals);
  FundBalance(out, lines, decimals);
  ReadBudgetAccountFlags(out);
  return out;
}

void ReadBudgetAccountFlags(std::vector<BudgetLine>& lines) {
  std::vector<std::int64_t> ids;
  for (const BudgetLine& line : lines) ids.push_back(line.account_id);
  if (ids.empty()) return;
  std::map<long, BudgetAccountFlags> flags;
  std::map<long, std::pair<std::string, std::string>> names;
  const std::string columns =
      "Select lngAccountID,blnIsCustomer,blnIsDepartment,blnIsEmployee,blnIsClass1,blnIsClass2,"
      "blnUseFlexibleCheck,strAccountCode,strAccountName From ";
  for (const std::string& source : {"BudgetAccountEx Where lngOrganizationID = " +
                                        frame::SqlNumber(frame::OrganizationId()) + " And ",
                                    std::string("BudgetAccount Where ")}) {
    host::Recordset rs = frame::Data().OpenRecordset(
        columns + source + frame::InCondition("lngAccountID", ids, frame::kRuleChunkSize));
    for (; !rs.Eof(); rs.MoveNext()) {
      const long id = static_cast<long>(rs[std::size_t{0}].AsLong());
      if (flags.contains(id)) continue;  // the organisation's own row came first
      BudgetAccountFlags& f = flags[id];
      f.found = true;
      f.customer = rs[1].AsBool();
      f.department = rs[2].AsBool();
      f.employee = rs[3].AsBool();
      f.class1 = rs[4].AsBool();
      f.class2 = rs[5].AsBool();
      f.flexible = rs[6].AsBool();
      names[id] = {rs[7].AsText(), rs[8].AsText()};
    }
  }
  for (BudgetLine& line : lines) {
    line.flags = flags[line.account_id];
    if (!line.flags.found) continue;
    line.account_code = names[line.account_id].first;
    line.account_name = names[line.account_id].second;
    const frame::FlexibleItemUse use = frame::FlexibleUseOf(line.account_id);
    line.flags.flexible_item_use = use.AccountUseItem;
    line.flags.flexible_field_use = use.AccountUseField;
  }
}

std::optional<std::vector<BudgetLine>> ApplyTemplate(const std::vector<FinanceLine>& lines) {
  try {
    const long id = ChooseTemplate(MatchTemplates(VoucherKeys(lines)));
    if (id == 0) return std::nullopt;
    std::vector<BudgetLine> budget = GenerateBudgetLines(id, lines);
    if (budget.empty()) return std::nullopt;
    return budget;
  } catch (const host::DatabaseError& error) {
    frame::Msg(error.what(), host::mb::kCritical, texts::kTitleInformation);
    return std::nullopt;
  }
}

}  // namespace lumvoucher::dualbasis
