#include "widgets/PipeWriter.h"

#include <cstdio>

#include "util/Numbers.h"
#include "util/Text.h"
#include "widgets/ConsoleWaits.h"

std::string PausePrompt = "Press a Key to continue...";
TCellGrid CommandSavedScreen;
TPipeClock PipeClock = LocalClock;

std::tm LocalClock() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

namespace {

// The two characters after a pipe at index i (fewer at the end of s).
std::string_view CodeAfter(std::string_view s, size_t i) {
  return i + 1 < s.size() ? s.substr(i + 1, 2) : std::string_view{};
}

// A foreground code keeps the background 0..7 and clears the bright-background
// bit; a background code keeps the foreground.
void ApplyColourCode(TTextConsole& con, uint8_t n) {
  if (n < 16)
    con.TextAttr = static_cast<uint8_t>(n + 16 * ((con.TextAttr >> 4) & 7));
  else
    con.TextAttr = static_cast<uint8_t>(con.TextAttr % 16 + ((n - 16) * 16) % 256);
}

std::string DateText(const std::tm& t) {
  return NumToStr2(t.tm_mday) + "/" + NumToStr2(t.tm_mon + 1) + "/" +
         PadLeft(NumToStr(t.tm_year + 1900), 4, '0');
}

std::string TimeText(const std::tm& t) {
  return NumToStr2(t.tm_hour) + ":" + NumToStr2(t.tm_min);
}

}  // namespace

void WritePipeXY(TTextConsole& con, uint8_t x, uint8_t y, uint8_t attr, std::string_view s) {
  const uint8_t savedAttr = con.TextAttr;
  const uint8_t savedX = con.WhereX();
  const uint8_t savedY = con.WhereY();
  con.GotoXY(x, y);
  con.TextAttr = attr;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != con.PipeChar) {
      con.WriteChar(static_cast<uint8_t>(s[i]));
      continue;
    }
    const std::string_view code = CodeAfter(s, i);
    const auto n = static_cast<uint8_t>(StrToNum(code));
    if (code == "00" || n != 0) {
      ApplyColourCode(con, n);
      i += code.size();
    } else if (ExecCommandCode(con, code)) {
      i += code.size();
    } else {
      con.WriteChar(static_cast<uint8_t>(con.PipeChar));
    }
  }
  con.TextAttr = savedAttr;
  con.GotoXY(savedX, savedY);
}

void WritePipe(TTextConsole& con, std::string_view s) {
  WritePipeXY(con, con.WhereX(), con.WhereY(), con.GetTextAttr(), s);
}

bool ExecCommandCode(TTextConsole& con, std::string_view code) {
  if (code.empty()) return false;
  const char group = code[0];
  const char what = code.size() > 1 ? code[1] : '\0';
  switch (group) {
    case 'B':
      if (what == 'E') {
        std::fputc(7, stdout);
        std::fflush(stdout);
      }
      return true;
    case 'C':
      if (what == 'L') con.ClrScr();
      if (what == 'P') con.ClrEol();
      if (what == 'R') con.ConWriteLn();
      return true;
    case 'D':
      if (what == 'E') con.Delay(500);
      if (what == 'M') con.Delay(70);
      if (what == 'S') con.Delay(1000);
      return true;
    case 'O':
      if (what == 'S') con.ConWrite("Unix");
      return true;
    case 'P':
      if (what == 'A') WaitForAnyKey(con);
      if (what == 'I') con.ConWrite(std::string(1, con.PipeChar));
      if (what == 'M') {
        WritePromptPipe(con, PausePrompt);
        WaitForAnyKey(con);
      }
      return true;
    case 'R':
      if (what == 'S') con.RestoreScreen(CommandSavedScreen);
      return true;
    case 'S':
      if (what == 'S') con.SaveScreen(CommandSavedScreen);
      return true;
    case 'T':
      if (what == 'D') con.ConWrite(DateText(PipeClock()));
      if (what == 'T') con.ConWrite(TimeText(PipeClock()));
      return true;
    case 'X':
      if (what == 'X') con.ConWrite(" ");
      return true;
    case '[':
      switch (what) {
        case 'C':
          con.GotoX(con.Cols / 2);
          break;
        case 'D':
          con.GotoY(con.WhereY() + 1);
          break;
        case 'L':
          con.GotoX(con.WhereX() - 1);
          break;
        case 'R':
          con.GotoX(con.WhereX() + 1);
          break;
        case 'S':
          con.GotoX(1);
          break;
        case 'U':
          con.GotoY(con.WhereY() - 1);
          break;
        default:
          break;
      }
      return true;
    default:
      return false;
  }
}

void WritePromptPipe(TTextConsole& con, std::string_view s) {
  // The column is kept locally: text past the last column is dropped, and the
  // cursor must never be left outside the grid for the next writer.
  int x = con.WhereX();
  const int y = con.WhereY();
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == con.PipeChar) {
      const std::string_view code = CodeAfter(s, i);
      const int32_t n = StrToNum(code);
      const bool colour = code == "00" || (n >= 1 && n <= 23 && code[0] != '&' && code[0] != '$');
      if (colour) {
        ApplyColourCode(con, static_cast<uint8_t>(n));
        i += code.size();
        continue;
      }
    }
    if (x <= con.Cols) con.PutCell(x, y, static_cast<uint8_t>(s[i]), con.TextAttr);
    ++x;
  }
  con.GotoXY(x, y);
  con.MarkDirty();
}
