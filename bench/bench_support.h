#pragma once

// What every benchmark needs around its workload: plain SQLite statements for the data and the
// baseline, and a database file that leaves nothing behind.
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

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

}  // namespace lumvoucher::bench
