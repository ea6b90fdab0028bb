#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "console/KeyCodes.h"
#include "console/TextConsole.h"
#include "support/ConsoleTestSupport.h"

// The screen as it stood when the program sat waiting for a key.
struct TWaitShot {
  TCellGrid Cells;
  uint8_t CursorX = 0;
  uint8_t CursorY = 0;
};

// A headless console driven by a key script in steps. Each time the program
// waits for a key with nothing buffered, the screen is recorded and the next
// step's bytes go into the real key buffer. A script that runs out before the
// loop ended is counted in Overruns and answered with Enter and ESC, which
// leave a prompt or the help screen and then the loop, so a wrong script
// fails the test instead of hanging in a prompt that ignores ESC.
// In a step of a script, 0 and this byte stand for a mouse event.
constexpr uint8_t kScriptMouse = 0xF2;

class TWaitingConsole : public TTestConsole {
 public:
  bool WaitForEvent() override {
    TWaitShot& shot = Waits.emplace_back();
    Snapshot(shot.Cells, shot.CursorX, shot.CursorY);
    if (Steps.empty()) {
      // Then the headless answer (ESC), which ends in an abort if it never helps.
      if (++Overruns > kMaxOverruns) return TTestConsole::WaitForEvent();
      PushKey('\r');
      PushKey(27);
      return true;
    }
    const std::vector<uint8_t>& step = Steps.front();
    for (size_t i = 0; i < step.size(); ++i) {
      // 0, kScriptMouse stands for the next event of MouseScript, put in as
      // the window puts one in.
      if (step[i] == 0 && i + 1 < step.size() && step[i + 1] == kScriptMouse &&
          !MouseScript.empty()) {
        PushEvent(MouseScript.front());
        MouseScript.pop_front();
        ++i;
        continue;
      }
      PushKey(step[i]);
    }
    Steps.pop_front();
    return true;
  }

  static constexpr int kMaxOverruns = 100;
  std::deque<std::vector<uint8_t>> Steps;
  std::deque<TMouseEvent> MouseScript;
  std::vector<TWaitShot> Waits;
  int Overruns = 0;
};

// Row y of a recorded screen: the characters (0 shown as a space) and the
// attributes as two hex digits per cell.
inline std::string ShotText(const TWaitShot& shot, int y) {
  std::string row;
  for (const TScreenChar cell : shot.Cells.Row(y - 1))
    row += static_cast<char>(cell.Ch == 0 ? ' ' : cell.Ch);
  return row;
}

inline std::string ShotAttrs(const TWaitShot& shot, int y) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string row;
  for (const TScreenChar cell : shot.Cells.Row(y - 1)) {
    row += kHex[cell.Attr >> 4];
    row += kHex[cell.Attr & 15];
  }
  return row;
}
