#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "support/TdfBuilder.h"
#include "tdf/BannerLayout.h"
#include "tdf/FontFile.h"

namespace {

namespace fs = std::filesystem;

// A Block font with spacing 1: "A" 2x2, "B" 3x2, "W" 5x2 and a lower-case
// "t" 1x3, but no "a" and no "T"; "C" is 1 wide by its Width but draws
// two cells, as many real glyphs run past their Width.
TFontFile TestFont(uint8_t type = ftBlock) {
  TTdfFontPlan plan;
  plan.Name = "Test";
  plan.FontType = type;
  if (type == ftColor) {
    plan.Glyphs = {{'A', ColorGlyph({"AA", "AA"}, 0x1E)}};
  } else {
    const uint8_t runsPast[] = {'C', 'C', 0};
    plan.Glyphs = {{'A', BlockGlyph({"AA", "AA"})},
                   {'B', BlockGlyph({"BBB", "BBB"})},
                   {'W', BlockGlyph({"WWWWW", "WWWWW"})},
                   {'t', BlockGlyph({"t", "t", "t"})},
                   {'C', GlyphRecord(1, 1, runsPast)}};
  }
  TFontFile font;
  font.Header = HeaderFor(plan);
  font.Block = GlyphBlockFor(plan);
  font.Selected = 1;
  return font;
}

// The canvas as text: a cell never drawn is '.'.
std::vector<std::string> Picture(const TCellGrid& canvas) {
  std::vector<std::string> rows;
  for (int y = 0; y < canvas.Rows(); ++y) {
    std::string row;
    for (const TScreenChar cell : canvas.Row(y))
      row += cell == kBlankCell ? '.' : static_cast<char>(cell.Ch);
    rows.push_back(row);
  }
  return rows;
}

struct TLayoutCase {
  const char* What;
  std::vector<std::string> Lines;
  int Width;
  TJustify Justify;
  bool CaseFallback;
  std::string Missing;
  std::vector<std::string> Want;
};

TEST(BannerLayout, LaysTextOutAsAsked) {
  using enum TJustify;
  // clang-format off
  const TLayoutCase cases[] = {
      {"glyphs advance by Width and spacing", {"AB"}, 0, Left, true, "",
       {"AA.BBB",
        "AA.BBB"}},
      {"a space is one column and the spacing", {"A B"}, 0, Left, true, "",
       {"AA...BBB",
        "AA...BBB"}},
      {"a glyph that would cross the width starts the next line", {"AB"}, 5, Left, true, "",
       {"AA.",
        "AA.",
        "...",
        "BBB",
        "BBB"}},
      {"a glyph ending at the width stays", {"AB"}, 6, Left, true, "",
       {"AA.BBB",
        "AA.BBB"}},
      {"the space that wrapped is not carried over", {"AB A"}, 6, Left, true, "",
       {"AA.BBB",
        "AA.BBB",
        "......",
        "AA....",
        "AA...."}},
      {"a glyph wider than the width stands alone", {"AWA"}, 4, Left, true, "",
       {"AA...",
        "AA...",
        ".....",
        "WWWWW",
        "WWWWW",
        ".....",
        "AA...",
        "AA..."}},
      {"blanks before a glyph that cannot fit give way", {"?W"}, 5, Left, true, "?",
       {"WWWWW",
        "WWWWW"}},
      {"centred in the width, cropped on the right", {"AB"}, 9, Center, true, "",
       {".AA.BBB",
        ".AA.BBB"}},
      {"right against the width", {"AB"}, 8, Right, true, "",
       {"..AA.BBB",
        "..AA.BBB"}},
      {"without a width, lines centre under the widest", {"AB", "A"}, 0, Center, true, "",
       {"AA.BBB",
        "AA.BBB",
        "......",
        "..AA..",
        "..AA.."}},
      {"a line break in the text, CR LF too", {"A\nB\r\nA"}, 0, Right, true, "",
       {".AA",
        ".AA",
        "...",
        "BBB",
        "BBB",
        "...",
        ".AA",
        ".AA"}},
      {"lines are as tall as the tallest glyph", {"At"}, 0, Left, true, "",
       {"AA.t",
        "AA.t",
        "...t"}},
      {"each case stands in for the other", {"aT"}, 0, Left, true, "",
       {"AA.t",
        "AA.t",
        "...t"}},
      {"no stand-in without the fallback", {"aTA"}, 0, Left, false, "aT",
       {"....AA",
        "....AA"}},
      {"a character without a glyph advances as a space, named once", {"A?A?"}, 0, Left, true,
       "?",
       {"AA...AA",
        "AA...AA"}},
      {"cells past Width are drawn, the next glyph goes by Width", {"CA"}, 0, Left, true, "",
       {"CCAA",
        "..AA"}},
      {"nothing to draw makes no picture", {" ", ""}, 10, Left, true, "", {}},
  };
  // clang-format on
  const TFontFile font = TestFont();
  for (const TLayoutCase& c : cases) {
    SCOPED_TRACE(c.What);
    TBannerStyle style;
    style.Width = c.Width;
    style.Justify = c.Justify;
    style.CaseFallback = c.CaseFallback;
    const TBanner banner = LayOutBanner(font, c.Lines, style);
    EXPECT_EQ(Picture(banner.Canvas), c.Want);
    EXPECT_EQ(banner.Missing, c.Missing);
  }
}

TEST(BannerLayout, ColoursAndPlacesGlyphsAsTheWindowDraws) {
  const std::string text[] = {"A\nA"};
  TBannerStyle style;
  style.Draw = {0x0C, 0};
  const TBanner block = LayOutBanner(TestFont(), text, style);
  EXPECT_EQ(block.Canvas.At(0, 0), (TScreenChar{'A', 0x0C}));
  const TBanner color = LayOutBanner(TestFont(ftColor), text, style);
  EXPECT_EQ(color.Canvas.At(1, 4), (TScreenChar{'A', 0x1E}));
  ASSERT_EQ(color.Glyphs.size(), 2u);
  EXPECT_EQ(color.Glyphs[1].Y, 3);
  EXPECT_EQ(color.Glyphs[1].Ch, 'A');

  TFontFile unknown = TestFont();
  unknown.Header.FontType = 7;
  const TBanner none = LayOutBanner(unknown, text, style);
  EXPECT_EQ(none.Canvas.Rows(), 0);
  EXPECT_EQ(none.Missing, "A");
}

// Every font of the corpus with all its characters at 80 columns: each glyph
// lies whole inside the width (or alone on its line when wider), and every
// cell of it is on the canvas unless a later glyph of its line covers it.
TEST(BannerLayout, CorpusFontsAreNeverCut) {
  const fs::path corpus = fs::path(BRIXEL_CORPUS_DIR) / "tdf";
  std::error_code ec;
  if (!fs::is_directory(corpus, ec)) GTEST_SKIP() << "no font corpus at " << corpus;
  std::string all;
  for (int c = kFirstGlyphChar; c <= kLastGlyphChar; ++c) all += static_cast<char>(c);
  const std::string lines[] = {all + " " + all};
  int glyphsChecked = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(corpus, ec)) {
    TFontFile font;
    if (!LoadFontFile(entry.path().string(), font)) continue;
    for (int n = 1; n <= font.Count(); ++n) {
      if (!SelectFont(font, n)) continue;
      SCOPED_TRACE(entry.path().filename().string() + " font " + std::to_string(n));
      const TBanner banner = LayOutBanner(font, lines, TBannerStyle{});
      for (size_t g = 0; g < banner.Glyphs.size(); ++g) {
        const TPlacedGlyph& placed = banner.Glyphs[g];
        const TGlyphDrawing drawing =
            GlyphDrawingOf(font.Header, font.Block, placed.Ch - kFirstGlyphChar);
        int right = placed.X;
        for (const auto& row : drawing.Rows)
          right = std::max(right, placed.X + static_cast<int>(row.size()));
        ASSERT_TRUE(right <= 80 || placed.X == 0) << "glyph " << placed.Ch << " cut at " << right;
        const auto covered = [&](int x) {
          for (size_t later = g + 1; later < banner.Glyphs.size(); ++later) {
            const TPlacedGlyph& next = banner.Glyphs[later];
            if (next.Y == placed.Y && x >= next.X) return true;
          }
          return false;
        };
        for (size_t r = 0; r < drawing.Rows.size(); ++r) {
          for (size_t c = 0; c < drawing.Rows[r].size(); ++c) {
            const int x = placed.X + static_cast<int>(c), y = placed.Y + static_cast<int>(r);
            if (covered(x)) continue;
            ASSERT_EQ(banner.Canvas.At(x, y),
                      DrawnGlyphCell(drawing.Rows[r][c], font.Header.FontType, {}))
                << "glyph " << placed.Ch << " cell " << c << "," << r;
          }
        }
        ++glyphsChecked;
      }
    }
  }
  EXPECT_GT(glyphsChecked, 1000);
}

}  // namespace
