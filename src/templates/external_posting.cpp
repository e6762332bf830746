#include "templates/external_posting.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "frame/window_registry.h"
#include "host/database_error.h"
#include "templates/external_store.h"
#include "voucher/frm_voucher.h"
#include "voucher/header_rules.h"

namespace lumvoucher::templates {

namespace {

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

std::string Num(double value) {
  return value == 0 ? std::string("0") : voucher::FormatPlain(value);
}

}  // namespace

std::string WriteFormText(ExternalChecker& checker, const std::vector<ExternalLine>& lines,
                          const std::string& date, long number) {
  std::string text;
  for (const ExternalLine& l : lines) {
    const ResolvedLine r = checker.Resolve(l);
    const std::string flexible = checker.FlexibleId(r);
    std::vector<std::string> f(40);
    f[1] = date.empty() ? l.date : date;
    f[2] = std::to_string(r.ids[kKindVoucherType]);
    f[3] = std::to_string(number);
    f[4] = OneLine(l.remark);
    f[5] = std::to_string(r.ids[kKindAccount]);
    f[6] = std::to_string(l.direction);
    f[7] = Num(l.amount);
    f[8] = std::to_string(r.ids[kKindCurrency]);
    f[9] = Num(l.rate);
    f[10] = Num(l.currency_amount == 0 && r.ids[kKindCurrency] == 0 ? l.amount : l.currency_amount);
    f[11] = Num(l.quantity);
    f[12] = Num(l.price);
    f[13] = std::to_string(lines.front().attachments);
    f[15] = std::to_string(kExternalSource);
    f[16] = "0000";
    f[17] = "FALSE";
    f[18] = std::to_string(r.template_id);
    f[19] = std::to_string(l.id);
    f[20] = std::to_string(r.ids[kKindCustomer]);
    f[21] = std::to_string(r.ids[kKindDepartment]);
    f[22] = std::to_string(r.ids[kKindEmployee]);
    f[23] = std::to_string(r.ids[kKindClass1]);
    f[24] = std::to_string(r.ids[kKindClass2]);
    f[25] = std::to_string(r.ids[kKindPaymentMethod]);
    f[26] = OneLine(l.check_number);
    f[28] = "0";
    f[29] = "0";
    f[31] = "0";
    f[32] = "0";
    f[35] = std::to_string(r.ids[kKindSourceOrganization]);
    f[36] = "0";
    f[37] = "0";
    f[38] = std::to_string(r.ids[kKindOrganization]);
    f[39] = flexible;
    if (!text.empty()) text += '\n';
    for (std::size_t i = 0; i < f.size(); ++i) {
      if (i > 0) text += '\t';
      text += f[i];
    }
  }
  return text;
}

PostOutcome PostExternalVoucher(ExternalChecker& checker, const std::vector<ExternalLine>& lines,
                                const std::string& date) {
  PostOutcome outcome;
  if (lines.empty()) return outcome;
  voucher::frmVoucher& window = frame::WindowRegistry::Get<voucher::frmVoucher>();
  const std::string day = date.empty() ? lines.front().date : date;
  const voucher::YearPeriod period = voucher::PeriodOfDate(day);
  host::TransactionGuard guard(frame::Data());
  const ResolvedLine first = checker.Resolve(lines.front());
  const std::string next = frame::Login().business_pub->VoucherNumber(
      period.year, period.period, first.ids[kKindVoucherType],
      std::to_string(frame::OrganizationId()), day, 0, 9999);
  const long number = host::clsBaseClass::TextToLong(frame::StrRight(next, 6));
  if (!window.WriteForm(WriteFormText(checker, lines, date, number))) return outcome;
  outcome.written = true;
  window.MustSave();
  outcome.result = window.SaveAVoucher(false);
  if (outcome.result != 1) return outcome;
  const voucher::VoucherHeader& h = window.State().header;
  outcome.voucher_id = h.voucher_id;
  outcome.voucher_no = h.type_code + "-" + h.number;
  MarkPosted(lines.front().standard, lines.front().key, outcome.voucher_id, outcome.voucher_no);
  guard.Commit();
  return outcome;
}

}  // namespace lumvoucher::templates
