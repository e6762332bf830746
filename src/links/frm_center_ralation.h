#pragma once

#include <string>
#include <vector>

#include "host/modal_runner.h"

namespace lumvoucher::host {
class FundSystem;
}

namespace lumvoucher::links {

// The three data areas of the window, in the combo box's order.
enum class FundArea { kUnpaired = 0, kPairedLines = 1, kPairedBills = 2 };

// A list as the grid shows it: captions and cells as text, with the keys of each row.
struct FundGrid {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> cells;
  std::vector<std::string> keys;    // line id, or request id
  std::vector<std::string> second;  // voucher id, or request type
  int selected = -1;                // row index, -1 = none
};

struct CenterRelationState {
  long voucher_id = 0;  // the voucher the window was opened for (0: all)
  FundArea area = FundArea::kUnpaired;
  bool amount_fit = false;  // chkAmountFit
  std::string line_filter;
  std::string request_filter;
  FundGrid lines;
  FundGrid requests;
  bool pending = false;  // something ticked that no pairing or clearing has used yet
  bool closed = false;
};

// The settlement relation between voucher lines and the fund system's request documents:
// voucher lines from the account set, requests and the pairing table InterFace_Of8e from the
// fund system's database (a second connection). A pairing is written to the fund database only,
// in one transaction there; both lists are read again after every pairing or clearing, failed
// or not, so the window shows what is stored.
class frmCenterRalation : public host::ModalWindow {
 public:
  static constexpr const char* kWindowName = "frmCenterRalation";
  std::string WindowName() const override { return kWindowName; }
  const CenterRelationState& State() const { return state_; }

  // Loads and shows the window for a voucher (0: all vouchers). Nothing opens without a fund
  // system.
  void ShowMe(long voucher_id);
  // Loads without showing; false when the host has no fund system or a list cannot be read.
  bool Load(long voucher_id);

  void SetArea(FundArea area);
  void SetAmountFit(bool on);
  // Ticks a row (-1: none); the other list follows where the data area makes it depend on it.
  void SelectLine(int row);
  void SelectRequest(int row);
  // "条件选择" for either list through the host's filter dialog; the conditions as Oracle text.
  bool SelectCondition(bool requests);
  void SetConditions(const std::string& line_filter, const std::string& request_filter);

  // Pairs the ticked line and request; clears the ticked line's pairing. False after a refusal,
  // a No, or a failure (shown).
  bool Pair();
  bool Clear();
  // Shows the ticked request in the fund system.
  bool ShowBill();
  // Closing with something ticked and unused asks "所作的操作没有保存，是否退出？".
  bool Close();

  // The statements the lists are read with, for the current state.
  std::string LinesSql();
  std::string RequestsSql();
  // The condition on the paired line ids (" And (...)"), chunked by 999.
  static std::string PairedLinesCondition(const std::vector<std::string>& ids, bool paired);

 private:
  bool Refresh();
  void LoadLines();
  void LoadRequests();
  bool StatusAllows(long voucher_id, const char* signed_text, const char* posted_text);

  host::FundSystem* fund_ = nullptr;
  CenterRelationState state_;
};

// InterFace.ShowCenterRalation.
void ShowCenterRalation(long voucher_id);

}  // namespace lumvoucher::links
