#pragma once

#include "app/ShellState.h"

// The main screen's commands that change font files: N, I, F change the
// current font's header and keep it shown; E writes it to a file of its own;
// M appends another file's fonts and shows the last one; C makes a new file;
// Del, Ins, PgUp and PgDn delete, duplicate and move the font shown inside its
// file and show the font that takes its place, its copy, or it in its new
// place; G edits a glyph of the current font. n is the font shown. A
// failure is shown in a message box; a cancelled prompt, dialog or list
// changes nothing.

void RenameFont(TShell& shell, int& n);
void ChangeSpacing(TShell& shell, int& n);
void ChangeFontType(TShell& shell, int& n);
void ExtractCurrentFont(TShell& shell, int n);
void MergeAnotherFile(TShell& shell, int& n);
void CreateNewFontFile(TShell& shell);
void DeleteFontFromFile(TShell& shell, int& n);
void DuplicateFont(TShell& shell, int& n);
void MoveFontUp(TShell& shell, int& n);
void MoveFontDown(TShell& shell, int& n);
// G: asks for a character with the " TDF Chars " browser and edits that
// glyph of the selected font.
void EditGlyphCommand(TShell& shell);
