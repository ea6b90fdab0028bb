#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/FontUnitFixture.h"
#include "tdf/GlyphCapture.h"
#include "tdf/GlyphEdit.h"
#include "tdf/GlyphRender.h"

namespace {

namespace fs = std::filesystem;
using TBytes = std::vector<uint8_t>;
using TRows = std::vector<std::string>;

// A picture from rows of text, '.' for an undefined cell; every cell in attr.
TGlyphPicture Pic(const TRows& rows, uint8_t attr = 0) {
  TGlyphPicture p =
      EmptyPicture(static_cast<uint8_t>(rows[0].size()), static_cast<uint8_t>(rows.size()));
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c)
      if (rows[r][c] != '.') p.Cells[r][c] = {true, static_cast<uint8_t>(rows[r][c]), attr};
  return p;
}

TRows Text(const TGlyphPicture& p) {
  TRows rows;
  for (const auto& row : p.Cells) {
    std::string& s = rows.emplace_back();
    for (const TEditCell& cell : row) s += cell.Defined ? static_cast<char>(cell.Ch) : '.';
  }
  return rows;
}

// What a record reads back as.
TGlyphPicture Decoded(const TBytes& record, uint8_t fontType) {
  return PictureFromRows(record[0], record[1],
                         GlyphCellRows(std::span(record).subspan(2), fontType));
}

TEST(GlyphEditModel, EveryChangeIsUndoneAndRedoneStepByStep) {
  // Rows may reach past Width: the first row here is 4 cells of a 2-wide glyph.
  TGlyphEdit edit(PictureFromRows(2, 2, {{{'a'}, {'b'}, {'c'}, {'d'}}, {{'e'}}}));
  ASSERT_EQ(Text(edit.Picture()), (TRows{"abcd", "e..."}));
  const struct {
    std::function<bool(TGlyphEdit&)> Op;
    TRows After;  // empty: nothing changes
    int Width, Height;
  } steps[] = {
      {[](TGlyphEdit& e) {
         return e.SetCell(1, 1, {true, 'f', 0}, ftBlock);
       },
       {"abcd", "ef.."},
       2,
       2},
      {[](TGlyphEdit& e) {
         return e.SetCell(1, 1, {true, 'f', 0}, ftBlock);
       },
       {},
       2,
       2},
      {[](TGlyphEdit& e) { return e.SetCell(0, 0, {}, ftBlock); }, {".bcd", "ef.."}, 2, 2},
      {[](TGlyphEdit& e) {
         return e.SetCell(4, 0, {true, 'x', 0}, ftBlock);
       },
       {},
       2,
       2},
      {[](TGlyphEdit& e) {
         return e.SetCell(0, 0, {true, '&', 13}, ftColor);
       },
       {},
       2,
       2},
      {[](TGlyphEdit& e) { return e.Resize(3, 3); }, {".bcd", "ef..", "...."}, 3, 3},
      {[](TGlyphEdit& e) { return e.Resize(2, 1); }, {".b"}, 2, 1},
      {[](TGlyphEdit& e) { return e.Resize(0, 1); }, {}, 2, 1},
      {[](TGlyphEdit& e) { return e.Replace(EmptyPicture(1, 1)); }, {"."}, 1, 1},
  };
  std::vector<TGlyphPicture> history = {edit.Picture()};
  for (const auto& step : steps) {
    EXPECT_EQ(step.Op(edit), !step.After.empty());
    if (!step.After.empty()) history.push_back(edit.Picture());
    EXPECT_EQ(Text(edit.Picture()), step.After.empty() ? Text(history.back()) : step.After);
    EXPECT_EQ(edit.Picture().Width, step.Width);
    EXPECT_EQ(edit.Picture().Height, step.Height);
  }
  for (size_t i = history.size() - 1; i > 0; --i) {
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(edit.Picture(), history[i - 1]);
  }
  EXPECT_FALSE(edit.Undo());
  EXPECT_FALSE(edit.Modified());
  for (size_t i = 1; i < history.size(); ++i) {
    ASSERT_TRUE(edit.Redo());
    EXPECT_EQ(edit.Picture(), history[i]);
  }
  EXPECT_FALSE(edit.Redo());
  edit.MarkSaved();
  EXPECT_FALSE(edit.Modified());
  ASSERT_TRUE(edit.Undo());
  EXPECT_TRUE(edit.Modified());
}

TEST(GlyphEditModel, TheUndoHistoryHoldsAtLeastTwoHundredSteps) {
  TGlyphEdit edit(EmptyPicture(1, 1));
  for (int i = 0; i < 300; ++i)
    edit.SetCell(0, 0, {true, static_cast<uint8_t>('!' + i % 90), 0}, ftBlock);
  int undone = 0;
  while (edit.Undo()) ++undone;
  EXPECT_GE(undone, 200);
  EXPECT_LT(undone, 300);  // bounded: the oldest steps go first
}

TEST(GlyphEditModel, RecordsEndRowsAtTheirLastDefinedCell) {
  const struct {
    TGlyphPicture Picture;
    uint8_t Type;
    TBytes Record;
    bool ReadsBackTheSame;
  } cases[] = {
      {Pic({"ab.", "c..", "..."}), ftBlock, {3, 3, 'a', 'b', 13, 'c', 0}, true},
      {Pic({"...", "..."}), ftBlock, {3, 2, 0}, true},
      {Pic({"...", "..a"}), ftBlock, {3, 2, 13, ' ', ' ', 'a', 0}, false},  // holes become spaces
      // A last '&' would read as the row-end marker: a second one is that marker.
      {Pic({"a&", "&."}), ftBlock, {2, 2, 'a', '&', '&', 13, '&', '&', 0}, true},
      {Pic({"AE@"}), ftOutline, {3, 1, 'A', 'E', '@', 0}, true},
      {Pic({"a&"}, 0x1E), ftColor, {2, 1, 'a', 0x1E, '&', 0x1E, 0}, true},
      {Pic({"a.b"}, 0x1E), ftColor, {3, 1, 'a', 0x1E, ' ', 7, 'b', 0x1E, 0}, false},
      // '&' on attribute 13 cannot be stored: it keeps its place as a space.
      {Pic({"&a"}, 13), ftColor, {2, 1, ' ', 13, 'a', 13, 0}, false},
  };
  for (const auto& c : cases) {
    const TBytes record = EncodeGlyph(c.Picture, c.Type);
    EXPECT_EQ(record, c.Record) << Text(c.Picture)[0];
    EXPECT_EQ(Decoded(record, c.Type) == c.Picture, c.ReadsBackTheSame) << Text(c.Picture)[0];
  }
}

class GlyphEditFont : public FontUnitFixture {
 protected:
  // Header and glyph block of font n of the loaded file, as on disk.
  TBytes FontBytes(int n) const {
    const TBytes all = ReadFileBytes(FontFileName);
    const size_t start = static_cast<size_t>(Fonts[n].Offset);
    return TBytes(all.begin() + start,
                  all.begin() + start + kFontHeaderSize + BlockSizeOf(Fonts[n].Header));
  }
  // The screen after drawing ch alone at (1, 1).
  std::vector<std::string> Drawn(uint8_t ch) {
    SetTextAttr(7);
    ClrScr();
    DrawFontText(1, 1, std::string(1, static_cast<char>(ch)));
    std::vector<std::string> rows;
    for (int y = 1; y <= 25; ++y) rows.push_back(Row(y) + Attrs(y));
    return rows;
  }
};

TEST_F(GlyphEditFont, EveryDemoGlyphSavedAgainDrawsAsBefore) {
  const std::string path = Dir.File("demo.tdf");
  fs::copy_file(BRIXEL_SOURCE_DIR "/assets/demo.tdf", path);
  ASSERT_TRUE(LoadFontFile(path));
  const int fonts = FontCount;
  int saved = 0;
  for (int n = 1; n <= fonts; ++n) {
    ASSERT_TRUE(SelectFont(n));
    for (int ch = kFirstGlyphChar; ch <= kLastGlyphChar; ++ch) {
      TGlyphPicture picture;
      if (LoadGlyphPicture(static_cast<uint8_t>(ch), picture) != TGlyphRead::Found) continue;
      const std::vector<std::string> before = Drawn(static_cast<uint8_t>(ch));
      ASSERT_EQ(
          StoreGlyph(static_cast<uint8_t>(ch), EncodeGlyph(picture, CurrentHeader.FontType), true),
          TGlyphStore::Stored);
      ASSERT_EQ(CurrentFont, n);
      EXPECT_EQ(Drawn(static_cast<uint8_t>(ch)), before)
          << "font " << n << " '" << static_cast<char>(ch) << "'";
      ++saved;
    }
  }
  EXPECT_EQ(saved, 2 * 94);
}

TEST_F(GlyphEditFont, CorpusGlyphsReadBackAsTheyWere) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(fs::path(BRIXEL_CORPUS_DIR) / "tdf", ec), end; !ec && it != end;
       it.increment(ec))
    files.push_back(it->path());
  if (files.empty()) GTEST_SKIP() << "no font corpus";
  int glyphs = 0;
  for (const fs::path& file : files) {
    ASSERT_TRUE(LoadFontFile(file.string()));
    for (int n = 1; n <= FontCount; ++n) {
      if (!SelectFont(n)) continue;
      for (int ch = kFirstGlyphChar; ch <= kLastGlyphChar; ++ch) {
        TGlyphPicture picture;
        if (LoadGlyphPicture(static_cast<uint8_t>(ch), picture) != TGlyphRead::Found) continue;
        const uint8_t type = CurrentHeader.FontType;
        ASSERT_EQ(Decoded(EncodeGlyph(picture, type), type), picture)
            << file.filename() << " font " << n << " '" << static_cast<char>(ch) << "'";
        ++glyphs;
      }
    }
  }
  EXPECT_GT(glyphs, 0);
}

TEST_F(GlyphEditFont, SavingIntoTheSecondOfThreeFontsLeavesTheOthersByteForByte) {
  TTdfBuilder b;
  const struct {
    const char* Name;
    uint8_t Type;
    TBytes Glyph;
  } fonts[] = {{"One", ftColor, ColorGlyph({"ab"}, 0x1E)},
               {"Two", ftOutline, BlockGlyph({"AB", "CD"})},
               {"Three", ftBlock, BlockGlyph({"xy"})}};
  for (const auto& f : fonts) {
    TTdfFontSpec spec;
    spec.Name = f.Name;
    spec.FontType = f.Type;
    spec.Glyphs = {{'A', f.Glyph}};
    b.Font(spec);
  }
  LoadBuilt(b, 2);
  const TBytes one = FontBytes(1), three = FontBytes(3);
  TGlyphPicture picture;
  ASSERT_EQ(LoadGlyphPicture('A', picture), TGlyphRead::Found);
  TGlyphEdit edit(picture);
  ASSERT_TRUE(edit.SetCell(1, 1, {true, 'E', 0}, ftOutline));
  ASSERT_TRUE(edit.Resize(3, 2));
  ASSERT_TRUE(edit.SetCell(2, 0, {true, '@', 0}, ftOutline));
  ASSERT_EQ(StoreGlyph('A', EncodeGlyph(edit.Picture(), ftOutline), true), TGlyphStore::Stored);
  ASSERT_EQ(FontCount, 3);
  EXPECT_EQ(CurrentFont, 2);
  EXPECT_EQ(FontBytes(1), one);
  EXPECT_EQ(FontBytes(3), three);
  ASSERT_EQ(LoadGlyphPicture('A', picture), TGlyphRead::Found);
  EXPECT_EQ(Text(picture), (TRows{"AB@", "CE."}));
  EXPECT_EQ(picture.Width, 3);
}

}  // namespace
