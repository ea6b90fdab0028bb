#pragma once

#include <string>
#include <string_view>

#include "console/TextConsole.h"

// Modal file pickers: the directory being shown, the files matching a mask
// (letters in either case), the subdirectories, and a field at the bottom.
// Focus moves Files -> (Tab or Right) Directories -> (Tab) bottom field ->
// (Tab) directory field -> (Tab) Files; a character typed in a list goes to
// the bottom field. Esc anywhere leaves with an empty text. All put back the
// screen, the cursor, the text attribute and the process's current
// directory.
//
// Enter in the bottom field takes what was typed: a folder (relative to the
// one shown, absolute, or from "~/") is entered; a path with a name goes to
// its folder first, then the name is a mask when it holds "*" or "?", and
// else the file to open or save. A relative directory given is taken from the
// current directory; every directory is shown as the absolute path it names.

// An existing file chosen from the list or typed (a typed name that is no
// file is taken as a mask): its directory and name, or "".
std::string OpenFileDialog(TTextConsole& con, std::string_view title, std::string_view dir,
                           std::string_view mask);
// A file name to write, picked or typed; "" on Esc. It starts in the name
// field holding defaultName, so Enter takes the name shown. Before an
// existing file it asks "NAME exists. Overwrite?", starting on NO.
std::string SaveFileDialog(TTextConsole& con, std::string_view title, std::string_view defaultName,
                           std::string_view dir, std::string_view mask);
// A folder, with a "/" at its end, or "" on Esc. It starts in the folder list;
// the files of the folder shown that match mask are listed as a preview.
// Enter in the file list takes the folder shown, Enter in the bottom field
// (which shows the folder) the folder typed there.
std::string FolderDialog(TTextConsole& con, std::string_view title, std::string_view dir,
                         std::string_view mask);
