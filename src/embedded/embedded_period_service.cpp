#include "embedded/embedded_period_service.h"

#include "frame/sql_text.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {

using frame::SqlNumber;
using frame::SqlText;

namespace {

host::PeriodService::Result Refused(const char* reason) {
  return {false, reason};
}

long Count(host::DataAccess& data, const std::string& sql) {
  host::Recordset rs = data.OpenRecordset(sql);
  return rs.Empty() ? 0 : static_cast<long>(rs["n"].AsLong());
}

}  // namespace

long EmbeddedPeriodService::Organization(long organization_id) const {
  return organization_id == 0 ? login_.CurrentOrganization().id : organization_id;
}

std::string EmbeddedPeriodService::PeriodWhere(long organization_id, int year, int period) const {
  return " Where lngOrganizationID = " + SqlNumber(Organization(organization_id)) +
         " And intYear = " + SqlNumber(year) + " And bytPeriod = " + SqlNumber(period);
}

bool EmbeddedPeriodService::IsPeriodClosed(long organization_id, int year, int period) {
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select p.blnIsClosed As blnPeriod, y.blnIsClosed As blnYear From AccountPeriod p, "
      "AccountYear y Where y.intYear(+) = p.intYear And p.lngOrganizationID = " +
      SqlNumber(Organization(organization_id)) + " And p.intYear = " + SqlNumber(year) +
      " And p.bytPeriod = " + SqlNumber(period));
  if (rs.Empty()) return false;
  return rs["blnPeriod"].AsBool() || rs["blnYear"].AsBool();
}

bool EmbeddedPeriodService::IsDateClosed(long organization_id, std::string_view date) {
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select intYear, bytPeriod From AccountPeriod Where lngOrganizationID = " +
      SqlNumber(Organization(organization_id)) + " And strStartDate <= " + SqlText(date) +
      " And strEndDate >= " + SqlText(date));
  if (rs.Empty()) return false;
  return IsPeriodClosed(organization_id, static_cast<int>(rs["intYear"].AsLong()),
                        static_cast<int>(rs["bytPeriod"].AsLong()));
}

std::optional<bool> EmbeddedPeriodService::StoredClosed(int year, int period) {
  host::Recordset rs = login_.Data().OpenRecordset("Select blnIsClosed From AccountPeriod" +
                                                   PeriodWhere(0, year, period));
  if (rs.Empty()) return std::nullopt;
  return rs["blnIsClosed"].AsBool();
}

EmbeddedPeriodService::YearPeriod EmbeddedPeriodService::PeriodAfter(int year, int period) {
  host::Recordset rs = login_.Data().OpenRecordset(
      "Select intYear, bytPeriod From AccountPeriod Where lngOrganizationID = " +
      SqlNumber(Organization(0)) + " And (intYear > " + SqlNumber(year) + " Or (intYear = " +
      SqlNumber(year) + " And bytPeriod > " + SqlNumber(period) + ")) Order By intYear, bytPeriod");
  // Past the last known period the ledger waits at the start of the next year.
  if (rs.Empty()) return {year + 1, 1};
  return {static_cast<int>(rs["intYear"].AsLong()), static_cast<int>(rs["bytPeriod"].AsLong())};
}

void EmbeddedPeriodService::MoveLedgerTo(YearPeriod at) {
  login_.Data().Execute("Update MODULE Set intYear = " + SqlNumber(at.year) +
                        ", bytPeriod = " + SqlNumber(at.period) +
                        " Where lngOrganizationID = " + SqlNumber(Organization(0)) +
                        " And lngModuleID = " + SqlNumber(kGeneralLedgerModule) +
                        " And bytStatus = 1");
}

host::PeriodService::Result EmbeddedPeriodService::ClosePeriod(int year, int period) {
  try {
    host::DataAccess& data = login_.Data();
    host::TransactionGuard guard(data);
    std::optional<bool> closed = StoredClosed(year, period);
    if (!closed) return Refused(period_texts::kPeriodUnknown);
    if (*closed || IsPeriodClosed(0, year, period)) return Refused(period_texts::kAlreadyClosed);
    const std::string org = SqlNumber(Organization(0));
    if (Count(data, "Select Count(*) As n From AccountPeriod Where lngOrganizationID = " + org +
                        " And blnIsClosed = 0 And (intYear < " + SqlNumber(year) +
                        " Or (intYear = " + SqlNumber(year) + " And bytPeriod < " +
                        SqlNumber(period) + "))") > 0) {
      return Refused(period_texts::kEarlierOpen);
    }
    if (Count(data, "Select Count(*) As n From VoucherView Where lngSourceOrganizationID = " + org +
                        " And intYear = " + SqlNumber(year) + " And bytPeriod = " +
                        SqlNumber(period) + " And blnIsVoid = 0 And lngPostID = 0") > 0) {
      return Refused(period_texts::kUnposted);
    }
    data.Execute("Update AccountPeriod Set blnIsClosed = 1" + PeriodWhere(0, year, period));
    MoveLedgerTo(PeriodAfter(year, period));
    guard.Commit();
    return {true, {}};
  } catch (const host::DatabaseError& error) {
    return {false, period_texts::kDatabaseFailure + std::string(error.what())};
  }
}

host::PeriodService::Result EmbeddedPeriodService::ReopenPeriod(int year, int period) {
  try {
    host::DataAccess& data = login_.Data();
    host::TransactionGuard guard(data);
    std::optional<bool> closed = StoredClosed(year, period);
    if (!closed) return Refused(period_texts::kPeriodUnknown);
    if (Count(data, "Select Count(*) As n From AccountYear Where intYear = " + SqlNumber(year) +
                        " And blnIsClosed = 1") > 0) {
      return Refused(period_texts::kYearClosed);
    }
    if (!*closed) return Refused(period_texts::kNotClosed);
    if (Count(data, "Select Count(*) As n From AccountPeriod Where lngOrganizationID = " +
                        SqlNumber(Organization(0)) + " And blnIsClosed = 1 And (intYear > " +
                        SqlNumber(year) + " Or (intYear = " + SqlNumber(year) +
                        " And bytPeriod > " + SqlNumber(period) + "))") > 0) {
      return Refused(period_texts::kLaterClosed);
    }
    data.Execute("Update AccountPeriod Set blnIsClosed = 0" + PeriodWhere(0, year, period));
    MoveLedgerTo({year, period});
    guard.Commit();
    return {true, {}};
  } catch (const host::DatabaseError& error) {
    return {false, period_texts::kDatabaseFailure + std::string(error.what())};
  }
}

}  // namespace lumvoucher::embedded
