#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "util/Numbers.h"

namespace {

TEST(NumberText, Formatting) {
  EXPECT_EQ(NumToStr(0), "0");
  EXPECT_EQ(NumToStr(-42), "-42");
  EXPECT_EQ(NumToStr(std::numeric_limits<int32_t>::min()), "-2147483648");

  EXPECT_EQ(NumToStr2(7), "07");
  EXPECT_EQ(NumToStr2(0), "00");
  EXPECT_EQ(NumToStr2(42), "42");
  EXPECT_EQ(NumToStr2(123), "12");
  EXPECT_EQ(NumToStr2(-5), "-5");

  EXPECT_EQ(NumToStrComma(0), "0");
  EXPECT_EQ(NumToStrComma(999), "999");
  EXPECT_EQ(NumToStrComma(1000), "1,000");
  EXPECT_EQ(NumToStrComma(100000), "100,000");
  EXPECT_EQ(NumToStrComma(1234567), "1,234,567");
  EXPECT_EQ(NumToStrComma(2147483647), "2,147,483,647");
  EXPECT_EQ(NumToStrComma(-123), "-123");  // no comma behind the sign
  EXPECT_EQ(NumToStrComma(-1234), "-1,234");

  EXPECT_EQ(HexByte(171), "ab");
  EXPECT_EQ(HexByte(10), "0a");
  EXPECT_EQ(HexByte(0), "00");
  EXPECT_EQ(HexByte(255), "ff");
}

TEST(NumberText, StrToNumDecimal) {
  EXPECT_EQ(StrToNum("12"), 12);
  EXPECT_EQ(StrToNum(" 7"), 7);
  EXPECT_EQ(StrToNum("\t 7"), 7);
  EXPECT_EQ(StrToNum("-5"), -5);
  EXPECT_EQ(StrToNum("+5"), 5);
  EXPECT_EQ(StrToNum("007"), 7);
  EXPECT_EQ(StrToNum("2147483647"), 2147483647);
  EXPECT_EQ(StrToNum("-2147483648"), std::numeric_limits<int32_t>::min());
}

TEST(NumberText, StrToNumPrefixes) {
  EXPECT_EQ(StrToNum("$1F"), 31);
  EXPECT_EQ(StrToNum("$1f"), 31);
  EXPECT_EQ(StrToNum("x10"), 16);
  EXPECT_EQ(StrToNum("X10"), 16);
  EXPECT_EQ(StrToNum("0x10"), 16);
  EXPECT_EQ(StrToNum("-$10"), -16);
  EXPECT_EQ(StrToNum("%101"), 5);
  EXPECT_EQ(StrToNum("&17"), 15);
  EXPECT_EQ(StrToNum("$7FFFFFFF"), 2147483647);
}

TEST(NumberText, StrToNumRejectsWhatIsNotWhollyANumber) {
  for (const char* bad :
       {"",     "   ", "0A",         "1 2",         "12 ",       "abc",
        "-",    "+",   "$",          "0x",          "%",         "&",
        "%102", "&8",  "$G",         "--5",         "+-5",       "- 5",
        "$-5",  "1.5", "2147483648", "-2147483649", "$80000000", "99999999999999999999999"}) {
    EXPECT_EQ(StrToNum(bad), 0) << '"' << bad << '"';
  }
}

}  // namespace
