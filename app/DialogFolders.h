#pragma once

#include <string>

#include "app/ShellState.h"

// Where the file dialogs of the main screen open: each kind in the folder it
// last returned a file from, so a second A, S or L goes on where the first
// one ended. The folder of a font file loaded counts as one the font
// dialogs returned.
enum class TFolderKind { Fonts, Art, Screens };

// The remembered folder of kind when it still exists; else FontPath for
// fonts, and the folder of the font file shown (then StartDir) for art and
// saved screens.
std::string DialogFolder(TShell& shell, TFolderKind kind);
// Remembers the folder of path, a file a dialog of that kind returned (or,
// for fonts, loaded). The art folder is also kept in brixel.ini ([ansi]
// path) for the next start; an ini that cannot be written only loses that.
void RememberDialogFolder(TShell& shell, TFolderKind kind, const std::string& path);

// The folder tree B lists: the font folder (FontPath) while the font file
// shown lies in it, else the shown file's own folder.
std::string BrowseFolder(const TShell& shell);
