#include "frame/uniqueness_stamp.h"

#include <algorithm>
#include <random>

#include "frame/frame_texts.h"
#include "frame/login_state.h"
#include "frame/settings.h"
#include "frame/sha256.h"
#include "frame/sql_text.h"

namespace lumvoucher::frame {

namespace {

constexpr long kAccountSetWide = 0;

std::string NewSecret() {
  std::random_device device;
  Sha256Digest bytes{};
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(device() & 0xff);
  return HexText(bytes);
}

std::string DatePart(std::string_view date) {
  // strDate may carry a time or padding after the day; only the day is stamped.
  return std::string(date.substr(0, std::min<std::size_t>(date.size(), 10)));
}

int StampTable(const char* table, std::string_view condition, const std::string& secret) {
  host::Recordset rs = Data().OpenRecordset(std::string("Select * from ") + table + " v Where " +
                                            std::string(condition));
  int count = 0;
  for (; !rs.Eof(); rs.MoveNext()) {
    const std::string key =
        UQStampKey(static_cast<long>(rs["lngSourceOrganizationID"].AsLong()),
                   rs["strDate"].AsText(), static_cast<long>(rs["lngVoucherTypeID"].AsLong()),
                   static_cast<long>(rs["intVoucherNO"].AsLong()));
    Data().Execute(std::string("Update ") + table + " set strUQStamp='" + UQStamp(secret, key) +
                   "' where lngVoucherID=" + SqlNumber(rs["lngVoucherID"].AsLong()));
    ++count;
  }
  return count;
}

}  // namespace

std::string UQStampKey(long source_organization_id, std::string_view date, long voucher_type_id,
                       long voucher_no) {
  return ZeroPad(source_organization_id, 10) + DatePart(date) + ZeroPad(voucher_type_id, 10) +
         ZeroPad(voucher_no, 6);
}

std::string UQStamp(std::string_view secret, std::string_view key) {
  return HexText(HmacSha256(secret, key));
}

std::string StampSecret() {
  std::string secret = ReadSettingOf(kAccountSetWide, kSectionAccountSet, kStampSecretKey);
  if (!secret.empty()) return secret;
  secret = NewSecret();
  WriteSettingOf(kAccountSetWide, kSectionAccountSet, kStampSecretKey, secret);
  return secret;
}

std::string VoucherUQStamp(long source_organization_id, std::string_view date, long voucher_type_id,
                           long voucher_no) {
  return UQStamp(StampSecret(),
                 UQStampKey(source_organization_id, date, voucher_type_id, voucher_no));
}

bool UQStampMatches(std::string_view stamp, long source_organization_id, std::string_view date,
                    long voucher_type_id, long voucher_no) {
  return stamp == VoucherUQStamp(source_organization_id, date, voucher_type_id, voucher_no);
}

int RefreshUQStamps(std::string_view condition) {
  if (!Context().StampingEnabled()) return 0;
  const std::string secret = StampSecret();
  return StampTable("Voucher", condition, secret) + StampTable("BudgetVoucher", condition, secret);
}

}  // namespace lumvoucher::frame
