#include "frame/voucher_conflict.h"

namespace lumvoucher::frame {

void ExecuteOnVoucher(host::DataAccess& data, std::string_view sql, const char* text) {
  if (data.Execute(sql) == 0) throw VoucherConflict(text);
}

}  // namespace lumvoucher::frame
