#pragma once

// What every benchmark needs around its workload: plain SQLite statements for the data and the
// baseline, and a database file that leaves nothing behind.
#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace lumvoucher::bench {

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
