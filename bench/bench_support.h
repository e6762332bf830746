#pragma once

// What every benchmark needs around its workload: plain SQLite statements for the data and the
// baseline, and a database file that leaves nothing behind.
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
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
