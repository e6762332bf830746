#include "dualbasis/frm_diff_item.h"

#include <cmath>
#include <exception>
#include <map>
#include <set>
#include <utility>

#include "dualbasis/diff_texts.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/cls_base_class.h"
#include "host/data_access.h"
#include "host/decimal_text.h"
#include "host/message_box.h"
#include "host/recordset.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::dualbasis {

namespace {

using frame::SqlNumber;
namespace texts = diff_texts;

const char* DiffTypeName(int account_type) {
  switch (account_type) {
    case 1:
      return "预算收入差异";
    case 2:
      return "预算支出差异";
    case 4:
      return "财务收入差异";
    default:
      return "财务费用差异";
  }
}

void ShowError(const std::exception& error) {
  frame::Msg(error.what(), host::mb::kCritical, texts::kTitle);
}

// The account conditions of `diffItemRule` and `diffItemRule1` (read as one set) against the
// top-level codes of the financial voucher's lines. Our reading: an item without conditions is
// always usable; lngConID 1 ("IN") rows make it usable only when one of them names a code the
// voucher books on that side; a lngConID 2 ("NOT IN") row naming such a code hides it.
class ItemRules {
 public:
  explicit ItemRules(long financial_id) {
    host::Recordset lines = frame::Data().OpenRecordset(
        "Select a.strAccountCode, d.intDirection From VoucherDetail d, Account a Where "
        "d.lngAccountID = a.lngAccountID And d.lngVoucherID = " +
        SqlNumber(financial_id));
    for (const host::Recordset::Row& r : lines.Rows()) {
      const std::string code = r[0].AsText();
      booked_.insert({r[1].AsLong(), code.substr(0, code.find('-'))});
    }
    host::Recordset rules = frame::Data().OpenRecordset(
        "Select lngDiffItemID, lngConID, lngDirID, strAccountCode From diffItemRule Union All "
        "Select lngDiffItemID, lngConID, lngDirID, strAccountCode From diffItemRule1");
    for (const host::Recordset::Row& r : rules.Rows()) {
      const bool booked = booked_.count({r[2].AsLong(), r[3].AsText()}) > 0;
      Verdict& v = verdicts_[r[0].AsLong()];
      if (r[1].AsLong() == 1) {
        v.has_in = true;
        v.in_matched = v.in_matched || booked;
      } else if (r[1].AsLong() == 2) {
        v.excluded = v.excluded || booked;
      }
    }
  }
  bool Allows(long item_id) const {
    auto found = verdicts_.find(item_id);
    if (found == verdicts_.end()) return true;
    const Verdict& v = found->second;
    return !v.excluded && (!v.has_in || v.in_matched);
  }

 private:
  struct Verdict {
    bool has_in = false, in_matched = false, excluded = false;
  };
  std::set<std::pair<long, std::string>> booked_;
  std::map<long, Verdict> verdicts_;
};

}  // namespace

bool frmDiffItem::EditCard(long financial_id, long budget_id) {
  if (!Load(financial_id, budget_id)) return false;
  frame::Login().base_class->Modal().RunModal(*this);
  return state_.saved;
}

bool frmDiffItem::Load(long financial_id, long budget_id) {
  state_ = DiffItemState{};
  state_.financial_id = financial_id;
  state_.budget_id = budget_id;
  try {
    state_.rows = ReadDiffLines(financial_id, budget_id);
    return true;
  } catch (const std::exception& error) {
    ShowError(error);
    return false;
  }
}

DiffLine* frmDiffItem::Row(int row) {
  if (row < 1 || row > static_cast<int>(state_.rows.size())) return nullptr;
  return &state_.rows[row - 1];
}

std::vector<DiffItemChoice> frmDiffItem::ItemChoices(int row) const {
  std::vector<DiffItemChoice> choices;
  if (row < 1 || row > static_cast<int>(state_.rows.size())) return choices;
  try {
    host::Recordset rs = frame::Data().OpenRecordset(
        std::string(" Select lngDIffitemID,strdiffitemCode,strDiffitemName,blnIsDetail From "
                    "DiffItem where  strdifftypename ='") +
        DiffTypeName(state_.rows[row - 1].account_type) +
        "' And blnIsDetail = 1 order by strdiffitemCode");
    const ItemRules rules(state_.financial_id);
    for (const host::Recordset::Row& r : rs.Rows()) {
      if (rules.Allows(r[0].AsLong()))
        choices.push_back({r[0].AsLong(), r[1].AsText(), r[2].AsText()});
    }
  } catch (const std::exception& error) {
    ShowError(error);
  }
  return choices;
}

bool frmDiffItem::SetItem(int row, const std::string& code) {
  DiffLine* line = Row(row);
  if (line == nullptr) return false;
  if (code.empty()) {
    line->item_id = 0;
    line->item.clear();
    return true;
  }
  try {
    host::Recordset rs = frame::Data().OpenRecordset(
        "Select lngDiffItemID,strDiffItemCode,strDiffItemName,blnIsDetail,strDiffTypeName From "
        "DiffItem Where strDiffItemCode=" +
        frame::SqlText(code));
    // An unknown code, or one the voucher's accounts rule out, is not a usable item: the save's
    // own refusal says so.
    if (rs.Empty() || !ItemRules(state_.financial_id).Allows(rs["lngDiffItemID"].AsLong())) {
      frame::Msg(texts::kChooseItem, host::mb::kOkOnly + host::mb::kExclamation, texts::kItemTitle);
      return false;
    }
    if (!rs["blnIsDetail"].AsBool()) {
      frame::Msg(std::string(texts::kItemPrefix) + code + texts::kNotDetail,
                 host::mb::kOkOnly + host::mb::kExclamation, texts::kItemTitle);
      return false;
    }
    if (rs["strDiffTypeName"].AsText() != DiffTypeName(line->account_type)) {
      frame::Msg(texts::kWrongType, host::mb::kOkOnly + host::mb::kExclamation, texts::kItemTitle);
      return false;
    }
    line->item_id = rs["lngDiffItemID"].AsLong();
    line->item = rs["strDiffItemCode"].AsText() + " " + rs["strDiffItemName"].AsText();
    return true;
  } catch (const std::exception& error) {
    ShowError(error);
    return false;
  }
}

bool frmDiffItem::SetAmount(int row, const std::string& text) {
  DiffLine* line = Row(row);
  if (line == nullptr) return false;
  if (text.empty()) {
    line->allocated = 0;
    return true;
  }
  std::optional<double> value = host::ParseDecimal(text);
  const int decimals = frame::Context().AmountDecimals();
  // More places than the account set keeps would be stored as typed and compared rounded.
  if (!value || voucher::RoundTo(*value, decimals) != *value ||
      !voucher::RoundEntered(*value, decimals)) {
    frame::Msg(texts::kNumberInvalid, host::mb::kOkOnly + host::mb::kExclamation, texts::kTitle);
    return false;
  }
  line->allocated = *value;
  return true;
}

bool frmDiffItem::Ok() {
  PairDifference d = ComputeDifference(state_.rows);
  const bool equal = std::fabs(d.expense.difference - d.expense.allocated) < 1e-9 &&
                     std::fabs(d.revenue.difference - d.revenue.allocated) < 1e-9;
  if (!equal && frame::Msg(texts::kUnequal, host::mb::kOkCancel + host::mb::kQuestion,
                           texts::kTitle) != host::mb::kOk) {
    return false;
  }
  if (!Save(equal ? 1 : 0)) return false;
  state_.saved = true;
  state_.closed = true;
  return true;
}

void frmDiffItem::Cancel() {
  state_.closed = true;
}

bool frmDiffItem::Save(int diff_over) {
  host::DataAccess& data = frame::Data();
  try {
    host::TransactionGuard guard(data);
    for (const DiffLine& line : state_.rows) {
      data.Execute("DELETE FROM voucherdiffitem where lngvoucherdetailid=" +
                   SqlNumber(line.line_id));
      if (line.allocated == 0) continue;
      if (line.item_id == 0) {
        frame::Msg(texts::kChooseItem, host::mb::kOkOnly + host::mb::kExclamation, texts::kTitle);
        return false;
      }
      data.Execute("Insert Into VoucherDiffItem values (" + SqlNumber(line.line_id) + "," +
                   SqlNumber(line.item_id) + "," + SqlNumber(line.allocated) + ")");
    }
    if (state_.financial_id != 0) {
      data.Execute("Update Voucher set blnisDiffOver=" + SqlNumber(diff_over) +
                   " where lngvoucherid=" + SqlNumber(state_.financial_id));
    }
    if (state_.budget_id != 0) {
      data.Execute("Update budgetvoucher set blnisDiffOver=" + SqlNumber(diff_over) +
                   " where lngvoucherid=" + SqlNumber(state_.budget_id));
    }
    guard.Commit();
    return true;
  } catch (const std::exception& error) {
    ShowError(error);
    return false;
  }
}

}  // namespace lumvoucher::dualbasis
