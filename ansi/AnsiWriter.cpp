#include "ansi/AnsiWriter.h"

#include <span>

#include "ansi/AnsiText.h"
#include "util/Files.h"

namespace {

constexpr int kFirstRow = 2;
constexpr int kLastRow = 21;
constexpr int kLastCol = 79;

// Cell (x, y) of the screen's 1-based rows and columns.
TScreenChar CellAt(const TCellGrid& screen, int y, int x) {
  return screen.Inside(x - 1, y - 1) ? screen.At(x - 1, y - 1) : TScreenChar{};
}

}  // namespace

std::string AnsiScreenBytes(const TCellGrid& screen) {
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

bool SaveAnsi(std::string_view fileName, const TCellGrid& screen, int& error) {
  error = 0;
  if (fileName.empty()) return true;
  const std::string bytes = AnsiScreenBytes(screen);
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  return ReplaceFileContents(fileName, {data, bytes.size()}, error);
}
