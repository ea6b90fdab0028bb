// The command loop driven by key bytes in a headless console: font stepping,
// the Block colour, the sample text and its place, the help screen and ESC.

#include <gtest/gtest.h>

#include <string>

#include "ShellFixture.h"
#include "app/CommandLoop.h"
#include "app/ShellState.h"
#include "tdf/FontFile.h"
#include "util/Version.h"

namespace {

constexpr int kUp = 72;
constexpr int kDown = 80;
constexpr int kBackspace = 8;

// Three fonts whose glyph "a" shows which one is drawn: "xx" in the Block
// font Alpha, "yy" in yellow on blue in the Color font Beta, "zz" in the Block
// font Gamma. Every other character is absent.
TTdfBuilder ThreeFonts() {
  TTdfBuilder b;
  b.Font(FontPlan("Alpha", ftBlock, 1, {{'a', BlockGlyph({"xx", "xx"})}}));
  b.Font(FontPlan("Beta", ftColor, 2, {{'a', ColorGlyph({"yy", "yy"}, 0x1E)}}));
  b.Font(FontPlan("Gamma", ftBlock, 0, {{'a', BlockGlyph({"zz", "zz"})}}));
  return b;
}

TTdfBuilder OneFont(uint8_t fontType) {
  TTdfBuilder b;
  const auto glyph = fontType == ftColor ? ColorGlyph({"cc"}, 0x1E) : BlockGlyph({"bb"});
  b.Font(FontPlan("Solo", fontType, 0, {{'a', glyph}}));
  return b;
}

using CommandLoop = ShellTest;

TEST_F(CommandLoop, UpAndDownStepThroughTheFontsAndWrapBothWays) {
  Load(ThreeFonts());
  ASSERT_EQ(Shell.Font.Selected, 3);
  Step({0, kUp});    // 3 -> 1: past the last font comes the first
  Step({0, kUp});    // 1 -> 2
  Step({0, kDown});  // 2 -> 1
  Step({0, kDown});  // 1 -> 3: before the first comes the last
  Step({0, 75});     // another extended key (Left) changes nothing
  Step({27});
  RunLoop();

  const char expected[] = {'z', 'x', 'y', 'x', 'z', 'z'};
  const char* counters[] = {"Font: 3/3", "Font: 1/3", "Font: 2/3",
                            "Font: 1/3", "Font: 3/3", "Font: 3/3"};
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE("wait " + std::to_string(i));
    EXPECT_EQ(WaitText(i, 1).substr(25, 9), counters[i]);
    EXPECT_EQ(WaitCell(i, 1, 3).Ch, expected[i]);
  }
  // The sample follows the font: Beta's own colours, Block fonts in BlockColor.
  EXPECT_EQ(WaitCell(2, 1, 3).Attr, 0x1E);
  EXPECT_EQ(WaitCell(1, 1, 3).Attr, 0x0F);
  EXPECT_EQ(Shell.Font.Selected, 3);
}

TEST_F(CommandLoop, PlusAndMinusWrapTheBlockColour) {
  Load(OneFont(ftBlock));
  Step("+");  // 15 -> 1
  Step("-");  // 1 -> 15
  Step("-");  // 15 -> 14
  Step({27});
  RunLoop();
  EXPECT_EQ(Shell.BlockColor, 14);
  EXPECT_EQ(WaitCell(0, 1, 3).Attr, 0x0F);
  EXPECT_EQ(WaitCell(1, 1, 3).Attr, 0x01);
  EXPECT_EQ(WaitCell(2, 1, 3).Attr, 0x0F);
  EXPECT_EQ(WaitCell(3, 1, 3).Attr, 0x0E);
  EXPECT_EQ(WaitCell(3, 1, 3).Ch, 'b');
}

TEST_F(CommandLoop, PlusAndMinusLeaveColorFontsAlone) {
  Load(OneFont(ftColor));
  Shell.BlockColor = 1;  // a "-" that counted would wrap this to 15
  Step("-");
  Step("+");
  Step("+");
  Step({27});
  RunLoop();
  EXPECT_EQ(Shell.BlockColor, 1);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(WaitCell(i, 1, 3).Attr, 0x1E) << "wait " << i;
}

TEST_F(CommandLoop, CommandLettersWorkInEitherCase) {
  Load(ThreeFonts());
  Step("h");  // help screen
  Step("x");  // any key leaves it
  Step("H");  // the same help screen
  Step("x");
  Step("e");  // Extract's save dialog, in either case
  Step({27});
  Step("E");
  Step({27});
  Step({27});
  RunLoop();
  ASSERT_EQ(Screen.Waits.size(), 9u);
  EXPECT_EQ(WaitText(1, 1),
            " " + std::string(kBrixelTitle) + std::string(79 - kBrixelTitle.size(), ' '));
  EXPECT_EQ(WaitText(5, 5).substr(5, 18), "\xDA Save Font As... ");
  for (int y = 1; y <= 25; ++y) {
    EXPECT_EQ(WaitText(3, y), WaitText(1, y)) << "help row " << y;
    EXPECT_EQ(WaitText(7, y), WaitText(5, y)) << "dialog row " << y;
    EXPECT_EQ(WaitText(8, y), WaitText(2, y)) << "main row " << y;
    EXPECT_EQ(WaitAttrs(8, y), WaitAttrs(2, y)) << "main row " << y;
  }
  EXPECT_EQ(Shell.Font.Selected, 3);
  EXPECT_EQ(Shell.Font.Count(), 3);
}

TEST_F(CommandLoop, EscOnTheHelpScreenOnlyLeavesIt) {
  Load(ThreeFonts());
  Step("h");
  Step({27});  // closes the help screen
  Step({27});  // ends the loop
  RunLoop();
  ASSERT_EQ(Screen.Waits.size(), 3u);
  EXPECT_EQ(WaitText(2, 1), WaitText(0, 1));
  EXPECT_EQ(WaitCell(2, 1, 3).Ch, 'z');
}

// An arrow key is two bytes: both must close the help screen, or the second
// (72 for Up is "H") reaches the loop as a command of its own.
TEST_F(CommandLoop, ExtendedKeyOnTheHelpScreenOnlyLeavesIt) {
  Load(ThreeFonts());
  Step("h");
  Step({0, kUp});  // closes the help screen; the font stays
  Step({27});      // ends the loop
  RunLoop();
  ASSERT_EQ(Screen.Waits.size(), 3u);
  EXPECT_EQ(WaitText(2, 1), WaitText(0, 1));
  EXPECT_EQ(WaitCell(2, 1, 3).Ch, 'z');
  EXPECT_EQ(Shell.Font.Selected, 3);
}

TEST_F(CommandLoop, EscEndsThePassAtOnce) {
  Load(ThreeFonts());
  Screen.PushKey(27);
  Screen.PushKey('+');  // never read
  int n = 2;
  EXPECT_FALSE(RunCommandPass(Shell, n));
  EXPECT_EQ(n, 2);
  EXPECT_FALSE(Screen.KeyBufferEmpty());
  EXPECT_EQ(Screen.ReadKey(), '+');
  EXPECT_EQ(Shell.BlockColor, 15);
}

TEST_F(CommandLoop, PassKeepsTheFontNumberInRange) {
  Load(ThreeFonts());
  int n = 3;
  Screen.PushExtKey(kUp);
  EXPECT_TRUE(RunCommandPass(Shell, n));
  EXPECT_EQ(n, 1);
  Screen.PushExtKey(kDown);
  EXPECT_TRUE(RunCommandPass(Shell, n));
  EXPECT_EQ(n, 3);
}

TEST_F(CommandLoop, TextPromptDrawsTheNewTextAndAnEmptyEntryBringsBackTheDefault) {
  Load(ThreeFonts());
  Step("t");
  Step({kBackspace, kBackspace, kBackspace, kBackspace, 'a', 'q', 'a', '\r'});
  Step("T");
  Step({kBackspace, kBackspace, kBackspace, '\r'});
  Step({27});
  RunLoop();
  ASSERT_EQ(Screen.Waits.size(), 5u);

  // The prompt row: label in StatusAttr, the field with the current text
  // selected (white on blue) and its empty part in $B2 on 8, the rest of 79
  // columns in StatusAttr.
  EXPECT_EQ(WaitText(1, 25), "Text: adf1" + std::string(46, '\xB2') + std::string(24, ' '));
  EXPECT_EQ(WaitAttrs(1, 25),
            AttrRun("70", 6) + AttrRun("1f", 4) + AttrRun("08", 46) + AttrRun("70", 23) + "08");

  // "aqa" in Gamma (spacing 0): zz, one empty column for the absent q, zz.
  EXPECT_EQ(WaitText(2, 3).substr(0, 6), "zz zz ");
  EXPECT_EQ(WaitText(2, 4).substr(0, 6), "zz zz ");
  // The second prompt starts from that text; emptied, the default comes back.
  EXPECT_EQ(WaitText(3, 25).substr(0, 9), "Text: aqa");
  EXPECT_EQ(Shell.DisplayText, kDefaultDisplayText);
  EXPECT_EQ(WaitText(4, 3).substr(0, 4), " zz ");  // "Sample": S absent
}

// The file dialog's Tab and Esc belong to its own fields: a prompt after it
// still ends on Enter only.
TEST_F(CommandLoop, PromptAfterAFileDialogEndsOnEnterOnly) {
  Load(ThreeFonts());
  Shell.FontPath = Dir.Path().string();
  Step("l");
  Step("\t");  // the directories
  Step("\t");  // the mask field
  Step({27});  // leaves the dialog
  Step("t");
  Step("\t\033aqa\r");
  Step({27});
  RunLoop();
  EXPECT_EQ(Shell.DisplayText, "aqa");
  EXPECT_EQ(Screen.Waits.size(), 7u);
}

TEST_F(CommandLoop, XAndYStoreTheTypedValueModulo256) {
  Load(ThreeFonts());
  Step("x");
  Step("300\r");  // 300 mod 256
  Step("Y");
  Step("7\r");
  Step("x");
  Step("0\r");  // column 0 is stored as typed
  Step({27});
  RunLoop();
  ASSERT_EQ(Screen.Waits.size(), 7u);

  // Each prompt starts with the current value selected; typing replaces it.
  EXPECT_EQ(WaitText(1, 25), "X: 1" + std::string(2, '\xB2') + std::string(74, ' '));
  EXPECT_EQ(WaitAttrs(1, 25),
            AttrRun("70", 3) + "1f" + AttrRun("08", 2) + AttrRun("70", 73) + "08");
  EXPECT_EQ(WaitText(3, 25).substr(0, 6), "Y: 3\xB2\xB2");
  EXPECT_EQ(WaitText(5, 25).substr(0, 6), "X: 44\xB2");

  EXPECT_EQ(WaitCell(2, 44, 3).Ch, 'z');
  EXPECT_EQ(WaitCell(2, 1, 3).Ch, 0);
  EXPECT_EQ(WaitCell(4, 44, 7).Ch, 'z');
  EXPECT_EQ(WaitCell(4, 44, 3).Ch, 0);
  EXPECT_EQ(Shell.TextX, 0);
  EXPECT_EQ(Shell.TextY, 7);
  // Column 0 cannot be shown: the sample starts in the first column.
  EXPECT_EQ(WaitCell(6, 1, 7).Ch, 'z');
}

TEST_F(CommandLoop, NumberPromptTakesAtMostThreeDigitsAndIgnoresLetters) {
  Load(ThreeFonts());
  Step("x");
  Step("9a999\r");  // "999": mode 0 drops the letter, the field holds three characters
  Step({27});
  RunLoop();
  EXPECT_EQ(Shell.TextX, 999 % 256);
}

TEST_F(CommandLoop, EmptyXOrYEntryCancelsAndTheLoopGoesOn) {
  Load(ThreeFonts());
  Shell.TextX = 10;
  Shell.TextY = 5;
  Step("x");
  Step("\r");
  Step("y");
  Step("\r");
  Step({0, kUp});  // still running: the next command is carried out
  Step({27});
  RunLoop();
  EXPECT_EQ(Shell.TextX, 10);
  EXPECT_EQ(Shell.TextY, 5);
  EXPECT_EQ(Shell.Font.Selected, 1);
  ASSERT_EQ(Screen.Waits.size(), 6u);
  EXPECT_EQ(WaitCell(4, 10, 5).Ch, 'z');
  EXPECT_EQ(WaitCell(5, 10, 5).Ch, 'x');
}

TEST_F(CommandLoop, EmptyXEntryAnswersThatThePassGoesOn) {
  Load(ThreeFonts());
  Screen.PushKey('x');
  Screen.PushKey('\r');
  int n = 3;
  EXPECT_TRUE(RunCommandPass(Shell, n));
  EXPECT_EQ(Shell.TextX, 1);
}

TEST_F(CommandLoop, KeepScreenSkipsOneClearAndSampleThenResets) {
  Load(ThreeFonts());
  Screen.PutCell(40, 10, '#', 0x4F);
  Shell.KeepScreen = true;
  Step("q");  // any key: the next pass draws normally again
  Step({27});
  RunLoop();
  EXPECT_FALSE(Shell.KeepScreen);
  // First pass: the old cell survives and no sample is drawn; the frame is.
  EXPECT_EQ(WaitCell(0, 40, 10), (TScreenChar{'#', 0x4F}));
  EXPECT_EQ(WaitCell(0, 1, 3).Ch, 0);
  EXPECT_EQ(WaitText(0, 1).substr(25, 9), "Font: 3/3");
  // Second pass: cleared and drawn.
  EXPECT_EQ(WaitCell(1, 40, 10), (TScreenChar{0, 7}));
  EXPECT_EQ(WaitCell(1, 1, 3).Ch, 'z');
}

}  // namespace
