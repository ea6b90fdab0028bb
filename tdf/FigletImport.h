#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tdf/FigletFont.h"
#include "tdf/TdfFormat.h"
#include "util/Files.h"

// TheDraw fonts made from FIGlet and TOIlet fonts: for brixel-cli import, and
// for reading those fonts wherever a font file is read (the loader makes a
// one-font file of them in memory).

struct TFigletImport {
  uint8_t FontType = ftBlock;  // ftBlock or ftColor
  std::string Name;            // code page 437; the first 12 characters are kept
};

// The attribute of every cell of a Color font made from a FIGlet font: white
// on black, as brixel-cli draws Block fonts unless told otherwise.
constexpr uint8_t kImportedColorAttr = 15;

// The font record (its header, then its glyph block) made from the
// characters '!'..'~' of figlet that draw something: each becomes a glyph as
// wide as its widest row and as tall as the font, and the font's spacing is
// 0, so the glyphs stand side by side as figlet draws them at full width
// (figlet -W). Hardblanks are spaces, blanks at the end of a row are left
// out. Characters are turned into code page 437; one without a form there
// becomes its nearest shape (a heavy line a light one, a quadrant a half
// block, braille the half blocks its dots fill, a fullwidth or circled letter
// the letter) or '?', and one a glyph cannot hold (code page 437 13, '♪') a
// space: notes names each such character once. False, with why, for a font
// without such a character or one that does not fit a TheDraw font (a glyph
// over 255 columns or rows, glyphs over 65535 bytes).
bool FigletToTdfFont(const TFigletFont& figlet, const TFigletImport& how,
                     std::vector<uint8_t>& record, std::vector<std::string>& notes,
                     std::string& why);

// A FIGlet or TOIlet font file's bytes as the bytes of a TheDraw font file
// holding that one font, a Block font named name (cut to 12 characters).
bool FigletFileAsFontFile(std::span<const uint8_t> file, const std::string& name,
                          std::vector<uint8_t>& out, std::string& why);

// The same for the FIGlet or TOIlet font in an open file (read from its first
// byte, kMaxFigletFontBytes at most), named after path (FontNameFromPath).
bool ReadFigletFontFile(TFileHandle& file, const std::string& path, std::vector<uint8_t>& out,
                        std::string& why);

// The name a font read from a file gets: the file's name without its folder
// and extension, in code page 437, cut to 12 characters.
std::string FontNameFromPath(const std::string& path);
