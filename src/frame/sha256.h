#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumvoucher::frame {

using Sha256Digest = std::array<std::uint8_t, 32>;

// SHA-256 of the bytes of `data` (FIPS 180-4).
Sha256Digest Sha256(std::string_view data);

// HMAC-SHA-256 of `message` under `key` (RFC 2104); keys longer than the block are hashed first.
Sha256Digest HmacSha256(std::string_view key, std::string_view message);

// Lower-case hex of a digest: 64 characters.
std::string HexText(const Sha256Digest& digest);

}  // namespace lumvoucher::frame
