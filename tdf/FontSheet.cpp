#include "tdf/FontSheet.h"

#include <algorithm>
#include <utility>

#include "tdf/FontFile.h"
#include "util/Cp437.h"
#include "util/Files.h"
#include "util/Numbers.h"

namespace {

constexpr uint8_t kCaptionAttr = 0x1F;  // white on blue, across the sheet
constexpr int kRowsAroundBanner = 2;    // the caption above, a blank row below

}  // namespace

TFontSheet::TFontSheet(const TFontCollection& collection, std::vector<const TCollectedFont*> fonts,
                       std::string text, const TBannerStyle& style)
    : Collection(collection),
      Fonts(std::move(fonts)),
      Lines{std::move(text)},
      Style(style),
      Reader(collection) {
  int widest = 1;
  Starts.reserve(Fonts.size() + 1);
  for (size_t i = 0; i < Fonts.size(); ++i) {
    std::string caption;
    TBanner banner;
    Draw(i, caption, banner);
    widest = std::max(widest, banner.Canvas.Columns());
    if (Style.Width == 0) widest = std::max(widest, static_cast<int>(caption.size()));
    Starts.push_back(Starts.back() + banner.Canvas.Rows() + kRowsAroundBanner);
  }
  Cols = std::max(Style.Width, widest);
}

void TFontSheet::Draw(size_t i, std::string& caption, TBanner& banner) const {
  const TCollectedFont& font = *Fonts[i];
  caption = Utf8ToCp437(Collection.Files[static_cast<size_t>(font.File)]) + ":" +
            NumToStr(font.Number) + "  " + font.Font.Name + "  " +
            FontTypeLabel(font.Font.FontType);
  TFontFile value;
  int error = 0;
  if (!Reader.Read(font, value, error)) {
    caption += error ? "  (cannot be read: " + FileErrorText(error) + ")" : "  (no valid header)";
    return;
  }
  if (FontTypeNameOf(value.Header.FontType).empty()) {
    caption += "  (cannot be drawn)";
    return;
  }
  banner = LayOutBanner(value, Lines, Style);
}

TCellGrid TFontSheet::Band(size_t i) const {
  TCellGrid band(Cols, Starts[i + 1] - Starts[i]);
  std::string caption;
  TBanner banner;
  Draw(i, caption, banner);
  for (int x = 0; x < Cols; ++x) {
    const uint8_t ch = x < static_cast<int>(caption.size()) ? caption[x] : ' ';
    band.Put(x, 0, {ch, kCaptionAttr});
  }
  // A file changed since it was measured draws into the band it was given.
  band.Paste(banner.Canvas, 0, 1);
  return band;
}

void TFontSheet::ReadRow(int y, std::span<TScreenChar> cells) const {
  const auto next = std::upper_bound(Starts.begin(), Starts.end(), y);
  if (y < 0 || next == Starts.end() || next == Starts.begin()) {
    std::fill(cells.begin(), cells.end(), kBlankCell);
    return;
  }
  const auto band = static_cast<size_t>(next - Starts.begin() - 1);
  if (band != Shown) {
    ShownBand = Band(band);
    Shown = band;
  }
  ShownBand.ReadRow(y - Starts[band], cells);
}
