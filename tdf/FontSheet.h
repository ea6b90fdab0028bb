#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "console/CellGrid.h"
#include "console/CellPicture.h"
#include "tdf/BannerLayout.h"
#include "tdf/FontCollection.h"

// A contact sheet: fonts of a collection drawn with one text, each in a band
// of its own: a caption row naming its file, number, name and type, the
// banner, and a blank row. The bands are made as their rows are read, one at
// a time, so a sheet of thousands of fonts streams into a picture in the
// memory of one band; only the bands' heights are kept, measured up front
// (a picture's height comes before its rows).
class TFontSheet final : public TCellRows {
 public:
  // Reads every font of fonts (pointers into collection, which must outlive
  // the sheet) and lays its banner out to measure it. The sheet is as wide
  // as style.Width, or the widest banner where that is wider; with no width
  // limit, as the widest banner or caption.
  TFontSheet(const TFontCollection& collection, std::vector<const TCollectedFont*> fonts,
             std::string text, const TBannerStyle& style);

  int Columns() const override { return Cols; }
  int Rows() const override { return Starts.back(); }
  // Rows are read in any order; reading them top to bottom reads and lays
  // out every font once more.
  void ReadRow(int y, std::span<TScreenChar> cells) const override;

  // The first row of band i; BandStart(BandCount()) is Rows().
  size_t BandCount() const { return Fonts.size(); }
  int BandStart(size_t i) const { return Starts[i]; }
  // Band i as ReadRow shows it.
  TCellGrid Band(size_t i) const;

 private:
  // Band i's caption and banner, the banner empty for a font that cannot be
  // drawn (the caption then says why).
  void Draw(size_t i, std::string& caption, TBanner& banner) const;

  const TFontCollection& Collection;
  std::vector<const TCollectedFont*> Fonts;
  std::vector<std::string> Lines;  // the text, as LayOutBanner takes it
  TBannerStyle Style;
  int Cols = 1;
  std::vector<int> Starts{0};
  mutable TCollectedFontReader Reader;
  mutable size_t Shown = static_cast<size_t>(-1);  // the band in ShownBand
  mutable TCellGrid ShownBand;
};
