#pragma once

#include <string>
#include <string_view>

#include "app/CommandLoop.h"
#include "app/ShellState.h"
#include "console/LineEditor.h"
#include "support/FontUnitFixture.h"
#include "support/ScreenFixture.h"

// The shell runs on global state: its settings and its font (ShellFont). Every
// test starts from their start-up values with the waiting console installed
// and a temp dir for its font files; the sample text is "adf1", which the
// tests' fonts draw from their "a" on.
class ShellTest : public ScreenTest {
 protected:
  void SetUp() override {
    ResetShellState();
    DisplayText = "adf1";
    ScreenTest::SetUp();
  }

  void TearDown() override {
    ScreenTest::TearDown();
    ResetShellState();
  }

  // Writes the file as `name`, loads it as the shell's font and answers its path.
  std::string Load(const TTdfBuilder& builder, std::string_view name = "font.tdf") {
    const std::string path = ScreenTest::Load(builder, ShellFont, name);
    LastFontFile = path;
    return path;
  }

  // Runs the command loop from the font the load selected, as the shell does.
  void RunLoop() { RunCommandLoop(ShellFont.Selected); }
};
