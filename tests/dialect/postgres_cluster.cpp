#include "dialect/postgres_cluster.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace lumvoucher::dialect_test {

namespace {

const char* const kBin = "/usr/lib/postgresql/15/bin/";

}  // namespace

bool PostgresCluster::Run(const std::string& command, const std::string& what) {
  const std::string log = directory_ + "/" + what + ".log";
  const std::string line = "cd " + directory_ + " && " + as_user_ + command + " >" + log + " 2>&1";
  if (std::system(line.c_str()) == 0) return true;
  std::ifstream in(log);
  std::ostringstream text;
  text << in.rdbuf();
  reason_ = what + " failed: " + text.str();
  return false;
}

bool PostgresCluster::Start() {
  namespace fs = std::filesystem;
  if (!fs::exists(std::string(kBin) + "initdb") || !fs::exists(std::string(kBin) + "pg_ctl")) {
    reason_ = std::string("no PostgreSQL 15 server in ") + kBin;
    return false;
  }
  // Short: the socket's path must fit in 107 bytes.
  std::string pattern = (fs::temp_directory_path() / "lvpg-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    reason_ = "cannot create a temporary directory";
    return false;
  }
  directory_ = pattern;
  if (geteuid() == 0) {
    const passwd* nobody = getpwnam("nobody");
    if (!nobody || chown(directory_.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
      reason_ = "running as root and cannot hand the cluster to the user nobody";
      return false;
    }
    as_user_ = "runuser -u nobody -- ";
  }
  const std::string data = directory_ + "/data";
  if (!Run(std::string(kBin) + "initdb --no-sync -A trust -U lumvoucher -E UTF8 --locale=C -D " +
               data,
           "initdb")) {
    return false;
  }
  // The bytes of text compare as on the embedded database (locale C); nothing needs to survive
  // a crash, so no fsync.
  running_ = Run(std::string(kBin) + "pg_ctl -w -D " + data + " -l " + directory_ +
                     "/server.log -o \"-k " + directory_ +
                     " -c listen_addresses= -c fsync=off -c max_connections=20\" start",
                 "pg_ctl");
  return running_;
}

std::string PostgresCluster::ConnInfo() const {
  return "host=" + directory_ + " user=lumvoucher dbname=postgres";
}

PostgresCluster::~PostgresCluster() {
  if (running_)
    Run(std::string(kBin) + "pg_ctl -w -m immediate -D " + directory_ + "/data stop", "pg_stop");
  if (!directory_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }
}

}  // namespace lumvoucher::dialect_test
