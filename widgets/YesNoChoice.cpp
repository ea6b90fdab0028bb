#include "widgets/YesNoChoice.h"

#include "console/ConsoleLayer.h"
#include "console/KeyCodes.h"
#include "widgets/ScreenCells.h"

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
      if (scan == kScanLeft) yes = true;
      if (scan == kScanRight) yes = false;
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
