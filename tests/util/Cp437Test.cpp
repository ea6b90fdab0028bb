#include <gtest/gtest.h>

#include <string>

#include "util/Cp437.h"

namespace {

std::string Byte(int b) {
  return std::string(1, static_cast<char>(b));
}

TEST(Cp437Text, ToUtf8DrawsEveryByte) {
  EXPECT_EQ(Cp437ToUtf8("Hello ~"), "Hello ~");
  EXPECT_EQ(Cp437ToUtf8(Byte(1)), "\u263A");
  EXPECT_EQ(Cp437ToUtf8(Byte(13)), "\u266A");
  EXPECT_EQ(Cp437ToUtf8(Byte(31)), "\u25BC");
  EXPECT_EQ(Cp437ToUtf8(Byte(127)), "\u2302");
  EXPECT_EQ(Cp437ToUtf8(Byte(0x80)), "\u00C7");
  EXPECT_EQ(Cp437ToUtf8(Byte(0xB0) + Byte(0xC9) + Byte(0xDB)), "\u2591\u2554\u2588");
  EXPECT_EQ(Cp437ToUtf8(Byte(0xE1)), "\u00DF");
  EXPECT_EQ(Cp437ToUtf8(Byte(0xF9)), "\u2219");
  EXPECT_EQ(Cp437ToUtf8(Byte(0xFF)), "\u00A0");
  EXPECT_EQ(Cp437ToUtf8(Byte(0)), std::string(1, '\0'));
}

TEST(Cp437Text, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += Byte(b);
  EXPECT_EQ(Utf8ToCp437(Cp437ToUtf8(all)), all);
}

TEST(Cp437Text, FromUtf8) {
  EXPECT_EQ(Utf8ToCp437("\u2591\u2592\u2593\u2588"),
            Byte(0xB0) + Byte(0xB1) + Byte(0xB2) + Byte(0xDB));
  // Control characters stay themselves, beside the pictographs of the same byte.
  EXPECT_EQ(Utf8ToCp437("a\tb\r\n\x7f"), "a\tb\r\n\x7f");
  EXPECT_EQ(Utf8ToCp437("\u263A"), Byte(1));
  // No code-page-437 form: one "?" per character.
  EXPECT_EQ(Utf8ToCp437("\u20AC x \U0001F600"), "? x ?");
  // Malformed input: a stray continuation, a cut sequence, an overlong form, a surrogate.
  EXPECT_EQ(Utf8ToCp437("\x80"), "?");
  EXPECT_EQ(Utf8ToCp437("a\xE2\x96"), "a??");
  EXPECT_EQ(Utf8ToCp437("\xC0\xAF"), "??");
  EXPECT_EQ(Utf8ToCp437("\xED\xA0\x80"), "???");
  EXPECT_EQ(Utf8ToCp437(""), "");
}

TEST(Cp437Text, Utf8CodecCoversAllPlanes) {
  for (const char32_t cp :
       {U'\0', U'A', U'\u00E9', U'\u2591', U'\uFFFD', U'\U0001F600', U'\U0010FFFF'}) {
    std::string encoded;
    AppendUtf8(encoded, cp);
    size_t i = 0;
    EXPECT_EQ(DecodeUtf8(encoded, i), cp);
    EXPECT_EQ(i, encoded.size());
  }
  size_t i = 0;
  EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80", i), U'\uFFFD');  // above U+10FFFF
  EXPECT_EQ(i, 1u);
}

}  // namespace
