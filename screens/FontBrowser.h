#pragma once

// B: every font of every font file under FontPath in one list, "name [type]
// file", with DisplayText drawn in the highlighted font above it. F3 keeps
// only the fonts that have every character of the text; typing searches the
// names. Each highlighted font is drawn from a font value of the browser's
// own. Enter loads the highlighted font's file as the shell's font file and
// sets n to that font; Esc leaves the shell's font and n as they were.
void BrowseFonts(int& n);
