#pragma once

#include <string>

// Where the file dialogs of the main screen open: each kind in the folder it
// last returned a file from, so a second A, S or L goes on where the first
// one ended.
enum class TFolderKind { Fonts, Art, Screens };

// The remembered folder of kind when it still exists; else FontPath for
// fonts and StartDir for art and saved screens.
std::string DialogFolder(TFolderKind kind);
// Remembers the folder of path, a file a dialog of that kind returned. The
// art folder is also kept in brixel.ini ([ansi] path) for the next start; an
// ini that cannot be written only loses that.
void RememberDialogFolder(TFolderKind kind, const std::string& path);
