#pragma once

// The main screen's commands for ANSI art.

// A: picks an art file (ANSI, BIN, XBin, ArtWorx, iCE Draw, TundraDraw,
// PCBoard) in the art folder and shows it in the viewer;
// while it is open, a middle-button drag captures a glyph instead of copying.
void ViewAnsiImage();
// S: saves the working area of the screen as an .ans file named after font n,
// in the folder the last one went to; a save that fails is reported.
void SaveScreenAsAnsi(int n);
