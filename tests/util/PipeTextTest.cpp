#include <gtest/gtest.h>

#include <string>

#include "util/PipeText.h"

namespace {

TEST(PipeText, StripColorCodes) {
  EXPECT_EQ(StripColorCodes("|15Hi|08!|PA|"), "Hi!|PA|");
  EXPECT_EQ(StripColorCodes("end|7"), "end|7");
  EXPECT_EQ(StripColorCodes("|"), "|");
  EXPECT_EQ(StripColorCodes("|00black|23bg|24x|16"), "blackbg|24x");
  EXPECT_EQ(StripColorCodes("|CL|1A"), "|CL|1A");
  // Two characters are taken as a code whatever they are: "|||07" keeps "|||" whole.
  EXPECT_EQ(StripColorCodes("|||07a"), "|||07a");
  EXPECT_EQ(StripColorCodes("a||07b"), "a||07b");
  EXPECT_EQ(StripColorCodes(""), "");
  // The codes go by number value, so these count as colours too.
  EXPECT_EQ(StripColorCodes("|$F|x1| 7z"), "z");
}

TEST(PipeText, AttrToPipes) {
  EXPECT_EQ(AttrToPipes(7), "|07|16");
  EXPECT_EQ(AttrToPipes(31), "|15|17");
  EXPECT_EQ(AttrToPipes(0), "|00|16");
  EXPECT_EQ(AttrToPipes(0x80), "|00|24");
  EXPECT_EQ(AttrToPipes(0xFF), "|15|31");
}

TEST(PipeText, HotKeyLabel) {
  const std::string expected =
      std::string("|00|23") + static_cast<char>(221) + "Q" + static_cast<char>(222) + "|07|16uit";
  EXPECT_EQ(HotKeyLabel("Quit"), expected);
  EXPECT_EQ(HotKeyLabel("X"), std::string("|00|23") + static_cast<char>(221) + "X" +
                                  static_cast<char>(222) + "|07|16");
  EXPECT_EQ(HotKeyLabel(std::string(300, 'a')).size(), 255u);
}

}  // namespace
