#pragma once

#include <string>
#include <string_view>

#include "host/host_object.h"

namespace lumvoucher::host {

// The modules of the suite that own the business documents vouchers are made from (inventory,
// receipts, assets, loans and transfers): given a document's kind and id, the owning module
// shows it.
class BusinessDocuments {
 public:
  virtual ~BusinessDocuments() = default;
  virtual void ShowDocument(long kind, std::string_view document_id) = 0;
};

// The multi-base data handed to InterFace.setInitMultiBase: whether the deployment keeps
// several account bases (loans and transfers then read their extended tables), and the
// organisation ids of that deployment by organisation code (0 when unknown).
class MultiBaseData : public HostObject {
 public:
  virtual bool IsMultiBase() = 0;
  virtual long OrganizationIdByCode(std::string_view code) = 0;
};

}  // namespace lumvoucher::host
