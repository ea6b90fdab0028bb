#include "WidgetFixture.h"

#include <map>

#include "util/Cp437.h"

std::vector<std::string> Glyphs(const TCellGrid& s, int x1, int y1, int x2, int y2) {
  std::vector<std::string> rows;
  for (int y = y1; y <= y2; ++y) {
    std::string row;
    for (int x = x1; x <= x2; ++x) {
      const uint8_t ch = s.At(x - 1, y - 1).Ch;
      row += static_cast<char>(ch == 0 ? ' ' : ch);
    }
    rows.push_back(Cp437ToUtf8(row));
  }
  return rows;
}

std::vector<std::string> Colours(const TCellGrid& s, int x1, int y1, int x2, int y2) {
  static const std::map<uint8_t, char> kLegend = {
      {0x02, 'e'}, {0x00, '0'}, {0x07, 'g'}, {0x08, 'k'}, {0x0B, 'c'},
      {0x0F, 'w'}, {0x1F, 'B'}, {0x18, 'u'}, {0x3F, 'Y'}, {0x4F, 'R'},
      {0x70, 'b'}, {0x71, 'i'}, {0x77, 'L'}, {0x78, 'd'}, {0x7F, 'W'}};
  std::vector<std::string> rows;
  for (int y = y1; y <= y2; ++y) {
    std::string row;
    for (int x = x1; x <= x2; ++x) {
      const auto it = kLegend.find(s.At(x - 1, y - 1).Attr);
      row += it == kLegend.end() ? '?' : it->second;
    }
    rows.push_back(row);
  }
  return rows;
}

void WidgetTest::FillBackground() {
  for (int y = 1; y <= Con.Rows; ++y)
    for (int x = 1; x <= Con.Cols; ++x) Con.PutCell(x, y, static_cast<uint8_t>('0' + x % 10), 0x02);
}
