// Cells drawn into pixel bands without SDL: 8- and 9-pixel cells, fonts of
// any height and of 512 glyphs, palette indices and exact colours alike.
// Bands are compared as text pictures, one hex digit (the palette index) per
// pixel.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/CellRaster.h"

namespace {

// Glyph rows by height: 'A' alternates two rows, 'B' is 0x0F throughout
// (0xF0 in the second 256), 0xC4 a line along the top, 0xB0 the rightmost
// column, 0xDB the full block.
TGlyphFont TestFont(int height, int count) {
  TGlyphFont font{height, count, std::vector<uint8_t>(static_cast<size_t>(count) * height, 0)};
  for (int y = 0; y < height; ++y) {
    const auto set = [&](int glyph, uint8_t bits) { font.Bits[glyph * height + y] = bits; };
    set('A', y % 2 == 0 ? 0x81 : 0x3C);
    set('B', 0x0F);
    set(0xC4, y == 0 ? 0xFF : 0x00);
    set(0xB0, 0x01);
    set(0xDB, 0xFF);
    if (count == 512) set(256 + 'B', 0xF0);
  }
  return font;
}

std::vector<std::string> BandText(std::span<const uint8_t> band, int width, int height) {
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) row += "0123456789ABCDEF"[band[y * width + x] & 15];
    rows.push_back(row);
  }
  return rows;
}

struct TBandCase {
  const char* Name;
  int Height, Count, CellWidth;
  std::vector<TScreenChar> Cells;
  std::vector<std::string> Want;
};

TEST(CellRasterTest, BandsOfEveryCellWidthFontHeightAndGlyphCount) {
  const std::vector<TBandCase> cases = {
      {"one row, 8 wide", 1, 256, 8, {{'A', 0x1E}, {0xC4, 0x2C}}, {"E111111ECCCCCCCC"}},
      {"the ninth column: lines go on, the rest is background",
       2,
       256,
       9,
       {{'A', 0x1E}, {0xC4, 0x2C}, {0xB0, 0x70}, {0xDB, 0x03}},
       {"E111111E1CCCCCCCCC777777707333333333", "11EEEE111222222222777777707333333333"}},
      {"bright backgrounds", 1, 256, 9, {{'A', 0xF0}}, {"0FFFFFF0F"}},
      {"attribute bit 3 is a colour with 256 glyphs",
       3,
       256,
       8,
       {{'B', 0x0F}, {'B', 0x07}},
       {"0000FFFF00007777", "0000FFFF00007777", "0000FFFF00007777"}},
      {"and chooses the second 256 with 512",
       3,
       512,
       8,
       {{'B', 0x0F}, {'B', 0x07}},
       {"FFFF000000007777", "FFFF000000007777", "FFFF000000007777"}},
      {"32 rows", 32, 256, 8, {{'B', 0x5A}}, std::vector<std::string>(32, "5555AAAA")},
  };
  for (const TBandCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TGlyphFont font = TestFont(c.Height, c.Count);
    const TCellRaster raster(font.View(), c.CellWidth);
    ASSERT_EQ(raster.CellHeight(), c.Height);
    const int width = static_cast<int>(c.Cells.size()) * raster.CellWidth();
    std::vector<TCellInk> inks;
    std::vector<TCellRgb> colors;
    for (const TScreenChar cell : c.Cells) {
      inks.push_back(InkOf(cell.Attr));
      // Exact colours that tell the index back: (16 * i, i, 255 - i).
      const auto rgb = [](uint8_t i) { return TRgb{uint8_t(16 * i), i, uint8_t(255 - i)}; };
      colors.push_back({rgb(InkOf(cell.Attr).Fg), rgb(InkOf(cell.Attr).Bg)});
    }
    std::vector<uint8_t> band(static_cast<size_t>(width) * c.Height, 0xEE);
    raster.DrawBand(c.Cells, inks, band);
    EXPECT_EQ(BandText(band, width, c.Height), c.Want);

    std::vector<uint8_t> rgb(band.size() * 3, 0xEE), fromRgb(band.size());
    raster.DrawBandRgb(c.Cells, colors, rgb);
    for (size_t p = 0; p < fromRgb.size(); ++p) {
      fromRgb[p] = rgb[3 * p + 1];
      EXPECT_EQ(rgb[3 * p], uint8_t(16 * rgb[3 * p + 1])) << p;
      EXPECT_EQ(rgb[3 * p + 2], uint8_t(255 - rgb[3 * p + 1])) << p;
    }
    EXPECT_EQ(BandText(fromRgb, width, c.Height), c.Want);
  }
}

}  // namespace
