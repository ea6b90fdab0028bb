#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "support/ConsoleTestSupport.h"
#include "widgets/ConTheme.h"
#include "widgets/PipeWriter.h"

using namespace std::string_literals;

namespace {

// A headless console that records the waits it is asked for instead of sleeping.
class TRecordingConsole : public TTestConsole {
 public:
  void Pause(uint16_t ms) override { Delays.push_back(ms); }
  std::vector<uint16_t> Delays;
};

std::tm FixedClock() {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;  // December
  t.tm_mday = 7;
  t.tm_hour = 9;
  t.tm_min = 5;
  return t;
}

class PipeWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CommandSavedScreen.Clear();
    PipeClock = FixedClock;
  }
  void TearDown() override {
    CommandSavedScreen.Clear();
    PausePrompt = "Press a Key to continue...";
    PipeClock = LocalClock;
  }
  std::string Visible(int y) const { return VisibleRow(Con, y); }
  std::string Attrs(int y) const { return AttrRow(Con, y); }
  // The attribute of cells from..from+n-1 of row y as hex, as AttrRow gives it.
  std::string AttrsAt(int y, int from, int n) const {
    return Attrs(y).substr(static_cast<size_t>(from - 1) * 2, static_cast<size_t>(n) * 2);
  }
  std::string TextAt(int y, int from, int n) const {
    return Visible(y).substr(static_cast<size_t>(from - 1), static_cast<size_t>(n));
  }

  TRecordingConsole Con;
};

TEST_F(PipeWriterTest, ColourCodesChangeForegroundAndBackgroundThenRestore) {
  Con.GotoXY(30, 10);
  Con.SetTextAttr(0x2E);
  WritePipeXY(Con, 1, 1, 7, "|04A|17B|15C|00D|99E|31F");
  EXPECT_EQ(TextAt(1, 1, 6), "ABCDEF");
  // |04 red, |17 blue background, |15 white on it, |00 black on it,
  // |99 background (99-16) mod 16 = 3, |31 bright white background 15.
  EXPECT_EQ(AttrsAt(1, 1, 6), "04141f1030f0");
  EXPECT_EQ(Con.TextAttr, 0x2E);
  EXPECT_EQ(Con.WhereX(), 30);
  EXPECT_EQ(Con.WhereY(), 10);

  // A foreground code keeps the background 0..7 but drops the bright bit 7.
  WritePipeXY(Con, 1, 2, 0x9F, "a|04b|24c|02d");
  EXPECT_EQ(TextAt(2, 1, 4), "abcd");
  EXPECT_EQ(AttrsAt(2, 1, 4), "9f148402");
}

TEST_F(PipeWriterTest, TextWithoutACodeIsPrintedAsIs) {
  WritePipeXY(Con, 1, 1, 7, "|1A |dE |Dx|ZZ |0x |");
  // "1A" is no number and starts no command; "dE" is lower case; "Dx" is an
  // unknown command of a known group and vanishes; "ZZ" and "0x" are neither.
  EXPECT_EQ(TextAt(1, 1, 20), "|1A |dE |ZZ |0x |   ");
  WritePipeXY(Con, 1, 2, 7, "end|");
  EXPECT_EQ(TextAt(2, 1, 5), "end| ");
  // "|1" at the very end is a colour code with nothing left to colour.
  WritePipeXY(Con, 1, 3, 7, "end|1");
  EXPECT_EQ(TextAt(3, 1, 5), "end  ");
  WritePipeXY(Con, 1, 4, 7, "end|D");
  EXPECT_EQ(TextAt(4, 1, 5), "end  ");
}

TEST_F(PipeWriterTest, CommandCodeAnswers) {
  for (const char* code : {"Bz", "C?", "D", "O1", "P-", "R.", "S!", "T?", "X1", "[?", "[", "XX"})
    EXPECT_TRUE(ExecCommandCode(Con, code)) << code;
  for (const char* code : {"", "bE", "cl", "1A", "Z1", "|0", "AA", " X"})
    EXPECT_FALSE(ExecCommandCode(Con, code)) << code;
  // Only "XX" wrote something: one space.
  EXPECT_EQ(ScreenRow(Con, 1).substr(0, 2), " \0"s);
  EXPECT_EQ(Con.WhereX(), 2);
}

TEST_F(PipeWriterTest, PrintingCommands) {
  WritePipeXY(Con, 1, 1, 7, "a|PIb|XXc|OSd");
  EXPECT_EQ(TextAt(1, 1, 12), "a|b cUnixd  ");
  WritePipeXY(Con, 1, 2, 7, "|TD |TT");
  EXPECT_EQ(TextAt(2, 1, 16), "07/12/2026 09:05");

  // The lead character is the console's, not a fixed "|".
  Con.PipeChar = '~';
  WritePipeXY(Con, 1, 3, 7, "|04~04A~PI");
  EXPECT_EQ(TextAt(3, 1, 5), "|04A~");
  EXPECT_EQ(AttrsAt(3, 1, 5), "0707070404");
}

TEST_F(PipeWriterTest, BellGoesToStandardOutputNotTheScreen) {
  testing::internal::CaptureStdout();
  WritePipeXY(Con, 1, 1, 7, "a|BEb");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\a");
  EXPECT_EQ(TextAt(1, 1, 3), "ab ");
}

TEST_F(PipeWriterTest, CursorCommandsSteerTheRestOfTheText) {
  WritePipeXY(Con, 10, 5, 7, "|[SA");
  EXPECT_EQ(TextAt(5, 1, 1), "A");
  WritePipeXY(Con, 1, 6, 7, "|[LB");  // clamped in column 1
  EXPECT_EQ(TextAt(6, 1, 1), "B");
  WritePipeXY(Con, 10, 7, 7, "C|[RD|[DE|[UF|[L|[LG");
  EXPECT_EQ(TextAt(7, 10, 6), "C DGF ");
  EXPECT_EQ(TextAt(8, 13, 1), "E");
  WritePipeXY(Con, 1, 9, 7, "|[CH");  // the centre column of 80
  EXPECT_EQ(TextAt(9, 40, 1), "H");
  WritePipeXY(Con, 1, 1, 7, "|[UI");  // clamped on row 1
  EXPECT_EQ(TextAt(1, 1, 1), "I");
  // The cursor always comes back to where it was before the call.
  EXPECT_EQ(Con.WhereX(), 1);
  EXPECT_EQ(Con.WhereY(), 1);
}

TEST_F(PipeWriterTest, TextWrapsAndObeysControlCharacters) {
  WritePipeXY(Con, 79, 1, 7, "AB|CRC\r\nD\bE");
  EXPECT_EQ(TextAt(1, 79, 2), "AB");
  EXPECT_EQ(TextAt(3, 1, 1), "C");  // AB wrapped to row 2, CR LF went to row 3
  EXPECT_EQ(TextAt(4, 1, 2), "E ");
}

TEST_F(PipeWriterTest, ClearingCommands) {
  Con.WriteXY(1, 1, 0x1E, "keep this text");
  WritePipeXY(Con, 6, 1, 0x4F, "|CP");
  EXPECT_EQ(TextAt(1, 1, 6), "keep  ");
  EXPECT_EQ(AttrsAt(1, 4, 3), "1e1e4f");
  EXPECT_EQ(AttrsAt(1, 80, 1), "4f");

  WritePipeXY(Con, 1, 3, 0x1E, "x|CLy");
  EXPECT_EQ(ScreenRow(Con, 1), "y" + std::string(79, '\0'));
  EXPECT_EQ(AttrsAt(1, 1, 2), "1e1e");
  EXPECT_EQ(Visible(3), std::string(80, ' '));
  EXPECT_EQ(Con.TextAttr, 7);
}

TEST_F(PipeWriterTest, SaveAndRestoreScreen) {
  // Restoring before anything was saved blanks the screen to black.
  Con.WriteXY(1, 1, 0x1E, "before");
  WritePipeXY(Con, 1, 2, 7, "|RS");
  EXPECT_EQ(ScreenRow(Con, 1), std::string(80, '\0'));
  EXPECT_EQ(Attrs(1), std::string(160, '0'));

  Con.WriteXY(1, 1, 0x1E, "saved");
  WritePipeXY(Con, 1, 2, 7, "|SS");
  Con.WriteXY(1, 1, 0x4F, "CHANGED");
  WritePipeXY(Con, 1, 2, 7, "|RSafter");
  EXPECT_EQ(TextAt(1, 1, 7), "saved  ");
  EXPECT_EQ(AttrsAt(1, 1, 2), "1e1e");
  EXPECT_EQ(TextAt(2, 1, 5), "after");
}

TEST_F(PipeWriterTest, DelaysAskTheConsole) {
  WritePipeXY(Con, 1, 1, 7, "|DE|DM|DS|Dq");
  EXPECT_EQ(Con.Delays, (std::vector<uint16_t>{500, 70, 1000}));
}

TEST_F(PipeWriterTest, PauseCommandsReadOneWholeKey) {
  PushKeys(Con, {0, 72, 'x'});
  WritePipeXY(Con, 1, 1, 7, "|PAa");
  // The arrow's second byte does not stay behind as a key of its own.
  EXPECT_EQ(Con.ReadKey(), 'x');
  EXPECT_EQ(TextAt(1, 1, 1), "a");

  PausePrompt = "|14Hit|CL|$1|&1|24|00!";
  PushKeys(Con, "k");
  Con.TextAttr = 0x10;
  Con.GotoXY(5, 3);
  WritePipeXY(Con, 5, 3, 0x17, "|PMz");
  // Only colour codes count in the prompt; the prompt's colour is not undone,
  // so the text after it continues in black on blue.
  EXPECT_EQ(TextAt(3, 5, 20), "Hit|CL|$1|&1|24!z   ");
  EXPECT_EQ(AttrsAt(3, 5, 3), "1e1e1e");
  EXPECT_EQ(AttrsAt(3, 19, 3), "1e1010");
  EXPECT_TRUE(Con.KeyBufferEmpty());
  EXPECT_EQ(Con.StarvedReads, 0);
  EXPECT_EQ(Con.TextAttr, 0x10);
  EXPECT_EQ(Con.WhereX(), 5);
}

TEST_F(PipeWriterTest, PromptWriterDropsWhatDoesNotFitOnTheRow) {
  Con.WriteXY(1, 5, 0x1E, "next row");
  Con.GotoXY(76, 4);
  Con.TextAttr = 0x07;
  WritePromptPipe(Con, "AB|12CDEFGH\r\n");
  EXPECT_EQ(TextAt(4, 76, 5), "ABCDE");
  EXPECT_EQ(AttrsAt(4, 76, 5), "07070c0c0c");
  EXPECT_EQ(TextAt(5, 1, 8), "next row");
  EXPECT_EQ(Con.TextAttr, 0x0C);
  // The cursor stays on the grid, so the next writer cannot write past it.
  EXPECT_EQ(Con.WhereX(), 80);
  EXPECT_EQ(Con.WhereY(), 4);
  Con.ConWrite("Z");
  EXPECT_EQ(TextAt(4, 80, 1), "Z");
  EXPECT_EQ(Con.WhereX(), 1);
  EXPECT_EQ(Con.WhereY(), 5);
}

TEST_F(PipeWriterTest, WritePipeStartsAtTheCursorInTheCurrentAttribute) {
  Con.GotoXY(5, 3);
  Con.SetTextAttr(0x1E);
  WritePipe(Con, "ab|04c");
  EXPECT_EQ(TextAt(3, 5, 3), "abc");
  EXPECT_EQ(AttrsAt(3, 5, 3), "1e1e14");
  EXPECT_EQ(Con.WhereX(), 5);
  EXPECT_EQ(Con.WhereY(), 3);
  EXPECT_EQ(Con.TextAttr, 0x1E);
}

TEST(ConThemeTest, StartValuesInRecordOrder) {
  const TConTheme theme;
  std::array<uint8_t, 26> bytes{};
  std::memcpy(bytes.data(), &theme, bytes.size());
  const std::array<uint8_t, 26> expected{6,    0x7F, 1,    0x78, 0x7F, 0x78, 1,    8,    0x1F,
                                         0,    0,    7,    8,    7,    0xB3, 5,    0x19, 0x4F,
                                         0x0F, 0x70, 0x1B, 0x71, 0x7F, 0x1F, 0x1F, 0x17};
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(kConTheme.BoxTitleColor, 0x1F);
  EXPECT_FALSE(kConTheme.BoxSunken);
}

}  // namespace
