#include "dualbasis/parallel_learning.h"

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

#include "dualbasis/frm_double_rule.h"
#include "dualbasis/parallel_templates.h"
#include "dualbasis/parallel_texts.h"
#include "frame/id_list.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "frame/work_tables.h"
#include "host/data_access.h"
#include "host/database_error.h"
#include "host/message_box.h"

namespace lumvoucher::dualbasis {
namespace {

using KeySet = std::set<std::pair<std::string, int>>;

KeySet SetOf(const std::vector<TemplateKey>& keys) {
  KeySet set;
  for (const TemplateKey& key : keys) set.emplace(key.code, key.direction);
  return set;
}

void AddKey(std::vector<TemplateKey>& keys, TemplateKey key) {
  if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(std::move(key));
}

// (code = ... and direction = ...) Or ... for the exact-equality matches.
std::string EqualTerms(const std::vector<TemplateKey>& keys, std::string_view code_column,
                       std::string_view direction_column) {
  std::string terms;
  for (const TemplateKey& key : keys) {
    if (!terms.empty()) terms += " Or ";
    terms += "(" + std::string(code_column) + " = " + frame::SqlText(key.code) + " and " +
             std::string(direction_column) + " = " + frame::SqlNumber(key.direction) + ")";
  }
  return terms;
}

// Ids whose rows are exactly `keys`: every key matched and no row beside them. `rows` holds
// (id, code, direction) of the matching rows, `totals` the row count per id.
std::vector<std::string> ExactIds(host::Recordset& rows, const std::map<long, long>& totals,
                                  const std::vector<TemplateKey>& keys) {
  std::map<long, KeySet> found;
  for (; !rows.Eof(); rows.MoveNext()) {
    found[static_cast<long>(rows[std::size_t{0}].AsLong())].emplace(
        rows[2].AsText(), static_cast<int>(rows[1].AsLong()));
  }
  const KeySet wanted = SetOf(keys);
  std::vector<std::string> ids;
  for (const auto& [id, set] : found) {
    auto total = totals.find(id);
    if (set == wanted && total != totals.end() && total->second == static_cast<long>(keys.size())) {
      ids.push_back(std::to_string(id));
    }
  }
  return ids;
}

bool HasSide(const std::vector<TemplateKey>& keys, int side) {
  return std::any_of(keys.begin(), keys.end(),
                     [&](const TemplateKey& k) { return k.direction == side; });
}

bool BothSides(const std::vector<TemplateKey>& keys) {
  return HasSide(keys, kDebitSide) && HasSide(keys, kCreditSide);
}

// The side checks of a template, in the system's order; nullptr when both sides are whole.
const char* SideRefusal(const std::vector<TemplateKey>& finance,
                        const std::vector<TemplateKey>& budget) {
  if (!HasSide(finance, kDebitSide)) return texts::kFinanceDebitEmpty;
  if (!HasSide(finance, kCreditSide)) return texts::kFinanceCreditEmpty;
  if (!HasSide(budget, kDebitSide)) return texts::kBudgetDebitEmpty;
  if (!HasSide(budget, kCreditSide)) return texts::kBudgetCreditEmpty;
  return nullptr;
}

void WriteSide(std::string_view table, long template_id, const std::vector<TemplateKey>& keys) {
  host::DataAccess& data = frame::Data();
  const std::string id = frame::SqlNumber(template_id);
  const std::string org = frame::SqlNumber(frame::OrganizationId());
  data.Execute("Delete From " + std::string(table) + " Where  " + std::string(table) +
               ".lngStdVoucherTmpID =  " + id);
  long row = 0;
  for (const TemplateKey& key : keys) {
    data.Execute("Insert Into " + std::string(table) + " Values(" +
                 frame::SqlNumber(frame::Context().NextId(table)) + "," + id + "," +
                 frame::SqlNumber(++row) + "," + frame::SqlNumber(key.account_id) + "," +
                 frame::SqlNumber(key.direction) + "," + org + ")");
  }
}

std::string FirstRemark(const std::vector<BudgetLine>& budget) {
  for (const BudgetLine& line : budget) {
    if (!line.remark.empty()) return line.remark;
  }
  return "";
}

void ShowError(const host::DatabaseError& error, const char* title) {
  frame::Msg(error.what(), host::mb::kCritical, title);
}

}  // namespace

std::vector<TemplateKey> FinanceKeys(const std::vector<FinanceLine>& lines) {
  std::vector<TemplateKey> keys;
  for (const FinanceLine& line : lines) {
    if (line.HasAmount() && line.account_id != 0) {
      AddKey(keys, {line.account_id, line.account_code, line.Side()});
    }
  }
  return keys;
}

std::vector<TemplateKey> BudgetKeys(const std::vector<BudgetLine>& lines) {
  std::vector<TemplateKey> keys;
  for (const BudgetLine& line : lines) {
    if ((line.debit != 0 || line.credit != 0) && line.account_id != 0) {
      AddKey(keys, {line.account_id, line.account_code, line.direction});
    }
  }
  return keys;
}

long FindFittingTemplate(const std::vector<TemplateKey>& finance,
                         const std::vector<TemplateKey>& budget) {
  if (finance.empty() || budget.empty()) return 0;
  host::Recordset rs = frame::Data().OpenRecordset(
      "select sf.lngStdVoucherTmpID,sf.intDirection, a.strAccountCode from stdvoucherTmp,"
      "stdvoucherfinance sf,account a where stdvoucherTmp.lngStdVoucherTmpID = "
      "sf.lngStdVoucherTmpID and sf.lngAccountID = a.lngAccountID and "
      "stdvoucherTmp.lngOrganizationID = " +
      frame::SqlNumber(frame::OrganizationId()) + " and (" +
      EqualTerms(finance, "a.strAccountCode", "sf.intdirection") +
      ") order by sf.lngStdVoucherTmpID");
  std::vector<std::string> ids;
  for (; !rs.Eof(); rs.MoveNext()) ids.push_back(rs[std::size_t{0}].AsText());
  if (ids.empty()) return 0;
  rs.MoveFirst();
  ids = ExactIds(rs, TemplateRowCounts("stdvoucherfinance", ids), finance);
  if (ids.empty()) return 0;
  host::Recordset budget_rows = frame::Data().OpenRecordset(
      "select sb.lngStdVoucherTmpID,sb.intDirection, b.strAccountCode from stdvoucherBudget sb,"
      "budgetaccount b where sb.lngAccountID = b.lngAccountID and " +
      frame::InCondition("sb.lngStdVoucherTmpID", ids, frame::kRuleChunkSize) + " and (" +
      EqualTerms(budget, "b.strAccountCode", "sb.intdirection") + ")");
  ids = ExactIds(budget_rows, TemplateRowCounts("stdvoucherBudget", ids), budget);
  return ids.empty() ? 0 : std::stol(ids.front());
}

long WriteTemplate(const std::string& code, const std::string& name, int source,
                   const std::string& budget_remark, const std::vector<TemplateKey>& finance,
                   const std::vector<TemplateKey>& budget) {
  if (SideRefusal(finance, budget)) throw std::invalid_argument(SideRefusal(finance, budget));
  host::DataAccess& data = frame::Data();
  host::TransactionGuard guard(data);
  const long id = frame::Context().NextId("stdVoucherTmp");
  data.Execute(
      "Insert into stdvouchertmp(lngstdvouchertmpid,strstdvouchertmpcode,strstdvouchertmpname,"
      "lngdatasourceid,lngorganizationid,blnisinactive,strbudgetremark) values(" +
      frame::SqlNumber(id) + "," + frame::SqlText(code) + "," + frame::SqlText(name) + "," +
      frame::SqlNumber(source) + "," + frame::SqlNumber(frame::OrganizationId()) + ",0," +
      frame::SqlText(budget_remark.empty() ? " " : budget_remark) + ")");
  WriteSide("StdVoucherFinance", id, finance);
  WriteSide("StdVoucherBudget", id, budget);
  guard.Commit();
  return id;
}

long CreateTemplateFromPair(const std::vector<FinanceLine>& finance,
                            const std::vector<BudgetLine>& budget) {
  const std::vector<TemplateKey> finance_keys = FinanceKeys(finance);
  const std::vector<TemplateKey> budget_keys = BudgetKeys(budget);
  if (finance_keys.empty() || budget_keys.empty()) return 0;
  frmDoubleRule dialog;
  const frmDoubleRule::Result answer = dialog.ShowMe();
  if (!answer.ok) return 0;
  try {
    if (FindFittingTemplate(finance_keys, budget_keys) != 0) return 0;
    if (const char* refusal = SideRefusal(finance_keys, budget_keys)) {
      frame::Msg(refusal, host::mb::kInformation, texts::kTitleInformation);
      return 0;
    }
    return WriteTemplate(answer.code, answer.name, 1, FirstRemark(budget), finance_keys,
                         budget_keys);
  } catch (const host::DatabaseError& error) {
    ShowError(error, texts::kTitleInformation);
    return 0;
  }
}

long LearnTemplate(long voucher_id, const std::vector<FinanceLine>& finance,
                   const std::vector<BudgetLine>& budget) {
  const std::vector<TemplateKey> finance_keys = FinanceKeys(finance);
  const std::vector<TemplateKey> budget_keys = BudgetKeys(budget);
  if (finance_keys.empty() || budget_keys.empty() || !BothSides(finance_keys) ||
      !BothSides(budget_keys)) {
    return 0;
  }
  host::DataAccess& data = frame::Data();
  const std::string org = frame::SqlNumber(frame::OrganizationId());
  std::size_t earlier = 0;
  try {
    if (FindFittingTemplate(finance_keys, budget_keys) != 0) return 0;
    host::Recordset rs = data.OpenRecordset(
        "select Distinct vd.lngVoucherID,vd.intDirection, a.strAccountCode,a.lngAccountID from "
        "Voucher v,VoucherDetail vd,account a where v.lngVoucherID = vd.lngVoucherID and "
        "vd.lngAccountID = a.lngAccountID and v.blnisVoid = 0 and v.lngSourceOrganizationID = " +
        org + " and v.lngVoucherID <> " + frame::SqlNumber(voucher_id) + " and (" +
        EqualTerms(finance_keys, "a.strAccountCode", "vd.intDirection") + ")");
    std::map<long, KeySet> matching;
    for (; !rs.Eof(); rs.MoveNext()) {
      matching[static_cast<long>(rs[std::size_t{0}].AsLong())].emplace(
          rs[2].AsText(), static_cast<int>(rs[1].AsLong()));
    }
    std::vector<std::string> same;
    for (const auto& [id, keys] : matching) {
      if (keys.size() == finance_keys.size()) same.push_back(std::to_string(id));
    }
    if (same.empty()) return 0;
    // Keys in all: a voucher with a line beside the matching keys has another key set.
    host::Recordset all = data.OpenRecordset(
        "select vd.lngVoucherID, Count(Distinct a.strAccountCode || '/' || vd.intDirection) As "
        "intKeys from VoucherDetail vd,account a where vd.lngAccountID = a.lngAccountID and " +
        frame::InCondition("vd.lngVoucherID", same, frame::kRuleChunkSize) +
        " group by vd.lngVoucherID");
    std::vector<std::string> exact;
    for (; !all.Eof(); all.MoveNext()) {
      if (all[1].AsLong() == static_cast<long>(finance_keys.size())) {
        exact.push_back(all[std::size_t{0}].AsText());
      }
    }
    if (exact.empty()) return 0;
    frame::EnsureStdFinaceTmp();
    host::TransactionGuard scratch(data);
    const std::string list =
        data.OpenRecordset("Select StdFinaceTmp_SEQ.nextval From dual")[std::size_t{0}].AsText();
    for (const std::string& id : exact) {
      data.Execute("Insert InTo StdFinaceTmp(lngStdFinaceTmpID,lngVoucherID) values(" + list + "," +
                   id + ")");
    }
    host::Recordset partners = data.OpenRecordset(
        "select Distinct t.lngVoucherID,bd.intDirection,b.strAccountCode from StdFinaceTmp t,"
        "BudgetVoucherRelevance r,BudgetVoucher bv,BudgetVoucherDetail bd,BudgetAccount b where "
        "t.lngStdFinaceTmpID = " +
        list +
        " and r.lngVoucherID = t.lngVoucherID and r.blnIsVoid = 0 and r.lngBudgetVoucherID = "
        "bv.lngVoucherID and bv.blnIsVoid = 0 and bd.lngVoucherID = bv.lngVoucherID and "
        "bd.lngAccountID = b.lngAccountID");
    std::map<long, KeySet> partner_keys;
    for (; !partners.Eof(); partners.MoveNext()) {
      partner_keys[static_cast<long>(partners[std::size_t{0}].AsLong())].emplace(
          partners[2].AsText(), static_cast<int>(partners[1].AsLong()));
    }
    const KeySet wanted = SetOf(budget_keys);
    earlier =
        static_cast<std::size_t>(std::count_if(partner_keys.begin(), partner_keys.end(),
                                               [&](const auto& p) { return p.second == wanted; }));
    data.Execute("delete from stdFinaceTmp Where lngstdFinaceTmpID =  " + list);
    scratch.Commit();
  } catch (const host::DatabaseError& error) {
    ShowError(error, texts::kTitleLearn);
    return 0;
  }
  if (earlier == 0) return 0;
  if (frame::Msg(texts::kLearnHead + std::to_string(earlier + 1) + texts::kLearnTail,
                 host::mb::kYesNo + host::mb::kInformation, texts::kTitleLearn) != host::mb::kYes) {
    return 0;
  }
  try {
    host::TransactionGuard guard(data);
    host::Recordset counter = data.OpenRecordset(
        "SELECT T.lngMaxCodeSerialNo,T.lngstdVoucherTmpNumID  FROM stdVoucherTmpNum T Where "
        "T.strCodeRule = ' ' And T.lngOrganizationID = " +
        org);
    const long serial =
        counter.Empty() ? 1 : static_cast<long>(counter[std::size_t{0}].AsLong()) + 1;
    if (counter.Empty()) {
      data.Execute(
          "Insert Into stdVoucherTmpNum(lngStdVoucherTmpNumID,strDate,strCodeRule,"
          "lngMaxCodeSerialNo,lngOrganizationID) values(stdVoucherTmpNum_SEQ.Nextval," +
          frame::SqlText(frame::Context().LoginDate()) + ",' ',1," + org + ")");
    } else {
      data.Execute("Update stdVoucherTmpNum Set lngMaxCodeSerialNo = " + frame::SqlNumber(serial) +
                   " Where lngstdVoucherTmpNumID = " + counter[1].AsText());
    }
    const std::string code = "XX" + frame::ZeroPad(serial, 6);
    if (!data.OpenRecordset("Select * from StdVoucherTmp Where strStdVouchertmpCode = " +
                            frame::SqlText(code) + " And lngOrganizationID = " + org)
             .Empty()) {
      guard.Commit();  // the serial moves on, so the next learning tries the next code
      frame::Msg(texts::kLearnCodeHead + code + texts::kLearnCodeTail, host::mb::kInformation,
                 texts::kTitleLearn);
      return 0;
    }
    // A learned template is named after what the budget lines say, cut to the name's length.
    std::string name = FirstRemark(budget);
    if (name.empty()) name = code;
    name = frame::StrLeft(name, 80);
    const long id = WriteTemplate(code, name, 2, FirstRemark(budget), finance_keys, budget_keys);
    guard.Commit();
    return id;
  } catch (const host::DatabaseError& error) {
    ShowError(error, texts::kTitleLearn);
    return 0;
  }
}

int LearnAccountCorrespondence(const std::vector<FinanceLine>& finance,
                               const std::vector<BudgetLine>& budget) {
  auto first = std::find_if(budget.begin(), budget.end(),
                            [](const BudgetLine& line) { return line.debit != 0; });
  if (first == budget.end()) return 0;
  host::DataAccess& data = frame::Data();
  const std::string org = frame::SqlNumber(frame::OrganizationId());
  int added = 0;
  try {
    host::TransactionGuard guard(data);
    std::set<long> seen;
    for (const FinanceLine& line : finance) {
      if (line.debit == 0 || line.account_id == 0 || !seen.insert(line.account_id).second) {
        continue;
      }
      const std::string account = frame::SqlNumber(line.account_id);
      if (!data.OpenRecordset("Select 1 From BudgetAccountAccount Where lngAccountID = " + account +
                              " And lngOrganizationID = " + org)
               .Empty()) {
        continue;
      }
      data.Execute("Insert Into BudgetAccountAccount Values(BudgetAccountAccount_SEQ.Nextval," +
                   account + ",3," + frame::SqlNumber(first->account_id) + ",3,0,0,0,0,0,' '," +
                   org + ")");
      ++added;
    }
    guard.Commit();
  } catch (const host::DatabaseError& error) {
    ShowError(error, texts::kTitleLearn);
    return 0;
  }
  return added;
}

}  // namespace lumvoucher::dualbasis
