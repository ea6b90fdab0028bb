#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class TSDLConsole;

// The refresh thread: sleeps until the cells change or blinking cells (blink
// mode) change phase, then calls Refresh() of the window, until it wakes to
// find a quit requested or the object is destroyed. The cursor's blink does not
// wake it: the main thread times that. Created suspended; Start() runs it.
// The console must outlive it.
class TSDLDraw {
 public:
  explicit TSDLDraw(TSDLConsole& window) : Window(window) {}
  // Stops the thread (without waiting for a requested quit) and joins it.
  ~TSDLDraw();
  TSDLDraw(const TSDLDraw&) = delete;
  TSDLDraw& operator=(const TSDLDraw&) = delete;

  void Start();
  // The loop ends at its next wake-up (the shell clears the screen after
  // asking, which wakes it); destruction stops it in any case.
  void RequestQuit() { QuitRequested = true; }
  // The loop has ended (a requested quit was seen at the first wake-up after
  // it, such as a write); the thread is about to finish.
  bool Finished() const { return Done; }

  TSDLConsole& Window;

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
  std::atomic<bool> QuitRequested{false};
  std::atomic<bool> Done{false};
  std::thread Thread;
};
