#include "widgets/LineEditor.h"

#include <algorithm>

#include "console/KeyCodes.h"
#include "util/Cp437.h"
#include "widgets/ConsoleWaits.h"

namespace {

bool IsDigit(uint8_t c) {
  return c >= '0' && c <= '9';
}

// One editing session. The text position of the cursor is Pos (1..length+1),
// the text position in the field's first cell is First; the cursor's cell is
// always Pos - First + 1, so it is derived, never stored. Cells are stored
// directly rather than written as text: a field must neither act on control
// bytes in its text nor wrap (and scroll the screen) at the last column.
class TLineEdit {
 public:
  TLineEdit(TTextConsole& con, uint8_t x, uint8_t y, uint8_t width, uint8_t maxLen, uint8_t mode,
            uint8_t attr, uint8_t fillAttr, uint8_t fillChar, std::string_view start,
            std::string_view terminators)
      : Con(con),
        Mode(mode),
        Attr(attr),
        FillAttr(fillAttr),
        FillChar(fillChar),
        Terminators(terminators) {
    X = std::clamp<int>(x, 1, Con.Cols);
    Y = std::clamp<int>(y, 1, Con.Rows);
    Width = std::clamp<int>(width, 1, Con.Cols - X + 1);
    MaxLen = std::min<int>(maxLen, kMaxEditLength);
    S = std::string(start.substr(0, static_cast<size_t>(MaxLen)));
    Selected = !S.empty();
    ShowEnd();
  }

  uint8_t Run() {
    Con.TextAttr = Attr;
    Redraw();
    for (;;) {
      const TKeyEvent key = NextKey(Con);
      const uint8_t b = key.Code;
      if (key.Extended) {
        ExtendedKey(b);
      } else if (b == kKeyBackspace) {
        Selected = false;
        Backspace();
      } else if (b == kKeyCtrlY) {
        Clear();
      } else if (b >= 32 && b <= 254) {
        TypeChar(b);
      } else if (Terminators.find(static_cast<char>(b)) != std::string_view::npos) {
        return b;
      }
      Redraw();
    }
  }

  const std::string& Text() const { return S; }

 private:
  int Len() const { return static_cast<int>(S.size()); }
  int Col() const { return Pos - First + 1; }

  void Redraw() {
    for (int c = 1; c <= Width; ++c) {
      const int i = First + c - 1;
      if (i <= Len())
        Con.PutCell(X + c - 1, Y, static_cast<uint8_t>(S[i - 1]),
                    Selected ? SelectionAttr(Attr) : Attr);
      else
        Con.PutCell(X + c - 1, Y, FillChar, FillAttr);
    }
    // Past the end of a full field the cursor stands just right of it.
    Con.GotoXY(X + Col() - 1, Y);
  }

  // The cursor after the last character, the field showing the text's end.
  void ShowEnd() {
    Pos = Len() + 1;
    First = std::max(1, Len() - Width + 1);
  }

  void ScrollRight() {
    if (First + 1 <= Len() && First + 1 <= MaxLen) ++First;
  }

  // After a jump, bring the cursor back into view.
  void ScrollToCursor() {
    if (Pos < First)
      First = Pos;
    else if (Pos > Len())
      ShowEnd();
    else if (Col() > Width)
      First = Pos - Width + 1;
  }

  // Never show fill cells while text is hidden to the left of the field:
  // after deleting at the end of a scrolled text the field would otherwise
  // empty out while the text still holds characters.
  void KeepFieldFilled() { First = std::max(1, std::min(First, Len() - Width + 1)); }

  void InsertChar(uint8_t c) {
    if (Len() >= MaxLen) return;
    if (Col() >= Width && Width != MaxLen) {
      ScrollRight();
      // The new character must land inside the field, also in a one-cell field.
      if (Col() > Width) First = Pos - Width + 1;
    }
    S.insert(S.begin() + (Pos - 1), static_cast<char>(c));
    ++Pos;
  }

  bool Accepts(uint8_t c) const {
    switch (Mode) {
      case 0:
        return c == '-' || IsDigit(c);
      case 1:
      case 2:
        return true;
      case 3:
        return IsDigit(c);
      default:
        return false;
    }
  }

  void TypeChar(uint8_t c) {
    if (!Accepts(c)) return;
    // The selected start text gives way to what is typed.
    if (Selected) Clear();
    if (Mode == 2 && c >= 'a' && c <= 'z') c = static_cast<uint8_t>(c - 'a' + 'A');
    if (Mode == 3 && (Pos == 2 || Pos == 5)) {
      InsertChar(c);
      InsertChar('/');
    } else if (Mode == 3 && (Pos == 3 || Pos == 6)) {
      InsertChar('/');
      InsertChar(c);
    } else {
      InsertChar(c);
    }
  }

  void Backspace() {
    if (Pos <= 1) return;
    const bool atFirstCell = Col() == 1;
    --Pos;
    S.erase(static_cast<size_t>(Pos - 1), 1);
    if (atFirstCell && First > 1) --First;
    KeepFieldFilled();
  }

  void Delete() {
    if (Pos > Len()) return;
    S.erase(static_cast<size_t>(Pos - 1), 1);
    KeepFieldFilled();
  }

  void Clear() {
    Selected = false;
    S.clear();
    Pos = First = 1;
  }

  void WordLeft() {
    while (Pos > 1 && S[Pos - 2] == ' ') --Pos;
    while (Pos > 1 && S[Pos - 2] != ' ') --Pos;
    ScrollToCursor();
  }

  void WordRight() {
    while (Pos <= Len() && S[Pos - 1] != ' ') ++Pos;
    while (Pos <= Len() && S[Pos - 1] == ' ') ++Pos;
    ScrollToCursor();
  }

  // The clipboard's first line is typed character by character, so the mode
  // filters it and the maximum length cuts it just as for typed keys.
  void Paste() {
    const std::string clip = Con.ClipboardText();
    const std::string line = Utf8ToCp437(clip.substr(0, clip.find_first_of("\r\n")));
    for (char ch : line) {
      const auto c = static_cast<uint8_t>(ch);
      if (c >= 32 && c <= 254) TypeChar(c);
    }
  }

  void ExtendedKey(uint8_t code) {
    // A paste types, and so replaces the selection; every other key edits it.
    if (code != kScanCtrlV) Selected = false;
    switch (code) {
      case kScanHome:
        Pos = First = 1;
        break;
      case kScanEnd:
        ShowEnd();
        break;
      case kScanLeft:
        if (Pos > 1) {
          if (Col() == 1 && First > 1) --First;
          --Pos;
        }
        break;
      case kScanRight:
        if (Pos <= Len()) {
          if (Col() >= Width && Pos < Len()) ScrollRight();
          ++Pos;
        }
        break;
      case kScanDelete:
        Delete();
        break;
      case kScanCtrlY:
        Clear();
        break;
      case kScanCtrlLeft:
        WordLeft();
        break;
      case kScanCtrlRight:
        WordRight();
        break;
      case kScanCtrlV:
        Paste();
        break;
      default:
        break;
    }
  }

  TTextConsole& Con;
  int X = 1;
  int Y = 1;
  int Width = 1;
  int MaxLen = 0;
  uint8_t Mode;
  uint8_t Attr;
  uint8_t FillAttr;
  uint8_t FillChar;
  std::string_view Terminators;
  std::string S;
  bool Selected = false;
  int Pos = 1;
  int First = 1;
};

}  // namespace

uint8_t SelectionAttr(uint8_t attr) {
  return (attr & 0x70) == 0x10 ? 0x70 : 0x1F;
}

uint8_t InputLine(TTextConsole& con, std::string& result, uint8_t x, uint8_t y, uint8_t width,
                  uint8_t maxLen, uint8_t mode, uint8_t attr, uint8_t fillAttr, uint8_t fillChar,
                  std::string_view start, std::string_view terminators) {
  TLineEdit edit(con, x, y, width, maxLen, mode, attr, fillAttr, fillChar, start, terminators);
  const uint8_t ended = edit.Run();
  result = edit.Text();
  return ended;
}
