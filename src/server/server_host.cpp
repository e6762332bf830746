#include "server/server_host.h"

#include "server/account_set_copy.h"
#include "server/sequence_ids.h"

namespace lumvoucher::server {

ServerAccountSet OpenServerAccountSet(const std::string& conninfo, bool create,
                                      embedded::DemoSets sets) {
  ServerAccountSet set;
  set.data = std::make_unique<PostgresDataAccess>(conninfo);
  if (HoldsAccountSet(*set.data)) {
    AddServerTables(*set.data);
  } else if (create) {
    CreateAccountSet(*set.data, sets);
  }
  auto ids = std::make_shared<SequenceIds>(*set.data);
  set.next_id = [ids](std::string_view table) { return ids->NextId(table); };
  set.fund = [conninfo] { return OpenFundDatabase(conninfo); };
  return set;
}

}  // namespace lumvoucher::server
