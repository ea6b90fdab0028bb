#include "console/ConTheme.h"

TConTheme ConTheme;
