#pragma once

#include <cstdint>
#include <string>

// What a text console needs from the platform that shows it (the SDL
// window, or a test's script): to hear that it changed, to wait for input
// or for time to pass, and the clipboard. A console without a host runs headless.
class TConsoleHost {
 public:
  enum class TChange : uint8_t {
    Cells,  // cells or cursor changed after they were drawn (once per burst)
    Look,   // the palette or the row look changed
    Key,    // a key byte was stored (the window plays the click)
  };

  virtual ~TConsoleHost() = default;

  // Called on the thread that changed the console.
  virtual void Changed(TChange what) = 0;
  // Waits up to timeoutMs (negative: as long as it takes) for one platform
  // event and handles it. False when none came in time or there is nothing
  // to wait on here (no window, or not the window's thread).
  virtual bool AwaitEvent(int timeoutMs) = 0;
  // Lets ms pass; the window keeps handling events meanwhile, so it stays
  // current and responsive.
  virtual void Pause(uint16_t ms) = 0;
  // The clipboard as UTF-8 text (empty when there is none).
  virtual std::string Clipboard() = 0;
};
