#include <gtest/gtest.h>

#include <string>

#include "util/PipeText.h"

namespace {

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
