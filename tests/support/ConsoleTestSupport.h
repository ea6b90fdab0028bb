#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <thread>

#include "console/TextConsole.h"

// The characters of row y, columns 1..Cols, as raw bytes (cell 0 stays '\0').
std::string ScreenRow(const TTextConsole& con, int y);
// Same, with character 0 shown as a space: handy for comparing visible text.
std::string VisibleRow(const TTextConsole& con, int y);
// The attributes of row y as two lower-case hex digits per cell, no separators.
std::string AttrRow(const TTextConsole& con, int y);
// Queues key bytes as if typed.
void PushKeys(TTextConsole& con, std::string_view bytes);
void PushKeys(TTextConsole& con, std::initializer_list<int> bytes);

// A headless console for tests. A ReadKey with nothing buffered answers ESC as
// in the program, and is counted, so a test can check that its key script
// sufficed; one that keeps asking is a script that forgot its input, and the
// test binary stops instead of spinning forever.
// The console is its own host: a test's console waits in WaitForEvent, which
// a script overrides to put in the next keys.
class TTestConsole : public TTextConsole, public TConsoleHost {
 public:
  explicit TTestConsole(uint8_t mode = 1) : TTextConsole(mode) { SetHost(this); }
  TTestConsole(int cols, int rows) : TTextConsole(cols, rows) { SetHost(this); }

  // A blocking wait for input: true when some was put in.
  virtual bool WaitForEvent();

  void Changed(TChange) override {}
  bool AwaitEvent(int timeoutMs) override { return timeoutMs < 0 && WaitForEvent(); }
  void Pause(uint16_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
  std::string Clipboard() override { return {}; }

  int32_t StarvedReads = 0;
};

// A headless console for one test.
class HeadlessConsoleTest : public ::testing::Test {
 protected:
  std::string Row(int y) const { return ScreenRow(Con, y); }
  std::string Visible(int y) const { return VisibleRow(Con, y); }
  std::string Attrs(int y) const { return AttrRow(Con, y); }
  void Keys(std::string_view bytes) { PushKeys(Con, bytes); }
  void Keys(std::initializer_list<int> bytes) { PushKeys(Con, bytes); }

  TTestConsole Con{1};
};
