#include "ui/filter_condition.h"

#include <cctype>
#include <vector>

#include "frame/sql_text.h"

namespace lumvoucher::ui {

namespace {

std::string N(long value) {
  return std::to_string(value);
}

// A LIKE pattern that matches `text` literally, with "\" as the escape character.
std::string LiteralPattern(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '%' || c == '_') out += '\\';
    out += c;
  }
  return out;
}

std::string Like(const std::string& column, const std::string& pattern) {
  return column + " Like " + frame::SqlText(pattern) + " Escape '\\'";
}

std::string LineExists(const std::string& tables, const std::string& condition) {
  return "Exists (Select 1 From VoucherDetail d" + tables +
         " Where d.lngVoucherID = Voucher.lngVoucherID And " + condition + ")";
}

const char* StatusText(FilterFields::Status status) {
  switch (status) {
    case FilterFields::Status::kUnreviewed:
      return "未复核";
    case FilterFields::Status::kReviewed:
      return "已复核";
    case FilterFields::Status::kSigned:
      return "已出纳签字";
    case FilterFields::Status::kPosted:
      return "已记账";
    case FilterFields::Status::kVoid:
      return "作废";
    case FilterFields::Status::kError:
      return "错误凭证";
    case FilterFields::Status::kAny:
      break;
  }
  return "";
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

bool IsDecimalText(const std::string& text) {
  std::size_t i = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
  int digits = 0;
  int points = 0;
  for (; i < text.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(text[i]))) {
      ++digits;
    } else if (text[i] == '.' && points == 0) {
      ++points;
    } else {
      return false;
    }
  }
  return digits > 0 && digits <= 15;
}

std::optional<std::string> BuildCondition(const FilterFields& f) {
  std::vector<std::string> terms;
  if (f.year > 0 && f.period > 0) {
    terms.push_back("Voucher.intYear = " + N(f.year) + " And Voucher.bytPeriod = " + N(f.period));
  }
  if (f.voucher_type_id > 0) terms.push_back("Voucher.lngVoucherTypeID = " + N(f.voucher_type_id));
  if (f.number_from > 0) terms.push_back("Voucher.intVoucherNO >= " + N(f.number_from));
  if (f.number_to > 0) terms.push_back("Voucher.intVoucherNO <= " + N(f.number_to));
  if (!f.summary.empty()) {
    terms.push_back(LineExists("", Like("d.strRemark", "%" + LiteralPattern(f.summary) + "%")));
  }
  const std::string account = Trimmed(f.account.substr(0, f.account.find(' ')));
  if (!account.empty()) {
    terms.push_back(LineExists(
        ", Account a",
        "a.lngAccountID = d.lngAccountID And (a.strAccountCode = " + frame::SqlText(account) +
            " Or " + Like("a.strAccountCode", LiteralPattern(account) + "-%") + ")"));
  }
  std::vector<std::string> amounts;
  for (const auto& [text, op] :
       {std::pair{Trimmed(f.amount_from), " >= "}, std::pair{Trimmed(f.amount_to), " <= "}}) {
    if (text.empty()) continue;
    if (!IsDecimalText(text)) return std::nullopt;
    amounts.push_back("d.dblAmount" + std::string(op) + text);
  }
  if (!amounts.empty()) {
    terms.push_back(
        LineExists("", amounts.size() == 1 ? amounts[0] : amounts[0] + " And " + amounts[1]));
  }
  if (f.maker_id > 0) terms.push_back("Voucher.lngOperatorID = " + N(f.maker_id));
  if (f.checker_id > 0) terms.push_back("Voucher.lngCheckerID = " + N(f.checker_id));
  if (f.poster_id > 0) terms.push_back("Voucher.lngPostID = " + N(f.poster_id));
  switch (f.status) {
    case FilterFields::Status::kUnreviewed:
      terms.push_back("nvl(Voucher.lngCheckerID, 0) = 0");
      break;
    case FilterFields::Status::kReviewed:
      terms.push_back("nvl(Voucher.lngCheckerID, 0) <> 0");
      break;
    case FilterFields::Status::kSigned:
      terms.push_back("nvl(Voucher.lngTellerID, 0) <> 0");
      break;
    case FilterFields::Status::kPosted:
      terms.push_back("nvl(Voucher.lngPostID, 0) <> 0");
      break;
    case FilterFields::Status::kVoid:
      terms.push_back("Voucher.blnIsVoid = 1");
      break;
    case FilterFields::Status::kError:
      terms.push_back("Voucher.blnIsError = 1");
      break;
    case FilterFields::Status::kAny:
      break;
  }
  if (!Trimmed(f.advanced).empty()) terms.push_back("(" + f.advanced + ")");
  std::string condition;
  for (const std::string& term : terms) condition += (condition.empty() ? "" : " And ") + term;
  return condition;
}

std::string DescribeFilter(const FilterFields& f) {
  std::vector<std::string> parts;
  if (f.year > 0 && f.period > 0) {
    parts.push_back("期间 " + N(f.year) + "-" + (f.period < 10 ? "0" : "") + N(f.period));
  }
  if (f.voucher_type_id > 0) parts.push_back("凭证字 " + f.voucher_type_code);
  if (f.number_from > 0 || f.number_to > 0) {
    parts.push_back("凭证号 " + (f.number_from > 0 ? N(f.number_from) : std::string()) + "～" +
                    (f.number_to > 0 ? N(f.number_to) : std::string()));
  }
  if (!f.summary.empty()) parts.push_back("摘要含“" + f.summary + "”");
  if (!Trimmed(f.account).empty()) parts.push_back("科目 " + Trimmed(f.account) + "（含下级）");
  if (!Trimmed(f.amount_from).empty() || !Trimmed(f.amount_to).empty()) {
    parts.push_back("金额 " + Trimmed(f.amount_from) + "～" + Trimmed(f.amount_to));
  }
  if (f.maker_id > 0) parts.push_back("制单 " + f.maker_name);
  if (f.checker_id > 0) parts.push_back("复核 " + f.checker_name);
  if (f.poster_id > 0) parts.push_back("记账 " + f.poster_name);
  if (f.status != FilterFields::Status::kAny)
    parts.push_back(std::string("状态 ") + StatusText(f.status));
  if (!Trimmed(f.advanced).empty()) parts.push_back("高级条件 " + Trimmed(f.advanced));
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : "；") + part;
  return text;
}

}  // namespace lumvoucher::ui
