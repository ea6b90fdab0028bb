#pragma once

#include <span>
#include <string>

#include "tdf/FontFile.h"
#include "tdf/GlyphRender.h"

// Block and Outline fonts are drawn in BlockColor, which + and - change;
// Color fonts bring their own colours.
bool DrawnInBlockColor(const TFontFile& font);
// How the shell draws a sample: in BlockColor, Outline cells in OutlineStyle.
TFontDrawStyle SampleStyle();

// The 80-column status line for font n of a font file.
std::string StatusLine(const TFontFile& font, int n);
// Writes it on row 1 byte for byte, then leaves the text attribute at the
// colour the sample is drawn in.
void DrawStatusLine(const TFontFile& font, int n);

// One redraw of the main screen for font n of ShellFont, selected again from
// the file so the screen shows what is on disk: status line, sample text
// (unless KeepScreen), character list and help key. Leaves the cursor after
// the help key, in IdleAttr, ready to wait for a key.
void DrawMainScreen(int n);

// The help screen with one pipe-coded line per key, in two columns of 18;
// returns after any key.
void ShowHelp(std::span<const std::string> lines);
