#pragma once

#include "console/InputEvent.h"
#include "console/TextConsole.h"

// How dialogs and screens wait for keys: through the events of the console
// they were given, so a mouse event or a new window size is never taken for
// a key press.

// The next key; other events are passed over, and the end of input reads
// as Esc.
TKeyEvent NextKey(TTextConsole& con);
// Waits for one whole key press (an extended key is one press).
void WaitForAnyKey(TTextConsole& con);
