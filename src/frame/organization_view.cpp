#include "frame/organization_view.h"

#include <stdexcept>
#include <vector>

#include "frame/id_list.h"
#include "frame/sql_text.h"

namespace lumvoucher::frame {

std::string OrganizationExtendedView(std::string_view table, std::string_view entity,
                                     long organization_id) {
  const std::string t(table);
  const std::string ex = t + "Ex";
  const std::string key = "lng" + std::string(entity) + "ID";
  const std::string o = SqlNumber(organization_id);
  return "(Select fm.*," + o + " As lngOrganizationID From " + t +
         " fm Where Not Exists (Select 1 From " + ex + " ex Where ex." + key + " = fm." + key +
         " And ex.lngOrganizationID = " + o + ") Union Select * From " + ex +
         " ex Where ex.lngOrganizationID = " + o + ")";
}

std::string OrganizationExtendedView(std::string_view table, std::string_view entity,
                                     std::span<const long> organization_ids) {
  if (organization_ids.empty()) throw std::invalid_argument("no organisation given");
  const std::vector<std::int64_t> ids(organization_ids.begin(), organization_ids.end());
  const std::string list = JoinIds(ids);
  const std::string t(table);
  const std::string ex = t + "Ex";
  const std::string key = "lng" + std::string(entity) + "ID";
  return "(Select fm.*,og.lngOrganizationID As lngOrganizationID From " + t +
         " fm,Organization og Where og.lngOrganizationID In(" + list +
         ") And Not Exists (Select 1 From " + ex + " ex Where ex." + key + " = fm." + key +
         " And ex.lngOrganizationID = og.lngOrganizationID) Union Select * From " + ex +
         " ex Where ex.lngOrganizationID In(" + list + "))";
}

}  // namespace lumvoucher::frame
