#pragma once

#include <string>

struct pg_conn;
struct pg_result;

namespace lumvoucher::server {

// The server's failure as host::DatabaseError, with Oracle's code where the component or a user
// tells failures apart by it: a unique key (ORA-00001) names the key, as on the embedded
// database; sequence limits are ORA-08004 and ORA-08002. `statement` (may be empty) is appended
// as the embedded host does, "text [statement]".
[[noreturn]] void ThrowServerError(const pg_result* result, const std::string& statement = {});

// Whether the connection is gone (server stopped, backend killed), as opposed to a statement
// the server refused.
bool ConnectionLost(pg_conn* conn);

// What the user reads when the server went away in the middle of work.
inline constexpr const char* kConnectionLost = "与数据库服务器的连接已断开";

}  // namespace lumvoucher::server
