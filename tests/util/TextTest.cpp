#include <gtest/gtest.h>

#include <string>

#include "util/Text.h"

namespace {

const std::string k300(300, 'q');

TEST(TextCase, OnlyAsciiLettersChange) {
  EXPECT_EQ(LoCase('A'), 'a');
  EXPECT_EQ(LoCase('Z'), 'z');
  EXPECT_EQ(LoCase('a'), 'a');
  EXPECT_EQ(LoCase('@'), '@');
  EXPECT_EQ(LoCase('['), '[');
  EXPECT_EQ(LoCase(static_cast<char>(0x8E)),
            static_cast<char>(0x8E));  // code-page capital A umlaut

  const std::string mixed =
      std::string("Az09@[`{") + static_cast<char>(0x84) + static_cast<char>(0x8E);
  EXPECT_EQ(UpStr(mixed),
            std::string("AZ09@[`{") + static_cast<char>(0x84) + static_cast<char>(0x8E));
  EXPECT_EQ(LoStr(mixed),
            std::string("az09@[`{") + static_cast<char>(0x84) + static_cast<char>(0x8E));
  EXPECT_EQ(UpStr(""), "");
  EXPECT_EQ(UpStr(k300).size(), 255u);
}

TEST(TextPadding, RightLeftAndCentre) {
  EXPECT_EQ(PadRight("abc", 5, ' '), "abc  ");
  EXPECT_EQ(PadRight("abcdef", 3, ' '), "abc");
  EXPECT_EQ(PadRight("abc", 0, ' '), "");
  EXPECT_EQ(PadRight("abc", 3, '.'), "abc");

  EXPECT_EQ(PadLeft("7", 3, '0'), "007");
  EXPECT_EQ(PadLeft("12345", 3, '0'), "123");  // the start remains
  EXPECT_EQ(PadLeft("", 2, '*'), "**");

  EXPECT_EQ(PadCenter("ab", 7, '-'), "--ab---");
  EXPECT_EQ(PadCenter("abc", 7, ' '), "  abc  ");
  EXPECT_EQ(PadCenter("toolong", 3, ' '), "too");
  EXPECT_EQ(PadCenter("", 1, '+'), "+");
}

TEST(TextPadding, NothingGrowsPast255) {
  EXPECT_EQ(CharStr('x', 0), "");
  EXPECT_EQ(CharStr('x', 3), "xxx");
  EXPECT_EQ(CharStr('x', 255), std::string(255, 'x'));
  EXPECT_EQ(PadRight("a", 255, '.').size(), 255u);
  EXPECT_EQ(PadRight(k300, 255, '.'), std::string(255, 'q'));
  EXPECT_EQ(PadLeft(k300, 255, '.'), std::string(255, 'q'));
  EXPECT_EQ(PadCenter(k300, 255, '.'), std::string(255, 'q'));
}

TEST(TextSearch, PosNoCase) {
  EXPECT_EQ(PosNoCase("b", "abc"), 2);
  EXPECT_EQ(PosNoCase("BC", "abcbc"), 2);
  EXPECT_EQ(PosNoCase("abc", "xxABC"), 3);
  EXPECT_EQ(PosNoCase("", "abc"), 0);
  EXPECT_EQ(PosNoCase("d", "abc"), 0);
  EXPECT_EQ(PosNoCase("abcd", "abc"), 0);
  // Code-page letters have no case.
  EXPECT_EQ(
      PosNoCase(std::string(1, static_cast<char>(0x84)), std::string(1, static_cast<char>(0x8E))),
      0);
  // A text holds 255 characters: an occurrence behind them is not there.
  EXPECT_EQ(PosNoCase("z", std::string(255, 'a') + "z"), 0);
  EXPECT_EQ(PosNoCase("z", std::string(254, 'a') + "z"), 255);
}

}  // namespace
