#pragma once

#include <memory>
#include <string>

#include "embedded/account_set.h"
#include "embedded/embedded_host.h"
#include "frame/inter_face.h"
#include "support/failing_data_access.h"
#include "support/scripted_message_box.h"
#include "support/scripted_modal_runner.h"

namespace lumvoucher::testing {

// Logins of the demo account set (see src/embedded/schema/README.md for who is who).
struct DemoLogin {
  static embedded::LoginRequest Maker();
  static embedded::LoginRequest Reviewer();
  static embedded::LoginRequest Cashier();
  static embedded::LoginRequest Poster();
  static embedded::LoginRequest Administrator();
};

// Whether this test process runs its hosts on PostgreSQL (LUMVOUCHER_TEST_BACKEND=postgres).
bool OnPostgres();
// Under OnPostgres(): a fresh database holding the demo account set(s), as its connection string.
// Dropped with the cluster at the end of the process.
std::string NewServerDatabase(embedded::DemoSets sets);

class TempAccountSetFile;

// Account sets that several desktops share, for the races: the demo account set (one
// organisation) in `file`, or under OnPostgres() in a new server database; answers where.
std::string NewSharedAccountSet(const TempAccountSetFile& file);
// A desktop of its own on it: its own connection and host.
std::unique_ptr<embedded::EmbeddedHost> OpenDesktop(const std::string& where,
                                                    const embedded::LoginRequest& login,
                                                    embedded::HostUi ui);
// A plain connection to it, for the checks.
std::unique_ptr<host::DataAccess> OpenSharedData(const std::string& where);

// The embedded host on a private in-memory database holding the full schema and the demo
// account set, with a scripted message box and modal runner, and the component initialised
// through InterFace. Each TestHost starts from the same pristine account set: "星河医疗集团"
// alone unless `sets` asks for the dual-basis set as well. Under OnPostgres() the same host
// runs on a private database of a throwaway PostgreSQL cluster instead, copied from a template
// that holds the same account set.
class TestHost {
 public:
  explicit TestHost(const embedded::LoginRequest& login = DemoLogin::Maker(),
                    embedded::DemoSets sets = embedded::DemoSets::kSingleBasisOnly);
  ~TestHost();

  ScriptedMessageBox& Messages() { return messages_; }
  ScriptedModalRunner& Modal() { return modal_; }
  RecordingMainWindow& MainWindow() { return main_window_; }
  FailingDataAccess& Data() { return *data_; }
  embedded::EmbeddedHost& Host() { return *host_; }
  frame::InterFace& Component() { return inter_face_; }

  // Runs a query and answers its single value as text ("" when there is no row).
  std::string Scalar(const std::string& sql);
  // Every row of a query as "a|b|c" lines.
  std::string Rows(const std::string& sql);
  void Exec(const std::string& sql) { data_->Execute(sql); }
  // Under OnPostgres(): ends the host's server session from another connection and waits until
  // it is gone, as a server restart or a network failure would.
  void DropServerConnection();

 private:
  // Drops the host's server database, after everything else is gone.
  struct ServerDatabase {
    std::string name;
    ~ServerDatabase();
  };

  ServerDatabase server_database_;
  ScriptedMessageBox messages_;
  ScriptedModalRunner modal_;
  RecordingMainWindow main_window_;
  FailingDataAccess* data_ = nullptr;  // owned by host_
  std::unique_ptr<embedded::EmbeddedHost> host_;
  frame::InterFace inter_face_;
};

// Every row of a query as "a|b|c" lines, for comparing what a command wrote.
std::string DumpRows(host::DataAccess& data, const std::string& sql);

// A recorded log insert as it will run again: waits for the start of a fresh second and writes
// that time into the statement's log-in and log-out times, so a rerun within the second issues
// the same text.
std::string WithTimeOfThisSecond(const std::string& sql);

// Adds the showcase demo's generated vouchers of January and their business documents to an
// account set built without them.
void LoadSourceDocuments(embedded::SqliteDataAccess& data);

// A fresh in-memory connection holding a copy of the pristine demo account set(s).
std::unique_ptr<FailingDataAccess> NewDemoDatabase(
    embedded::DemoSets sets = embedded::DemoSets::kSingleBasisOnly);

}  // namespace lumvoucher::testing
