#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "host/data_access.h"

namespace lumvoucher::host {

// A data access that can answer the queries of one command (a save's checks) from one snapshot,
// so that it need not lock the file for each of them. A write or BeginTrans in between ends
// the snapshot first; pairs nest.
class ReadSnapshots {
 public:
  ReadSnapshots();
  virtual ~ReadSnapshots();
  virtual void BeginReads() = 0;
  virtual void EndReads() = 0;
  // Moves on whenever the connection may have changed a row or ended a snapshot or transaction
  // (a write, BeginTrans, a commit or rollback): rows read while it stays the same are rows a
  // query would still return. 0 when the data access cannot tell, which keeps nothing.
  virtual std::uint64_t ReadEpoch() const = 0;
  // Moves on whenever the connection's own statement may have changed one of the slowly
  // changing tables OpenRemembered keeps across commands (MayChangeSlowlyChanging), or ended a
  // transaction by a rollback. A data access that does not tell them apart gives ReadEpoch().
  virtual std::uint64_t SlowlyChangingEpoch() const { return ReadEpoch(); }

  // What OpenRemembered keeps for this connection, across commands.
  struct Remembered;
  Remembered& Memory() { return *remembered_; }

 protected:
  // Called by the data access on every rollback: what a transaction read after changing one
  // of the slowly changing tables went with it, and its stamp value may come back for another
  // transaction's change.
  void ForgetSlowlyChanging();

 private:
  std::unique_ptr<Remembered> remembered_;
};

// The queries made while it lives share a snapshot when the data access offers them; nothing
// changes otherwise. The outermost scope is one command for OpenRemembered.
class ReadScope {
 public:
  explicit ReadScope(DataAccess& data);
  ReadScope(const ReadScope&) = delete;
  ReadScope& operator=(const ReadScope&) = delete;
  ~ReadScope();

 private:
  ReadSnapshots* snapshots_;
};

// A query a command asks again and again with the same text (a setting, an account, a period,
// the local currency, a voucher type or template). Inside a read scope its rows come from the
// connection's memory; elsewhere, and on a data access without snapshots, it simply runs.
// A query that reads only the slowly changing tables Setting, MODULE, Account, AccountEx,
// BudgetAccount, BudgetAccountEx, AccountYear, AccountPeriod, Currencys, VoucherType,
// VoucherTypeEx and Template, each of which moves the account set's change stamp
// (`ChangeStamp`) whenever a row of it changes, is remembered across commands while the stamp
// stays what it was when its rows were read; the stamp is read once a command, and again after
// the connection's own statements moved its SlowlyChangingEpoch. Any other query is remembered
// while the connection has written nothing and kept its snapshot or transaction, within one
// command.
Recordset OpenRemembered(DataAccess& data, std::string_view sql);

// Whether a statement may change one of those tables: anything but an INSERT, UPDATE or DELETE
// naming another table (no trigger of the schema writes a slowly changing table from another).
bool MayChangeSlowlyChanging(std::string_view sql);

}  // namespace lumvoucher::host
