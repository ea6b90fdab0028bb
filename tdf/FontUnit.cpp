#include "tdf/FontUnit.h"

#include "console/ConsoleLayer.h"
#include "tdf/FontOps.h"

TFontFile FontUnit;
std::string& FontFileName = FontUnit.Path;
TTDFont& FileSignature = FontUnit.Signature;
std::vector<TFontRecord>& Fonts = FontUnit.Fonts;
int32_t FontCount = 0;
int32_t& CurrentFont = FontUnit.Selected;
TFontHeader& CurrentHeader = FontUnit.Header;
std::string FontChars;
int FontFileError = 0;

namespace {

bool Said(bool done) {
  if (!done && FontUnit.OpenFailed) ConWriteLn("Error Opening File!");
  return done;
}

// What the unit kept beside the font after a load.
void AfterLoad() {
  FontCount = FontUnit.Count();
  if (FontCount > 0) FontChars = GetFontChars();
}

}  // namespace

bool LoadFontFile(const std::string& path) {
  const bool loaded = Said(LoadFontFile(path, FontUnit));
  FontFileError = FontUnit.Error;
  if (loaded || FontUnit.OpenFailed) AfterLoad();
  return loaded;
}

bool SelectFont(int n) {
  return Said(SelectFont(FontUnit, n));
}

bool WriteFontHeader(int& error) {
  return WriteFontHeader(FontUnit, error);
}

bool WriteFontHeader() {
  return WriteFontHeader(FontUnit);
}

std::string GetFontChars() {
  return FontCharsOf(FontUnit.Header);
}

std::string FontNameOf(int n) {
  return FontNameOf(FontUnit, n);
}

std::string FontTypeName() {
  return FontTypeName(FontUnit);
}

TGlyphRead ReadGlyphRecord(uint8_t ch, TFontChar& size, std::vector<uint8_t>& stream) {
  return ReadGlyphRecord(FontUnit, ch, size, stream);
}

TGlyphRead LoadGlyphPicture(uint8_t ch, TGlyphPicture& picture) {
  return LoadGlyphPicture(FontUnit, ch, picture);
}

bool SetFontName(const std::string& name, int& error) {
  return SetFontName(FontUnit, name, error);
}

bool SetFontSpacing(uint8_t spacing, int& error) {
  return SetFontSpacing(FontUnit, spacing, error);
}

bool SetFontType(uint8_t fontType, int& error) {
  return SetFontType(FontUnit, fontType, error);
}

bool ExtractFont(const std::string& path, int& error) {
  return ExtractFont(FontUnit, path, error);
}

bool MergeFontFile(const std::string& path, int& added, int& error) {
  return MergeFontFile(FontUnit, path, added, error);
}

TGlyphStoreResult StoreGlyph(uint8_t ch, std::span<const uint8_t> record, bool outlineCells) {
  const TGlyphStoreResult result = StoreGlyph(FontUnit, ch, record, outlineCells);
  AfterLoad();
  return result;
}

bool CaptureGlyph(const TScreen& screen) {
  const bool stored = CaptureGlyph(FontUnit, screen);
  AfterLoad();
  return stored;
}
