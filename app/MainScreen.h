#pragma once

#include <string>

// The 80-column status line for font n of the loaded file.
std::string StatusLine(int n);

// One redraw of the main screen for font n: status line, sample text (unless
// KeepScreen), character list and help key. Leaves the cursor after the help
// key, in IdleAttr, ready to wait for a key.
void DrawMainScreen(int n);

// The help screen; returns after any key.
void ShowHelp();
