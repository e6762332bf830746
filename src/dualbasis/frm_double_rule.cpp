#include "dualbasis/frm_double_rule.h"

#include "dualbasis/parallel_texts.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/cls_base_class.h"
#include "host/database_error.h"
#include "host/message_box.h"

namespace lumvoucher::dualbasis {
namespace {

constexpr std::string_view kSpecial = "`~!@#$^&*=+' \";:,./?|\\";
constexpr int kMaxLength = 80;

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

bool Refuse(const char* text) {
  frame::Msg(text, host::mb::kInformation, texts::kTitleInformation);
  return false;
}

}  // namespace

bool HasSpecialCharacter(std::string_view text) {
  return text.find_first_of(kSpecial) != std::string_view::npos;
}

std::string frmDoubleRule::WindowName() const {
  return texts::kDoubleRuleWindowName;
}

frmDoubleRule::Result frmDoubleRule::ShowMe() {
  ok_ = false;
  frame::Login().base_class->Modal().RunModal(*this);
  if (!ok_) return {};
  return {true, Trimmed(code_), Trimmed(name_)};
}

bool frmDoubleRule::Ok() {
  const std::string code = Trimmed(code_);
  const std::string name = Trimmed(name_);
  if (code.empty()) return Refuse(texts::kCodeEmpty);
  if (frame::StrLen(code) > kMaxLength) return Refuse(texts::kCodeTooLong);
  if (HasSpecialCharacter(code)) return Refuse(texts::kCodeSpecial);
  if (name.empty()) return Refuse(texts::kNameEmpty);
  if (frame::StrLen(name) > kMaxLength) return Refuse(texts::kNameTooLong);
  if (HasSpecialCharacter(name)) return Refuse(texts::kNameSpecial);
  try {
    if (!frame::Data()
             .OpenRecordset("Select * from StdVoucherTmp Where strStdVouchertmpCode = " +
                            frame::SqlText(code) +
                            " And lngStdVoucherTmpID <> 0 And "
                            "lngOrganizationID = " +
                            frame::SqlNumber(frame::OrganizationId()))
             .Empty()) {
      return Refuse(texts::kCodeExists);
    }
  } catch (const host::DatabaseError& error) {
    frame::Msg(error.what(), host::mb::kCritical, texts::kTitleInformation);
    return false;
  }
  ok_ = true;
  return true;
}

}  // namespace lumvoucher::dualbasis
