#pragma once

#include <string>
#include <string_view>

#include "app/CommandLoop.h"
#include "app/ShellState.h"
#include "support/FontUnitFixture.h"
#include "support/ScreenFixture.h"
#include "widgets/LineEditor.h"

// A shell on the waiting console, from its start-up values, and a temp dir
// for its font files; the sample text is "adf1", which the tests' fonts draw
// from their "a" on.
class ShellTest : public ScreenTest {
 protected:
  void SetUp() override { Shell.DisplayText = "adf1"; }

  // Writes the file as `name`, loads it as the shell's font and answers its path.
  std::string Load(const TTdfBuilder& builder, std::string_view name = "font.tdf") {
    return ScreenTest::Load(builder, Shell.Font, name);
  }

  // Runs the command loop from the font the load selected, as the shell does.
  void RunLoop() { RunCommandLoop(Shell, Shell.Font.Selected); }

  TShell Shell{Screen};
};
