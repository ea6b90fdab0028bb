#pragma once

#include "app/ShellState.h"

// The main screen's commands for ANSI art.

// A: picks an art file (ANSI, BIN, XBin, ArtWorx, iCE Draw, TundraDraw,
// PCBoard) in the art folder and shows it in the viewer;
// while it is open, a middle-button drag captures a glyph instead of copying.
void ViewAnsiImage(TShell& shell);
// S: saves the working area of the screen as an .ans file named after font n,
// in the folder the last one went to; a save that fails is reported.
void SaveScreenAsAnsi(TShell& shell, int n);
