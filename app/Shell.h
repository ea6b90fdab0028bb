#pragma once

#include "app/ShellState.h"

// The application shell: everything from reading the configuration to the
// end of the command loop. The window program (app/main) creates the console
// and its refresh thread around it.

// Argument 1 asks for help when it contains "-H" in any letter case and names
// no existing file. Then the usage text goes to standard output and the
// answer is true; nothing else happens, so this works on a machine with no
// display.
bool HandleHelpSwitch(int argc, char** argv);
// Argument 1 "--version" (and no file of that name): "brixel VERSION" on
// standard output, answer true.
bool HandleVersionSwitch(int argc, char** argv);

// Start-up from the configuration on, the first font file, then the command
// loop, all on the shell's console. Returns when the loop ends; the caller
// then shuts down in order.
void RunShell(TShell& shell, int argc, char** argv);
