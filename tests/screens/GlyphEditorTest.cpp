// The glyph editor driven by key scripts: what it stores, what it shows.

#include <map>
#include <string>
#include <vector>

#include "screens/GlyphEditor.h"
#include "support/FontUnitFixture.h"
#include "support/ScreenFixture.h"
#include "tdf/GlyphRender.h"
#include "util/Text.h"

namespace {

using TBytes = std::vector<uint8_t>;

// Key bytes of a script: plain characters as themselves, named keys in
// braces ("{F1}", "{^S}", "{Esc}").
TBytes KeyBytes(std::string_view script) {
  // {Click}: the glyph's cell (1, 1), as the editor's mouse hook sends a click there.
  static const std::map<std::string_view, TBytes> kNamed = {
      {"Up", {0, 72}},     {"Down", {0, 80}},
      {"Left", {0, 75}},   {"Right", {0, 77}},
      {"Home", {0, 71}},   {"End", {0, 79}},
      {"PgUp", {0, 73}},   {"PgDn", {0, 81}},
      {"^Left", {0, 115}}, {"^Right", {0, 116}},
      {"Del", {0, 83}},    {"^Z", {0, 26}},
      {"^R", {0, 18}},     {"^S", {0, 19}},
      {"Esc", {27}},       {"Tab", {9}},
      {"F1", {0, 59}},     {"F4", {0, 62}},
      {"F8", {0, 66}},     {"F9", {0, 67}},
      {"F10", {0, 68}},    {"Click", {0, kScanMouseClick, 3, 4}},
  };
  TBytes bytes;
  while (!script.empty()) {
    const size_t close = script.find('}');
    if (script[0] != '{' || close == std::string_view::npos) {
      bytes.push_back(static_cast<uint8_t>(script[0]));
      script.remove_prefix(1);
      continue;
    }
    const TBytes& named = kNamed.at(script.substr(1, close - 1));
    bytes.insert(bytes.end(), named.begin(), named.end());
    script.remove_prefix(close + 1);
  }
  return bytes;
}

class GlyphEditor : public ScreenTest {
 protected:
  // Three fonts; the second, of type, is selected and holds 'A' as "ab" over
  // "cd" (Color: in yellow on blue) and 'Z' with a short row.
  std::string LoadFont(uint8_t type) {
    const TBytes glyph = type == ftColor     ? ColorGlyph({"ab", "cd"}, 0x1E)
                         : type == ftOutline ? BlockGlyph({"AB", "CD"})
                                             : BlockGlyph({"ab", "cd"});
    TTdfBuilder b;
    b.Font(FontSpec("One", ftColor, 1, {{'A', ColorGlyph({"xy"}, 0x1E)}}));
    b.Font(FontSpec("Edit", type, 1, {{'A', glyph}, {'Z', BlockGlyph({"abc", "d"})}}));
    b.Font(FontSpec("Three", ftBlock, 1, {{'A', BlockGlyph({"xy"})}}));
    const std::string path = Load(b, Font);
    EXPECT_TRUE(SelectFont(Font, 2));
    return path;
  }
  // Header and glyph block of font n, as on disk.
  TBytes FontBytes(int n) const {
    const TBytes all = ReadFileBytes(Font.Path);
    const auto start = all.begin() + Font.Fonts[n].Offset;
    return TBytes(start, start + kFontHeaderSize + BlockSizeOf(Font.Fonts[n].Header));
  }
  // One step of a key script, delivered at the next wait for a key.
  void Keys(std::string_view script) { Screen.Steps.push_back(KeyBytes(script)); }
  // The record of ch now in font 2 of the file, through the 0 that ends it.
  TBytes StoredRecord(uint8_t ch) {
    ReloadFontFile(Font, 2);
    TFontChar size;
    TBytes stream;
    if (ReadGlyphRecord(Font, ch, size, stream) != TGlyphRead::Found) return {};
    if (const auto end = GlyphStreamEnd(stream, Font.Header.FontType)) stream.resize(*end);
    stream.insert(stream.begin(), {size.Width, size.Height});
    return stream;
  }

  TFontFile Font;
  TFontLook Look;
};

TEST_F(GlyphEditor, KeyScriptsStoreTheGlyphTheyDraw) {
  const struct {
    uint8_t Type;
    uint8_t Ch;
    const char* Keys;
    TBytes Stored;  // empty: the file stays as it was
  } cases[] = {
      {ftBlock, 'A', "xy{^S}{Esc}", {2, 2, 'x', 'y', 13, 'c', 'd', 0}},
      {ftBlock, 'A', "{F1}{F8}{Down}{Home}{F4}{^S}{Esc}", {2, 2, 176, 222, 13, 219, 'd', 0}},
      {ftColor,
       'A',
       "{F9}{F10}z{Tab}{^S}{Esc}",
       {2, 2, 'z', 0x2F, 'b', 0x2F, 13, 'c', 0x1E, 'd', 0x1E, 0}},
      {ftBlock,
       'A',
       "{^Right}{End}e{PgDn}{Down}{Home}f{^S}{Esc}",
       {3, 3, 'a', 'b', 'e', 13, 'f', 'd', 0}},
      {ftBlock, 'A', "{^Left}{PgUp}{^S}{Esc}", {1, 1, 'a', 0}},
      {ftBlock, 'A', "{Right}{Del}{Down}{Del}{^S}{Esc}", {2, 2, 'a', 13, 'c', 0}},
      {ftBlock, 'A', "{Del}{^S}{Esc}", {2, 2, ' ', 'b', 13, 'c', 'd', 0}},
      {ftColor,
       'A',
       "z{F1}{F9}{Tab}{Home}{Del}{^Right}{PgUp}{^Z}{^Z}{^Z}{^Z}{^R}{^S}{Esc}",
       {2, 2, 'z', 0x1E, 176, 0x1F, 13, 'c', 0x1E, 'd', 0x1E, 0}},
      {ftBlock, 'A', "x{^S}{^Z}{^S}{Esc}", {2, 2, 'a', 'b', 13, 'c', 'd', 0}},
      {ftBlock, 'B', "q{^S}{Esc}", {1, 1, 'q', 0}},
      {ftBlock, 'A', "{Click}x{^S}{Esc}", {2, 2, 'a', 'b', 13, 'c', 'x', 0}},
      {ftOutline, 'A', "e@z{^S}{Esc}", {2, 2, 'E', '@', 13, 'C', 'D', 0}},
      {ftBlock, 'A', "x{Esc}n{^S}{Esc}", {2, 2, 'x', 'b', 13, 'c', 'd', 0}},
      {ftBlock, 'A', "x{Esc}y", {}},
      {ftBlock, 'A', "x{Esc}\r{^S}{Esc}", {2, 2, 'x', 'b', 13, 'c', 'd', 0}},
      {ftBlock, 'A', "{Right}{Down}{Esc}", {}},
      {ftBlock, 'A', "x{^Z}{Esc}", {}},
      {ftBlock, 'A', "{^S}{Esc}", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Keys);
    Font = {};
    const std::string path = LoadFont(c.Type);
    const TBytes before = ReadFileBytes(path), one = FontBytes(1), three = FontBytes(3);
    Keys(c.Keys);
    EditGlyph(Font, c.Ch, Look);
    EXPECT_EQ(Font.Selected, 2);
    EXPECT_TRUE(Screen.Steps.empty());
    EXPECT_TRUE(Screen.KeyBufferEmpty());
    if (c.Stored.empty()) {
      EXPECT_EQ(ReadFileBytes(path), before);
    } else {
      EXPECT_EQ(StoredRecord(c.Ch), c.Stored);
    }
    EXPECT_EQ(FontBytes(1), one);
    EXPECT_EQ(FontBytes(3), three);
  }
  EXPECT_FALSE(MouseClickHandler);
}

TEST_F(GlyphEditor, TheScreenShowsTheGlyphUndefinedCellsAndTheCursor) {
  LoadFont(ftBlock);
  Keys("{Right}{Down}");
  Keys("{Esc}");
  Look.Style.Attr = 14;
  EditGlyph(Font, 'Z', Look);
  const std::vector<std::string> expected = {
      " Glyph Z Edit [Block]            Size 3x2     At 2,2                            ",
      "\xDA\xC4\x1F\xC4\xBF",
      "\xB3"
      "abc\xB3",
      "\x10"
      "d\xFA\xFA\xB3",
      "\xC0\xC4\xC4\xC4\xD9",
  };
  for (int y = 1; y <= 5; ++y)
    EXPECT_EQ(WaitText(1, y), PadRight(expected[y - 1], 80, ' ')) << "row " << y;
  EXPECT_EQ(WaitAttrs(1, 4).substr(0, 8),
            "0f0e0808");  // the row mark, a cell in BlockColor, two undefined
  EXPECT_EQ(Screen.Waits[1].CursorX, 3);
  EXPECT_EQ(Screen.Waits[1].CursorY, 4);
}

TEST_F(GlyphEditor, OutlineCellsShowTheStyleAndTheRoleUnderTheCursor) {
  LoadFont(ftOutline);
  Keys("{Right}{Down}");
  Keys("{Esc}");
  EditGlyph(Font, 'A', Look);
  EXPECT_EQ(WaitText(0, 3).substr(0, 4), "\x10\xC4\xC4\xB3");  // A and B drawn as edges
  EXPECT_EQ(WaitText(0, 1), " Glyph A Edit [Outline]          Size 2x2     At 1,1     A top edge" +
                                std::string(13, ' '));
  EXPECT_EQ(WaitText(1, 1).substr(57), "D right edge" + std::string(11, ' '));
}

}  // namespace
