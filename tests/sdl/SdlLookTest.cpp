// The window's palette and the look of a band of rows (an art file's own
// font and colours), drawn by the real console.
#include <gtest/gtest.h>

#include <vector>

#include "SdlConsoleFixture.h"

TEST_F(SdlConsoleTest, PaletteAndRowLookDrawEveryCellAgain) {
  // 512 glyphs two pixels high: 'A' lit left on top and right below; in the
  // second 256 (attribute bit 3) lit all over.
  TGlyphFont font{2, 512, std::vector<uint8_t>(1024, 0)};
  font.Bits['A' * 2] = 0xF0;
  font.Bits['A' * 2 + 1] = 0x0F;
  font.Bits[(256 + 'A') * 2] = font.Bits[(256 + 'A') * 2 + 1] = 0xFF;
  TPalette own = kClassicPalette;
  own[1] = {1, 2, 3};
  own[6] = {250, 0, 250};
  Con->GotoXY(40, 20);
  for (int r : {1, 2}) {
    Con->PutCell(1, r, 'A', 0x16);
    Con->PutCell(2, r, 'A', 0x1F);
  }
  ASSERT_TRUE(WaitForScreen());
  Con->SetPalette(kVgaPalette);
  Con->SetRowLook({2, 3, font, own});

  // Row 2, stretched to 16 pixels: (x, y) and the colour wanted there.
  const struct {
    int X, Y;
    uint32_t Want;
  } kPixels[] = {{0, 0, 0xFA00FA},  {7, 0, 0x010203},  {7, 15, 0xFA00FA},
                 {0, 15, 0x010203}, {15, 0, 0xFFFFFF}, {8, 15, 0xFFFFFF}};
  const auto row2 = [&] {
    for (const auto& p : kPixels)
      if (WindowPixel(p.X, 16 + p.Y) != p.Want) return false;
    return true;
  };
  // Row 1 keeps the sheet's glyphs, in the window's new colours.
  const auto row1 = [&] {
    const uint32_t lit = PackRgb(kVgaPalette[6]), dark = PackRgb(kVgaPalette[1]);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 8; ++x)
        if (WindowPixel(x, y) != (Sheet.Lit('A', x, y) ? lit : dark)) return false;
    return true;
  };
  EXPECT_TRUE(PumpUntil([&] { return row1() && row2(); }))
      << std::hex << WindowPixel(0, 16) << " " << WindowPixel(7, 16) << " " << WindowPixel(8, 16);

  // Back to the window's own look: every cell as the sheet draws it.
  Con->SetPalette(kClassicPalette);
  Con->SetRowLook({});
  EXPECT_TRUE(WaitForScreen()) << MismatchedPixels() << " pixels differ";
}
