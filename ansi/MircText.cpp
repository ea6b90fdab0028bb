#include "ansi/MircText.h"

#include <algorithm>
#include <vector>

#include "util/Cp437.h"

namespace {

void AppendTwoDigits(std::string& out, int n) {
  out += static_cast<char>('0' + n / 10);
  out += static_cast<char>('0' + n % 10);
}

}  // namespace

std::string CellRowsToMirc(const TCellRows& rows) {
  std::string out;
  std::vector<TScreenChar> cells(static_cast<size_t>(std::max(rows.Columns(), 0)));
  for (int y = 0; y < rows.Rows(); ++y) {
    rows.ReadRow(y, cells);
    int lastAttr = -1;  // a client starts every line in its own colours
    for (const TScreenChar cell : cells) {
      if (cell.Attr != lastAttr) {
        out += '\x03';
        AppendTwoDigits(out, kMircColorOfPc[cell.Attr & 15]);
        out += ',';
        AppendTwoDigits(out, kMircColorOfPc[cell.Attr >> 4]);
        lastAttr = cell.Attr;
      }
      const char ch = static_cast<char>(cell.Ch == 0 ? ' ' : cell.Ch);
      out += Cp437ToUtf8(std::string_view(&ch, 1));
    }
    out += '\n';
  }
  return out;
}
