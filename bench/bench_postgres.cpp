// The component on a PostgreSQL server against hand-written libpq statements doing the same rows
// on the same throwaway cluster in the same run (fsync off for both).
// pg_save_voucher: the programmatic road, every check on, against the header and line inserts,
// one transaction per voucher, the two taking turns in rounds. pg_list_vouchers: the voucher list
// with item rights on against one native query fetching the same rows into a recordset. Without a
// server: a printed skip. Arguments: vouchers to save (1000), vouchers in the listed period
// (20000), vouchers already in January when the saves begin (20000); with --statements last,
// the cluster runs pg_stat_statements and each part prints what its statements cost the server
// (its ratios then carry the extension's own cost).
#include <libpq-fe.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "dialect/postgres_cluster.h"
#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "lists/frm_list_voucher.h"
#include "server/server_host.h"

namespace {

using namespace lumvoucher;
using bench::Seconds;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 3;

struct Result {
  explicit Result(PGresult* r) : r(r) {}
  ~Result() { PQclear(r); }
  Result(const Result&) = delete;
  Result& operator=(const Result&) = delete;
  PGresult* r;
};

void Exec(PGconn* conn, const std::string& sql) {
  Result result(PQexec(conn, sql.c_str()));
  const ExecStatusType status = PQresultStatus(result.r);
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
    throw std::runtime_error(PQerrorMessage(conn) + (" in " + sql.substr(0, 200)));
  }
}

// A new database on the cluster holding the demo account sets, as its connection string.
std::string NewDatabase(const dialect_test::PostgresCluster& cluster, const std::string& name) {
  PGconn* admin = PQconnectdb(cluster.ConnInfo().c_str());
  if (PQstatus(admin) != CONNECTION_OK) throw std::runtime_error(PQerrorMessage(admin));
  Exec(admin, "CREATE DATABASE " + name);
  PQfinish(admin);
  const std::string conninfo = cluster.ConnInfo() + " dbname=" + name;
  server::OpenServerAccountSet(conninfo, true, embedded::DemoSets::kAll);
  return conninfo;
}

// With --statements: pg_stat_statements loaded on the throwaway cluster (a restart), planning
// tracked too, so that each part can print what its statements cost the server.
void TrackStatements(const dialect_test::PostgresCluster& cluster) {
  PGconn* admin = PQconnectdb(cluster.ConnInfo().c_str());
  if (PQstatus(admin) != CONNECTION_OK) throw std::runtime_error(PQerrorMessage(admin));
  Exec(admin, "ALTER SYSTEM SET shared_preload_libraries = 'pg_stat_statements'");
  PQfinish(admin);
  const std::string info = cluster.ConnInfo();
  const std::string directory = info.substr(5, info.find(' ') - 5);
  const std::string restart = std::string(geteuid() == 0 ? "runuser -u nobody -- " : "") +
                              "/usr/lib/postgresql/15/bin/pg_ctl -w -D " + directory +
                              "/data restart >/dev/null 2>&1";
  if (std::system(restart.c_str()) != 0) throw std::runtime_error("the cluster did not restart");
  admin = PQconnectdb(info.c_str());
  if (PQstatus(admin) != CONNECTION_OK) throw std::runtime_error(PQerrorMessage(admin));
  Exec(admin, "CREATE EXTENSION pg_stat_statements");
  Exec(admin, "ALTER SYSTEM SET pg_stat_statements.track_planning = on");
  Exec(admin, "SELECT pg_reload_conf()");
  PQfinish(admin);
}

// The statements run on `database` since the last call, per unit of work: calls, then the
// server's planning and execution time in microseconds, costliest first. Empty without tracking.
class StatementTally {
 public:
  StatementTally(const dialect_test::PostgresCluster& cluster, bool on)
      : conninfo_(on ? cluster.ConnInfo() : std::string()) {
    Reset();
  }
  void Reset() {
    if (conninfo_.empty()) return;
    Query("SELECT pg_stat_statements_reset()");
  }
  void Print(const std::string& database, int units, const char* what) {
    if (conninfo_.empty()) return;
    const std::string sql =
        "SELECT calls, total_plan_time, total_exec_time, regexp_replace(query, '\\s+', ' ', "
        "'g') FROM pg_stat_statements s JOIN pg_database d ON d.oid = s.dbid WHERE d.datname = '" +
        database + "' ORDER BY total_plan_time + total_exec_time DESC";
    PGconn* conn = PQconnectdb(conninfo_.c_str());
    Result rows(PQexec(conn, sql.c_str()));
    double calls = 0, plan = 0, run = 0;
    for (int i = 0; i < PQntuples(rows.r); ++i) {
      calls += std::atof(PQgetvalue(rows.r, i, 0));
      plan += std::atof(PQgetvalue(rows.r, i, 1));
      run += std::atof(PQgetvalue(rows.r, i, 2));
    }
    std::fprintf(stderr, "%s: %.1f statements, %.0f us planning, %.0f us running per %s\n",
                 database.c_str(), calls / units, plan * 1e3 / units, run * 1e3 / units, what);
    std::fprintf(stderr, " calls   plan    run\n");
    for (int i = 0; i < PQntuples(rows.r); ++i) {
      std::fprintf(stderr, "%6.2f %6.1f %6.1f %.160s\n",
                   std::atof(PQgetvalue(rows.r, i, 0)) / units,
                   std::atof(PQgetvalue(rows.r, i, 1)) * 1e3 / units,
                   std::atof(PQgetvalue(rows.r, i, 2)) * 1e3 / units, PQgetvalue(rows.r, i, 3));
    }
    PQfinish(conn);
  }

 private:
  void Query(const std::string& sql) {
    PGconn* conn = PQconnectdb(conninfo_.c_str());
    Result ignored(PQexec(conn, sql.c_str()));
    PQfinish(conn);
  }
  std::string conninfo_;
};

std::unique_ptr<embedded::EmbeddedHost> OpenHost(const std::string& conninfo,
                                                 const embedded::LoginRequest& login,
                                                 host::MessageBox& box) {
  server::ServerAccountSet set = server::OpenServerAccountSet(conninfo, false);
  return std::make_unique<embedded::EmbeddedHost>(std::move(set.data), std::move(set.next_id),
                                                  login, embedded::HostUi{&box, nullptr, nullptr});
}

// ---- pg_save_voucher ----------------------------------------------------------------------

// The CPU time a server backend has used (utime and stime of /proc/PID/stat), in seconds.
double BackendCpuSeconds(int pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int n = 3; n <= 15 && fields >> field; ++n) {
    if (n >= 14) ticks += std::atof(field.c_str());
  }
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

const std::vector<bench::FormLine> kLines = {{5, 1, 100}, {29, 1, 50}, {28, -1, 100}, {14, -1, 50}};

// The programmatic road on its own host, saving vouchers numbered on from 100.
class ComponentSaves {
 public:
  explicit ComponentSaves(const std::string& conninfo)
      : host_(OpenHost(conninfo, {1, 2, "2026-02-15"}, box_)) {
    host_->InitInterFace(component_);
  }
  double Save(int vouchers) {
    const auto start = Clock::now();
    for (int i = 0; i < vouchers; ++i, ++next_) {
      const std::string form = bench::FormText(100 + next_, kLines, "2026-02-15", "批量凭证", "1");
      const bool written = component_.WriteForm(form, "");
      if (written) component_.MustSave();
      if (!written || component_.SaveAVoucher(false, "") != 1) {
        throw std::runtime_error("voucher " + std::to_string(100 + next_) + " not saved");
      }
    }
    return Seconds(start);
  }
  std::size_t RoundTrips() {
    return static_cast<server::PostgresDataAccess&>(host_->Data()).RoundTrips();
  }
  int BackendPid() {
    return PQbackendPID(static_cast<server::PostgresDataAccess&>(host_->Data()).Handle());
  }

 private:
  bench::CountingBox box_;
  std::unique_ptr<embedded::EmbeddedHost> host_;
  frame::InterFace component_;
  int next_ = 0;
};

void Prepared(PGconn* conn, const char* name, const std::vector<std::string>& values) {
  std::vector<const char*> pointers;
  for (const std::string& v : values) pointers.push_back(v.c_str());
  Result result(PQexecPrepared(conn, name, static_cast<int>(pointers.size()), pointers.data(),
                               nullptr, nullptr, 0));
  if (PQresultStatus(result.r) != PGRES_COMMAND_OK) throw std::runtime_error(PQerrorMessage(conn));
}

// The same rows by hand: BEGIN, the header, four lines, COMMIT (seven round trips).
class BaselineSaves {
 public:
  explicit BaselineSaves(const std::string& conninfo) : conn_(PQconnectdb(conninfo.c_str())) {
    if (PQstatus(conn_) != CONNECTION_OK) throw std::runtime_error(PQerrorMessage(conn_));
    Result header(PQprepare(
        conn_, "header",
        "INSERT INTO Voucher (lngVoucherID,intYear,bytPeriod,strDate,lngTemplateID,intNumber,"
        "lngVoucherTypeID,intVoucherNO,lngOperatorID,lngCheckerID,lngPostID,lngTellerID,"
        "strManager,strDebitAccountCode,strCreditAccountCode,lngVoucherSourceID,blnIsPrint,"
        "blnIsVoid,lngSourceVoucherID,blnIsError,strError,lngSourceOrganizationID,strVolume) "
        "VALUES ($1,2026,2,'2026-02-15',1,0,1,$2,2,0,0,0,NULL,'1012/6401','6051/2001',1,0,0,0,0,"
        "NULL,1,'0000')",
        0, nullptr));
    Result line(PQprepare(
        conn_, "line",
        "INSERT INTO VoucherDetail (lngVoucherDetailID,lngVoucherID,strRemark,dblAmount,"
        "dblRate,dblQuantity,dblPrice,dblCurrencyAmount,lngAccountID,lngCurrencyID,"
        "lngCustomerID,lngDepartmentID,lngEmployeeID,lngClassID1,lngClassID2,intDirection,"
        "strCheckNumber,strCheckDate,strBusinessDate,lngPaymentMethodID,lngOrganizationID,"
        "strFlexibleId,lngRowID,strCashFlowCode,strSysDate) VALUES ($1,$2,'批量凭证',$3,1,0,0,"
        "$3,$4,1,0,0,0,0,0,$5,NULL,' ',' ',0,0,' ',$6,NULL,'2026-02-15')",
        0, nullptr));
    for (PGresult* r : {header.r, line.r}) {
      if (PQresultStatus(r) != PGRES_COMMAND_OK) throw std::runtime_error(PQerrorMessage(conn_));
    }
  }
  ~BaselineSaves() { PQfinish(conn_); }
  int BackendPid() const { return PQbackendPID(conn_); }
  BaselineSaves(const BaselineSaves&) = delete;
  BaselineSaves& operator=(const BaselineSaves&) = delete;

  double Save(int vouchers) {
    const auto start = Clock::now();
    for (int i = 0; i < vouchers; ++i) {
      Exec(conn_, "BEGIN");
      ++id_;
      Prepared(conn_, "header", {std::to_string(id_), std::to_string(100 + next_++)});
      int row = 0;
      for (const bench::FormLine& l : kLines) {
        Prepared(conn_, "line",
                 {std::to_string(++line_id_), std::to_string(id_), std::to_string(l.amount),
                  std::to_string(l.account), std::to_string(l.direction), std::to_string(++row)});
      }
      Exec(conn_, "COMMIT");
    }
    return Seconds(start);
  }

 private:
  PGconn* conn_;
  long id_ = 100000, line_id_ = 100000;
  int next_ = 0;
};

// January's vouchers, as an account set in use holds them, analysed as the server's autovacuum
// would have by then. Into the demo set's few rows a save's number check is planned once as a
// sequential scan and kept so while a thousand saves land within seconds, before any autovacuum.
std::string WithEarlierVouchers(const std::string& conninfo, int vouchers) {
  PGconn* conn = PQconnectdb(conninfo.c_str());
  if (PQstatus(conn) != CONNECTION_OK) throw std::runtime_error(PQerrorMessage(conn));
  const std::string n = std::to_string(vouchers);
  Exec(conn,
       "INSERT INTO Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
       "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID, strVolume) "
       "SELECT 5000000 + v, 1 + v % 4, 1 + v / 4, '2026-01-' || lpad((1 + v * 31 / " +
           n + ")::text, 2, '0'), 2026, 1, 1, 1, 2, '0000' FROM generate_series(0, " + n +
           " - 1) v");
  Exec(conn,
       "INSERT INTO VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, "
       "lngAccountID, intDirection, dblAmount, lngOrganizationID) "
       "SELECT 6000000 + v * 4 + r, 5000000 + v, r, '批量凭证', (ARRAY[5, 29, 28, 14])[r], "
       "CASE WHEN r <= 2 THEN 1 ELSE -1 END, 100, 1 "
       "FROM generate_series(0, " +
           n + " - 1) v, generate_series(1, 4) r");
  Exec(conn, "VACUUM ANALYZE");
  PQfinish(conn);
  return conninfo;
}

// The two take turns in rounds, so that a change of the machine's load meets both alike.
void SaveVouchers(const dialect_test::PostgresCluster& cluster, int vouchers, int earlier,
                  bool tally) {
  ComponentSaves component(WithEarlierVouchers(NewDatabase(cluster, "bench_save"), earlier));
  BaselineSaves baseline(WithEarlierVouchers(NewDatabase(cluster, "bench_save_base"), earlier));
  constexpr int kRounds = 10;
  double component_time = 0, baseline_time = 0, component_cpu = 0, baseline_cpu = 0;
  const std::size_t round_trips = component.RoundTrips();
  const double component_server = BackendCpuSeconds(component.BackendPid());
  const double baseline_server = BackendCpuSeconds(baseline.BackendPid());
  StatementTally statements(cluster, tally);
  for (int round = 0; round < kRounds; ++round) {
    const int count = vouchers / kRounds + (round < vouchers % kRounds ? 1 : 0);
    double cpu = bench::CpuSeconds();
    component_time += component.Save(count);
    component_cpu += bench::CpuSeconds() - cpu;
    cpu = bench::CpuSeconds();
    baseline_time += baseline.Save(count);
    baseline_cpu += bench::CpuSeconds() - cpu;
  }
  // CPU time is what load on a shared machine leaves alone (the server's in clock ticks).
  const double us = 1e6 / vouchers;
  std::printf(
      "pg_save_voucher: %.1f round trips a voucher on the component's data access, 7 by "
      "hand; CPU a voucher: client %.0f us (by hand %.0f), server %.0f us (by hand %.0f)\n",
      static_cast<double>(component.RoundTrips() - round_trips) / vouchers, component_cpu * us,
      baseline_cpu * us, (BackendCpuSeconds(component.BackendPid()) - component_server) * us,
      (BackendCpuSeconds(baseline.BackendPid()) - baseline_server) * us);
  std::printf("BENCH pg_save_voucher %.1f vouchers/s baseline %.1f vouchers/s ratio %.2f\n",
              vouchers / component_time, vouchers / baseline_time, component_time / baseline_time);
  std::fflush(stdout);
  statements.Print("bench_save", vouchers, "save");
  statements.Print("bench_save_base", vouchers, "save by hand");
}

// ---- pg_list_vouchers ---------------------------------------------------------------------

// March 2026 of organisation 01-01, as bench_lists builds it: four lines a voucher over
// accounts, units and departments; one voucher in a hundred has a line on 1901 (id 13), which
// the maker may not use. Built on the server, so that it takes seconds.
void CreateListData(PGconn* conn, int vouchers) {
  const std::string n = std::to_string(vouchers);
  Exec(conn, "BEGIN");
  Exec(conn,
       "INSERT INTO Voucher (lngVoucherID, lngVoucherTypeID, intVoucherNO, strDate, intYear, "
       "bytPeriod, lngTemplateID, lngSourceOrganizationID, lngOperatorID, strVolume) "
       "SELECT 20000 + v, 1 + v % 4, 1 + v / 4, '2026-03-' || lpad((1 + v * 31 / " +
           n +
           ")::text, 2, '0'), 2026, 3, 1, 2, CASE WHEN v % 3 = 0 THEN 6 ELSE 2 END, '0000' "
           "FROM generate_series(0, " +
           n + " - 1) v");
  Exec(conn,
       "INSERT INTO VoucherDetail (lngVoucherDetailID, lngVoucherID, lngRowID, strRemark, "
       "lngAccountID, intDirection, dblAmount, lngCustomerID, lngDepartmentID, "
       "lngOrganizationID) "
       "SELECT 1000000 + v * 4 + r, 20000 + v, r, '批量凭证摘要', a, CASE WHEN r % 2 = 1 THEN 1 "
       "ELSE -1 END, 100 + ((v * 37 + r * 11) % 100000) / 100.0, CASE WHEN a IN (6, 15) THEN 1 + "
       "(v + r) % 6 ELSE 0 END, CASE WHEN a >= 27 THEN 1 + (v * r) % 7 ELSE 0 END, 2 "
       "FROM (SELECT v, r, CASE WHEN r = 4 AND v % 100 = 0 THEN 13 ELSE "
       "(ARRAY[1, 3, 6, 11, 15, 20, 27, 31, 32, 33])[1 + (v * 7 + r * 3) % 10] END AS a "
       "FROM generate_series(0, " +
           n + " - 1) v, generate_series(1, 4) r) s");
  Exec(conn,
       "UPDATE Setting SET strSetting = 'True' WHERE strSection = '权限控制' AND strKey IN "
       "('科目', '单位')");
  Exec(conn,
       "INSERT INTO OperatorAccount SELECT 2, lngAccountID, 2 FROM Account WHERE lngAccountID <> "
       "13");
  Exec(conn, "INSERT INTO OperatorCustomer SELECT 2, lngCustomerID, 2 FROM Customer");
  Exec(conn, "COMMIT");
  // Vacuumed as well: else autovacuum takes the freshly inserted lines on at some point of the
  // timed reads, and every statement of those runs is half as slow again.
  Exec(conn, "VACUUM ANALYZE");
}

// bench_lists' baseline in PostgreSQL's words.
constexpr const char* kListBaseline = R"(
WITH visible AS (
  SELECT v.lngVoucherID FROM Voucher v JOIN VoucherDetail d ON d.lngVoucherID = v.lngVoucherID
  LEFT JOIN OperatorAccount oa ON oa.lngAccountID = d.lngAccountID AND oa.lngOperatorID = 2
   AND oa.lngOrganizationID = 2
  LEFT JOIN OperatorCustomer oc ON oc.lngCustomerID = d.lngCustomerID AND oc.lngOperatorID = 2
   AND oc.lngOrganizationID = 2
  WHERE v.lngSourceOrganizationID IN (SELECT lngOrganizationID FROM Organization
         WHERE strOrganizationCode = '01-01' OR strOrganizationCode LIKE '01-01-%')
    AND v.blnIsVoid = 0 AND v.strDate >= '2026-03-01' AND v.strDate <= '2026-03-31'
  GROUP BY v.lngVoucherID
  HAVING bool_and((d.lngAccountID = 0 OR oa.lngOperatorID IS NOT NULL)
         AND (d.lngCustomerID = 0 OR oc.lngOperatorID IS NOT NULL)))
SELECT v.strDate, t.strVoucherTypeCode || ' ' || lpad(v.intVoucherNO::text, 6, '0'),
  d.strRemark, a.strAccountCode, a.strAccountName,
  CASE WHEN d.intDirection = 1 THEN d.dblAmount END, CASE WHEN d.intDirection = -1 THEN d.dblAmount END,
  c.strCustomerName, dp.strDepartmentName, e.strEmployeeName, mo.strOperatorName,
  co.strOperatorName, po.strOperatorName, tx.strOperatorName, v.strVolume,
  CASE v.lngVoucherSourceID WHEN 1 THEN '手工录入' WHEN 2 THEN '冲销凭证' WHEN 3 THEN '损益结转'
   WHEN 16 THEN '转账生成' ELSE '系统生成' END,
  CASE WHEN v.lngVoucherSourceID = 16 THEN NULL
   WHEN sv.lngVoucherID IS NOT NULL THEN sv.intYear || '年度' || lpad(sv.bytPeriod::text, 2, '0')
     || '期间 ' || svt.strVoucherTypeCode || '字 ' || lpad(sv.intVoucherNO::text, 6, '0') || '号凭证'
   WHEN tv.lngVoucherID IS NOT NULL THEN tv.intYear || '年度' || lpad(tv.bytPeriod::text, 2, '0')
     || '期间 ' || tvt.strVoucherTypeCode || '字 ' || lpad(tv.intVoucherNO::text, 6, '0') || '号凭证'
  END,
  v.lngVoucherID, CASE WHEN v.blnIsVoid = 1 THEN '√' END, d.lngVoucherDetailID, v.lngVoucherBaseID
FROM visible JOIN Voucher v ON v.lngVoucherID = visible.lngVoucherID
JOIN VoucherDetail d ON d.lngVoucherID = v.lngVoucherID
JOIN VoucherType t ON t.lngVoucherTypeID = v.lngVoucherTypeID
LEFT JOIN Account a ON a.lngAccountID = d.lngAccountID
LEFT JOIN Customer c ON c.lngCustomerID = d.lngCustomerID
LEFT JOIN Department dp ON dp.lngDepartmentID = d.lngDepartmentID
LEFT JOIN Employee e ON e.lngEmployeeID = d.lngEmployeeID
LEFT JOIN Operator mo ON mo.lngOperatorID = v.lngOperatorID
LEFT JOIN Operator co ON co.lngOperatorID = v.lngCheckerID
LEFT JOIN Operator po ON po.lngOperatorID = v.lngPostID
LEFT JOIN Operator tx ON tx.lngOperatorID = v.lngTellerID
LEFT JOIN Voucher sv ON sv.lngVoucherID = v.lngSourceVoucherID
LEFT JOIN VoucherType svt ON svt.lngVoucherTypeID = sv.lngVoucherTypeID
LEFT JOIN Voucher tv ON tv.lngSourceVoucherID = v.lngVoucherID AND tv.lngVoucherSourceID <> 16
LEFT JOIN VoucherType tvt ON tvt.lngVoucherTypeID = tv.lngVoucherTypeID
ORDER BY 1, 2, v.lngVoucherBaseID, v.lngVoucherID, d.lngRowID)";

// Every row read into memory as the recordset keeps it: numbers as numbers, the rest as text.
std::size_t ListBaseline(PGconn* conn) {
  Result result(PQexecParams(conn, kListBaseline, 0, nullptr, nullptr, nullptr, nullptr, 0));
  if (PQresultStatus(result.r) != PGRES_TUPLES_OK) throw std::runtime_error(PQerrorMessage(conn));
  const int columns = PQnfields(result.r);
  std::vector<host::Recordset::Row> rows(static_cast<std::size_t>(PQntuples(result.r)));
  for (int i = 0; i < PQntuples(result.r); ++i) {
    host::Recordset::Row& row = rows[static_cast<std::size_t>(i)];
    row.reserve(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) {
      const char* text = PQgetvalue(result.r, i, c);
      if (PQgetisnull(result.r, i, c)) {
        row.emplace_back();
      } else if (PQftype(result.r, c) == 1700 || PQftype(result.r, c) == 701) {
        const std::string_view digits(text);
        if (digits.find_first_of(".eE") == std::string_view::npos) {
          row.emplace_back(static_cast<std::int64_t>(std::strtoll(text, nullptr, 10)));
        } else {
          row.emplace_back(std::strtod(text, nullptr));
        }
      } else {
        row.emplace_back(std::string(text, static_cast<std::size_t>(PQgetlength(result.r, i, c))));
      }
    }
  }
  host::Recordset rs({}, std::move(rows));
  return rs.RecordCount();
}

double Best(const std::function<std::size_t()>& run, std::size_t& rows) {
  double best = 1e300;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = Clock::now();
    rows = run();
    best = std::min(best, Seconds(start));
  }
  return best;
}

void ListVouchers(const dialect_test::PostgresCluster& cluster, const std::string& conninfo,
                  int vouchers, bool tally) {
  bench::CountingBox box;
  auto host = OpenHost(conninfo, {2, 2, "2026-03-15"}, box);
  CreateListData(static_cast<server::PostgresDataAccess&>(host->Data()).Handle(), vouchers);
  frame::InterFace inter_face;
  host->InitInterFace(inter_face);
  lists::frmListVoucher list;
  if (!list.ShowMe()) throw std::runtime_error("the list did not fill");
  std::size_t list_rows = 0, baseline_rows = 0;
  StatementTally statements(cluster, tally);
  const double list_time = Best(
      [&] {
        if (!list.ToolRefresh()) throw std::runtime_error("the list did not fill");
        return list.State().rows.size();
      },
      list_rows);
  statements.Print("bench_list", kRuns, "list");
  statements.Reset();
  PGconn* conn = PQconnectdb(conninfo.c_str());
  if (PQstatus(conn) != CONNECTION_OK) throw std::runtime_error(PQerrorMessage(conn));
  const double baseline_time = Best([&] { return ListBaseline(conn); }, baseline_rows);
  PQfinish(conn);
  statements.Print("bench_list", kRuns, "list by hand");
  if (list_rows != baseline_rows || list_rows == 0) {
    throw std::runtime_error("row counts differ: " + std::to_string(list_rows) + " / " +
                             std::to_string(baseline_rows));
  }
  std::printf("BENCH pg_list_vouchers %.0f ms baseline %.0f ratio %.2f\n", list_time * 1000,
              baseline_time * 1000, list_time / baseline_time);
}

}  // namespace

int main(int argc, char** argv) {
  const bool tally = argc > 1 && std::string(argv[argc - 1]) == "--statements";
  if (tally) --argc;
  const int saves = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;
  const int listed = argc > 2 ? std::max(100, std::atoi(argv[2])) : 20000;
  const int earlier = argc > 3 ? std::max(0, std::atoi(argv[3])) : 20000;
  dialect_test::PostgresCluster cluster;
  if (!cluster.Start()) {
    std::printf("bench_postgres: skipped, no server: %s\n", cluster.Reason().c_str());
    return 0;
  }
  try {
    if (tally) TrackStatements(cluster);
    SaveVouchers(cluster, saves, earlier, tally);
    ListVouchers(cluster, NewDatabase(cluster, "bench_list"), listed, tally);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_postgres: %s\n", error.what());
    return 1;
  }
  return 0;
}
