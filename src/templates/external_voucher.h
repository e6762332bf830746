#pragma once

#include <string>
#include <vector>

// One line of an external voucher as the interface delivered it: the external system's codes,
// texts and amounts, staged in ExternalVoucher until it is posted.
namespace lumvoucher::templates {

// The fields a line carries. Their captions are the column names of the built-in layout
// ("Sample接口") and the keys an interface standard maps to its own column names.
enum class ExternalField {
  kKey,
  kDate,
  kVoucherType,
  kAttachments,
  kRemark,
  kAccount,
  kDebit,
  kCredit,
  kCurrency,
  kCurrencyAmount,
  kRate,
  kQuantity,
  kPrice,
  kCustomer,
  kDepartment,
  kEmployee,
  kClass1,
  kClass2,
  kPaymentMethod,
  kCheckNumber,
  kSourceOrganization,
  kOrganization,
  kFlexible,
};
inline constexpr int kExternalFieldCount = 23;

const char* Caption(ExternalField field);
// The fields a file must carry; the rest may be left out.
bool Required(ExternalField field);

// The code kinds of the look-ups, numbered as the interface numbers them (1 科目 .. 11 机构).
enum CodeKind {
  kKindAccount = 1,
  kKindCurrency,
  kKindCustomer,
  kKindDepartment,
  kKindEmployee,
  kKindClass1,
  kKindClass2,
  kKindPaymentMethod,
  kKindVoucherType,
  kKindSourceOrganization,
  kKindOrganization,
};
inline constexpr int kCodeKinds = 11;
// "科目", "币种", ... "机构".
const char* KindName(int kind);

struct ExternalLine {
  long id = 0;  // lngExternalVoucherID; 0 until staged
  std::string standard;
  std::string key;  // the external voucher this line belongs to
  int line_no = 0;  // its place in that voucher, from 1
  std::string source_file;
  long source_line = 0;
  std::string date;  // yyyy-mm-dd
  std::string remark;
  std::string codes[kCodeKinds + 1];  // by CodeKind; [0] unused
  std::string flexible;               // parts separated by "/"
  std::string check_number;
  int attachments = 0;
  int direction = 1;  // 1 debit, -1 credit
  double amount = 0;  // in the book currency
  double currency_amount = 0;
  double rate = 0;
  double quantity = 0;
  double price = 0;
  bool posted = false;
  long voucher_id = 0;
  std::string voucher_no;  // "记-000005" once posted
  bool repaired = false;
  std::string error;  // the checks' findings, joined with ","

  double Debit() const { return direction == 1 ? amount : 0; }
  double Credit() const { return direction == -1 ? amount : 0; }
};

}  // namespace lumvoucher::templates
