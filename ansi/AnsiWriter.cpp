#include "ansi/AnsiWriter.h"

#include <span>

#include "ansi/AnsiText.h"
#include "util/Files.h"

namespace {

constexpr char kEsc = 27;
constexpr int kFirstRow = 2;
constexpr int kLastRow = 21;
constexpr int kLastCol = 79;

std::string Digit(int pcColor) {
  return std::to_string(AnsiColorDigit(pcColor));
}

TScreenChar CellAt(const TScreen& screen, int y, int x) {
  const bool present =
      static_cast<size_t>(y) < screen.size() && static_cast<size_t>(x) < screen[y].size();
  return present ? screen[y][x] : TScreenChar{};
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
  return {};
}

std::string AnsiScreenBytes(const TScreen& screen) {
  std::string out;
  uint8_t lastAttr = 0;
  for (int y = kFirstRow; y <= kLastRow; ++y) {
    for (int x = 1; x <= kLastCol; ++x) {
      const TScreenChar cell = CellAt(screen, y, x);
      if (cell.Attr != lastAttr) {
        out += AnsiColorCode(cell.Attr & 15, cell.Attr);
        out += AnsiColorCode(static_cast<uint8_t>(16 + (cell.Attr >> 4)), cell.Attr);
      }
      out += static_cast<char>(cell.Ch);
      lastAttr = cell.Attr;
    }
    if (y < kLastRow) out += "\r\n";
  }
  return out;
}

bool SaveAnsi(std::string_view fileName, const TScreen& screen, int& error) {
  error = 0;
  if (fileName.empty()) return true;
  const std::string bytes = AnsiScreenBytes(screen);
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  return ReplaceFileContents(fileName, {data, bytes.size()}, error);
}
