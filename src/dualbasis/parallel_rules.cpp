#include "dualbasis/parallel_rules.h"

#include <set>
#include <utility>

#include "dualbasis/parallel_texts.h"
#include "frame/id_list.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/message_box.h"

namespace lumvoucher::dualbasis {
namespace {

void Append(std::string& list, std::string_view separator, const std::string& item) {
  if (!list.empty()) list += separator;
  list += item;
}

bool RuleMatches(const FinaceAccountCond& cond, int rule_type) {
  // Without a debit line no rule can cover one.
  if (cond.debit_cond.empty() || cond.credit_cond.empty()) return false;
  const std::string type = frame::SqlNumber(rule_type);
  host::Recordset found = frame::Data().OpenRecordset(
      "Select Distinct s.lngVoucherAccountRuleID From VoucherAccountRule r,"
      "VoucherAccountRuleDetail s,Account a Where r.lngVoucherAccountRuleID = "
      "s.lngVoucherAccountRuleID And s.lngAccountID = a.lngAccountID And r.bytruletype = " +
      type + " And s.bytdirection = 0 And (" + cond.debit_cond +
      ") Order By s.lngVoucherAccountRuleID");
  if (found.Empty()) return false;
  std::string ids;
  for (; !found.Eof(); found.MoveNext()) Append(ids, ",", found[0].AsText());
  host::Recordset credit = frame::Data().OpenRecordset(
      "Select s.lngVoucherAccountRuleID From VoucherAccountRule r,VoucherAccountRuleDetail s,"
      "Account a Where r.lngVoucherAccountRuleID = s.lngVoucherAccountRuleID And s.lngAccountID "
      "= a.lngAccountID And r.bytruletype = " +
      type + " And s.bytdirection = 1 And (" + cond.credit_cond + ") And " +
      frame::RuleInList("s.lngVoucherAccountRuleID", ids));
  return !credit.Empty();
}

int AskRed(const char* text) {
  return frame::Msg(text, texts::kRedQuestionFlags, texts::kTitleImportant);
}

}  // namespace

FinaceAccountCond GetFinaceAccountCond(const std::vector<FinanceLine>& lines) {
  FinaceAccountCond cond;
  std::set<std::pair<std::string, int>> seen;
  for (const FinanceLine& line : lines) {
    if (!line.HasAmount() || line.account_code.empty()) continue;
    if (!seen.emplace(line.account_code, line.Side()).second) continue;
    const std::string code = frame::SqlText(line.account_code);
    const std::string term =
        "( " + code + " like a.straccountcode || '-%' or " + code + " = a.straccountcode )";
    const bool debit = line.Side() == kDebitSide;
    Append(debit ? cond.debit_cond : cond.credit_cond, " Or ", term);
    Append(debit ? cond.debit_codes : cond.credit_codes, ",", code);
  }
  return cond;
}

bool CheckProhibitRule(const FinaceAccountCond& cond) {
  return RuleMatches(cond, 1);
}

bool CheckMustPosRule(const FinaceAccountCond& cond) {
  return RuleMatches(cond, 0);
}

bool CheckMustAccount(const FinaceAccountCond& cond) {
  std::string codes;
  if (!cond.debit_codes.empty()) codes = frame::RuleInList("a.strAccountCode", cond.debit_codes);
  if (!cond.credit_codes.empty()) {
    Append(codes, " Or ", frame::RuleInList("a.strAccountCode", cond.credit_codes));
  }
  if (codes.empty()) return false;
  return !frame::Data()
              .OpenRecordset("select 1 From Account A Where a.bytmustbudgetvoucher = 1  And (" +
                             codes + ")")
              .Empty();
}

bool ConfirmFinanceObligations(const std::vector<FinanceLine>& lines, bool budget_has_lines,
                               bool asks_for_budget) {
  const FinaceAccountCond cond = GetFinaceAccountCond(lines);
  if (budget_has_lines) {
    return !CheckProhibitRule(cond) || AskRed(texts::kProhibitSaveQuestion) == host::mb::kYes;
  }
  if (!asks_for_budget || CheckProhibitRule(cond)) return true;
  if (CheckMustPosRule(cond)) return AskRed(texts::kMustRuleQuestion) != host::mb::kYes;
  if (CheckMustAccount(cond)) return AskRed(texts::kMustAccountQuestion) != host::mb::kYes;
  return true;
}

bool ConfirmBudgetObligations(const std::vector<FinanceLine>& finance_lines) {
  return !CheckProhibitRule(GetFinaceAccountCond(finance_lines)) ||
         AskRed(texts::kProhibitSaveQuestion) == host::mb::kYes;
}

bool MayCreateBudgetVoucher(const std::vector<FinanceLine>& lines) {
  if (!CheckProhibitRule(GetFinaceAccountCond(lines))) return true;
  frame::Msg(texts::kProhibitCreate,
             host::mb::kCritical + host::mb::kTaskModal + host::mb::kRedText, texts::kTitleFill);
  return false;
}

}  // namespace lumvoucher::dualbasis
