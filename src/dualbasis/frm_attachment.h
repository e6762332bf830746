#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/modal_runner.h"
#include "host/voucher_attachments.h"

namespace lumvoucher::dualbasis {

// 附件: the files attached to a stored financial voucher, kept by the host's attachment store.
// The view reads and writes the files on disk; the presenter only hands names and bytes to the
// store. Failures are shown under "附件" and leave the list as it was.
class frmAttachment : public host::ModalWindow {
 public:
  static constexpr const char* kWindowName = "frmAttachment";
  frmAttachment();
  ~frmAttachment() override;
  std::string WindowName() const override { return kWindowName; }

  // Lists the voucher's attachments and runs the window. False when the host keeps no
  // attachments or they cannot be read (shown).
  bool ShowMe(long voucher_id);
  bool Load(long voucher_id);
  long VoucherID() const { return voucher_id_; }
  const std::vector<host::Attachment>& Rows() const { return rows_; }

  // Attaches a file; `name` loses any folder. Refuses a nameless file and one larger than the
  // store keeps.
  bool Add(const std::string& name, const std::string& content);
  // Asks, then removes the row's attachment.
  bool Remove(int row);
  // The row's content; nothing when it cannot be read (shown).
  std::optional<std::string> Content(int row);

 private:
  const host::Attachment* Row(int row) const;
  bool Failed(const char* text, const std::exception& e);

  std::unique_ptr<host::HostObject> object_;
  host::VoucherAttachments* store_ = nullptr;
  long voucher_id_ = 0;
  std::vector<host::Attachment> rows_;
};

}  // namespace lumvoucher::dualbasis
