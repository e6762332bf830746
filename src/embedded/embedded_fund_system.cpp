#include "embedded/embedded_fund_system.h"

#include <sqlite3.h>

#include "embedded/embedded_file.h"
#include "host/ascii.h"
#include "host/database_error.h"

namespace lumvoucher::embedded {

namespace {

bool HoldsFundSystem(SqliteDataAccess& data) {
  sqlite3_stmt* stmt = nullptr;
  bool found = false;
  if (sqlite3_prepare_v2(data.Handle(),
                         "SELECT 1 FROM sqlite_master WHERE type = 'table' AND "
                         "name = 'InterFace_Of8e' COLLATE NOCASE",
                         -1, &stmt, nullptr) == SQLITE_OK) {
    found = sqlite3_step(stmt) == SQLITE_ROW;
  }
  sqlite3_finalize(stmt);
  return found;
}

}  // namespace

std::string EmbeddedFundSystem::FilePathFor(const std::string& account_set_path) {
  if (account_set_path.empty() || account_set_path == ":memory:") return ":memory:";
  const std::size_t slash = account_set_path.find_last_of('/');
  const std::size_t dot = account_set_path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return account_set_path + ".fund.db";
  }
  return account_set_path.substr(0, dot) + ".fund" + account_set_path.substr(dot);
}

void EmbeddedFundSystem::MakeTables(SqliteDataAccess& data) {
  if (HoldsFundSystem(data)) return;
  host::TransactionGuard guard(data);
  for (const EmbeddedFile& file : FundFiles()) {
    try {
      data.ExecuteScript(file.text);
    } catch (const host::DatabaseError& error) {
      throw host::DatabaseError(file.name + ": " + error.what());
    }
  }
  guard.Commit();
}

EmbeddedFundSystem::EmbeddedFundSystem(std::unique_ptr<host::DataAccess> data,
                                       EmbeddedLoginContext& login)
    : data_(std::move(data)), login_(login) {}

std::string EmbeddedFundSystem::CenterCode() {
  return login_.SettingValue(0, "资金管理参数", "资金中心编码", "C01");
}

std::string EmbeddedFundSystem::PartyCode() {
  return login_.CurrentOrganization().code;
}

bool EmbeddedFundSystem::CenterWide() {
  return host::AsciiUpper(login_.SettingValue(0, "资金管理参数", "资金中心全局查询", "False")) ==
         "TRUE";
}

std::string EmbeddedFundSystem::RequestColumns() {
  return "Req.strBillNo As 单据号,Req.strDate As 日期,Decode(Req.Tbilltypeid,'PAYMENT_REQ',"
         "'付款申请','RECEIPT_REQ','收款申请','BALANCE_REQ','余额申请') As 单据类型,"
         "Req.payPartyId As 付款方,Req.incomePartyId As 收款方,Req.Amount As 金额,"
         "Req.strRemark As 摘要";
}

std::string EmbeddedFundSystem::RequestFrom() {
  return " From BankrollRequest Req";
}

void EmbeddedFundSystem::Bankroll_Show(std::string_view bill_type, std::string_view bill_id) {
  if (show_) show_(std::string(bill_type), std::string(bill_id));
}

}  // namespace lumvoucher::embedded
