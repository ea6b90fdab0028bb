// Feeds arbitrary bytes to the FIGlet and TOIlet font reader, as a font file
// named in the browser or on the command line is read: a font that reads
// becomes a TheDraw Block and Color font, which the loader must list as one
// font whose glyphs are the characters as read. The Block font is then
// written as a FIGlet font again and read back: every glyph must draw the
// same cells (the round trip of brixel-cli export and import).

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "tdf/FigletExport.h"
#include "tdf/FigletImport.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphRender.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "figlet_fuzz: broken invariant: %s\n", what);
    std::abort();
  }
}

// A glyph's rows as its characters alone, blanks (255 too, which a FIGlet
// font writes as a blank) as spaces, without the blanks that end a row or
// the empty rows that end the glyph.
std::vector<std::string> Shown(const TGlyphDrawing& drawing) {
  std::vector<std::string> rows;
  for (const auto& row : drawing.Rows) {
    std::string text;
    for (const TGlyphCell& cell : row) text += static_cast<char>(cell.Ch == 255 ? ' ' : cell.Ch);
    text.erase(text.find_last_not_of(' ') + 1);
    rows.push_back(text);
  }
  while (!rows.empty() && rows.back().empty()) rows.pop_back();
  return rows;
}

// The one font of a converted record, as the loader lists it.
bool Load(const std::vector<uint8_t>& record, std::vector<uint8_t>& bytes, TFontFile& font) {
  const TTDFont signature = StandardSignature();
  const auto* head = reinterpret_cast<const uint8_t*>(&signature);
  bytes.assign(head, head + kSignatureSize);
  bytes.insert(bytes.end(), record.begin(), record.end());
  LoadFontBytes(bytes, font);
  return font.Count() == 1 && font.Selected == 1;
}

// The Block font written as a FIGlet font and read back draws every glyph it had.
void CheckRoundTrip(const TFontFile& font, const TFigletFont& figlet) {
  const std::string text = FigletFontText(font, {TFigletForm::Flf, {}, "fuzz"});
  const std::span<const uint8_t> written(reinterpret_cast<const uint8_t*>(text.data()),
                                         text.size());
  TFigletFont again;
  std::string why;
  Check(ReadFigletFont(written, again, why), "an exported font does not read");
  Check(again.Height == figlet.Height, "an exported font changed its height");
  std::vector<uint8_t> record, bytes;
  std::vector<std::string> notes;
  // The letters the font lacks come back as their other case's glyphs,
  // which may take more than a TheDraw font holds.
  if (!FigletToTdfFont(again, {ftBlock, "again"}, record, notes, why)) {
    Check(why.find("65535") != std::string::npos, "an exported font cannot be imported");
    return;
  }
  Check(notes.empty(), "an exported font needs other shapes");
  TFontFile back;
  Check(Load(record, bytes, back), "the imported font does not load");
  for (int i = 0; i < kGlyphCount; ++i) {
    const TGlyphDrawing before = GlyphDrawingOf(font.Header, font.Block, i);
    if (!before.Present) continue;
    const TGlyphDrawing after = GlyphDrawingOf(back.Header, back.Block, i);
    Check(after.Present && after.Width == before.Width && after.Height == before.Height &&
              Shown(after) == Shown(before),
          "a glyph draws differently after export and import");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TFigletFont figlet;
  std::string why;
  if (!ReadFigletFont({data, size}, figlet, why)) {
    Check(!why.empty(), "a font refused without a reason");
    return 0;
  }
  Check(figlet.Height >= 1, "a font without rows");
  for (const auto& rows : figlet.Chars)
    Check(rows.empty() || rows.size() == static_cast<size_t>(figlet.Height),
          "a character of other than the font's height");
  for (const uint8_t type : {ftColor, ftBlock}) {
    std::vector<uint8_t> record, bytes;
    std::vector<std::string> notes;
    if (!FigletToTdfFont(figlet, {type, "fuzz"}, record, notes, why)) {
      Check(!why.empty(), "a conversion refused without a reason");
      return 0;
    }
    TFontFile font;
    Check(Load(record, bytes, font), "a converted font does not load as one font");
    Check(font.Header.FontType == type && font.Header.Spacing == 0, "the wrong type or spacing");
    for (int i = 0; i < kGlyphCount; ++i) {
      const auto& rows = figlet.Chars[kFirstGlyphChar - kFigletFirstChar + i];
      size_t width = 0;
      for (const auto& row : rows) width = std::max(width, row.size());
      const TGlyphDrawing drawing = GlyphDrawingOf(font.Header, font.Block, i);
      Check(drawing.Present == (width > 0), "a glyph for a character that draws nothing, or none");
      Check(!drawing.Present || (drawing.Width == width && drawing.Height == figlet.Height &&
                                 drawing.Rows.size() <= rows.size()),
            "a glyph of other than the character's size");
    }
    if (type == ftBlock) CheckRoundTrip(font, figlet);
  }
  return 0;
}
