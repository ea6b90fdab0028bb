#include "screens/GlyphCharBrowser.h"

#include <string>

#include "console/KeyCodes.h"
#include "util/Numbers.h"
#include "widgets/ConsoleWaits.h"
#include "widgets/MenuBox.h"

namespace {

constexpr int kLastColumn = 46;
constexpr uint8_t kFirstChar = 33, kLastChar = 126;

uint8_t CharAt(int column, int row) {
  return static_cast<uint8_t>(kFirstChar + (kLastColumn + 1) * row + column);
}

}  // namespace

uint8_t ChooseGlyphChar(TTextConsole& con) {
  const uint8_t savedX = con.WhereX(), savedY = con.WhereY();
  TMenuBox box(con);
  SetDialogLook(box);
  box.Title = " TDF Chars ";
  box.Box(14, 8, 65, 12);
  int column = 0, row = 0;
  uint8_t chosen = 0;
  for (bool done = false; !done;) {
    for (int r = 0; r <= 1; ++r)
      for (int c = 0; c <= kLastColumn; ++c)
        con.WriteXY(static_cast<uint8_t>(c + 16), static_cast<uint8_t>(r + 10), 7,
                    std::string(1, static_cast<char>(CharAt(c, r))));
    const uint8_t code = CharAt(column, row);
    con.WriteXY(static_cast<uint8_t>(column + 16), static_cast<uint8_t>(row + 10), 127,
                std::string(1, static_cast<char>(code)));
    con.WriteXY(16, 9, 15, "Dec: " + NumToStr(code) + " Hex: " + HexByte(code));
    const TKeyEvent pressed = NextKey(con);
    const uint8_t key = pressed.Extended ? 0 : pressed.Code;
    if (key == kKeyEnter) {
      chosen = code;
      done = true;
    } else if (key == kKeyEscape) {
      done = true;
    } else if (key >= kFirstChar && key <= kLastChar) {
      // A typed character is found at once; Enter still takes it.
      row = (key - kFirstChar) / (kLastColumn + 1);
      column = (key - kFirstChar) % (kLastColumn + 1);
    } else if (pressed.Extended) {
      switch (pressed.Code) {
        case kScanHome:
          column = 0;
          break;
        case kScanEnd:
          column = kLastColumn;
          break;
        case kScanLeft:
          column = column > 0 ? column - 1 : 0;
          break;
        case kScanRight:
          column = column < kLastColumn ? column + 1 : kLastColumn;
          break;
        case kScanUp:
          row = 0;
          break;
        case kScanDown:
          row = 1;
          break;
        default:
          break;
      }
    }
  }
  box.Close();
  con.GotoXY(savedX, savedY);
  return chosen;
}
