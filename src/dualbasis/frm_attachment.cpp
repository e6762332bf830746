#include "dualbasis/frm_attachment.h"

#include "dualbasis/dual_texts.h"
#include "frame/frame_messages.h"
#include "frame/login_state.h"
#include "host/cls_base_class.h"
#include "host/database_error.h"
#include "host/message_box.h"

namespace lumvoucher::dualbasis {

namespace {

constexpr int kStopFlags = host::mb::kTaskModal + host::mb::kExclamation;

}  // namespace

frmAttachment::frmAttachment()
    : object_(frame::Login().base_class->NewHostObject(host::VoucherAttachments::kKind)),
      store_(dynamic_cast<host::VoucherAttachments*>(object_.get())) {}

frmAttachment::~frmAttachment() = default;

bool frmAttachment::Failed(const char* text, const std::exception& e) {
  frame::Msg(std::string(text) + e.what(), host::mb::kCritical, texts::kTitleAttachment);
  return false;
}

bool frmAttachment::Load(long voucher_id) {
  voucher_id_ = voucher_id;
  rows_.clear();
  if (store_ == nullptr || voucher_id <= 0) return false;
  try {
    rows_ = store_->List(voucher_id);
    return true;
  } catch (const host::DatabaseError& e) {
    return Failed(texts::kAttachmentReadFailed, e);
  }
}

bool frmAttachment::ShowMe(long voucher_id) {
  if (!Load(voucher_id)) return false;
  frame::Login().base_class->Modal().RunModal(*this);
  return true;
}

const host::Attachment* frmAttachment::Row(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
  return &rows_[static_cast<std::size_t>(row)];
}

bool frmAttachment::Add(const std::string& name, const std::string& content) {
  if (store_ == nullptr || voucher_id_ <= 0) return false;
  const std::size_t slash = name.find_last_of("/\\");
  const std::string file = slash == std::string::npos ? name : name.substr(slash + 1);
  if (file.empty()) return false;
  if (static_cast<std::int64_t>(content.size()) > host::VoucherAttachments::kMaxSize) {
    frame::Msg(texts::kAttachmentTooLargeOpen + file + texts::kAttachmentTooLargeClose, kStopFlags,
               texts::kTitleAttachment);
    return false;
  }
  try {
    store_->Add(voucher_id_, file, content);
  } catch (const host::DatabaseError& e) {
    return Failed(texts::kAttachmentSaveFailed, e);
  }
  return Load(voucher_id_);
}

bool frmAttachment::Remove(int row) {
  const host::Attachment* a = Row(row);
  if (a == nullptr || store_ == nullptr) return false;
  if (frame::Msg(texts::kAttachmentRemoveOpen + a->name + texts::kAttachmentRemoveClose,
                 host::mb::kTaskModal + host::mb::kYesNo + host::mb::kQuestion,
                 texts::kTitleAttachment) != host::mb::kYes) {
    return false;
  }
  try {
    store_->Remove(voucher_id_, a->id);
  } catch (const host::DatabaseError& e) {
    return Failed(texts::kAttachmentRemoveFailed, e);
  }
  return Load(voucher_id_);
}

std::optional<std::string> frmAttachment::Content(int row) {
  const host::Attachment* a = Row(row);
  if (a == nullptr || store_ == nullptr) return std::nullopt;
  try {
    return store_->Content(voucher_id_, a->id);
  } catch (const host::DatabaseError& e) {
    Failed(texts::kAttachmentReadFailed, e);
    return std::nullopt;
  }
}

}  // namespace lumvoucher::dualbasis
