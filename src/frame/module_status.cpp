#include "frame/module_status.h"

#include "frame/login_state.h"
#include "frame/sql_text.h"
#include "host/read_scope.h"

namespace lumvoucher::frame {

ModuleStatus GetModuleStatus(long module_id) {
  host::Recordset rs = host::OpenRemembered(
      Data(), "SELECT * FROM MODULE WHERE lngOrganizationId=" + SqlNumber(OrganizationId()) +
                  " AND lngModuleID=" + SqlNumber(module_id));
  ModuleStatus status;
  if (rs.Empty()) return status;
  switch (rs["bytStatus"].AsLong()) {
    case 0:
      status.state = ModuleState::kNotStarted;
      break;
    case 2:
      status.state = ModuleState::kStopped;
      status.year = static_cast<int>(rs["intYearStop"].AsLong());
      status.period = static_cast<int>(rs["bytPeriodStop"].AsLong());
      break;
    default:
      status.state = ModuleState::kRunning;
      status.year = static_cast<int>(rs["intYear"].AsLong());
      status.period = static_cast<int>(rs["bytPeriod"].AsLong());
      break;
  }
  return status;
}

}  // namespace lumvoucher::frame
