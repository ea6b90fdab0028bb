#include "widgets/YesNoChoice.h"

#include "console/KeyCodes.h"
#include "widgets/ConsoleWaits.h"
#include "widgets/ScreenCells.h"

bool ChooseYesNo(TTextConsole& con, const TYesNoLook& look, bool yes) {
  for (;;) {
    PutText(con, look.YesX, look.Y, look.IdleAttr, " YES ");
    PutText(con, look.NoX, look.Y, look.IdleAttr, " NO ");
    if (yes)
      PutText(con, look.YesX, look.Y, look.YesAttr, " YES ");
    else
      PutText(con, look.NoX, look.Y, look.NoAttr, " NO ");

    const TKeyEvent key = NextKey(con);
    if (key.Extended) {
      if (key.Code == kScanLeft) yes = true;
      if (key.Code == kScanRight) yes = false;
      continue;
    }
    switch (key.Code) {
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
