#pragma once

#include <cstdint>
#include <string>

#include "tdf/GlyphRender.h"

struct TFontFile;

// TheDraw fonts written as FIGlet (.flf) and TOIlet (.tlf) fonts, for figlet,
// toilet and the libraries that read their fonts.
//
// Both forms hold the cells as UTF-8, the code page 437 characters turned
// into the Unicode characters they show, as Brixel's UTF-8 output writes
// them. TOIlet fonts are UTF-8 by definition. For .flf figlet (2.2.5, as
// Debian ships it) reads the same: it takes each UTF-8 sequence of a font
// line as one character, whatever the locale, and counts, wraps, centres
// and smushes by characters, so it draws the columns Brixel shows. Code page
// 437 bytes would show as other letters on any UTF-8 terminal, and ASCII
// stand-ins would lose the pictures.

enum class TFigletForm : uint8_t { Flf, Tlf };

struct TFigletExport {
  TFigletForm Form = TFigletForm::Tlf;
  TFontDrawStyle Style;  // the style an Outline font is written in
  std::string Source;    // the file the comment names
};

// The selected font of font as the text of a FIGlet or TOIlet font: every
// glyph as wide as its advance (Width and the font's spacing, or its cells
// where they reach further) and as tall as the tallest glyph, with a
// hardblank for each blank between drawn cells of a row; ' ' as one column
// and the spacing; a letter the font lacks drawn by its other case's glyph,
// as brixel-cli render draws it; the other characters it lacks, and the
// seven Deutsch characters the format also asks for, empty. The header asks
// for full width (no kerning, no smushing), so figlet and toilet set the
// characters side by side as Brixel does. Colours are dropped (each cell is
// its character alone), which the comment says, with the font's name, type,
// number and source.
std::string FigletFontText(const TFontFile& font, const TFigletExport& how);
