#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/ShellState.h"

// Runs the main screen from font n until the user leaves (ESC or another
// exit of the loop). The caller shuts down afterwards.
void RunCommandLoop(TShell& shell, int n);

// One pass: redraw, wait for a key, run its command. Answers false when the
// loop must end. n is the font shown and is kept in 1..shell.Font.Count().
// The first screen shows a hint of the main keys on row 25.
bool RunCommandPass(TShell& shell, int& n, bool firstScreen = false);

// The help screen's lines, pipe-coded, one per key of the main screen: they
// come from the table the loop dispatches on, so no key goes unlisted.
std::vector<std::string> MainHelpLines();
