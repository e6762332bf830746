#pragma once

#include <functional>
#include <memory>
#include <string>

#include "embedded/embedded_login_context.h"
#include "embedded/sqlite_data_access.h"
#include "host/fund_system.h"

namespace lumvoucher::embedded {

// Where the fund system's database comes from, opened on first use.
using FundOpener = std::function<std::unique_ptr<host::DataAccess>()>;

// The fund system of the embedded host: its own database (a second SQLite file beside the
// account set, or the server's database), reached through its own data-access object. The
// centre is the setting "资金中心编码" of section "资金管理参数" (default "C01"), the party the
// login organisation's code, the centre-wide flag the setting "资金中心全局查询" ("True").
class EmbeddedFundSystem : public host::FundSystem, public host::FundConnection {
 public:
  // The file for an account-set file ("x.db" -> "x.fund.db"; ":memory:" stays private).
  static std::string FilePathFor(const std::string& account_set_path);
  // Gives an SQLite database the fund system's tables and demo requests when it has none.
  static void MakeTables(SqliteDataAccess& data);

  // `data` holds the fund system's tables.
  EmbeddedFundSystem(std::unique_ptr<host::DataAccess> data, EmbeddedLoginContext& login);

  host::FundConnection& Connection() override { return *this; }
  std::string CenterCode() override;
  std::string PartyCode() override;
  bool CenterWide() override;
  std::string RequestColumns() override;
  std::string RequestFrom() override;
  // Hands the document to the desktop's handler (none: nothing shown).
  void Bankroll_Show(std::string_view bill_type, std::string_view bill_id) override;
  void SetShowHandler(std::function<void(const std::string&, const std::string&)> handler) {
    show_ = std::move(handler);
  }

  host::Recordset OpenResultset(std::string_view sql) override { return data_->OpenRecordset(sql); }
  std::int64_t Execute(std::string_view sql) override { return data_->Execute(sql); }
  void BeginTrans() override { data_->BeginTrans(); }
  void CommitTrans() override { data_->CommitTrans(); }
  void RollbackTrans() override { data_->RollbackTrans(); }

 private:
  std::unique_ptr<host::DataAccess> data_;
  EmbeddedLoginContext& login_;
  std::function<void(const std::string&, const std::string&)> show_;
};

}  // namespace lumvoucher::embedded
