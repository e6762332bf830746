#pragma once

#include <optional>
#include <string>
#include <vector>

#include "voucher/voucher_model.h"

namespace lumvoucher::voucher {
class frmVoucher;
}

// The standard vouchers' tables (样板凭证). Every statement is written once with the basis's
// table prefix: "" for the financial tables (StdVoucher, StdVoucherDetail), "Budget" for their
// budget twins. Database errors propagate as host::DatabaseError.
namespace lumvoucher::templates {

enum class StdBasis { kFinance, kBudget };

// "" or "Budget".
const char* Prefix(StdBasis basis);
inline StdBasis BasisOf(bool blnFinance) {
  return blnFinance ? StdBasis::kFinance : StdBasis::kBudget;
}

// One line of a standard voucher: what a voucher line keeps without its amounts. The budget
// classifications are written for the budget basis only.
struct StdLine {
  std::string remark;
  long account_id = 0;
  int direction = 1;
  long currency_id = 0;
  long class1_id = 0;
  long class2_id = 0;
  long customer_id = 0;
  long department_id = 0;
  long employee_id = 0;
  long payment_method_id = 0;
  std::string check_number;
  std::string flexible_id;
  long functional_id = 0;
  long government_eco_id = 0;
  long department_eco_id = 0;
};

// What a voucher window hands to the save: its type, print template, attachment count, its
// lines that carry an account (in grid order), and how many lines its grid holds.
struct StdVoucherSource {
  long type_id = 0;
  long template_id = 0;
  int attachments = 0;
  std::vector<StdLine> lines;
  int grid_lines = 0;
};

// The financial voucher window's voucher as a source.
StdVoucherSource SourceOf(const voucher::frmVoucher& window);

// The id of the organisation's standard voucher numbered `number` in the basis, 0 when none.
long FindStdVoucher(StdBasis basis, const std::string& number);
// Removes a standard voucher, header first (the order of the replace), or lines first (the
// order of the chooser's delete).
void DeleteStdVoucher(StdBasis basis, long id, bool lines_first);
// Writes a new standard voucher of the organisation; answers its id.
long WriteStdVoucher(StdBasis basis, const std::string& number, const std::string& name,
                     const StdVoucherSource& source);

// A standard voucher read for a new voucher: the header's type, template and attachment
// count, and lines in the voucher window's form with every amount 0.
struct StdVoucherContent {
  long type_id = 0;
  std::string type_code;
  long template_id = 0;
  std::string template_name;
  int attachments = 0;
  std::vector<voucher::VoucherLine> lines;
};
std::string StdHeaderSql(StdBasis basis, long id);
std::string StdLinesSql(StdBasis basis, long id);
// Nothing when the standard voucher (or its type or template) no longer exists.
std::optional<StdVoucherContent> ReadStdVoucher(StdBasis basis, long id);

}  // namespace lumvoucher::templates
