#include "tdf/BannerLayout.h"

#include <algorithm>
#include <array>
#include <optional>

#include "tdf/FontFile.h"

namespace {

// A glyph as it takes room: its drawing and the box it covers (GlyphExtentOf).
struct TGlyphBox {
  const TGlyphDrawing* Drawing = nullptr;
  int Columns = 0;
  int Rows = 0;
};

// The glyphs of one font, each read from the block once.
class TGlyphBoxes {
 public:
  explicit TGlyphBoxes(const TFontFile& font) : Font(font) {}

  // Nothing (no Drawing) for a glyph the font's block does not hold.
  TGlyphBox Of(uint8_t ch) {
    std::optional<TGlyphBox>& box = Boxes[ch - kFirstGlyphChar];
    if (!box) {
      TGlyphDrawing& drawing = Drawings[ch - kFirstGlyphChar];
      drawing = GlyphDrawingOf(Font.Header, Font.Block, ch - kFirstGlyphChar);
      box = TGlyphBox{};
      if (drawing.Present) *box = Measure(drawing);
    }
    return *box;
  }

 private:
  static TGlyphBox Measure(const TGlyphDrawing& drawing) {
    const TGlyphExtent extent = GlyphExtentOf(drawing);
    return {&drawing, extent.Columns, extent.Rows};
  }

  const TFontFile& Font;
  std::array<TGlyphDrawing, kGlyphCount> Drawings;
  std::array<std::optional<TGlyphBox>, kGlyphCount> Boxes;
};

// One line of the banner as laid out: glyphs from column 0.
struct TLine {
  std::vector<TPlacedGlyph> Glyphs;
  int Columns = 0;  // up to the right edge of its rightmost glyph box
};

int LineOffset(const TLine& line, int reference, TJustify justify) {
  switch (justify) {
    case TJustify::Center:
      return std::max(0, (reference - line.Columns) / 2);
    case TJustify::Right:
      return std::max(0, reference - line.Columns);
    case TJustify::Left:
      break;
  }
  return 0;
}

bool Drawable(const TFontHeader& header) {
  const uint8_t type = header.FontType;
  return MarkerValid(header) && (type == ftOutline || type == ftBlock || type == ftColor);
}

}  // namespace

TGlyphExtent GlyphExtentOf(const TGlyphDrawing& drawing) {
  TGlyphExtent extent{drawing.Width, drawing.Height};
  for (size_t r = 0; r < drawing.Rows.size(); ++r) {
    if (drawing.Rows[r].empty()) continue;
    extent.Columns = std::max(extent.Columns, static_cast<int>(drawing.Rows[r].size()));
    extent.Rows = std::max(extent.Rows, static_cast<int>(r) + 1);
  }
  return extent;
}

uint8_t GlyphCharFor(const TFontHeader& header, uint8_t ch, bool caseFallback) {
  const auto has = [&header](uint8_t c) {
    return c >= kFirstGlyphChar && c <= kLastGlyphChar &&
           GlyphOffsetInBlock(header, c - kFirstGlyphChar).has_value();
  };
  if (has(ch)) return ch;
  if (!caseFallback) return 0;
  // Fonts often hold one case only: the other case's glyph stands in.
  const auto other = static_cast<uint8_t>(ch >= 'a' && ch <= 'z'   ? ch - 'a' + 'A'
                                          : ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a'
                                                                   : 0);
  return other && has(other) ? other : 0;
}

bool CanDrawEveryChar(const TFontHeader& header, std::string_view text, bool caseFallback) {
  return std::all_of(text.begin(), text.end(), [&](char c) {
    return c == ' ' || GlyphCharFor(header, static_cast<uint8_t>(c), caseFallback) != 0;
  });
}

TBanner LayOutBanner(const TFontFile& font, std::span<const std::string> lines,
                     const TBannerStyle& style) {
  TBanner banner;
  const TFontHeader& header = font.Header;
  const int spacing = header.Spacing;
  TGlyphBoxes boxes(font);
  std::vector<TLine> laid;
  int height = 0;  // of every line: the tallest glyph box drawn
  const auto noteMissing = [&banner](uint8_t ch) {
    if (banner.Missing.find(static_cast<char>(ch)) == std::string::npos)
      banner.Missing += static_cast<char>(ch);
  };

  for (const std::string& text : lines) {
    laid.emplace_back();
    int pen = 0;
    bool wrapped = false;
    for (size_t i = 0; i < text.size(); ++i) {
      const auto ch = static_cast<uint8_t>(text[i]);
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      if (ch == '\n') {
        laid.emplace_back();
        pen = 0;
        wrapped = false;
        continue;
      }
      const uint8_t glyph =
          ch == ' ' || !Drawable(header) ? 0 : GlyphCharFor(header, ch, style.CaseFallback);
      const TGlyphBox box = glyph ? boxes.Of(glyph) : TGlyphBox{};
      if (!box.Drawing && ch != ' ') noteMissing(ch);
      const int columns = box.Drawing ? box.Columns : 1;
      if (style.Width > 0 && pen + columns > style.Width) {
        // Blanks alone before the edge make no line of their own: the glyph
        // goes to the start of the one they are on.
        if (!laid.back().Glyphs.empty()) laid.emplace_back();
        pen = 0;
        wrapped = true;
      }
      TLine& line = laid.back();
      if (!box.Drawing) {
        // A wrapped line starts with its first glyph, not with the blank
        // that ended the line above.
        if (!(ch == ' ' && wrapped && line.Glyphs.empty())) pen += 1 + spacing;
        continue;
      }
      line.Glyphs.push_back({pen, 0, glyph});
      line.Columns = std::max(line.Columns, pen + box.Columns);
      height = std::max(height, box.Rows);
      pen += box.Drawing->Width + spacing;
    }
  }
  const bool anyGlyph =
      std::any_of(laid.begin(), laid.end(), [](const TLine& line) { return !line.Glyphs.empty(); });
  if (!anyGlyph) return banner;

  int widest = 0;
  for (const TLine& line : laid) widest = std::max(widest, line.Columns);
  const int reference = style.Width > 0 ? style.Width : widest;
  int columns = 0;
  for (const TLine& line : laid)
    columns = std::max(columns, LineOffset(line, reference, style.Justify) + line.Columns);
  const int count = static_cast<int>(laid.size());
  banner.Canvas = TCellGrid(columns, count * height + (count - 1));

  for (int n = 0; n < count; ++n) {
    const int x = LineOffset(laid[n], reference, style.Justify);
    const int y = n * (height + 1);
    for (const TPlacedGlyph& placed : laid[n].Glyphs) {
      const TGlyphDrawing& drawing = *boxes.Of(placed.Ch).Drawing;
      for (size_t r = 0; r < drawing.Rows.size(); ++r) {
        for (size_t c = 0; c < drawing.Rows[r].size(); ++c) {
          banner.Canvas.Put(x + placed.X + static_cast<int>(c), y + static_cast<int>(r),
                            DrawnGlyphCell(drawing.Rows[r][c], header.FontType, style.Draw));
        }
      }
      banner.Glyphs.push_back({x + placed.X, y, placed.Ch});
    }
  }
  return banner;
}
