#pragma once

#include <vector>

#include "lists/list_query.h"

namespace lumvoucher::lists {

// The visible columns the list configuration gives list `list_id` (ListField over ViewField), in
// their order: the current operator's own layout when he has one, else the default layout
// (operator 0). Database errors propagate as host::DatabaseError.
std::vector<ColumnDef> ConfiguredColumns(long list_id);

}  // namespace lumvoucher::lists
