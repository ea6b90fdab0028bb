#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

TEST(GlyphEditModel, ResizingAndRefusalsAndAnUndoHistoryOfAtLeast200Steps) {
  // Rows may reach past Width: the first row here is 4 cells of a 2-wide glyph.
  TGlyphEdit edit(PictureFromRows(2, 2, {{{'a'}, {'b'}, {'c'}, {'d'}}, {{'e'}}}));
  EXPECT_FALSE(edit.SetCell(0, 0, {true, '&', 13}, ftColor));  // would read as a row end
  EXPECT_FALSE(edit.SetCell(4, 0, {true, 'x', 0}, ftBlock));   // outside
  EXPECT_FALSE(edit.CanUndo());
  ASSERT_TRUE(edit.Resize(3, 3));  // growing keeps the overhang
  EXPECT_EQ(Text(edit.Picture()), (TRows{"abcd", "e...", "...."}));
  ASSERT_TRUE(edit.Resize(2, 1));  // shrinking cuts at the new size
  EXPECT_EQ(Text(edit.Picture()), (TRows{"ab"}));
  for (int i = 0; i < 300; ++i)
    edit.SetCell(0, 0, {true, static_cast<uint8_t>('!' + i % 90), 0}, ftBlock);
  int undone = 0;
  while (edit.Undo()) ++undone;
  EXPECT_GE(undone, 200);
  EXPECT_TRUE(edit.Modified());  // the oldest steps went, not the newest
}

TEST(GlyphEditModel, RecordsEndRowsAtTheirLastDefinedCell) {
  const struct {
    TGlyphPicture Picture;
    uint8_t Type;
    TBytes Record;
    bool ReadsBackTheSame;
  } cases[] = {
      {Pic({"...", "..."}), ftBlock, {3, 2, 0}, true},
      // A last '&' would read as the row-end marker: a second one is that marker.
      {Pic({"a&", "&."}), ftBlock, {2, 2, 'a', '&', '&', 13, '&', '&', 0}, true},
      {Pic({"a&"}, 0x1E), ftColor, {2, 1, 'a', 0x1E, '&', 0x1E, 0}, true},
      {Pic({"a.b"}, 0x1E), ftColor, {3, 1, 'a', 0x1E, ' ', 7, 'b', 0x1E, 0}, false},  // a hole
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
  // The screen after drawing ch alone at (1, 1).
  std::vector<std::string> Drawn(uint8_t ch) {
    SetTextAttr(7);
    ClrScr();
    DrawFontText(Con, Loaded, 1, 1, std::string(1, static_cast<char>(ch)));
    std::vector<std::string> rows;
    for (int y = 1; y <= 25; ++y) rows.push_back(Row(y) + Attrs(y));
    return rows;
  }
};

TEST_F(GlyphEditFont, EveryDemoGlyphSavedAgainDrawsAsBefore) {
  const std::string path = Dir.File("demo.tdf");
  fs::copy_file(BRIXEL_SOURCE_DIR "/assets/demo.tdf", path);
  ASSERT_TRUE(LoadFontFile(path, Loaded));
  const int fonts = Loaded.Count();
  int saved = 0;
  for (int n = 1; n <= fonts; ++n) {
    ASSERT_TRUE(SelectFont(Loaded, n));
    for (int ch = kFirstGlyphChar; ch <= kLastGlyphChar; ++ch) {
      TGlyphPicture picture;
      if (LoadGlyphPicture(Loaded, static_cast<uint8_t>(ch), picture) != TGlyphRead::Found)
        continue;
      const std::vector<std::string> before = Drawn(static_cast<uint8_t>(ch));
      ASSERT_EQ(StoreGlyph(Loaded, static_cast<uint8_t>(ch),
                           EncodeGlyph(picture, Loaded.Header.FontType), true)
                    .Status,
                TGlyphStore::Stored);
      ASSERT_EQ(Loaded.Selected, n);
      EXPECT_EQ(Drawn(static_cast<uint8_t>(ch)), before)
          << "font " << n << " '" << static_cast<char>(ch) << "'";
      ++saved;
    }
  }
  EXPECT_EQ(saved, 2 * 94);
}

}  // namespace
