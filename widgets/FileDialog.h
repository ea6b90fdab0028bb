#pragma once

#include <string>
#include <string_view>

// Modal file pickers: the directory being shown, the files matching a mask
// (letters in either case), the subdirectories, and a field at the bottom.
// Focus moves Files -> (Tab or Right) Directories -> (Tab) bottom field ->
// (Tab) directory field -> (Tab) Files; Esc anywhere leaves with an empty
// text. Both put back the screen, the cursor, the text attribute and the
// process's current directory; the shared line-editor settings stay as they were.
//
// A relative directory (given or typed) is taken from the current directory
// and shown as the absolute path it names.

// An existing file chosen from the list: its directory and name, or "".
std::string OpenFileDialog(std::string_view title, std::string_view dir, std::string_view mask);
// A file name to write, picked or typed; "" on Esc. It starts in the name
// field holding defaultName, so Enter takes the name shown. Before an
// existing file it asks "NAME exists. Overwrite?", starting on NO.
std::string SaveFileDialog(std::string_view title, std::string_view defaultName,
                           std::string_view dir, std::string_view mask);
