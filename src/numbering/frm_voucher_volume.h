#pragma once

#include <string>
#include <vector>

#include "host/modal_runner.h"
#include "numbering/choosers.h"
#include "numbering/numbering_basis.h"

namespace lumvoucher::numbering {

// A row of the volume grid, as shown: the volume number, the numbers formatted "000000" and the
// count of vouchers ("#,###", empty for none).
struct VolumeRow {
  std::string volume;
  std::string start;
  std::string end;
  std::string count;
  bool operator==(const VolumeRow&) const = default;
};

enum class VolumeColumn { kVolume = 0, kStart = 1, kEnd = 2, kCount = 3 };

// Everything the volume window shows, for the Qt view and the tests.
struct VolumeState {
  std::string title;
  std::vector<Choice> organizations;  // code = "code name"
  long organization_id = 0;
  std::vector<std::string> periods;  // "yyyy.pp"
  std::string period;
  std::vector<Choice> types;
  long voucher_type_id = 0;
  std::vector<std::string> column_captions;
  std::vector<VolumeRow> rows;
  int selected_row = -1;
  std::string unbound;   // what follows "未分册凭证："
  bool changed = false;  // the grid differs from what is stored
  bool closed = false;
};

// The volume window ("凭证分册") as a presenter: the volumes of one source organisation,
// period and voucher type, and their save, which stamps each voucher in a volume's range with
// its volume number and takes the vouchers above the last volume out of any.
//
// A save is one transaction: the volume rows and every strVolume it writes commit together.
// Beyond the system's five checks the grid refuses, as it is typed, numbers that are not 0 to
// 999999 and volume numbers that are not 1 to 10 letters or digits (the table and the vouchers
// hold them as the volume's label); an empty start number is refused at the save.
class frmVoucherVolume : public host::ModalWindow {
 public:
  explicit frmVoucherVolume(NumberingBasis basis);

  std::string WindowName() const override;
  const VolumeState& State() const { return state_; }

  const NumberingBasis& Basis() const { return basis_; }
  bool IsFinance() const { return basis_.IsFinance(); }
  // Loads the choosers (the login organisation and period chosen) and the grid, then runs the
  // window through the host's modal runner. False when the loading failed.
  bool ShowVoucherVolume();
  // The loading alone. False after a database error, which is shown.
  bool Load();

  // Choosing another organisation, period or type first settles a changed grid as closing
  // does; then the grid of the new choice is loaded.
  bool SetOrganization(long organization_id);
  bool SetPeriod(std::string_view period);
  bool SetVoucherType(long voucher_type_id);

  // "新  增(&N)": a row with the proposed volume number and start number.
  bool NewRow();
  // "删  除(&D)": removes the row.
  bool DeleteRow(int row);
  // An edited cell; the count column is not editable. A refused text is shown why and the
  // cell keeps its value. Editing a number recounts the row.
  bool SetCell(int row, VolumeColumn column, std::string_view text);
  void SelectRow(int row);

  // The five checks, then the save; the grid is reloaded. False when refused or rolled back.
  bool Save();
  // Closing: a changed grid asks "是否保存凭证分册表？"; Yes saves (and stays open when the
  // save fails), No drops the changes. Answers whether the window closed.
  bool Close();
  // Saves committed since the window was made.
  int Saves() const { return saves_; }

 private:
  bool HasChoice() const;
  bool Settle();
  bool LoadGrid();
  std::string PeriodCondition(std::string_view table_prefix) const;
  int Year() const;
  int PeriodNumber() const;
  std::string CountRange(long start, long end) const;
  std::string UnboundNote(long last_end) const;
  long LastEnd() const;

  NumberingBasis basis_;
  VolumeState state_;
  int saves_ = 0;
};

}  // namespace lumvoucher::numbering
