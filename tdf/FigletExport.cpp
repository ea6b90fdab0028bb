#include "tdf/FigletExport.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "tdf/BannerLayout.h"
#include "tdf/FigletFont.h"
#include "tdf/FontFile.h"
#include "util/Cp437.h"
#include "util/Numbers.h"

namespace {

constexpr uint8_t kBlank = 0;           // a cell that shows nothing
constexpr uint8_t kNoBreakSpace = 255;  // a blank too, as plain text writes it
constexpr int kDeutschChars = 7;
// The end mark of a line: '@', or for a line that draws '@' another
// character it does not draw; toilet takes the mark out of the whole line.
constexpr std::string_view kEndMarks = "@#%&*+=~^|!:;";
// The hardblank when a glyph draws '$': DEL is no cell of a picture (code
// page 437 127 is written as U+2302), and fonts of figlet's own use it.
constexpr char kSpareHardblank = 0x7F;

// One character as code page 437 cells, kBlank where nothing shows.
using TCharCells = std::vector<std::vector<uint8_t>>;

TCharCells CellsOf(const TGlyphDrawing& drawing, int width, int height, uint8_t fontType,
                   const TFontDrawStyle& style) {
  TCharCells cells(static_cast<size_t>(height), std::vector<uint8_t>(width, kBlank));
  for (size_t r = 0; r < drawing.Rows.size() && r < cells.size(); ++r) {
    for (size_t c = 0; c < drawing.Rows[r].size(); ++c) {
      const uint8_t ch = DrawnGlyphCell(drawing.Rows[r][c], fontType, style).Ch;
      cells[r][c] = ch == ' ' || ch == kNoBreakSpace ? kBlank : ch;
    }
  }
  return cells;
}

// A row as a font line: blanks between drawn cells as the hardblank, the
// others as spaces, and the end mark (twice on the character's last row).
std::string LineOf(const std::vector<uint8_t>& row, char hardblank, bool last) {
  const auto drawn = [](uint8_t c) { return c != kBlank; };
  const auto first = std::find_if(row.begin(), row.end(), drawn);
  const auto end = std::find_if(row.rbegin(), row.rend(), drawn).base();
  std::string line;
  for (auto it = row.begin(); it != row.end(); ++it) {
    if (drawn(*it))
      line += Cp437ToUtf8(std::string(1, static_cast<char>(*it)));
    else
      line += it > first && it < end ? hardblank : ' ';
  }
  const size_t free = kEndMarks.find_first_not_of(line);
  line.append(last ? 2 : 1, kEndMarks[free == std::string_view::npos ? 0 : free]);
  return line;
}

std::vector<std::string> CommentOf(const TFontFile& font, const TFigletExport& how) {
  const std::string type = FontTypeName(font);
  std::string source = how.Source;  // a line of its own, whatever the file is called
  std::replace_if(
      source.begin(), source.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  std::vector<std::string> comment = {
      Cp437ToUtf8(FontNameOf(font, font.Selected)) + ": " + type + " font " +
          NumToStr(font.Selected) + " of " + source + ", as a " +
          (how.Form == TFigletForm::Tlf ? "TOIlet" : "FIGlet") + " font made by Brixel",
      "Full width: the characters stand side by side, as Brixel draws them."};
  if (font.Header.FontType == ftColor)
    comment.push_back("Colours dropped: each cell is its character alone.");
  if (font.Header.FontType == ftOutline)
    comment.push_back("Outline style " + NumToStr(how.Style.Outline) + ".");
  comment.push_back("A letter the font lacks is drawn by its other case's glyph.");
  return comment;
}

}  // namespace

std::string FigletFontText(const TFontFile& font, const TFigletExport& how) {
  const TFontHeader& header = font.Header;
  const int spacing = header.Spacing;
  std::array<TGlyphDrawing, kFigletCharCount> drawings;
  std::array<int, kFigletCharCount> widths{};
  widths[0] = 1 + spacing;  // the space
  int height = 1;
  for (int ch = kFirstGlyphChar; ch <= kLastGlyphChar; ++ch) {
    const uint8_t glyph = GlyphCharFor(header, static_cast<uint8_t>(ch), true);
    if (glyph == 0) continue;
    TGlyphDrawing& drawing = drawings[ch - kFigletFirstChar];
    drawing = GlyphDrawingOf(header, font.Block, glyph - kFirstGlyphChar);
    const TGlyphExtent extent = GlyphExtentOf(drawing);
    widths[ch - kFigletFirstChar] = std::max(drawing.Width + spacing, extent.Columns);
    height = std::max(height, extent.Rows);
  }
  std::vector<TCharCells> chars;
  bool dollarDrawn = false;
  for (int i = 0; i < kFigletCharCount; ++i) {
    chars.push_back(CellsOf(drawings[i], widths[i], height, header.FontType, how.Style));
    for (const auto& row : chars.back()) dollarDrawn |= std::ranges::count(row, '$') > 0;
  }
  const char hardblank = dollarDrawn ? kSpareHardblank : '$';

  std::vector<std::string> lines;
  for (int i = 0; i < kFigletCharCount + kDeutschChars; ++i) {
    for (int r = 0; r < height; ++r) {
      const bool last = r + 1 == height;
      if (i >= kFigletCharCount)
        lines.push_back(std::string(last ? 2 : 1, kEndMarks[0]));
      else if (i == 0)  // all hardblanks, so no smushing reader squeezes it away
        lines.push_back(std::string(widths[0], hardblank) +
                        std::string(last ? 2 : 1, kEndMarks[0]));
      else
        lines.push_back(LineOf(chars[i][r], hardblank, last));
    }
  }
  size_t longest = 0;
  for (const std::string& line : lines) longest = std::max(longest, line.size());
  const std::vector<std::string> comment = CommentOf(font, how);
  // Baseline at the bottom row; old layout -1 and full layout 0: full width.
  std::string text = (how.Form == TFigletForm::Tlf ? "tlf2a" : "flf2a") +
                     std::string(1, hardblank) + " " + NumToStr(height) + " " + NumToStr(height) +
                     " " + NumToStr(static_cast<int32_t>(longest)) + " -1 " +
                     NumToStr(static_cast<int32_t>(comment.size())) + " 0 0 0\n";
  for (const std::string& line : comment) text += line + "\n";
  for (const std::string& line : lines) text += line + "\n";
  return text;
}
