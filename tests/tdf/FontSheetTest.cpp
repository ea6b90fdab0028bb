// Contact sheets and duplicate faces of a collection of fonts.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "support/TdfBuilder.h"
#include "support/TempDir.h"
#include "tdf/FontDuplicates.h"
#include "tdf/FontFile.h"
#include "tdf/FontSheet.h"

namespace {

namespace fs = std::filesystem;

TTdfFontPlan Plan(const std::string& name, uint8_t spacing,
                  std::map<uint8_t, std::vector<uint8_t>> glyphs) {
  TTdfFontPlan plan;
  plan.Name = name;
  plan.Spacing = spacing;
  plan.Glyphs = std::move(glyphs);
  return plan;
}

std::vector<const TCollectedFont*> Every(const TFontCollection& collection) {
  std::vector<const TCollectedFont*> fonts;
  for (const TCollectedFont& f : collection.Fonts) fonts.push_back(&f);
  return fonts;
}

// A row of cells as text: a cleared cell is '.'.
std::string RowText(const TCellRows& rows, int y) {
  std::vector<TScreenChar> cells(static_cast<size_t>(rows.Columns()));
  rows.ReadRow(y, cells);
  std::string text;
  for (const TScreenChar cell : cells)
    text += cell == kBlankCell ? '.' : static_cast<char>(cell.Ch);
  return text;
}

TEST(FontSheet, BandsOfCaptionBannerAndBlankRowReadInAnyOrder) {
  TTempDir dir;
  TTdfBuilder b;
  b.Font(Plan("Tall", 1, {{'A', BlockGlyph({"A", "A", "A"})}}));
  b.Font(Plan("Wide", 0, {{'A', BlockGlyph({"AAAA"})}}));
  TTdfFontPlan unknown = Plan("Odd", 1, {{'A', BlockGlyph({"A"})}});
  unknown.FontType = 7;
  b.Font(unknown);
  b.WriteTo(dir, "f.tdf");
  const TFontCollection collection = ReadFontCollection(std::vector{dir.Path().string()});
  ASSERT_EQ(collection.Fonts.size(), 3u);
  TBannerStyle style;
  style.Width = 0;
  const TFontSheet sheet(collection, Every(collection), "AA", style);

  const std::string file = dir.File("f.tdf");
  const std::vector<std::string> want = {file + ":1  Tall  Block",
                                         "A.A",
                                         "A.A",
                                         "A.A",
                                         "...",
                                         file + ":2  Wide  Block",
                                         "AAAAAAAA",
                                         "........",
                                         file + ":3  Odd  unknown (7)  (cannot be drawn)",
                                         "..."};
  ASSERT_EQ(sheet.Rows(), static_cast<int>(want.size()));
  EXPECT_EQ(sheet.Columns(), static_cast<int>(want[8].size()));
  EXPECT_EQ(sheet.BandStart(1), 5);
  // Bottom to top: each band is made again when a row of it is asked for.
  for (int y = sheet.Rows() - 1; y >= 0; --y) {
    const std::string row = RowText(sheet, y);
    EXPECT_EQ(row.substr(0, want[y].size()), want[y]) << "row " << y;
    // Captions fill their row with blanks in white on blue, banners are cleared around.
    const char rest = want[y].front() == '/' ? ' ' : '.';
    EXPECT_EQ(row.find_first_not_of(rest, want[y].size()), std::string::npos) << "row " << y;
  }
  std::vector<TScreenChar> caption(static_cast<size_t>(sheet.Columns()));
  sheet.ReadRow(0, caption);
  EXPECT_EQ(caption.back(), (TScreenChar{' ', 0x1F}));
}

// Every font of the corpus on one sheet, read top to bottom as the PNG
// writer reads it: each band is the caption, the banner the font draws by
// itself, and a blank row.
TEST(FontSheet, CorpusSheetHoldsEveryFontsBanner) {
  const fs::path corpus = fs::path(BRIXEL_CORPUS_DIR) / "tdf";
  std::error_code ec;
  if (!fs::is_directory(corpus, ec)) GTEST_SKIP() << "no font corpus at " << corpus;
  const TFontCollection collection = ReadFontCollection(std::vector{corpus.string()});
  const std::string text = "Brixel 2026";
  const TFontSheet sheet(collection, Every(collection), text, TBannerStyle{});
  ASSERT_EQ(sheet.BandCount(), collection.Fonts.size());
  std::vector<TScreenChar> cells(static_cast<size_t>(sheet.Columns()));
  int drawn = 0;
  for (size_t i = 0; i < sheet.BandCount(); ++i) {
    const TCollectedFont& f = collection.Fonts[i];
    SCOPED_TRACE(collection.Files[f.File] + ":" + std::to_string(f.Number));
    TFontFile font;
    ASSERT_TRUE(LoadFontFile(collection.Files[f.File], font));
    TBanner banner;
    if (SelectFont(font, f.Number) && !FontTypeNameOf(font.Header.FontType).empty()) {
      const std::string lines[] = {text};
      banner = LayOutBanner(font, lines, TBannerStyle{});
    }
    const int start = sheet.BandStart(i);
    ASSERT_EQ(sheet.BandStart(i + 1) - start, banner.Canvas.Rows() + 2);
    sheet.ReadRow(start, cells);
    EXPECT_EQ(cells[0], (TScreenChar{static_cast<uint8_t>(collection.Files[f.File][0]), 0x1F}));
    for (int y = 0; y <= banner.Canvas.Rows(); ++y) {
      sheet.ReadRow(start + 1 + y, cells);
      for (int x = 0; x < sheet.Columns(); ++x)
        ASSERT_EQ(cells[x], banner.Canvas.At(x, y)) << "banner cell " << x << "," << y;
    }
    drawn += banner.Canvas.Rows() > 0;
  }
  EXPECT_GT(drawn, 150);
}

TEST(FontDuplicates, GroupsFontsThatDrawAlikeWhateverTheirNames) {
  TTempDir dir;
  const auto a = BlockGlyph({"AB", "CD"});
  const auto b = BlockGlyph({"XY"});
  TTdfBuilder bundle;
  bundle.Font(Plan("One", 1, {{'A', a}, {'B', b}}));
  bundle.Font(Plan("Spaced", 2, {{'A', a}, {'B', b}}));  // spacing differs
  bundle.Font(Plan("Other", 1, {{'A', a}}));             // a glyph fewer
  bundle.WriteTo(dir, "bundle.tdf");
  bundle.WriteTo(dir, "copy.tdf");
  // The same face under another name, its glyphs stored in another order
  // and with bytes no glyph reads.
  TTdfFontPlan moved = Plan("Renamed", 1, {{'A', a}, {'B', b}});
  moved.ExtraBlockBytes = {1, 2, 3};
  moved.OffsetOverrides = {{'A', static_cast<uint16_t>(b.size())}, {'B', 0}};
  moved.Glyphs = {{'A', b}, {'B', a}};  // stored B first: swapped back by the offsets
  TTdfBuilder renamed;
  renamed.Font(moved);
  renamed.WriteTo(dir, "renamed.tdf");

  const TFontCollection collection = ReadFontCollection(std::vector{dir.Path().string()});
  ASSERT_EQ(collection.Fonts.size(), 7u);
  const std::vector<const TCollectedFont*> fonts = Every(collection);
  std::vector<std::vector<std::string>> named;
  for (const std::vector<size_t>& group : DuplicateFonts(collection, fonts)) {
    named.emplace_back();
    for (const size_t i : group)
      named.back().push_back(fs::path(collection.Files[fonts[i]->File]).filename().string() + ":" +
                             fonts[i]->Font.Name);
  }
  const std::vector<std::vector<std::string>> want = {
      {"bundle.tdf:One", "copy.tdf:One", "renamed.tdf:Renamed"},
      {"bundle.tdf:Spaced", "copy.tdf:Spaced"},
      {"bundle.tdf:Other", "copy.tdf:Other"}};
  EXPECT_EQ(named, want);
}

}  // namespace
