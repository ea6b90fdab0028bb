#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "console/CellGrid.h"
#include "console/Palette.h"
#include "console/ScreenTypes.h"
#include "util/ZeroedArray.h"

// A picture of character cells as an art file holds it, whatever its format:
// a width, rows of cells, and what the file says about drawing them (its own
// palette and font, the SAUCE record's hints). Rows exist only as far as the
// picture uses them, so memory follows the picture's size. Plain data: no
// console, no window. Columns and rows count from 0.

constexpr int kArtDefaultWidth = 80;
constexpr int kArtMaxWidth = 1024;
// No file makes a larger picture than the user allows (TArtPicture::
// SetMaxRows); by default one of at most kArtMaxRows rows and kArtMaxCells
// cells (4 MB): 80 columns by 26,214 rows (five times what the ANSI
// interpreter holds), 1,024 by 2,048, or 20 and narrower by 100,000. A few
// bytes of a file can ask for far more (a run, a cursor position, a narrow
// width); cells beyond it are dropped and the reader says so.
constexpr size_t kArtMaxCells = size_t{1} << 21;
constexpr int kArtMaxRows = 100000;

// A font carried by the file: 8 pixels wide, Height rows per glyph, glyph c
// at Bits[c * Height], one byte per pixel row from the top, bit 7 leftmost.
// With 512 glyphs, bit 3 of an attribute chooses the second 256.
struct TArtFont {
  int Height = 16;            // 1..32
  int Count = 256;            // 256 or 512
  std::vector<uint8_t> Bits;  // Count * Height bytes

  friend bool operator==(const TArtFont&, const TArtFont&) = default;
};

enum class TLetterSpacing : uint8_t { Unset, Eight, Nine };
enum class TAspectRatio : uint8_t { Unset, Legacy, Square };

// How the artist meant the picture to be shown.
struct TArtHints {
  // Attribute bit 7: a bright background (iCE colours) or a blinking
  // foreground over a dark one.
  bool Ice = true;
  // The file said which (its SAUCE record or the format itself); otherwise
  // Ice is the default.
  bool IceKnown = false;
  TLetterSpacing LetterSpacing = TLetterSpacing::Unset;
  // Legacy: made for a screen of tall pixels, to be stretched by 1.35.
  TAspectRatio Aspect = TAspectRatio::Unset;
  std::string FontName;  // as the record names it, e.g. "IBM VGA50"
  int FontHeight = 16;   // the glyph height that name stands for

  friend bool operator==(const TArtHints&, const TArtHints&) = default;
};

// Exact colours of one cell, for formats that store 24-bit colour (its
// attribute then holds the nearest palette colours).
struct TArtTrueColor {
  TRgb Fg;
  TRgb Bg;
  friend bool operator==(const TArtTrueColor&, const TArtTrueColor&) = default;
};

class TArtPicture {
 public:
  // The width is kept inside 1..kArtMaxWidth.
  explicit TArtPicture(int width = kArtDefaultWidth);

  int Width() const { return Cols; }
  // Rows in use: the highest row any cell was stored in, plus one.
  int Rows() const { return RowCount; }
  // Cell (x, y); {0, 0} (a blank on colour 0) where nothing was stored.
  TScreenChar At(int x, int y) const;
  // Row y, Width() cells; empty for a row outside the picture.
  std::span<const TScreenChar> Row(int y) const;

  // The most rows the picture may have: rows alone, however many cells they
  // make, for rows > 0 (a limit the user asked for); 0 restores the default,
  // kArtMaxRows and kArtMaxCells. Rows already there stay.
  void SetMaxRows(int rows) { UserMaxRows = std::max(rows, 0); }
  // The limit SetMaxRows set (0 for the default), and the rows it allows.
  int MaxRows() const { return UserMaxRows; }
  int RowLimit() const;

  // Stores a cell, adding blank rows up to y. False, storing nothing, for a
  // cell outside the width, above row 0, or past RowLimit().
  bool Put(int x, int y, TScreenChar cell);
  // The same, keeping the cell's exact colours too.
  bool Put(int x, int y, TScreenChar cell, const TArtTrueColor& colors);
  // count copies of a cell from (x, y) rightwards, the part past the width
  // dropped; false as Put.
  bool PutRun(int x, int y, int count, TScreenChar cell);
  // Rows y .. y+rows-1 all of one cell, as many of them as RowLimit() lets
  // the picture have; answers how many were filled.
  size_t PutRows(int64_t y, size_t rows, TScreenChar cell);
  // Makes rows 0..rows-1 exist (blank). False past RowLimit().
  bool Reserve(int rows);
  // Drops every row (palette, font, width and hints stay). The memory stays
  // for the next picture, and only the rows that were in use are wiped.
  void Clear();
  // The same, the picture taking another width (kept inside 1..kArtMaxWidth).
  void Clear(int width);

  // Row y's Width() cells to write into directly, for a writer that stores
  // many cells (the ANSI interpreter); nullptr for a row the picture does not
  // have. Exact colours are not touched. Valid until the picture grows.
  TScreenChar* RowCells(int y) {
    return y >= 0 && y < RowCount ? Cells.data() + static_cast<size_t>(y) * Cols : nullptr;
  }
  // The same, making rows 0..y exist first; nullptr past RowLimit().
  TScreenChar* GrowToRow(int y) { return Reserve(y + 1) ? RowCells(y) : nullptr; }

  bool HasTrueColor() const { return !TrueColors.empty(); }
  // The exact colours of cell (x, y), or nothing in a picture without any.
  std::optional<TArtTrueColor> TrueColorAt(int x, int y) const;

  std::optional<TPalette> Palette;  // the file's own colours
  std::optional<TArtFont> Font;     // the file's own glyphs
  TArtHints Hints;

  // Cells compare as bytes: one memcmp rather than a call per cell, which
  // the fuzz targets' unoptimised builds feel.
  friend bool operator==(const TArtPicture& a, const TArtPicture& b);

 private:
  bool Inside(int x, int y) const;
  size_t Used() const { return static_cast<size_t>(RowCount) * Cols; }
  int Cols;
  int RowCount = 0;
  int UserMaxRows = 0;
  // Row-major, Used() cells.
  TZeroedArray<TScreenChar> Cells;
  // Empty, or one per cell once any cell had exact colours; a cell stored
  // without them is black on black there, as a 24-bit canvas starts.
  TZeroedArray<TArtTrueColor> TrueColors;
};

// Rows firstRow .. firstRow+count-1 of the picture as a grid Width() cells
// wide; rows past the picture are blank (character 0 on colour 0). A negative
// count means every row from firstRow on.
TCellGrid ArtPictureGrid(const TArtPicture& picture, int firstRow = 0, int count = -1);
