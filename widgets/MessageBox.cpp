#include <algorithm>
#include <string>

#include "widgets/ConsoleWaits.h"
#include "widgets/MenuBox.h"
#include "widgets/Prompts.h"
#include "widgets/ScreenCells.h"
#include "widgets/YesNoChoice.h"

namespace {
// The longest text whose box (columns 3..78) and shadow fit on 80 columns.
constexpr size_t kMaxMessage = kMessageWidth;
}  // namespace

bool MessageBox(TTextConsole& con, uint8_t mode, std::string_view title, std::string_view text,
                bool yesFirst) {
  const uint8_t oldX = con.WhereX();
  const uint8_t oldY = con.WhereY();
  const uint8_t oldAttr = con.GetTextAttr();

  text = text.substr(0, std::min(text.size(), kMaxMessage));
  const int len = static_cast<int>(text.size());
  TMenuBox box(con);
  SetDialogLook(box);
  box.Title = std::string(title);
  const int x1 = (78 - len) / 2;
  box.Box(static_cast<uint8_t>(x1), 10, static_cast<uint8_t>(x1 + len + 3), mode == 2 ? 14 : 15);
  PutText(con, x1 + 2, 12, 7, text);

  bool result = true;
  if (mode == 0) {
    PutText(con, x1 + (len - 4) / 2 + 2, 14, 112, " OK ");
    WaitForAnyKey(con);
    while (con.EventPending()) con.ReadEvent();
  } else if (mode == 1) {
    const int c = x1 + (len - 9) / 2;
    result = ChooseYesNo(con, {c + 2, c + 7, 14, 8, 127, 112}, yesFirst);
  }
  if (mode != 2) box.Close();

  con.GotoXY(oldX, oldY);
  con.SetTextAttr(oldAttr);
  return result;
}

std::string CutName(std::string_view name, size_t room) {
  constexpr std::string_view kCut = "...";
  if (name.size() <= room || room <= kCut.size()) return std::string(name);
  const size_t tail = (room - kCut.size()) / 2;
  return std::string(name.substr(0, room - kCut.size() - tail)) + std::string(kCut) +
         std::string(name.substr(name.size() - tail));
}

bool AskAboutName(TTextConsole& con, std::string_view title, std::string_view before,
                  std::string_view name, std::string_view after) {
  const size_t room = kMaxMessage - std::min(kMaxMessage, before.size() + after.size());
  return MessageBox(con, 1, title, std::string(before) + CutName(name, room) + std::string(after),
                    false);
}
