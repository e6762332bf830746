#include "server/server_error.h"

#include <libpq-fe.h>

#include "host/ascii.h"
#include "host/database_error.h"

namespace lumvoucher::server {

void ThrowServerError(const PGresult* r, const std::string& statement) {
  std::string message = r ? PQresultErrorMessage(r) : "";
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  const char* state = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
  const std::string code = state ? state : "";
  if (code == "23505" || code == "23514") {
    const char* constraint = PQresultErrorField(r, PG_DIAG_CONSTRAINT_NAME);
    const std::string key = host::AsciiUpper(constraint ? constraint : "");
    const char* oracle =
        code == "23505" ? "ORA-00001: 违反唯一约束条件 (" : "ORA-02290: 违反检查约束条件 (";
    throw host::DatabaseError(oracle + key + ")：" + message, key);
  }
  if (code == "2200H") message = "ORA-08004: " + message;
  if (code == "55000" && message.find("currval") != std::string::npos) {
    message = "ORA-08002: " + message;
  }
  if (code.empty() || code.rfind("08", 0) == 0 || code == "57P01") {
    message = std::string(kConnectionLost) + "：" + message;
  }
  throw host::DatabaseError(statement.empty() ? message : message + " [" + statement + "]");
}

bool ConnectionLost(PGconn* conn) {
  return PQstatus(conn) != CONNECTION_OK;
}

}  // namespace lumvoucher::server
