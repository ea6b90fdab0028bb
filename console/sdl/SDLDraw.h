#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class TSDLConsole;

// The refresh thread: about every 15 ms one Refresh() of the console, until
// the program sets QuitRequested or the object is destroyed. Created
// suspended; Start() runs it. The console must outlive it.
class TSDLDraw {
 public:
  explicit TSDLDraw(TSDLConsole& console) : Console(console) {}
  // Stops the thread (without waiting for QuitRequested) and joins it.
  ~TSDLDraw();
  TSDLDraw(const TSDLDraw&) = delete;
  TSDLDraw& operator=(const TSDLDraw&) = delete;

  void Start();
  // The loop has ended (QuitRequested was seen); the thread is about to finish.
  bool Finished() const { return Done; }

  TSDLConsole& Console;

 private:
  void Execute();

  // Called by the console's main thread when it is about to wait with
  // changed cells: the next cycle starts at once instead of up to 15 ms later.
  void WakeUp();

  std::mutex WakeLock;
  std::condition_variable Wake;
  bool StopRequested = false;
  bool WakeRequested = false;
  std::atomic<bool> Done{false};
  std::thread Thread;
};
