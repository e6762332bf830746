#include "links/cost_apportionment.h"

#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sql_text.h"
#include "host/data_access.h"
#include "host/decimal_text.h"
#include "voucher/voucher_model.h"

namespace lumvoucher::links {

namespace {

using frame::SqlNumber;
using frame::SqlText;

std::string N(long value) {
  return std::to_string(value);
}

constexpr const char* kItemSection = "成本分摊科目对照";
constexpr const char* kItemType = "CBFTKMDZ";
constexpr const char* kIncomeTypeSection = "成本分摊科目与收入类型对照";
constexpr const char* kIncomeTypeType = "CBFTKMSRLXDZ";
constexpr const char* kSchemeSection = "收入归集分摊设置";
constexpr const char* kSchemeEnabled = "收入归集分摊方案启用设置";
constexpr const char* kSchemeKey = "收入归集分摊方案设置";

std::vector<CostChoice> Choices(const std::string& sql) {
  std::vector<CostChoice> out;
  for (host::Recordset rs = frame::Data().OpenRecordset(sql); !rs.Eof(); rs.MoveNext()) {
    out.push_back({static_cast<long>(rs[0].AsLong()), rs[1].AsText(), rs[2].AsText()});
  }
  return out;
}

bool Exists(const std::string& sql) {
  return !frame::Data().OpenRecordset(sql).Empty();
}

std::string Note(const std::string& note) {
  return SqlText(note.empty() ? std::string(" ") : note);
}

}  // namespace

std::vector<CostChoice> CostItems(const std::string& table, int outlay_direction) {
  std::string sql = "SELECT lng" + table + "ID, str" + table + "Code, str" + table + "Name FROM " +
                    table + " WHERE blnIsInActive = 0  " + "AND blnIsDetail = 1";
  if (outlay_direction != 0) sql += " And intDirection = " + N(outlay_direction);
  return Choices(sql + " ORDER BY str" + table + "Code ");
}

std::vector<CostChoice> CostSources() {
  return Choices(
      " Select lngsourceID,lngsourceID As strCode,strsourceName From source where 1= 1 ORDER BY "
      "lngsourceID ");
}

std::vector<CostChoice> CostSchemes() {
  return Choices(
      " Select lngHisCostScaleID,strHisCostScaleCode,strHisCostScaleName From HisCostScale Where "
      "blnIsInActive = 0 And lngOrganizationID = " +
      N(frame::OrganizationId()) + " Order by strHisCostScaleCode");
}

SchemeAmounts SplitByScheme(double total, const SchemeRates& r, int decimals) {
  auto share = [&](double rate) { return voucher::RoundTo(total * rate / 100, decimals); };
  auto rest = [&](double a, double b) { return voucher::RoundTo(total - a - b, decimals); };
  SchemeAmounts a;
  if (r.execute <= r.prescribe) {
    a.prescribe = share(r.prescribe);
    if (r.execute <= r.sick) {
      a.sick = share(r.sick);
      a.execute = rest(a.prescribe, a.sick);
    } else {
      a.execute = share(r.execute);
      a.sick = rest(a.prescribe, a.execute);
    }
  } else {
    a.execute = share(r.execute);
    if (r.prescribe <= r.sick) {
      a.sick = share(r.sick);
      a.prescribe = rest(a.execute, a.sick);
    } else {
      a.prescribe = share(r.prescribe);
      a.sick = rest(a.execute, a.prescribe);
    }
  }
  if (r.execute == 0) {
    a.sick = voucher::RoundTo(a.sick + a.execute, decimals);
    a.execute = 0;
    if (r.sick == 0) {
      a.execute = a.sick;
      a.sick = 0;
    }
  }
  return a;
}

bool ReadSchemeRates(long scheme_id, long outlay_id, SchemeRates& rates) {
  host::Recordset rs = frame::Data().OpenRecordset(
      "select * from HisCostScaleDetail Hcsd Where Hcsd.lngHiscostscaleID = " + N(scheme_id) +
      " And Hcsd.lngOutlayID = " + N(outlay_id));
  if (rs.Empty()) return false;
  rates = {rs["dblTicketRate"].AsDouble(), rs["dblExcuteRate"].AsDouble(),
           rs["dblSickRate"].AsDouble()};
  return true;
}

long EnabledScheme() {
  const auto enabled = host::ParseWhole(frame::ReadSetting(kSchemeSection, kSchemeEnabled), 0, 1);
  if (!enabled || *enabled == 0) return 0;
  const auto scheme =
      host::ParseWhole(frame::ReadSetting(kSchemeSection, kSchemeKey), 1, 2147483647);
  return scheme ? static_cast<long>(*scheme) : 0;
}

long RememberedItem(long account_id, bool income) {
  const auto value = host::ParseWhole(
      frame::ReadSetting(income ? kIncomeTypeSection : kItemSection, N(account_id)), 1, 2147483647);
  return value ? static_cast<long>(*value) : 0;
}

void RememberItem(long account_id, bool income, long value) {
  host::DataAccess& data = frame::Data();
  const std::string section = income ? kIncomeTypeSection : kItemSection;
  const std::string org = N(frame::OrganizationId());
  const std::string where = " Where lngModuleID = 0 And strSection = '" + section +
                            "' And strKey = '" + N(account_id) + "' And lngOrganizationID = " + org;
  if (Exists("Select strSetting From Setting" + where)) {
    data.Execute("Update Setting Set strSetting = '" + N(value) + "'" + where);
    return;
  }
  data.Execute(
      "Insert Into Setting(lngModuleID,strSection,strKey,strSetting,strTypeName,"
      "lngOrganizationID) " +
      std::string("values(0,'") + section + "','" + N(account_id) + "','" + N(value) + "','" +
      (income ? kIncomeTypeType : kItemType) + "'," + org + ")");
}

bool IsActiveLeafOutlay(long outlay_id) {
  return Exists(
      " SELECT *  FROM  "
      "(SELECT o.lngoutlayid  FROM Outlay o WHERE o.blnisinactive=0 AND o.blnisdetail=1 ) T "
      " WHERE   t.lngoutlayid= " +
      N(outlay_id));
}

bool IsLeafDepartment(long department_id) {
  return Exists("Select 1 From Department Where blnIsDetail = 1 And lngDepartmentID = " +
                N(department_id));
}

bool OutlayMatchesAccount(long account_id, long outlay_id) {
  return Exists("select 1 From AccOutSet Where lngAccountID = " + N(account_id) +
                " And lngOutlayID = " + N(outlay_id));
}

CostSplit LoadCostSplit(long line_id, bool income) {
  CostSplit split;
  split.income = income;
  host::DataAccess& data = frame::Data();
  if (income) {
    for (host::Recordset rs = data.OpenRecordset(
             "Select h.* From HisCostApportion h, Outlay Where h.lngOutlayID = Outlay.lngOutlayID "
             "And outlay.intdirection = 1 And h.dblAmount <> 0 And h.lngVoucherDetailID = " +
             N(line_id) + " Order By h.lngRowNo, h.lngHisCostApportionID");
         !rs.Eof(); rs.MoveNext()) {
      HisShare s;
      s.income_type = static_cast<long>(rs["bytSource"].AsLong());
      s.outlay_id = static_cast<long>(rs["lngOutlayID"].AsLong());
      s.prescribe_department_id = static_cast<long>(rs["lngPrescribeDepartmentID"].AsLong());
      s.prescribe_amount = rs["dblprescribedep"].AsDouble();
      s.execute_department_id = static_cast<long>(rs["lngExecuteDepartmentID"].AsLong());
      s.execute_amount = rs["dblexecutedep"].AsDouble();
      s.sick_department_id = static_cast<long>(rs["lngSickDepartmentID"].AsLong());
      s.sick_amount = rs["dblSickdep"].AsDouble();
      s.amount = rs["dblAmount"].AsDouble();
      s.his_import_id = static_cast<long>(rs["lngHisDataImportID"].AsLong());
      s.note = rs["strNote"].AsText();
      split.his.push_back(s);
    }
    return split;
  }
  for (host::Recordset rs = data.OpenRecordset(
           "Select c.*, c.dblAmount + c.dbloverheadamount + c.dblindirectamount As dblShare From "
           "CostApportion c Where c.lngVoucherDetailID = " +
           N(line_id) + " Order By c.lngRowNo, c.lngCostApportionID");
       !rs.Eof(); rs.MoveNext()) {
    CostShare s;
    s.outlay_id = static_cast<long>(rs["lngOutlayID"].AsLong());
    s.department_id = static_cast<long>(rs["lngDepartmentID"].AsLong());
    s.source_id = static_cast<long>(rs["bytSource"].AsLong());
    s.amount = rs["dblShare"].AsDouble();
    s.note = rs["strNote"].AsText();
    split.costs.push_back(s);
  }
  return split;
}

void WriteCostSplit(const CostVoucher& v, long line_id, const CostSplit& split) {
  host::DataAccess& data = frame::Data();
  host::LoginContext& login = frame::Context();
  const std::string line = N(line_id), org = N(frame::OrganizationId());
  data.Execute(" DELETE FROM CostApportion WHERE lngVoucherDetailID= " + line);
  data.Execute(" DELETE FROM HisCostApportion WHERE lngVoucherDetailID= " + line);
  const std::string dated = SqlText(v.date) + "," + N(v.year) + "," + N(v.period) + "," + org + ",";
  long row_no = 0;
  for (const CostShare& s : split.costs) {
    data.Execute(
        "Insert Into CostApportion (lngCostApportionID,lngVoucherDetailID,lngOutlayID,"
        "lngDepartmentID,dblAmount,strDate,intYear,bytPeriod,lngOrganizationID,bytSource,"
        "intDirection,strNote,lngRowNo) Values (" +
        N(login.NextId("CostApportion")) + "," + line + "," + N(s.outlay_id) + "," +
        N(s.department_id) + "," + SqlNumber(s.amount) + "," + dated + N(s.source_id) + ",-1," +
        Note(s.note) + "," + N(++row_no) + ")");
  }
  row_no = 0;
  for (const HisShare& s : split.his) {
    data.Execute(
        "Insert Into HisCostApportion (lngHisCostApportionID,lngHisDataImportID,lngOutlayID,"
        "bytSource,lngPrescribeDepartmentID,dblprescribedep,lngExecuteDepartmentID,"
        "dblexecutedep,lngSickDepartmentID,dblSickdep,dblAmount,strDate,intYear,bytPeriod,"
        "lngOrganizationID,strImportDate,lngVoucherDetailID,lngVoucherID,intDirection,strNote,"
        "lngRowNo) Values (" +
        N(login.NextId("HisCostApportion")) + "," + N(s.his_import_id) + "," + N(s.outlay_id) +
        "," + N(s.income_type) + "," + N(s.prescribe_department_id) + "," +
        SqlNumber(s.prescribe_amount) + "," + N(s.execute_department_id) + "," +
        SqlNumber(s.execute_amount) + "," + N(s.sick_department_id) + "," +
        SqlNumber(s.sick_amount) + "," + SqlNumber(s.amount) + "," + dated + SqlText(v.date) + "," +
        line + "," + N(v.voucher_id) + ",1," + Note(s.note) + "," + N(++row_no) + ")");
  }
}

}  // namespace lumvoucher::links
