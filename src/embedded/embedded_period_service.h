#pragma once

#include <optional>
#include <string_view>

#include "host/login_context.h"
#include "host/period_service.h"

namespace lumvoucher::embedded {

// Why closing or reopening a period was refused.
namespace period_texts {
inline constexpr const char* kPeriodUnknown = "会计期间不存在！";
inline constexpr const char* kAlreadyClosed = "该会计期间已经结账！";
inline constexpr const char* kEarlierOpen = "以前会计期间尚未结账，不能结账！";
inline constexpr const char* kUnposted = "本期还有未记账凭证，不能结账！";
inline constexpr const char* kNotClosed = "该会计期间尚未结账！";
inline constexpr const char* kLaterClosed = "以后会计期间已经结账，不能反结账！";
inline constexpr const char* kYearClosed = "会计年度已经结账，不能反结账！";
inline constexpr const char* kDatabaseFailure = "数据库操作失败：";
}  // namespace period_texts

// Period closing over AccountPeriod (blnIsClosed per organisation, year and period) and
// AccountYear (a closed year closes all its periods). The general ledger's MODULE row of the
// organisation follows: it stands at the first open period.
class EmbeddedPeriodService : public host::PeriodService {
 public:
  static constexpr long kGeneralLedgerModule = 3;

  explicit EmbeddedPeriodService(host::LoginContext& login) : login_(login) {}

  bool IsPeriodClosed(long organization_id, int year, int period) override;
  bool IsDateClosed(long organization_id, std::string_view date) override;
  // Refused while the period holds vouchers (either basis) that are neither posted nor void.
  Result ClosePeriod(int year, int period) override;
  Result ReopenPeriod(int year, int period) override;

 private:
  struct YearPeriod {
    int year = 0;
    int period = 0;
  };
  long Organization(long organization_id) const;
  std::string PeriodWhere(long organization_id, int year, int period) const;
  std::optional<bool> StoredClosed(int year, int period);
  YearPeriod PeriodAfter(int year, int period);
  void MoveLedgerTo(YearPeriod at);

  host::LoginContext& login_;
};

}  // namespace lumvoucher::embedded
