#pragma once

#include <string>
#include <string_view>

namespace lumvoucher::host {

// The host's period closing (结账) over the accounting periods of each organisation. A closed
// period takes no voucher changes of any kind.
class PeriodService {
 public:
  struct Result {
    bool ok = false;
    std::string reason;  // empty on success
  };

  virtual ~PeriodService() = default;

  // Organisation 0 stands for the current one. A period the account set does not know is open.
  virtual bool IsPeriodClosed(long organization_id, int year, int period) = 0;
  // Whether the period holding `date` (yyyy-mm-dd) is closed.
  virtual bool IsDateClosed(long organization_id, std::string_view date) = 0;

  // Closes or reopens a period of the current organisation, in one transaction. Periods close
  // in order, and only the latest closed one reopens.
  virtual Result ClosePeriod(int year, int period) = 0;
  virtual Result ReopenPeriod(int year, int period) = 0;
};

}  // namespace lumvoucher::host
