#pragma once

#include <cstdint>
#include <string>

// Operations that change font files. They act on the files at once and leave
// the font list in memory alone: the caller reloads. Every one answers false
// when anything failed (an open, a read, a write), never success for a file
// that was not written whole; an open that fails also writes
// "Error Opening File!" at the cursor, as the font unit does.

// A new file holding one empty font: the name cut to 12 characters and padded
// with spaces, NameLen 12, spacing 1, no glyphs (233 bytes in all). The file
// is written beside the target and renamed into place.
bool CreateFontFile(const std::string& path, const std::string& name, uint8_t fontType);
// The first 12 characters of name, padded with NUL bytes, into the current
// font's header on disk.
bool SetFontName(const std::string& name);
bool SetFontSpacing(uint8_t spacing);
// Types 0..2 only; any other value changes nothing and answers false.
bool SetFontType(uint8_t fontType);
// A one-font file with the loaded file's signature, the current header and
// its glyph block (shorter where the source ends early). Refused when path is
// the loaded file itself.
bool ExtractFont(const std::string& path);
// Appends everything after the first 20 bytes of path to the loaded file.
// The bytes are read before any is written, so merging a file into itself
// doubles its fonts and ends; a failed append leaves the file as it was.
bool MergeFontFile(const std::string& path);
