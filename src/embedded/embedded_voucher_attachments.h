#pragma once

#include "host/login_context.h"
#include "host/voucher_attachments.h"

namespace lumvoucher::embedded {

// The attachment store of the account set itself (table VoucherAttachment), through the account
// set's data access, so it works alike on the file and on a server. The content is kept as
// Base64 text: any bytes come back as they went in, whatever a database does to text.
class EmbeddedVoucherAttachments : public host::VoucherAttachments {
 public:
  explicit EmbeddedVoucherAttachments(host::LoginContext& login) : login_(login) {}
  std::vector<host::Attachment> List(long voucher_id) override;
  long Add(long voucher_id, std::string_view name, std::string_view content) override;
  std::string Content(long voucher_id, long attachment_id) override;
  void Remove(long voucher_id, long attachment_id) override;

 private:
  host::LoginContext& login_;
};

}  // namespace lumvoucher::embedded
