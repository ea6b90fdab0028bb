#pragma once

#include <cstdint>
#include <string_view>

#include "console/TextConsole.h"

// Stores s cell by cell from (x, y) in attr and leaves the cursor just after
// it, as WriteXY would. Unlike WriteXY it neither acts on control bytes nor
// wraps or scrolls: cells outside the screen are dropped. So a frame may touch
// the bottom-right cell without scrolling the screen, and item texts holding
// any bytes stay on their own row.
void PutText(TTextConsole& con, int x, int y, uint8_t attr, std::string_view s);
