#pragma once

#include <string_view>

#include "host/data_access.h"
#include "host/database_error.h"

// A stored voucher that a command has to change is not as the command read it: another desktop
// deleted or changed it in the meantime. Thrown inside the command's transaction, which then
// rolls back, so nothing is written; what() is the message the user is shown.
namespace lumvoucher::frame {

inline constexpr const char* kVoucherGone = "凭证不存在，可能已被其他用户删除！";
inline constexpr const char* kVoucherChanged = "凭证已被其他用户修改，请重新打开后再操作！";

class VoucherConflict : public host::DatabaseError {
 public:
  explicit VoucherConflict(const char* text = kVoucherGone) : host::DatabaseError(text) {}
};

// Runs a statement that has to change a row of a stored voucher; throws VoucherConflict with
// `text` when it changed none.
void ExecuteOnVoucher(host::DataAccess& data, std::string_view sql,
                      const char* text = kVoucherGone);

}  // namespace lumvoucher::frame
