#include "links/frm_contract_settlement.h"

#include <cmath>
#include <optional>

#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "host/calendar_date.h"
#include "host/data_access.h"
#include "host/database_error.h"
#include "host/decimal_text.h"
#include "host/message_box.h"
#include "links/contract_texts.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::links {

namespace {

constexpr int kStop = host::mb::kExclamation;
constexpr int kAsk = host::mb::kYesNo + host::mb::kQuestion;

std::string N(long value) {
  return std::to_string(value);
}

std::string Row(std::size_t index) {
  return std::string(texts::kRow) + std::to_string(index + 1);
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The id of a code among what a chooser offers (0 when the code is blank, nullopt when it is not
// offered: unknown, inactive or not a leaf).
std::optional<long> IdOfCode(const std::vector<ContractChoice>& choices, const std::string& code) {
  if (Trim(code).empty()) return 0L;
  for (const ContractChoice& c : choices) {
    if (c.code == Trim(code)) return c.id;
  }
  return std::nullopt;
}

std::string CodeOfId(const std::string& table, long id) {
  if (id == 0) return {};
  host::Recordset rs = frame::Data().OpenRecordset("Select str" + table + "Code From " + table +
                                                   " Where lng" + table + "ID = " + N(id));
  return rs.Empty() ? std::string() : rs[0].AsText();
}

}  // namespace

bool frmContractSettlement::Refuse(const std::string& text) {
  frame::Msg(text, kStop, texts::kContractTitle);
  return false;
}

bool frmContractSettlement::ShowMe(const ContractLine& line, const ContractSplit* held) {
  state_ = ContractState{};
  state_.line = line;
  state_.decimals = frame::Context().AmountDecimals();
  try {
    Load(held);
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, texts::kContractTitle);
    return false;
  }
  frame::Login().base_class->Modal().RunModal(*this);
  return state_.confirmed;
}

void frmContractSettlement::Load(const ContractSplit* held) {
  host::DataAccess& data = frame::Data();
  if (state_.line.voucher_id != 0) {
    host::Recordset rs = data.OpenRecordset(
        " SELECT VoucherDetail.lngPaymentMethodID, PaymentMethod.strPaymentMethodName, "
        "VoucherDetail.strCheckNumber, PaymentMethod.strPaymentMethodCode FROM VoucherDetail, "
        "PaymentMethod WHERE VoucherDetail.lngPaymentMethodID = PaymentMethod.lngPaymentMethodID"
        " AND VoucherDetail.lngVoucherID = " +
        N(state_.line.voucher_id) +
        " AND VoucherDetail.lngPaymentMethodID <> 0"
        " ORDER BY VoucherDetail.lngRowID");
    if (!rs.Empty()) {
      state_.default_method_id = static_cast<long>(rs["lngPaymentMethodID"].AsLong());
      state_.default_method_code = rs["strPaymentMethodCode"].AsText();
      state_.default_check = Trim(rs["strCheckNumber"].AsText());
    }
  }
  StoredContractSplit stored;
  if (held == nullptr && state_.line.line_id != 0) stored = LoadContractSplit(state_.line.line_id);
  const ContractSplit* split = held != nullptr ? held : (stored.found ? &stored.split : nullptr);
  if (split != nullptr) {
    state_.kind = split->kind;
    state_.pay_receive = split->pay_receive;
    state_.project_id = split->project_id;
    state_.project_code = CodeOfId("Project", split->project_id);
    for (const ContractRow& row : split->rows) state_.rows.push_back({row});
    Refigure();
  }
  UpdateCaptions();
}

void frmContractSettlement::UpdateCaptions() {
  // The editable and computed columns: 付款日期 .. 备注, without the ids and the source.
  const std::vector<std::string> all = ContractCaptions(state_.pay_receive);
  state_.captions.assign(all.begin() + 5, all.end() - 1);
}

void frmContractSettlement::Refigure(std::vector<ContractGridRow*> rows) {
  if (rows.empty()) {
    for (ContractGridRow& row : state_.rows) rows.push_back(&row);
  }
  std::vector<long> ids;
  for (const ContractGridRow* row : rows) ids.push_back(row->row.contract_id);
  const std::vector<ContractFigures> figures =
      ReadContractFigures(state_.kind, ids, state_.line.line_id);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i]->contract_total = figures[i].total;
    rows[i]->paid_so_far = figures[i].paid;
  }
}

void frmContractSettlement::SetKind(int kind) {
  if (kind == state_.kind) return;
  state_.kind = kind == kProjectOrder ? kProjectOrder : kPurchaseContract;
  state_.rows.clear();
  state_.project_id = 0;
  state_.project_code.clear();
}

void frmContractSettlement::SetDirection(int pay_receive) {
  if (pay_receive == state_.pay_receive) return;
  state_.pay_receive = pay_receive == kReceipt ? kReceipt : kPayment;
  // Contracts of the other direction are no longer offered.
  for (ContractGridRow& row : state_.rows)
    SetCell(static_cast<int>(&row - state_.rows.data()) + 1, ContractColumn::kContract,
            row.row.codes.contract);
  UpdateCaptions();
}

bool frmContractSettlement::SetProject(const std::string& code) {
  try {
    host::Recordset rs = frame::Data().OpenRecordset(
        "Select lngProjectID, strProjectCode From Project Where strProjectCode = " +
        frame::SqlText(Trim(code)) + " And lngOrganizationID = " + N(frame::OrganizationId()));
    const long id = rs.Empty() ? 0 : static_cast<long>(rs["lngProjectID"].AsLong());
    if (id != state_.project_id) state_.rows.clear();
    state_.project_id = id;
    state_.project_code = rs.Empty() ? Trim(code) : rs["strProjectCode"].AsText();
    return id != 0;
  } catch (const host::DatabaseError& e) {
    return Refuse(e.what());
  }
}

int frmContractSettlement::AddRow() {
  ContractGridRow row;
  row.row.pay_date = state_.line.voucher_date;
  row.row.payment_method_id = state_.default_method_id;
  row.row.codes.method = state_.default_method_code;
  row.row.check_number = state_.default_check;
  state_.rows.push_back(row);
  return static_cast<int>(state_.rows.size());
}

bool frmContractSettlement::DeleteRow(int row) {
  if (row < 1 || row > static_cast<int>(state_.rows.size())) return false;
  state_.rows.erase(state_.rows.begin() + (row - 1));
  return true;
}

bool frmContractSettlement::SetCell(int n, ContractColumn column, const std::string& text) {
  if (n < 1 || n > static_cast<int>(state_.rows.size())) return false;
  ContractGridRow& row = state_.rows[static_cast<std::size_t>(n - 1)];
  try {
    switch (column) {
      case ContractColumn::kDate:
        row.row.pay_date = Trim(text);  // checked on confirming
        return true;
      case ContractColumn::kContract: {
        const std::string code = Trim(text);
        for (std::size_t i = 0; i < state_.rows.size(); ++i) {
          if (static_cast<int>(i) + 1 != n && !code.empty() &&
              state_.rows[i].row.codes.contract == code) {
            return Refuse(std::string(texts::kDuplicateEntry) + std::to_string(i + 1) +
                          texts::kDuplicateEntryEnd);
          }
        }
        row.row.codes.contract = code;
        row.row.contract_id = 0;
        for (const ContractChoice& c :
             ContractChoices(state_.kind, state_.pay_receive, state_.project_id)) {
          if (c.code != code) continue;
          row.row.contract_id = c.id;
          if (row.row.customer_id == 0) {
            row.row.customer_id = c.customer_id;
            row.row.codes.unit = CodeOfId("Customer", c.customer_id);
          }
        }
        Refigure({&row});
        return true;
      }
      // A code not offered keeps no id; confirming refuses it.
      case ContractColumn::kUnit:
        row.row.codes.unit = Trim(text);
        row.row.customer_id = IdOfCode(Choices(column), text).value_or(0);
        return true;
      case ContractColumn::kPayer:
        row.row.codes.payer = Trim(text);
        row.row.pay_customer_id = IdOfCode(Choices(column), text).value_or(0);
        return true;
      case ContractColumn::kMethod:
        row.row.codes.method = Trim(text);
        row.row.payment_method_id = IdOfCode(Choices(column), text).value_or(0);
        return true;
      case ContractColumn::kCheck:
        row.row.check_number = text;
        return true;
      case ContractColumn::kPayMan:
        row.row.pay_man = text;
        return true;
      case ContractColumn::kNote:
        row.row.note = text;
        return true;
      case ContractColumn::kAmount:
      case ContractColumn::kInvoice: {
        const std::optional<double> value = host::ParseDecimal(text);
        const std::optional<double> rounded =
            value ? voucher::RoundEntered(*value, state_.decimals) : std::nullopt;
        if (!rounded || std::fabs(*rounded - *value) > 1e-9) return Refuse(texts::kAmountNotNumber);
        (column == ContractColumn::kAmount ? row.row.amount : row.row.invoice_amount) = *rounded;
        return true;
      }
    }
  } catch (const host::DatabaseError& e) {
    return Refuse(e.what());
  }
  return false;
}

std::vector<ContractChoice> frmContractSettlement::Choices(ContractColumn column) const {
  switch (column) {
    case ContractColumn::kContract:
      return ContractChoices(state_.kind, state_.pay_receive, state_.project_id);
    case ContractColumn::kUnit:
      return ReferenceChoices(ContractReference::kUnit);
    case ContractColumn::kPayer:
      return ReferenceChoices(ContractReference::kPayer);
    case ContractColumn::kMethod:
      return ReferenceChoices(ContractReference::kMethod);
    default:
      return {};
  }
}

bool frmContractSettlement::CheckRows() {
  const std::string pay = state_.pay_receive == kPayment ? texts::kDirPay : texts::kDirReceive;
  const auto choices = ContractChoices(state_.kind, state_.pay_receive, state_.project_id);
  // Typed codes count only when the chooser would offer them (active, leaf).
  const auto units = ReferenceChoices(ContractReference::kUnit);
  const auto payers = ReferenceChoices(ContractReference::kPayer);
  const auto methods = ReferenceChoices(ContractReference::kMethod);
  for (std::size_t i = 0; i < state_.rows.size(); ++i) {
    ContractGridRow& row = state_.rows[i];
    if (host::CalendarDate(row.row.pay_date).empty()) {
      return Refuse(Row(i) + "行，" + pay + texts::kDateInvalid);
    }
    row.row.pay_date = host::CalendarDate(row.row.pay_date);
    if (row.row.codes.contract.empty()) {
      return Refuse(Row(i) + "行，" + texts::kContractRequired);
    }
    row.row.contract_id = 0;
    for (const ContractChoice& c : choices) {
      if (c.code == row.row.codes.contract) row.row.contract_id = c.id;
    }
    if (row.row.contract_id == 0) return Refuse(Row(i) + texts::kContractInvalid);
    const struct {
      const char* caption;
      const std::vector<ContractChoice>& offered;
      const std::string& code;
      long& id;
    } refs[] = {{"单位", units, row.row.codes.unit, row.row.customer_id},
                {state_.pay_receive == kPayment ? "付款方" : "收款方", payers, row.row.codes.payer,
                 row.row.pay_customer_id},
                {"付款方式", methods, row.row.codes.method, row.row.payment_method_id}};
    for (const auto& ref : refs) {
      const std::optional<long> id = IdOfCode(ref.offered, ref.code);
      if (!id) return Refuse(Row(i) + "行，" + ref.caption + texts::kInvalid);
      ref.id = *id;
    }
    if (row.row.invoice_amount != 0 && row.row.customer_id == 0) {
      return Refuse(Row(i) + texts::kInvoiceNeedsUnit);
    }
  }
  return true;
}

bool frmContractSettlement::CheckLimits() {
  const int d = state_.decimals;
  const std::string pay = state_.pay_receive == kPayment ? texts::kDirPay : texts::kDirReceive;
  const double line = std::fabs(voucher::RoundTo(state_.line.amount, d));
  double total = 0;
  for (std::size_t i = 0; i < state_.rows.size(); ++i) {
    const double p = state_.rows[i].row.amount;
    total += p;
    if (std::fabs(p) - line > 1e-9) {
      return Refuse(Row(i) + "行，本次" + pay + "金额" + voucher::FormatFixed(p, d) +
                    texts::kAboveLine + voucher::FormatFixed(line, d) + "！");
    }
  }
  if (std::fabs(voucher::RoundTo(total, d)) - line > 1e-9) {
    return Refuse("本次" + pay + texts::kTotalSuffix + voucher::FormatFixed(total, d) +
                  texts::kAboveLine + voucher::FormatFixed(line, d) + "！");
  }
  const bool strict =
      frame::IsTrueSetting(frame::ReadSetting(texts::kAccountSetSection, texts::kOverrunSetting));
  const bool project = state_.kind == kProjectOrder;
  ProjectFigures figures;
  if (project) figures = ReadProjectFigures(state_.project_id, state_.line.line_id);
  Refigure();
  double project_rows = 0;
  for (std::size_t i = 0; i < state_.rows.size(); ++i) {
    const ContractGridRow& row = state_.rows[i];
    const double p = row.row.amount;
    project_rows += p;
    const bool over_contract = voucher::RoundTo(p + row.paid_so_far - row.contract_total, d) > 0;
    const bool over_project =
        project && voucher::RoundTo(project_rows + figures.paid - figures.total, d) > 0;
    if (!over_contract && !over_project) continue;
    const std::string text = Row(i) + (over_contract && over_project ? texts::kOverBoth
                                       : over_contract               ? texts::kOverContract
                                                                     : texts::kOverProject);
    if (strict) return Refuse(text);
    if (frame::Msg(text + texts::kContinue, kAsk, texts::kContractTitle) != host::mb::kYes) {
      return false;
    }
  }
  if (project) {
    double invoiced = figures.invoiced;
    for (const ContractGridRow& row : state_.rows) invoiced += row.row.invoice_amount;
    const double paid = voucher::RoundTo(figures.paid + project_rows, d);
    if (figures.budget != 0 && paid - figures.budget > 1e-9 &&
        frame::Msg(std::string(texts::kPaidTotal) + voucher::FormatFixed(paid, d) +
                       texts::kAboveBudget + voucher::FormatFixed(figures.budget, d) + "！" +
                       texts::kContinue,
                   kAsk, texts::kContractTitle) != host::mb::kYes) {
      return false;
    }
    if (paid - voucher::RoundTo(invoiced, d) > 1e-9 &&
        frame::Msg(std::string(texts::kPaidSoFar) + voucher::FormatFixed(paid, d) +
                       texts::kAboveInvoiced + voucher::FormatFixed(invoiced, d) + texts::kContinue,
                   kAsk, texts::kContractTitle) != host::mb::kYes) {
      return false;
    }
  }
  // A payment is the debit of the line it settles, a receipt its credit; a line on the other
  // side (or a red line) reverses earlier ones, so its amounts are negative.
  const int side = state_.pay_receive == kPayment ? state_.line.direction : -state_.line.direction;
  const int sign = (state_.line.amount < 0 ? -1 : 1) * (side < 0 ? -1 : 1);
  for (std::size_t i = 0; i < state_.rows.size(); ++i) {
    const double p = state_.rows[i].row.amount;
    if (p * sign < 0)
      return Refuse(Row(i) + (sign > 0 ? texts::kOnlyPositive : texts::kOnlyNegative));
  }
  return true;
}

bool frmContractSettlement::Confirm() {
  try {
    if (state_.kind == kProjectOrder) {
      if (state_.project_id == 0) return Refuse(texts::kProjectRequired);
      if (!ReadProjectFigures(state_.project_id, state_.line.line_id).leaf) {
        return Refuse(texts::kProjectLeaf);
      }
    }
    for (std::size_t i = 0; i < state_.rows.size(); ++i) {
      for (std::size_t j = 0; j < i; ++j) {
        const std::string& code = state_.rows[i].row.codes.contract;
        if (!code.empty() && code == state_.rows[j].row.codes.contract) {
          return Refuse(Row(i) + texts::kDuplicate);
        }
      }
    }
    if (!CheckRows() || !CheckLimits()) return false;
  } catch (const host::DatabaseError& e) {
    return Refuse(e.what());
  }
  state_.confirmed = true;
  return true;
}

ContractSplit frmContractSettlement::Split() const {
  ContractSplit split;
  split.kind = state_.kind;
  split.pay_receive = state_.pay_receive;
  split.project_id = state_.kind == kProjectOrder ? state_.project_id : 0;
  for (const ContractGridRow& row : state_.rows) split.rows.push_back(row.row);
  return split;
}

}  // namespace lumvoucher::links
