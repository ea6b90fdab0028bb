// The window's palette and the look of a band of rows (an art file's own
// font and colours), drawn by the real console.
#include <gtest/gtest.h>

#include <vector>

#include "SdlConsoleFixture.h"

namespace {

// Glyph 'A' of a font two pixels high: left half lit on top, right half
// below; in the second 256 glyphs every pixel lit.
TGlyphFont TwoRowFont(int count) {
  TGlyphFont font{2, count, std::vector<uint8_t>(static_cast<size_t>(count) * 2, 0)};
  font.Bits['A' * 2] = 0xF0;
  font.Bits['A' * 2 + 1] = 0x0F;
  if (count == 512) font.Bits[(256 + 'A') * 2] = font.Bits[(256 + 'A') * 2 + 1] = 0xFF;
  return font;
}

TEST_F(SdlConsoleTest, PaletteAndRowLookDrawEveryCellAgain) {
  TPalette own = kClassicPalette;
  own[1] = {1, 2, 3};
  own[6] = {250, 0, 250};
  Con->GotoXY(40, 20);
  for (int r : {1, 2, 3}) {
    Con->PutCell(1, r, 'A', 0x16);  // bit 3 clear: the first 256 of 512 glyphs
    Con->PutCell(3, r, 'A', 0x1F);  // bit 3 set: the second 256
  }
  ASSERT_TRUE(WaitForScreen());

  const struct {
    const char* What;
    TPalette Palette;  // the window's
    TRowLook Look;     // rows 2 and 3
    // Pixels (x, y) of cells 1 and 3 of row 2: top-left, top-right, bottom-right.
    uint32_t Cell1[3], Cell3[3];
  } kCases[] = {
      {"the VGA palette",
       kVgaPalette,
       {},
       {PackRgb(kVgaPalette[1]), PackRgb(kVgaPalette[1]), PackRgb(kVgaPalette[1])},
       {PackRgb(kVgaPalette[1]), PackRgb(kVgaPalette[1]), PackRgb(kVgaPalette[1])}},
      {"own glyphs in the window's colours",
       kClassicPalette,
       {2, 3, TwoRowFont(256), std::nullopt},
       {0x808000, 0x000080, 0x808000},
       {0xFFFFFF, 0x000080, 0xFFFFFF}},
      {"own glyphs, 512 of them, and own colours",
       kVgaPalette,
       {2, 3, TwoRowFont(512), own},
       {0xFA00FA, 0x010203, 0xFA00FA},
       {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.What);
    Con->SetPalette(c.Palette);
    Con->SetRowLook(c.Look);
    const int at[3][2] = {{0, 0}, {7, 0}, {7, 31 - 16}};  // (x, y) inside row 2
    const auto shows = [&](int cell, const uint32_t* want) {
      for (int k = 0; k < 3; ++k) {
        const int x = (cell - 1) * 8 + at[k][0], y = 16 + at[k][1];
        if (WindowPixel(x, y) != want[k]) return false;
      }
      return true;
    };
    // Row 1 keeps the sheet's glyphs, in the window's colours.
    const auto row1 = [&] {
      const uint32_t lit = PackRgb(c.Palette[6]), dark = PackRgb(c.Palette[1]);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x)
          if (WindowPixel(x, y) != (Sheet.Lit('A', x, y) ? lit : dark)) return false;
      return true;
    };
    EXPECT_TRUE(PumpUntil(row1));
    if (c.Look.Empty()) continue;
    EXPECT_TRUE(PumpUntil([&] { return shows(1, c.Cell1) && shows(3, c.Cell3); }))
        << std::hex << WindowPixel(0, 16) << " " << WindowPixel(7, 16) << " " << WindowPixel(7, 31)
        << " / " << WindowPixel(16, 16);
  }
  // Back to the window's own look: every cell as the sheet draws it.
  Con->SetPalette(kClassicPalette);
  Con->SetRowLook({});
  EXPECT_TRUE(WaitForScreen()) << MismatchedPixels() << " pixels differ";
}

}  // namespace
