#include "ansi/AnsiInterpreter.h"

#include <algorithm>
#include <limits>

#include "ansi/AnsiText.h"

namespace {

constexpr uint8_t kEsc = 27;
constexpr uint8_t kEndOfFile = 26;

bool IsParamChar(uint8_t ch) {
  return (ch >= '0' && ch <= '9') || ch == ';' || ch == '?';
}

// A count of 0 means 1 in cursor movements.
int64_t AtLeastOne(int64_t n) {
  return n == 0 ? 1 : n;
}

}  // namespace

void TMsgBaseAnsi::Clear() {
  Lines = 1;
  CurX = 1;
  CurY = 1;
  CurAttr = 7;
  for (RecMessageLine& row : Image) row.fill(TScreenChar{});
  ResetEscape();
}

void TMsgBaseAnsi::ResetEscape() {
  EscState = 0;
  EscParams.clear();  // keeps its capacity: no allocation per sequence
}

bool TMsgBaseAnsi::ProcessBuffer(std::span<const uint8_t> buf) {
  for (const uint8_t b : buf) {
    // Lines follows the cursor one byte late, so a final line feed alone
    // does not add an empty row.
    if (CurY > Lines) Lines = CurY;
    switch (b) {
      case 10:
        if (CurY == kAnsiRows) return true;
        ++CurY;
        CurX = 1;
        break;
      case 13:
        CurX = 1;
        break;
      case kEndOfFile:
        return true;  // whatever follows (a metadata record) is not art
      default:
        ProcessChar(b);
    }
  }
  return false;
}

void TMsgBaseAnsi::ProcessChar(uint8_t ch) {
  switch (EscState) {
    case 0:
      if (ch == kEsc) {
        EscState = 1;
      } else if (ch == 9) {
        MoveTo(CurX + 8, CurY);  // no tab stops: always 8 columns on
      } else if (ch != 12) {
        PutChar(ch);
        ResetEscape();
      }
      break;
    case 1:
      if (ch == '[') {
        EscState = 2;
        EscParams.clear();
      } else {
        EscState = 0;  // ESC and the byte after it both vanish
      }
      break;
    default:
      ExecuteCsi(ch);
  }
}

bool TMsgBaseAnsi::PutChar(uint8_t ch) {
  Image[CurY][CurX] = {ch, CurAttr};
  if (CurX < kAnsiCols) {
    ++CurX;
  } else if (CurY == kAnsiRows) {
    return true;  // later characters overwrite the last cell
  } else {
    CurX = 1;
    ++CurY;
  }
  return false;
}

void TMsgBaseAnsi::MoveTo(int64_t x, int64_t y) {
  CurX = static_cast<uint8_t>(std::clamp<int64_t>(x, 1, kAnsiCols));
  CurY = static_cast<uint16_t>(std::clamp<int64_t>(y, 1, kAnsiRows));
}

void TMsgBaseAnsi::SetBack(uint8_t c) {
  CurAttr = static_cast<uint8_t>((CurAttr & 15) + c * 16);
}

int32_t TMsgBaseAnsi::NextParam(std::string_view& params) {
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  int64_t value = 0;
  size_t i = 0;
  for (; i < params.size() && params[i] >= '0' && params[i] <= '9'; ++i)
    value = std::min(kMax, value * 10 + (params[i] - '0'));
  // The character that ended the number goes with it.
  params.remove_prefix(std::min(params.size(), i + 1));
  return static_cast<int32_t>(value);
}

void TMsgBaseAnsi::ExecuteCsi(uint8_t ch) {
  if (IsParamChar(ch)) {
    EscParams += static_cast<char>(ch);
    return;
  }
  std::string_view params = EscParams;
  switch (ch) {
    case 'A':
      MoveTo(CurX, std::max<int64_t>(1, CurY - AtLeastOne(NextParam(params))));
      break;
    case 'B':
      MoveTo(CurX, CurY + AtLeastOne(NextParam(params) & 255));
      break;
    case 'C': {
      int64_t column = CurX + AtLeastOne(NextParam(params));
      int64_t row = CurY;
      if (column > kAnsiCols) {
        column -= kAnsiCols;  // wraps onto the next row
        ++row;
      }
      MoveTo(column, row);
      break;
    }
    case 'D':
      MoveTo(std::max<int64_t>(1, CurX - AtLeastOne(NextParam(params))), CurY);
      break;
    case 'H':
    case 'f': {
      const int64_t row = AtLeastOne(NextParam(params) & 255);
      const int64_t column = AtLeastOne(NextParam(params) & 255);
      MoveTo(column, row);
      break;
    }
    case 'K':
      // Parameters are not looked at: 1 and 2 erase like 0.
      for (int x = CurX; x <= kAnsiCols; ++x) Image[CurY][x] = {' ', CurAttr};
      break;
    case 'm':
      while (!params.empty()) SelectGraphicRendition(NextParam(params));
      break;
    case 's':
      SavedX = CurX;
      SavedY = static_cast<uint8_t>(CurY & 255);
      break;
    case 'u':
      // Before any save, or for a row saved as a multiple of 256, the stored
      // value is 0: the nearest real position is 1.
      MoveTo(std::max<int64_t>(1, SavedX), std::max<int64_t>(1, SavedY));
      break;
    default:
      break;  // "J", "h" and the rest: dropped
  }
  ResetEscape();
}

void TMsgBaseAnsi::SelectGraphicRendition(int32_t n) {
  // ANSI numbers colours differently from the PC; the mapping is its own inverse.
  if (n == 0) {
    CurAttr = 7;
  } else if (n == 1) {
    CurAttr |= 8;
  } else if (n == 5) {
    CurAttr |= 128;
  } else if (n == 7) {
    const uint8_t old = CurAttr & ~8;
    CurAttr = static_cast<uint8_t>(((old & 112) >> 4) + ((old & 7) << 4) + (old & 128));
  } else if (n >= 30 && n <= 37) {
    CurAttr = static_cast<uint8_t>((CurAttr & 0xF8) | AnsiColorDigit(n - 30));
  } else if (n >= 40 && n <= 47) {
    SetBack(static_cast<uint8_t>(AnsiColorDigit(n - 40)));
  }
}

TScreen AnsiImageScreen(const TMsgBaseAnsi& ansi) {
  TScreen screen(ansi.Lines + 1u);
  for (int y = 1; y <= ansi.Lines; ++y)
    screen[y].assign(ansi.Image[y].begin(), ansi.Image[y].end());
  return screen;
}
