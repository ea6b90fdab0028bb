#include "ansi/AnsiText.h"

#include <algorithm>
#include <vector>

#include "util/Cp437.h"

namespace {

constexpr char kEsc = 27;
constexpr uint8_t kNoBreakSpace = 255;  // a blank, as the viewer draws it

std::string Digit(int pcColor) {
  return std::to_string(AnsiColorDigit(pcColor));
}

// A terminal's escape for attr: the bright colours as 90-97 and 100-107;
// with blink, bit 7 a blinking foreground over the dark background.
std::string TerminalSgr(uint8_t attr, bool blink) {
  const int fg = attr & 15;
  const bool blinks = blink && (attr & 0x80);
  const int bg = blinks ? (attr >> 4) & 7 : attr >> 4;
  return "\x1b[0;" + std::string(fg >= 8 ? "9" : "3") + Digit(fg & 7) + ";" +
         std::string(bg >= 8 ? "10" : "4") + Digit(bg & 7) + (blinks ? ";5m" : "m");
}

std::string RgbParams(TRgb c) {
  return std::to_string(c.R) + ";" + std::to_string(c.G) + ";" + std::to_string(c.B);
}

// 24-bit colour escapes for exact colours.
std::string RgbSgr(TRgb fg, TRgb bg, bool blinks = false) {
  return "\x1b[0;38;2;" + RgbParams(fg) + ";48;2;" + RgbParams(bg) + (blinks ? ";5m" : "m");
}

// 24-bit colour escapes for attr's colours in palette; blink as TerminalSgr.
std::string TrueColorSgr(uint8_t attr, const TPalette& palette, bool blink) {
  const bool blinks = blink && (attr & 0x80);
  return RgbSgr(palette[attr & 15], palette[blinks ? (attr >> 4) & 7 : attr >> 4], blinks);
}

}  // namespace

std::string AnsiColorCode(uint8_t code, uint8_t attr) {
  if (code <= 7) {
    // "0;" resets the background as well, so it is sent again.
    return std::string{kEsc} + "[0;3" + Digit(code) + "m" + kEsc + "[4" + Digit((attr >> 4) & 7) +
           "m";
  }
  if (code <= 15) return std::string{kEsc} + "[1;3" + Digit(code - 8) + "m";
  if (code <= 23) return std::string{kEsc} + "[4" + Digit(code - 16) + "m";
  // Blink after the colour: a reader that takes a new background as the end
  // of blink still keeps it.
  if (code <= 31) return std::string{kEsc} + "[4" + Digit(code - 24) + ";5m";
  return {};
}

std::string AnsiAttrChange(int from, uint8_t to) {
  const bool blinkEnds = from >= 0 && (from & 0x80) != 0 && (to & 0x80) == 0 && (to & 8) != 0;
  return (blinkEnds ? std::string{kEsc} + "[0m" : std::string()) + AnsiColorCode(to & 15, to) +
         AnsiColorCode(static_cast<uint8_t>(16 + (to >> 4)), to);
}

std::string CellRowsToAnsi(const TCellRows& rows, TAnsiForm form, const TPalette& palette,
                           bool blink) {
  std::string out;
  const size_t cols = static_cast<size_t>(std::max(rows.Columns(), 0));
  std::vector<TScreenChar> cells(cols);
  // Exact colours change without the attribute: the escapes are compared.
  const bool exact = form == TAnsiForm::TrueColor && rows.HasTrueColor();
  std::vector<TCellRgb> colors(exact ? cols : 0);
  std::string lastExact;
  int lastAttr = -1;
  for (int y = 0; y < rows.Rows(); ++y) {
    rows.ReadRow(y, cells);
    if (exact) rows.ReadTrueColorRow(y, colors);
    for (size_t i = 0; i < cols; ++i) {
      const TScreenChar cell = cells[i];
      if (exact) {
        std::string sgr = RgbSgr(colors[i].Fg, colors[i].Bg);
        if (sgr != lastExact) out += lastExact = std::move(sgr);
      } else if (cell.Attr != lastAttr) {
        out += form == TAnsiForm::Cp437       ? AnsiAttrChange(lastAttr, cell.Attr)
               : form == TAnsiForm::TrueColor ? TrueColorSgr(cell.Attr, palette, blink)
                                              : TerminalSgr(cell.Attr, blink);
        lastAttr = cell.Attr;
      }
      const char ch = static_cast<char>(cell.Ch == 0 ? ' ' : cell.Ch);
      // Converted cell by cell: the escapes must stay plain ASCII.
      if (form == TAnsiForm::Cp437) {
        out += ch;
      } else {
        out += Cp437ToUtf8(std::string_view(&ch, 1));
      }
    }
    if (form != TAnsiForm::Cp437) {
      // A terminal would paint the rest of the line in the last background.
      out += "\x1b[0m\n";
      lastAttr = -1;
      lastExact.clear();
    } else {
      out += y + 1 < rows.Rows() ? "\r\n" : "\x1b[0m";
    }
  }
  return out;
}

std::string CellRowsToText(const TCellRows& rows) {
  std::string out;
  std::vector<TScreenChar> cells(static_cast<size_t>(std::max(rows.Columns(), 0)));
  std::string row;
  for (int y = 0; y < rows.Rows(); ++y) {
    rows.ReadRow(y, cells);
    row.clear();
    for (const TScreenChar cell : cells)
      row += static_cast<char>(cell.Ch == 0 || cell.Ch == kNoBreakSpace ? ' ' : cell.Ch);
    row.erase(row.find_last_not_of(' ') + 1);
    out += Cp437ToUtf8(row) + '\n';
  }
  return out;
}
