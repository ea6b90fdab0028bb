#include "screens/GlyphCaptureDialog.h"

#include <string>
#include <vector>

#include "screens/GlyphCharBrowser.h"
#include "tdf/GlyphCapture.h"
#include "util/Files.h"
#include "widgets/Prompts.h"

bool CaptureGlyph(TTextConsole& con, TFontFile& font, const TCellGrid& screen,
                  const TCellBlock& block) {
  if (font.Path.empty()) {
    MessageBox(con, 0, "Error", "No Font Selected!");
    return false;
  }
  if (!BlockFitsGlyph(block.Left, block.Top, block.Right, block.Bottom)) {
    MessageBox(con, 0, "Error", GlyphStoreMessage({TGlyphStore::BlockTooLarge}));
    return false;
  }
  const std::string chars = GetFontChars(font);
  con.WriteXY(16, 20, 3, chars.substr(0, 47));
  con.WriteXY(16, 21, 3, chars.size() > 47 ? chars.substr(47) : "");
  const uint8_t ch = ChooseGlyphChar(con);
  if (ch == 0) return false;
  // Proceeding writes over the glyph the font has: NO first.
  if (chars.find(static_cast<char>(ch)) != std::string::npos &&
      !MessageBox(con, 1, "Warning", "Character exists. Proceed?", false))
    return false;
  const bool color = font.Header.FontType == ftColor;
  // The block is in the screen's 1-based cells.
  const TCellSource cells = [&screen](int x, int y) { return screen.At(x - 1, y - 1); };
  const std::vector<uint8_t> record =
      GlyphRecordFromBlock(cells, block.Left, block.Top, block.Right, block.Bottom, color);
  const TGlyphStoreResult result = StoreGlyph(font, ch, record);
  // Refusals the user can act on are explained; the caller reports every false answer.
  if (result.Status != TGlyphStore::Stored &&
      (result.Status != TGlyphStore::Failed || result.Error != 0))
    ReportGlyphStoreFailure(con, font, result);
  return result.Status == TGlyphStore::Stored;
}

void ReportGlyphStoreFailure(TTextConsole& con, TFontFile& font, const TGlyphStoreResult& result) {
  if (result.Error != kFontFileChanged) {
    MessageBox(con, 0, "Error", GlyphStoreMessage(result));
    return;
  }
  if (MessageBox(con, 1, " Reload ", "The font file changed since it was loaded. Reload it?") &&
      !ReloadSameFont(font))
    MessageBox(con, 0, "Error", "Cannot open the font file: " + FileErrorText(font.Error) + ".");
}
