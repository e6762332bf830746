#include "voucher/header_rules.h"

#include <cctype>
#include <cstdio>

#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/cls_base_class.h"
#include "host/cls_business_pub.h"
#include "host/message_box.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::voucher {

namespace {

constexpr int kHeaderFlags = host::mb::kExclamation;

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

bool Refuse(const char* text) {
  frame::Msg(text, kHeaderFlags, texts::kTitleEntry);
  return false;
}

bool CheckNumber(VoucherHeader& header) {
  if (!AllDigits(header.number) || std::stol(header.number) <= 0) {
    return Refuse(texts::kNumberPositive);
  }
  long number = std::stol(header.number);
  long source =
      header.source_organization_id != 0 ? header.source_organization_id : frame::OrganizationId();
  host::clsBusinessPub& business = *frame::Login().business_pub;
  if (!business.NumberTaken(header.type_id, host::kReceiptTypeVoucher, number, header.voucher_id,
                            source, header.year, header.period)) {
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

}  // namespace

std::string NormalizeDate(const std::string& text) {
  int y = 0, m = 0, d = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3) return std::string();
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (y < 1900 || m < 1 || m > 12 || d < 1) return std::string();
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  int days = kDays[m - 1] + (m == 2 && leap ? 1 : 0);
  if (d > days) return std::string();
  return frame::DateText(y, m, d);
}

YearPeriod PeriodOfDate(const std::string& date) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select intYear, bytPeriod From AccountPeriod Where lngOrganizationID = " +
      std::to_string(frame::OrganizationId()) + " And strStartDate <= " + frame::SqlText(date) +
      " And strEndDate >= " + frame::SqlText(date));
  if (!rs.Empty()) {
    return {static_cast<int>(rs["intYear"].AsLong()), static_cast<int>(rs["bytPeriod"].AsLong())};
  }
  return {std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2))};
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
      if (NormalizeDate(header.date).empty()) return Refuse(texts::kDateInvalid);
      return true;
    case HeaderField::kAttachments:
      if (!AllDigits(header.attachments)) return Refuse(texts::kAttachmentsNumber);
      return true;
    case HeaderField::kNumber:
      return CheckNumber(header);
    case HeaderField::kManager:
    case HeaderField::kNone:
      return true;
  }
  return true;
}

}  // namespace lumvoucher::voucher
