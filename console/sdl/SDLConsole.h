#pragma once

#include <SDL.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "console/ConsoleHost.h"
#include "console/TextConsole.h"
#include "console/sdl/ConsoleSound.h"
#include "console/sdl/GlyphRenderer.h"
#include "console/sdl/SdlHandles.h"
#include "console/sdl/Selection.h"

// The SDL window that shows a text console: its cells drawn from a PNG glyph
// sheet in the 16-colour palette, keys and mouse from SDL events put into
// it, the click on every key. The console hears nothing of SDL: the window
// is its host (console/ConsoleHost.h).
//
// Threads. The thread that constructs the console (the main thread) owns the
// window and every event: handling them, resizing, presenting the picture.
// The refresh thread (TSDLDraw) only calls Refresh(), which renders changed
// cells into the back surface, and blinking cells (blink mode) at their
// phases; when the window needs presenting it wakes the main thread with a
// user event. Every wait of the main thread (ReadKey, Delay, KeyPressed)
// handles events and so presents, and times the cursor's blink itself: it
// must wake to present each phase anyway, so the refresh thread need not.
// RenderLock guards the surfaces and the glyph renderer with its cell size: a
// resize replaces them under it, so a refresh never sees them half made.
class TSDLConsole final : public TConsoleHost {
 public:
  using TClock = std::chrono::steady_clock;
  // How long each cursor phase lasts: a full blink about twice a second.
  static constexpr std::chrono::milliseconds kBlinkPhase{250};
  // How long the cursor blinks after the cells or the cursor last changed;
  // then it stays on, as the cursors of desktop text fields do, so a window
  // left waiting wakes for nothing. Whole blinks: the last phase ends on.
  static constexpr std::chrono::seconds kBlinkFor{10};
  static_assert(kBlinkFor % (2 * kBlinkPhase) == std::chrono::milliseconds(0));
  // How long blinking cells (blink mode) stay on, and off: 16 frames of 60 Hz
  // each, as the PC's text modes blinked, about 1.9 times a second. The
  // phases run on their own clock: writes do not restart them.
  static constexpr std::chrono::milliseconds kCellBlinkPhase{267};

  // Opens the window for console (its mode: 1 80x25, 2 80x50, 3 132x50)
  // with the glyph sheet fontPath, or the mode's own sheet when fontPath is
  // empty, and becomes the console's host. diagnostics turns the console's
  // Log on. On a failure Ready() answers false, StartFailure() says why and
  // the caller ends. The console must outlive the window.
  TSDLConsole(TTextConsole& console, std::string_view title, std::string_view fontPath,
              bool diagnostics = false);
  ~TSDLConsole() override;
  TSDLConsole(const TSDLConsole&) = delete;
  TSDLConsole& operator=(const TSDLConsole&) = delete;

  bool Ready() const { return IsReady; }
  // Why the window could not start, in one line ("no display: ..."); empty
  // when it started.
  const std::string& StartFailure() const { return StartError; }
  // Loads the window icon; a missing file leaves the window without one.
  bool SetIcon(std::string_view fileName);
  bool HasIcon() const { return IconSurface != nullptr; }
  // Null when the window could not be opened.
  SDL_Window* WindowHandle() const { return Window.get(); }
  // Pixel size of one cell in the window. Main thread only.
  int CellWidth() const { return Glyphs.CellWidth(); }
  int CellHeight() const { return Glyphs.CellHeight(); }
  // Lets read see the rendered cells (without the cursor) under RenderLock.
  void ReadBackSurface(const std::function<void(const SDL_Surface*)>& read) const;

  // One refresh cycle (any thread): renders the cells that changed since the
  // last cycle and the blinking cells at a change of phase, and gets the
  // window presented when anything visible changed.
  // Answers whether cells or the cursor position changed (not a mere blink).
  bool Refresh() { return RefreshAt(TClock::now()); }
  bool RefreshAt(TClock::time_point now);
  // When the blinking cells on the screen next change phase (far away when
  // none blinks).
  TClock::time_point NextBlinkChange(TClock::time_point now) const;
  // Copies the rendered screen to the window with the cursor and any drag
  // highlight on top. Main thread only.
  void Present();
  // Fits whole cells into a window of the given size. Main thread only.
  void Resize(int newWidth, int newHeight);

  // Acts on the event in EventBuffer. Main thread only.
  void HandleEvent();
  void CopySelection();
  // A finished middle-button drag: copied as a block of text, or reported
  // to the screen waiting for keys (MiddleDrag).
  void FinishBlockDrag();
  // A press, drag or release handed to the screen that takes the mouse.
  void ReportMouseEvent(const SDL_Event& e);
  // The current drag in cells (valid while DragButtons is not 0).
  TCellSelection CurrentSelection(SDL_Rect* snapped = nullptr) const;

  // --- the console's host --------------------------------------------------------
  // Cells wake the refresh thread, a look draws every cell again, a key clicks.
  void Changed(TChange what) override;
  // On the main thread only: elsewhere no event is taken (false).
  bool AwaitEvent(int timeoutMs) override;
  // On the main thread the wait keeps handling events; elsewhere it sleeps.
  void Pause(uint16_t ms) override;
  std::string Clipboard() override;
  // Handles one waiting event; false when none was waiting.
  bool PollEvent() { return AwaitEvent(0); }

  // The console the window shows.
  TTextConsole& Con;

  // --- state --------------------------------------------------------------------
  std::atomic<int32_t> PixelWidth{0}, PixelHeight{0};
  SDL_Rect ScreenRect{};
  // The window is fullscreen, as found after the last switch or resize.
  bool Fullscreen = false;
  int32_t PressX = 0, PressY = 0;
  SDL_Event EventBuffer{};
  // The drag rectangle between press and pointer, normalised and clamped.
  SDL_Rect SelectionRect{};
  // The cursor's blink phase in the last present.
  std::atomic<bool> CursorPhase{true};
  std::atomic<bool> CursorBlink{true};
  uint8_t DragButtons = 0;
  // The cell of the last reported mouse event: a move inside it is not news.
  int MouseCellX = 0, MouseCellY = 0;
  // Set by the refresh thread: starts its next cycle at once. The main thread
  // calls it before it blocks while cells are waiting to be drawn.
  std::function<void()> RefreshWaker;
  // Set by the refresh thread: the cells changed after it drew them, and it
  // draws them within one cycle. Called on the main thread (CellsChanged).
  std::function<void()> ChangeWaker;

 private:
  // Declared in creation order: released in reverse, SDL itself last.
  TSdlLibrary Library;
  TSdlSubsystem Video;

 public:
  // After SDL itself, so the sounds and the audio device go before SDL_Quit.
  TConsoleSound Sound;

 private:
  TWindowPtr Window;
  TSurfacePtr BackSurface;
  TSurfacePtr IconSurface;
  TSurfacePtr CursorCell;
  TSurfacePtr Overlay;
  // The glyph sheet, and the cell size it draws at.
  TGlyphRenderer Glyphs;
  TGlyphFont Sheet;  // as read, for a row look with colours only
  // The rows of the row look, in its glyphs and colours at the same cell size.
  TGlyphRenderer BandGlyphs;
  int BandFirst = 1, BandLast = 0;

 private:
  // Notes why the start failed, and logs it.
  void FailStart(std::string reason);
  bool OnMainThread() const { return std::this_thread::get_id() == MainThread; }
  void WakeRefreshIfDirty();
  // Draws every cell again in the console's palette and row look.
  void LookChanged();
  void RequestPresent(bool full);
  void MakeScreenSurfaces(uint32_t overlayColor);
  void MakeCursorCell();
  const TGlyphRenderer& RendererForRow(int r) const {
    return r >= BandFirst && r <= BandLast ? BandGlyphs : Glyphs;
  }
  struct TRenderResult {
    bool Changed = false;     // cells or the cursor position
    bool BlinkDrawn = false;  // only blinking cells, listed in BlinkRects
  };
  // Renders the cells whose picture differs from the last render: with
  // takeSnapshot the cells that changed in the grid, and at a phase change
  // (cellsOn) the blinking ones.
  TRenderResult RenderLocked(bool takeSnapshot, bool cellsOn);
  void DrawCellLocked(int c, int r, TScreenChar cell, bool blinkMode, bool cellsOn);
  // Notes a blinking cell redrawn for a present of only those cells.
  void AddBlinkRectLocked(int c, int r);
  bool CellsOnAt(TClock::time_point now) const;
  // Whether the cursor blinks at now, and whether it shows (RenderLock held).
  bool CursorBlinksAtLocked(TClock::time_point now) const;
  bool CursorOnAtLocked(TClock::time_point now) const;
  // Main thread, before it waits: presents the cursor when its blink phase
  // changed, and answers the milliseconds to its next change (-1: none
  // until the cells or the cursor change).
  int ShowCursorPhase();
  void DrawHighlightLocked(SDL_Surface* target);
  void HandleWindowEvent(const SDL_WindowEvent& e);
  void HandleKey(const SDL_Keysym& key);
  void HandleMouse(const SDL_Event& e);
  void ToggleFullscreen();
  // The window's real state: the window manager's where it tells, else SDL's.
  bool WindowIsFullscreen() const;

  bool IsReady = false;
  std::string StartError;
  std::thread::id MainThread;
  Uint32 PresentEvent = 0;
  // A present request is queued; the refresh thread sends no second one.
  std::atomic<bool> PresentPending{false};
  // Cells, cursor position or surfaces changed since the last present; when
  // false only the cursor blinked and one cell is redrawn.
  std::atomic<bool> FullPresentPending{true};

  mutable std::mutex RenderLock;
  TCellGrid Shown;  // cells as rendered into BackSurface
  TCellGrid Snap;   // scratch copy taken from the grid
  bool ShownValid = false;
  uint8_t ShownCursorX = 1, ShownCursorY = 1;
  TClock::time_point BlinkStart{};
  // The blink mode and cell phase BackSurface is drawn in, and how many
  // blinking cells it holds: with none, no cell phase wakes the thread.
  bool ShownBlinkMode = false;
  bool ShownCellsOn = true;
  int BlinkingShown = 0;
  // Blinking cells redrawn since the last present (rows of adjacent cells
  // joined); a present of only blinks copies just these to the window.
  std::vector<SDL_Rect> BlinkRects;
  const TClock::time_point CellBlinkEpoch = TClock::now();
};

// Ends the process at once with exit code 0 (window closed, Ctrl+Alt+C): no
// shutdown steps, nothing that could wait for the refresh thread.
[[noreturn]] void ExitAtOnce();
