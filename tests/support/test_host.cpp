#include "support/test_host.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <map>
#include <thread>

#include "dialect/postgres_cluster.h"
#include "embedded/embedded_file.h"
#include "host/database_error.h"
#include "server/account_set_copy.h"
#include "server/postgres_data_access.h"
#include "server/sequence_ids.h"
#include "server/server_host.h"
#include "support/temp_account_set_file.h"

namespace lumvoucher::testing {

namespace {

constexpr const char* kDemoDate = "2026-02-15";

// The demo account sets are built once per test process and copied into each test's database,
// which is much cheaper than running the schema and demo scripts again. The tests of the
// single-basis windows count the vouchers of the whole file, so they get "星河医疗集团" alone.
embedded::SqliteDataAccess& Pristine(embedded::DemoSets sets) {
  static auto build = [](embedded::DemoSets which) {
    auto* data = new embedded::SqliteDataAccess(":memory:");
    embedded::CreateAccountSet(*data, which);
    return data;
  };
  static embedded::SqliteDataAccess* single = build(embedded::DemoSets::kSingleBasisOnly);
  if (sets == embedded::DemoSets::kSingleBasisOnly) return *single;
  static embedded::SqliteDataAccess* all = build(embedded::DemoSets::kAll);
  return *all;
}

// One throwaway cluster per test process, a template database per demo selection (made on first
// use from the embedded files), and a database per host copied from it: a file copy on the
// server, much cheaper than creating the account set again.
class ServerDatabases {
 public:
  static ServerDatabases& Instance() {
    static ServerDatabases databases;
    return databases;
  }

  // A fresh database holding `sets`; answers its name.
  std::string NewDatabase(embedded::DemoSets sets) {
    const std::string pristine = "lv_pristine_" + std::to_string(static_cast<int>(sets));
    if (!made_[pristine]) {
      Admin("CREATE DATABASE " + pristine);
      {
        server::PostgresDataAccess data(ConnInfo(pristine));
        server::CreateAccountSet(data, sets);
      }
      made_[pristine] = true;
    }
    const std::string name = "lv_test_" + std::to_string(++count_);
    Admin("CREATE DATABASE " + name + " TEMPLATE " + pristine);
    return name;
  }
  void Terminate(int pid) {
    Admin("SELECT pg_terminate_backend(" + std::to_string(pid) + ", 5000)", PGRES_TUPLES_OK);
  }
  void Drop(const std::string& name) { Admin("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)"); }
  std::string ConnInfo(const std::string& name) const {
    return cluster_.ConnInfo() + " dbname=" + name;
  }

 private:
  ServerDatabases() {
    if (!cluster_.Start()) throw host::DatabaseError("PostgreSQL: " + cluster_.Reason());
    admin_ = PQconnectdb(cluster_.ConnInfo().c_str());
    if (PQstatus(admin_) != CONNECTION_OK) throw host::DatabaseError(PQerrorMessage(admin_));
  }
  ~ServerDatabases() { PQfinish(admin_); }

  void Admin(const std::string& sql, ExecStatusType ok = PGRES_COMMAND_OK) {
    std::unique_ptr<PGresult, decltype(&PQclear)> r(PQexec(admin_, sql.c_str()), &PQclear);
    if (PQresultStatus(r.get()) != ok) {
      throw host::DatabaseError(std::string(PQresultErrorMessage(r.get())) + " [" + sql + "]");
    }
  }

  dialect_test::PostgresCluster cluster_;
  PGconn* admin_ = nullptr;
  std::map<std::string, bool> made_;
  int count_ = 0;
};

}  // namespace

bool OnPostgres() {
  static const bool on = [] {
    const char* backend = std::getenv("LUMVOUCHER_TEST_BACKEND");
    return backend != nullptr && std::string(backend) == "postgres";
  }();
  return on;
}

std::string NewServerDatabase(embedded::DemoSets sets) {
  ServerDatabases& databases = ServerDatabases::Instance();
  return databases.ConnInfo(databases.NewDatabase(sets));
}

std::string NewSharedAccountSet(const TempAccountSetFile& file) {
  if (OnPostgres()) return NewServerDatabase(embedded::DemoSets::kSingleBasisOnly);
  ScriptedMessageBox box;
  ScriptedModalRunner modal;
  RecordingMainWindow main;
  embedded::EmbeddedHost creator(file.Path(), DemoLogin::Maker(), {&box, &modal, &main});
  return file.Path();
}

std::unique_ptr<embedded::EmbeddedHost> OpenDesktop(const std::string& where,
                                                    const embedded::LoginRequest& login,
                                                    embedded::HostUi ui) {
  if (OnPostgres()) {
    server::ServerAccountSet set = server::OpenServerAccountSet(where, false);
    return std::make_unique<embedded::EmbeddedHost>(std::move(set.data), std::move(set.next_id),
                                                    login, ui);
  }
  auto desk = std::make_unique<embedded::EmbeddedHost>(where, login, ui, false);
  // The races are about locks, not about surviving a power cut: commits skip the disk flush.
  sqlite3_exec(desk->Database().Handle(), "PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
  return desk;
}

std::unique_ptr<host::DataAccess> OpenSharedData(const std::string& where) {
  if (OnPostgres()) return std::make_unique<server::PostgresDataAccess>(where);
  return std::make_unique<embedded::SqliteDataAccess>(where);
}

TestHost::ServerDatabase::~ServerDatabase() {
  if (!name.empty()) ServerDatabases::Instance().Drop(name);
}

embedded::LoginRequest DemoLogin::Maker() {
  return {1, 2, kDemoDate};
}
embedded::LoginRequest DemoLogin::Reviewer() {
  return {1, 3, kDemoDate};
}
embedded::LoginRequest DemoLogin::Cashier() {
  return {1, 4, kDemoDate};
}
embedded::LoginRequest DemoLogin::Poster() {
  return {1, 5, kDemoDate};
}
embedded::LoginRequest DemoLogin::Administrator() {
  return {1, 1, kDemoDate};
}

std::unique_ptr<FailingDataAccess> NewDemoDatabase(embedded::DemoSets sets) {
  auto data = std::make_unique<FailingDataAccess>(":memory:");
  sqlite3_backup* backup =
      sqlite3_backup_init(data->Handle(), "main", Pristine(sets).Handle(), "main");
  if (backup == nullptr) throw host::DatabaseError(sqlite3_errmsg(data->Handle()));
  sqlite3_backup_step(backup, -1);
  if (sqlite3_backup_finish(backup) != SQLITE_OK) {
    throw host::DatabaseError(sqlite3_errmsg(data->Handle()));
  }
  return data;
}

TestHost::TestHost(const embedded::LoginRequest& login, embedded::DemoSets sets) {
  const embedded::HostUi ui{&messages_, &modal_, &main_window_};
  if (OnPostgres()) {
    ServerDatabases& databases = ServerDatabases::Instance();
    server_database_.name = databases.NewDatabase(sets);
    auto server =
        std::make_unique<server::PostgresDataAccess>(databases.ConnInfo(server_database_.name));
    auto ids = std::make_shared<server::SequenceIds>(*server);
    auto data = std::make_unique<FailingDataAccess>(std::move(server));
    data_ = data.get();
    host_ = std::make_unique<embedded::EmbeddedHost>(
        std::unique_ptr<host::DataAccess>(std::move(data)),
        [ids](std::string_view table) { return ids->NextId(table); }, login, ui,
        [where = databases.ConnInfo(server_database_.name)] {
          return server::OpenFundDatabase(where);
        });
  } else {
    auto data = NewDemoDatabase(sets);
    data_ = data.get();
    host_ = std::make_unique<embedded::EmbeddedHost>(std::move(data), login, ui);
  }
  host_->InitInterFace(inter_face_);
}

TestHost::~TestHost() = default;

void TestHost::DropServerConnection() {
  auto* server = dynamic_cast<server::PostgresDataAccess*>(data_->Server());
  if (server == nullptr) throw host::DatabaseError("not on a server");
  ServerDatabases::Instance().Terminate(PQbackendPID(server->Handle()));
}

std::string TestHost::Scalar(const std::string& sql) {
  host::Recordset rs = data_->OpenRecordset(sql);
  return rs.Empty() ? std::string() : rs[std::size_t{0}].AsText();
}

std::string TestHost::Rows(const std::string& sql) {
  return DumpRows(*data_, sql);
}

std::string DumpRows(host::DataAccess& data, const std::string& sql) {
  host::Recordset rs = data.OpenRecordset(sql);
  std::string out;
  for (; !rs.Eof(); rs.MoveNext()) {
    for (std::size_t i = 0; i < rs.FieldCount(); ++i) out += (i == 0 ? "" : "|") + rs[i].AsText();
    out += "\n";
  }
  return out;
}

std::string WithTimeOfThisSecond(const std::string& sql) {
  using namespace std::chrono;
  std::this_thread::sleep_until(ceil<seconds>(system_clock::now()) + milliseconds(5));
  const std::time_t t = system_clock::to_time_t(system_clock::now());
  std::tm local{};
  localtime_r(&t, &local);
  char time[16];
  std::strftime(time, sizeof time, "%H:%M:%S", &local);
  std::string out = sql;
  const std::size_t at = out.find("','", out.find("','") + 3);  // after strlog and strlogdate
  out.replace(at + 3, 8, time);
  out.replace(at + 14, 8, time);
  return out;
}

void LoadSourceDocuments(embedded::SqliteDataAccess& data) {
  for (const embedded::EmbeddedFile& file : embedded::DemoFiles()) {
    if (file.name.find("_showcase_") != std::string::npos) data.ExecuteScript(file.text);
  }
}

}  // namespace lumvoucher::testing
