#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tdf/FontFileAccess.h"
#include "tdf/TdfFormat.h"

// The font unit: the font list of the loaded file and the selected font's
// header. All header edits go through CurrentHeader and WriteFontHeader.

extern std::string FontFileName;        // set by LoadFontFile before the file is opened
extern TTDFont FileSignature;           // the signature bytes of the loaded file, as read
extern std::vector<TFontRecord> Fonts;  // element 0 unused: Fonts[n] is font n
extern int32_t FontCount;               // every font of the file, however many
extern int32_t CurrentFont;             // 1-based
extern TFontHeader CurrentHeader;
extern TFontChar GlyphSize;  // Width and Height of the glyph read last
extern std::string FontChars;
// Why the last LoadFontFile answered false (an errno, or kNotRegularFile); 0 after a success.
extern int FontFileError;

constexpr uint8_t kAbsentGlyphChar = 0xF9;  // the small centred dot

// True when the 18 signature characters read "TheDraw FONTS file" in any
// letter case; the length and end-of-file bytes around them do not matter.
bool SignatureValid(const TTDFont& sig);
// True when bytes start with a signature record SignatureValid accepts.
bool HasFontSignature(std::span<const uint8_t> bytes);

// The name as listed: NameLen characters of the 12, up to the first NUL. Many
// files pad short names with NULs and keep NameLen at 12; those bytes are
// padding, not text, and would otherwise end up in file names built from it.
std::string ListedName(const TFontHeader& h);
// The listed name of font n, or "" for a number outside the list.
std::string FontNameOf(int n);

// Reads the signature and lists the fonts of path, then selects the last font.
// False when the file does not exist or cannot be opened. A file that is not a
// font file lists no font and still answers true.
bool LoadFontFile(const std::string& path);
// Reads the header of font n (1..FontCount) into CurrentHeader; true when its
// marker is valid, and then CurrentFont is n.
bool SelectFont(int n);
// Writes CurrentHeader over the header of font CurrentFont in the file: the
// file is read, checked to hold at that offset the header it was listed with
// (else kFontFileChanged), changed in memory and replaced whole
// (ReplaceFileContents). error holds the reason on false; a file that cannot
// be opened for writing also shows "Error Opening File!".
bool WriteFontHeader(int& error);
bool WriteFontHeader();
// 94 characters, '!'..'~', with kAbsentGlyphChar for each glyph the font lacks.
std::string GetFontChars();
// The same for any header (for example Fonts[n].Header).
std::string FontCharsOf(const TFontHeader& header);
// "Outline", "Block" or "Color" for CurrentHeader.FontType, else empty.
std::string FontTypeName();
// The same for any type byte (for example Fonts[n].FontType).
std::string FontTypeNameOf(uint8_t fontType);
