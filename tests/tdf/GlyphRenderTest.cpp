#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/FontUnitFixture.h"
#include "tdf/GlyphRender.h"
#include "tdf/OutlineStyles.h"

namespace {

TTdfFontPlan BlockFont(uint8_t spacing, std::map<uint8_t, std::vector<uint8_t>> glyphs) {
  TTdfFontPlan font;
  font.Name = "Blocky";
  font.FontType = ftBlock;
  font.Spacing = spacing;
  font.Glyphs = std::move(glyphs);
  return font;
}

class GlyphRender : public FontUnitFixture {
 protected:
  // Draws text in attribute 0x0F (Outline cells in style outline); answers
  // the size of the glyph read last.
  TFontChar Draw(int x, int y, std::string_view text, uint8_t outline = 0) {
    return DrawFontText(Con, Loaded, x, y, text, {0x0F, outline});
  }
  // Where the first cell of each glyph landed is easier to read as text.
  std::string Cells(int y, int from, int count) const { return Visible(y).substr(from - 1, count); }
};

TEST_F(GlyphRender, BlockGlyphsAdvanceByWidthPlusSpacingAfterEveryCharacter) {
  LoadBuilt(TTdfBuilder().Font(
      BlockFont(1, {{'A', BlockGlyph({"AAAAA", "A   A"})}, {'B', BlockGlyph({"BB", "BB"})}})));
  const TFontChar last = Draw(1, 3, "AB");
  EXPECT_EQ(Cells(3, 1, 9), "AAAAA BB ");
  EXPECT_EQ(Cells(4, 1, 9), "A   A BB ");
  EXPECT_EQ(Con.GetAttrAt(7, 3), 0x0F);  // Block cells take the attribute set by the caller
  EXPECT_EQ(last.Width, 2);
  EXPECT_EQ(last.Height, 2);

  // A space, a character the font lacks, one above '~' and a control byte each
  // take one column plus the spacing and draw nothing.
  Con.ClrScr();
  Draw(1, 3,
       "A Z\xC8\x01"
       "B");
  EXPECT_EQ(Cells(3, 1, 16), "AAAAA         BB");
}

TEST_F(GlyphRender, UnknownTypesDrawNothing) {
  TTdfFontPlan other = BlockFont(0, {{'A', BlockGlyph({"AAA"})}});
  other.FontType = 7;
  LoadBuilt(TTdfBuilder().Font(other), 1);
  TCellGrid before;
  Con.SaveScreen(before);
  Draw(1, 1, "AAA");
  TCellGrid after;
  Con.SaveScreen(after);
  EXPECT_EQ(before, after);
}

TEST_F(GlyphRender, OutlineRolesAreDrawnInTheCurrentStyle) {
  TTdfFontPlan outline = BlockFont(
      1, {{'A', GlyphRecord(6, 3, std::vector<uint8_t>{'E', 'A', 'A', 'A', 'A', 'F', 13,
                                                       'C', 'O', '@', 'x', 'Q', 'D', 13,
                                                       'K', 'B', 'B', 'B', 'B', 'L', 0})}});
  outline.FontType = ftOutline;
  LoadBuilt(TTdfBuilder().Font(outline));
  const struct {
    uint8_t Style;
    std::vector<std::string> Rows;  // code page 437
  } cases[] = {
      {0, {"\xDA\xC4\xC4\xC4\xC4\xBF", "\xB3  x \xB3", "\xC0\xC4\xC4\xC4\xC4\xD9"}},
      {9, {"\xD5\xCD\xCD\xCD\xCD\xBB", "\xB3  x \xBA", "\xC0\xC4\xC4\xC4\xC4\xBD"}},
      {18, {"\xDE\xDF\xDF\xDF\xDF\xDD", "\xDE  x \xDD", "\xDE\xDC\xDC\xDC\xDC\xDD"}},
  };
  for (const auto& c : cases) {
    Con.ClrScr();
    Draw(1, 1, "AA", c.Style);  // spacing 1: the second glyph starts at column 8
    for (int y = 1; y <= 3; ++y) {
      EXPECT_EQ(Cells(y, 1, 7), c.Rows[y - 1] + " ") << "style " << int(c.Style) << " row " << y;
      EXPECT_EQ(Cells(y, 8, 6), c.Rows[y - 1]) << "style " << int(c.Style) << " row " << y;
    }
    EXPECT_EQ(Con.GetAttrAt(1, 1), 0x0F);  // in the caller's colour, like Block fonts
  }
}

TEST_F(GlyphRender, WrapTestAddsTheStartingColumnAndDropsByTheLastHeightPlusOne) {
  // Ten-column glyphs, no spacing, started at column 10: the pen reaches 70
  // after six glyphs, and 70 + 10 wraps.
  LoadBuilt(TTdfBuilder().Font(
      BlockFont(0, {{'W', BlockGlyph({"WWWWWWWWWW", "W", "W"})}, {'i', BlockGlyph({"i"})}})));
  Draw(10, 2, "WWWWWWi");
  EXPECT_EQ(Visible(2).substr(9, 60), std::string(60, 'W'));
  EXPECT_EQ(Visible(2)[69], ' ');
  // The wrap happened after the sixth W: 'i' starts at column 1, Height (3) + 1 rows lower.
  EXPECT_EQ(Con.GetCharAt(1, 6), 'i');
  // From column 1 the eighth glyph still starts at 71 (71 + 1 < 80) and is
  // cut before column 80; the ninth goes to the next band.
  Con.ClrScr();
  Draw(1, 2, std::string(9, 'W'));
  EXPECT_EQ(Visible(2).substr(70, 10), "WWWWWWWWW ");
  EXPECT_EQ(Con.GetCharAt(1, 6), 'W');
  EXPECT_EQ(Con.GetCharAt(11, 6), 0);
}

TEST_F(GlyphRender, CellsStopBeforeColumnEightyAndBelowRowTwentyFive) {
  LoadBuilt(TTdfBuilder().Font(BlockFont(0, {{'L', BlockGlyph({"LLLLL", "LLLLL", "LLLLL"})}})));
  Draw(77, 24, "L");
  EXPECT_EQ(Cells(24, 77, 3), "LLL");
  EXPECT_EQ(Con.GetCharAt(80, 24), 0);  // column 80 is never written
  EXPECT_EQ(Cells(25, 77, 3), "LLL");
  EXPECT_EQ(Con.GetCharAt(80, 25), 0);
  for (int y = 1; y <= 23; ++y) ASSERT_EQ(Con.GetCharAt(77, y), 0) << "row " << y;
}

TEST_F(GlyphRender, ABandThatStartsBelowTheLastRowDrawsNothingButStillAdvances) {
  // Ten-column, six-row glyphs from row 20: the second band would start at
  // row 27, and clamped onto row 25 it would overwrite the first band's foot.
  LoadBuilt(TTdfBuilder().Font(BlockFont(
      0, {{'W', BlockGlyph({"WWWWWWWWWW", "W", "W", "W", "W", "w"})}, {'i', BlockGlyph({"ii"})}})));
  const TFontChar last = Draw(1, 20, std::string(8, 'W') + "Wi");
  EXPECT_EQ(Cells(25, 1, 12), "w         w ");
  EXPECT_EQ(last.Width, 2);  // 'i' was still read for the pen's advance
}

TEST_F(GlyphRender, ColorGlyphsCarryTheirOwnAttributes) {
  TTdfFontPlan color = BlockFont(0, {});
  color.FontType = ftColor;
  color.Glyphs = {{'C', ColorGlyph({{{'x', 0x1E}, {'y', 0x4F}}, {{'z', 0x70}}})}};
  LoadBuilt(TTdfBuilder().Font(color));
  Con.SetTextAttr(0x02);
  DrawFontText(Con, Loaded, 3, 5, "C", {0x02});
  EXPECT_EQ(Cells(5, 3, 2), "xy");
  EXPECT_EQ(Con.GetAttrAt(3, 5), 0x1E);
  EXPECT_EQ(Con.GetAttrAt(4, 5), 0x4F);
  EXPECT_EQ(Con.GetCharAt(3, 6), 'z');
  EXPECT_EQ(Con.GetAttrAt(3, 6), 0x70);
  EXPECT_EQ(Con.GetTextAttr(), 0x70);  // the last cell's attribute stays set
}

TEST_F(GlyphRender, AmpersandBeforeARowEndOrTheEndIsAMarkerWithoutAttribute) {
  TTdfFontPlan color = BlockFont(0, {});
  color.FontType = ftColor;
  // "a" 1E, "&" marker, row end, "b" 1E, "&" as an ordinary cell with 08, "&" marker, end;
  // then the next glyph's bytes, which must not be drawn.
  const std::vector<uint8_t> cells = {'a',  0x1E, '&', 13,  'b',  0x1E, '&',
                                      0x08, '&',  0,   'X', 0x4F, 0};
  color.Glyphs = {{'Q', GlyphRecord(2, 2, cells)}, {'R', ColorGlyph({"RR"}, 0x4F)}};
  LoadBuilt(TTdfBuilder().Font(color));
  DrawFontText(Con, Loaded, 1, 1, "Q");
  EXPECT_EQ(Cells(1, 1, 3), "a  ");
  EXPECT_EQ(Cells(2, 1, 3), "b& ");
  EXPECT_EQ(Con.GetAttrAt(2, 2), 0x08);

  TTdfFontPlan block = BlockFont(
      0, {{'Q', GlyphRecord(2, 2, std::vector<uint8_t>{'q', '&', 13, 'q', '&', 'q', 0})}});
  Con.ClrScr();
  LoadBuilt(TTdfBuilder().Font(block));
  Draw(1, 1, "Q");
  EXPECT_EQ(Cells(1, 1, 3), "q  ");
  EXPECT_EQ(Cells(2, 1, 3), "q&q");
}

TEST_F(GlyphRender, GlyphReadsStayInsideTheirFontsBlock) {
  // The last glyph of the first font runs to the end of its block without a 0;
  // the second font's header follows and must not be drawn.
  TTdfFontPlan first = BlockFont(0, {});
  first.Glyphs = {{'E', GlyphRecord(3, 1, std::vector<uint8_t>{'e', 'e', 'e'})}};
  TTdfFontPlan second = BlockFont(0, {{'E', BlockGlyph({"S"})}});
  // A glyph offset at or past the block end draws nothing and takes one column.
  first.OffsetOverrides = {{'F', 5}, {'G', 0xFF01}};
  LoadBuilt(TTdfBuilder().Font(first).Font(second), 1);
  Draw(1, 1, "EFGE");
  EXPECT_EQ(Cells(1, 1, 9), "eee  eee ");
  EXPECT_EQ(Visible(2), std::string(80, ' '));
}

TEST_F(GlyphRender, AnOffsetOfFFOneIsAPresentGlyph) {
  TTdfFontPlan font = BlockFont(0, {});
  font.ExtraBlockBytes.assign(600, 0);
  const std::vector<uint8_t> glyph = BlockGlyph({"far"});
  std::copy(glyph.begin(), glyph.end(), font.ExtraBlockBytes.begin() + 511);
  font.OffsetOverrides = {{'Z', 0x01FF}};  // bytes $FF $01
  LoadBuilt(TTdfBuilder().Font(font));
  Draw(1, 1, "Z");
  EXPECT_EQ(Cells(1, 1, 3), "far");
}

TEST_F(GlyphRender, ControlBytesInCellsAreDrawnAsGlyphs) {
  LoadBuilt(TTdfBuilder().Font(
      BlockFont(0, {{'K', GlyphRecord(3, 1, std::vector<uint8_t>{8, 10, 7, 0})}})));
  Draw(5, 5, "K");
  EXPECT_EQ(Con.GetCharAt(5, 5), 8);
  EXPECT_EQ(Con.GetCharAt(6, 5), 10);
  EXPECT_EQ(Con.GetCharAt(7, 5), 7);
}

TEST_F(GlyphRender, InvalidHeadersDrawNothingAndGlyphsComeFromTheBlockInMemory) {
  const std::string path = LoadBuilt(TTdfBuilder().Font(BlockFont(0, {{'A', BlockGlyph({"A"})}})));
  Loaded.Header.Marker[0] = 0;
  EXPECT_EQ(DrawBlockGlyph(Con, Loaded, 1, 1, 'A'), 0);
  EXPECT_EQ(DrawColorGlyph(Con, Loaded, 1, 1, 'A'), 0);
  EXPECT_EQ(Con.GetCharAt(1, 1), 0);

  // The file went away: selecting again says why, the glyph block read
  // before still draws, and nothing else is written on the screen.
  SelectFont(Loaded, 1);
  std::filesystem::remove(path);
  EXPECT_FALSE(SelectFont(Loaded, 1));
  EXPECT_EQ(Loaded.Error, ENOENT);
  EXPECT_EQ(DrawBlockGlyph(Con, Loaded, 1, 10, 'A'), 1);
  EXPECT_EQ(Visible(10).substr(0, 2), "A ");
  EXPECT_FALSE(ScreenShows("Error"));
  EXPECT_EQ(DrawBlockGlyph(Con, Loaded, 1, 10, ' '), 1);
}

}  // namespace

namespace {

// Styles 0-15 are every single/double combination of the four edges: bit 0
// doubles A (top), bit 1 B (bottom), bit 2 C (left), bit 3 D (right); each
// corner and tee takes the weight of the edges it joins.
TEST(OutlineStyles, SingleAndDoubleStylesFollowTheirEdges) {
  // Box-drawing characters by (horizontal double, vertical double).
  struct TJoin {
    uint8_t SS, DS, SD, DD;
  };
  constexpr TJoin kTopLeft{0xDA, 0xD5, 0xD6, 0xC9}, kTopRight{0xBF, 0xB8, 0xB7, 0xBB},
      kBottomLeft{0xC0, 0xD4, 0xD3, 0xC8}, kBottomRight{0xD9, 0xBE, 0xBD, 0xBC},
      kTeeLeft{0xB4, 0xB5, 0xB6, 0xB9}, kTeeRight{0xC3, 0xC6, 0xC7, 0xCC};
  auto pick = [](const TJoin& j, bool h, bool v) {
    return h ? (v ? j.DD : j.DS) : (v ? j.SD : j.SS);
  };
  for (uint8_t style = 0; style < 16; ++style) {
    const bool a = style & 1, b = style & 2, c = style & 4, d = style & 8;
    const uint8_t expected[14] = {static_cast<uint8_t>(a ? 0xCD : 0xC4),
                                  static_cast<uint8_t>(b ? 0xCD : 0xC4),
                                  static_cast<uint8_t>(c ? 0xBA : 0xB3),
                                  static_cast<uint8_t>(d ? 0xBA : 0xB3),
                                  pick(kTopLeft, a, c),
                                  pick(kTopRight, a, d),  // E F
                                  pick(kTopLeft, b, d),
                                  pick(kTopRight, b, c),  // G H
                                  pick(kBottomLeft, a, d),
                                  pick(kBottomRight, a, c),  // I J
                                  pick(kBottomLeft, b, c),
                                  pick(kBottomRight, b, d),  // K L
                                  pick(kTeeLeft, a, c),
                                  pick(kTeeRight, b, d)};  // M N
    for (int role = 0; role < 14; ++role)
      EXPECT_EQ(OutlineCellChar(style, static_cast<uint8_t>('A' + role)), expected[role])
          << "style " << int(style) << " role " << static_cast<char>('A' + role);
  }
}

}  // namespace
