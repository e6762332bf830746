#include "embedded/embedded_voucher_attachments.h"

#include <sqlite3.h>

#include <memory>

#include "host/data_access.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {

namespace {

// One prepared statement with its values bound in order; throws on any failure.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) Fail();
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement& Bind(std::int64_t value) {
    Check(sqlite3_bind_int64(stmt_, ++bound_, value));
    return *this;
  }
  Statement& Bind(std::string_view text) {
    Check(sqlite3_bind_text(stmt_, ++bound_, text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT));
    return *this;
  }
  Statement& BindBlob(std::string_view bytes) {
    // A zero-length blob must still not be NULL: the column is NOT NULL.
    Check(bytes.empty() ? sqlite3_bind_zeroblob(stmt_, ++bound_, 0)
                        : sqlite3_bind_blob(stmt_, ++bound_, bytes.data(),
                                            static_cast<int>(bytes.size()), SQLITE_TRANSIENT));
    return *this;
  }
  bool Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail();
    return rc == SQLITE_ROW;
  }
  std::int64_t Long(int column) { return sqlite3_column_int64(stmt_, column); }
  std::string Text(int column) {
    const void* data = sqlite3_column_blob(stmt_, column);
    return data == nullptr
               ? std::string()
               : std::string(static_cast<const char*>(data),
                             static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
  }

 private:
  void Check(int rc) {
    if (rc != SQLITE_OK) Fail();
  }
  [[noreturn]] void Fail() { throw host::DatabaseError(sqlite3_errmsg(db_)); }

  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
  int bound_ = 0;
};

}  // namespace

std::vector<host::Attachment> EmbeddedVoucherAttachments::List(long voucher_id) {
  Statement s(data_.Handle(),
              "SELECT lngAttachmentID, strFileName, length(blbContent), strDate FROM "
              "VoucherAttachment WHERE lngVoucherID = ? ORDER BY lngAttachmentID");
  s.Bind(voucher_id);
  std::vector<host::Attachment> out;
  while (s.Step()) out.push_back({static_cast<long>(s.Long(0)), s.Text(1), s.Long(2), s.Text(3)});
  return out;
}

long EmbeddedVoucherAttachments::Add(long voucher_id, std::string_view name,
                                     std::string_view content) {
  if (static_cast<std::int64_t>(content.size()) > kMaxSize) {
    throw host::DatabaseError("attachment larger than the store keeps");
  }
  // A write transaction of the data access: it ends a read snapshot first and queues behind
  // other desktops' writers.
  host::TransactionGuard transaction(data_);
  Statement s(data_.Handle(),
              "INSERT INTO VoucherAttachment (lngVoucherID, strFileName, strDate, lngOperatorID, "
              "blbContent) VALUES (?, ?, ?, ?, ?)");
  s.Bind(voucher_id)
      .Bind(name)
      .Bind(login_.LoginDate())
      .Bind(static_cast<std::int64_t>(login_.CurrentOperator().id))
      .BindBlob(content);
  s.Step();
  const long id = static_cast<long>(sqlite3_last_insert_rowid(data_.Handle()));
  transaction.Commit();
  return id;
}

std::string EmbeddedVoucherAttachments::Content(long voucher_id, long attachment_id) {
  Statement s(data_.Handle(),
              "SELECT blbContent FROM VoucherAttachment WHERE lngVoucherID = ? AND "
              "lngAttachmentID = ?");
  s.Bind(voucher_id).Bind(attachment_id);
  return s.Step() ? s.Text(0) : std::string();
}

void EmbeddedVoucherAttachments::Remove(long voucher_id, long attachment_id) {
  host::TransactionGuard transaction(data_);
  Statement s(data_.Handle(),
              "DELETE FROM VoucherAttachment WHERE lngVoucherID = ? AND lngAttachmentID = ?");
  s.Bind(voucher_id).Bind(attachment_id);
  s.Step();
  transaction.Commit();
}

}  // namespace lumvoucher::embedded
