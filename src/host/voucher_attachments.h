#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_object.h"

namespace lumvoucher::host {

// One file attached to a voucher.
struct Attachment {
  long id = 0;
  std::string name;  // the file's name, without its folder
  std::int64_t size = 0;
  std::string date;  // "yyyy-mm-dd" it was attached
};

// The suite's attachment store, a host object made by name (clsBaseClass::NewHostObject(kKind)):
// the files (scans of receipts, contracts) kept with a stored voucher, content byte for byte.
// Failures are thrown as DatabaseError.
class VoucherAttachments : public HostObject {
 public:
  static constexpr const char* kKind = "VoucherAttachments";
  static constexpr std::int64_t kMaxSize = 20 * 1024 * 1024;
  std::string ObjectName() const override { return kKind; }
  // In the order they were attached.
  virtual std::vector<Attachment> List(long voucher_id) = 0;
  // Answers the new attachment's id. The caller keeps `content` within kMaxSize.
  virtual long Add(long voucher_id, std::string_view name, std::string_view content) = 0;
  // The content of an attachment of `voucher_id`; empty when there is none such.
  virtual std::string Content(long voucher_id, long attachment_id) = 0;
  virtual void Remove(long voucher_id, long attachment_id) = 0;
};

}  // namespace lumvoucher::host
