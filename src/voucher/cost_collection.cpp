#include "voucher/cost_collection.h"

#include <optional>

#include "frame/login_state.h"
#include "host/cls_account.h"
#include "host/message_box.h"
#include "voucher/status_texts.h"
#include "voucher/voucher_texts.h"

namespace lumvoucher::voucher {

namespace {

std::string N(long value) {
  return std::to_string(value);
}

bool HasCollectedCosts(long line_id) {
  host::DataAccess& data = frame::Data();
  return !data.OpenRecordset(
                  "Select lngCostApportionID From CostApportion Where "
                  "lngVoucherDetailID = " +
                  N(line_id))
              .Empty() ||
         !data.OpenRecordset(
                  "Select lngHisCostApportionID From HisCostApportion Where "
                  "lngVoucherDetailID = " +
                  N(line_id))
              .Empty();
}

// Costs are collected on the accounts the cost module has income or expense items for.
bool IsIncomeExpenseAccount(long account_id) {
  return !frame::Data()
              .OpenRecordset("select 1 From AccOutSet Where lngAccountID = " + N(account_id))
              .Empty();
}

}  // namespace

CostCollectionAnswer AskAboutCollectedCosts(long line_id, long old_account_id,
                                            long new_account_id) {
  if (line_id == 0 || old_account_id == new_account_id || !HasCollectedCosts(line_id)) {
    return CostCollectionAnswer::kKeep;
  }
  host::clsAccount& accounts = *frame::Login().account;
  std::optional<host::AccountInfo> old_account = accounts.AccountById(old_account_id);
  std::optional<host::AccountInfo> new_account = accounts.AccountById(new_account_id);
  const bool same_kind = old_account && new_account &&
                         old_account->direction == new_account->direction &&
                         IsIncomeExpenseAccount(new_account_id);
  if (!same_kind) {
    return frame::Msg(texts::kCostOtherKind, host::mb::kYesNo + host::mb::kQuestion,
                      texts::kTitleInformation) == host::mb::kYes
               ? CostCollectionAnswer::kClear
               : CostCollectionAnswer::kGiveUp;
  }
  switch (frame::Msg(texts::kCostSameKind, host::mb::kYesNoCancel + host::mb::kQuestion,
                     texts::kTitleInformation)) {
    case host::mb::kYes:
      return CostCollectionAnswer::kClear;
    case host::mb::kNo:
      return CostCollectionAnswer::kKeep;
    default:
      return CostCollectionAnswer::kGiveUp;
  }
}

std::vector<std::string> ClearCostCollectionSql(long line_id) {
  return {" DELETE FROM CostApportion WHERE lngVoucherDetailID= " + N(line_id),
          " DELETE FROM HisCostApportion WHERE lngVoucherDetailID= " + N(line_id)};
}

}  // namespace lumvoucher::voucher
