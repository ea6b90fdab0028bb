#include "ansi/HtmlPage.h"

#include <algorithm>
#include <vector>

#include "util/Cp437.h"
#include "util/Numbers.h"

namespace {

std::string HtmlEscaped(std::string_view utf8) {
  std::string out;
  for (const char c : utf8) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string CssColor(TRgb c) {
  return "#" + HexByte(c.R) + HexByte(c.G) + HexByte(c.B);
}

std::string StyleSheet(const TPalette& palette) {
  std::string css =
      "body{margin:0;background:" + CssColor(palette[0]) +
      "}\npre{margin:0;font-family:\"Perfect DOS VGA 437\",\"DejaVu Sans Mono\",monospace;"
      "line-height:1}\n";
  for (int i = 0; i < 16; ++i) {
    const std::string n = std::to_string(i);
    css += ".f" + n + "{color:" + CssColor(palette[i]) + "}.b" + n +
           "{background:" + CssColor(palette[i]) + "}\n";
  }
  return css;
}

}  // namespace

std::string CellRowsToHtml(const TCellRows& rows, const TPalette& palette, std::string_view title) {
  std::string out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                    HtmlEscaped(title) + "</title>\n<style>\n" + StyleSheet(palette) +
                    "</style>\n</head>\n<body>\n<pre>";
  std::vector<TScreenChar> cells(static_cast<size_t>(std::max(rows.Columns(), 0)));
  for (int y = 0; y < rows.Rows(); ++y) {
    rows.ReadRow(y, cells);
    // Spans end with their row, so every line of the page stands alone.
    for (size_t x = 0; x < cells.size();) {
      const uint8_t attr = cells[x].Attr;
      std::string text;
      for (; x < cells.size() && cells[x].Attr == attr; ++x) {
        const char ch = static_cast<char>(cells[x].Ch == 0 ? ' ' : cells[x].Ch);
        text += Cp437ToUtf8(std::string_view(&ch, 1));
      }
      out += "<span class=\"f" + std::to_string(attr & 15) + " b" + std::to_string(attr >> 4) +
             "\">" + HtmlEscaped(text) + "</span>";
    }
    out += '\n';
  }
  return out + "</pre>\n</body>\n</html>\n";
}
