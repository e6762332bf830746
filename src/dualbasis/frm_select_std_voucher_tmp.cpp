#include "dualbasis/frm_select_std_voucher_tmp.h"

#include "dualbasis/parallel_texts.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/cls_base_class.h"
#include "host/database_error.h"
#include "host/message_box.h"

namespace lumvoucher::dualbasis {

std::string frmSelectStdVoucherTmp::WindowName() const {
  return texts::kChooserWindowName;
}

long frmSelectStdVoucherTmp::SelectVoucher(const std::string& filter) {
  rows_.clear();
  chosen_ = 0;
  try {
    host::Recordset rs = frame::Data().OpenRecordset(
        "Select StdVoucherTmp.lngStdVoucherTmpID As ID,strStdVoucherTmpCode As 规则编号,"
        "strStdVoucherTmpName As 规则名称, Decode(StdVoucherTmp.lngDataSourceID,1,'手工增加',2,"
        "'学习生成','手工增加') As 规则来源 From StdVoucherTmp Where blnIsInActive = 0 And "
        "lngOrganizationID = " +
        frame::SqlNumber(frame::OrganizationId()) + " And " + filter +
        " ORDER BY strStdVoucherTmpCode ASC");
    for (; !rs.Eof(); rs.MoveNext()) {
      rows_.push_back({static_cast<long>(rs[std::size_t{0}].AsLong()), rs[1].AsText(),
                       rs[2].AsText(), rs[3].AsText()});
    }
  } catch (const host::DatabaseError& error) {
    frame::Msg(error.what(), host::mb::kCritical, texts::kTitleInformation);
    return 0;
  }
  if (rows_.empty()) return 0;
  frame::Login().base_class->Modal().RunModal(*this);
  return chosen_;
}

bool frmSelectStdVoucherTmp::Choose(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return false;
  chosen_ = rows_[static_cast<std::size_t>(row)].id;
  return true;
}

}  // namespace lumvoucher::dualbasis
