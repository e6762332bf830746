#include "voucher/line_info_panel.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/cls_account.h"
#include "voucher/line_rules.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::voucher {

namespace {

std::string N(long value) {
  return std::to_string(value);
}

void Piece(std::string& text, const char* label, const std::string& value) {
  if (!value.empty()) text += std::string("  ") + label + value;
}

}  // namespace

std::string BalanceSql(const std::string& account_code, const VoucherLine& line,
                       const BalanceOptions& options, const host::VoucherBasis& basis) {
  host::LoginContext& login = frame::Context();
  // Read from the account's own lines, each checked against its voucher by key: a join lets
  // the planner start from the organisation's vouchers instead, which grows with the year.
  std::string sql =
      "Select Sum(Case When d.intDirection = -1 Then 0 Else d.dblAmount End) As dblDebit, "
      "Sum(Case When d.intDirection = -1 Then d.dblAmount Else 0 End) As dblCredit "
      "From " +
      std::string(basis.detail_table) + " d Where d.lngAccountID In (Select a.lngAccountID From " +
      basis.account_table + " a Where a.strAccountCode = " + frame::SqlText(account_code) +
      " Or a.strAccountCode Like " + frame::SqlText(account_code + "-%") +
      ") And (Select Count(*) From " + basis.voucher_table +
      " v Where v.lngVoucherID = d.lngVoucherID And "
      "v.blnIsVoid = 0 And v.blnIsError = 0 And v.lngSourceOrganizationID = " +
      N(login.CurrentOrganization().id) + " And v.intYear = " + N(login.LoginYear()) +
      " And v.strDate <= " + frame::SqlText(login.LoginDate()) + ") = 1";
  if (options.unit && line.unit_id != 0) sql += " And d.lngCustomerID = " + N(line.unit_id);
  if (options.department && line.department_id != 0) {
    sql += " And d.lngDepartmentID = " + N(line.department_id);
  }
  if (options.employee && line.employee_id != 0) {
    sql += " And d.lngEmployeeID = " + N(line.employee_id);
  }
  if (options.class1 && line.class1_id != 0) sql += " And d.lngClassID1 = " + N(line.class1_id);
  if (options.class2 && line.class2_id != 0) sql += " And d.lngClassID2 = " + N(line.class2_id);
  return sql;
}

std::string LineInfoText(const VoucherLine& line, const PanelContext& context) {
  std::string text;
  Piece(text, texts::kInfoOrganization, line.organization_text);
  Piece(text, texts::kInfoUnit, line.unit_text);
  Piece(text, texts::kInfoDepartment, line.department_text);
  Piece(text, texts::kInfoEmployee, line.employee_text);
  Piece(text, (context.class1_name + "：").c_str(), line.class1_text);
  Piece(text, (context.class2_name + "：").c_str(), line.class2_text);
  if (line.price != 0) Piece(text, texts::kInfoPrice, FormatPlain(line.price));
  if (line.quantity != 0) Piece(text, texts::kInfoQuantity, FormatPlain(line.quantity));
  // Money leaves the bank on a credit line and comes in on a debit line.
  std::string method_label =
      std::string(line.direction == kCredit ? texts::kInfoPay : texts::kInfoReceive) +
      texts::kInfoMethod;
  Piece(text, method_label.c_str(), line.payment_method_text);

  std::optional<host::AccountInfo> account;
  if (frame::Login().account != nullptr && !line.account_text.empty()) {
    account = frame::Chart(*context.basis).AccountByCode(CodeOf(line.account_text));
  }
  bool current_account = account && (account->nature == host::account_nature::kReceivable ||
                                     account->nature == host::account_nature::kPayable);
  if (!current_account) {
    Piece(text, texts::kInfoCheckNumber, line.check_number);
    Piece(text, texts::kInfoCheckDate, line.check_date);
  } else {
    Piece(text, texts::kInfoReconciliation, line.check_number);
  }
  if (!line.cash_flow_code.empty()) text += texts::kInfoCashFlow + line.cash_flow_code;

  if (context.show_balance && account) {
    host::Recordset rs = frame::Data().OpenRecordset(
        BalanceSql(account->code, line, context.balance, *context.basis));
    double net = rs.Empty() ? 0 : rs["dblDebit"].AsDouble() - rs["dblCredit"].AsDouble();
    int decimals = frame::Context().AmountDecimals();
    net = RoundTo(net, decimals);
    bool debit_side = net > 0 || (net == 0 && account->direction != kCredit);
    text += std::string("  ") +
            (debit_side ? texts::kInfoDebitBalance : texts::kInfoCreditBalance) +
            FormatFixed(debit_side ? net : -net, 2, true);
  }
  return text;
}

}  // namespace lumvoucher::voucher
