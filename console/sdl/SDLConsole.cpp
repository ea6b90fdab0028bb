#include "console/sdl/SDLConsole.h"

#include <SDL_image.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "console/GlyphSheet.h"
#include "console/sdl/X11Errors.h"
#include "util/DataFiles.h"
#include "util/Numbers.h"

namespace {

constexpr uint8_t kCursorGlyph = 95;           // "_"
constexpr Uint32 kStartOverlay = 0x0000BCD4;   // (0, 188, 212)
constexpr Uint32 kResizeOverlay = 0x00FF0000;  // (255, 0, 0)
// More rectangles of blinking cells than this are presented as a whole
// window: one copy is cheaper than many small ones, and a main thread that
// presents late does not pile them up.
constexpr size_t kMaxBlinkRects = 64;

// SDL_VIDEODRIVER names the drivers to use; unset, SDL tries its own list.
bool ChoseVideoDriver() {
  const char* chosen = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  return chosen != nullptr && *chosen != 0;
}

// The drivers SDL falls back to when no display answers.
bool IsInvisibleDriver(const char* driver) {
  const std::string_view name = driver != nullptr ? driver : "";
  return name == "offscreen" || name == "dummy";
}

TSurfacePtr NewScreenSurface(int w, int h) {
  return TSurfacePtr(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888));
}

}  // namespace

void ExitAtOnce() {
  std::fflush(stdout);
  std::fflush(stderr);
  _exit(0);
}

TSDLConsole::TSDLConsole(TTextConsole& console, std::string_view title, std::string_view fontPath,
                         bool diagnostics)
    : Con(console), MainThread(std::this_thread::get_id()) {
  Con.Diagnostics = diagnostics;
  // Without this SDL draws the window surface through OpenGL (software Mesa
  // here): it replaces the X window at start and costs many times the CPU.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Every hint is set before the audio thread starts: SDL's hint list has no
  // lock, and that thread reads it while a new hint is being added.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "best");
  IgnoreLateWakeupErrors();
  if (!Video.Start(SDL_INIT_VIDEO)) {
    FailStart("Error Initializing SDL: " + std::string(SDL_GetError()));
    return;
  }
  // Without a display SDL quietly takes a driver whose window nobody sees, and
  // the program would wait for keys that never come. A driver the user named
  // (dummy, offscreen: tests, scripts) is the user's choice.
  if (!ChoseVideoDriver() && IsInvisibleDriver(SDL_GetCurrentVideoDriver())) {
    FailStart("no display: set DISPLAY or use brixel-cli");
    return;
  }

  const std::string sheetPath =
      fontPath.empty() ? FindDataFile(GeometryForMode(Con.Mode).SheetFile) : std::string(fontPath);
  std::string why;
  if (!LoadGlyphSheet(sheetPath, Sheet, why) || Sheet.Count != 256 || !Glyphs.SetGlyphs(Sheet)) {
    FailStart("Could Not Load Font File.");
    return;
  }

  Sound.Open([this](std::string_view m) { Con.Log(m); }, Con.Diagnostics);

  PixelWidth = Con.Cols * CellWidth();
  PixelHeight = Con.Rows * CellHeight();
  // Centred on display 0 from the start, so the window does not jump.
  int x = 800, y = 600;
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
    x = desktop.w / 2 - PixelWidth / 2;
    y = desktop.h / 2 - PixelHeight / 2;
  }
  const std::string windowTitle(title);
  Window.reset(SDL_CreateWindow(windowTitle.c_str(), x, y, PixelWidth, PixelHeight,
                                SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE));
  Con.Log("Creating Window...");
  if (!Window) {
    FailStart("Could not create the window: " + std::string(SDL_GetError()));
    return;
  }
  // Text input events are not used; keys come from key-down events only.
  SDL_StopTextInput();

  ScreenRect = {0, 0, PixelWidth, PixelHeight};
  MakeScreenSurfaces(kStartOverlay);
  MakeCursorCell();
  if (!BackSurface || !Overlay || !CursorCell) {
    FailStart("Could not create the screen surfaces.");
    return;
  }
  PresentEvent = SDL_RegisterEvents(1);

  Con.KeyReadIndex = Con.KeyWriteIndex = 0;
  Con.TextAttr = 7;
  Con.PipeChar = '|';
  Fullscreen = false;
  CursorPhase = true;
  CursorBlink = true;
  DragButtons = 0;
  Con.Dirty = true;
  Con.ClrScr();
  Con.SetHost(this);
  IsReady = true;

  Con.Log("Buffer Width: " + NumToStr(Con.Cols));
  Con.Log("Buffer Height: " + NumToStr(Con.Rows));
  Con.Log("Font Width: " + NumToStr(CellWidth()));
  Con.Log("Font Height: " + NumToStr(CellHeight()));
}

TSDLConsole::~TSDLConsole() {
  if (Con.GetHost() == this) Con.SetHost(nullptr);
}

void TSDLConsole::FailStart(std::string reason) {
  Con.Log(reason);
  StartError = std::move(reason);
}

bool TSDLConsole::SetIcon(std::string_view fileName) {
  const std::string path = FindDataFile(fileName);
  IconSurface.reset(IMG_Load(path.c_str()));
  if (IconSurface && Window) SDL_SetWindowIcon(Window.get(), IconSurface.get());
  return true;
}

void TSDLConsole::ReadBackSurface(const std::function<void(const SDL_Surface*)>& read) const {
  std::lock_guard lock(RenderLock);
  read(BackSurface.get());
}

void TSDLConsole::MakeScreenSurfaces(uint32_t overlayColor) {
  BackSurface = NewScreenSurface(PixelWidth, PixelHeight);
  if (BackSurface) SDL_FillRect(BackSurface.get(), nullptr, 0);
  Overlay = NewScreenSurface(PixelWidth, PixelHeight);
  if (Overlay) {
    SDL_FillRect(Overlay.get(), nullptr, overlayColor);
    // The highlight adds its colour to the window pixels, saturating at 255.
    SDL_SetSurfaceBlendMode(Overlay.get(), SDL_BLENDMODE_ADD);
  }
  ShownValid = false;
  BlinkRects.clear();
}

void TSDLConsole::MakeCursorCell() {
  CursorCell = NewScreenSurface(CellWidth(), CellHeight());
  if (!CursorCell) return;
  SDL_FillRect(CursorCell.get(), nullptr, 0);
  Glyphs.DrawKeyed(CursorCell.get(), 0, 0, kCursorGlyph);
  // Black is transparent: only the lit pixels of the cursor glyph are copied.
  SDL_SetColorKey(CursorCell.get(), SDL_TRUE, 0);
}

void TSDLConsole::Resize(int newWidth, int newHeight) {
  {
    std::lock_guard lock(RenderLock);
    // Whole cells only; the renderer keeps at least one pixel per cell however
    // small the window.
    Glyphs.SetCellSize(newWidth / Con.Cols, newHeight / Con.Rows);
    BandGlyphs.SetCellSize(CellWidth(), CellHeight());
    PixelWidth = Con.Cols * CellWidth();
    PixelHeight = Con.Rows * CellHeight();
    MakeCursorCell();
    // In fullscreen the size is the desktop's; setting it would only become
    // the size the window returns to. A window that already fits whole
    // cells is left alone, so no needless resize races the user's.
    Fullscreen = WindowIsFullscreen();
    int width = 0, height = 0;
    SDL_GetWindowSize(Window.get(), &width, &height);
    if (!Fullscreen && (width != PixelWidth || height != PixelHeight))
      SDL_SetWindowSize(Window.get(), PixelWidth, PixelHeight);
    ScreenRect = {0, 0, PixelWidth, PixelHeight};
    MakeScreenSurfaces(kResizeOverlay);
    if (!SDL_GetWindowSurface(Window.get())) Con.Log("Exception On Getting Window Surface");
    FullPresentPending = true;
  }
  Con.MarkDirty();
  Con.Log("WindowHeight : " + NumToStr(PixelHeight));
  Con.Log("WindowWidth : " + NumToStr(PixelWidth));
  Con.Log("New FontWidth : " + NumToStr(CellWidth()));
  Con.Log("New FontHeight : " + NumToStr(CellHeight()));
}

void TSDLConsole::LookChanged() {
  if (!IsReady) return;
  {
    std::lock_guard lock(RenderLock);
    Glyphs.SetPalette(Con.Palette());
    const TRowLook& look = Con.RowLook();
    BandFirst = 1;
    BandLast = 0;
    if (!look.Empty() && BandGlyphs.SetGlyphs(look.Glyphs ? *look.Glyphs : Sheet)) {
      BandGlyphs.SetPalette(look.Palette ? *look.Palette : Con.Palette());
      BandGlyphs.SetCellSize(CellWidth(), CellHeight());
      BandFirst = look.FirstRow;
      BandLast = look.LastRow;
    }
    // Every cell is drawn again in its new look.
    ShownValid = false;
    FullPresentPending = true;
  }
  Con.MarkDirty();
}

bool TSDLConsole::CellsOnAt(TClock::time_point now) const {
  return ((now - CellBlinkEpoch) / kCellBlinkPhase) % 2 == 0;
}

void TSDLConsole::DrawCellLocked(int c, int r, TScreenChar cell, bool blinkMode, bool cellsOn) {
  const int cw = CellWidth(), ch = CellHeight();
  uint8_t attr = cell.Attr;
  if (IsBlinking(attr, blinkMode)) {
    const uint8_t dark = (attr >> 4) & 7;
    // Off: the glyph in the background colour, so only the background shows.
    attr = cellsOn ? attr & 0x7F : static_cast<uint8_t>(dark << 4 | dark);
  }
  RendererForRow(r).DrawCell(BackSurface.get(), (c - 1) * cw, (r - 1) * ch, cell.Ch, attr);
}

void TSDLConsole::AddBlinkRectLocked(int c, int r) {
  if (FullPresentPending) return;  // the whole window is copied anyway
  const int cw = CellWidth(), ch = CellHeight();
  const SDL_Rect cell{(c - 1) * cw, (r - 1) * ch, cw, ch};
  if (!BlinkRects.empty()) {
    SDL_Rect& last = BlinkRects.back();
    if (last.y == cell.y && last.x + last.w == cell.x) {
      last.w += cw;
      return;
    }
  }
  if (BlinkRects.size() == kMaxBlinkRects) {
    FullPresentPending = true;
    BlinkRects.clear();
    return;
  }
  BlinkRects.push_back(cell);
}

TSDLConsole::TRenderResult TSDLConsole::RenderLocked(bool takeSnapshot, bool cellsOn) {
  // A resize whose surfaces could not be made leaves nothing to draw into.
  if (!BackSurface) return {};
  const bool blinkMode = Con.BlinkMode();
  const bool redrawAll = !ShownValid || blinkMode != ShownBlinkMode;
  const bool phaseChanged = cellsOn != ShownCellsOn && BlinkingShown > 0;
  // Every cell is drawn again from a fresh copy of the grid.
  takeSnapshot = takeSnapshot || redrawAll;
  if (!takeSnapshot && !phaseChanged) {
    ShownCellsOn = cellsOn;
    return {};
  }
  uint8_t cx = ShownCursorX, cy = ShownCursorY;
  if (takeSnapshot) Con.Snapshot(Snap, cx, cy);
  const TCellGrid& cells = takeSnapshot ? Snap : Shown;
  TRenderResult result;
  result.Changed = redrawAll || cx != ShownCursorX || cy != ShownCursorY;
  int blinking = 0;
  for (int r = 1; r <= Con.Rows; ++r) {
    for (int c = 1; c <= Con.Cols; ++c) {
      const TScreenChar cell = cells.At(c - 1, r - 1);
      const bool blinks = IsBlinking(cell.Attr, blinkMode);
      blinking += blinks;
      const bool same = !redrawAll && (!takeSnapshot || Shown.At(c - 1, r - 1) == cell);
      if (same && !(blinks && phaseChanged)) continue;
      DrawCellLocked(c, r, cell, blinkMode, cellsOn);
      if (same) {
        AddBlinkRectLocked(c, r);
        result.BlinkDrawn = true;
      } else {
        result.Changed = true;
      }
    }
  }
  if (takeSnapshot) std::swap(Shown, Snap);
  ShownValid = true;
  ShownBlinkMode = blinkMode;
  ShownCellsOn = cellsOn;
  BlinkingShown = blinking;
  ShownCursorX = cx;
  ShownCursorY = cy;
  return result;
}

bool TSDLConsole::RefreshAt(TClock::time_point now) {
  if (!IsReady) return false;
  bool full = false, blinkCells = false;
  {
    std::lock_guard lock(RenderLock);
    // Cleared before rendering, so a write made during the render is not lost.
    const TRenderResult drawn = RenderLocked(Con.Dirty.exchange(false), CellsOnAt(now));
    if (drawn.Changed) {
      full = true;
      BlinkStart = now;  // after a change the cursor shows at once
    }
    blinkCells = drawn.BlinkDrawn;
  }
  if (full || blinkCells) RequestPresent(full);
  return full;
}

TSDLConsole::TClock::time_point TSDLConsole::NextBlinkChange(TClock::time_point now) const {
  std::lock_guard lock(RenderLock);
  if (BlinkingShown == 0) return now + std::chrono::hours(1);
  const auto phases = (now - CellBlinkEpoch) / kCellBlinkPhase;
  return CellBlinkEpoch + (phases + 1) * kCellBlinkPhase;
}

bool TSDLConsole::CursorBlinksAtLocked(TClock::time_point now) const {
  return CursorBlink && now - BlinkStart < kBlinkFor;
}

bool TSDLConsole::CursorOnAtLocked(TClock::time_point now) const {
  return !CursorBlinksAtLocked(now) || ((now - BlinkStart) / kBlinkPhase) % 2 == 0;
}

int TSDLConsole::ShowCursorPhase() {
  const TClock::time_point now = TClock::now();
  bool on = true, blinks = false;
  TClock::time_point next{};
  {
    std::lock_guard lock(RenderLock);
    on = CursorOnAtLocked(now);
    blinks = CursorBlinksAtLocked(now);
    next = BlinkStart + ((now - BlinkStart) / kBlinkPhase + 1) * kBlinkPhase;
  }
  if (on != CursorPhase) Present();
  if (!blinks) return -1;
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(next - now).count());
}

void TSDLConsole::Changed(TChange what) {
  switch (what) {
    case TChange::Cells:
      if (ChangeWaker) ChangeWaker();
      break;
    case TChange::Look:
      LookChanged();
      break;
    case TChange::Key:
      Sound.Click();
      break;
  }
}

void TSDLConsole::RequestPresent(bool full) {
  if (full) FullPresentPending = true;
  if (OnMainThread()) {
    Present();
    return;
  }
  if (PresentPending.exchange(true)) return;
  SDL_Event e{};
  e.type = PresentEvent;
  if (SDL_PushEvent(&e) != 1) PresentPending = false;
}

void TSDLConsole::Present() {
  PresentPending = false;
  const bool full = FullPresentPending.exchange(false) || DragButtons != 0;
  if (!IsReady) return;
  // Owned by the window, and replaced by SDL when the window's size changed.
  SDL_Surface* const ws = SDL_GetWindowSurface(Window.get());
  if (!ws) return;
  std::lock_guard lock(RenderLock);
  if (!BackSurface) return;
  CursorPhase = CursorOnAtLocked(TClock::now());
  const int cw = CellWidth(), ch = CellHeight();
  SDL_Rect cell{(ShownCursorX - 1) * cw, (ShownCursorY - 1) * ch, cw, ch};
  std::vector<SDL_Rect> rects;
  rects.swap(BlinkRects);
  if (full) {
    // A fullscreen window is larger than the cells: keep the margin black.
    if (ws->w != PixelWidth || ws->h != PixelHeight) SDL_FillRect(ws, nullptr, 0);
    SDL_Rect dst = ScreenRect;
    SDL_BlitSurface(BackSurface.get(), &ScreenRect, ws, &dst);
  } else {
    // Only blinks: copy the blinking cells and put the cursor's cell back.
    rects.push_back(cell);
    for (const SDL_Rect& r : rects) {
      SDL_Rect src = r, dst = r;
      SDL_BlitSurface(BackSurface.get(), &src, ws, &dst);
    }
  }
  if (CursorPhase) {
    SDL_Rect dst = cell;
    SDL_BlitSurface(CursorCell.get(), nullptr, ws, &dst);
  }
  if (DragButtons != 0) DrawHighlightLocked(ws);
  if (full) {
    SDL_UpdateWindowSurface(Window.get());
    return;
  }
  const SDL_Rect all{0, 0, ws->w, ws->h};
  size_t shown = 0;
  for (size_t i = 0; i < rects.size(); ++i) {
    const SDL_Rect r = rects[i];
    if (SDL_IntersectRect(&r, &all, &rects[shown])) ++shown;
  }
  if (shown > 0) SDL_UpdateWindowSurfaceRects(Window.get(), rects.data(), static_cast<int>(shown));
}

void TSDLConsole::DrawHighlightLocked(SDL_Surface* target) {
  SDL_Rect block;
  const TCellSelection sel = CurrentSelection(&block);
  if (DragButtons == 2) {
    SDL_Rect dst = block;
    SDL_BlitSurface(Overlay.get(), &block, target, &dst);
    return;
  }
  if (DragButtons != 1) return;
  const int cw = CellWidth(), ch = CellHeight();
  for (const TRowSpan& span : StreamRows(sel, Con.Cols)) {
    SDL_Rect r{(span.First - 1) * cw, (span.Row - 1) * ch, (span.Last - span.First + 1) * cw, ch};
    SDL_Rect dst = r;
    SDL_BlitSurface(Overlay.get(), &r, target, &dst);
  }
}

TCellSelection TSDLConsole::CurrentSelection(SDL_Rect* snapped) const {
  return SnapSelection(SelectionRect, CellWidth(), CellHeight(), snapped);
}
