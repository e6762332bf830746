#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumvoucher::frame {

// Base64 (RFC 4648, with padding) of any bytes: binary content kept in a text column, so that it
// travels through the SQL of every database the same way.
std::string Base64Encode(std::string_view bytes);

// The bytes back; nullopt for anything Base64Encode could not have written.
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace lumvoucher::frame
