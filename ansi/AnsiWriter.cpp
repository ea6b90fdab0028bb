#include "ansi/AnsiWriter.h"

#include <span>

#include "ansi/AnsiText.h"
#include "util/Files.h"

namespace {

constexpr int kFirstRow = 2;
constexpr int kLastRow = 21;
constexpr int kLastCol = 79;

TScreenChar CellAt(const TScreen& screen, int y, int x) {
  const bool present =
      static_cast<size_t>(y) < screen.size() && static_cast<size_t>(x) < screen[y].size();
  return present ? screen[y][x] : TScreenChar{};
}

}  // namespace

std::string AnsiScreenBytes(const TScreen& screen) {
  std::string out;
  uint8_t lastAttr = 0;
  for (int y = kFirstRow; y <= kLastRow; ++y) {
    for (int x = 1; x <= kLastCol; ++x) {
      const TScreenChar cell = CellAt(screen, y, x);
      if (cell.Attr != lastAttr) out += AnsiAttrChange(lastAttr, cell.Attr);
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
