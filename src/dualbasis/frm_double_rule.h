#pragma once

#include <string>
#include <string_view>

#include "host/modal_runner.h"

namespace lumvoucher::dualbasis {

// Whether `text` holds one of the 22 characters a template code or name may not contain
// (` ~ ! @ # $ ^ & * = + ' blank " ; : , . / ? | \); "%", "-", "_" and brackets are allowed.
bool HasSpecialCharacter(std::string_view text);

// The dialog asking the code and name of a new parallel-accounting template.
class frmDoubleRule : public host::ModalWindow {
 public:
  struct Result {
    bool ok = false;
    std::string code;
    std::string name;
  };
  std::string WindowName() const override;
  // Runs the dialog; the code and name come back trimmed.
  Result ShowMe();

  void SetCode(std::string code) { code_ = std::move(code); }
  void SetName(std::string name) { name_ = std::move(name); }
  const std::string& Code() const { return code_; }
  const std::string& Name() const { return name_; }
  // OK: the checks in order, each refusal with its message; true when the dialog may close.
  bool Ok();
  void Cancel() { ok_ = false; }

 private:
  std::string code_;
  std::string name_;
  bool ok_ = false;
};

}  // namespace lumvoucher::dualbasis
