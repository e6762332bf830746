#include "embedded/embedded_voucher_attachments.h"

#include "frame/base64.h"
#include "frame/sql_text.h"
#include "host/data_access.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {

namespace {

std::string Of(long voucher_id, long attachment_id) {
  return " WHERE lngVoucherID = " + std::to_string(voucher_id) +
         " AND lngAttachmentID = " + std::to_string(attachment_id);
}

}  // namespace

std::vector<host::Attachment> EmbeddedVoucherAttachments::List(long voucher_id) {
  host::Recordset rs = login_.Data().OpenRecordset(
      "SELECT lngAttachmentID, strFileName, lngSize, strDate FROM VoucherAttachment WHERE "
      "lngVoucherID = " +
      std::to_string(voucher_id) + " ORDER BY lngAttachmentID");
  std::vector<host::Attachment> out;
  for (; !rs.Eof(); rs.MoveNext()) {
    out.push_back({static_cast<long>(rs["lngAttachmentID"].AsLong()), rs["strFileName"].AsText(),
                   rs["lngSize"].AsLong(), rs["strDate"].AsText()});
  }
  return out;
}

long EmbeddedVoucherAttachments::Add(long voucher_id, std::string_view name,
                                     std::string_view content) {
  if (static_cast<std::int64_t>(content.size()) > kMaxSize) {
    throw host::DatabaseError("attachment larger than the store keeps");
  }
  host::DataAccess& data = login_.Data();
  // The id and the row together: a failed insert leaves no id taken in a half-written state.
  host::TransactionGuard transaction(data);
  const long id = login_.NextId("VoucherAttachment");
  // An empty file is NULL content (Oracle's '' is NULL); its size says it is there.
  data.Execute(
      "INSERT INTO VoucherAttachment (lngAttachmentID, lngVoucherID, strFileName, "
      "strDate, lngOperatorID, lngSize, strContent) VALUES (" +
      std::to_string(id) + ", " + std::to_string(voucher_id) + ", " + frame::SqlText(name) + ", " +
      frame::SqlText(login_.LoginDate()) + ", " + std::to_string(login_.CurrentOperator().id) +
      ", " + std::to_string(content.size()) + ", " + frame::SqlText(frame::Base64Encode(content)) +
      ")");
  transaction.Commit();
  return id;
}

std::string EmbeddedVoucherAttachments::Content(long voucher_id, long attachment_id) {
  host::Recordset rs = login_.Data().OpenRecordset("SELECT strContent FROM VoucherAttachment" +
                                                   Of(voucher_id, attachment_id));
  if (rs.Eof()) return {};
  std::optional<std::string> bytes = frame::Base64Decode(rs["strContent"].AsText());
  if (!bytes) throw host::DatabaseError("附件内容已损坏，不能读出");
  return *std::move(bytes);
}

void EmbeddedVoucherAttachments::Remove(long voucher_id, long attachment_id) {
  login_.Data().Execute("DELETE FROM VoucherAttachment" + Of(voucher_id, attachment_id));
}

}  // namespace lumvoucher::embedded
