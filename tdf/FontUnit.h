#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "console/ScreenTypes.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphCapture.h"
#include "tdf/GlyphEdit.h"
#include "tdf/GlyphRender.h"

// The font unit of the first version, kept for the callers that have not
// moved to font values yet: one global TFontFile behind the old names, and
// the old procedures as wrappers that also write "Error Opening File!" where
// the unit did. It goes once nothing uses it.

extern TFontFile FontUnit;
extern std::string& FontFileName;
extern TTDFont& FileSignature;
extern std::vector<TFontRecord>& Fonts;
extern int32_t FontCount;  // set by the loads below
extern int32_t& CurrentFont;
extern TFontHeader& CurrentHeader;
extern std::string FontChars;
extern int FontFileError;

bool LoadFontFile(const std::string& path);
bool SelectFont(int n);
bool WriteFontHeader(int& error);
bool WriteFontHeader();
std::string GetFontChars();
std::string FontNameOf(int n);
std::string FontTypeName();
TGlyphRead ReadGlyphRecord(uint8_t ch, TFontChar& size, std::vector<uint8_t>& stream);
TGlyphRead LoadGlyphPicture(uint8_t ch, TGlyphPicture& picture);
bool SetFontName(const std::string& name, int& error);
bool SetFontSpacing(uint8_t spacing, int& error);
bool SetFontType(uint8_t fontType, int& error);
bool ExtractFont(const std::string& path, int& error);
bool MergeFontFile(const std::string& path, int& added, int& error);
TGlyphStoreResult StoreGlyph(uint8_t ch, std::span<const uint8_t> record,
                             bool outlineCells = false);
bool CaptureGlyph(const TScreen& screen);
