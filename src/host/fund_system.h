#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/recordset.h"

namespace lumvoucher::host {

// The second connection the host opens to the fund system's database (payment, receipt and
// balance requests and the pairing table InterFace_Of8e). Failures are thrown as DatabaseError.
// There is no transaction spanning it and the account set's connection.
class FundConnection {
 public:
  virtual ~FundConnection() = default;
  virtual Recordset OpenResultset(std::string_view sql) = 0;
  virtual std::int64_t Execute(std::string_view sql) = 0;
  virtual void BeginTrans() = 0;
  virtual void CommitTrans() = 0;
  virtual void RollbackTrans() = 0;
};

// The host's fund-system object: the connection, who the account set is in the fund system,
// the request list's definition, and the fund system's own document window.
class FundSystem {
 public:
  virtual ~FundSystem() = default;
  virtual FundConnection& Connection() = 0;
  // The settlement centre (Req.localCenterId) and the party (Party_ID, the organisation's code
  // in the fund system).
  virtual std::string CenterCode() = 0;
  virtual std::string PartyCode() = 0;
  // Whether the operator sees every party's requests of the centre.
  virtual bool CenterWide() = 0;
  // The request list's display columns (", "-separated select items over alias Req) and its
  // FROM part (" From <view> Req").
  virtual std::string RequestColumns() = 0;
  virtual std::string RequestFrom() = 0;
  // Shows a request document in the fund system (Bankroll_Show of its interface object).
  virtual void Bankroll_Show(std::string_view bill_type, std::string_view bill_id) = 0;
};

}  // namespace lumvoucher::host
