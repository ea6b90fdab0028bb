#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "tdf/FontFile.h"

// Operations that change font files. They act on the files at once and leave
// the font list in memory alone: the caller reloads. Every one answers false
// when anything failed (an open, a read, a write), never success for a file
// that was not written whole, and error holds why (FontFileErrorText says it
// in words). Every file is written beside its name and renamed into place
// (ReplaceFileContents): a failure leaves the old file as it was, and a file
// this user may not write is refused. A font read from a FIGlet font
// (Converted) is never written: the changes to its file refuse it
// (kFigletFont), while it can be extracted, and merged into another file.

// A new file holding one empty font: the name cut to 12 characters and padded
// with spaces, NameLen 12, spacing 1, no glyphs (233 bytes in all).
bool CreateFontFile(const std::string& path, const std::string& name, uint8_t fontType, int& error);
// The first 12 characters of name, padded with NUL bytes, into the selected
// font's Header and its header on disk (WriteFontHeader).
bool SetFontName(TFontFile& font, const std::string& name, int& error);
bool SetFontSpacing(TFontFile& font, uint8_t spacing, int& error);
// Types 0..2 only; any other value changes nothing and answers false.
bool SetFontType(TFontFile& font, uint8_t fontType, int& error);
// A one-font file with the font file's signature, the selected font's Header
// and its glyph block as the file holds it (shorter where the file ends
// early). Refused when path is font's file itself (kIsLoadedFile).
bool ExtractFont(const TFontFile& font, const std::string& path, int& error);
// Copies the font records of path (each header with its glyph block, as the
// loader lists them; a last font cut short by the end of the file is left
// out, and so is anything after the fonts) into font's file, after its last
// font and before whatever follows that (a SAUCE record stays last). added
// holds the number of fonts copied. Refused when path holds no whole font
// (kNoFontsToMerge) or font's file has no signature (kNotAFontFile). path is
// read before anything is written: merging a file into itself doubles its
// fonts. A FIGlet or TOIlet font at path adds the font the loader reads.
bool MergeFontFile(const TFontFile& font, const std::string& path, int& added, int& error);
// The same for font records in memory (headers each followed by its glyph
// block), as a merge adds them.
bool AddFontRecords(const TFontFile& font, std::span<const uint8_t> records, int& error);
// A new font file (or one replacing path) holding the signature and records.
bool CreateFontFileWith(const std::string& path, std::span<const uint8_t> records, int& error);

// The fonts of a file as a list: each font is its header and glyph block,
// with any bytes the loader skips between it and the next font (a broken
// header) going along with it. Every other font keeps its bytes exactly;
// whatever lies before the first font stays first and whatever follows the
// last one (a SAUCE record) stays last. Each is refused, with the file left
// as it was, when the file no longer holds the fonts font lists (a header
// or offset differs: kFontFileChanged), when n is outside 1..Count()
// (EINVAL), and where a font whose glyph block runs past the end of the file
// would end up before another font (kFontCutShort): that font would swallow
// the next one.

// Removes font n; font n is then the one after it. The only font of a file
// is kept (kOnlyFont): a font file without fonts is of no use.
bool DeleteFont(const TFontFile& font, int n, int& error);
// A copy of font n's header and glyph block, named as SetFontName names,
// placed right after font n: the copy is font n + 1.
bool CloneFont(const TFontFile& font, int n, const std::string& name, int& error);
// Font n changes places with the one before it (Up: it becomes font n - 1)
// or after it (Down: font n + 1); kAlreadyFirst and kAlreadyLast at the ends.
enum class TFontMove : uint8_t { Up, Down };
bool MoveFont(const TFontFile& font, int n, TFontMove direction, int& error);
