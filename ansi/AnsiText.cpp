#include "ansi/AnsiText.h"

#include "util/Cp437.h"

namespace {

std::string SgrFor(uint8_t attr, bool utf8) {
  const int fg = attr & 15;
  const int bg = attr >> 4;
  const std::string fgDigit = std::to_string(AnsiColorDigit(fg & 7));
  const std::string bgDigit = std::to_string(AnsiColorDigit(bg & 7));
  if (utf8) {
    return "\x1b[0;" + std::string(fg >= 8 ? "9" : "3") + fgDigit + ";" +
           std::string(bg >= 8 ? "10" : "4") + bgDigit + "m";
  }
  return "\x1b[0;" + std::string(fg >= 8 ? "1;" : "") + std::string(bg >= 8 ? "5;" : "") + "3" +
         fgDigit + ";4" + bgDigit + "m";
}

}  // namespace

std::string ScreenRowsToAnsi(const TScreen& screen, int firstRow, int lastRow, bool utf8) {
  std::string out;
  int lastAttr = -1;
  for (int r = firstRow; r <= lastRow && r >= 1 && static_cast<size_t>(r) < screen.size(); ++r) {
    for (size_t c = 1; c < screen[r].size(); ++c) {
      const TScreenChar cell = screen[r][c];
      if (cell.Attr != lastAttr) {
        out += SgrFor(cell.Attr, utf8);
        lastAttr = cell.Attr;
      }
      const char ch = static_cast<char>(cell.Ch == 0 ? ' ' : cell.Ch);
      // Converted cell by cell: the escapes must stay plain ASCII.
      out += utf8 ? Cp437ToUtf8(std::string_view(&ch, 1)) : std::string(1, ch);
    }
    if (utf8) {
      // A terminal would paint the rest of the line in the last background.
      out += "\x1b[0m\n";
      lastAttr = -1;
    } else {
      out += r < lastRow ? "\r\n" : "\x1b[0m";
    }
  }
  return out;
}
