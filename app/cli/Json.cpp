#include "app/cli/Json.h"

#include <algorithm>
#include <vector>

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

std::string CellRowsJson(const TCellRows& rows) {
  std::string out = "[";
  std::vector<TScreenChar> cells(static_cast<size_t>(std::max(rows.Columns(), 0)));
  for (int y = 0; y < rows.Rows(); ++y) {
    rows.ReadRow(y, cells);
    out += y > 0 ? ",\n [" : "[";
    for (size_t x = 0; x < cells.size(); ++x) {
      out += (x > 0 ? ",[" : "[") + std::to_string(cells[x].Ch) + "," +
             std::to_string(cells[x].Attr) + "]";
    }
    out += "]";
  }
  return out + "]\n";
}
