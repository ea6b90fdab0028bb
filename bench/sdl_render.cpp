// Rendering the 80x25 screen into the back surface, against the floor of one
// plain copy of the 640x400 back surface to the window surface, and against
// the per-cell path of scaled blit, colour modulation and fill.
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "console/GlyphSheet.h"
#include "console/sdl/ConsolePalette.h"
#include "console/sdl/GlyphRenderer.h"
#include "console/sdl/SdlHandles.h"
#include "util/DataFiles.h"

namespace {

struct TBenchScreen {
  TBenchScreen() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_Init(SDL_INIT_VIDEO);
    Sheet.reset(IMG_Load(FindDataFile("80x25.png").c_str()));
    if (!Sheet) return;
    Sheet.reset(SDL_ConvertSurfaceFormat(Sheet.get(), SDL_PIXELFORMAT_RGB888, 0));
    SDL_SetColorKey(Sheet.get(), SDL_TRUE, 0);
    std::string why;
    if (!LoadGlyphSheet(FindDataFile("80x25.png"), Font, why) || !Glyphs.SetGlyphs(Font))
      Sheet.reset();
    Back.reset(SDL_CreateRGBSurfaceWithFormat(0, 640, 400, 32, SDL_PIXELFORMAT_RGB888));
    Window = SDL_CreateWindow("bench", 0, 0, 640, 400, 0);
    Cell.reset(SDL_CreateRGBSurfaceWithFormat(0, 8, 16, 32, SDL_PIXELFORMAT_RGB888));
    SDL_SetColorKey(Cell.get(), SDL_TRUE, 0);
  }
  ~TBenchScreen() {
    if (Window) SDL_DestroyWindow(Window);
  }
  bool Ok() const { return Sheet && Back && Window; }

  TSurfacePtr Sheet, Back, Cell;
  SDL_Window* Window = nullptr;
  TGlyphFont Font;
  TGlyphRenderer Glyphs;
};

TBenchScreen& Screen() {
  static TBenchScreen screen;
  return screen;
}

uint8_t CharAt(int i) {
  return static_cast<uint8_t>(i * 7 + 33);
}
uint8_t AttrAt(int i) {
  return static_cast<uint8_t>(i * 13 + 1);
}

// The floor: one copy of the finished picture to the window surface.
void BM_CopyBackToWindow(benchmark::State& state) {
  TBenchScreen& s = Screen();
  if (!s.Ok()) return state.SkipWithError("no glyph sheet (run in the build directory)");
  SDL_Surface* ws = SDL_GetWindowSurface(s.Window);
  for (auto _ : state) {
    SDL_Rect r{0, 0, 640, 400};
    SDL_BlitSurface(s.Back.get(), nullptr, ws, &r);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyBackToWindow);

// Every one of the 2000 cells drawn from the cached glyph masks.
void BM_RenderAllCells(benchmark::State& state) {
  TBenchScreen& s = Screen();
  if (!s.Ok()) return state.SkipWithError("no glyph sheet (run in the build directory)");
  int frame = 0;
  for (auto _ : state) {
    for (int i = 0; i < 2000; ++i)
      s.Glyphs.DrawCell(s.Back.get(), (i % 80) * 8, (i / 80) * 16, CharAt(i + frame), AttrAt(i));
    ++frame;
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RenderAllCells);

// The same at 12x28 cells (a 960x700 window).
void BM_RenderAllCellsStretched(benchmark::State& state) {
  TBenchScreen& s = Screen();
  if (!s.Ok()) return state.SkipWithError("no glyph sheet (run in the build directory)");
  TGlyphRenderer glyphs;
  glyphs.SetGlyphs(s.Font);
  glyphs.SetCellSize(12, 28);
  TSurfacePtr back(SDL_CreateRGBSurfaceWithFormat(0, 960, 700, 32, SDL_PIXELFORMAT_RGB888));
  for (auto _ : state) {
    for (int i = 0; i < 2000; ++i)
      glyphs.DrawCell(back.get(), (i % 80) * 12, (i / 80) * 28, CharAt(i), AttrAt(i));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RenderAllCellsStretched);

// The straightforward per-cell path: clear a cell surface, stretch the glyph
// into it, modulate by the foreground, fill the background, blit keyed.
void BM_RenderAllCellsByBlits(benchmark::State& state) {
  TBenchScreen& s = Screen();
  if (!s.Ok()) return state.SkipWithError("no glyph sheet (run in the build directory)");
  const SDL_Rect cellRect{0, 0, 8, 16};
  for (auto _ : state) {
    for (int i = 0; i < 2000; ++i) {
      const uint8_t ch = CharAt(i), attr = AttrAt(i);
      SDL_FillRect(s.Cell.get(), nullptr, 0);
      SDL_Rect src{(ch % 16) * 8, (ch / 16) * 16, 8, 16};
      SDL_Rect dst = cellRect;
      SDL_BlitScaled(s.Sheet.get(), &src, s.Cell.get(), &dst);
      const TRgb fg = ConsolePalette[attr & 15], bg = ConsolePalette[attr >> 4];
      SDL_SetSurfaceColorMod(s.Cell.get(), fg.R, fg.G, fg.B);
      SDL_Rect d{(i % 80) * 8, (i / 80) * 16, 8, 16};
      SDL_FillRect(s.Back.get(), &d, SDL_MapRGB(s.Back->format, bg.R, bg.G, bg.B));
      SDL_BlitSurface(s.Cell.get(), nullptr, s.Back.get(), &d);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RenderAllCellsByBlits);

}  // namespace
