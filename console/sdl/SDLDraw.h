#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class TSDLConsole;

// The refresh thread: sleeps until the cells change or blinking cells (blink
// mode) change phase, then calls Refresh() of the console, until it wakes to
// find QuitRequested set or the object is destroyed. The cursor's blink does not
// wake it: the main thread times that. Created suspended; Start() runs it.
// The console must outlive it.
class TSDLDraw {
 public:
  explicit TSDLDraw(TSDLConsole& console) : Console(console) {}
  // Stops the thread (without waiting for QuitRequested) and joins it.
  ~TSDLDraw();
  TSDLDraw(const TSDLDraw&) = delete;
  TSDLDraw& operator=(const TSDLDraw&) = delete;

  void Start();
  // The loop has ended (QuitRequested was seen at the first wake-up after it
  // was set, such as a write); the thread is about to finish.
  bool Finished() const { return Done; }

  TSDLConsole& Console;

 private:
  void Execute();

  // Called by the console's main thread when it is about to wait with
  // changed cells: the next cycle starts at once.
  void WakeUp();
  // Called by the console's main thread when the cells change after they
  // were drawn: the next cycle starts within one cycle of the last.
  void CellsChanged();

  std::mutex WakeLock;
  std::condition_variable Wake;
  bool StopRequested = false;
  bool WakeRequested = false;
  bool ChangeRequested = false;
  std::atomic<bool> Done{false};
  std::thread Thread;
};
