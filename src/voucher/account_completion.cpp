#include "voucher/account_completion.h"

#include "frame/login_state.h"
#include "frame/organization_view.h"
#include "frame/sql_text.h"
#include "host/recordset.h"

namespace lumvoucher::voucher {

namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<AccountChoice> CompleteAccount(std::string_view typed, std::size_t limit,
                                           const host::VoucherBasis& basis) {
  std::string_view text = Trimmed(typed);
  // A chosen completion comes back as "code name"; its code is what identifies it.
  if (const std::size_t blank = text.find(' '); blank != std::string_view::npos) {
    text = text.substr(0, blank);
  }
  std::vector<AccountChoice> choices;
  if (text.empty() || limit == 0) return choices;
  // Instr rather than Like: a typed "%" or "_" is a character to look for, not a wildcard.
  const std::string literal = frame::SqlText(text);
  host::Recordset rs = frame::Data().OpenRecordset(
      "Select a.lngAccountID, a.strAccountCode, a.strAccountName, a.blnIsDetail From " +
      frame::OrganizationExtendedView(basis.account_table, "Account", frame::OrganizationId()) +
      " a Where a.blnIsInActive = 0 And (Instr(a.strAccountCode, " + literal +
      ") = 1 Or Instr(a.strAccountName, " + literal +
      ") > 0) Order By a.blnIsDetail Desc, a.strAccountCode");
  for (std::size_t i = 0; i < rs.RecordCount() && choices.size() < limit; ++i) {
    AccountChoice choice;
    choice.id = static_cast<long>(rs.At(i, "lngAccountID").AsLong());
    choice.code = rs.At(i, "strAccountCode").AsText();
    choice.name = rs.At(i, "strAccountName").AsText();
    choice.detail = rs.At(i, "blnIsDetail").AsBool();
    choices.push_back(std::move(choice));
  }
  return choices;
}

}  // namespace lumvoucher::voucher
