#pragma once

#include <cstdint>

#include "console/TextConsole.h"

// Where the two buttons of a YES/NO question stand and how they look.
struct TYesNoLook {
  int YesX;
  int NoX;
  int Y;
  uint8_t IdleAttr;  // both buttons, before the selected one is drawn again
  uint8_t YesAttr;   // YES while selected
  uint8_t NoAttr;    // NO while selected
};

// Shows " YES " and " NO " with yes selected first and reads keys until the
// user decides: Left selects YES, Right NO, Space toggles, Enter takes the
// selection, Y and N (either case) answer at once; every other key, Esc
// included, is ignored. True for YES.
bool ChooseYesNo(TTextConsole& con, const TYesNoLook& look, bool yes);
