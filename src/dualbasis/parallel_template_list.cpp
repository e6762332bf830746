#include "dualbasis/parallel_template_list.h"

#include "dualbasis/parallel_texts.h"
#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/data_access.h"
#include "host/database_error.h"
#include "host/message_box.h"

namespace lumvoucher::dualbasis {
namespace {

bool Failed(const host::DatabaseError& error) {
  frame::Msg(error.what(), host::mb::kCritical, texts::kTitleInformation);
  return false;
}

}  // namespace

bool ParallelTemplateList::Refresh() {
  rows_.clear();
  try {
    host::Recordset rs = frame::Data().OpenRecordset(
        "Select lngStdVoucherTmpID,strStdVoucherTmpCode,strStdVoucherTmpName, "
        "Decode(StdVoucherTmp.lngDataSourceID,1,'手工增加',2,'学习生成','手工增加') As 规则来源,"
        "blnIsInActive From StdVoucherTmp Where lngOrganizationID = " +
        frame::SqlNumber(frame::OrganizationId()) + " ORDER BY strStdVoucherTmpCode ASC");
    for (; !rs.Eof(); rs.MoveNext()) {
      rows_.push_back({{static_cast<long>(rs[std::size_t{0}].AsLong()), rs[1].AsText(),
                        rs[2].AsText(), rs[3].AsText()},
                       !rs[4].AsBool()});
    }
    return true;
  } catch (const host::DatabaseError& error) {
    return Failed(error);
  }
}

const ParallelTemplateList::Row* ParallelTemplateList::At(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return nullptr;
  return &rows_[static_cast<std::size_t>(row)];
}

bool ParallelTemplateList::SetActive(int row, bool active) {
  const Row* found = At(row);
  if (!found) return false;
  try {
    frame::Data().Execute(
        "Update StdVoucherTmp Set blnIsInActive = " + frame::SqlNumber(active ? 0 : 1) +
        " Where lngStdVoucherTmpID = " + frame::SqlNumber(found->row.id));
  } catch (const host::DatabaseError& error) {
    return Failed(error);
  }
  return Refresh();
}

bool ParallelTemplateList::Delete(int row) {
  const Row* found = At(row);
  if (!found) return false;
  const std::string id = frame::SqlNumber(found->row.id);
  try {
    host::DataAccess& data = frame::Data();
    host::TransactionGuard guard(data);
    data.Execute(
        "Delete From stdVoucherBudgetRule Where lngStdVoucherBudgetID In (Select "
        "lngStdVoucherBudgetID From StdVoucherBudget Where lngStdVoucherTmpID = " +
        id + ")");
    for (const char* table : {"StdVoucherBudget", "StdVoucherFinance", "StdVoucherTmp"}) {
      data.Execute("Delete From " + std::string(table) + " Where lngStdVoucherTmpID = " + id);
    }
    guard.Commit();
  } catch (const host::DatabaseError& error) {
    return Failed(error);
  }
  return Refresh();
}

}  // namespace lumvoucher::dualbasis
