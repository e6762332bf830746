#pragma once

// What every benchmark needs around its workload: plain SQLite statements for the data and the
// baseline, and a database file that leaves nothing behind.
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/message_box.h"

namespace lumvoucher::bench {

// Any message during the run is a failed save: counted and answered No.
class CountingBox : public host::MessageBox {
 public:
  int Show(std::string_view text, int, std::string_view) override {
    if (shown_++ < 3) std::fprintf(stderr, "message: %.*s\n", int(text.size()), text.data());
    return host::mb::kNo;
  }
  int shown_ = 0;
};

// With --statements: every statement SQLite starts during a run, by its prepared text, so a
// change in the work per save shows without the noise of the clock.
class StatementTally {
 public:
  void Attach(sqlite3* db) { sqlite3_trace_v2(db, SQLITE_TRACE_STMT, Tally, &counts_); }

  void Print(int saves, const char* what) const {
    std::vector<std::pair<long, std::string>> sorted;
    long total = 0;
    for (const auto& [text, count] : counts_) {
      sorted.emplace_back(count, text);
      total += count;
    }
    std::sort(sorted.rbegin(), sorted.rend());
    std::fprintf(stderr, "%.1f statements per %s\n", double(total) / saves, what);
    for (const auto& [count, text] : sorted) {
      std::fprintf(stderr, "%6.2f %.160s\n", double(count) / saves, text.c_str());
    }
  }

 private:
  static int Tally(unsigned, void* counts, void* statement, void* text) {
    if (static_cast<const char*>(text)[0] != '-') {  // a trigger's own statements start "--"
      ++(*static_cast<std::map<std::string, long>*>(
          counts))[sqlite3_sql(static_cast<sqlite3_stmt*>(statement))];
    }
    return 0;
  }

  std::map<std::string, long> counts_;
};

inline void Exec(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : "?";
    sqlite3_free(error);
    throw std::runtime_error(message + " in " + sql);
  }
}

// Removes the file with its WAL and shared-memory companions.
inline void RemoveDatabase(const std::filesystem::path& file) {
  std::filesystem::remove(file);
  std::filesystem::remove(file.string() + "-wal");
  std::filesystem::remove(file.string() + "-shm");
}

inline void Check(int rc, sqlite3* db) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
    throw std::runtime_error(sqlite3_errmsg(db));
  }
}

// The process's CPU time: on a shared machine the clock includes others' work and the disk's
// flushes, the CPU time only this process's own.
inline double CpuSeconds() {
  return double(std::clock()) / CLOCKS_PER_SEC;
}

inline double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct FormLine {
  long account;
  int direction;
  double amount;
};

// One voucher as the programmatic road takes it (`WriteForm`): a line of 38 tab-separated
// fields per voucher line, type 1, in period 2026-02.
inline std::string FormText(long number, const std::vector<FormLine>& lines,
                            const std::string& date, const std::string& remark,
                            const std::string& source_organization) {
  std::string out;
  for (const FormLine& l : lines) {
    std::string f[38];
    f[0] = "2026-02";
    f[1] = date;
    f[2] = "1";
    f[3] = std::to_string(number);
    f[4] = remark;
    f[5] = std::to_string(l.account);
    f[6] = std::to_string(l.direction);
    f[7] = std::to_string(l.amount);
    f[15] = "1";
    f[16] = "0000";
    f[17] = "FALSE";
    f[18] = "1";
    f[35] = source_organization;
    for (int i = 0; i < 38; ++i) out += (i == 0 ? "" : "\t") + f[i];
    out += "\n";
  }
  return out;
}

}  // namespace lumvoucher::bench
