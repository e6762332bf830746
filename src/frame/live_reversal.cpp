#include "frame/live_reversal.h"

#include "frame/sql_text.h"

namespace lumvoucher::frame {

namespace {

std::string Prefix(std::string_view alias) {
  return alias.empty() ? std::string() : std::string(alias) + ".";
}

}  // namespace

std::string LiveReversalTerms(std::string_view alias) {
  const std::string a = Prefix(alias);
  return a + "lngSourceVoucherID>0 And " + a + "lngVoucherSourceID<>16 And " + a + "blnIsVoid=0";
}

std::string IsLiveReversalOf(std::string_view alias, std::string_view reversed) {
  return Prefix(alias) + "lngSourceVoucherID=" + std::string(reversed) + " And " +
         LiveReversalTerms(alias);
}

std::string ReversedCondition(std::string_view reversed, const host::VoucherBasis& basis) {
  return std::string("Exists (Select 1 From ") + basis.voucher_table + " r Where " +
         IsLiveReversalOf("r", reversed) + ")";
}

std::string LiveReversalsSql(long voucher_id, const host::VoucherBasis& basis) {
  return std::string("Select lngVoucherID From ") + basis.voucher_table + " Where " +
         IsLiveReversalOf("", SqlNumber(voucher_id)) + " Order By lngVoucherID";
}

}  // namespace lumvoucher::frame
