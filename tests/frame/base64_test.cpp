#include "frame/base64.h"

#include <gtest/gtest.h>

#include <string>

namespace lumvoucher::frame {
namespace {

// RFC 4648's examples both ways, every byte value round trip, and texts no encoder writes.
TEST(Base64, EncodesAsTheRfcAndRefusesWhatItNeverWrites) {
  const char* rfc[][2] = {{"", ""},
                          {"f", "Zg=="},
                          {"fo", "Zm8="},
                          {"foo", "Zm9v"},
                          {"foob", "Zm9vYg=="},
                          {"fooba", "Zm9vYmE="},
                          {"foobar", "Zm9vYmFy"}};
  for (const auto& [bytes, text] : rfc) {
    EXPECT_EQ(Base64Encode(bytes), text);
    EXPECT_EQ(Base64Decode(text), bytes);
  }
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  EXPECT_EQ(Base64Decode(Base64Encode(all)), all);
  for (const char* bad : {"Zg=", "Zg", "Z===", "Zh==", "Zm9=", "Zm=v", "Zg==Zg==", "Zm9v\n"}) {
    EXPECT_EQ(Base64Decode(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace lumvoucher::frame
