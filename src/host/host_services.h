#pragma once

#include <string>
#include <string_view>

#include "host/host_object.h"

// The host objects the component stores but, so far, calls nothing on. Each subsystem that
// calls one adds the operations it needs here (the filter dialog with the lists, the card
// services with cash flow, the asset modules' notifications with saving).
namespace lumvoucher::host {

// What a list hands to its filter dialog and gets back: a condition in Oracle SQL over the
// list's tables ("" = none; the list adds it with " And (" ... ")") and the date range
// ("yyyy-mm-dd").
struct FilterCondition {
  std::string condition;
  std::string date_from;
  std::string date_to;
  // What the dialog tells the user about the condition ("摘要含“差旅”"), shown above the list.
  std::string description{};
  // The condition asks for void vouchers: the list shows them ("全部显示(&W)").
  bool show_void = false;
};

// The host's filter dialog, shared by the voucher lists and the continuity check.
class clsFilter : public HostObject {
 public:
  // Opens the dialog of the list `list_id` under `title`, showing `current`. True when the user
  // confirmed; `current` then holds his choice. False (cancelled) leaves `current` as it was.
  virtual bool ShowFilter(long list_id, std::string_view title, FilterCondition& current) = 0;
};

class clsReportBook : public HostObject {};
class clsCardInFix : public HostObject {};
class clsPublicForm : public HostObject {};
class clsFlowModule : public HostObject {};
// What the cash-flow windows do to the cash-flow items (CashItem) from their item chooser.
enum class CashItemAction { kAdd, kDelete, kModify };

// Cash-flow card services: the host's own cards that maintain the cash-flow items.
class clsCWCard : public HostObject {
 public:
  // Opens the host's card for `action` on the items of `flow_type` (1 inflow, 2 outflow),
  // on `cash_item_id` for delete and modify (0 = none chosen). Answers whether the items
  // changed, so that the chooser reads them again.
  virtual bool MaintainCashItem(CashItemAction action, int flow_type, long cash_item_id) = 0;
};
class clsTemplate : public HostObject {};
class clsFixedAsset : public HostObject {};

// The modules that generate vouchers are told the id of a voucher they generated once it is
// saved (voucher sources 33, 35, 36).
class clsConsumption : public HostObject {
 public:
  virtual void RefreshVoucherID(long voucher_id) = 0;
};
class clsImmaterialAsset : public HostObject {
 public:
  virtual void RefreshVoucherID(long voucher_id) = 0;
};
class clsDefered : public HostObject {
 public:
  virtual void RefreshVoucherID(long voucher_id) = 0;
};
// The asset-management module (sources 14 and 9).
class clsAmAsset : public HostObject {
 public:
  virtual void RefreshAMAssetVoucherID(long voucher_id) = 0;
  virtual void RefreshAssetCreateVoucher(long voucher_id) = 0;
};

// Card services; the lists keep the card object one of its properties yields.
class clsCard : public HostObject {
 public:
  virtual HostObject* CardObject() = 0;
};

}  // namespace lumvoucher::host
