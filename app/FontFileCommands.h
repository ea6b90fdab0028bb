#pragma once

#include <cstdint>
#include <string>

#include "app/ShellState.h"

// Choosing, loading and deleting the font file the main screen shows.

// The mask the font file dialogs start with: the dialogs that save list
// TheDraw font files, those that open (load, merge) and the font folder's
// FIGlet and TOIlet fonts too.
constexpr char kFontMask[] = "*.tdf";
constexpr char kFontReadMask[] = "*.tdf;*.flf;*.tlf";

// Loads path as the shell's font file (shell.Font, with its last font
// selected). A file that cannot be read or holds no font is refused with a
// message box, and shell.Font stays as it was; true when the file is loaded
// and shell.Font.Path names it.
bool LoadShellFontFile(TShell& shell, const std::string& path);
// The one reload of the shell's font file, after every change to it: reads
// it again and selects font n (0: the last font, as a load does). After a
// change refused because the file changed since it was loaded (refusal
// kFontFileChanged) the font shown stays shown wherever it is now
// (ReloadSameFont) rather than font n. False when the file could not be
// read (shell.Font then stays as it was) or holds no valid font n; a file
// that cannot be opened is reported at the cursor.
bool ReloadShellFont(TShell& shell, int n, int refusal = 0);
// Loads path, or, when it names no file, asks with the " Load Font " dialog
// in FontPath until a file with fonts is loaded (true) or the user leaves the
// dialog (false). Every refused file is explained before the dialog returns.
bool ChooseFontFile(TShell& shell, const std::string& path);

// L: another file from the dialog, shown from its last font. A file that
// cannot be shown is explained, and the file and font shown before stay.
void LoadAnotherFontFile(TShell& shell, int& n);
// B: every font under BrowseFolder() in the font browser, with DisplayText
// drawn in the highlighted font. Enter loads the chosen font's file as the
// shell's font file and sets n to that font; Esc leaves the shell's font and
// n as they were.
void BrowseFonts(TShell& shell, int& n);
// W: the font folder from a folder dialog that starts in it. The folder
// chosen becomes FontPath (kept in brixel.ini as [fonts] path) and the
// fonts dialogs' folder, and its fonts are shown in the browser as by B.
void ChooseFontFolder(TShell& shell, int& n);
// D: asks "Delete NAME?" (NO first), deletes the loaded file and asks for another. False when the
// user then leaves the dialog: with no file loaded, the loop ends.
bool DeleteFontFile(TShell& shell, int& n);

// The " Font Type " list: 0 for Esc, else 1 Outline, 2 Block, 3 Color.
uint8_t ChooseFontType(TShell& shell);
