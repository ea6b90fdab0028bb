#include <algorithm>
#include <string>

#include "util/Text.h"
#include "widgets/MenuBox.h"
#include "widgets/Prompts.h"
#include "widgets/ScreenCells.h"

void PanelBox(TTextConsole& con, uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2, uint8_t bg) {
  const auto span = static_cast<uint8_t>(std::clamp(x2 - x1 + 1, 0, 255));
  const std::string inside(static_cast<size_t>(std::max(0, x2 - x1 - 1)), ' ');
  const auto back = static_cast<uint8_t>(bg << 4);

  PutText(con, x1, y1, back + 15, CharStr(static_cast<char>(220), span));
  for (int y = y1 + 1; y <= y2 - 1; ++y) PutText(con, x1, y, 127, "\xDD");
  PutText(con, x1, y2, back + 8, CharStr(static_cast<char>(223), span));
  for (int y = y1 + 1; y <= y2 - 1; ++y) {
    PutText(con, x2, y, 120, "\xDE");
    PutText(con, x1 + 1, y, 112, inside);
  }
  // The blue title bar on the panel's second row.
  PutText(con, x1, y1 + 1, 31, "\xDD");
  PutText(con, x2, y1 + 1, 24, "\xDE");
  PutText(con, x1 + 1, y1 + 1, 24, inside);
  con.SetTextAttr(7);

  TMenuBox frame(con);
  frame.Shadow = false;
  frame.FrameStyle = 1;
  frame.Sunken = true;
  frame.Box(x1 + 1, y1 + 2, x2 - 1, y2 - 1);
}
