#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ColorTools.h"
#include "app/ShellState.h"
#include "support/ConsoleTestSupport.h"
#include "support/WaitingConsole.h"

namespace {

// A screen built cell by cell: grey text everywhere, a red word on row 5, a
// blue-on-cyan cell on row 9, the status line on row 1.
class ColorTools : public HeadlessConsoleTest {
 protected:
  void SetUp() override {
    for (int y = 1; y <= 25; ++y)
      for (int x = 1; x <= 80; ++x) Con.PutCell(x, y, 'g', y == 1 ? 0x70 : 0x07);
    for (int x = 3; x <= 5; ++x) Con.PutCell(x, 5, 'R', 0x04);
    Con.PutCell(40, 9, 'B', 0x31);
    Con.PutCell(40, 22, 'X', 0x04);  // below the text area: never changed
  }
  std::string Area(int y) const { return Attrs(y); }
  static std::string Run(std::string_view attr, int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += attr;
    return s;
  }

  TShell Shell{Con};
};

TEST_F(ColorTools, RecolorPaintsRowsTwoToTwentyOne) {
  const struct {
    const char* Typed;
    std::string Attr;
  } cases[] = {{"30\r", "1e"}, {"\r", "00"}, {"286\r", "1e"}};
  for (const auto& c : cases) {
    Keys(c.Typed);
    RecolorCommand(Shell);
    EXPECT_TRUE(Shell.KeepScreen);
    for (int y = 2; y <= 21; ++y) EXPECT_EQ(Area(y), Run(c.Attr, 80)) << c.Typed << " row " << y;
    EXPECT_EQ(Area(1), Run("70", 80));
    EXPECT_EQ(Con.GetAttrAt(40, 22), 0x04);
    EXPECT_EQ(Visible(5).substr(2, 3), "RRR");  // characters stay
  }
  // The hint ends in the last cell without scrolling the screen.
  EXPECT_EQ(Visible(25), " Recolor: 286" + std::string(48, ' ') + "Attr = FG + BG * 16");
}

TEST_F(ColorTools, SubstituteReplacesTheColourFoundAtThePosition) {
  Keys("3\r5\r14\r");  // red at (3, 5) becomes yellow
  SubstituteCommand(Shell);
  EXPECT_EQ(Area(5), Run("07", 2) + Run("0e", 3) + Run("07", 75));
  EXPECT_EQ(Con.GetAttrAt(40, 9), 0x31);
  EXPECT_EQ(Con.GetAttrAt(40, 22), 0x04);

  Keys("1\r1\r30\r");  // the status line's colour, which the text area does not use
  SubstituteCommand(Shell);
  EXPECT_EQ(Area(1), Run("70", 80));
  EXPECT_EQ(Area(6), Run("07", 80));
}

TEST_F(ColorTools, PaletteListsTheUsedColoursAndPutsTheScreenBack) {
  TCellGrid before;
  Con.SaveScreen(before);
  Keys({0, 72});  // an extended key is read whole
  ShowPalette(Shell);
  TCellGrid after;
  Con.SaveScreen(after);
  EXPECT_EQ(after, before);
  EXPECT_TRUE(Con.KeyBufferEmpty());
}

// The box takes the width its text needs, and a second row before running off
// the screen; the picture's colours are counted, not the box's.
TEST_F(ColorTools, PaletteBoxFitsWhatItShows) {
  TWaitingConsole screen;
  TShell shell(screen);
  const auto box = [&](int colours) {
    for (int y = 1; y <= 25; ++y)
      for (int x = 1; x <= 80; ++x)
        screen.PutCell(x, y, '.', y >= 2 && y <= colours + 1 ? y - 1 : 0);
    screen.Waits.clear();
    screen.Steps.push_back({'x'});
    ShowPalette(shell);
    std::vector<std::string> rows;
    for (int y = 19; y <= 24; ++y) rows.push_back(ShotText(screen.Waits.at(0), y));
    return rows;
  };
  const auto swatch = [](int j) { return " \xDB\xDB" + std::to_string(j); };
  std::string swatches;
  for (int j = 1; j <= 13; ++j) swatches += swatch(j);
  std::vector<std::string> rows = box(15);
  EXPECT_EQ(rows[0], std::string(80, '.'));
  EXPECT_EQ(rows[2].substr(0, 76), ".\xB3 Used Colors: " + swatches + " \xB3..");
  EXPECT_EQ(rows[3].substr(0, 76), ".\xB3" + std::string(14, ' ') + swatch(14) + swatch(15) +
                                       std::string(47, ' ') + "\xB3..");
  EXPECT_EQ(rows[1].substr(73), "\xBF......");
  rows = box(2);
  EXPECT_EQ(rows[1], std::string(80, '.'));
  EXPECT_EQ(rows[3].substr(0, 28), ".\xB3 Used Colors: " + swatch(1) + swatch(2) + " \xB3..");
}

}  // namespace
