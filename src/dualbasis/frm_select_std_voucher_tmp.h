#pragma once

#include <string>
#include <vector>

#include "host/modal_runner.h"

namespace lumvoucher::dualbasis {

// One template of the chooser: "ID", "规则编号", "规则名称", "规则来源".
struct TemplateRow {
  long id = 0;
  std::string code;
  std::string name;
  std::string source;
};

// The template chooser: the organisation's active templates passing a filter, by code.
class frmSelectStdVoucherTmp : public host::ModalWindow {
 public:
  std::string WindowName() const override;
  // Lists the templates passing `filter` ("lngStdVoucherTmpID In(...)") and answers the chosen
  // id, 0 when cancelled (or when the list cannot be read, after the message).
  long SelectVoucher(const std::string& filter);

  const std::vector<TemplateRow>& Rows() const { return rows_; }
  // OK on a row (counted from 0); false for a row that is not there.
  bool Choose(int row);
  void Cancel() { chosen_ = 0; }

 private:
  std::vector<TemplateRow> rows_;
  long chosen_ = 0;
};

}  // namespace lumvoucher::dualbasis
