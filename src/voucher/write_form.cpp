#include "voucher/write_form.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "frame/sql_text.h"
#include "voucher/line_rules.h"

namespace lumvoucher::voucher {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return parts;
    start = at + 1;
  }
}

std::string Clean(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  }
  return text;
}

std::string Trim(const std::string& text) {
  std::size_t b = text.find_first_not_of(' ');
  if (b == std::string::npos) return std::string();
  return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

// Reads the record's fields by 1-based position; remembers the first malformed number.
class Record {
 public:
  explicit Record(std::vector<std::string> fields) : fields_(std::move(fields)) {}
  bool Has(int position) const { return position <= static_cast<int>(fields_.size()); }
  std::string Text(int position) const {
    return Has(position) ? Clean(fields_[static_cast<std::size_t>(position - 1)]) : std::string();
  }
  long Long(int position) {
    std::string t = Trim(Text(position));
    if (t.empty()) return 0;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(t.c_str(), &end, 10);
    if (*end != '\0' || errno != 0) bad_ = true;
    return value;
  }
  double Double(int position) {
    std::string t = Trim(Text(position));
    if (t.empty()) return 0;
    char* end = nullptr;
    double value = std::strtod(t.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value)) bad_ = true;
    return value;
  }
  std::string Date(int position) const {
    std::string t = Trim(Text(position));
    return t;
  }
  bool Bad() const { return bad_; }

 private:
  std::vector<std::string> fields_;
  bool bad_ = false;
};

VoucherHeader HeaderOf(Record& r) {
  VoucherHeader h;
  std::string period = Trim(r.Text(1));
  std::size_t dash = period.find('-');
  if (dash == std::string::npos || dash == 0) {
    r.Long(1);  // marks a malformed field
    if (!period.empty()) h.year = -1;
  } else {
    Record parts(Split(period, '-'));
    h.year = static_cast<int>(parts.Long(1));
    h.period = static_cast<int>(parts.Long(2));
    if (parts.Bad()) h.year = -1;
  }
  h.date = r.Date(2);
  h.type_id = r.Long(3);
  long number = r.Long(4);
  h.number = number > 0 ? frame::ZeroPad(number, 6) : std::string();
  h.attachments = std::to_string(r.Long(14));
  h.manager = r.Text(15);
  h.source_id = r.Long(16);
  std::string volume = Trim(r.Text(17));
  h.volume = volume.empty() ? "0000" : frame::ZeroPad(r.Long(17), 4);
  h.print_mark = Trim(r.Text(18)) != "FALSE";
  h.template_id = r.Long(19);
  h.source_voucher_id = r.Long(29);
  h.error_mark = r.Long(30) != 0;
  h.error_text = r.Text(31);
  h.maker_id = r.Long(32);
  h.source_organization_id = r.Long(36);
  h.void_mark = r.Long(37) != 0;
  h.fy_bill_relation = r.Long(38);
  return h;
}

bool SameHeader(const VoucherHeader& a, const VoucherHeader& b) {
  return a.year == b.year && a.period == b.period && a.date == b.date && a.type_id == b.type_id &&
         a.number == b.number && a.source_organization_id == b.source_organization_id;
}

VoucherLine LineOf(Record& r) {
  VoucherLine l;
  l.remark = r.Text(5);
  l.account_id = r.Long(6);
  long direction = r.Long(7);
  double amount = r.Double(8);
  l.currency_id = r.Long(9);
  l.rate = r.Double(10);
  l.currency_amount = r.Double(11);
  l.quantity = r.Double(12);
  l.price = r.Double(13);
  l.spare = r.Text(20);
  l.unit_id = r.Long(21);
  l.department_id = r.Long(22);
  l.employee_id = r.Long(23);
  l.class1_id = r.Long(24);
  l.class2_id = r.Long(25);
  l.payment_method_id = r.Long(26);
  l.check_number = Trim(r.Text(27));
  l.check_date = r.Date(28);
  l.business_date = r.Date(35);
  if (r.Has(39)) l.organization_id = r.Long(39);
  if (r.Has(40)) l.flexible_id = Trim(r.Text(40));
  if (r.Has(41)) l.cash_flow_code = r.Text(41);
  if (r.Has(42)) l.curr_payment_amount = r.Double(42);
  l.SetAmount(direction == kCredit ? kCredit : kDebit, amount);
  return l;
}

}  // namespace

std::optional<ProgramVoucher> ParseWriteForm(const std::string& detail) {
  ProgramVoucher voucher;
  bool first = true;
  for (std::string record : Split(detail, '\n')) {
    if (!record.empty() && record.back() == '\r') record.pop_back();
    if (record.empty()) continue;
    Record r(Split(record, '\t'));
    if (!r.Has(kWriteFormFields)) return std::nullopt;
    VoucherHeader header = HeaderOf(r);
    if (header.year < 0) return std::nullopt;
    if (first) {
      voucher.header = header;
      voucher.second_source_code = r.Long(33);
      if (r.Has(77) && r.Long(77) != 0) voucher.document_kind = static_cast<int>(r.Long(77));
      first = false;
    } else if (!SameHeader(voucher.header, header)) {
      return std::nullopt;
    }
    long direction = r.Long(7);
    if (direction != kDebit && direction != kCredit) return std::nullopt;
    voucher.lines.push_back(LineOf(r));
    if (r.Bad()) return std::nullopt;
  }
  if (first) return std::nullopt;
  if (voucher.document_kind != kOrdinaryVoucher && voucher.document_kind != kReceiptVoucher &&
      voucher.document_kind != kPaymentVoucher) {
    return std::nullopt;
  }
  return voucher;
}

}  // namespace lumvoucher::voucher
