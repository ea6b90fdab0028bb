#include "widgets/YesNoChoice.h"

#include "console/ConsoleLayer.h"
#include "widgets/ScreenCells.h"

namespace {
constexpr uint8_t kExtLeft = 75;
constexpr uint8_t kExtRight = 77;
}  // namespace

bool ChooseYesNo(const TYesNoLook& look, bool yes) {
  for (;;) {
    PutText(look.YesX, look.Y, look.IdleAttr, " YES ");
    PutText(look.NoX, look.Y, look.IdleAttr, " NO ");
    if (yes)
      PutText(look.YesX, look.Y, look.YesAttr, " YES ");
    else
      PutText(look.NoX, look.Y, look.NoAttr, " NO ");

    const uint8_t key = ReadKey();
    if (key == 0) {
      const uint8_t scan = ReadKey();
      if (scan == kExtLeft) yes = true;
      if (scan == kExtRight) yes = false;
      continue;
    }
    switch (key) {
      case ' ':
        yes = !yes;
        break;
      case '\r':
        return yes;
      case 'Y':
      case 'y':
        return true;
      case 'N':
      case 'n':
        return false;
      default:
        break;
    }
  }
}
