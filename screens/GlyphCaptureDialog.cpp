#include "screens/GlyphCaptureDialog.h"

#include <string>
#include <vector>

#include "console/ConsoleLayer.h"
#include "screens/GlyphCharBrowser.h"
#include "tdf/GlyphCapture.h"
#include "util/Files.h"
#include "widgets/Prompts.h"

bool CaptureGlyph(TFontFile& font, const TScreen& screen, const TCellBlock& block) {
  if (font.Path.empty()) {
    MessageBox(0, "Error", "No Font Selected!");
    return false;
  }
  if (!BlockFitsGlyph(block.Left, block.Top, block.Right, block.Bottom)) {
    MessageBox(0, "Error", GlyphStoreMessage({TGlyphStore::BlockTooLarge}));
    return false;
  }
  const std::string chars = GetFontChars(font);
  WriteXY(16, 20, 3, chars.substr(0, 47));
  WriteXY(16, 21, 3, chars.size() > 47 ? chars.substr(47) : "");
  const uint8_t ch = ChooseGlyphChar();
  if (ch == 0) return false;
  // Proceeding writes over the glyph the font has: NO first.
  if (chars.find(static_cast<char>(ch)) != std::string::npos &&
      !MessageBox(1, "Warning", "Character exists. Proceed?", false))
    return false;
  const bool color = font.Header.FontType == ftColor;
  const TCellSource cells = [&screen](int x, int y) {
    const bool inside = y >= 1 && static_cast<size_t>(y) < screen.size() && x >= 1 &&
                        static_cast<size_t>(x) < screen[y].size();
    return inside ? screen[y][x] : TScreenChar{0, 7};
  };
  const std::vector<uint8_t> record =
      GlyphRecordFromBlock(cells, block.Left, block.Top, block.Right, block.Bottom, color);
  const TGlyphStoreResult result = StoreGlyph(font, ch, record);
  // Refusals the user can act on are explained; the caller reports every false answer.
  if (result.Status != TGlyphStore::Stored &&
      (result.Status != TGlyphStore::Failed || result.Error != 0))
    ReportGlyphStoreFailure(font, result);
  return result.Status == TGlyphStore::Stored;
}

void ReportGlyphStoreFailure(TFontFile& font, const TGlyphStoreResult& result) {
  if (result.Error != kFontFileChanged) {
    MessageBox(0, "Error", GlyphStoreMessage(result));
    return;
  }
  if (MessageBox(1, " Reload ", "The font file changed since it was loaded. Reload it?") &&
      !ReloadSameFont(font))
    MessageBox(0, "Error", "Cannot open the font file: " + FileErrorText(font.Error) + ".");
}
