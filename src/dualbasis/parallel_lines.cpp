#include "dualbasis/parallel_lines.h"

#include "voucher/voucher_model.h"

namespace lumvoucher::dualbasis {

void BudgetLine::SetAmount(double amount) {
  debit = direction == kDebitSide ? amount : 0;
  credit = direction == kDebitSide ? 0 : amount;
}

std::string DescribeLines(const std::vector<BudgetLine>& lines, int decimals) {
  std::string out;
  for (const BudgetLine& line : lines) {
    if (!out.empty()) out += " / ";
    out += (line.direction == kDebitSide ? "借 " : "贷 ") + line.account_code + " " +
           voucher::FormatFixed(line.Amount(), decimals);
  }
  return out;
}

std::string DescribeOrigin(const LineOrigin& origin) {
  std::string out = origin.template_code + " " + origin.template_name + ":";
  if (origin.parts.empty()) out += " 无金额规则";
  for (const std::string& part : origin.parts) out += " " + part;
  return out;
}

}  // namespace lumvoucher::dualbasis
