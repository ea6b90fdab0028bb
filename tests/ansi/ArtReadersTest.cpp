#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ansi/ArtFormat.h"
#include "ansi/SauceHints.h"
#include "support/ArtSamples.h"

namespace {

const std::string kDb = "\xdb";

std::string Repeat(std::string_view s, size_t n) {
  std::string out;
  for (size_t i = 0; i < n; ++i) out += s;
  return out;
}

std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t at, std::vector<uint8_t> with) {
  std::copy(with.begin(), with.end(), bytes.begin() + at);
  return bytes;
}

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t drop) {
  bytes.resize(bytes.size() - drop);
  return bytes;
}

std::vector<uint8_t> Tail(const std::vector<uint8_t>& bytes, size_t keep) {
  return {bytes.end() - static_cast<std::ptrdiff_t>(keep), bytes.end()};
}

struct TSampleCase {
  TArtSample Sample;
  std::vector<std::string> Rows;
};

TEST(ArtReaders, ReadEachFormatsSampleCellForCell) {
  const TSampleCase cases[] = {
      {BinSample(), {kDb + "  1c9f", kDb + "  0e8f"}},
      {XBinRawSample(), {kDb + "  1c9f", kDb + "  0e8f"}},
      {XBinCompressedSample(),
       {kDb + " " + kDb + " 012002", kDb + kDb + "  040e50", kDb + kDb + kDb + " 500f0f"}},
      {{"run.xb", HexBytes("58 42 49 4E 1A 02 00 03 00 10 04  C5 41 1E")},  // one run, 3 rows
       {"AA 1e1e", "AA 1e1e", "AA 1e1e"}},
      {XBinPaletteFontSample(), {"\x01 31"}},
      {XBin512Sample(), {"AA 070f"}},
      {ArtWorxSample(), {kDb + " " + kDb + " " + kDb + " 016008f006"}},
      {IceDrawSample(), {kDb + kDb + kDb + std::string(77, ' ') + " 0c0c0c90" + Repeat("00", 76)}},
      {TundraSample(), {kDb + "A  141424"}},
      {PcBoardSample(), {kDb + "  1f9c", "x@USER@....B@CL 9c9c9c9c9c9c9c000000000a0a0a0a"}},
  };
  for (const TSampleCase& c : cases) {
    SCOPED_TRACE(c.Sample.FileName);
    const TArtRead read = ReadArt(c.Sample.Bytes, c.Sample.FileName);
    EXPECT_EQ(read.Problem, TArtProblem::None) << read.Message;
    EXPECT_EQ(ArtRows(read.Picture), c.Rows);
  }
}

TEST(ArtReaders, KeepTheFilesPalettesFontsAndColours) {
  const TArtRead xbin = ReadArt(XBinPaletteFontSample().Bytes, "font.xb");
  ASSERT_TRUE(xbin.Picture.Palette && xbin.Picture.Font);
  EXPECT_EQ((*xbin.Picture.Palette)[1], (TRgb{255, 0, 0}));
  EXPECT_EQ((*xbin.Picture.Palette)[2], (TRgb{0, 130, 0}));  // 32 -> 130
  EXPECT_EQ((*xbin.Picture.Palette)[3], (TRgb{0, 0, 85}));
  EXPECT_EQ(xbin.Picture.Font->Height, 2);
  EXPECT_EQ(xbin.Picture.Font->Bits, HexBytes("0000 F00F" + Repeat("0000", 254)));
  // Bit 7 blinks unless the header's non-blink flag says otherwise.
  EXPECT_FALSE(xbin.Picture.Hints.Ice);
  EXPECT_TRUE(ReadArt(Patched(XBinRawSample().Bytes, 10, {0x08}), "a.xb").Picture.Hints.Ice);

  const TArtRead wide = ReadArt(XBin512Sample().Bytes, "512.xb");
  ASSERT_TRUE(wide.Picture.Font);
  EXPECT_EQ(wide.Picture.Font->Count, 512);
  EXPECT_EQ(wide.Picture.Font->Bits[256 + 0x41], 0xFF);

  // ArtWorx takes colour 6 from EGA entry 20 and 8-15 from 56-63.
  const TArtRead adf = ReadArt(ArtWorxSample().Bytes, "sample.adf");
  ASSERT_TRUE(adf.Picture.Palette && adf.Picture.Font);
  const TPalette& p = *adf.Picture.Palette;
  EXPECT_EQ((std::vector<TRgb>{p[1], p[6], p[8], p[15], p[3]}),
            (std::vector<TRgb>{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {0, 0, 0}}));
  EXPECT_EQ(adf.Picture.Font->Bits[0xDB * 16 + 15], 0xFF);

  const TArtRead idf = ReadArt(IceDrawSample().Bytes, "sample.idf");
  ASSERT_TRUE(idf.Picture.Palette);
  EXPECT_EQ((*idf.Picture.Palette)[9], (TRgb{0, 0, 255}));
  EXPECT_EQ((*idf.Picture.Palette)[12], (TRgb{255, 0, 0}));

  const TArtRead tnd = ReadArt(TundraSample().Bytes, "sample.tnd");
  EXPECT_EQ(tnd.Picture.TrueColorAt(1, 0), (TArtTrueColor{{255, 0, 0}, {0, 0, 255}}));
  EXPECT_EQ(tnd.Picture.TrueColorAt(2, 0), (TArtTrueColor{{255, 0, 0}, {0, 255, 0}}));
  EXPECT_FALSE(adf.Picture.TrueColorAt(0, 0));
}

TEST(ArtReaders, SayWhatIsWrongAndDrawOnlyWhatTheFileHolds) {
  const std::vector<uint8_t> idf = IceDrawSample().Bytes;
  const std::vector<uint8_t> tnd = TundraSample().Bytes;
  const struct {
    const char* Name;
    std::string FileName;
    std::vector<uint8_t> Bytes;
    TArtProblem Problem;
    int Width, Rows;
  } cases[] = {
      {"no XBin id", "a.xb", Patched(XBinRawSample().Bytes, 3, {'X'}), TArtProblem::NotThisFormat,
       80, 0},
      {"XBin width 0", "a.xb", Patched(XBinRawSample().Bytes, 5, {0, 0}), TArtProblem::BadHeader,
       80, 0},
      {"XBin font of 33 rows", "a.xb", Patched(XBinPaletteFontSample().Bytes, 9, {33}),
       TArtProblem::BadHeader, 80, 0},
      {"XBin cut in its palette", "a.xb", Cut(XBinPaletteFontSample().Bytes, 520),
       TArtProblem::NoPicture, 1, 0},
      {"XBin without cells", "a.xb", Cut(XBinRawSample().Bytes, 8), TArtProblem::NoPicture, 2, 0},
      {"XBin cut in a run", "a.xb", Cut(XBinCompressedSample().Bytes, 2), TArtProblem::Truncated, 3,
       3},
      {"XBin cells missing", "a.xb", Cut(XBinRawSample().Bytes, 4), TArtProblem::Truncated, 2, 1},
      {"ArtWorx without its font", "a.adf", Cut(ArtWorxSample().Bytes, 4200),
       TArtProblem::NoPicture, 80, 0},
      {"ArtWorx of another version", "a.adf", XBinRawSample().Bytes, TArtProblem::BadHeader, 80, 0},
      {"ArtWorx empty", "a.adf", {}, TArtProblem::NoPicture, 80, 0},
      {"no iCE Draw id", "a.idf", Patched(idf, 0, {'I', 'D', 'F'}), TArtProblem::NotThisFormat, 80,
       0},
      {"iCE Draw without palette", "a.idf", Cut(idf, idf.size() - 200), TArtProblem::NoPicture, 80,
       0},
      {"iCE Draw right of left", "a.idf", Patched(idf, 4, {80}), TArtProblem::BadHeader, 80, 0},
      {"iCE Draw cut in a run", "a.idf", Cat({Cut(idf, 4144 + 4), Tail(idf, 4144)}),
       TArtProblem::Truncated, 80, 1},
      {"no Tundra id", "a.tnd", Patched(tnd, 0, {0x19}), TArtProblem::NotThisFormat, 80, 0},
      {"Tundra cut in a command", "a.tnd", Cut(tnd, 1), TArtProblem::Truncated, 80, 1},
      // Only the cell out of reach is dropped: B, back on row 2, is drawn.
      {"Tundra row out of reach", "a.tnd",
       Cat({tnd, HexBytes("01 7FFFFFFF 00000000 41 01 00000001 00000000 42")}),
       TArtProblem::TooLarge, 80, 2},
      {"BIN wider than 1024", "a.bin", Cat({HexBytes("41 07 42 07"), SauceOf(5, 0, 2000, 0)}),
       TArtProblem::TooLarge, 1024, 1},
      {"BIN with half a cell", "a.bin", HexBytes("41 07 42"), TArtProblem::Truncated, 160, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TArtRead read = ReadArt(c.Bytes, c.FileName);
    EXPECT_EQ(read.Problem, c.Problem);
    EXPECT_FALSE(read.Message.empty());
    EXPECT_EQ(read.Picture.Width(), c.Width);
    EXPECT_EQ(read.Picture.Rows(), c.Rows);
  }
}

TEST(ArtReaders, ChooseTheReaderByExtensionThenRecord) {
  const auto record = [](uint8_t dataType, uint8_t fileType) {
    TSauce sauce;
    sauce.DataType = dataType;
    sauce.FileType = fileType;
    return std::optional<TSauce>(sauce);
  };
  const struct {
    const char* Name;
    std::optional<TSauce> Sauce;
    TArtFormat Format;
  } cases[] = {
      {"ART.XB", std::nullopt, TArtFormat::XBin},
      {"dir/a.Bin", record(1, 1), TArtFormat::Bin},  // the extension first
      {"a.adf", std::nullopt, TArtFormat::ArtWorx},
      {"a.IDF", std::nullopt, TArtFormat::IceDraw},
      {"a.tnd", std::nullopt, TArtFormat::Tundra},
      {"a.pcb", std::nullopt, TArtFormat::PcBoard},
      {"a.ans", record(6, 0), TArtFormat::XBin},
      {"a.txt", record(5, 80), TArtFormat::Bin},
      {"a", record(1, 8), TArtFormat::Tundra},
      {"a.asc", record(1, 4), TArtFormat::PcBoard},
      {"a.ans", record(1, 1), TArtFormat::Ansi},
      {"x.xb/a.nfo", std::nullopt, TArtFormat::Ansi},
  };
  for (const auto& c : cases) EXPECT_EQ(ArtFormatOf(c.Name, c.Sauce), c.Format) << c.Name;
}

TEST(ArtReaders, AnsiGoesThroughTheInterpreterWithTheRecordsHints) {
  const std::string art = "\x1b[1;44mA\x1b[38;5;9mB\r\nC";
  const TArtRead read = ReadArt(
      Cat({{art.begin(), art.end()}, SauceOf(1, 1, 80, 0x02 | 0x08, "IBM VGA50")}), "a.ans");
  EXPECT_EQ(read.Problem, TArtProblem::None);
  EXPECT_EQ(ArtRows(read.Picture), (std::vector<std::string>{"AB 1f1c", "C 1c"}));
  ASSERT_TRUE(read.Sauce);
  EXPECT_EQ(read.Sauce->Font, "IBM VGA50");
  const TArtHints& hints = read.Picture.Hints;
  EXPECT_EQ(hints,
            (TArtHints{false, true, TLetterSpacing::Eight, TAspectRatio::Legacy, "IBM VGA50", 8}));
}

// The record says blink or iCE colours, the user overrides it: the hint, and
// how reverse video shows a blinking background, at any width.
TEST(ArtReaders, IceColoursComeFromTheRecordOrTheUser) {
  const std::string art = "\x1b[5;44m\x1b[7mX";
  const std::vector<uint8_t> plain(art.begin(), art.end());
  const std::vector<uint8_t> blink = Cat({plain, SauceOf(1, 1, 80, 0x00)});
  const struct {
    std::vector<uint8_t> File;
    std::optional<bool> Ice;
    const char* Row;  // "X 79": iCE colours, "X f1": blink
  } cases[] = {{plain, std::nullopt, "X 79"},
               {plain, false, "X f1"},
               {blink, std::nullopt, "X f1"},
               {blink, true, "X 79"}};
  for (const auto& c : cases) {
    for (const int columns : {0, 40}) {
      const TArtPicture picture = ReadArt(c.File, "a.ans", columns, c.Ice).Picture;
      EXPECT_EQ(ArtRows(picture), std::vector<std::string>{c.Row}) << c.File.size() << columns;
      EXPECT_EQ(picture.Hints.Ice, std::string(c.Row) == "X 79");
    }
  }
}

// A width the user gives replaces the record's or the default in the
// formats that do not fix their own; the record's hints stay.
TEST(ArtReaders, TakeTheWidthTheUserGives) {
  const std::string text = "ABCDE";
  const std::vector<uint8_t> ansi(text.begin(), text.end());
  const struct {
    std::vector<uint8_t> File;
    const char* Name;
    int Width;  // with --columns 3
  } cases[] = {
      {ansi, "plain.txt", 3},
      {Cat({ansi, SauceOf(1, 1, 132, 0x04)}), "record.ans", 3},
      {Cat({ansi, SauceOf(1, 3, 640, 0)}), "rip.ans", 3},  // a record without a width
      {BinSample().Bytes, "sample.bin", 3},
      {TundraSample().Bytes, "sample.tnd", 3},
      {PcBoardSample().Bytes, "sample.pcb", 3},
      {XBinRawSample().Bytes, "raw.xb", 2},  // the header's width
      {ArtWorxSample().Bytes, "sample.adf", 80},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TArtRead own = ReadArt(c.File, c.Name);
    const TArtRead read = ReadArt(c.File, c.Name, 3);
    EXPECT_EQ(read.Picture.Width(), c.Width);
    EXPECT_EQ(read.Picture.Hints, own.Picture.Hints);
    EXPECT_EQ(read.Sauce.has_value(), own.Sauce.has_value()) << "the file's record is handed out";
  }
  EXPECT_EQ(ArtRows(ReadArt(ansi, "a.ans", 3).Picture),
            (std::vector<std::string>{"ABC 070707", "DE 0707"}));
}

TEST(SauceHints, ReadTheFlagsWidthAndFontOfArtRecords) {
  const struct {
    uint8_t DataType, FileType;
    uint16_t TInfo1;
    uint8_t Flags;
    TArtHints Hints;
    int Width;
  } cases[] = {
      {1, 1, 160, 0x01, {true, true, TLetterSpacing::Unset, TAspectRatio::Unset, "", 16}, 160},
      {1, 0, 0, 0x04 | 0x10, {false, true, TLetterSpacing::Nine, TAspectRatio::Square, "", 16}, 0},
      {1,
       2,
       80,
       0x06 | 0x18,
       {false, true, TLetterSpacing::Unset, TAspectRatio::Unset, "", 16},
       80},
      {5, 40, 0, 0x01, {true, true, TLetterSpacing::Unset, TAspectRatio::Unset, "", 16}, 80},
      {5, 40, 100, 0x00, {false, true, TLetterSpacing::Unset, TAspectRatio::Unset, "", 16}, 100},
      {1, 8, 132, 0x00, {}, 132},  // TundraDraw: a width, no flags
      {1, 3, 640, 0x00, {}, 0},    // RIPscript: pixels, not columns
      {6, 0, 80, 0x00, {}, 0},
  };
  for (const auto& c : cases) {
    TSauce sauce;
    sauce.DataType = c.DataType;
    sauce.FileType = c.FileType;
    sauce.TInfo1 = c.TInfo1;
    sauce.Flags = c.Flags;
    SCOPED_TRACE(testing::Message() << int{c.DataType} << "/" << int{c.FileType});
    EXPECT_EQ(SauceArtHints(sauce), c.Hints);
    EXPECT_EQ(SauceWidth(sauce), c.Width);
  }
  EXPECT_EQ(SauceArtHints(std::nullopt), TArtHints{});

  for (const char* name :
       {"IBM VGA50", "IBM VGA50 437", "IBM EGA43", "Amiga Topaz 1+", "C64 PETSCII"})
    EXPECT_EQ(SauceFontHeight(name), 8) << name;
  for (const char* name : {"IBM VGA", "IBM VGA 850", "IBM VGA500", ""})
    EXPECT_EQ(SauceFontHeight(name), 16) << name;
  EXPECT_EQ(SauceFontHeight("IBM VGA25G"), 19);
  EXPECT_EQ(SauceFontHeight("IBM EGA"), 14);
}

TEST(ArtPicture, GrowsByRowsWithinItsLimitsAndBecomesAScreen) {
  TArtPicture picture(3);
  EXPECT_EQ(picture.Rows(), 0);
  EXPECT_TRUE(picture.Put(2, 1, {'x', 0x1e}));
  EXPECT_EQ(picture.Rows(), 2);
  EXPECT_FALSE(picture.Put(3, 0, {'y', 7}));
  EXPECT_FALSE(picture.Put(0, -1, {'y', 7}));
  EXPECT_FALSE(picture.Put(0, static_cast<int>(kArtMaxCells / 3), {'y', 7}));
  EXPECT_EQ(picture.Rows(), 2);
  EXPECT_EQ(TArtPicture(5000).Width(), kArtMaxWidth);

  const TCellGrid grid = ArtPictureGrid(picture, 1, 2);
  ASSERT_EQ(grid.Height(), 2);
  EXPECT_TRUE(std::ranges::equal(grid.Row(0), std::vector<TScreenChar>{{}, {}, {'x', 0x1e}}));
  EXPECT_TRUE(std::ranges::equal(grid.Row(1), std::vector<TScreenChar>(3)));  // past the picture
  picture.Clear();
  EXPECT_EQ(picture.Rows(), 0);

  // A cleared picture keeps its memory: what the last one held must not
  // show through when it grows again, at its width or another one, nor its
  // exact colours.
  EXPECT_TRUE(picture.Put(2, 4, {'z', 0x4f}, TArtTrueColor{{1, 2, 3}, {4, 5, 6}}));
  TArtPicture fresh(3);
  EXPECT_TRUE(fresh.Put(0, 0, {'a', 7}));
  picture.Clear();
  EXPECT_TRUE(picture.Put(0, 0, {'a', 7}));
  EXPECT_TRUE(picture == fresh);
  EXPECT_EQ(picture.RowCells(4), nullptr);
  EXPECT_EQ(picture.GrowToRow(4)[2], TScreenChar{});
  EXPECT_FALSE(picture.HasTrueColor());
  picture.Clear(2);
  ASSERT_NE(picture.GrowToRow(7), nullptr);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(picture.At(x, y), TScreenChar{}) << x << "," << y;
}

}  // namespace
