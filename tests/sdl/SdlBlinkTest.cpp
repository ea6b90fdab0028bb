// Blink mode: bit 7 of an attribute a blinking foreground over the dark
// background, and only the blinking cells drawn and presented at each phase.
#include <gtest/gtest.h>

#include <vector>

#include "SdlConsoleFixture.h"

namespace {

constexpr uint32_t kYellow = 0xFFFF00;     // palette 14
constexpr uint32_t kDarkRed = 0xAA0000;    // palette 4
constexpr uint32_t kBrightRed = 0xFF0000;  // palette 12

}  // namespace

class SdlBlinkTest : public SdlConsoleTest {
 protected:
  // The window pixels of cell (c, r).
  std::vector<uint32_t> Cell(int c, int r) {
    std::vector<uint32_t> out;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 8; ++x) out.push_back(WindowPixel((c - 1) * 8 + x, (r - 1) * 16 + y));
    return out;
  }
  // Cell 'A' as drawn in the colours fg on bg.
  std::vector<uint32_t> Glyph(uint32_t fg, uint32_t bg) {
    std::vector<uint32_t> out;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 8; ++x) out.push_back(Sheet.Lit('A', x, y) ? fg : bg);
    return out;
  }
};

TEST_F(SdlBlinkTest, BitSevenBlinksOnlyInBlinkModeAndOnlyItsCellsAreDrawn) {
  Draw.reset();  // this test plays the refresh thread, at times of its choosing
  Window->CursorBlink = false;
  Con->GotoXY(40, 20);
  Con->PutCell(1, 1, 'A', 0xCE);  // bit 7: bright red background, or blinking over dark red
  Con->PutCell(2, 1, 'A', 0x4E);  // never blinks
  const auto t0 = TSDLConsole::TClock::now();
  const auto phase = TSDLConsole::kCellBlinkPhase;
  // Off, the default: the bright background, the same in every phase.
  for (int k = 0; k < 3; ++k) {
    Window->RefreshAt(t0 + k * phase);
    EXPECT_EQ(Cell(1, 1), Glyph(kYellow, kBrightRed)) << k;
  }

  Con->SetBlinkMode(true);
  const std::vector<uint32_t> on = Glyph(kYellow, kDarkRed), off(128, kDarkRed);
  std::vector<std::vector<uint32_t>> seen;
  for (int k = 0; k < 4; ++k) {
    // A mark in a blank cell: a present of the whole window paints over it.
    SDL_Surface* ws = SDL_GetWindowSurface(Window->WindowHandle());
    SDL_Rect mark{40, 0, 1, 1};
    SDL_FillRect(ws, &mark, SDL_MapRGB(ws->format, 0x12, 0x34, 0x56));
    Window->RefreshAt(t0 + k * phase);
    seen.push_back(Cell(1, 1));
    EXPECT_EQ(Cell(2, 1), Glyph(kYellow, kDarkRed)) << k;
    // After the switch to blink mode only the blinking cell is presented.
    if (k > 0) {
      EXPECT_EQ(WindowPixel(40, 0), 0x123456u) << "phase " << k;
    }
  }
  EXPECT_TRUE((seen[0] == on && seen[1] == off) || (seen[0] == off && seen[1] == on));
  EXPECT_EQ(seen[2], seen[0]);
  EXPECT_EQ(seen[3], seen[1]);

  // Blinking cells set the refresh thread's next wake-up only while there are some.
  const auto now = TSDLConsole::TClock::now();
  Window->RefreshAt(now);
  EXPECT_LE(Window->NextBlinkChange(now) - now, phase);
  Con->PutCell(1, 1, 'A', 0x4E);
  Window->RefreshAt(now);
  EXPECT_GT(Window->NextBlinkChange(now) - now, 1min);
  Con->PutCell(1, 1, 'A', 0xCE);
  Con->SetBlinkMode(false);
  Window->RefreshAt(now);
  EXPECT_GT(Window->NextBlinkChange(now) - now, 1min);
  EXPECT_EQ(Cell(1, 1), Glyph(kYellow, kBrightRed));
}

TEST_F(SdlBlinkTest, AScreenFullOfBlinkingCellsBlinksEverywhere) {
  // Too many separate cells for a present of each: the whole window goes.
  Draw.reset();
  Window->CursorBlink = false;
  Con->SetBlinkMode(true);
  for (int r = 1; r <= 25; ++r)
    for (int c = 1; c <= 80; c += 2) Con->PutCell(c, r, 0xDB, 0x8E);
  const auto t0 = TSDLConsole::TClock::now();
  std::vector<int> yellow;
  for (int k = 0; k < 2; ++k) {
    Window->RefreshAt(t0 + k * TSDLConsole::kCellBlinkPhase);
    int n = 0;
    for (int r = 1; r <= 25; ++r)
      for (int c = 1; c <= 80; c += 2)
        n += WindowPixel((c - 1) * 8 + 4, (r - 1) * 16 + 8) == kYellow;
    yellow.push_back(n);
  }
  EXPECT_TRUE((yellow[0] == 1000 && yellow[1] == 0) || (yellow[0] == 0 && yellow[1] == 1000))
      << yellow[0] << " then " << yellow[1];
}
