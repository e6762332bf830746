#include "numbering/frm_voucher_volume.h"

#include <algorithm>

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "frame/text_functions.h"
#include "host/cls_base_class.h"
#include "host/data_access.h"
#include "host/message_box.h"
#include "numbering/number_text.h"
#include "numbering/numbering_texts.h"

namespace lumvoucher::numbering {

namespace {

using frame::SqlNumber;
using frame::ZeroPad;

constexpr long kHighestNumber = 999999;
constexpr int kVolumeWidth = 10;

bool Warn(const char* text) {
  frame::Msg(text, host::mb::kExclamation, texts::kTitleWarning);
  return false;
}

bool Failed(const std::exception& error) {
  frame::Msg(error.what(), host::mb::kCritical, texts::kVolumeTitle);
  return false;
}

bool ValidLabel(std::string_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(kVolumeWidth)) return false;
  return std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  });
}

// A stored number of the grid ("000051"); -1 for an empty cell.
long NumberOf(const std::string& text) {
  return ParseNumber(text, 0, kHighestNumber).value_or(-1);
}

}  // namespace

frmVoucherVolume::frmVoucherVolume(NumberingBasis basis) : basis_(basis) {
  state_.title = texts::kVolumeTitle;
  state_.column_captions = {texts::kVolumeColumn, texts::kVolumeStartColumn,
                            texts::kVolumeEndColumn, texts::kVolumeCountColumn};
}

std::string frmVoucherVolume::WindowName() const {
  return texts::kVolumeWindowName;
}

int frmVoucherVolume::Year() const {
  return static_cast<int>(ParseNumber(frame::StrLeft(state_.period, 4), 0, 9999).value_or(0));
}

int frmVoucherVolume::PeriodNumber() const {
  return static_cast<int>(ParseNumber(frame::StrRight(state_.period, 2), 0, 99).value_or(0));
}

bool frmVoucherVolume::HasChoice() const {
  return state_.organization_id != 0 && Year() != 0 && PeriodNumber() != 0 &&
         state_.voucher_type_id != 0;
}

std::string frmVoucherVolume::PeriodCondition(std::string_view prefix) const {
  const std::string p(prefix);
  return p + "intYear=" + SqlNumber(Year()) + " AND " + p +
         "bytPeriod=" + SqlNumber(PeriodNumber()) + " AND " + p +
         "lngVoucherTypeID=" + SqlNumber(state_.voucher_type_id);
}

bool frmVoucherVolume::ShowVoucherVolume() {
  if (!Load()) return false;
  frame::Login().base_class->Modal().RunModal(*this);
  return true;
}

bool frmVoucherVolume::Load() {
  try {
    state_.organizations =
        ReadChoices("SELECT lngOrganizationID,strOrganizationCode || ' ' || strOrganizationName" +
                    std::string(" FROM Organization t WHERE lngOrganizationID IN ") +
                    PermittedOrganizationList() + " ORDER BY strOrganizationCode ");
    state_.types = ReadChoices(
        "SELECT lngVoucherTypeID,strVoucherTypeCode,strVoucherTypeName FROM VoucherType WHERE "
        "blnIsInActive=0 " +
        std::string(" ORDER BY strVoucherTypeCode "));
  } catch (const std::exception& error) {
    return Failed(error);
  }
  const long own = frame::OrganizationId();
  state_.organization_id = ChoiceIndex(state_.organizations, own) >= 0 ? own
                           : state_.organizations.empty()              ? 0
                                                          : state_.organizations.front().id;
  state_.voucher_type_id = state_.types.empty() ? 0 : state_.types.front().id;
  state_.period =
      ZeroPad(frame::Context().LoginYear(), 4) + "." + ZeroPad(frame::Context().LoginPeriod(), 2);
  state_.closed = false;
  return LoadGrid();
}

bool frmVoucherVolume::LoadGrid() {
  state_.rows.clear();
  state_.selected_row = -1;
  state_.unbound.clear();
  state_.changed = false;
  try {
    host::DataAccess& data = frame::Data();
    host::Recordset periods = data.OpenRecordset(
        "SELECT intYear || '.' || LPAD(bytPeriod,2,'0')" + std::string(" FROM AccountPeriod") +
        " WHERE lngOrganizationId=" + SqlNumber(state_.organization_id) +
        " ORDER BY intYear || '.' || LPAD(bytPeriod,2,'0') ");
    state_.periods.clear();
    for (; !periods.Eof(); periods.MoveNext()) {
      state_.periods.push_back(periods[std::size_t{0}].AsText());
    }
    if (std::find(state_.periods.begin(), state_.periods.end(), state_.period) ==
        state_.periods.end()) {
      state_.period = state_.periods.empty() ? std::string() : state_.periods.front();
    }
    if (!HasChoice()) return true;
    const std::string org = SqlNumber(state_.organization_id);
    host::Recordset rs = data.OpenRecordset(
        "SELECT VoucherVolume.strVolume,VoucherVolume.intNoStart," +
        std::string("VoucherVolume.intNoEnd,VouchersOfAVol.VouchersNo ") + " FROM " +
        "VoucherVolume" + "," + "(SELECT count(*) VouchersNo, strVolume FROM " +
        basis_.VolumeCountSource() + " WHERE Voucher.intYear = " + SqlNumber(Year()) +
        " AND Voucher.bytPeriod =" + SqlNumber(PeriodNumber()) +
        " AND Voucher.lngVoucherTypeID = " + SqlNumber(state_.voucher_type_id) +
        " AND lngSourceOrganizationID=" + org + " GROUP BY strVolume" + ") VouchersOfAVol " +
        " WHERE VoucherVolume.strVolume =VouchersOfAVol.strVolume(+)" + " AND " +
        PeriodCondition("VoucherVolume.") + " AND lngOrganizationID=" + org + "order by strVolume");
    for (; !rs.Eof(); rs.MoveNext()) {
      state_.rows.push_back({rs[std::size_t{0}].AsText(), ZeroPad(rs[std::size_t{1}].AsLong(), 6),
                             ZeroPad(rs[std::size_t{2}].AsLong(), 6),
                             GroupedCount(static_cast<long>(rs[std::size_t{3}].AsLong()))});
    }
    state_.selected_row = state_.rows.empty() ? -1 : 0;
    state_.unbound = UnboundNote(LastEnd());
    return true;
  } catch (const std::exception& error) {
    return Failed(error);
  }
}

long frmVoucherVolume::LastEnd() const {
  long end = 0;
  for (const VolumeRow& row : state_.rows) end = std::max(end, NumberOf(row.end));
  return end;
}

std::string frmVoucherVolume::CountRange(long start, long end) const {
  host::Recordset rs = frame::Data().OpenRecordset(
      "SELECT count(*) FROM (Select Distinct(intVoucherNo) as intVoucherNo From VoucherView" +
      std::string(" WHERE ") + PeriodCondition("") + " AND (intVoucherNo>=" + SqlNumber(start) +
      " AND intVoucherNo<=" + SqlNumber(end) + ")" +
      " AND lngSourceOrganizationID=" + SqlNumber(state_.organization_id) + ")");
  return GroupedCount(static_cast<long>(rs[std::size_t{0}].AsLong()));
}

std::string frmVoucherVolume::UnboundNote(long last_end) const {
  host::Recordset rs = frame::Data().OpenRecordset(
      "SELECT count(*),MIN(intVoucherNo),MAX(intVoucherNo) FROM (Select Distinct(intVoucherNo) "
      "as intVoucherNo From VoucherView" +
      std::string(" WHERE ") + PeriodCondition("") + " AND intVoucherNo>" + SqlNumber(last_end) +
      " AND lngSourceOrganizationID=" + SqlNumber(state_.organization_id) + ")");
  const long count = static_cast<long>(rs[std::size_t{0}].AsLong());
  if (count == 0) return texts::kUnboundNone;
  return ZeroPad(rs[std::size_t{1}].AsLong(), 6) + texts::kUnboundRange +
         ZeroPad(rs[std::size_t{2}].AsLong(), 6) + texts::kUnboundCount + std::to_string(count) +
         texts::kUnboundCountEnd;
}

bool frmVoucherVolume::Settle() {
  if (!state_.changed) return true;
  const int answer = frame::Msg(texts::kVolumeSaveQuestion, host::mb::kYesNo + host::mb::kQuestion,
                                texts::kTitleInformation);
  return answer != host::mb::kYes || Save();
}

bool frmVoucherVolume::SetOrganization(long organization_id) {
  if (ChoiceIndex(state_.organizations, organization_id) < 0 || !Settle()) return false;
  state_.organization_id = organization_id;
  return LoadGrid();
}

bool frmVoucherVolume::SetPeriod(std::string_view period) {
  if (std::find(state_.periods.begin(), state_.periods.end(), period) == state_.periods.end() ||
      !Settle()) {
    return false;
  }
  state_.period = std::string(period);
  return LoadGrid();
}

bool frmVoucherVolume::SetVoucherType(long voucher_type_id) {
  if (ChoiceIndex(state_.types, voucher_type_id) < 0 || !Settle()) return false;
  state_.voucher_type_id = voucher_type_id;
  return LoadGrid();
}

void frmVoucherVolume::SelectRow(int row) {
  state_.selected_row = row >= 0 && row < static_cast<int>(state_.rows.size()) ? row : -1;
}

bool frmVoucherVolume::NewRow() {
  if (!HasChoice()) {
    frame::Msg(texts::kChooseReference, host::mb::kInformation, texts::kTitleInformation);
    return false;
  }
  VolumeRow row;
  if (state_.rows.empty()) {
    row.volume = "01";
    row.start = ZeroPad(1, 6);
  } else {
    const VolumeRow& last = state_.rows.back();
    if (const std::optional<long> n = ParseNumber(last.volume, 0, 9999998)) {
      row.volume = ZeroPad(*n + 1, 4);
    }
    if (const long end = NumberOf(last.end); end >= 0 && end < kHighestNumber) {
      row.start = ZeroPad(end + 1, 6);
    }
  }
  state_.rows.push_back(std::move(row));
  state_.selected_row = static_cast<int>(state_.rows.size()) - 1;
  state_.changed = true;
  return true;
}

bool frmVoucherVolume::DeleteRow(int row) {
  if (row < 0 || row >= static_cast<int>(state_.rows.size())) return false;
  state_.rows.erase(state_.rows.begin() + row);
  state_.selected_row = std::min(row, static_cast<int>(state_.rows.size()) - 1);
  state_.changed = true;
  return true;
}

bool frmVoucherVolume::SetCell(int row, VolumeColumn column, std::string_view text) {
  if (row < 0 || row >= static_cast<int>(state_.rows.size())) return false;
  VolumeRow& r = state_.rows[static_cast<std::size_t>(row)];
  const std::string typed = frame::StringOut(text, " ");
  switch (column) {
    case VolumeColumn::kVolume:
      if (!typed.empty() && !ValidLabel(typed)) return Warn(texts::kVolumeLabelInvalid);
      r.volume = typed;
      break;
    case VolumeColumn::kStart:
    case VolumeColumn::kEnd: {
      std::string value;
      if (!typed.empty()) {
        const std::optional<long> n = ParseNumber(typed, 0, kHighestNumber);
        if (!n) return Warn(texts::kVolumeNumberInvalid);
        value = ZeroPad(*n, 6);
      }
      (column == VolumeColumn::kStart ? r.start : r.end) = value;
      r.count.clear();
      if (!r.start.empty() && !r.end.empty() && HasChoice()) {
        try {
          r.count = CountRange(NumberOf(r.start), NumberOf(r.end));
        } catch (const std::exception& error) {
          Failed(error);
        }
      }
      break;
    }
    case VolumeColumn::kCount:
      return false;
  }
  state_.changed = true;
  return true;
}

bool frmVoucherVolume::Save() {
  if (!HasChoice()) {
    frame::Msg(texts::kChooseReference, host::mb::kInformation, texts::kTitleInformation);
    return false;
  }
  for (std::size_t i = 0; i < state_.rows.size(); ++i) {
    const VolumeRow& r = state_.rows[i];
    state_.selected_row = static_cast<int>(i);
    if (r.volume.empty()) return Warn(texts::kVolumeEmpty);
    if (r.volume == "00") return Warn(texts::kVolumeZero);
    if (r.end.empty()) return Warn(texts::kVolumeEndEmpty);
    if (r.start.empty()) return Warn(texts::kVolumeStartEmpty);
    if (NumberOf(r.end) <= NumberOf(r.start)) return Warn(texts::kVolumeEndNotAbove);
    for (std::size_t k = 0; k < state_.rows.size(); ++k) {
      if (k != i && state_.rows[k].volume == r.volume) return Warn(texts::kVolumeTwice);
    }
  }
  const std::string org = SqlNumber(state_.organization_id);
  const std::string period = "intYear=" + SqlNumber(Year()) +
                             " AND bytPeriod=" + SqlNumber(PeriodNumber()) +
                             " AND lngVoucherTypeID=" + SqlNumber(state_.voucher_type_id);
  try {
    host::DataAccess& data = frame::Data();
    host::TransactionGuard guard(data);
    data.Execute("DELETE FROM " + std::string("VoucherVolume") + " WHERE " + period +
                 " AND lngOrganizationID=" + org);
    for (const VolumeRow& r : state_.rows) {
      const std::string start = SqlNumber(NumberOf(r.start));
      const std::string end = SqlNumber(NumberOf(r.end));
      data.Execute("INSERT INTO " + std::string("VoucherVolume") +
                   " (intYear,bytPeriod,lngVoucherTypeID,strVolume,intNoStart,intNoEnd,"
                   "lngOrganizationID)" +
                   " VALUES ( " + SqlNumber(Year()) + "," + SqlNumber(PeriodNumber()) + "," +
                   SqlNumber(state_.voucher_type_id) + "," + frame::SqlText(r.volume) + "," +
                   start + "," + end + "," + org + ")");
      for (const std::string& table : basis_.VolumeTables()) {
        data.Execute("UPDATE " + table + " SET strVolume=" + frame::SqlText(r.volume) + " WHERE " +
                     period + " AND intVoucherNo>=" + start + " AND intVoucherNo<=" + end +
                     " And lngSourceOrganizationID=" + org);
      }
    }
    // Rows out of number order still leave every volume's vouchers in it.
    for (const std::string& table : basis_.VolumeTables()) {
      data.Execute(" UPDATE " + table + " SET strVolume='0000'" + " WHERE " + period +
                   " AND intVoucherNo>" + SqlNumber(LastEnd()) +
                   " AND lngSourceOrganizationId=" + org);
    }
    guard.Commit();
  } catch (const std::exception& error) {
    return Failed(error);
  }
  ++saves_;
  return LoadGrid();
}

bool frmVoucherVolume::Close() {
  if (!Settle()) return false;
  state_.changed = false;
  state_.closed = true;
  return true;
}

}  // namespace lumvoucher::numbering
