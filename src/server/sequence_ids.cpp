#include "server/sequence_ids.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "embedded/dialect/tokenizer.h"
#include "host/ascii.h"
#include "host/database_error.h"
#include "server/postgres_data_access.h"
#include "server/server_error.h"

namespace lumvoucher::server {

namespace {

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

Result Run(PGconn* conn, const std::string& sql, const std::string& value) {
  const char* values[] = {value.c_str()};
  Result r(PQexecParams(conn, sql.c_str(), 1, nullptr, values, nullptr, nullptr, 0), &PQclear);
  const ExecStatusType status = PQresultStatus(r.get());
  if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) ThrowServerError(r.get(), sql);
  return r;
}

}  // namespace

SequenceIds::~SequenceIds() {
  if (side_) PQfinish(side_);
}

long SequenceIds::NextId(std::string_view table_name) {
  Keys& keys = keys_[host::AsciiUpper(table_name)];
  if (keys.next == keys.block.size()) {
    if (keys.sequence.empty()) keys.sequence = FindSequence(host::AsciiUpper(table_name));
    // By its oid: a sequence another connection just made is not found by name inside a
    // transaction that started before it, but is opened by oid. With the statements a save holds
    // back, in their round trip.
    PgResult r = data_.RunAfterHeld(
        "SELECT nextval($1::oid::regclass) FROM generate_series(1, " + std::to_string(kBlock) + ")",
        {keys.sequence});
    keys.block.clear();
    for (int row = 0; row < PQntuples(r.get()); ++row) {
      keys.block.push_back(std::atol(PQgetvalue(r.get(), row, 0)));
    }
    std::sort(keys.block.begin(), keys.block.end());
    keys.next = 0;
  }
  return keys.block[keys.next++];
}

std::string SequenceIds::FindSequence(const std::string& table) {
  const std::string sequence = "lv_id_" + dialect::ToLower(table);
  // to_regclass: a missing sequence is NULL, not an error that would end the caller's
  // transaction.
  Result found = Run(data_.Handle(), "SELECT to_regclass($1)::oid", sequence);
  return PQgetisnull(found.get(), 0, 0) ? CreateSequence(table, sequence)
                                        : PQgetvalue(found.get(), 0, 0);
}

std::string SequenceIds::CreateSequence(const std::string& table, const std::string& sequence) {
  if (side_ == nullptr || PQstatus(side_) != CONNECTION_OK) {
    if (side_) PQfinish(side_);
    side_ = PQconnectdb(data_.ConnInfo().c_str());
    if (PQstatus(side_) != CONNECTION_OK) {
      throw host::DatabaseError(std::string(kConnectionLost) + "：" + PQerrorMessage(side_));
    }
    PQclear(PQexec(side_, "SET client_min_messages = warning"));
  }
  // The counter the embedded file had (an account set copied from one) is where it goes on.
  Result start = Run(side_,
                     "SELECT coalesce(max(lngnextid), 1) FROM idsequence WHERE "
                     "strtablename = $1",
                     table);
  const std::string first = PQgetvalue(start.get(), 0, 0);
  char* quoted = PQescapeIdentifier(side_, sequence.c_str(), sequence.size());
  const std::string create =
      std::string("CREATE SEQUENCE IF NOT EXISTS ") + quoted + " START WITH " + first;
  PQfreemem(quoted);
  Result made(PQexec(side_, create.c_str()), &PQclear);
  // Two desktops creating it at once: one of them wins, both go on with it.
  if (PQresultStatus(made.get()) != PGRES_COMMAND_OK) {
    const char* state = PQresultErrorField(made.get(), PG_DIAG_SQLSTATE);
    if (!state || std::string(state) != "23505") ThrowServerError(made.get(), create);
  }
  Result oid = Run(side_, "SELECT $1::regclass::oid", sequence);
  return PQgetvalue(oid.get(), 0, 0);
}

}  // namespace lumvoucher::server
