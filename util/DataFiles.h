#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Where a data file (glyph sheet, sound, icon) is read from: the working
// directory first, then the directory of the executable (the build tree keeps
// a copy there), then the installed data directory found from the executable
// (bin/../share/brixel), so an installed tree works wherever it was unpacked.
// Answers the first existing path; when none exists, the bare name (opening
// it then fails as it should).
std::string FindDataFile(std::string_view name);

// The same search over explicit directories (each ending in "/" or empty for
// the working directory), for tests.
std::string FindDataFileIn(std::string_view name, std::initializer_list<std::string_view> dirs);
