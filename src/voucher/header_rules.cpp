#include "voucher/header_rules.h"

#include <cstdint>

#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/calendar_date.h"
#include "host/cls_base_class.h"
#include "host/cls_business_pub.h"
#include "host/decimal_text.h"
#include "host/message_box.h"
#include "host/read_scope.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::voucher {

namespace {

constexpr int kHeaderFlags = host::mb::kExclamation;

bool Refuse(const char* text) {
  frame::Msg(text, kHeaderFlags, texts::kTitleEntry);
  return false;
}

bool CheckNumber(VoucherHeader& header) {
  const HeaderValue typed = VoucherNumberOf(header.number);
  if (typed.refusal != nullptr) return Refuse(typed.refusal);
  const long number = typed.value;
  long source =
      header.source_organization_id != 0 ? header.source_organization_id : frame::OrganizationId();
  host::clsBusinessPub& business = *frame::Login().business_pub;
  if (!business.NumberTaken(header.type_id, host::kReceiptTypeVoucher, number, header.voucher_id,
                            source, header.year, header.period, header.partner_voucher_id)) {
    return true;
  }
  std::string offered = business.VoucherNumber(header.year, header.period, header.type_id,
                                               std::to_string(source), header.date, 0, 9999);
  std::string offered_text =
      frame::VoucherNoText(host::clsBaseClass::TextToLong(frame::StrRight(offered, 6)));
  std::string question = std::string(texts::kNumberTakenAsk) + "\n" + texts::kNumberTakenYes + "\n";
  if (frame::SettingValue(0, texts::kSectionAccountSet, texts::kKeyReuseGaps, "False") == "True") {
    question += texts::kNumberTakenGap + offered_text + texts::kNumberTakenGapEnd;
  } else {
    question += texts::kNumberTakenMax;
  }
  if (frame::Msg(question, host::mb::kYesNo + host::mb::kQuestion, texts::kTitleSave) ==
      host::mb::kYes) {
    return false;
  }
  header.number = offered_text;
  return true;
}

// Digits only, so that a sign, a point or an exponent is "not a number"; the range is then
// checked on the whole value, however many digits it has.
HeaderValue WholeOf(const std::string& text, long low, long high, const char* not_number,
                    const char* too_large) {
  const std::string digits = frame::StringOut(text, " ");
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
    return {0, not_number};
  }
  std::optional<std::int64_t> value = host::ParseWhole(digits, 0, high);
  if (!value) return {0, too_large};
  if (*value < low) return {0, not_number};
  return {static_cast<long>(*value), nullptr};
}

}  // namespace

HeaderValue VoucherNumberOf(const std::string& text) {
  return WholeOf(text, 1, kMaxVoucherNumber, texts::kNumberPositive, texts::kNumberTooHigh);
}

HeaderValue AttachmentsOf(const std::string& text) {
  return WholeOf(text, 0, kMaxAttachments, texts::kAttachmentsNumber, texts::kAttachmentsRange);
}

YearPeriod PeriodOfDate(const std::string& date) {
  host::Recordset rs = host::OpenRemembered(
      frame::Data(), "Select intYear, bytPeriod From AccountPeriod Where lngOrganizationID = " +
                         std::to_string(frame::OrganizationId()) + " And strStartDate <= " +
                         frame::SqlText(date) + " And strEndDate >= " + frame::SqlText(date));
  if (!rs.Empty()) {
    return {static_cast<int>(rs["intYear"].AsLong()), static_cast<int>(rs["bytPeriod"].AsLong())};
  }
  const host::YearMonth calendar = host::YearMonthOf(date);
  return {calendar.year, calendar.month};
}

bool CheckHeaderField(VoucherHeader& header, HeaderField field) {
  switch (field) {
    case HeaderField::kTemplate:
      if (header.template_id == 0 || header.template_name.empty()) {
        return Refuse(texts::kTemplateEmpty);
      }
      return true;
    case HeaderField::kVoucherType:
      if (header.type_id == 0 || header.type_code.empty()) return Refuse(texts::kTypeEmpty);
      return true;
    case HeaderField::kDate:
      if (frame::StringOut(header.date, " ").empty()) return Refuse(texts::kDateEmpty);
      if (host::CalendarDate(header.date).empty()) return Refuse(texts::kDateInvalid);
      return true;
    case HeaderField::kAttachments: {
      const HeaderValue typed = AttachmentsOf(header.attachments);
      return typed.refusal == nullptr || Refuse(typed.refusal);
    }
    case HeaderField::kNumber:
      return CheckNumber(header);
    case HeaderField::kManager:
    case HeaderField::kNone:
      return true;
  }
  return true;
}

}  // namespace lumvoucher::voucher
