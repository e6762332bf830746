#pragma once

#include <string>

#include "host/host_object.h"

namespace lumvoucher::host {

// The suite's bill module, a host object made by name (clsBaseClass::NewHostObject(kKind); a
// host without one makes some other object): issues the bank bills (cheques, transfer slips) the
// bank lines of a stored financial voucher pay or receive with. An issued bill is linked to its
// line (BankBillDetail, activity 41 and the line's id), so changing the voucher asks before the
// link goes and voiding it releases the bills.
class BillIssuing : public HostObject {
 public:
  static constexpr const char* kKind = "BillIssuing";
  std::string ObjectName() const override { return kKind; }
  // Issues a bill for every bank line of `voucher_id` that names a bill number and has no bill
  // yet, all or none. Answers how many were issued. Throws DatabaseError.
  virtual int IssueBills(long voucher_id) = 0;
};

}  // namespace lumvoucher::host
