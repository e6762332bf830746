#pragma once

#include <vector>

#include "dualbasis/frm_select_std_voucher_tmp.h"

namespace lumvoucher::dualbasis {

// The plain list of the organisation's parallel-accounting templates: code, name, source and
// whether it is active; a template can be switched off (or on again) and deleted.
class ParallelTemplateList {
 public:
  struct Row {
    TemplateRow row;
    bool active = true;
  };
  // Reads the templates by code; false (after the message) when the query fails.
  bool Refresh();
  const std::vector<Row>& Rows() const { return rows_; }
  // Switches the template of a row off or on; false for a row that is not there or a failure.
  bool SetActive(int row, bool active);
  // Deletes the template of a row with its two sides and amount rules in one transaction.
  bool Delete(int row);

 private:
  const Row* At(int row) const;
  std::vector<Row> rows_;
};

}  // namespace lumvoucher::dualbasis
