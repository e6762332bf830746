#include "voucher/voucher_reversal.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/cls_base_class.h"
#include "host/cls_business_pub.h"

namespace lumvoucher::voucher {

LoadedVoucher ReversalOf(const LoadedVoucher& original, const ReversalHeader& header) {
  const VoucherHeader& o = original.header;
  LoadedVoucher reversal;
  VoucherHeader& h = reversal.header;
  h.type_id = o.type_id;
  h.type_code = o.type_code;
  h.number = header.number;
  h.date = header.date;
  h.year = header.year;
  h.period = header.period;
  h.attachments = o.attachments;
  h.source_organization_id = header.organization_id;
  h.template_id = o.template_id;
  h.template_name = o.template_name;
  h.maker_id = header.maker_id;
  h.maker_name = header.maker_name;
  h.manager = o.manager;
  h.source_id = kReversalSource;
  h.source_voucher_id = o.voucher_id;
  for (const VoucherLine& line : original.lines) {
    VoucherLine r = line;
    r.line_id = 0;
    r.debit = -line.debit;
    r.credit = -line.credit;
    r.currency_amount = -line.currency_amount;
    r.quantity = -line.quantity;
    r.curr_payment_amount = 0;
    r.check_number.clear();
    r.check_date.clear();
    reversal.lines.push_back(std::move(r));
  }
  return reversal;
}

std::optional<LoadedVoucher> PrepareReversal(long reversed_voucher_id, const VoucherBasis& basis) {
  std::optional<LoadedVoucher> original = LoadVoucher(reversed_voucher_id, basis);
  if (!original) return std::nullopt;
  host::LoginContext& login = frame::Context();
  ReversalHeader header;
  header.date = login.LoginDate();
  header.year = login.LoginYear();
  header.period = login.LoginPeriod();
  header.organization_id = frame::OrganizationId();
  header.maker_id = login.CurrentOperator().id;
  header.maker_name = login.CurrentOperator().name;
  const std::string number = frame::Login().business_pub->VoucherNumber(
      header.year, header.period, original->header.type_id, std::to_string(header.organization_id),
      header.date, 0, 9999);
  header.number = frame::VoucherNoText(host::clsBaseClass::TextToLong(frame::StrRight(number, 6)));
  return ReversalOf(*original, header);
}

}  // namespace lumvoucher::voucher
