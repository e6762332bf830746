// Saving vouchers the programmatic road (WriteForm + MustSave + SaveAVoucher, every check on)
// against the same header and line rows inserted by prepared SQLite statements, one
// transaction per voucher, both on a file in WAL mode with synchronous FULL. The two take turns
// in rounds, so that a change of the machine's load (or of the disk's) meets both alike.
// Prints: BENCH save_voucher <vouchers/s> vouchers/s baseline <vouchers/s> ratio <time ratio>.
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench_support.h"
#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "host/message_box.h"
#include "host/modal_runner.h"

namespace {

using lumvoucher::bench::Check;
using lumvoucher::bench::CountingBox;
using lumvoucher::bench::Seconds;
using lumvoucher::embedded::EmbeddedHost;

const std::vector<lumvoucher::bench::FormLine> kLines = {
    {5, 1, 100}, {29, 1, 50}, {28, -1, 100}, {14, -1, 50}};

std::string Detail(long number) {
  return lumvoucher::bench::FormText(number, kLines, "2026-02-15", "批量凭证", "1");
}

class ComponentSaves {
 public:
  ComponentSaves(const std::string& path, bool tally)
      : host_(path, {1, 2, "2026-02-15"}, {&box_, nullptr, nullptr}) {
    host_.InitInterFace(component_);
    if (tally) {
      statements_.Attach(host_.Database().Handle());
      wal_.Attach(host_.Database().Handle());
    }
  }

  // Seconds for the next `count` vouchers; exits when one is refused.
  double Save(int count) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i, ++next_) {
      if (!component_.WriteForm(Detail(100 + next_), "") ||
          (component_.MustSave(), component_.SaveAVoucher(false, "")) != 1) {
        std::fprintf(stderr, "voucher %d not saved (%d messages)\n", next_, box_.shown_);
        std::exit(1);
      }
    }
    return Seconds(start);
  }

  void Print(int vouchers) const {
    statements_.Print(vouchers, "save");
    wal_.Print(vouchers, "save");
  }

 private:
  CountingBox box_;
  EmbeddedHost host_;
  lumvoucher::frame::InterFace component_;
  lumvoucher::bench::StatementTally statements_;
  lumvoucher::bench::WalTally wal_;
  int next_ = 0;
};

class BaselineSaves {
 public:
  BaselineSaves(const std::string& path, bool tally) {
    {
      CountingBox box;
      EmbeddedHost create(path, {1, 2, "2026-02-15"}, {&box, nullptr, nullptr});
    }
    Check(sqlite3_open(path.c_str(), &db_), db_);
    Check(sqlite3_exec(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr,
                       nullptr),
          db_);
    if (tally) {
      statements_.Attach(db_);
      wal_.Attach(db_);
    }
    Prepare(&header_,
            "INSERT INTO Voucher (lngVoucherID,intYear,bytPeriod,strDate,lngTemplateID,intNumber,"
            "lngVoucherTypeID,intVoucherNO,lngOperatorID,lngCheckerID,lngPostID,lngTellerID,"
            "strManager,strDebitAccountCode,strCreditAccountCode,lngVoucherSourceID,blnIsPrint,"
            "blnIsVoid,lngSourceVoucherID,blnIsError,strError,lngSourceOrganizationID,strVolume) "
            "VALUES (?,2026,2,'2026-02-15',1,0,1,?,2,0,0,0,NULL,'1012/6401','6051/2001',1,0,0,0,"
            "0,NULL,1,'0000')");
    Prepare(&line_,
            "INSERT INTO VoucherDetail (lngVoucherDetailID,lngVoucherID,strRemark,dblAmount,"
            "dblRate,dblQuantity,dblPrice,dblCurrencyAmount,lngAccountID,lngCurrencyID,"
            "lngCustomerID,lngDepartmentID,lngEmployeeID,lngClassID1,lngClassID2,intDirection,"
            "strCheckNumber,strCheckDate,strBusinessDate,lngPaymentMethodID,lngOrganizationID,"
            "strFlexibleId,lngRowID,strCashFlowCode,strSysDate) VALUES (?,?,'批量凭证',?,1,0,0,?,"
            "?,1,0,0,0,0,0,?,NULL,' ',' ',0,0,' ',?,NULL,'2026-02-15')");
    Prepare(&begin_, "BEGIN IMMEDIATE");
    Prepare(&commit_, "COMMIT");
  }
  ~BaselineSaves() {
    for (sqlite3_stmt* s : {header_, line_, begin_, commit_}) sqlite3_finalize(s);
    sqlite3_close(db_);
  }

  double Save(int count) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i, ++next_) {
      Step(begin_);
      ++id_;
      sqlite3_bind_int64(header_, 1, id_);
      sqlite3_bind_int64(header_, 2, 100 + next_);
      Step(header_);
      int row = 0;
      for (const lumvoucher::bench::FormLine& l : kLines) {
        sqlite3_bind_int64(line_, 1, ++line_id_);
        sqlite3_bind_int64(line_, 2, id_);
        sqlite3_bind_double(line_, 3, l.amount);
        sqlite3_bind_double(line_, 4, l.amount);
        sqlite3_bind_int64(line_, 5, l.account);
        sqlite3_bind_int(line_, 6, l.direction);
        sqlite3_bind_int(line_, 7, ++row);
        Step(line_);
      }
      Step(commit_);
    }
    return Seconds(start);
  }

  void Print(int vouchers) const {
    statements_.Print(vouchers, "baseline save");
    wal_.Print(vouchers, "baseline save");
  }

 private:
  void Prepare(sqlite3_stmt** statement, const char* sql) {
    Check(sqlite3_prepare_v2(db_, sql, -1, statement, nullptr), db_);
  }
  void Step(sqlite3_stmt* statement) {
    Check(sqlite3_step(statement), db_);
    sqlite3_reset(statement);
  }

  sqlite3* db_ = nullptr;
  sqlite3_stmt *header_ = nullptr, *line_ = nullptr, *begin_ = nullptr, *commit_ = nullptr;
  lumvoucher::bench::StatementTally statements_;
  lumvoucher::bench::WalTally wal_;
  long id_ = 100000, line_id_ = 100000;
  int next_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  // [vouchers] [--statements]
  const int vouchers = argc > 1 ? std::atoi(argv[1]) : 10000;
  const bool tally = argc > 2 && std::string(argv[2]) == "--statements";
  const auto dir = std::filesystem::temp_directory_path();
  const std::string tag = std::to_string(::getpid());
  const std::string component_file = (dir / ("bench_save_" + tag + ".db")).string();
  const std::string baseline_file = (dir / ("bench_save_base_" + tag + ".db")).string();
  double component = 0, baseline = 0, component_cpu = 0, baseline_cpu = 0;
  {
    ComponentSaves saves(component_file, tally);
    BaselineSaves by_hand(baseline_file, tally);
    constexpr int kRounds = 10;
    for (int round = 0; round < kRounds; ++round) {
      const int count = vouchers / kRounds + (round < vouchers % kRounds ? 1 : 0);
      double cpu = lumvoucher::bench::CpuSeconds();
      component += saves.Save(count);
      component_cpu += lumvoucher::bench::CpuSeconds() - cpu;
      cpu = lumvoucher::bench::CpuSeconds();
      baseline += by_hand.Save(count);
      baseline_cpu += lumvoucher::bench::CpuSeconds() - cpu;
    }
    if (tally) {
      saves.Print(vouchers);
      by_hand.Print(vouchers);
      std::fprintf(stderr,
                   "CPU per save %.0f us, baseline %.0f us; wall %.0f us, baseline %.0f us\n",
                   component_cpu * 1e6 / vouchers, baseline_cpu * 1e6 / vouchers,
                   component * 1e6 / vouchers, baseline * 1e6 / vouchers);
    }
  }
  for (const std::string& f : {component_file, baseline_file}) {
    lumvoucher::bench::RemoveDatabase(f);
  }
  std::printf("BENCH save_voucher %.1f vouchers/s baseline %.1f vouchers/s ratio %.2f\n",
              vouchers / component, vouchers / baseline, component / baseline);
  return 0;
}
