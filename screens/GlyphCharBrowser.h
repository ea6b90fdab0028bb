#pragma once

#include <cstdint>

#include "console/TextConsole.h"

// The " TDF Chars " browser: the chosen character (33..126) or 0 for Esc.
// Typing a character moves the highlight onto it.
uint8_t ChooseGlyphChar(TTextConsole& con);
