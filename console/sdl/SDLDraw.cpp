#include "console/sdl/SDLDraw.h"

#include <chrono>

#include "console/sdl/SDLConsole.h"

namespace {
// Writes come in bursts (a screen is drawn cell by cell): they are rendered
// at most once per cycle, not once per write.
constexpr std::chrono::milliseconds kCycle{15};
}  // namespace

TSDLDraw::~TSDLDraw() {
  Window.RefreshWaker = nullptr;
  Window.ChangeWaker = nullptr;
  {
    std::lock_guard lock(WakeLock);
    StopRequested = true;
  }
  Wake.notify_all();
  if (Thread.joinable()) Thread.join();
}

void TSDLDraw::Start() {
  if (Thread.joinable()) return;
  Window.RefreshWaker = [this] { WakeUp(); };
  Window.ChangeWaker = [this] { CellsChanged(); };
  Thread = std::thread([this] { Execute(); });
}

void TSDLDraw::WakeUp() {
  {
    std::lock_guard lock(WakeLock);
    WakeRequested = true;
  }
  Wake.notify_one();
}

void TSDLDraw::CellsChanged() {
  {
    std::lock_guard lock(WakeLock);
    ChangeRequested = true;
  }
  Wake.notify_one();
}

void TSDLDraw::Execute() {
  using TClock = TSDLConsole::TClock;
  std::unique_lock lock(WakeLock);
  while (!QuitRequested && !StopRequested) {
    lock.unlock();
    const TClock::time_point now = TClock::now();
    Window.RefreshAt(now);
    // No polling: each wake-up costs CPU even when there is nothing to do.
    // A requested quit is seen at the next wake-up.
    const TClock::time_point blink = Window.NextBlinkChange(now);
    lock.lock();
    Wake.wait_until(lock, blink,
                    [this] { return StopRequested || WakeRequested || ChangeRequested; });
    if (ChangeRequested && !WakeRequested)
      Wake.wait_until(lock, now + kCycle, [this] { return StopRequested || WakeRequested; });
    WakeRequested = ChangeRequested = false;
  }
  Done = true;
}
