// The voucher window's LoadStdVoucher lives with the standard vouchers it reads.
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/database_error.h"
#include "host/message_box.h"
#include "templates/frm_select_std_voucher.h"
#include "templates/std_voucher_store.h"
#include "templates/templates_texts.h"
#include "voucher/frm_voucher.h"

namespace lumvoucher::voucher {

bool frmVoucher::LoadStdVoucher() {
  long id = 0;
  templates::frmSelectStdVoucher chooser;
  if (!chooser.SelectVoucher(!basis_->IsBudget(), id)) return false;
  return LoadStdVoucher(id);
}

bool frmVoucher::LoadStdVoucher(long id) {
  try {
    std::optional<templates::StdVoucherContent> content =
        templates::ReadStdVoucher(templates::BasisOf(!basis_->IsBudget()), id);
    if (!content) return false;
    // As the host's 新增: the rights, and the question of unsaved edits, come first.
    if (!mclsMainControl_EditNew()) return false;
    VoucherHeader& h = state_.header;
    if (h.type_id != content->type_id) {
      std::string number = frame::Login().business_pub->VoucherNumber(
          h.year, h.period, content->type_id, std::to_string(h.source_organization_id), h.date, 0,
          9999);
      h.number = frame::VoucherNoText(host::clsBaseClass::TextToLong(frame::StrRight(number, 6)));
    }
    h.type_id = content->type_id;
    h.type_code = content->type_code;
    h.template_id = content->template_id;
    h.template_name = content->template_name;
    h.attachments = std::to_string(content->attachments);
    state_.lines = std::move(content->lines);
    state_.current_row = state_.lines.empty() ? 0 : 1;
    state_.must_save = true;
    Recompute();
    UpdateInfo();
  } catch (const host::DatabaseError& e) {
    frame::Msg(e.what(), host::mb::kCritical, templates::texts::kSelectCaption);
    return false;
  }
  return true;
}

}  // namespace lumvoucher::voucher
