#pragma once

#include <string>
#include <string_view>

namespace lumvoucher::frame {

// The uniqueness stamp strUQStamp of vouchers in both bases.
//
// The stamp is HMAC-SHA-256, in lower-case hex (64 characters), of the voucher's key
//   source organisation (10 digits) + strDate (yyyy-mm-dd) + voucher type (10 digits)
//   + number (6 digits),
// under the account set's stamp secret: the Setting row (section "帐套属性", key
// kStampSecretKey, organisation 0, so every organisation of the account set stamps alike).
// The first writer that finds no secret creates 32 random bytes (64 hex characters) and stores
// them inside the caller's transaction.
//
// Why it is tamper-evident: the stamp cannot be inverted, and without the secret nobody can
// compute the stamp that matches a changed organisation, date, type or number, so a voucher row
// edited outside the component no longer matches its stamp (UQStampMatches). Whoever can read
// the secret row can forge stamps: a host that must resist database administrators keeps the
// row readable only by the component's connection.
//
// Every writer of strUQStamp computes it with VoucherUQStamp / RefreshUQStamps.

inline constexpr const char* kStampSecretKey = "凭证唯一性密钥";

// The text that is stamped.
std::string UQStampKey(long source_organization_id, std::string_view date, long voucher_type_id,
                       long voucher_no);

// The stamp of a key under an explicit secret (pure; the one scrambling routine).
std::string UQStamp(std::string_view secret, std::string_view key);

// The account set's secret, created when missing.
std::string StampSecret();

// The stamp of a voucher under the account set's secret.
std::string VoucherUQStamp(long source_organization_id, std::string_view date, long voucher_type_id,
                           long voucher_no);

// Whether a stored stamp is the one these values give.
bool UQStampMatches(std::string_view stamp, long source_organization_id, std::string_view date,
                    long voucher_type_id, long voucher_no);

// Re-stamps every voucher of both bases that `condition` selects (a WHERE text over the alias
// v, built by the caller from numbers and quoted values). Does nothing while the login
// context's stamping flag is off. Answers the number of vouchers stamped.
int RefreshUQStamps(std::string_view condition);

}  // namespace lumvoucher::frame
