#include "widgets/ConsoleWaits.h"

#include "console/KeyCodes.h"

TKeyEvent NextKey(TTextConsole& con) {
  for (;;) {
    const TInputEvent event = con.ReadEvent();
    if (const TKeyEvent* key = KeyOf(event)) return *key;
    if (std::holds_alternative<TQuitEvent>(event)) return {kKeyEscape};
  }
}

void WaitForAnyKey(TTextConsole& con) {
  NextKey(con);
}
