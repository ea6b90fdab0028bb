#include "widgets/ScreenCells.h"

#include "console/ConsoleLayer.h"

void PutText(int x, int y, uint8_t attr, std::string_view s) {
  if (!Console) return;
  for (char c : s) Console->PutCell(x++, y, static_cast<uint8_t>(c), attr);
  Console->GotoXY(x, y);
}
