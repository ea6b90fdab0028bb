// The B font browser driven by key scripts: the sample follows the highlight,
// F3 filters by the sample text, typing searches the names, Enter loads the
// font and Esc puts back the file shown before.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ShellFixture.h"
#include "app/ShellState.h"
#include "tdf/FontFile.h"

namespace {

constexpr int kDown = 80;
constexpr int kF3 = 61;
constexpr int kFirstItemRow = 15;  // under the list's top edge on row 14

std::string Padded(const std::string& s) {
  return s + std::string(80 - s.size(), ' ');
}

// One list row: frame, item text, scroll track (or thumb).
std::string ItemRow(const std::string& item, char track = '\xB0') {
  return "\xB3" + (" " + item + std::string(78 - 1 - item.size(), ' ')) + track;
}

class FontBrowser : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Shell.FontPath = Dir.Path().string();
    // Alpha has only "a" of the sample text "adf1"; Beta and Locket have all of it.
    TTdfBuilder a, b;
    a.Font(FontPlan("Alpha", ftBlock, 1, {{'a', BlockGlyph({"AA"})}}));
    a.Font(FontPlan("Beta", ftBlock, 1,
                    {{'a', BlockGlyph({"B1"})},
                     {'d', BlockGlyph({"B2"})},
                     {'f', BlockGlyph({"B3"})},
                     {'1', BlockGlyph({"B4"})}}));
    b.Font(FontPlan("Locket", ftColor, 0,
                    {{'a', ColorGlyph({"L"}, 0x1E)},
                     {'d', ColorGlyph({"L"}, 0x1E)},
                     {'f', ColorGlyph({"L"}, 0x1E)},
                     {'1', ColorGlyph({"L"}, 0x1E)}}));
    std::filesystem::create_directory(Dir.Path() / "sub");
    A = Load(a, "a.tdf");
    b.WriteTo(Dir, "sub/b.tdf");
    Dir.Write("notes.txt", "not a font");
  }

  std::string A;
};

TEST_F(FontBrowser, SampleFollowsTheHighlightAndEscPutsBackTheFileShown) {
  Step({0, 72});  // Up: font 1 of a.tdf, Alpha
  Step("b");
  Step({0, kDown});
  Step({0, kDown});
  Step({27});
  Step({27});
  RunLoop();
  ASSERT_EQ(Screen.Waits.size(), 6u);
  // The browser opens on the font shown.
  EXPECT_EQ(WaitText(2, 3), Padded("AA"));
  EXPECT_EQ(WaitText(2, 14).substr(0, 16), "\xDA Fonts: 3 of 3 ");
  EXPECT_EQ(WaitText(2, kFirstItemRow), ItemRow("Alpha        [Block]    a.tdf", '\xB2'));
  EXPECT_EQ(WaitText(2, kFirstItemRow + 2), ItemRow("Locket       [Color]    sub/b.tdf"));

  EXPECT_EQ(WaitText(3, 3), Padded("B1 B2 B3 B4"));
  EXPECT_EQ(WaitText(3, 1).substr(50), "            Name: Beta [Block]");

  // Another file: its status line, and the Color font in its own colours.
  EXPECT_EQ(WaitText(4, 1).substr(0, 25), Padded("b.tdf").substr(0, 25));
  EXPECT_EQ(WaitText(4, 3), Padded("LLLL"));
  EXPECT_EQ(WaitCell(4, 1, 3).Attr, 0x1E);

  // Esc: a.tdf again, on the font shown before.
  EXPECT_EQ(Shell.Font.Path, A);
  EXPECT_EQ(WaitText(5, 1).substr(0, 40), "a.tdf                    Font: 1/2      ");
  EXPECT_EQ(WaitText(5, 3), Padded("AA"));
}

TEST_F(FontBrowser, TypingSearchesTheNamesAndF3KeepsTheFontsThatHaveTheText) {
  Step({0, 72});  // Alpha
  Step("b");
  Step("l");       // Alpha holds an "l": the highlight stays
  Step("o");       // Locket: the "[Block]" beside Beta is no name
  Step({0, 72});   // Up to Beta; the search ends
  Step({0, kF3});  // only Beta and Locket
  Step({0, kF3});  // all three again, still on Beta
  Step("\r");
  Step({27});
  RunLoop();
  ASSERT_EQ(Screen.Waits.size(), 9u);
  EXPECT_EQ(WaitText(3, 1).substr(50), "           Name: Alpha [Block]");
  EXPECT_EQ(WaitText(4, 1).substr(50), "          Name: Locket [Color]");
  EXPECT_EQ(WaitText(4, 24).substr(2, 17), "[lo]" + std::string(13, '\xC4'));
  EXPECT_EQ(WaitText(5, 24).substr(2, 17), std::string(17, '\xC4'));
  EXPECT_EQ(WaitText(5, 1).substr(50), "            Name: Beta [Block]");

  EXPECT_EQ(WaitText(6, 14).substr(0, 16), "\xDA Fonts: 2 of 3 ");
  EXPECT_EQ(WaitText(6, kFirstItemRow), ItemRow("Beta         [Block]    a.tdf", '\xB2'));
  EXPECT_EQ(WaitText(6, 25).substr(48, 4), " on ");
  EXPECT_EQ(WaitText(7, 14).substr(0, 16), "\xDA Fonts: 3 of 3 ");
  EXPECT_EQ(WaitText(7, 1).substr(50), "            Name: Beta [Block]");

  // Enter on Beta: a.tdf, font 2, on the main screen.
  EXPECT_EQ(Shell.Font.Path, A);
  EXPECT_EQ(WaitText(8, 1),
            "a.tdf                    Font: 2/2      Spacing: 1"
            "            Name: Beta [Block]");
}

}  // namespace
