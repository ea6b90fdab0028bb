#include "widgets/ScreenCells.h"

void PutText(TTextConsole& con, int x, int y, uint8_t attr, std::string_view s) {
  for (char c : s) con.PutCell(x++, y, static_cast<uint8_t>(c), attr);
  con.GotoXY(x, y);
}
