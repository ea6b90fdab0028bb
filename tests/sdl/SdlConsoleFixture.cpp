#include "SdlConsoleFixture.h"

#include <SDL_image.h>

#include <cstdlib>
#include <cstring>

namespace {
// CTest runs these tests with the dummy drivers; the same default applies when
// the binary is started by hand. An explicit setting still wins.
const bool kDummyDrivers = [] {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();
}  // namespace

void SdlConsoleTest::SetUp() {
  ASSERT_TRUE(Sheet.Load("80x25.png")) << "the glyph sheet is copied into the build directory";
  Con = std::make_unique<TTextConsole>(1);
  // With its log, which the tests of resizing and copying read.
  Window = std::make_unique<TSDLConsole>(*Con, "Brixel test", "", true);
  ASSERT_TRUE(Window->Ready());
  // SDL silently falls back to another driver when it cannot open the one asked for.
  ASSERT_STREQ(SDL_GetCurrentVideoDriver(), "dummy");
  Draw = std::make_unique<TSDLDraw>(*Window);
  Draw->Start();
  ASSERT_TRUE(WaitForScreen());
}

void SdlConsoleTest::TearDown() {
  Draw.reset();
  Window.reset();
  Con.reset();
}

bool SdlConsoleTest::PumpUntil(const std::function<bool()>& pred,
                               std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!pred()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    Con->Delay(2);
  }
  return true;
}

void SdlConsoleTest::Drain() {
  // A poll round ends at SDL's end-of-poll marker, and a wait with a time-out
  // can leave that marker queued ahead of events pushed since. So queue a marker
  // of our own behind them and handle events until it has gone through.
  static const Uint32 kDrainMarker = SDL_RegisterEvents(1);
  SDL_Event marker{};
  marker.type = kDrainMarker;
  ASSERT_EQ(SDL_PushEvent(&marker), 1);
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, kDrainMarker, kDrainMarker) > 0) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "events were not handled";
    Window->PollEvent();
  }
}

bool SdlConsoleTest::WaitForScreen() {
  Con->Dirty = true;
  return PumpUntil([&] { return MismatchedPixels() == 0; });
}

int SdlConsoleTest::MismatchedPixels() {
  int bad = 0;
  for (int r = 1; r <= Con->Rows; ++r) {
    for (int c = 1; c <= Con->Cols; ++c) {
      if (c == Con->WhereX() && r == Con->WhereY()) continue;  // the cursor blinks there
      const int n = MismatchedInCell(c, r);
      if (n < 0) return n;
      bad += n;
    }
  }
  return bad;
}

int SdlConsoleTest::MismatchedInCell(int c, int r) {
  SDL_Surface* ws = SDL_GetWindowSurface(Window->WindowHandle());
  if (!ws || Window->CellWidth() != Sheet.CellWidth || Window->CellHeight() != Sheet.CellHeight)
    return -1;
  const uint8_t ch = Con->GetCharAt(c, r), attr = Con->GetAttrAt(c, r);
  const uint32_t fg = PackRgb(ConsolePalette[attr & 15]);
  const uint32_t bg = PackRgb(ConsolePalette[attr >> 4]);
  int bad = 0;
  for (int y = 0; y < Sheet.CellHeight; ++y) {
    for (int x = 0; x < Sheet.CellWidth; ++x) {
      const uint32_t want = Sheet.Lit(ch, x, y) ? fg : bg;
      const int px = (c - 1) * Sheet.CellWidth + x, py = (r - 1) * Sheet.CellHeight + y;
      if (SurfacePixel(ws, px, py) != want) ++bad;
    }
  }
  return bad;
}

uint32_t SurfacePixel(const SDL_Surface* s, int x, int y) {
  if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return 0xFF000000;
  const uint8_t* p =
      static_cast<const uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
  uint32_t raw = 0;
  memcpy(&raw, p, s->format->BytesPerPixel);
  if (s->format->format == SDL_PIXELFORMAT_RGB888) return raw & 0x00FFFFFF;
  uint8_t r, g, b;
  SDL_GetRGB(raw, s->format, &r, &g, &b);
  return PackRgb({r, g, b});
}

uint32_t SdlConsoleTest::WindowPixel(int x, int y) {
  return SurfacePixel(SDL_GetWindowSurface(Window->WindowHandle()), x, y);
}

uint32_t SdlConsoleTest::BackPixel(int x, int y) {
  uint32_t pixel = 0;
  Window->ReadBackSurface([&](const SDL_Surface* back) { pixel = SurfacePixel(back, x, y); });
  return pixel;
}

void SdlConsoleTest::PushKey(SDL_Keycode key, uint16_t mod) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.state = SDL_PRESSED;
  e.key.keysym.sym = key;
  e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  e.key.keysym.mod = mod;
  e.key.windowID = SDL_GetWindowID(Window->WindowHandle());
  ASSERT_EQ(SDL_PushEvent(&e), 1);
}

void SdlConsoleTest::PushMouseDown(int x, int y, uint8_t button) {
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.button = button;
  e.button.state = SDL_PRESSED;
  e.button.x = x;
  e.button.y = y;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
}

void SdlConsoleTest::PushMouseMotion(int x, int y, uint32_t state) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.state = state;
  e.motion.x = x;
  e.motion.y = y;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
}

void SdlConsoleTest::PushMouseUp(int x, int y, uint8_t button) {
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONUP;
  e.button.button = button;
  e.button.state = SDL_RELEASED;
  e.button.x = x;
  e.button.y = y;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
}

void SdlConsoleTest::PushDrag(int x0, int y0, int x1, int y1, uint8_t button) {
  PushMouseDown(x0, y0, button);
  PushMouseMotion(x1, y1, SDL_BUTTON(button));
  PushMouseUp(x1, y1, button);
}

void SdlConsoleTest::PushResize(int w, int h) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_RESIZED;
  e.window.windowID = SDL_GetWindowID(Window->WindowHandle());
  e.window.data1 = w;
  e.window.data2 = h;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
}

std::vector<int> SdlConsoleTest::ReadBuffered() {
  Drain();
  std::vector<int> bytes;
  while (!Con->KeyBufferEmpty()) bytes.push_back(Con->ReadKey());
  return bytes;
}

std::vector<TInputEvent> SdlConsoleTest::ReadEvents() {
  Drain();
  std::vector<TInputEvent> events;
  while (Con->EventPending()) events.push_back(Con->ReadEvent());
  return events;
}

bool TSheetPixels::Load(const std::string& path) {
  SDL_Surface* raw = IMG_Load(path.c_str());
  if (!raw) return false;
  SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGB888, 0);
  SDL_FreeSurface(raw);
  if (!s) return false;
  Width = s->w;
  CellWidth = s->w / 16;
  CellHeight = s->h / 16;
  Pixels.assign(static_cast<size_t>(s->w) * s->h, false);
  for (int y = 0; y < s->h; ++y)
    for (int x = 0; x < s->w; ++x)
      Pixels[static_cast<size_t>(y) * s->w + x] = SurfacePixel(s, x, y) != 0;
  SDL_FreeSurface(s);
  return true;
}

bool TSheetPixels::Lit(int glyph, int x, int y) const {
  const int px = (glyph % 16) * CellWidth + x;
  const int py = (glyph / 16) * CellHeight + y;
  return Pixels[static_cast<size_t>(py) * Width + px];
}
