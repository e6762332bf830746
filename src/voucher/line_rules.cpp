#include "voucher/line_rules.h"

#include <optional>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/calendar_date.h"
#include "host/cls_account.h"
#include "host/message_box.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::voucher {

namespace {

constexpr int kRuleFlags = host::mb::kTaskModal + host::mb::kExclamation;  // 8240

std::string Quoted(const host::AccountInfo& a) {
  return a.code + " " + a.name;
}

// One run of the checks over one line.
class LineValidation {
 public:
  LineValidation(VoucherLine& line, int row, bool saving, bool require_detail,
                 const LineRuleContext& context)
      : line_(line),
        row_(row),
        saving_(saving),
        require_detail_(require_detail),
        context_(context),
        accounts_(frame::Chart(*context.basis)),
        title_(saving ? texts::kTitleSave : texts::kTitleEntry) {}

  LineCheck Run();

 private:
  LineCheck Fail(const std::string& text, LineField field, const char* title = nullptr) {
    frame::Msg(text, kRuleFlags, title != nullptr ? title : title_);
    return LineCheck{false, field};
  }
  std::string Acc() const { return Quoted(*account_); }
  std::optional<LineCheck> ReceiptPaymentSides();
  std::optional<LineCheck> ItemChecks(int kind, long id, const std::string& text, bool carried,
                                      const std::string& name, LineField field,
                                      const char* missing_tail, bool leaf_test);
  void ClearFieldsNotCarried();
  std::optional<LineCheck> ItemRights();
  std::optional<LineCheck> Settlement();
  std::optional<LineCheck> IssuedBill();
  std::optional<LineCheck> Organization();

  VoucherLine& line_;
  int row_;
  bool saving_;
  bool require_detail_;
  const LineRuleContext& context_;
  host::clsAccount& accounts_;
  const char* title_;
  std::optional<host::AccountInfo> account_;
};

std::optional<LineCheck> LineValidation::ReceiptPaymentSides() {
  if (line_.account_id == 0 && line_.account_text.empty()) return std::nullopt;
  // Receipt and payment checks belong to the voucher as a whole: always the save title.
  if (context_.document_kind == kReceiptVoucher) {
    if (row_ == 1 && line_.credit != 0) {
      return Fail(texts::kReceiptFirstDebit, LineField::kCredit, texts::kTitleSave);
    }
    if (row_ > 1 && line_.debit != 0) {
      return Fail(texts::kReceiptOnlyFirstDebit, LineField::kDebit, texts::kTitleSave);
    }
  } else if (context_.document_kind == kPaymentVoucher) {
    if (row_ == 1 && line_.debit != 0) {
      return Fail(texts::kPaymentFirstCredit, LineField::kDebit, texts::kTitleSave);
    }
    if (row_ > 1 && line_.credit != 0) {
      return Fail(texts::kPaymentOnlyFirstCredit, LineField::kCredit, texts::kTitleSave);
    }
  }
  return std::nullopt;
}

// The "missing" and "leaf" checks of an item the account carries; the assignment check when
// saving.
std::optional<LineCheck> LineValidation::ItemChecks(int kind, long id, const std::string& text,
                                                    bool carried, const std::string& name,
                                                    LineField field, const char* missing_tail,
                                                    bool leaf_test) {
  if (carried) {
    if (id == 0) {
      if (missing_tail != nullptr) {
        return Fail(texts::kAccountOpen + Acc() + missing_tail, field);
      }
      return Fail(texts::kAccountOpen + Acc() + "”有" + name + "核算属性，请输入" + name + "！",
                  field);
    }
    if (leaf_test && !accounts_.ItemIsLeaf(kind, id)) {
      if (kind == host::item_kind::kDepartment) {
        return Fail(texts::kAccountOpen + Acc() + texts::kDepartmentLeaf, field);
      }
      return Fail(texts::kAccountOpen + Acc() + "”的" + name + "核算属性只能输入末级" + name +
                      "，请重新输入！",
                  field);
    }
  }
  if (saving_ && id != 0 && !accounts_.AccountAcceptsAllItems(account_->id, kind) &&
      !accounts_.ItemAssignedToAccount(account_->id, kind, id)) {
    return Fail(texts::kAccountOpen + Acc() + texts::kUnassigned + name + "“" + text + "”！",
                field);
  }
  return std::nullopt;
}

void LineValidation::ClearFieldsNotCarried() {
  const host::AccountInfo& a = *account_;
  if (!a.department) {
    line_.department_id = 0;
    line_.department_text.clear();
  }
  if (!a.employee) {
    line_.employee_id = 0;
    line_.employee_text.clear();
  }
  if (!a.class1) {
    line_.class1_id = 0;
    line_.class1_text.clear();
  }
  if (!a.class2) {
    line_.class2_id = 0;
    line_.class2_text.clear();
  }
  if (!a.host_validated) line_.smart_text.clear();
  if (!a.unit && line_.unit_id != 0) {
    // A stored line that carries a project keeps its unit: the project's settlement needs it.
    bool has_project = false;
    if (line_.line_id != 0) {
      host::Recordset rs = frame::Data().OpenRecordset(
          std::string("Select lngProjectID From ") + context_.basis->detail_table +
          " Where lngVoucherDetailID=" + std::to_string(line_.line_id));
      has_project = !rs.Empty() && rs["lngProjectID"].AsLong() != 0;
    }
    if (!has_project) {
      line_.unit_id = 0;
      line_.unit_text.clear();
    }
  }
}

std::optional<LineCheck> LineValidation::ItemRights() {
  struct Item {
    int kind;
    long id;
    const std::string& text;
    const char* word;
    LineField field;
  };
  const Item items[] = {
      {host::item_kind::kUnit, line_.unit_id, line_.unit_text, "单位 ", LineField::kUnit},
      {host::item_kind::kDepartment, line_.department_id, line_.department_text, "部门 ",
       LineField::kDepartment},
      {host::item_kind::kEmployee, line_.employee_id, line_.employee_text, "职员 ",
       LineField::kEmployee},
      {host::item_kind::kClass1, line_.class1_id, line_.class1_text, "统计 ", LineField::kClass1},
      {host::item_kind::kClass2, line_.class2_id, line_.class2_text, "项目 ", LineField::kClass2},
  };
  for (const Item& item : items) {
    if (item.id != 0 && !accounts_.MayUseItem(item.kind, item.id)) {
      return Fail(std::string(texts::kItemRightPrefix) + item.word + item.text + "”！", item.field);
    }
  }
  if (account_->nature == host::account_nature::kBank && line_.payment_method_id != 0 &&
      !accounts_.MayUseItem(host::item_kind::kPaymentMethod, line_.payment_method_id)) {
    return Fail(
        std::string(texts::kItemRightPrefix) + "付款方式 " + line_.payment_method_text + "”！",
        LineField::kPaymentMethod);
  }
  return std::nullopt;
}

std::optional<LineCheck> LineValidation::Settlement() {
  if (!context_.settlement_required || context_.settlement_exempt) return std::nullopt;
  int nature = account_->nature;
  if ((nature == host::account_nature::kReceivable || nature == host::account_nature::kPayable) &&
      line_.check_number.empty()) {
    return Fail(texts::kAccountOpen + Acc() + texts::kNeedReconciliation, LineField::kCheckNumber);
  }
  if (nature == host::account_nature::kBank) {
    if (line_.payment_method_id == 0) {
      return Fail(texts::kBankOpen + Acc() + texts::kNeedPaymentMethod, LineField::kPaymentMethod);
    }
    if (line_.check_number.empty()) {
      return Fail(texts::kBankOpen + Acc() + texts::kNeedCheckNumber, LineField::kCheckNumber);
    }
  }
  return std::nullopt;
}

// Where the account keeps a register of the bills of the line's payment method (CheckDetail),
// the bill must be one issued to it: the row the save marks as used.
std::optional<LineCheck> LineValidation::IssuedBill() {
  const std::string bill = frame::StringOut(line_.check_number, " ");
  if (account_->nature != host::account_nature::kBank || line_.payment_method_id == 0 ||
      bill.empty()) {
    return std::nullopt;
  }
  const std::string register_rows =
      "Select lngCheckDetailID From CheckDetail Where lngAccountID=" +
      std::to_string(account_->id) +
      " AND lngPaymentMethodID=" + std::to_string(line_.payment_method_id) +
      " And lngOrganizationID = " + std::to_string(frame::OrganizationId());
  host::DataAccess& data = frame::Data();
  if (!data.OpenRecordset(register_rows + " AND strCheckNo=" + frame::SqlText(bill)).Empty() ||
      data.OpenRecordset(register_rows).Empty()) {
    return std::nullopt;
  }
  return Fail(texts::kBillNotIssued, LineField::kCheckNumber);
}

std::optional<LineCheck> LineValidation::Organization() {
  if (!account_->organization) return std::nullopt;
  if (context_.decreasing_mode) {
    auto current = accounts_.ItemById(host::item_kind::kOrganization, frame::OrganizationId());
    if (current && current->leaf) {
      return Fail(texts::kLeafOrganizationDecreasing, LineField::kOrganization);
    }
    return std::nullopt;
  }
  if (line_.organization_text.find(' ') == std::string::npos) {
    return Fail(texts::kNeedOrganization, LineField::kOrganization);
  }
  auto chosen =
      accounts_.ItemByCode(host::item_kind::kOrganization, CodeOf(line_.organization_text));
  if (!chosen || chosen->parent_id != frame::OrganizationId()) {
    return Fail(texts::kOrganizationDirectChild, LineField::kOrganization);
  }
  line_.organization_id = chosen->id;
  return std::nullopt;
}

LineCheck LineValidation::Run() {
  // 1. The account: always the entry title, it is the first thing a person fixes.
  account_ = accounts_.AccountByCode(CodeOf(line_.account_text));
  if (!account_ || !account_->active) {
    return Fail(texts::kAccountOpen + line_.account_text + texts::kMissingOrInactive,
                LineField::kAccount, texts::kTitleEntry);
  }
  line_.account_id = account_->id;
  const host::AccountInfo& a = *account_;
  // 2.
  if (context_.user_entry && !accounts_.MayUseAccount(a.code)) {
    return Fail(texts::kNoAccountRight + Acc() + texts::kNoAccountRightEnd, LineField::kAccount,
                texts::kTitleEntry);
  }
  // 3.
  if (require_detail_ && !a.detail) {
    return Fail(texts::kAccountOpen + Acc() + texts::kNotDetail, LineField::kAccount);
  }
  // 4.
  if (a.currency && line_.currency_id == 0) {
    return Fail(texts::kAccountOpen + Acc() + texts::kNeedCurrency, LineField::kCurrency);
  }
  if (line_.currency_id != 0 && !accounts_.CurrencyValidForAccount(a.id, line_.currency_id)) {
    return Fail(texts::kAccountOpen + Acc() + texts::kBadCurrency, LineField::kCurrency);
  }
  // 5., 6. Zero passes: a rate not yet known is entered later.
  if (line_.rate < 0)
    return Fail(texts::kAccountOpen + Acc() + texts::kRatePositive, LineField::kRate);
  if (line_.price < 0) {
    return Fail(texts::kAccountOpen + Acc() + texts::kPricePositive, LineField::kPrice);
  }
  // 7.
  if (auto failed = ReceiptPaymentSides()) return *failed;
  // 8.
  if (a.unit && line_.unit_id == 0) {
    return Fail(texts::kAccountOpen + Acc() + texts::kNeedUnit, LineField::kUnit);
  }
  // 9.
  if (a.nature == host::account_nature::kReceivable || a.nature == host::account_nature::kPayable) {
    if (frame::StringOut(line_.business_date, " ").empty()) {
      return Fail(texts::kAccountOpen + Acc() + texts::kNeedBusinessDate, LineField::kBusinessDate);
    }
    const std::string business_date = host::CalendarDate(line_.business_date);
    if (business_date.empty()) return Fail(texts::kBusinessDateInvalid, LineField::kBusinessDate);
    if (business_date > context_.voucher_date) {
      return Fail(texts::kBusinessDateLate, LineField::kBusinessDate);
    }
  }
  // 10.
  if (auto failed = ItemChecks(host::item_kind::kUnit, line_.unit_id, line_.unit_text, false,
                               "单位", LineField::kUnit, nullptr, false)) {
    return *failed;
  }
  // 11., 12.
  if (auto failed =
          ItemChecks(host::item_kind::kDepartment, line_.department_id, line_.department_text,
                     a.department, "部门", LineField::kDepartment, texts::kNeedDepartment, true)) {
    return *failed;
  }
  // 13., 14. Employees have no hierarchy on lines.
  if (auto failed =
          ItemChecks(host::item_kind::kEmployee, line_.employee_id, line_.employee_text, a.employee,
                     "职员", LineField::kEmployee, texts::kNeedEmployee, false)) {
    return *failed;
  }
  // 15. - 18.
  if (auto failed = ItemChecks(host::item_kind::kClass1, line_.class1_id, line_.class1_text,
                               a.class1, context_.class1_name, LineField::kClass1, nullptr, true)) {
    return *failed;
  }
  if (auto failed = ItemChecks(host::item_kind::kClass2, line_.class2_id, line_.class2_text,
                               a.class2, context_.class2_name, LineField::kClass2, nullptr, true)) {
    return *failed;
  }
  // 19.
  if (a.host_validated) {
    std::string message = accounts_.ValidateField(a.id, line_.smart_text);
    if (!message.empty()) return Fail(message, LineField::kSmartAccounting);
  }
  // 20.
  ClearFieldsNotCarried();
  // 21., 22.
  if (context_.user_entry) {
    if (auto failed = ItemRights()) return *failed;
    if (auto failed = Settlement()) return *failed;
  }
  // A bill that was never issued is refused whoever filled the line.
  if (auto failed = IssuedBill()) return *failed;
  // 23.
  if (auto failed = Organization()) return *failed;
  // 24.
  if (line_.debit == 0 && line_.credit == 0) {
    return Fail(texts::kAccountOpen + Acc() + texts::kBothZero, LineField::kDebit);
  }
  return LineCheck{};
}

}  // namespace

std::string CodeOf(const std::string& cell_text) {
  std::size_t start = cell_text.find_first_not_of(' ');
  if (start == std::string::npos) return std::string();
  std::size_t end = cell_text.find(' ', start);
  return cell_text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

LineCheck ValidateLineRules(std::vector<VoucherLine>& lines, int row, bool saving,
                            bool require_detail, const LineRuleContext& context) {
  VoucherLine& line = lines.at(static_cast<std::size_t>(row - 1));
  return LineValidation(line, row, saving, require_detail, context).Run();
}

}  // namespace lumvoucher::voucher
