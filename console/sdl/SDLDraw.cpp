#include "console/sdl/SDLDraw.h"

#include <chrono>

#include "console/ConsoleLayer.h"
#include "console/sdl/SDLConsole.h"

namespace {
constexpr std::chrono::milliseconds kCycle{15};
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
  std::unique_lock lock(WakeLock);
  while (!QuitRequested && !StopRequested) {
    lock.unlock();
    Console.Refresh();
    lock.lock();
    Wake.wait_for(lock, kCycle, [this] { return StopRequested || WakeRequested; });
    WakeRequested = false;
  }
}
