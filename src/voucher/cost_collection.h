#pragma once

#include <string>
#include <vector>

// What becomes of the collected costs (CostApportion, HisCostApportion) of a stored line when
// the user changes its account.
namespace lumvoucher::voucher {

enum class CostCollectionAnswer {
  kKeep,    // the new account keeps the collected costs
  kClear,   // the save deletes them
  kGiveUp,  // the change is given up and the line restored
};

// Nothing to ask (kKeep) unless the stored line `line_id` has collected costs. Otherwise asks,
// under "提示信息": a new account that is not an income/expense account (the cost module has no
// items for it in AccOutSet) or whose balance side differs from the old one's clears them after
// a Yes ("修改为非收支类科目…是否继续？", No gives up); another income/expense account on the same
// side gets the three-button question (Yes clears, No keeps, Cancel gives up).
CostCollectionAnswer AskAboutCollectedCosts(long line_id, long old_account_id, long new_account_id);

// The statements that delete the collected costs of a line.
std::vector<std::string> ClearCostCollectionSql(long line_id);

}  // namespace lumvoucher::voucher
