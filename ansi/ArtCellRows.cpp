#include "ansi/ArtCellRows.h"

#include <algorithm>

int TArtRows::Rows() const {
  return std::max(1, Picture.Rows());
}

void TArtRows::ReadRow(int y, std::span<TScreenChar> cells) const {
  const std::span<const TScreenChar> row = Picture.Row(y);
  std::fill(std::copy(row.begin(), row.end(), cells.begin()), cells.end(), TScreenChar{});
  if (Ice) return;
  for (TScreenChar& cell : cells) cell.Attr &= 0x7F;
}

void TArtRows::ReadTrueColorRow(int y, std::span<TCellRgb> colors) const {
  for (size_t x = 0; x < colors.size(); ++x) {
    const TArtTrueColor exact =
        Picture.TrueColorAt(static_cast<int>(x), y).value_or(TArtTrueColor{});
    colors[x] = {exact.Fg, exact.Bg};
  }
}

TCellLook ArtLook(const TArtPicture& picture, TGlyphBits sheet, const TPalette& palette) {
  TCellLook look{sheet, kGlyphPixelWidth, palette};
  if (picture.Font) {
    look.Font = {picture.Font->Height, picture.Font->Count, picture.Font->Bits};
  } else if (picture.Hints.LetterSpacing == TLetterSpacing::Nine) {
    look.CellWidth = 9;
  }
  if (picture.Palette) look.Palette = *picture.Palette;
  return look;
}

const char* ArtSheetFile(const TArtHints& hints) {
  return GeometryForMode(hints.FontHeight == 8 ? 2 : 1).SheetFile;
}
