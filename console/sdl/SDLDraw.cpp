#include "console/sdl/SDLDraw.h"

#include <algorithm>
#include <chrono>

#include "console/ConsoleLayer.h"
#include "console/sdl/SDLConsole.h"

namespace {
// While the screen changes the cells are checked every 15 ms. A second after
// the last change the thread only wakes for the cursor blink and every
// 100 ms: each wake-up costs CPU even when there is nothing to do, and the
// main thread wakes it at once whenever it waits with cells to draw.
constexpr std::chrono::milliseconds kCycle{15};
constexpr std::chrono::milliseconds kIdleCycle{100};
constexpr std::chrono::seconds kIdleAfter{1};
}  // namespace

TSDLDraw::~TSDLDraw() {
  Console.RefreshWaker = nullptr;
  {
    std::lock_guard lock(WakeLock);
    StopRequested = true;
  }
  Wake.notify_all();
  if (Thread.joinable()) Thread.join();
}

void TSDLDraw::Start() {
  if (Thread.joinable()) return;
  Console.RefreshWaker = [this] { WakeUp(); };
  Thread = std::thread([this] { Execute(); });
}

void TSDLDraw::WakeUp() {
  {
    std::lock_guard lock(WakeLock);
    WakeRequested = true;
  }
  Wake.notify_one();
}

void TSDLDraw::Execute() {
  using TClock = TSDLConsole::TClock;
  TClock::time_point lastChange = TClock::now();
  std::unique_lock lock(WakeLock);
  while (!QuitRequested && !StopRequested) {
    lock.unlock();
    const TClock::time_point now = TClock::now();
    if (Console.Refresh()) lastChange = now;
    TClock::time_point next = now + kCycle;
    if (now - lastChange > kIdleAfter) next = std::min(now + kIdleCycle, Console.NextBlinkChange(now));
    lock.lock();
    Wake.wait_until(lock, next, [this] { return StopRequested || WakeRequested; });
    WakeRequested = false;
  }
  Done = true;
}
