#pragma once

#include <string>

namespace lumvoucher::dialect_test {

// A throwaway PostgreSQL 15 cluster: initdb into a temporary directory, the server listening
// only on a Unix socket in that directory, stopped and removed by the destructor. The server
// refuses to run as root, so under root it runs as the user "nobody" (through runuser), which
// owns the directory. Start() failing is not an error of the code under test: the caller skips.
class PostgresCluster {
 public:
  PostgresCluster() = default;
  ~PostgresCluster();
  PostgresCluster(const PostgresCluster&) = delete;
  PostgresCluster& operator=(const PostgresCluster&) = delete;

  // True when the server runs; otherwise Reason() says why not.
  bool Start();
  const std::string& Reason() const { return reason_; }
  // A libpq connection string for the cluster's database "postgres".
  std::string ConnInfo() const;

 private:
  bool Run(const std::string& command, const std::string& what);

  std::string directory_;
  std::string as_user_;  // "runuser -u nobody -- " under root
  bool running_ = false;
  std::string reason_;
};

}  // namespace lumvoucher::dialect_test
