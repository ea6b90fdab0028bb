#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "console/sdl/ConsolePalette.h"
#include "console/sdl/SDLConsole.h"
#include "console/sdl/SDLDraw.h"

using namespace std::chrono_literals;

// The glyph sheet 80x25.png as lit (true) / dark pixels, read independently of
// the console's own loader.
class TSheetPixels {
 public:
  bool Load(const std::string& path);
  bool Lit(int glyph, int x, int y) const;
  int CellWidth = 0, CellHeight = 0;

 private:
  int Width = 0;
  std::vector<bool> Pixels;
};

// A console shown in the real SDL window under the dummy video driver, with
// the window's refresh thread running. The test body plays
// the main thread: it handles events and so presents, like the program's waits do.
class SdlConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Handles events (and so presents) until pred holds or the time is up.
  bool PumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout = 10s);
  // Handles every queued event.
  void Drain();
  // Waits until the window shows the cells as they are now (cursor cell aside).
  bool WaitForScreen();
  // Window pixels that differ from the grid drawn from the sheet at its own
  // cell size, the cursor cell aside; -1 when the cell size differs.
  int MismatchedPixels();
  int MismatchedInCell(int c, int r);

  // A pixel of the window surface / the back surface as 0x00RRGGBB.
  uint32_t WindowPixel(int x, int y);
  uint32_t BackPixel(int x, int y);

  void PushKey(SDL_Keycode key, uint16_t mod = KMOD_NONE);
  void PushMouseDown(int x, int y, uint8_t button);
  void PushMouseMotion(int x, int y, uint32_t state);
  void PushMouseUp(int x, int y, uint8_t button);
  // A whole drag: press, one motion with the button held, release.
  void PushDrag(int x0, int y0, int x1, int y1, uint8_t button);
  void PushResize(int w, int h);

  // Every byte in the key buffer, read with ReadKey.
  std::vector<int> ReadBuffered();
  // Every event waiting, read with ReadEvent.
  std::vector<TInputEvent> ReadEvents();

  TSheetPixels Sheet;
  // The console, the window that shows it, and the window's refresh thread.
  std::unique_ptr<TTextConsole> Con;
  std::unique_ptr<TSDLConsole> Window;
  std::unique_ptr<TSDLDraw> Draw;
};

// A pixel of any surface as 0x00RRGGBB.
uint32_t SurfacePixel(const SDL_Surface* s, int x, int y);
