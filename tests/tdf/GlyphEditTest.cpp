#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/FontUnitFixture.h"
#include "tdf/CellMirror.h"
#include "tdf/GlyphCapture.h"
#include "tdf/GlyphEdit.h"
#include "tdf/GlyphRender.h"
#include "tdf/OutlineStyles.h"

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

// Box pieces, half blocks and Outline roles mirror as pairs, and the two
// tables agree: roles flipped and then drawn are the drawing flipped, in
// every style whose opposite edges mirror each other.
TEST(GlyphEditModel, FlippedRolesDrawAsTheFlippedDrawing) {
  for (const TFlip flip : {TFlip::Horizontal, TFlip::Vertical}) {
    for (const uint8_t type : {ftOutline, ftBlock, ftColor})
      for (int ch = 0; ch < 256; ++ch) {
        const auto c = static_cast<uint8_t>(ch);
        EXPECT_EQ(MirroredCell(MirroredCell(c, flip, type), flip, type), c) << ch;
      }
    int stylesChecked = 0;
    for (uint8_t style = 0; style < kOutlineStyleCount; ++style) {
      const auto drawn = [style](char role) { return OutlineCellChar(style, role); };
      // Corners and tees take their lines from the edges: the flip draws
      // alike only where the opposite edges are each other's mirror image.
      const auto mirrors = [&](char a, char b) {
        return drawn(a) == MirroredCell(drawn(b), flip, ftBlock);
      };
      if (!mirrors('A', 'B') || (flip == TFlip::Horizontal && !mirrors('C', 'D'))) continue;
      ++stylesChecked;
      for (char role = 'A'; role <= 'Q'; ++role)
        EXPECT_EQ(drawn(static_cast<char>(MirroredCell(role, flip, ftOutline))),
                  MirroredCell(drawn(role), flip, ftBlock))
            << "style " << int{style} << " role " << role;
    }
    EXPECT_GE(stylesChecked, 6);
  }
  // Letters are letters outside Outline fonts.
  EXPECT_EQ(MirroredCell('E', TFlip::Horizontal, ftBlock), 'E');
}

// A block keeps its cells and their colours from one font to another.
TEST(GlyphEditModel, BlocksMoveBetweenFontTypes) {
  const TFontDrawStyle look{0x1E, 0};
  const TEditRows roles = {{{true, 'E', 0}, {true, 'A', 0}, {true, '@', 0}, {}}};
  const TEditRows colored = {{{true, 0xDB, 0x4C}, {true, '&', 0x21}, {}, {true, 'x', 0x07}}};
  const struct {
    uint8_t From, To;
    TEditRows Cells, Want;
  } cases[] = {
      {ftOutline,
       ftColor,
       roles,
       {{{true, 0xDA, 0x1E}, {true, 0xC4, 0x1E}, {true, ' ', 0x1E}, {}}}},
      {ftOutline, ftBlock, roles, {{{true, 0xDA, 0}, {true, 0xC4, 0}, {true, ' ', 0}, {}}}},
      {ftColor, ftBlock, colored, {{{true, 0xDB, 0}, {true, '&', 0}, {}, {true, 'x', 0}}}},
      {ftColor, ftOutline, colored, {{{true, 0xDB, 0}, {true, '&', 0}, {}, {true, 'x', 0}}}},
      {ftBlock, ftColor, {{{true, 'b', 0}, {}}}, {{{true, 'b', 0x1E}, {}}}},
      {ftColor, ftColor, colored, colored},
  };
  for (const auto& c : cases) {
    const TGlyphPiece converted = ConvertedBlock({c.From, c.Cells}, c.To, look);
    EXPECT_EQ(converted.FontType, c.To);
    EXPECT_EQ(converted.Cells, c.Want) << int{c.From} << " to " << int{c.To};
  }
  // The paste of a block is the glyph of exactly that block.
  const TGlyphPicture whole = PictureFromBlock({ftColor, colored});
  EXPECT_EQ(whole.Width, 4);
  EXPECT_EQ(whole.Height, 1);
  EXPECT_EQ(whole.Cells, colored);
}

class GlyphEditFont : public FontUnitFixture {
 protected:
  // The screen after drawing ch alone at (1, 1).
  std::vector<std::string> Drawn(uint8_t ch) {
    Con.SetTextAttr(7);
    Con.ClrScr();
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

// Every editing action of the model is one undo step, undone and redone
// whole: a stroke of many cells, pastes, flips, fills, resizes, a glyph
// copied in. An action that changes nothing leaves no step.
TEST_F(GlyphEditFont, EveryEditIsOneStepUndoneAndRedone) {
  TTdfFontPlan outline;
  outline.FontType = ftOutline;
  outline.Glyphs = {{'R', BlockGlyph({"EAF", "KBL"})}};
  LoadBuilt(TTdfBuilder().Font(outline));
  const TGlyphPicture start = Pic({"a/.", "\xDDm.", "..."});
  const TGlyphPiece ab = {ftBlock, Pic({"ab", "cd"}).Cells};
  const TGlyphPiece holey = {ftBlock, Pic({"b.", ".k"}).Cells};
  const TGlyphPiece column = {ftBlock, Pic({"b.", "d."}).Cells};
  TGlyphPiece cut;
  using TAction = std::function<bool(TGlyphEdit&)>;
  const auto set = [](TGlyphEdit& e, int c, int r, char ch) {
    return e.SetCell(c, r, {true, static_cast<uint8_t>(ch), 0}, ftBlock);
  };
  const struct {
    const char* What;
    TAction Act;
    TRows Want;  // empty: the action changes nothing
    int Width = 3, Height = 3;
  } cases[] = {
      {"a stroke",
       [&](TGlyphEdit& e) {
         e.BeginStroke();
         for (int row = 0; row < 3; ++row) set(e, 2, row, 'x');
         return e.EndStroke();
       },
       {"a/x", "\xDDmx", "..x"}},
      {"a stroke still open when undone",
       [&](TGlyphEdit& e) {
         e.BeginStroke();
         e.BeginStroke();
         return set(e, 0, 2, 'x') && set(e, 1, 2, 'y');
       },
       {"a/.", "\xDDm.", "xy."}},
      {"a stroke over the picture as it is",
       [&](TGlyphEdit& e) {
         e.BeginStroke();
         set(e, 0, 0, 'a');
         return e.EndStroke();
       },
       {}},
      {"an opaque paste",
       [&](TGlyphEdit& e) { return e.Paste(holey, 0, 0, ftBlock); },
       {"b..", ".k.", "..."}},
      {"a transparent paste",
       [&](TGlyphEdit& e) {
         return e.Paste(holey, 0, 0, ftBlock, TGlyphEdit::TPaste::Transparent);
       },
       {"b/.", "\xDDk.", "..."}},
      {"a paste over the edge grows the glyph",
       [&](TGlyphEdit& e) { return e.Paste(ab, 2, 2, ftBlock); },
       {"a/..", "\xDDm..", "..ab", "..cd"},
       4,
       4},
      {"undefined cells over the edge grow nothing",
       [&](TGlyphEdit& e) { return e.Paste(column, 2, 1, ftBlock); },
       {"a/.", "\xDDmb", "..d"}},
      {"a paste left of the glyph is cut",
       [&](TGlyphEdit& e) { return e.Paste(ab, -1, 1, ftBlock); },
       {"a/.", "bm.", "d.."}},
      {"a horizontal flip",
       [&](TGlyphEdit& e) { return e.Flip(RectBetween(2, 1, 0, 0), TFlip::Horizontal, ftBlock); },
       {".\\a", ".m\xDE", "..."}},
      {"a vertical flip",
       [&](TGlyphEdit& e) { return e.Flip(RectBetween(0, 0, 9, 1), TFlip::Vertical, ftBlock); },
       {"\xDDm.", "a\\.", "..."}},
      {"a fill",
       [&](TGlyphEdit& e) {
         return e.Fill(RectBetween(1, 1, 2, 2), {true, '#', 0}, ftBlock);
       },
       {"a/.", "\xDD##", ".##"}},
      {"a fill with a cell no font can hold",
       [&](TGlyphEdit& e) {
         return e.Fill(RectBetween(1, 1, 2, 2), {true, 13, 0}, ftBlock);
       },
       {}},
      {"a fill beside the picture",
       [&](TGlyphEdit& e) {
         return e.Fill(RectBetween(3, 0, 5, 2), {true, '#', 0}, ftBlock);
       },
       {}},
      {"undefining",
       [&](TGlyphEdit& e) { return e.Undefine(RectBetween(0, 0, 1, 0)); },
       {"...", "\xDDm.", "..."}},
      {"a cut",
       [&](TGlyphEdit& e) { return e.Cut(RectBetween(0, 0, 0, 1), ftBlock, cut); },
       {"./.", ".m.", "..."}},
      {"a resize", [&](TGlyphEdit& e) { return e.Resize(2, 1); }, {"a/"}, 2, 1},
      {"a glyph of another font copied in",
       [&](TGlyphEdit& e) { return CopyGlyphIn(e, Loaded, 'R', ftBlock, {}) == TGlyphRead::Found; },
       {"\xDA\xC4\xBF", "\xC0\xC4\xD9"},
       3,
       2},
      {"an absent glyph copied in",
       [&](TGlyphEdit& e) { return CopyGlyphIn(e, Loaded, 'S', ftBlock, {}) == TGlyphRead::Found; },
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    TGlyphEdit edit(start);
    const bool changed = c.Act(edit);
    EXPECT_EQ(changed, !c.Want.empty());
    if (c.Want.empty()) {
      EXPECT_EQ(edit.Picture(), start);
      EXPECT_FALSE(edit.CanUndo());
      continue;
    }
    const TGlyphPicture after = edit.Picture();
    EXPECT_EQ(Text(after), c.Want);
    EXPECT_EQ(after.Width, c.Width);
    EXPECT_EQ(after.Height, c.Height);
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(edit.Picture(), start);
    EXPECT_FALSE(edit.CanUndo());
    EXPECT_FALSE(edit.Modified());
    ASSERT_TRUE(edit.Redo());
    EXPECT_EQ(edit.Picture(), after);
    EXPECT_FALSE(edit.CanRedo());
  }
  EXPECT_EQ(Text(PictureFromBlock(cut)), (TRows{"a", "\xDD"}));  // the cut kept its cells
}

// The sample drawn from the font as edited is the sample drawn after the
// glyph is saved: a glyph changed, and one the font did not have yet.
TEST_F(GlyphEditFont, TheEditedFontDrawsAsTheSavedOne) {
  TTdfFontPlan block;
  block.Glyphs = {{'A', BlockGlyph({"ab", "cd"})}, {'C', BlockGlyph({"e"})}};
  const struct {
    const char* What;
    uint8_t Ch;
    TGlyphPicture Picture;
  } cases[] = {
      {"a glyph changed", 'A', Pic({"x.y", ".z"})},
      {"a glyph added", 'B', Pic({"\xDB\xDB", "\xDF."})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    LoadBuilt(TTdfBuilder().Font(block));
    const auto sample = [this](const TFontFile& font) {
      Con.SetTextAttr(7);
      Con.ClrScr();
      DrawFontText(Con, font, 1, 1, "ABC");
      return Row(1) + Row(2) + Attrs(1);
    };
    const std::string before = sample(Loaded);
    const std::optional<TFontFile> edited = EditedFont(Loaded, c.Ch, c.Picture);
    ASSERT_TRUE(edited.has_value());
    const std::string drawn = sample(*edited);
    EXPECT_NE(drawn, before);
    ASSERT_EQ(StoreGlyph(Loaded, c.Ch, EncodeGlyph(c.Picture, ftBlock), true).Status,
              TGlyphStore::Stored);
    EXPECT_EQ(sample(Loaded), drawn);
  }
  EXPECT_FALSE(EditedFont(Loaded, ' ', Pic({"x"})).has_value());
  EXPECT_FALSE(EditedFont(TFontFile(), 'A', Pic({"x"})).has_value());
}

}  // namespace
