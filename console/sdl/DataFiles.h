#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Where a data file (glyph sheet, sound, icon) is read from: the working
// directory first, then the directory of the executable, then the installed
// data directory, so Brixel starts from anywhere. Answers the first existing
// path; when none exists, the bare name (opening it then fails as it should).
std::string FindDataFile(std::string_view name);

// The same search over explicit directories (each ending in "/" or empty for
// the working directory), for tests.
std::string FindDataFileIn(std::string_view name, std::initializer_list<std::string_view> dirs);
