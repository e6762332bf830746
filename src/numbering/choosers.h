#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumvoucher::numbering {

// An entry of a window's chooser (organisation, voucher type).
struct Choice {
  long id = 0;
  std::string code;
  std::string name;
  bool operator==(const Choice&) const = default;
};

// The organisations an operator may choose as the source organisation of the numbering windows:
// the login organisation and every organisation below it (whose code continues its code with
// "-"), as an IN list "(1,2,3)"; the voucher lists show the same organisations.
std::string PermittedOrganizationList();

// The rows of a chooser query: id, code, name (a query of two columns gives the code only).
std::vector<Choice> ReadChoices(std::string_view sql);

// The code of a voucher type; "" when there is none.
std::string VoucherTypeCode(long voucher_type_id);

// The position of `id` among `choices`, -1 when absent.
int ChoiceIndex(const std::vector<Choice>& choices, long id);

}  // namespace lumvoucher::numbering
