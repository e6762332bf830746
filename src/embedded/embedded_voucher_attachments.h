#pragma once

#include "embedded/sqlite_data_access.h"
#include "host/login_context.h"
#include "host/voucher_attachments.h"

namespace lumvoucher::embedded {

// The attachment store of the account set itself (table VoucherAttachment). The content is bound
// as a blob, not written into SQL text, so any bytes come back as they went in.
class EmbeddedVoucherAttachments : public host::VoucherAttachments {
 public:
  EmbeddedVoucherAttachments(SqliteDataAccess& data, host::LoginContext& login)
      : data_(data), login_(login) {}
  std::vector<host::Attachment> List(long voucher_id) override;
  long Add(long voucher_id, std::string_view name, std::string_view content) override;
  std::string Content(long voucher_id, long attachment_id) override;
  void Remove(long voucher_id, long attachment_id) override;

 private:
  SqliteDataAccess& data_;
  host::LoginContext& login_;
};

}  // namespace lumvoucher::embedded
