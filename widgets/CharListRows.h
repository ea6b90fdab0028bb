#pragma once

#include <cstdint>
#include <string_view>

#include "console/TextConsole.h"

constexpr uint8_t kCharListTop = 23;  // the first of the two rows

// The characters of the current font on rows 23 and 24, where the main screen
// and the ANSI viewer show them: "Chars.:" and the first 44 on row 23, the
// rest on row 24, each row centred in 80 columns, cyan on black.
void DrawCharListRows(TTextConsole& con, std::string_view chars);
