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
// change in the work per save shows without the noise of the clock, and the time SQLite spent
// running it (its steps, not the caller's preparing and binding).
class StatementTally {
 public:
  void Attach(sqlite3* db) {
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT | SQLITE_TRACE_PROFILE, Tally, &counts_);
  }

  void Print(int saves, const char* what) const {
    std::vector<std::pair<Count, std::string>> sorted;
    long total = 0;
    for (const auto& [text, count] : counts_) {
      sorted.emplace_back(count, text);
      total += count.started;
    }
    std::sort(sorted.rbegin(), sorted.rend());
    std::fprintf(stderr, "%.1f statements per %s (count, us each)\n", double(total) / saves, what);
    for (const auto& [count, text] : sorted) {
      std::fprintf(stderr, "%6.2f %6.1f %.150s\n", double(count.started) / saves,
                   count.started ? count.nanoseconds / 1e3 / count.started : 0.0, text.c_str());
    }
  }

 private:
  struct Count {
    long started = 0;
    double nanoseconds = 0;
    bool operator<(const Count& other) const { return started < other.started; }
  };

  static int Tally(unsigned event, void* counts, void* statement, void* x) {
    auto& count = (*static_cast<std::map<std::string, Count>*>(
        counts))[sqlite3_sql(static_cast<sqlite3_stmt*>(statement))];
    if (event == SQLITE_TRACE_PROFILE) {
      count.nanoseconds += double(*static_cast<sqlite3_int64*>(x));
    } else if (static_cast<const char*>(x)[0] != '-') {  // a trigger's own statements start "--"
      ++count.started;
    }
    return 0;
  }

  std::map<std::string, Count> counts_;
};

// With --statements: the WAL frames (pages) each commit appends and the checkpoints that copy
// them back, which is what the commit's write and fsync cost. Takes over SQLite's automatic
// checkpoint hook, so it checkpoints as that one would (passive, at 1000 frames).
class WalTally {
 public:
  void Attach(sqlite3* db) { sqlite3_wal_hook(db, Hook, this); }

  void Print(int saves, const char* what) const {
    std::fprintf(stderr,
                 "%.2f WAL frames per %s, %d commits, %d checkpoints (%.0f us per %s), WAL at most "
                 "%d frames\n",
                 double(frames_) / saves, what, commits_, checkpoints_,
                 checkpoint_seconds_ * 1e6 / saves, what, most_);
  }

 private:
  static int Hook(void* self, sqlite3* db, const char* name, int frames) {
    auto* tally = static_cast<WalTally*>(self);
    tally->frames_ += frames > tally->last_ ? frames - tally->last_ : frames;
    tally->last_ = frames;
    tally->most_ = std::max(tally->most_, frames);
    ++tally->commits_;
    if (frames >= 1000) {
      const auto start = std::chrono::steady_clock::now();
      sqlite3_wal_checkpoint_v2(db, name, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
      tally->checkpoint_seconds_ +=
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      ++tally->checkpoints_;
    }
    return SQLITE_OK;
  }

  long frames_ = 0;
  int last_ = 0;
  int most_ = 0;
  int commits_ = 0;
  int checkpoints_ = 0;
  double checkpoint_seconds_ = 0;
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
