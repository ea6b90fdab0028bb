// The glyph editor driven by key scripts: what it stores, what it shows.

#include <cstdio>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "screens/GlyphEditor.h"
#include "screens/GlyphEditorScreen.h"
#include "support/FontUnitFixture.h"
#include "support/ScreenFixture.h"
#include "tdf/GlyphRender.h"
#include "util/Text.h"

namespace {

using TBytes = std::vector<uint8_t>;

// Key bytes of a script: plain characters as themselves, named keys in
// braces ("{F1}", "{^S}", "{Esc}"). Mouse events go to mice, each leaving
// 0, kScriptMouse in the script: "{L2,1}" presses the left button on the
// glyph's cell (2, 1) (0-based), "{M2,3}" drags there, "{U2,3}" lets go;
// R, N and W are the same for the right button, P presses the middle one,
// A and S the left one with Alt and with Shift. "{Fg4}" and "{Bg4}" click
// colour 4 of the strip with the left and the right button.
TBytes KeyBytes(std::string_view script, std::deque<TMouseEvent>* mice = nullptr) {
  static const std::map<std::string_view, TBytes> kNamed = {
      {"Up", {0, 72}},      {"Down", {0, 80}},    {"Left", {0, 75}},     {"Right", {0, 77}},
      {"Home", {0, 71}},    {"End", {0, 79}},     {"PgUp", {0, 73}},     {"PgDn", {0, 81}},
      {"^Left", {0, 115}},  {"^Right", {0, 116}}, {"Del", {0, 83}},      {"^Z", {0, 26}},
      {"^R", {0, 18}},      {"^S", {0, 19}},      {"Esc", {27}},         {"Tab", {9}},
      {"F1", {0, 59}},      {"F4", {0, 62}},      {"F8", {0, 66}},       {"F9", {0, 67}},
      {"F10", {0, 68}},     {"F3", {0, 61}},      {"F7", {0, 65}},       {"S-Up", {0, 224}},
      {"S-Down", {0, 225}}, {"S-Left", {0, 226}}, {"S-Right", {0, 227}}, {"S-F9", {0, 92}},
      {"S-F10", {0, 93}},   {"^C", {0, 3}},       {"^X", {0, 24}},       {"^V", {0, 22}},
      {"^G", {0, 7}},       {"^B", {0, 2}},       {"^W", {0, 23}},       {"^PgUp", {0, 132}},
      {"^PgDn", {0, 118}},  {"Enter", {13}},
  };
  using K = TMouseEvent::TKind;
  static const std::map<char, TMouseEvent> kMouse = {
      {'L', {K::Press, 1}},
      {'M', {K::Move, 1}},
      {'U', {K::Release, 1}},
      {'R', {K::Press, 3}},
      {'N', {K::Move, 3}},
      {'W', {K::Release, 3}},
      {'P', {K::Press, 2}},
      {'A', {K::Press, 1, 1, 1, false, true}},
      {'S', {K::Press, 1, 1, 1, true, false}},
  };
  TBytes bytes;
  const auto report = [&](TMouseEvent event, int x, int y) {
    event.X = x;
    event.Y = y;
    mice->push_back(event);
    bytes.insert(bytes.end(), {0, kScriptMouse});
  };
  while (!script.empty()) {
    const size_t close = script.find('}');
    if (script[0] != '{' || close == std::string_view::npos) {
      bytes.push_back(static_cast<uint8_t>(script[0]));
      script.remove_prefix(1);
      continue;
    }
    const std::string name(script.substr(1, close - 1));
    script.remove_prefix(close + 1);
    int column = 0, row = 0;
    if ((name.starts_with("Fg") || name.starts_with("Bg")) && mice) {
      const TMouseEvent& press = kMouse.at(name[0] == 'F' ? 'L' : 'R');
      int colour = 0;
      std::sscanf(name.c_str() + 2, "%d", &colour);
      const int x = 1 + 2 * colour;  // two strip columns a colour, from 1
      report(press, x, 23);
      report({K::Release, press.Button}, x, 23);
    } else if (kMouse.count(name[0]) &&
               std::sscanf(name.c_str() + 1, "%d,%d", &column, &row) == 2 && mice) {
      report(kMouse.at(name[0]), column + kGlyphLeft, row + kGlyphTop);
    } else {
      const TBytes& named = kNamed.at(name);
      bytes.insert(bytes.end(), named.begin(), named.end());
    }
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
    b.Font(FontPlan("One", ftColor, 1, {{'A', ColorGlyph({"xy"}, 0x1E)}}));
    b.Font(FontPlan("Edit", type, 1, {{'A', glyph}, {'Z', BlockGlyph({"abc", "d"})}}));
    b.Font(FontPlan("Three", ftBlock, 1, {{'A', BlockGlyph({"xy"})}}));
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
  void Keys(std::string_view script) {
    Screen.Steps.push_back(KeyBytes(script, &Screen.MouseScript));
  }
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
  TSample Sample;
  TGlyphPiece Clipboard;
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
      {ftOutline, 'A', "e@z{^S}{Esc}", {2, 2, 'E', '@', 13, 'C', 'D', 0}},
      {ftBlock, 'A', "x{Esc}n{^S}{Esc}", {2, 2, 'x', 'b', 13, 'c', 'd', 0}},
      {ftBlock, 'A', "x{Esc}y", {}},
      {ftBlock, 'A', "x{Esc}\r{^S}{Esc}", {2, 2, 'x', 'b', 13, 'c', 'd', 0}},
      {ftBlock, 'A', "{Right}{Down}{Esc}", {}},
      {ftBlock, 'A', "x{^Z}{Esc}", {}},
      {ftBlock, 'A', "{^S}{Esc}", {}},
      // The mouse: a stroke of the brush (a full block before anything is
      // typed), undone as one step; the brush typed or picked; erasing.
      {ftBlock, 'A', "{L0,0}{/}{M1,0}{/}{M1,1}{U1,1}{^S}{Esc}", {2, 2, 219, 219, 13, 'c', 219, 0}},
      {ftBlock, 'A', "{L0,0}{/}{M1,0}{/}{M1,1}{U1,1}{^Z}{^S}{Esc}", {}},
      // Moves not read yet come as the last one: the stroke goes straight there.
      {ftBlock, 'A', "{L0,0}{M1,0}{M1,1}{U1,1}{^S}{Esc}", {2, 2, 219, 'b', 13, 'c', 219, 0}},
      {ftBlock, 'A', "{F1}{L1,1}{U1,1}{^S}{Esc}", {2, 2, 176, 'b', 13, 'c', 176, 0}},
      {ftBlock, 'A', "{R0,0}{N1,0}{W1,0}{^S}{Esc}", {2, 2, 13, 'c', 'd', 0}},
      {ftBlock, 'A', "{P1,1}{L0,0}{U0,0}{^S}{Esc}", {2, 2, 'd', 'b', 13, 'c', 'd', 0}},
      {ftBlock, 'A', "{A0,1}{L1,0}{U1,0}{^S}{Esc}", {2, 2, 'a', 'c', 13, 'c', 'd', 0}},
      // Blocks marked with Shift and the arrows or the mouse; the mark stays
      // after a flip, fill or Del, and the first Esc drops it.
      {ftBlock,
       'A',
       "{S-Right}{^C}{Home}{Down}{^V}{Enter}{^S}{Esc}",
       {2, 2, 'a', 'b', 13, 'a', 'b', 0}},
      {ftBlock,
       'A',
       "{S-Down}{^X}{Up}{Right}{^V}{Enter}{^S}{Esc}",
       {2, 2, ' ', 'a', 13, ' ', 'c', 0}},
      {ftBlock,
       'A',
       "{S-Right}{^C}{Right}{Down}{^V}{Enter}{^S}{Esc}",
       {3, 2, 'a', 'b', 13, 'c', 'a', 'b', 0}},
      {ftBlock, 'A', "{S-Right}{^C}{^V}{Esc}{^S}{Esc}", {}},
      {ftBlock, 'A', "{F7}{Home}{S-Right}h{^S}{Esc}{Esc}", {2, 2, 'b', 222, 13, 'c', 'd', 0}},
      {ftBlock, 'A', "{S1,0}{/}{M0,1}{U0,1}v{^S}{Esc}{Esc}", {2, 2, 'c', 'd', 13, 'a', 'b', 0}},
      {ftBlock,
       'A',
       "{F3}{Home}{S-Right}{S-Down}f{^S}{Esc}{Esc}",
       {2, 2, 178, 178, 13, 178, 178, 0}},
      {ftBlock, 'A', "{S-Down}{Del}{^S}{Esc}{Esc}", {2, 2, ' ', 'b', 13, ' ', 'd', 0}},
      {ftBlock, 'A', "hvf{^S}{Esc}", {2, 2, 'h', 'f', 13, 'c', 'd', 0}},
      {ftBlock, 'A', "{S-Right}h{Esc}v{^S}{Esc}", {2, 2, 'b', 'v', 13, 'c', 'd', 0}},
      {ftBlock, 'A', "{S-Right}{^C}{Down}{^V}{Enter}{^Z}{^R}{^Z}{^S}{Esc}", {}},
      // Another glyph copied in, or the clipboard as the glyph.
      {ftBlock, 'A', "{^G}Z\r{^S}{Esc}", {3, 2, 'a', 'b', 'c', 13, 'd', 0}},
      {ftBlock, 'A', "{^G}Z\r{^Z}{^S}{Esc}", {}},
      {ftBlock, 'A', "{S-Right}{^C}{^B}{^S}{Esc}", {2, 1, 'a', 'b', 0}},
      {ftOutline,
       'A',
       "{S-Right}{^C}{Home}{Down}{^V}{Enter}{^S}{Esc}",
       {2, 2, 'A', 'B', 13, 'A', 'B', 0}},
      {ftOutline, 'A', "{S-Down}h{^S}{Esc}{Esc}", {2, 2, 'A', 'B', 13, 'D', 'D', 0}},
      // Colours from the strip, and stepped back.
      {ftColor,
       'A',
       "{Fg4}{Bg2}z{S-F10}{S-F9}z{^S}{Esc}",
       {2, 2, 'z', 0x24, 'z', 0x13, 13, 'c', 0x1E, 'd', 0x1E, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Keys);
    Font = {};
    const std::string path = LoadFont(c.Type);
    const TBytes before = ReadFileBytes(path), one = FontBytes(1), three = FontBytes(3);
    // "{/}" ends a step: the editor reads what came before it first.
    std::string_view script = c.Keys;
    for (size_t end; (end = script.find("{/}")) != std::string_view::npos;
         script.remove_prefix(end + 3))
      Keys(script.substr(0, end));
    Keys(script);
    EditGlyph(Screen, Font, c.Ch, Look, Sample, Clipboard);
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
}

TEST_F(GlyphEditor, TheScreenShowsTheGlyphUndefinedCellsAndTheCursor) {
  LoadFont(ftBlock);
  Keys("{Right}{Down}");
  Keys("{Esc}");
  Look.Style.Attr = 14;
  EditGlyph(Screen, Font, 'Z', Look, Sample, Clipboard);
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
            "0f0e0808");  // the row mark, a cell in Shell.BlockColor, two undefined
  EXPECT_EQ(Screen.Waits[1].CursorX, 3);
  EXPECT_EQ(Screen.Waits[1].CursorY, 4);
}

TEST_F(GlyphEditor, OutlineCellsShowTheStyleAndTheRoleUnderTheCursor) {
  LoadFont(ftOutline);
  Keys("{Right}{Down}");
  Keys("{Esc}");
  EditGlyph(Screen, Font, 'A', Look, Sample, Clipboard);
  EXPECT_EQ(WaitText(0, 3).substr(0, 4), "\x10\xC4\xC4\xB3");  // A and B drawn as edges
  EXPECT_EQ(WaitText(0, 1), " Glyph A Edit [Outline]          Size 2x2     At 1,1     A top edge" +
                                std::string(13, ' '));
  EXPECT_EQ(WaitText(1, 1).substr(57), "D right edge" + std::string(11, ' '));
}

// The clipboard outlives the glyph and the run of the editor: a block goes
// from 'A' to the next character and into another font. Ctrl+PgDn asks
// before it drops changes (NO first); Ctrl+W stores the glyph as another
// character too.
TEST_F(GlyphEditor, BlocksMoveBetweenGlyphsAndFonts) {
  LoadFont(ftBlock);
  Keys("{S-Right}{^C}x{^PgDn}");
  Keys("\r");       // NO: stays on 'A'
  Keys("{^PgDn}");  // asks again
  Keys("y");        // leaves 'A' unsaved, goes on to 'B'
  Keys("{^V}{Enter}{^S}{^W}");
  Keys("Q\r");  // Q is free: no question
  Keys("{^PgUp}{^PgUp}");
  Keys("{Esc}");
  EditGlyph(Screen, Font, 'A', Look, Sample, Clipboard);
  EXPECT_EQ(StoredRecord('A'), (TBytes{2, 2, 'a', 'b', 13, 'c', 'd', 0}));
  EXPECT_EQ(StoredRecord('B'), (TBytes{2, 1, 'a', 'b', 0}));
  EXPECT_EQ(StoredRecord('Q'), (TBytes{2, 1, 'a', 'b', 0}));
  bool asked = false;
  for (size_t i = 0; i < Screen.Waits.size(); ++i)
    asked = asked || WaitText(i, 12).find("Leave anyway?") != std::string::npos;
  EXPECT_TRUE(asked);
  EXPECT_EQ(WaitText(Screen.Waits.size() - 1, 1).substr(0, 9), " Glyph @ ");  // two back from B

  // Into font 3, a Block font, as a Color font would take it too.
  ASSERT_TRUE(SelectFont(Font, 3));
  Keys("{^V}{Enter}{^S}{Esc}");
  EditGlyph(Screen, Font, 'C', Look, Sample, Clipboard);
  ReloadFontFile(Font, 3);
  TGlyphPicture stored;
  ASSERT_EQ(LoadGlyphPicture(Font, 'C', stored), TGlyphRead::Found);
  EXPECT_EQ(EncodeGlyph(stored, ftBlock), (TBytes{2, 1, 'a', 'b', 0}));
}

// Below the glyph the sample text in the font as edited, after every
// change; a marked block on blue, a floating paste over the glyph; the
// colour strip with its F and B marks; for Outline fonts the roles in the
// current style, which O steps.
TEST_F(GlyphEditor, TheSampleTheMarkTheStripAndTheLegend) {
  LoadFont(ftColor);
  Sample.Text = "AA";
  Keys("x");
  Keys("{S-Down}");
  Keys("{Esc}{^C}{Esc}y");
  EditGlyph(Screen, Font, 'A', Look, Sample, Clipboard);
  // Rows 2..5 hold the frame; the sample starts on row 6 with the font's
  // spacing of 1 between its letters.
  EXPECT_EQ(WaitText(0, 6).substr(0, 6), "ab ab ");
  EXPECT_EQ(WaitText(1, 6).substr(0, 6), "xb xb ");
  EXPECT_EQ(WaitText(1, 7).substr(0, 6), "cd cd ");
  EXPECT_EQ(WaitAttrs(1, 6).substr(0, 4), "1e1e");
  // The mark: column 1 of the glyph on blue (yellow stays yellow).
  EXPECT_EQ(WaitAttrs(2, 3).substr(2, 4), "1e1e");
  EXPECT_EQ(WaitAttrs(2, 4).substr(2, 4), "1e1e");
  // The strip: yellow on blue, so F on colour 14 and B on colour 1.
  EXPECT_EQ(WaitText(0, 23).substr(0, 32), "   B" + std::string(24, ' ') + "F   ");
  EXPECT_EQ(WaitAttrs(0, 23).substr(0, 8), "0f0f1f1f");

  Font = {};
  LoadFont(ftOutline);
  Sample.Text.clear();
  Screen.Waits.clear();
  Keys("o");
  Keys("{Esc}");
  EditGlyph(Screen, Font, 'A', Look, Sample, Clipboard);
  EXPECT_EQ(WaitText(0, 23).substr(0, 6), "A\xC4 B\xC4 ");
  EXPECT_EQ(WaitText(1, 23).substr(0, 6), "A\xCD B\xC4 ");  // style 1: a double top edge
  EXPECT_NE(WaitText(1, 23).find("Style 1"), std::string::npos);
  EXPECT_EQ(WaitText(1, 3).substr(0, 3), "\x10\xCD\xC4");
  EXPECT_EQ(Look.Style.Outline, 1);  // the caller keeps the style
}

}  // namespace
