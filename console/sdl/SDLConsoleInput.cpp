// Events of the SDL console: keys, mouse selection, window changes, and the
// waits of the main thread that keep handling them.
#include <algorithm>
#include <chrono>
#include <string>

#include "console/sdl/Clipboard.h"
#include "console/sdl/KeyTranslation.h"
#include "console/sdl/SDLConsole.h"
#include "console/sdl/X11WindowState.h"

namespace {
uint8_t ModsOf(uint16_t mod) {
  return static_cast<uint8_t>(((mod & KMOD_SHIFT) ? kModShift : 0) |
                              ((mod & KMOD_CTRL) ? kModCtrl : 0) |
                              ((mod & KMOD_ALT) ? kModAlt : 0));
}
}  // namespace

void TSDLConsole::WakeRefreshIfDirty() {
  if (Con.Dirty && RefreshWaker) RefreshWaker();
}

bool TSDLConsole::AwaitEvent(int timeoutMs) {
  if (!IsReady || !OnMainThread()) return false;
  WakeRefreshIfDirty();
  // The main thread, which presents the cursor, also times its blink: it
  // wakes for each phase until the event comes or the time is up.
  const auto deadline = TClock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
  for (;;) {
    int timeout = ShowCursorPhase();
    if (timeoutMs >= 0) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - TClock::now());
      const int ms = static_cast<int>(std::max<int64_t>(left.count(), 0));
      timeout = timeout < 0 ? ms : std::min(timeout, ms);
    }
    const int got =
        timeout == 0 ? SDL_PollEvent(&EventBuffer) : SDL_WaitEventTimeout(&EventBuffer, timeout);
    if (got == 1) break;
    if (timeout < 0 || (timeoutMs >= 0 && TClock::now() >= deadline)) return false;
  }
  HandleEvent();
  return true;
}

void TSDLConsole::Pause(uint16_t ms) {
  if (!IsReady || !OnMainThread()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return;
  }
  // The main thread owns the window: while it waits it keeps presenting and
  // taking events, so the window stays current and responsive.
  const auto deadline = TClock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - TClock::now());
    if (left.count() <= 0) break;
    AwaitEvent(static_cast<int>(left.count()));
  }
}

std::string TSDLConsole::Clipboard() {
  return GetClipboardText();
}

void TSDLConsole::HandleEvent() {
  // A copy: a handler that waited for events again would reuse EventBuffer.
  const SDL_Event e = EventBuffer;
  switch (e.type) {
    case SDL_QUIT:
      ExitAtOnce();
    case SDL_WINDOWEVENT:
      HandleWindowEvent(e.window);
      break;
    case SDL_KEYDOWN:
      HandleKey(e.key.keysym);
      break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      HandleMouse(e);
      break;
    default:
      if (PresentEvent != 0 && e.type == PresentEvent) Present();
      break;
  }
}

void TSDLConsole::HandleWindowEvent(const SDL_WindowEvent& e) {
  switch (e.event) {
    case SDL_WINDOWEVENT_RESIZED:
      Resize(e.data1, e.data2);
      Con.PushEvent(TResizeEvent{e.data1, e.data2});
      Con.Log("Resized...");
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      // The window system lost the picture (uncovered, restored): show it again.
      FullPresentPending = true;
      Present();
      break;
    default:
      break;
  }
}

bool TSDLConsole::WindowIsFullscreen() const {
  const bool believed = SDL_GetWindowFlags(Window.get()) & SDL_WINDOW_FULLSCREEN;
  return WindowManagerFullscreen(Window.get()).value_or(believed);
}

void TSDLConsole::ToggleFullscreen() {
  SDL_Window* const window = Window.get();
  const bool believed = SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN;
  const bool full = WindowIsFullscreen();
  // SDL ignores a switch to the state it believes the window is in. When the
  // window manager changed the state behind its back, tell SDL the real state
  // first, so that one press switches.
  if (believed != full) SDL_SetWindowFullscreen(window, full ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  // What the window is now, not what was asked: a refused switch changes nothing.
  Fullscreen = WindowIsFullscreen();
  Con.MarkDirty();
}

void TSDLConsole::HandleKey(const SDL_Keysym& key) {
  const TKeyResult r = TranslateKey(key.sym, key.mod);
  switch (r.Action) {
    case kaToggleFullscreen:
      ToggleFullscreen();
      break;
    case kaQuit:
      ExitAtOnce();
    case kaBytes:
      Con.PushKeyString(r.Bytes, ModsOf(key.mod));
      break;
    case kaExtended:
      Con.PushExtKey(r.Code, ModsOf(key.mod));
      break;
    case kaNone:
      break;
  }
}

void TSDLConsole::HandleMouse(const SDL_Event& e) {
  if (Con.MouseEvents) {
    ReportMouseEvent(e);
    return;
  }
  switch (e.type) {
    case SDL_MOUSEMOTION: {
      const bool wasDragging = DragButtons != 0;
      // A drag that leaves the window keeps selecting up to its edge.
      const int mouseX = std::clamp(e.motion.x, 0, std::max(0, PixelWidth - 1));
      const int mouseY = std::clamp(e.motion.y, 0, std::max(0, PixelHeight - 1));
      SelectionRect = DragRect(PressX, PressY, mouseX, mouseY, PixelWidth, PixelHeight);
      // Button state from the event itself, not from SDL's global mouse state.
      DragButtons = static_cast<uint8_t>(e.motion.state & 7);
      if (DragButtons != 0 || wasDragging) {
        FullPresentPending = true;
        Present();
      }
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
      PressX = std::clamp(e.button.x, 0, std::max(0, PixelWidth - 1));
      PressY = std::clamp(e.button.y, 0, std::max(0, PixelHeight - 1));
      break;
    case SDL_MOUSEBUTTONUP: {
      // Cleared first: the highlight goes with the release.
      const uint8_t buttons = DragButtons;
      DragButtons = 0;
      if (buttons != 0) {
        FullPresentPending = true;
        Present();
      }
      if (buttons == 1) CopySelection();
      if (buttons == 2) FinishBlockDrag();
      break;
    }
    default:
      break;
  }
}

void TSDLConsole::ReportMouseEvent(const SDL_Event& e) {
  if (CellWidth() <= 0 || CellHeight() <= 0) return;
  TMouseEvent event;
  int x = 0, y = 0;
  if (e.type == SDL_MOUSEMOTION) {
    // The first button held, as the press that started the drag named it.
    const uint32_t held = e.motion.state;
    if ((held & (SDL_BUTTON_LMASK | SDL_BUTTON_MMASK | SDL_BUTTON_RMASK)) == 0) return;
    event.Kind = TMouseEvent::TKind::Move;
    event.Button = (held & SDL_BUTTON_LMASK) ? 1 : (held & SDL_BUTTON_MMASK) ? 2 : 3;
    x = e.motion.x;
    y = e.motion.y;
  } else {
    if (e.button.button < SDL_BUTTON_LEFT || e.button.button > SDL_BUTTON_RIGHT) return;
    event.Kind =
        e.type == SDL_MOUSEBUTTONDOWN ? TMouseEvent::TKind::Press : TMouseEvent::TKind::Release;
    event.Button = e.button.button;
    x = e.button.x;
    y = e.button.y;
  }
  // A drag that leaves the window goes on at its edge.
  event.X = std::clamp(x / CellWidth() + 1, 1, static_cast<int>(Con.Cols));
  event.Y = std::clamp(y / CellHeight() + 1, 1, static_cast<int>(Con.Rows));
  if (event.Kind == TMouseEvent::TKind::Move && event.X == MouseCellX && event.Y == MouseCellY)
    return;
  MouseCellX = event.X;
  MouseCellY = event.Y;
  const SDL_Keymod mod = SDL_GetModState();
  event.Shift = (mod & KMOD_SHIFT) != 0;
  event.Alt = (mod & KMOD_ALT) != 0;
  Con.PushEvent(event);
}

void TSDLConsole::CopySelection() {
  const TCellSelection sel = CurrentSelection();
  const std::string text = SelectionToUtf8(StreamSelectionText(Con, sel));
  if (!PutClipboardText(text)) {
    Con.Log("Exception while copying text to clipboard");
    return;
  }
  if (sel.Dr >= 2) Con.Log("Text Copied to Clipboard");
}

void TSDLConsole::FinishBlockDrag() {
  const TCellSelection sel = CurrentSelection();
  if (Con.MiddleDrag == TBlockDrag::Report) {
    // The screen that asked for blocks acts on it when it reads the event.
    Con.PushEvent(TBlockEvent{{sel.C0, sel.R0, sel.C0 + sel.Dc, sel.R0 + sel.Dr}});
    return;
  }
  // Converted like the left-drag copy: raw code-page-437 bytes above 127
  // would not be valid text on the clipboard.
  if (PutClipboardText(SelectionToUtf8(BlockSelectionText(Con, sel))))
    Con.Log("Text Copied to Clipboard");
  else
    Con.Log("Exception while copying text to clipboard");
}
