#include "app/cli/Json.h"

#include "util/Cp437.h"
#include "util/Numbers.h"

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  size_t i = 0;
  while (i < utf8.size()) {
    const char32_t cp = DecodeUtf8(utf8, i);
    switch (cp) {
      case U'"':
        out += "\\\"";
        break;
      case U'\\':
        out += "\\\\";
        break;
      case U'\n':
        out += "\\n";
        break;
      case U'\r':
        out += "\\r";
        break;
      case U'\t':
        out += "\\t";
        break;
      default:
        if (cp < 0x20 || cp == 0x7F) {
          out += "\\u00" + HexByte(static_cast<uint8_t>(cp));
        } else {
          AppendUtf8(out, cp);
        }
    }
  }
  return out + "\"";
}

std::string JsonCp437String(std::string_view cp437) {
  return JsonString(Cp437ToUtf8(cp437));
}

std::string ScreenCellsJson(const TScreen& screen, int firstRow, int lastRow) {
  std::string out = "[";
  for (int y = firstRow; y <= lastRow && static_cast<size_t>(y) < screen.size(); ++y) {
    out += y > firstRow ? ",\n [" : "[";
    for (size_t x = 1; x < screen[y].size(); ++x) {
      const TScreenChar cell = screen[y][x];
      out += (x > 1 ? ",[" : "[") + std::to_string(cell.Ch) + "," + std::to_string(cell.Attr) + "]";
    }
    out += "]";
  }
  return out + "]\n";
}
