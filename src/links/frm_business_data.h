#pragma once

#include <string>
#include <vector>

#include "host/modal_runner.h"

namespace lumvoucher::links {

// One business document (or document line) behind the voucher: the id and kind its module opens
// it by, and the cells as the grid shows them.
struct BusinessDocument {
  std::string id;
  long kind = 0;  // AID / ATypeID
  std::vector<std::string> cells;
};

struct BusinessDataState {
  long voucher_id = 0;
  long source_type = 0;  // Voucher.lngVoucherSourceID
  std::vector<std::string> columns;
  std::vector<BusinessDocument> rows;
  int selected = -1;  // row index, -1 = none
};

// 业务资料: the documents of the module that generated a voucher, one query per source type.
// A voucher of a source the view does not know, or without documents, shows an empty grid.
class frmBusinessData : public host::ModalWindow {
 public:
  static constexpr const char* kWindowName = "frmBusinessData";
  std::string WindowName() const override { return kWindowName; }
  const BusinessDataState& State() const { return state_; }

  // Loads and shows the window; false when the voucher cannot be read (shown).
  bool ShowMe(long voucher_id);
  bool Load(long voucher_id);
  void Select(int row) { state_.selected = row; }
  // The second button: the selected document goes to the module that owns its kind.
  bool OpenDocument();

  // The statement of a source type for a voucher ("" for a type without documents). In a
  // multi-base deployment loans and transfers read their Ex tables, restricted to the
  // organisation `multi_base_organization`.
  static std::string QueryFor(long source_type, long voucher_id, bool multi_base = false,
                              long multi_base_organization = 0);

 private:
  BusinessDataState state_;
};

}  // namespace lumvoucher::links
