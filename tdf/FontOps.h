#pragma once

#include <cstdint>
#include <string>

// Operations that change font files. They act on the files at once and leave
// the font list in memory alone: the caller reloads. Every one answers false
// when anything failed (an open, a read, a write), never success for a file
// that was not written whole, and error holds why (FontFileErrorText says it
// in words); an open that fails also writes "Error Opening File!" at the
// cursor, as the font unit does. Every file is written beside its name and
// renamed into place (ReplaceFileContents): a failure leaves the old file as
// it was, and a file this user may not write is refused.

// A new file holding one empty font: the name cut to 12 characters and padded
// with spaces, NameLen 12, spacing 1, no glyphs (233 bytes in all).
bool CreateFontFile(const std::string& path, const std::string& name, uint8_t fontType, int& error);
// The first 12 characters of name, padded with NUL bytes, into the current
// font's header on disk (WriteFontHeader).
bool SetFontName(const std::string& name, int& error);
bool SetFontSpacing(uint8_t spacing, int& error);
// Types 0..2 only; any other value changes nothing and answers false.
bool SetFontType(uint8_t fontType, int& error);
// A one-font file with the loaded file's signature, the current header and
// its glyph block (shorter where the source ends early). Refused when path is
// the loaded file itself (kIsLoadedFile).
bool ExtractFont(const std::string& path, int& error);
// Copies the font records of path (each header with its glyph block, as the
// loader lists them; a last font cut short by the end of the file is left
// out, and so is anything after the fonts) into the loaded file, after its
// last font and before whatever follows that (a SAUCE record stays last).
// added holds the number of fonts copied. Refused when path holds no whole
// font (kNoFontsToMerge) or the loaded file has no signature (kNotAFontFile).
// path is read before anything is written: merging a file into itself
// doubles its fonts.
bool MergeFontFile(const std::string& path, int& added, int& error);
