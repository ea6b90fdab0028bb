#include <gtest/gtest.h>

#include <string>

#include "app/ColorTools.h"
#include "app/ShellState.h"
#include "support/ConsoleTestSupport.h"

namespace {

// A screen built cell by cell: grey text everywhere, a red word on row 5, a
// blue-on-cyan cell on row 9, the status line on row 1.
class ColorTools : public HeadlessConsoleTest {
 protected:
  void SetUp() override {
    HeadlessConsoleTest::SetUp();
    ResetShellState();
    for (int y = 1; y <= 25; ++y)
      for (int x = 1; x <= 80; ++x) Con.PutCell(x, y, 'g', y == 1 ? 0x70 : 0x07);
    for (int x = 3; x <= 5; ++x) Con.PutCell(x, 5, 'R', 0x04);
    Con.PutCell(40, 9, 'B', 0x31);
    Con.PutCell(40, 22, 'X', 0x04);  // below the text area: never changed
  }
  void TearDown() override {
    ResetShellState();
    HeadlessConsoleTest::TearDown();
  }
  std::string Area(int y) const { return Attrs(y); }
  static std::string Run(std::string_view attr, int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += attr;
    return s;
  }
};

TEST_F(ColorTools, RecolorPaintsRowsTwoToTwentyOne) {
  const struct {
    const char* Typed;
    std::string Attr;
  } cases[] = {{"30\r", "1e"}, {"\r", "00"}, {"286\r", "1e"}};
  for (const auto& c : cases) {
    Keys(c.Typed);
    RecolorCommand();
    EXPECT_TRUE(KeepScreen);
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
  SubstituteCommand();
  EXPECT_EQ(Area(5), Run("07", 2) + Run("0e", 3) + Run("07", 75));
  EXPECT_EQ(Con.GetAttrAt(40, 9), 0x31);
  EXPECT_EQ(Con.GetAttrAt(40, 22), 0x04);

  Keys("1\r1\r30\r");  // the status line's colour, which the text area does not use
  SubstituteCommand();
  EXPECT_EQ(Area(1), Run("70", 80));
  EXPECT_EQ(Area(6), Run("07", 80));
}

TEST_F(ColorTools, PaletteListsTheUsedColoursAndPutsTheScreenBack) {
  EXPECT_EQ(UsedColors(), " |01\xDB\xDB|15|161 |04\xDB\xDB|15|164 |07\xDB\xDB|15|167");
  TScreen before;
  SaveScreen(before);
  Keys({0, 72});  // an extended key is read whole
  ShowPalette();
  TScreen after;
  SaveScreen(after);
  EXPECT_EQ(after, before);
  EXPECT_TRUE(Con.KeyBufferEmpty());
}

}  // namespace
