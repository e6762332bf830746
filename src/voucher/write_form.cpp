#include "voucher/write_form.h"

#include <cstdint>
#include <limits>
#include <string_view>

#include "frame/sql_text.h"
#include "host/calendar_date.h"
#include "host/decimal_text.h"
#include "voucher/header_rules.h"
#include "voucher/line_rules.h"

namespace lumvoucher::voucher {

namespace {

bool IsControl(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
}

// A control character reads as a blank (it becomes one in a text field).
bool IsBlank(char c) {
  return c == ' ' || IsControl(c);
}

std::string Clean(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (IsControl(c)) c = ' ';
  }
  return out;
}

constexpr std::int64_t kMaxId = std::numeric_limits<std::int32_t>::max();

// Reads the record's fields by 1-based position; remembers the first malformed field. The
// fields are views of `text`, which must outlive the record: a form of a few lines has some
// hundred fields, most of them read once as a number.
class Record {
 public:
  Record(std::string_view text, char separator) {
    fields_.reserve(48);
    std::size_t start = 0;
    while (true) {
      const std::size_t at = text.find(separator, start);
      fields_.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
      if (at == std::string_view::npos) return;
      start = at + 1;
    }
  }
  bool Has(int position) const { return position <= static_cast<int>(fields_.size()); }
  std::string Text(int position) const {
    return Has(position) ? Clean(Field(position)) : std::string();
  }
  // The field cleaned and without blanks around it; a copy in `scratch` only when a control
  // character is left inside.
  std::string_view Trimmed(int position, std::string& scratch) const {
    if (!Has(position)) return {};
    std::string_view f = Field(position);
    std::size_t begin = 0;
    std::size_t end = f.size();
    while (begin < end && IsBlank(f[begin])) ++begin;
    while (end > begin && IsBlank(f[end - 1])) --end;
    f = f.substr(begin, end - begin);
    for (char c : f) {
      if (IsControl(c)) {
        scratch = Clean(f);
        return scratch;
      }
    }
    return f;
  }
  std::string TrimmedText(int position) const {
    std::string scratch;
    return std::string(Trimmed(position, scratch));
  }
  // A whole number in [low, high]; an empty field reads as 0, which must be in range too.
  long Whole(int position, std::int64_t low, std::int64_t high) {
    std::string scratch;
    const std::string_view t = Trimmed(position, scratch);
    std::optional<std::int64_t> value =
        t.empty() ? std::optional<std::int64_t>(0) : host::ParseWhole(t, low, high);
    if (!value || *value < low || *value > high) {
      bad_ = true;
      return 0;
    }
    return static_cast<long>(*value);
  }
  long Id(int position) { return Whole(position, 0, kMaxId); }
  double Number(int position) {
    std::string scratch;
    const std::string_view t = Trimmed(position, scratch);
    if (t.empty()) return 0;
    std::optional<double> value = host::ParseDecimal(t);
    if (!value) bad_ = true;
    return value.value_or(0);
  }
  // "" for an empty field (one blank included), else a calendar date.
  std::string Date(int position) {
    std::string scratch;
    const std::string_view t = Trimmed(position, scratch);
    if (t.empty()) return std::string();
    std::string date = host::CalendarDate(t);
    if (date.empty()) bad_ = true;
    return date;
  }
  bool Bad() const { return bad_; }

 private:
  std::string_view Field(int position) const {
    return fields_[static_cast<std::size_t>(position - 1)];
  }

  std::vector<std::string_view> fields_;
  bool bad_ = false;
};

VoucherHeader HeaderOf(Record& r) {
  VoucherHeader h;
  // "yyyy-pp", or empty to take both from the date.
  std::string scratch;
  const std::string_view period = r.Trimmed(1, scratch);
  if (!period.empty()) {
    Record parts(period, '-');
    h.year = static_cast<int>(parts.Whole(1, 1900, 9999));
    h.period = static_cast<int>(parts.Whole(2, 1, 99));
    if (parts.Has(3) || parts.Bad()) h.year = -1;
  }
  h.date = r.Date(2);
  if (h.date.empty()) h.year = -1;
  h.type_id = r.Id(3);
  h.number = frame::ZeroPad(r.Whole(4, 1, kMaxVoucherNumber), 6);
  h.attachments = std::to_string(r.Whole(14, 0, kMaxAttachments));
  h.manager = r.Text(15);
  h.source_id = r.Id(16);
  h.volume = frame::ZeroPad(r.Whole(17, 0, 9999), 4);
  h.print_mark = r.Trimmed(18, scratch) != "FALSE";
  h.template_id = r.Id(19);
  h.source_voucher_id = r.Id(29);
  h.error_mark = r.Whole(30, 0, 1) != 0;
  h.error_text = r.Text(31);
  h.maker_id = r.Id(32);
  h.source_organization_id = r.Id(36);
  h.void_mark = r.Whole(37, 0, 1) != 0;
  h.fy_bill_relation = r.Whole(38, -kMaxId, kMaxId);
  return h;
}

bool SameHeader(const VoucherHeader& a, const VoucherHeader& b) {
  return a.year == b.year && a.period == b.period && a.date == b.date && a.type_id == b.type_id &&
         a.number == b.number && a.source_organization_id == b.source_organization_id;
}

VoucherLine LineOf(Record& r) {
  VoucherLine l;
  l.remark = r.Text(5);
  l.account_id = r.Id(6);
  long direction = r.Whole(7, kCredit, kDebit);
  double amount = r.Number(8);
  l.currency_id = r.Id(9);
  l.rate = r.Number(10);
  l.currency_amount = r.Number(11);
  l.quantity = r.Number(12);
  l.price = r.Number(13);
  l.spare = r.Text(20);
  l.unit_id = r.Id(21);
  l.department_id = r.Id(22);
  l.employee_id = r.Id(23);
  l.class1_id = r.Id(24);
  l.class2_id = r.Id(25);
  l.payment_method_id = r.Id(26);
  l.check_number = r.TrimmedText(27);
  l.check_date = r.Date(28);
  l.business_date = r.Date(35);
  if (r.Has(39)) l.organization_id = r.Id(39);
  if (r.Has(40)) l.flexible_id = r.TrimmedText(40);
  if (r.Has(41)) l.cash_flow_code = r.Text(41);
  if (r.Has(42)) l.curr_payment_amount = r.Number(42);
  l.SetAmount(direction == kCredit ? kCredit : kDebit, amount);
  return l;
}

}  // namespace

std::optional<ProgramVoucher> ParseWriteForm(const std::string& detail) {
  ProgramVoucher voucher;
  bool first = true;
  const std::string_view text = detail;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view record = text.substr(start, end - start);
    start = end + 1;
    if (!record.empty() && record.back() == '\r') record.remove_suffix(1);
    if (record.empty()) continue;
    Record r(record, '\t');
    if (!r.Has(kWriteFormFields)) return std::nullopt;
    VoucherHeader header = HeaderOf(r);
    if (header.year < 0) return std::nullopt;
    if (first) {
      voucher.header = header;
      voucher.second_source_code = r.Id(33);
      if (r.Has(77) && r.Id(77) != 0) voucher.document_kind = static_cast<int>(r.Id(77));
      first = false;
    } else if (!SameHeader(voucher.header, header)) {
      return std::nullopt;
    }
    if (r.Whole(7, kCredit, kDebit) == 0) return std::nullopt;
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
