// What the main screen and the help screen show, row by row, as text and
// attributes at the moment the program waits for a key.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <utility>

#include "ShellFixture.h"
#include "app/ShellState.h"
#include "screens/MainScreen.h"
#include "tdf/FontFile.h"
#include "tdf/OutlineStyles.h"
#include "util/Version.h"

namespace {

std::string Padded(const std::string& s) {
  return s + std::string(80 - s.size(), ' ');
}

TTdfBuilder FontFile(uint8_t spacing, uint8_t fontType = ftBlock) {
  TTdfBuilder b;
  b.Font(FontPlan("Twelve", fontType, spacing, {{'a', BlockGlyph({"ppp", "qqq", "rrr"})}}));
  return b;
}

using MainScreen = ShellTest;

TEST_F(MainScreen, StatusLineJoinsFourFixedFields) {
  TTdfBuilder b;
  b.Font(FontPlan("Alpha", ftBlock, 1));
  b.Font(FontPlan("Beta", ftColor, 2));
  b.Font(FontPlan("Gamma", ftOutline, 0));
  Load(b);
  Step({0, 80});  // Down: font 2
  Step({27});
  RunLoop();
  EXPECT_EQ(WaitText(1, 1),
            "font.tdf                 "
            "Font: 2/3      "
            "Spacing: 2"
            "            Name: Beta [Color]");
  EXPECT_EQ(WaitAttrs(1, 1), AttrRun("70", 80));
  EXPECT_EQ(WaitText(0, 1).substr(25), "Font: 3/3      Spacing: 0         Name: Gamma [Outline]");
}

TEST_F(MainScreen, LongFileNamesAreCutAndTwoDigitSpacingIsShownWhole) {
  const std::string name = "a_font_file_with_a_long_name.tdf";
  Load(FontFile(5), name);
  EXPECT_EQ(StatusLine(Shell.Font, 1),
            "a_font_file_with_a_long_n"
            "Font: 1/1      "
            "Spacing: 5"
            "          Name: Twelve [Block]");

  // Spacing 12 needs one more column; the file name gives it up.
  Load(FontFile(12), name);
  EXPECT_EQ(StatusLine(Shell.Font, 1),
            "a_font_file_with_a_long_"
            "Font: 1/1      "
            "Spacing: 12"
            "          Name: Twelve [Block]");
  Load(FontFile(255), name);
  const std::string line = StatusLine(Shell.Font, 1);
  EXPECT_EQ(line.size(), 80u);
  EXPECT_EQ(line.substr(0, 23), "a_font_file_with_a_long");
  EXPECT_EQ(line.substr(23, 27), "Font: 1/1      Spacing: 255");

  // The drawn line is the same.
  Load(FontFile(12), name);
  Step({27});
  RunLoop();
  EXPECT_EQ(WaitText(0, 1), StatusLine(Shell.Font, 1));
}

TEST_F(MainScreen, FourDigitFontNumbersTakeColumnsFromTheFileName) {
  Load(FontFile(1), "bundle_of_many_fonts.tdf.x");
  Shell.Font.Selected = 3000;
  Shell.Font.Fonts.resize(3605);
  EXPECT_EQ(StatusLine(Shell.Font, 1).substr(0, 50),
            "bundle_of_many_fonts.tdf"
            "Font: 3000/3604 "
            "Spacing: 1");
  EXPECT_EQ(StatusLine(Shell.Font, 1).size(), 80u);
  Shell.Font.Fonts.resize(2);
  Shell.Font.Selected = 1;
}

TEST_F(MainScreen, NameFieldLongerThanThirtyIsCutToItsFirstThirty) {
  Load(FontFile(1));
  Shell.Font.Fonts[1].Name = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const std::string line = StatusLine(Shell.Font, 1);
  ASSERT_EQ(line.size(), 80u);
  EXPECT_EQ(line.substr(50), "Name: ABCDEFGHIJKLMNOPQRSTUVWX");
}

// The main screen reads the shown font from the file at every pass: one
// that cannot be read any more says so where the sample goes.
TEST_F(MainScreen, AFontFileThatCannotBeReadIsReportedWhereTheSampleGoes) {
  std::filesystem::remove(Load(FontFile(1)));
  Step({27});
  RunLoop();
  EXPECT_EQ(WaitText(0, 1), StatusLine(Shell.Font, 1));
  EXPECT_EQ(WaitText(0, 3), Padded("Error Opening File!"));
  EXPECT_EQ(WaitText(0, 4), Padded(""));
}

TEST_F(MainScreen, ControlBytesInAFontNameAreDrawnAsGlyphs) {
  TTdfBuilder b;
  b.Font(FontPlan(std::string("A\r\nB\bC", 6), ftBlock, 1));
  Load(b);
  Step({27});
  RunLoop();
  // Written as text, 13 and 10 would move the pen and wrap the line onto row 2.
  EXPECT_EQ(WaitText(0, 1), StatusLine(Shell.Font, 1));
  EXPECT_EQ(WaitText(0, 1).substr(60, 14), std::string("Name: A\r\nB\bC ["));
  EXPECT_EQ(WaitAttrs(0, 2), AttrRun("07", 80));
}

TEST_F(MainScreen, CharacterListIsCentredOnRows23And24) {
  TTdfBuilder b;
  b.Font(FontPlan("Some", ftBlock, 1,
                  {{'!', BlockGlyph({"!"})},
                   {'L', BlockGlyph({"L"})},
                   {'M', BlockGlyph({"M"})},
                   {'~', BlockGlyph({"~"})}}));
  Load(b);
  Step({27});
  RunLoop();
  std::string chars;
  for (int c = '!'; c <= '~'; ++c) {
    const bool present = c == '!' || c == 'L' || c == 'M' || c == '~';
    chars += present ? static_cast<char>(c) : '\xF9';
  }
  // "Chars.:" and the first 44 make 51 columns: 14 spaces left, 15 right.
  EXPECT_EQ(WaitText(0, 23),
            std::string(14, ' ') + "Chars.:" + chars.substr(0, 44) + std::string(15, ' '));
  EXPECT_EQ(WaitText(0, 23).substr(21 + 43, 2), "L ");
  EXPECT_EQ(WaitText(0, 24), std::string(15, ' ') + chars.substr(44) + std::string(15, ' '));
  EXPECT_EQ(WaitText(0, 24).substr(15, 1), "M");
  EXPECT_EQ(WaitAttrs(0, 23), AttrRun("03", 80));
  EXPECT_EQ(WaitAttrs(0, 24), AttrRun("03", 80));
}

// Until the first key, the main keys are named beside it.
TEST_F(MainScreen, HelpKeyStaysOnRow25WhileTheLoopWaits) {
  Load(FontFile(1));
  Step("t");  // the prompt takes over row 25 ...
  Step("\r");
  Step({27});  // ... and the next main screen brings the key back
  RunLoop();
  const std::string hint = "  ESC Quit  L Load  T Text  B Browse  G Glyph  A Art  Up Next Font";
  EXPECT_EQ(WaitText(0, 25), "\xDDH\xDEHelp" + hint + std::string(73 - hint.size(), ' '));
  EXPECT_EQ(WaitAttrs(0, 25).substr(18, 16), AttrRun("0f", 3) + AttrRun("07", 5));
  EXPECT_EQ(WaitText(2, 25), std::string("\xDDH\xDEHelp") + std::string(73, ' '));
  EXPECT_EQ(WaitAttrs(2, 25), AttrRun("70", 3) + AttrRun("07", 4) + AttrRun("08", 73));
  for (size_t i : {0u, 2u}) {
    // Waiting in IdleAttr just after the key label.
    EXPECT_EQ(Screen.Waits[i].CursorY, 25);
    EXPECT_EQ(Screen.Waits[i].CursorX, 8);
  }
  EXPECT_EQ(Screen.GetTextAttr(), Shell.IdleAttr);
}

TEST_F(MainScreen, SampleCoversTheStatusLineButNotTheBottomRows) {
  Load(FontFile(1));
  Shell.TextY = 1;
  const std::string status = StatusLine(Shell.Font, 1);
  Step("y");
  Step("22\r");
  Step({27});
  RunLoop();
  EXPECT_EQ(WaitText(0, 1), "ppp" + status.substr(3));
  EXPECT_EQ(WaitAttrs(0, 1).substr(0, 8), "0f0f0f70");
  EXPECT_EQ(WaitText(0, 2).substr(0, 4), "qqq ");

  EXPECT_EQ(WaitText(2, 1), status);
  EXPECT_EQ(WaitText(2, 22).substr(0, 4), "ppp ");
  EXPECT_EQ(WaitText(2, 23).substr(0, 14), std::string(14, ' '));
  EXPECT_EQ(WaitAttrs(2, 23), AttrRun("03", 80));
  EXPECT_EQ(WaitText(2, 24).substr(0, 15), std::string(15, ' '));
}

TEST_F(MainScreen, OutlineFontsAreDrawnInTheBlockColourAndTheStyleIsShown) {
  TTdfBuilder b;
  b.Font(FontPlan("Twelve", ftOutline, 1, {{'a', BlockGlyph({"EAF", "KBL"})}}));
  Load(b);
  Shell.DisplayText = "a";
  Shell.ConfigFile = Dir.File("brixel.ini");
  Step("o");
  Step("-");
  Step({27});
  RunLoop();
  EXPECT_EQ(WaitText(0, 3).substr(0, 4), "\xDA\xC4\xBF ");
  EXPECT_EQ(WaitAttrs(0, 3).substr(0, 6), "0f0f0f");
  EXPECT_EQ(WaitText(0, 25).substr(7, 20), "  \xDDO\xDEOutline style 0");
  // The first screen's hint after it, the keys that fit.
  EXPECT_EQ(WaitText(0, 25).substr(27), "  ESC Quit  L Load  T Text  B Browse  G Glyph  A Art ");
  EXPECT_EQ(WaitText(1, 3).substr(0, 4), "\xD5\xCD\xB8 ");  // style 1: a double top edge
  EXPECT_EQ(WaitText(1, 25).substr(12, 15), "Outline style 1");
  EXPECT_EQ(WaitAttrs(2, 3).substr(0, 6), "0e0e0e");  // - works for Outline fonts too
  EXPECT_EQ(WaitText(0, 1).substr(50), std::string(8, ' ') + "Name: Twelve [Outline]");
  // The style is kept for the next start.
  const std::vector<uint8_t> ini = ReadFileBytes(Shell.ConfigFile);
  EXPECT_EQ(std::string(ini.begin(), ini.end()), "[fonts]\nOutlineStyle=1\n");
  Shell.OutlineStyle = 0;
}

// Every key of the loop's table, in two columns; H, ? and F1 show the same screen.
TEST_F(MainScreen, HelpScreenListsEveryKeyInTwoColumnsBetweenTwoGreyBars) {
  Load(FontFile(1));
  Step("h");
  Step("x");
  Step("?");
  Step("x");
  Step({0, 59});  // F1
  Step({27});
  Step({27});
  RunLoop();
  ASSERT_EQ(Screen.Waits.size(), 7u);
  const std::pair<const char*, const char*> rows[] = {
      {"ESC : Quit", "A   : View ANSI Art"},
      {"E   : Extract Font", "D   : Delete Font File"},
      {"M   : Merge Font", "Del : Delete Font from File"},
      {"C   : Create Empty TDF File", "Ins : Duplicate Font"},
      {"L   : Load Font File", "PgUp: Move Font Up in File (-1)"},
      {"S   : Save ANSI Image", "PgDn: Move Font Down in File (+1)"},
      {"N   : Change Name", "Up  : Next Font in File (+1)"},
      {"I   : Change Spacing", "Down: Previous Font in File (-1)"},
      {"T   : Change Displayed Text", "+   : Next Block Color"},
      {"F   : Change Type of Font", "-   : Previous Block Color"},
      {"X   : Change X Position of Text", "H   : Help (also F1 and ?)"},
      {"Y   : Change Y Position of Text", "W   : Choose the Font Folder (B)"},
      {"P   : Color Palette", "V   : Next Palette (Classic, VGA)"},
      {"R   : Recolor Font", ""},
      {"U   : Substitute Color in X,Y Position", ""},
      {"O   : Next Outline Style", ""},
      {"B   : Browse Fonts", ""},
      {"G   : Edit Glyph", ""},
  };
  EXPECT_EQ(WaitText(1, 1), Padded(" " + std::string(kBrixelTitle)));
  EXPECT_EQ(WaitAttrs(1, 1), AttrRun("70", 80));
  EXPECT_EQ(WaitText(1, 25), std::string(80, ' '));
  EXPECT_EQ(WaitAttrs(1, 25), AttrRun("70", 80));
  // Key in white, colon in dark grey, description in light grey.
  const std::string keyAttrs = AttrRun("0f", 4) + AttrRun("08", 2);
  for (int row = 4; row <= 21; ++row) {
    const auto& [left, right] = rows[row - 4];
    const std::string leftColumn = "  " + std::string(left) + std::string(38 - strlen(left), ' ');
    EXPECT_EQ(WaitText(1, row), Padded(leftColumn + "  " + right)) << "row " << row;
    EXPECT_EQ(WaitAttrs(1, row), AttrRun("07", 2) + keyAttrs + AttrRun("07", 34) +
                                     (*right ? keyAttrs + AttrRun("07", 32) : AttrRun("07", 38)))
        << "row " << row;
  }
  for (int row : {2, 3, 22, 23, 24}) {
    EXPECT_EQ(WaitText(1, row), std::string(80, ' ')) << "row " << row;
    EXPECT_EQ(WaitAttrs(1, row), AttrRun("07", 80)) << "row " << row;
  }
  for (int row = 1; row <= 25; ++row) {
    EXPECT_EQ(WaitText(3, row), WaitText(1, row)) << "? row " << row;
    EXPECT_EQ(WaitText(5, row), WaitText(1, row)) << "F1 row " << row;
  }
}

}  // namespace
