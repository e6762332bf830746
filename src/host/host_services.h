#pragma once

#include "host/host_object.h"

// The host objects the component stores but, so far, calls nothing on. Each subsystem that
// calls one adds the operations it needs here (the filter dialog with the lists, the card
// services with cash flow, the asset modules' notifications with saving).
namespace lumvoucher::host {

class clsFilter : public HostObject {};
class clsReportBook : public HostObject {};
class clsCardInFix : public HostObject {};
class clsPublicForm : public HostObject {};
class clsFlowModule : public HostObject {};
class clsCWCard : public HostObject {};
class clsTemplate : public HostObject {};
class clsFixedAsset : public HostObject {};
class clsConsumption : public HostObject {};
class clsImmaterialAsset : public HostObject {};
class clsDefered : public HostObject {};
class clsAmAsset : public HostObject {};

// Card services; the lists keep the card object one of its properties yields.
class clsCard : public HostObject {
 public:
  virtual HostObject* CardObject() = 0;
};

}  // namespace lumvoucher::host
