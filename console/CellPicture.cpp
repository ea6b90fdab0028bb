#include "console/CellPicture.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "console/PngWriter.h"
#include "console/RowStretch.h"

namespace {

uint32_t ColorKey(TRgb c) {
  return (uint32_t{c.R} << 16) | (uint32_t{c.G} << 8) | c.B;
}

// The colours a picture in 24-bit colour shows, in the order they first
// appear; counting stops past 256, where only RGB holds them.
std::vector<TRgb> ShownColors(const TCellRows& rows, const TCellRaster& raster,
                              std::unordered_map<uint32_t, uint8_t>& indexOf) {
  std::vector<TRgb> shown;
  std::vector<TScreenChar> cells(rows.Columns());
  std::vector<TCellRgb> colors(rows.Columns());
  const auto add = [&](TRgb c) {
    if (indexOf.try_emplace(ColorKey(c), static_cast<uint8_t>(shown.size())).second)
      shown.push_back(c);
  };
  for (int y = 0; y < rows.Rows() && shown.size() <= 256; ++y) {
    rows.ReadRow(y, cells);
    rows.ReadTrueColorRow(y, colors);
    for (size_t i = 0; i < cells.size(); ++i) {
      if (raster.ShowsForeground(cells[i])) add(colors[i].Fg);
      if (raster.ShowsBackground(cells[i])) add(colors[i].Bg);
    }
  }
  return shown;
}

// The palette index of a colour; a colour no pixel shows may take any.
uint8_t IndexOf(const std::unordered_map<uint32_t, uint8_t>& indexOf, TRgb c) {
  const auto found = indexOf.find(ColorKey(c));
  return found == indexOf.end() ? 0 : found->second;
}

// The picture stretched to tall pixels: every band drawn in RGB and its
// pixel rows made taller on their way into png.
bool WriteTallPixels(const TCellRows& rows, const TCellLook& look, const TCellRaster& raster,
                     TPngWriter& png) {
  const int cols = rows.Columns(), height = rows.Rows() * raster.CellHeight();
  const size_t rowBytes = static_cast<size_t>(cols) * raster.CellWidth() * 3;
  if (!png.Start(cols * raster.CellWidth(), TallPixelsHeight(height), TPngLayout::Rgb, {}))
    return false;
  TRowStretch stretch(height, TallPixelsHeight(height), rowBytes);
  const TRowStretch::TEmit emit = [&png](std::span<const uint8_t> row) {
    return png.WriteRow(row);
  };
  std::vector<TScreenChar> cells(cols);
  std::vector<TCellRgb> colors(cols);
  std::vector<uint8_t> band(rowBytes * raster.CellHeight());
  for (int y = 0; y < rows.Rows(); ++y) {
    rows.ReadRow(y, cells);
    if (rows.HasTrueColor()) {
      rows.ReadTrueColorRow(y, colors);
    } else {
      for (int i = 0; i < cols; ++i) {
        const TCellInk ink = InkOf(cells[i].Attr);
        colors[i] = {look.Palette[ink.Fg], look.Palette[ink.Bg]};
      }
    }
    raster.DrawBandRgb(cells, colors, band);
    for (int r = 0; r < raster.CellHeight(); ++r)
      if (!stretch.Push({band.data() + r * rowBytes, rowBytes}, emit)) return false;
  }
  return png.Finish();
}

}  // namespace

void TCellRows::ReadTrueColorRow(int, std::span<TCellRgb> colors) const {
  std::fill(colors.begin(), colors.end(), TCellRgb{});
}

bool WriteCellPicturePng(const TCellRows& rows, const TCellLook& look, const TByteSink& sink,
                         std::string& why) {
  const int cols = rows.Columns(), count = rows.Rows();
  if (cols < 1 || count < 1 || !look.Font.Valid()) {
    why = cols < 1 || count < 1 ? "the picture is empty" : "the font cannot be drawn";
    return false;
  }
  const TCellRaster raster(look.Font, look.CellWidth);
  if (look.TallPixels) {
    TPngWriter png(sink);
    if (WriteTallPixels(rows, look, raster, png)) return true;
    why = png.Error();
    return false;
  }
  const bool exact = rows.HasTrueColor();
  std::unordered_map<uint32_t, uint8_t> indexOf;
  const std::vector<TRgb> palette =
      exact ? ShownColors(rows, raster, indexOf)
            : std::vector<TRgb>(look.Palette.begin(), look.Palette.end());
  const TPngLayout layout = palette.size() <= 16    ? TPngLayout::Palette4
                            : palette.size() <= 256 ? TPngLayout::Palette8
                                                    : TPngLayout::Rgb;
  const int width = cols * raster.CellWidth();
  const size_t rowBytes = static_cast<size_t>(width) * (layout == TPngLayout::Rgb ? 3 : 1);
  TPngWriter png(sink);
  if (!png.Start(width, count * raster.CellHeight(), layout,
                 layout == TPngLayout::Rgb ? std::span<const TRgb>() : palette)) {
    why = png.Error();
    return false;
  }
  std::vector<TScreenChar> cells(cols);
  std::vector<TCellRgb> colors(exact ? cols : 0);
  std::vector<TCellInk> inks(cols);
  std::vector<uint8_t> band(rowBytes * raster.CellHeight());
  for (int y = 0; y < count; ++y) {
    rows.ReadRow(y, cells);
    if (exact) rows.ReadTrueColorRow(y, colors);
    if (layout == TPngLayout::Rgb) {
      raster.DrawBandRgb(cells, colors, band);
    } else {
      for (int i = 0; i < cols; ++i)
        inks[i] = exact ? TCellInk{IndexOf(indexOf, colors[i].Fg), IndexOf(indexOf, colors[i].Bg)}
                        : InkOf(cells[i].Attr);
      raster.DrawBand(cells, inks, band);
    }
    for (int r = 0; r < raster.CellHeight(); ++r) {
      if (!png.WriteRow({band.data() + r * rowBytes, rowBytes})) {
        why = png.Error();
        return false;
      }
    }
  }
  if (png.Finish()) return true;
  why = png.Error();
  return false;
}
