#pragma once

#include <span>
#include <string>
#include <string_view>

namespace lumvoucher::frame {

// Master tables shared by all organisations keep an organisation's own copies of rows in a
// twin table named table + "Ex" (same columns, then lngOrganizationID). These build the text of
// a sub-query (parenthesised, ready to follow From) whose rows are what the organisation sees:
// every shared row without a copy for it, with the organisation's id added, and its copies.
// `entity` names the key column "lng" + entity + "ID" (Account -> lngAccountID).

std::string OrganizationExtendedView(std::string_view table, std::string_view entity,
                                     long organization_id);

// The same for several organisations at once: one row per organisation and shared row.
// The list must not be empty.
std::string OrganizationExtendedView(std::string_view table, std::string_view entity,
                                     std::span<const long> organization_ids);

}  // namespace lumvoucher::frame
