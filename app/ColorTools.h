#pragma once

#include <cstdint>
#include <string>

#include "app/ShellState.h"

// Colour tools over the text area, rows 2..21 and columns 1..80: they change
// what is on the screen only, never a font file.

// Every cell of the text area gets attr; the characters stay.
void RecolorText(TTextConsole& con, uint8_t attr);
// Every cell of the text area whose attribute is oldAttr gets newAttr.
void SubstituteAttr(TTextConsole& con, uint8_t oldAttr, uint8_t newAttr);

// P: the used colours in a box as wide as they need, ending on row 23 (two
// rows of swatches when one would not fit), until a key; the screen comes back.
void ShowPalette(TShell& shell);
// R and U with their row-25 prompts; both set KeepScreen.
void RecolorCommand(TShell& shell);
void SubstituteCommand(TShell& shell);
