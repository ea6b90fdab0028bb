// Feeds arbitrary bytes, as a file with the extension BRIXEL_ART_EXTENSION,
// through ReadArt (SAUCE trailer, format choice, reader) and checks the
// picture: a width of 1..1024, rows within the row and cell limits, a font
// and a palette of consistent sizes, a message for every problem, and no
// picture for a file refused, a refusal for a file without one. Where cells follow in file order
// (BRIXEL_ART_IN_ORDER), the content cut short draws the beginning of the
// whole picture.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "ansi/ArtFormat.h"

namespace {

constexpr const char* kFileName = "fuzzed." BRIXEL_ART_EXTENSION;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "%s fuzz: broken invariant: %s\n", BRIXEL_ART_EXTENSION, what);
    std::abort();
  }
}

void CheckPicture(const TArtRead& read) {
  const TArtPicture& picture = read.Picture;
  Check(picture.Width() >= 1 && picture.Width() <= kArtMaxWidth, "width outside 1..1024");
  Check(static_cast<size_t>(picture.Rows()) * picture.Width() <= kArtMaxCells,
        "more cells than a picture may have");
  Check(picture.Rows() <= kArtMaxRows, "more rows than a picture may have");
  Check(picture.Row(picture.Rows() - 1).size() == (picture.Rows() ? size_t(picture.Width()) : 0),
        "a last row of another width");
  Check(picture.Row(picture.Rows()).empty(), "a row past the last");
  Check((read.Problem == TArtProblem::None) == read.Message.empty(),
        "a problem without a message, or a message without a problem");
  if (NothingDrawn(read.Problem)) Check(picture.Rows() == 0, "cells drawn from a file refused");
  if (const auto& font = picture.Font) {
    Check(font->Height >= 1 && font->Height <= 32, "font height outside 1..32");
    Check(font->Count == 256 || font->Count == 512, "neither 256 nor 512 glyphs");
    Check(font->Bits.size() == static_cast<size_t>(font->Count) * font->Height,
          "font bytes do not match its size");
  }
  const TCellGrid grid = ArtPictureGrid(picture, 0, std::min(picture.Rows(), 4));
  Check(grid.Width() == picture.Width() || grid.Height() == 0, "a grid row's width");
}

#if BRIXEL_ART_IN_ORDER
// Every row the cut picture completed is the whole picture's; in its last row
// every cell it stored.
void CheckBeginning(const TArtPicture& cut, const TArtPicture& whole) {
  if (cut.Rows() == 0) return;  // cut inside the header: nothing to compare
  Check(cut.Width() == whole.Width() && cut.Rows() <= whole.Rows(), "a cut file drew more");
  for (int y = 0; y < cut.Rows(); ++y) {
    const auto a = cut.Row(y), b = whole.Row(y);
    for (size_t x = 0; x < a.size(); ++x) {
      const bool stored = y + 1 < cut.Rows() || a[x] != TScreenChar{};
      Check(!stored || a[x] == b[x], "a cut file drew other cells");
    }
  }
}
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  const TArtRead read = ReadArt(file, kFileName);
  CheckPicture(read);
  Check(NothingDrawn(read.Problem) || read.Picture.Rows() > 0,
        "a blank picture passed for the file's");
#if BRIXEL_ART_IN_ORDER
  // The same record with two thirds of the content.
  TSauce record;
  size_t contentEnd = 0;
  ParseSauce(file, record, contentEnd);
  std::optional<TSauce> sauce;
  if (read.Sauce) sauce = *read.Sauce;
  const auto content = file.first(contentEnd);
  const TArtFormat format = ArtFormatOf(kFileName, sauce);
  const auto reader = format == TArtFormat::Bin    ? ReadBinArt
                      : format == TArtFormat::XBin ? ReadXBinArt
                                                   : ReadArtWorxArt;
  const TArtRead cut = reader(content.first(content.size() * 2 / 3), sauce, 0);
  CheckPicture(cut);
  if (read.Problem == TArtProblem::None) CheckBeginning(cut.Picture, read.Picture);
#endif
  return 0;
}
