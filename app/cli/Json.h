#pragma once

#include <string>
#include <string_view>

#include "console/CellPicture.h"
#include "console/ScreenTypes.h"

// JSON string literals for the command-line tool's --json output.

// The quoted literal for UTF-8 text. Quotes, backslashes and control
// characters are escaped; malformed UTF-8 becomes U+FFFD, so the output is
// always valid JSON.
std::string JsonString(std::string_view utf8);
// The same for the program's own code-page-437 text (font names, characters).
std::string JsonCp437String(std::string_view cp437);
// The rows of a picture as an array of rows, each an array of [character
// code, attribute] pairs from the first column on.
std::string CellRowsJson(const TCellRows& rows);
