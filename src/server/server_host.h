#pragma once

#include <memory>
#include <string>

#include "embedded/account_set.h"
#include "embedded/embedded_fund_system.h"
#include "embedded/embedded_login_context.h"
#include "server/postgres_data_access.h"

namespace lumvoucher::server {

// An account set on a PostgreSQL database: the connection and the id service over it, for the
// host's services (embedded::EmbeddedHost runs them on any data access).
struct ServerAccountSet {
  std::unique_ptr<PostgresDataAccess> data;
  embedded::NextIdFunction next_id;
  embedded::FundOpener fund;  // the fund system's own connection to the same database
};

// Connects (a libpq connection string; the PG* environment fills what it leaves out). When
// `create` is true and the database holds no account set yet, creates the schema and the demo
// account sets `sets` in it. Throws host::DatabaseError when it cannot.
ServerAccountSet OpenServerAccountSet(const std::string& conninfo, bool create = true,
                                      embedded::DemoSets sets = embedded::DemoSets::kShowcase);

}  // namespace lumvoucher::server
