#pragma once

#include <cstdint>
#include <string_view>

#include "host/recordset.h"

namespace lumvoucher::host {

class ReadSnapshots;

// The host's data-access object: runs the component's Oracle SQL text. Every failure is thrown
// as DatabaseError. Transactions nest: an inner Begin/Commit pair commits with the outer one, an
// inner RollbackTrans undoes only the inner part.
class DataAccess {
 public:
  virtual ~DataAccess() = default;

  // A query, read completely into memory (a static, read-only cursor).
  virtual Recordset OpenRecordset(std::string_view sql) = 0;
  // Any other statement; answers the number of rows affected.
  virtual std::int64_t Execute(std::string_view sql) = 0;
  // A statement whose affected count nobody needs, inside a transaction that fails with it: a
  // server may send it with the next statement that needs an answer. Its failure is thrown
  // there, and again by every statement up to the rollback of its transaction (or savepoint),
  // at the latest by the commit; never catch it to go on.
  virtual void ExecuteDeferred(std::string_view sql) { Execute(sql); }
  // Whether ExecuteDeferred holds statements back now (a server inside a transaction): a row
  // count then costs a round trip of its own, where here it comes with the statement.
  virtual bool DefersStatements() const { return false; }

  virtual void BeginTrans() = 0;
  // A transaction that writes only work-table rows, which the next fill rebuilds anyway: its
  // commit need not wait for the disk. Inside another transaction it is an ordinary nested one.
  virtual void BeginScratchTrans() { BeginTrans(); }
  virtual void CommitTrans() = 0;
  virtual void RollbackTrans() = 0;
  virtual int TransactionDepth() const = 0;
  // The read snapshots the connection offers (read_scope.h), or null. Asked by every remembered
  // query: a data access that has them answers without the cast this default makes.
  virtual ReadSnapshots* Snapshots();
};

enum class Durability { kDurable, kScratch };

// Commits only when told to; anything else (an exception, an early return) rolls back.
class TransactionGuard {
 public:
  explicit TransactionGuard(DataAccess& data, Durability durability = Durability::kDurable)
      : data_(data) {
    if (durability == Durability::kScratch) {
      data_.BeginScratchTrans();
    } else {
      data_.BeginTrans();
    }
  }
  TransactionGuard(const TransactionGuard&) = delete;
  TransactionGuard& operator=(const TransactionGuard&) = delete;
  ~TransactionGuard() {
    if (!done_) {
      try {
        data_.RollbackTrans();
      } catch (...) {
        // A failed rollback leaves nothing more to undo here; the connection reports it next time.
      }
    }
  }
  void Commit() {
    data_.CommitTrans();
    done_ = true;
  }

 private:
  DataAccess& data_;
  bool done_ = false;
};

}  // namespace lumvoucher::host
