#pragma once

#include <cstdint>
#include <string>

// Choosing, loading and deleting the font file the main screen shows.

// The mask the font file dialogs start with.
constexpr char kFontMask[] = "*.tdf";

// Loads path as the shell's font file. A file that cannot be read or holds
// no font is refused with a message box, and the font unit is left without
// a usable list; true when the file is loaded and LastFontFile names it.
bool LoadShellFontFile(const std::string& path);
// Loads path, or, when it names no file, asks with the " Load Font " dialog
// in FontPath until a file with fonts is loaded (true) or the user leaves the
// dialog (false). Every refused file is explained before the dialog returns.
bool ChooseFontFile(const std::string& path);

// L: another file from the dialog. A file that cannot be shown is explained
// and the file shown before stays loaded. n is the font to show afterwards.
void LoadAnotherFontFile(int& n);
// D: asks "Delete NAME?" (NO first), deletes the loaded file and asks for another. False when the
// user then leaves the dialog: with no file loaded, the loop ends.
bool DeleteFontFile(int& n);

// The " Font Type " list: 0 for Esc, else 1 Outline, 2 Block, 3 Color.
uint8_t ChooseFontType();
