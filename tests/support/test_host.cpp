#include "support/test_host.h"

#include <sqlite3.h>

#include <chrono>
#include <ctime>
#include <thread>

#include "embedded/embedded_file.h"
#include "host/database_error.h"

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

}  // namespace

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
  auto data = NewDemoDatabase(sets);
  data_ = data.get();
  host_ = std::make_unique<embedded::EmbeddedHost>(
      std::move(data), login, embedded::HostUi{&messages_, &modal_, &main_window_});
  host_->InitInterFace(inter_face_);
}

TestHost::~TestHost() = default;

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
