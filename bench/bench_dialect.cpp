// The Oracle dialect against hand-written SQLite on the same data, in one run: the voucher list
// query, the voucher line query and a point query, over 100 000 vouchers and 400 000 lines in a
// temporary database file. Prints one BENCH line per workload; ratio = dialect / baseline.
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "embedded/oracle_support.h"
#include "embedded/statement_cache.h"

namespace {

using Clock = std::chrono::steady_clock;
using lumvoucher::embedded::StatementCache;

constexpr int kVouchers = 100000;
constexpr int kLinesPerVoucher = 4;

using lumvoucher::bench::Exec;

sqlite3_stmt* PrepareRaw(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
    throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in " + sql);
  }
  return stmt;
}

// Reads every column of every row, as a recordset would; returns a checksum.
std::uint64_t Drain(sqlite3_stmt* stmt) {
  std::uint64_t sum = 0;
  const int columns = sqlite3_column_count(stmt);
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    for (int i = 0; i < columns; ++i) {
      switch (sqlite3_column_type(stmt, i)) {
        case SQLITE_INTEGER:
          sum += static_cast<std::uint64_t>(sqlite3_column_int64(stmt, i));
          break;
        case SQLITE_FLOAT:
          sum += static_cast<std::uint64_t>(sqlite3_column_double(stmt, i));
          break;
        case SQLITE_TEXT:
          sum += static_cast<std::uint64_t>(sqlite3_column_bytes(stmt, i));
          break;
        default:
          break;
      }
    }
  }
  sqlite3_reset(stmt);
  return sum;
}

std::uint64_t RunDialect(StatementCache& cache, const std::string& sql) {
  std::uint64_t sum = 0;
  StatementCache::Prepared prepared = cache.Prepare(sql);
  for (std::size_t n = 0; n < prepared.Size(); ++n) sum += Drain(prepared.Statement(n));
  return sum;
}

void CreateData(sqlite3* db) {
  Exec(db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = OFF; BEGIN");
  Exec(db,
       "CREATE TABLE Voucher (lngVoucherID INT PRIMARY KEY, lngVoucherTypeID INT, intVoucherNO INT,"
       " strDate TEXT, intYear INT, bytPeriod INT, lngSourceOrganizationID INT, lngOperatorID INT,"
       " lngCheckerID INT, lngPostID INT, lngTellerID INT, blnIsVoid INT, lngVoucherBaseID INT,"
       " strVolume TEXT, strManager TEXT);"
       "CREATE TABLE VoucherDetail (lngVoucherDetailID INT PRIMARY KEY, lngVoucherID INT,"
       " lngRowID INT, strRemark TEXT, lngAccountID INT, intDirection INT, dblAmount NUMERIC,"
       " lngCurrencyID INT, dblRate NUMERIC, dblQuantity NUMERIC, dblPrice NUMERIC,"
       " dblCurrencyAmount NUMERIC, dblCurrPaymentAmount NUMERIC, lngCustomerID INT,"
       " lngDepartmentID INT, lngEmployeeID INT, lngClassID1 INT, lngClassID2 INT,"
       " strCheckNumber TEXT, strCheckDate TEXT, strBusinessDate TEXT, lngPaymentMethodID INT,"
       " lngOrganizationID INT, strFlexibleId TEXT, strCashFlowCode TEXT);"
       "CREATE INDEX VoucherDetail_Voucher ON VoucherDetail (lngVoucherID);"
       "CREATE INDEX Voucher_Date ON Voucher (strDate);"
       "CREATE TABLE VoucherType (lngVoucherTypeID INT PRIMARY KEY, strVoucherTypeCode TEXT);"
       "CREATE TABLE Operator (lngOperatorID INT PRIMARY KEY, strOperatorName TEXT);"
       "CREATE TABLE Account (lngAccountID INT PRIMARY KEY, strAccountCode TEXT, strAccountName "
       "TEXT);"
       "CREATE TABLE ORGANIZATION (lngOrganizationID INT PRIMARY KEY, strOrganizationCode TEXT);"
       "CREATE TABLE Currencys (lngCurrencyID INT PRIMARY KEY, strCurrencyName TEXT,"
       " bytCurrencyDec INT, bytRateDec INT);"
       "CREATE TABLE Customer (lngCustomerID INT PRIMARY KEY, strCustomerCode TEXT, "
       "strCustomerName TEXT);"
       "CREATE TABLE Department (lngDepartmentID INT PRIMARY KEY, strDepartmentCode TEXT,"
       " strDepartmentName TEXT);"
       "CREATE TABLE Employee (lngEmployeeID INT PRIMARY KEY, strEmployeeCode TEXT,"
       " strEmployeeName TEXT, lngDepartmentID INT);"
       "CREATE TABLE Class1 (lngClassID INT PRIMARY KEY, strClassCode TEXT, strClassName TEXT);"
       "CREATE TABLE Class2 (lngClassID INT PRIMARY KEY, strClassCode TEXT, strClassName TEXT);"
       "CREATE TABLE PaymentMethod (lngPaymentMethodID INT PRIMARY KEY, strPaymentMethodCode TEXT,"
       " strPaymentMethodName TEXT);"
       "CREATE TABLE FlexibleCheck (strFlexibleID TEXT PRIMARY KEY, lngItemID INT, lngFieldID INT);"
       "CREATE TABLE Item (lngItemID INT PRIMARY KEY, strItemCode TEXT, strItemName TEXT);"
       "CREATE TABLE FlexibleFieldDetail (lngFieldID INT PRIMARY KEY, strFieldCode TEXT,"
       " strFieldName TEXT);");
  Exec(db,
       "INSERT INTO VoucherType VALUES (1,'记'),(2,'收'),(3,'付');"
       "INSERT INTO ORGANIZATION VALUES (1,'01'),(2,'01-02'),(3,'02');"
       "INSERT INTO Currencys VALUES (1,'人民币',2,4),(2,'美元',2,6);"
       "INSERT INTO PaymentMethod VALUES (1,'01','现金'),(2,'02','支票');"
       "INSERT INTO Item VALUES (1,'G01','钢材');"
       "INSERT INTO FlexibleFieldDetail VALUES (1,'01','华东');"
       "INSERT INTO FlexibleCheck VALUES ('F1',1,1);");
  for (int i = 1; i <= 200; ++i) {
    const std::string n = std::to_string(i);
    Exec(db, "INSERT INTO Account VALUES (" + n + ",'" + std::to_string(1000 + i) + "','科目" + n +
                 "'); INSERT INTO Customer VALUES (" + n + ",'C" + n + "','客户" + n +
                 "'); INSERT INTO Employee VALUES (" + n + ",'E" + n + "','职员" + n + "'," +
                 std::to_string(i % 40 + 1) + "); INSERT INTO Class1 VALUES (" + n + ",'K" + n +
                 "','统计" + n + "'); INSERT INTO Class2 VALUES (" + n + ",'P" + n + "','项目" + n +
                 "'); INSERT INTO Department VALUES (" + n + ",'D" + n + "','部门" + n +
                 "'); INSERT INTO Operator VALUES (" + n + ",'操作员" + n + "')");
  }
  sqlite3_stmt* voucher = PrepareRaw(db,
                                     "INSERT INTO Voucher VALUES (?1, ?2, ?3, ?4, 2024, ?5, ?6, "
                                     "?7, ?8, 0, 0, ?9, 1, '0000', ' ')");
  sqlite3_stmt* line = PrepareRaw(
      db,
      "INSERT INTO VoucherDetail VALUES (?1, ?2, ?3, '摘要文字', ?4, ?5, ?6, 1, 1, 0, 0, ?6, 0,"
      " ?7, ?8, ?9, ?10, 0, ' ', ' ', ?11, ?12, 1, ?13, ' ')");
  std::mt19937 random(42);
  for (int v = 1; v <= kVouchers; ++v) {
    const int month = 1 + (v - 1) * 12 / kVouchers;
    char date[16];
    std::snprintf(date, sizeof date, "2024-%02d-%02d", month, 1 + static_cast<int>(random() % 28));
    sqlite3_bind_int(voucher, 1, v);
    sqlite3_bind_int(voucher, 2, 1 + v % 3);
    sqlite3_bind_int(voucher, 3, v);
    sqlite3_bind_text(voucher, 4, date, -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(voucher, 5, month);
    sqlite3_bind_int(voucher, 6, 1 + v % 3);
    sqlite3_bind_int(voucher, 7, 1 + v % 10);
    sqlite3_bind_int(voucher, 8, v % 2 == 0 ? 2 : 0);
    sqlite3_bind_int(voucher, 9, v % 50 == 0 ? 1 : 0);
    sqlite3_step(voucher);
    sqlite3_reset(voucher);
    for (int r = 1; r <= kLinesPerVoucher; ++r) {
      const int id = (v - 1) * kLinesPerVoucher + r;
      sqlite3_bind_int(line, 1, id);
      sqlite3_bind_int(line, 2, v);
      sqlite3_bind_int(line, 3, r);
      sqlite3_bind_int(line, 4, 1 + static_cast<int>(random() % 200));
      sqlite3_bind_int(line, 5, r % 2 == 1 ? 1 : -1);
      sqlite3_bind_double(line, 6, static_cast<double>(random() % 100000) / 100.0);
      sqlite3_bind_int(line, 7, r == 1 ? 1 + static_cast<int>(random() % 200) : 0);
      sqlite3_bind_int(line, 8, r == 2 ? 1 + static_cast<int>(random() % 200) : 0);
      sqlite3_bind_int(line, 9, r == 3 ? 1 + static_cast<int>(random() % 200) : 0);
      sqlite3_bind_int(line, 10, r == 4 ? 1 + static_cast<int>(random() % 200) : 0);
      sqlite3_bind_text(line, 11, date, -1, SQLITE_TRANSIENT);
      sqlite3_bind_int(line, 12, r == 1 ? 1 : 0);
      sqlite3_bind_text(line, 13, id % 10 == 0 ? "F1" : " ", -1, SQLITE_STATIC);
      sqlite3_step(line);
      sqlite3_reset(line);
    }
  }
  sqlite3_finalize(voucher);
  sqlite3_finalize(line);
  Exec(db, "COMMIT; ANALYZE; PRAGMA synchronous = FULL");
}

const char* kListOracle =
    "SELECT Voucher.lngVoucherID id, Voucher.strDate 日期, VOUCHERTYPE.STRVOUCHERTYPECODE || ' ' "
    "|| "
    "LPAD(VOUCHER.INTVOUCHERNO,6,'0') 凭证字号, VoucherDetail.strRemark 摘要, "
    "Account.strAccountCode || ' ' || Account.strAccountName 科目, "
    "DECODE(VoucherDetail.intDirection,-1,0,VoucherDetail.dblAmount) 借方金额, "
    "DECODE(VoucherDetail.intDirection,-1,VoucherDetail.dblAmount,0) 贷方金额, "
    "OP1.strOperatorName 制单人, OP2.strOperatorName 审核人, decode(Voucher.blnIsVoid,1,'√','') "
    "\"作废\", "
    "VoucherDetail.lngVoucherDetailID, Voucher.lngVoucherBaseID \"凭证类型ID\" "
    "FROM Voucher, VoucherDetail, VoucherType, Account, Operator OP1, Operator OP2 "
    "WHERE Voucher.lngVoucherID = VoucherDetail.lngVoucherID AND Voucher.lngVoucherTypeID = "
    "VoucherType.lngVoucherTypeID AND VoucherDetail.lngAccountID = Account.lngAccountID AND "
    "Voucher.lngOperatorID = OP1.lngOperatorID AND Voucher.lngCheckerID = OP2.lngOperatorID(+) "
    "AND EXISTS (SELECT 'x' FROM ORGANIZATION,(SELECT strOrganizationCode AS strCode FROM "
    "ORGANIZATION WHERE lngOrganizationID = 1) OrgCond  WHERE (ORGANIZATION.Strorganizationcode = "
    "OrgCond.strCode OR ORGANIZATION.Strorganizationcode LIKE OrgCond.strCode || '-%') AND "
    "ORGANIZATION.lngOrganizationID = Voucher.lngSourceOrganizationID) and  Voucher.blnIsVoid=0 "
    "and Voucher.strDate>= '2024-03-01' And Voucher.strDate<='2024-03-31' "
    "ORDER BY To_Date(Voucher.strDate,'YYYY-MM-DD')  Asc ,VOUCHERTYPE.STRVOUCHERTYPECODE  ||  ' '  "
    "||  LPAD(VOUCHER.INTVOUCHERNO,6,'0') Asc,Voucher.lngVoucherBaseID,Voucher.lngVoucherID,"
    "VoucherDetail.lngRowID";

const char* kListSqlite =
    "SELECT Voucher.lngVoucherID AS id, Voucher.strDate AS 日期, VoucherType.strVoucherTypeCode || "
    "' ' "
    "|| substr('000000' || Voucher.intVoucherNO, -6) AS 凭证字号, VoucherDetail.strRemark AS 摘要, "
    "Account.strAccountCode || ' ' || Account.strAccountName AS 科目, "
    "CASE WHEN VoucherDetail.intDirection = -1 THEN 0 ELSE VoucherDetail.dblAmount END AS "
    "借方金额, "
    "CASE WHEN VoucherDetail.intDirection = -1 THEN VoucherDetail.dblAmount ELSE 0 END AS "
    "贷方金额, "
    "OP1.strOperatorName AS 制单人, OP2.strOperatorName AS 审核人, "
    "CASE WHEN Voucher.blnIsVoid = 1 THEN '√' END AS 作废, VoucherDetail.lngVoucherDetailID, "
    "Voucher.lngVoucherBaseID AS 凭证类型ID "
    "FROM Voucher JOIN VoucherDetail ON Voucher.lngVoucherID = VoucherDetail.lngVoucherID "
    "JOIN VoucherType ON Voucher.lngVoucherTypeID = VoucherType.lngVoucherTypeID "
    "JOIN Account ON VoucherDetail.lngAccountID = Account.lngAccountID "
    "JOIN Operator OP1 ON Voucher.lngOperatorID = OP1.lngOperatorID "
    "LEFT JOIN Operator OP2 ON Voucher.lngCheckerID = OP2.lngOperatorID "
    "WHERE EXISTS (SELECT 1 FROM ORGANIZATION o, ORGANIZATION c WHERE c.lngOrganizationID = 1 AND "
    "(o.strOrganizationCode = c.strOrganizationCode OR o.strOrganizationCode LIKE "
    "c.strOrganizationCode || '-%') AND o.lngOrganizationID = Voucher.lngSourceOrganizationID) "
    "AND Voucher.blnIsVoid = 0 AND Voucher.strDate >= '2024-03-01' AND Voucher.strDate <= "
    "'2024-03-31' "
    "ORDER BY Voucher.strDate, 3, Voucher.lngVoucherBaseID, Voucher.lngVoucherID, "
    "VoucherDetail.lngRowID";

std::string LineOracle(int voucher) {
  return "SELECT VoucherDetail.lngVoucherDetailID pp0,VoucherDetail.strRemark pp1,' ' pp2,"
         "Currencys.strCurrencyName "
         "pp3,DECODE(VoucherDetail.intDirection,-1,0,VoucherDetail.dblAmount) pp4,"
         "DECODE(VoucherDetail.intDirection,-1,VoucherDetail.dblAmount,0) "
         "pp5,VoucherDetail.dblRate pp6,"
         "VoucherDetail.dblQuantity pp7,VoucherDetail.dblPrice pp8,VoucherDetail.dblCurrencyAmount "
         "pp9,"
         "Customer.strCustomerCode || ' ' || Customer.strCustomerName "
         "pp10,Department.strDepartmentCode "
         "|| ' ' || Department.strDepartmentName pp11,Decode(Employee.strEmployeeCode,NULL,' ',"
         "Employee.strEmployeeCode || ' ' || Employee.strEmployeeName || ' ' || "
         "Department1.strDepartmentCode "
         "|| ' ' || Department1.strDepartmentName) pp12,' ' pp13,Class1.strClassCode || ' ' || "
         "Class1.strClassName pp14,Class2.strClassCode || ' ' || Class2.strClassName pp15,"
         "VoucherDetail.lngAccountID pp16,VoucherDetail.lngCurrencyID "
         "pp17,VoucherDetail.lngCustomerID pp18,"
         "VoucherDetail.lngDepartmentID pp19,VoucherDetail.lngEmployeeID pp20,"
         "VoucherDetail.dblCurrPaymentAmount pp21,VoucherDetail.lngClassID1 "
         "pp22,VoucherDetail.lngClassID2 pp23,"
         "VoucherDetail.intDirection pp24,VoucherDetail.strCheckNumber "
         "pp25,PaymentMethod.strPaymentMethodCode "
         "|| ' ' || PaymentMethod.strPaymentMethodName pp26,VoucherDetail.lngPaymentMethodID pp27,"
         "VoucherDetail.strCashFlowCode,Currencys.bytCurrencyDec,Currencys.bytRateDec,"
         "VoucherDetail.strCheckDate,"
         "VoucherDetail.lngOrganizationID,VoucherDetail.strBusinessDate,VoucherDetail."
         "strflexibleid,"
         "flexId2codeorname(VoucherDetail.strflexibleid,0,VoucherDetail.lngaccountid,2) as "
         "strFlexibleName "
         " From VoucherDetail,PaymentMethod,Currencys,Customer,Department,Employee,Department "
         "Department1,"
         "Class1,Class2  WHERE "
         "VoucherDetail.lngPaymentMethodID=PaymentMethod.lngPaymentMethodID(+) AND "
         "VoucherDetail.lngCurrencyID=Currencys.lngCurrencyID AND VoucherDetail.lngCustomerID="
         "Customer.lngCustomerID(+) AND "
         "VoucherDetail.lngDepartmentID=Department.lngDepartmentID(+) AND "
         "VoucherDetail.lngEmployeeID=Employee.lngEmployeeID(+) AND Employee.lngDepartmentID="
         "Department1.lngDepartmentID(+) AND VoucherDetail.lngClassID1=Class1.lngClassID(+) AND "
         "VoucherDetail.lngClassID2=Class2.lngClassID(+) AND  VoucherDetail.lngVoucherID=" +
         std::to_string(voucher) + "  ORDER BY lngRowID ASC";
}

const char* kLineSqlite =
    "SELECT d.lngVoucherDetailID AS pp0, d.strRemark AS pp1, ' ' AS pp2, c.strCurrencyName AS pp3, "
    "CASE WHEN d.intDirection = -1 THEN 0 ELSE d.dblAmount END AS pp4, "
    "CASE WHEN d.intDirection = -1 THEN d.dblAmount ELSE 0 END AS pp5, d.dblRate AS pp6, "
    "d.dblQuantity AS pp7, d.dblPrice AS pp8, d.dblCurrencyAmount AS pp9, "
    "ifnull(cu.strCustomerCode, '') || ' ' || ifnull(cu.strCustomerName, '') AS pp10, "
    "ifnull(de.strDepartmentCode, '') || ' ' || ifnull(de.strDepartmentName, '') AS pp11, "
    "CASE WHEN e.strEmployeeCode IS NULL THEN ' ' ELSE e.strEmployeeCode || ' ' || "
    "e.strEmployeeName "
    "|| ' ' || ifnull(d1.strDepartmentCode, '') || ' ' || ifnull(d1.strDepartmentName, '') END AS "
    "pp12, "
    "' ' AS pp13, ifnull(k1.strClassCode, '') || ' ' || ifnull(k1.strClassName, '') AS pp14, "
    "ifnull(k2.strClassCode, '') || ' ' || ifnull(k2.strClassName, '') AS pp15, d.lngAccountID AS "
    "pp16, "
    "d.lngCurrencyID AS pp17, d.lngCustomerID AS pp18, d.lngDepartmentID AS pp19, "
    "d.lngEmployeeID AS pp20, d.dblCurrPaymentAmount AS pp21, d.lngClassID1 AS pp22, "
    "d.lngClassID2 AS pp23, d.intDirection AS pp24, d.strCheckNumber AS pp25, "
    "ifnull(p.strPaymentMethodCode, '') || ' ' || ifnull(p.strPaymentMethodName, '') AS pp26, "
    "d.lngPaymentMethodID AS pp27, d.strCashFlowCode, c.bytCurrencyDec, c.bytRateDec, "
    "d.strCheckDate, "
    "d.lngOrganizationID, d.strBusinessDate, d.strFlexibleId, "
    "flexId2codeorname(d.strFlexibleId, 0, d.lngAccountID, 2) AS strFlexibleName "
    "FROM VoucherDetail d JOIN Currencys c ON d.lngCurrencyID = c.lngCurrencyID "
    "LEFT JOIN PaymentMethod p ON d.lngPaymentMethodID = p.lngPaymentMethodID "
    "LEFT JOIN Customer cu ON d.lngCustomerID = cu.lngCustomerID "
    "LEFT JOIN Department de ON d.lngDepartmentID = de.lngDepartmentID "
    "LEFT JOIN Employee e ON d.lngEmployeeID = e.lngEmployeeID "
    "LEFT JOIN Department d1 ON e.lngDepartmentID = d1.lngDepartmentID "
    "LEFT JOIN Class1 k1 ON d.lngClassID1 = k1.lngClassID "
    "LEFT JOIN Class2 k2 ON d.lngClassID2 = k2.lngClassID "
    "WHERE d.lngVoucherID = ?1 ORDER BY d.lngRowID";

double Seconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void Report(const char* name, double value, const char* unit, double baseline) {
  std::printf("BENCH %s %.1f %s baseline %.1f ratio %.2f\n", name, value, unit, baseline,
              value / baseline);
  std::fflush(stdout);
}

}  // namespace

int main() {
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("bench_dialect_" + std::to_string(::getpid()) + ".db");
  std::filesystem::remove(path);
  sqlite3* db = nullptr;
  if (sqlite3_open(path.string().c_str(), &db) != SQLITE_OK) return 1;
  int status = 0;
  try {
    lumvoucher::embedded::InstallOracleSupport(db);
    CreateData(db);
    StatementCache cache(db);
    std::uint64_t check_dialect = 0;
    std::uint64_t check_baseline = 0;

    // List query: one month of vouchers, about 33 000 lines, sorted. Rounds alternate sides.
    {
      sqlite3_stmt* baseline = PrepareRaw(db, kListSqlite);
      constexpr int kRounds = 6;
      double dialect_s = 0;
      double baseline_s = 0;
      RunDialect(cache, kListOracle);
      Drain(baseline);
      for (int round = 0; round < kRounds; ++round) {
        dialect_s += Seconds([&] { check_dialect = RunDialect(cache, kListOracle); });
        baseline_s += Seconds([&] { check_baseline = Drain(baseline); });
      }
      sqlite3_finalize(baseline);
      Report("dialect_list_query", dialect_s / kRounds * 1000, "ms", baseline_s / kRounds * 1000);
      if (check_dialect != check_baseline) std::fprintf(stderr, "list query results differ\n");
    }

    // Line query of one voucher, for many vouchers.
    {
      sqlite3_stmt* baseline = PrepareRaw(db, kLineSqlite);
      constexpr int kQueries = 20000;
      std::mt19937 random(7);
      std::vector<int> ids(kQueries);
      for (int& id : ids) id = 1 + static_cast<int>(random() % kVouchers);
      std::vector<std::string> texts;
      texts.reserve(ids.size());
      for (int id : ids) texts.push_back(LineOracle(id));
      check_dialect = check_baseline = 0;
      double dialect_s = 0;
      double baseline_s = 0;
      for (int half = 0; half < 2; ++half) {
        const std::size_t from = half * ids.size() / 2;
        const std::size_t to = (half + 1) * ids.size() / 2;
        dialect_s += Seconds([&] {
          for (std::size_t i = from; i < to; ++i) check_dialect += RunDialect(cache, texts[i]);
        });
        baseline_s += Seconds([&] {
          for (std::size_t i = from; i < to; ++i) {
            sqlite3_bind_int(baseline, 1, ids[i]);
            check_baseline += Drain(baseline);
          }
        });
      }
      sqlite3_finalize(baseline);
      Report("dialect_line_query", dialect_s / kQueries * 1e6, "us/query",
             baseline_s / kQueries * 1e6);
      if (check_dialect != check_baseline) std::fprintf(stderr, "line query results differ\n");
    }

    // Point query repeated with different literals against one hand-prepared statement.
    {
      sqlite3_stmt* baseline =
          PrepareRaw(db,
                     "SELECT lngVoucherTypeID, intVoucherNO, strDate, lngOperatorID, "
                     "lngCheckerID, blnIsVoid FROM Voucher WHERE lngVoucherID = ?1");
      constexpr int kQueries = 100000;
      std::mt19937 random(11);
      std::vector<int> ids(kQueries);
      for (int& id : ids) id = 1 + static_cast<int>(random() % kVouchers);
      std::vector<std::string> texts;
      texts.reserve(ids.size());
      for (int id : ids) {
        texts.push_back(
            "Select lngVoucherTypeID,intVoucherNO,strDate,lngOperatorID,lngCheckerID,"
            "blnIsVoid From Voucher Where lngVoucherID=" +
            std::to_string(id));
      }
      check_dialect = check_baseline = 0;
      double dialect_s = 0;
      double baseline_s = 0;
      for (int half = 0; half < 2; ++half) {
        const std::size_t from = half * ids.size() / 2;
        const std::size_t to = (half + 1) * ids.size() / 2;
        dialect_s += Seconds([&] {
          for (std::size_t i = from; i < to; ++i) check_dialect += RunDialect(cache, texts[i]);
        });
        baseline_s += Seconds([&] {
          for (std::size_t i = from; i < to; ++i) {
            sqlite3_bind_int(baseline, 1, ids[i]);
            check_baseline += Drain(baseline);
          }
        });
      }
      sqlite3_finalize(baseline);
      // Time per query: lower is better, as every ratio here.
      Report("dialect_point_query", dialect_s / kQueries * 1e6, "us/query",
             baseline_s / kQueries * 1e6);
      if (check_dialect != check_baseline) std::fprintf(stderr, "point query results differ\n");
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_dialect: %s\n", e.what());
    status = 1;
  }
  sqlite3_close_v2(db);
  lumvoucher::bench::RemoveDatabase(path);
  return status;
}
