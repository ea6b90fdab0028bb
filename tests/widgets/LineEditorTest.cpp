#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "support/ConsoleTestSupport.h"
#include "widgets/LineEditor.h"

using namespace std::string_literals;

namespace {

// A headless console fed from a key script of any length (the key buffer
// itself holds 128 bytes) and with a clipboard the test fills.
class TScriptConsole : public TTestConsole {
 public:
  bool WaitForEvent() override {
    if (Script.empty()) return TTestConsole::WaitForEvent();
    for (int i = 0; i < 64 && !Script.empty(); ++i) {
      PushKey(Script.front());
      Script.pop_front();
    }
    return true;
  }
  std::string Clipboard() override { return Clip; }

  std::deque<uint8_t> Script;
  std::string Clip;
};

constexpr uint8_t kX = 11;
constexpr uint8_t kY = 5;

class LineEditorTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(Con.StarvedReads, 0) << "the key script ran out"; }

  void Keys(std::string_view bytes) {
    for (char c : bytes) Con.Script.push_back(static_cast<uint8_t>(c));
  }
  void Keys(std::initializer_list<int> bytes) {
    for (int b : bytes) Con.Script.push_back(static_cast<uint8_t>(b));
  }
  // Edits in a field at (11, 5) with text 1f, fill 17 and "." as fill character.
  std::string Edit(uint8_t width, uint8_t maxLen, uint8_t mode, std::string_view start) {
    std::string result;
    Ended =
        InputLine(Con, result, kX, kY, width, maxLen, mode, 0x1F, 0x17, '.', start, Terminators);
    return result;
  }
  std::string Field(int width, int x = kX, int y = kY) const {
    return ScreenRow(Con, y).substr(static_cast<size_t>(x - 1), static_cast<size_t>(width));
  }
  std::string FieldAttrs(int width, int x = kX, int y = kY) const {
    return AttrRow(Con, y).substr(static_cast<size_t>(x - 1) * 2, static_cast<size_t>(width) * 2);
  }
  // The cursor column relative to the field: 1 is its first cell.
  int CursorCell() const { return Con.WhereX() - kX + 1; }

  TScriptConsole Con;
  std::string Terminators = "\r";
  uint8_t Ended = 0;  // the key that ended the last Edit
};

TEST_F(LineEditorTest, StartTextFieldAndCursor) {
  Keys("\r");
  EXPECT_EQ(Edit(3, 10, 1, "abc"), "abc");
  EXPECT_EQ(Ended, 13);
  EXPECT_EQ(Field(4), "abc\0"s);         // the cell after the field is untouched
  EXPECT_EQ(FieldAttrs(4), "70707007");  // selected: black on grey in a blue field
  EXPECT_EQ(CursorCell(), 4);            // just right of the full field
  EXPECT_EQ(Con.WhereY(), kY);
  EXPECT_EQ(Con.TextAttr, 0x1F);  // left at the editing attribute

  Keys("\r");
  EXPECT_EQ(Edit(5, 10, 1, "ab"), "ab");
  EXPECT_EQ(Field(5), "ab...");
  EXPECT_EQ(FieldAttrs(5), "7070171717");
  EXPECT_EQ(CursorCell(), 3);

  // A long text shows its end; Home shows its start with the cursor in the first cell.
  Keys("\r");
  EXPECT_EQ(Edit(4, 20, 1, "abcdefghij"), "abcdefghij");
  EXPECT_EQ(Field(4), "ghij");
  EXPECT_EQ(CursorCell(), 5);
  Keys({0, 71, '\r'});
  Edit(4, 20, 1, "abcdefghij");
  EXPECT_EQ(Field(4), "abcd");
  EXPECT_EQ(CursorCell(), 1);
  Keys({0, 71, 0, 79, '\r'});
  Edit(4, 20, 1, "abcdefghij");
  EXPECT_EQ(Field(4), "ghij");
  EXPECT_EQ(CursorCell(), 5);
}

TEST_F(LineEditorTest, TypingScrollsTheFieldAndArrowsScrollBack) {
  Keys("abcdefg\r");
  EXPECT_EQ(Edit(4, 10, 1, ""), "abcdefg");
  // While typing the cursor stays on the last cell.
  EXPECT_EQ(Field(4), "efg.");
  EXPECT_EQ(CursorCell(), 4);

  Keys("abcdefg");
  Keys({0, 75, 0, 75, 0, 75, 0, 75, '\r'});
  Edit(4, 10, 1, "");
  EXPECT_EQ(Field(4), "defg");
  EXPECT_EQ(CursorCell(), 1);

  Keys("abcdefg");
  Keys({0, 75, 0, 75, 0, 75, 0, 75, 0, 77, 0, 77, 0, 77, 0, 77, 0, 77, '\r'});
  Edit(4, 10, 1, "");
  EXPECT_EQ(Field(4), "defg");
  EXPECT_EQ(CursorCell(), 5);  // Right stops after the last character

  // Right from the last cell scrolls while text follows; typing there inserts.
  Keys({0, 71, 0, 77, 0, 77, 0, 77, 0, 77, '\r'});
  Edit(4, 20, 1, "abcdefghij");
  EXPECT_EQ(Field(4), "bcde");
  EXPECT_EQ(CursorCell(), 4);
  Keys({0, 71, 0, 77, 0, 77, 0, 77, 0, 77, 'X', '\r'});
  EXPECT_EQ(Edit(4, 20, 1, "abcdefghij"), "abcdXefghij");
  EXPECT_EQ(Field(4), "cdXe");
  EXPECT_EQ(CursorCell(), 4);

  // Inserting before the end shifts the rest of the field right.
  Keys({0, 71, 'X', '\r'});
  EXPECT_EQ(Edit(8, 20, 1, "abc"), "Xabc");
  EXPECT_EQ(Field(8), "Xabc....");
  EXPECT_EQ(CursorCell(), 2);
}

TEST_F(LineEditorTest, BackspaceAndDelete) {
  Keys({0, 71, 8, '\r'});
  EXPECT_EQ(Edit(10, 10, 1, "abc"), "abc");  // Backspace at position 1
  Keys({0, 83, '\r'});
  EXPECT_EQ(Edit(10, 10, 1, "abc"), "abc");  // Delete at the end

  Keys({0, 75, 0, 75, 8, '\r'});
  EXPECT_EQ(Edit(10, 10, 1, "abcdef"), "abcef");
  EXPECT_EQ(Field(10), "abcef.....");
  EXPECT_EQ(CursorCell(), 4);

  Keys({0, 71, 0, 83, 0, 83, '\r'});
  EXPECT_EQ(Edit(10, 10, 1, "abcdef"), "cdef");
  EXPECT_EQ(Field(10), "cdef......");
  EXPECT_EQ(CursorCell(), 1);

  // Backspace in the first cell of a scrolled field scrolls it back by one.
  Keys({0, 75, 0, 75, 0, 75, 0, 75, 8, '\r'});
  EXPECT_EQ(Edit(4, 20, 1, "abcdefghij"), "abcdeghij");
  EXPECT_EQ(Field(4), "ghij");
  EXPECT_EQ(CursorCell(), 1);
}

TEST_F(LineEditorTest, DeletingInAScrolledFieldKeepsItFilled) {
  // Backspacing at the end of a long text brings hidden characters back into
  // view instead of leaving fill cells in front of the cursor.
  Keys({8, '\r'});
  EXPECT_EQ(Edit(4, 20, 1, "abcdefghij"), "abcdefghi");
  EXPECT_EQ(Field(4), "fghi");
  EXPECT_EQ(CursorCell(), 5);

  Keys({8, 8, 8, 8, 8, 8, '\r'});
  EXPECT_EQ(Edit(4, 20, 1, "abcdefghij"), "abcd");
  EXPECT_EQ(Field(4), "abcd");
  EXPECT_EQ(CursorCell(), 5);

  Keys({8, 8, 8, 8, 8, 8, 8, '\r'});
  EXPECT_EQ(Edit(4, 20, 1, "abcdefghij"), "abc");
  EXPECT_EQ(Field(4), "abc.");
  EXPECT_EQ(CursorCell(), 4);

  Keys({0, 75, 0, 75, 0, 83, '\r'});
  EXPECT_EQ(Edit(4, 20, 1, "abcdefghij"), "abcdefghj");
  EXPECT_EQ(Field(4), "fghj");
  EXPECT_EQ(CursorCell(), 4);  // still on the "j"
}

TEST_F(LineEditorTest, ModesFilterTypedCharacters) {
  Keys("a1-b2x-\r");
  EXPECT_EQ(Edit(10, 10, 0, ""), "1-2-");
  Keys("abC1\x82z\r");
  EXPECT_EQ(Edit(10, 10, 2, ""), "ABC1\x82Z");
  Keys(" ~\x7f\xfe\xff\r");
  EXPECT_EQ(Edit(10, 10, 1, ""), " ~\x7f\xfe");
  Keys("12122026\r");
  EXPECT_EQ(Edit(10, 10, 3, ""), "12/12/2026");
  EXPECT_EQ(Field(10), "12/12/2026");
  Keys("1a2b-\r");
  EXPECT_EQ(Edit(10, 10, 3, ""), "12/");
  Keys("abc12-\r");
  EXPECT_EQ(Edit(10, 10, 5, ""), "");
  EXPECT_EQ(Field(10), "..........");
}

TEST_F(LineEditorTest, MaximumLengthAndTheEightyCharacterLimit) {
  Keys("12345\r");
  EXPECT_EQ(Edit(3, 3, 0, ""), "123");
  EXPECT_EQ(Field(3), "123");
  EXPECT_EQ(CursorCell(), 4);

  // The main screen's text prompt allows 254, but a text never exceeds 80.
  Keys(std::string(100, 'x') + "\r");
  const std::string typed = Edit(50, 254, 1, "");
  EXPECT_EQ(typed, std::string(80, 'x'));
  EXPECT_EQ(Field(51), std::string(49, 'x') + "." + "\0"s);

  Keys({0, 79, 'y', '\r'});
  EXPECT_EQ(Edit(50, 254, 1, std::string(100, 'z')), std::string(80, 'z'));
  // A start text longer than the field's maximum is cut to it.
  Keys("\r");
  EXPECT_EQ(Edit(12, 4, 1, "abcdef"), "abcd");
}

TEST_F(LineEditorTest, TerminatorsEndEditingAndTellWhichKey) {
  // By default only Enter ends; Escape, Tab, other control bytes, 255 and
  // extended keys are ignored.
  Keys({'a', 27, 9, 'b', 1, 255, 0, 59, '\r'});
  EXPECT_EQ(Edit(10, 10, 1, ""), "ab");
  EXPECT_EQ(Ended, 13);

  Terminators = "\t\r\x1b";
  Keys({'a', 27});
  EXPECT_EQ(Edit(10, 10, 1, ""), "a");
  EXPECT_EQ(Ended, 27);
  Keys({'b', 9});
  EXPECT_EQ(Edit(10, 10, 1, ""), "b");
  EXPECT_EQ(Ended, 9);
  // There is no cancel: the text comes back whatever ended the editing.
  Keys({0, 79, '!', 27});
  EXPECT_EQ(Edit(10, 10, 1, "keep"), "keep!");
  EXPECT_EQ(Ended, 27);
}

// A start text is selected: what is typed or pasted replaces it, every other
// editing or moving key drops the selection and works on the text.
TEST_F(LineEditorTest, StartTextIsSelectedUntilAKeyReplacesOrEditsIt) {
  const struct {
    std::vector<int> Keys;
    const char* Start;
    std::string Result, Attrs;  // the text, and the attributes of the field's six cells
  } cases[] = {
      {{'x', '\r'}, "abc", "x", "0f0808080808"},
      {{0, 75, 'x', '\r'}, "abc", "abxc", "0f0f0f0f0808"},
      {{0, 71, 'x', '\r'}, "abc", "xabc", "0f0f0f0f0808"},
      {{0, 79, '\r'}, "abc", "abc", "0f0f0f080808"},
      {{8, '\r'}, "abc", "ab", "0f0f08080808"},
      {{0, 71, 0, 83, '\r'}, "abc", "bc", "0f0f08080808"},
      {{27, 9, '\r'}, "abc", "abc", "1f1f1f080808"},  // ignored keys keep the selection
      {{'q', '7', '\r'}, "12", "7", "0f0808080808"},  // so does a letter a number refuses
      {{0, 22, '\r'}, "abc", "paste", "0f0f0f0f0f08"},
  };
  Con.Clip = "paste";
  for (const auto& c : cases) {
    for (const int k : c.Keys) Con.Script.push_back(static_cast<uint8_t>(k));
    std::string result;
    const uint8_t mode = c.Start[0] == '1' ? 0 : 1;
    InputLine(Con, result, kX, kY, 6, 10, mode, 0x0F, 0x08, ' ', c.Start);
    EXPECT_EQ(result, c.Result);
    EXPECT_EQ(FieldAttrs(6), c.Attrs) << c.Result;
  }
  // An empty start has nothing to select.
  Keys("\r");
  Edit(4, 10, 1, "");
  EXPECT_EQ(FieldAttrs(4), "17171717");
}

TEST_F(LineEditorTest, CtrlYClearsTheText) {
  Keys({25, 'a', '\r'});
  EXPECT_EQ(Edit(10, 10, 1, "hello"), "a");
  EXPECT_EQ(Field(10), "a.........");
  EXPECT_EQ(CursorCell(), 2);
  Keys({0, 25, 'b', '\r'});
  EXPECT_EQ(Edit(4, 10, 1, "long text"), "b");
  EXPECT_EQ(Field(4), "b...");
}

TEST_F(LineEditorTest, CtrlArrowsMoveByWords) {
  Keys({0, 115, 'X', '\r'});
  EXPECT_EQ(Edit(20, 40, 1, "one two three"), "one two Xthree");
  Keys({0, 115, 0, 115, 'X', '\r'});
  EXPECT_EQ(Edit(20, 40, 1, "one  two three"), "one  Xtwo three");
  Keys({0, 115, 0, 115, 0, 115, 0, 115, 'X', '\r'});
  EXPECT_EQ(Edit(20, 40, 1, "one two three"), "Xone two three");
  Keys({0, 71, 0, 116, 'X', '\r'});
  EXPECT_EQ(Edit(20, 40, 1, "one two three"), "one Xtwo three");
  Keys({0, 71, 0, 116, 0, 116, 0, 116, 0, 116, 'X', '\r'});
  EXPECT_EQ(Edit(20, 40, 1, "one two three"), "one two threeX");

  // Word moves scroll a narrow field so the cursor stays visible.
  Keys({0, 115, 0, 115, '\r'});
  Edit(5, 40, 1, "one two three");
  EXPECT_EQ(Field(5), "two t");
  EXPECT_EQ(CursorCell(), 1);
  Keys({0, 115, 0, 115, 0, 116, '\r'});
  Edit(5, 40, 1, "one two three");
  EXPECT_EQ(Field(5), "two t");
  EXPECT_EQ(CursorCell(), 5);
  Keys({0, 115, 0, 115, 0, 116, 0, 116, '\r'});
  Edit(5, 40, 1, "one two three");
  EXPECT_EQ(Field(5), "three");
  EXPECT_EQ(CursorCell(), 6);
}

TEST_F(LineEditorTest, CtrlVTypesTheClipboardsFirstLine) {
  Con.Clip = "h\xC3\xA9llo w\xC3\xB6rld \xE2\x82\xAC\r\nsecond line";
  Keys({0, 22, '\r'});
  // Code page 437: e acute is 130, o umlaut 148; the euro sign has no form there.
  EXPECT_EQ(Edit(20, 40, 1, ""), "h\x82llo w\x94rld ?");

  Con.Clip = "12ab-3\n99";
  Keys({0, 22, '\r'});
  EXPECT_EQ(Edit(10, 10, 0, ""), "12-3");
  Con.Clip = "12/12/2026";
  Keys({0, 22, '\r'});
  EXPECT_EQ(Edit(10, 10, 3, ""), "12/12/2026");
  Con.Clip = "a\tbc";
  Keys({0, 22, '\r'});
  EXPECT_EQ(Edit(10, 10, 2, ""), "ABC");

  // Pasted at the cursor and cut at the maximum length.
  Con.Clip = "abcdefgh";
  Keys({0, 71, 0, 22, '\r'});
  EXPECT_EQ(Edit(10, 5, 1, "xy"), "abcxy");
  EXPECT_EQ(Field(10), "abcxy.....");
  EXPECT_EQ(CursorCell(), 4);

  Con.Clip.clear();
  Keys({0, 22, '\r'});
  EXPECT_EQ(Edit(10, 10, 1, "same"), "same");
}

TEST_F(LineEditorTest, FieldAtTheLastColumnNeverWrapsOrScrolls) {
  Con.WriteXY(1, 1, 7, "top row");
  Con.WriteXY(1, 24, 7, "row 24");
  std::string result;
  Keys("abcd\r");
  // Asked for 10 cells from column 78: only three fit.
  InputLine(Con, result, 78, 25, 10, 10, 1, 0x1F, 0x17, '.', "");
  EXPECT_EQ(result, "abcd");
  EXPECT_EQ(Field(3, 78, 25), "cd.");
  EXPECT_EQ(Con.WhereX(), 80);
  EXPECT_EQ(Con.WhereY(), 25);
  EXPECT_EQ(VisibleRow(Con, 1).substr(0, 7), "top row");
  EXPECT_EQ(VisibleRow(Con, 24).substr(0, 6), "row 24");

  Keys({0, 79, 'g', '\r'});
  InputLine(Con, result, 78, 25, 10, 10, 1, 0x1F, 0x17, '.', "abcdef");
  EXPECT_EQ(result, "abcdefg");
  EXPECT_EQ(Field(3, 78, 25), "efg");
  EXPECT_EQ(VisibleRow(Con, 1).substr(0, 7), "top row");
}

TEST_F(LineEditorTest, OneCellFieldShowsTheCharacterAtTheCursor) {
  Con.WriteXY(kX + 1, kY, 7, "M");
  Keys("abc\r");
  EXPECT_EQ(Edit(1, 5, 1, ""), "abc");
  EXPECT_EQ(Field(2), "cM");
  Keys({0, 75, 0, 75, '\r'});
  EXPECT_EQ(Edit(1, 5, 1, "abc"), "abc");
  EXPECT_EQ(Field(2), "bM");
  EXPECT_EQ(CursorCell(), 1);
}

TEST_F(LineEditorTest, ControlBytesInTheStartTextAreDrawnAsGlyphs) {
  Keys("\r");
  EXPECT_EQ(Edit(10, 10, 1, "a\rb\nc\bd"), "a\rb\nc\bd");
  EXPECT_EQ(Field(10), "a\rb\nc\bd...");
  EXPECT_EQ(CursorCell(), 8);
  EXPECT_EQ(Con.WhereY(), kY);
  EXPECT_EQ(ScreenRow(Con, kY + 1), std::string(80, '\0'));
}

}  // namespace
