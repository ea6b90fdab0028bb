// Window resizing: whole cells, glyphs stretched from the sheet, the log
// lines, and no crash however fast the sizes change.
#include <gtest/gtest.h>

#include <string>

#include "SdlConsoleFixture.h"

TEST_F(SdlConsoleTest, ResizeKeepsWholeCellsAndLogs) {
  testing::internal::CaptureStdout();
  PushResize(1000, 700);
  const bool resized = PumpUntil([&] { return Window->CellWidth() == 12; });
  const std::string out = testing::internal::GetCapturedStdout();
  ASSERT_TRUE(resized);
  EXPECT_EQ(Window->CellHeight(), 28);
  EXPECT_EQ(Window->PixelWidth, 960);
  EXPECT_EQ(Window->PixelHeight, 700);
  int w = 0, h = 0;
  SDL_GetWindowSize(Window->WindowHandle(), &w, &h);
  EXPECT_EQ(w, 960);
  EXPECT_EQ(h, 700);
  EXPECT_NE(out.find("WindowHeight : 700\nWindowWidth : 960\nNew FontWidth : 12\n"
                     "New FontHeight : 28\nResized...\n"),
            std::string::npos)
      << out;
}

TEST_F(SdlConsoleTest, ResizedGlyphsAreStretchedFromTheSheet) {
  Con->GotoXY(80, 25);
  Con->PutCell(2, 2, 'g', 0x0E);
  Con->PutCell(3, 2, 0xB1, 0x4F);  // a shade: lit and dark pixels alternate finely
  PushResize(1000, 700);
  ASSERT_TRUE(PumpUntil([&] { return Window->CellWidth() == 12; }));
  for (const uint8_t ch : {uint8_t{'g'}, uint8_t{0xB1}}) {
    const int col = ch == 'g' ? 2 : 3;
    const uint8_t attr = Con->GetAttrAt(col, 2);
    const uint32_t fg = PackRgb(ConsolePalette[attr & 15]), bg = PackRgb(ConsolePalette[attr >> 4]);
    // The middle of the area each sheet pixel covers after stretching 8x16
    // to 12x28 shows that sheet pixel.
    const int ox = (col - 1) * 12, oy = 1 * 28;
    ASSERT_TRUE(PumpUntil([&] {
      for (int sy = 0; sy < 16; ++sy)
        for (int sx = 0; sx < 8; ++sx) {
          const int x = ox + (2 * sx + 1) * 12 / 16, y = oy + (2 * sy + 1) * 28 / 32;
          if (WindowPixel(x, y) != (Sheet.Lit(ch, sx, sy) ? fg : bg)) return false;
        }
      return true;
    })) << "glyph "
        << int(ch);
    // And nothing but the two colours appears in the cell.
    for (int y = 0; y < 28; ++y)
      for (int x = 0; x < 12; ++x) {
        const uint32_t p = WindowPixel(ox + x, oy + y);
        ASSERT_TRUE(p == fg || p == bg) << x << "," << y;
      }
  }
}

TEST_F(SdlConsoleTest, ATinyWindowKeepsOnePixelCells) {
  testing::internal::CaptureStdout();
  PushResize(30, 5);
  const bool resized = PumpUntil([&] { return Window->CellWidth() == 1; });
  testing::internal::GetCapturedStdout();
  ASSERT_TRUE(resized);
  EXPECT_EQ(Window->CellHeight(), 1);
  EXPECT_EQ(Window->PixelWidth, 80);
  EXPECT_EQ(Window->PixelHeight, 25);
  Con->PutCell(1, 1, 0xDB, 0x0C);  // a full block: every pixel lit
  EXPECT_TRUE(PumpUntil([&] { return WindowPixel(0, 0) == 0xFF0000u; }));
}

TEST_F(SdlConsoleTest, FiftyRoundsOfFastResizesWhileWriting) {
  testing::internal::CaptureStdout();
  const int sizes[][2] = {{1000, 700}, {640, 400}, {300, 200}, {1280, 1024}, {81, 26}, {777, 555}};
  for (int round = 0; round < 50; ++round) {
    for (const auto& s : sizes) PushResize(s[0] + round, s[1] + round);
    for (int i = 0; i < 40; ++i) Con->PutCell(1 + (round + i) % 80, 1 + i % 25, 'A' + i % 26, i);
    Con->Delay(1);  // handles some of the resizes while the refresh thread renders
  }
  Drain();
  PushResize(640, 400);
  const bool back =
      PumpUntil([&] { return Window->CellWidth() == 8 && Window->CellHeight() == 16; });
  testing::internal::GetCapturedStdout();
  ASSERT_TRUE(back);
  Con->GotoXY(80, 25);
  EXPECT_TRUE(WaitForScreen()) << MismatchedPixels() << " pixels differ";
}
