#include <gtest/gtest.h>

#include <vector>

#include "console/KeyCodes.h"
#include "support/ConsoleTestSupport.h"

using namespace std::string_literals;

namespace {

using ScreenModelTest = HeadlessConsoleTest;

TEST_F(ScreenModelTest, StartsClearedWithCursorHomeAndGreyAttribute) {
  EXPECT_EQ(Con.Cols, 80);
  EXPECT_EQ(Con.Rows, 25);
  EXPECT_EQ(Con.TextAttr, 7);
  EXPECT_EQ(Con.PipeChar, '|');
  EXPECT_EQ(Con.WhereX(), 1);
  EXPECT_EQ(Con.WhereY(), 1);
  for (int y = 1; y <= 25; ++y) {
    EXPECT_EQ(Row(y), std::string(80, '\0'));
    std::string grey;
    for (int x = 1; x <= 80; ++x) grey += "07";
    EXPECT_EQ(Attrs(y), grey);
  }
}

TEST_F(ScreenModelTest, OtherModesHaveTheirGeometry) {
  TTextConsole big(2), wide(3), odd(9);
  EXPECT_EQ(big.Cols, 80);
  EXPECT_EQ(big.Rows, 50);
  EXPECT_EQ(wide.Cols, 132);
  EXPECT_EQ(wide.Rows, 50);
  EXPECT_EQ(odd.Mode, 1);
  EXPECT_EQ(odd.Rows, 25);
}

TEST_F(ScreenModelTest, AScreenOfAnySizeWrapsAndScrollsWithinIt) {
  TTextConsole small(3, 2);
  for (char c : "abcdefg"s.substr(0, 7)) small.WriteRawChar(static_cast<uint8_t>(c));
  std::string rows;
  for (int y = 1; y <= 3; ++y)
    for (int x = 1; x <= 4; ++x) rows += static_cast<char>(small.GetCharAt(x, y));
  EXPECT_EQ(rows, "def g\0\0     "s);  // outside the grid reads as spaces
  EXPECT_EQ(small.WhereX(), 2);
  EXPECT_EQ(small.WhereY(), 2);
  const TTextConsole clamped(0, 300);
  EXPECT_EQ(clamped.Cols, 1);
  EXPECT_EQ(clamped.Rows, 255);
}

TEST_F(ScreenModelTest, WritingTheLastCellScrollsWithAGreyBottomRow) {
  Con.WriteXY(1, 25, 0x1E, "bottom");
  Con.SetTextAttr(0x4F);
  Con.GotoXY(80, 25);
  Con.ConWrite("Z");
  EXPECT_EQ(Con.WhereX(), 1);
  EXPECT_EQ(Con.WhereY(), 25);
  // Everything moved up one row; the new bottom row ignores TextAttr.
  EXPECT_EQ(Row(24).substr(0, 6), "bottom");
  EXPECT_EQ(Con.GetCharAt(80, 24), 'Z');
  EXPECT_EQ(Con.GetAttrAt(80, 24), 0x4F);
  EXPECT_EQ(Row(25), std::string(80, '\0'));
  for (int x = 1; x <= 80; ++x) ASSERT_EQ(Con.GetAttrAt(x, 25), 7) << x;
}

TEST_F(ScreenModelTest, ControlCharactersMoveTheCursorBellAndTabAreGlyphs) {
  Con.GotoXY(1, 3);
  Con.ConWrite("\b");  // backspace at column 1 does nothing
  EXPECT_EQ(Con.WhereX(), 1);
  Con.ConWrite("abc\b");
  EXPECT_EQ(Con.WhereX(), 3);
  EXPECT_EQ(Row(3).substr(0, 3), "abc");  // nothing erased
  Con.ConWrite("\n");
  EXPECT_EQ(Con.WhereX(), 3);  // line feed keeps the column
  EXPECT_EQ(Con.WhereY(), 4);
  Con.ConWriteLn("x");
  EXPECT_EQ(Con.WhereX(), 1);
  EXPECT_EQ(Con.WhereY(), 5);
  Con.ConWrite("\x07\x09!");
  EXPECT_EQ(Con.GetCharAt(1, 5), 7);
  EXPECT_EQ(Con.GetCharAt(2, 5), 9);
  EXPECT_EQ(Con.GetCharAt(3, 5), '!');
  EXPECT_EQ(Con.WhereX(), 4);

  Con.WriteXY(1, 1, 7, "top");
  Con.GotoXY(5, 25);
  Con.ConWrite("\n");  // line feed on the last row scrolls
  EXPECT_EQ(Con.WhereY(), 25);
  EXPECT_EQ(Con.WhereX(), 5);
  EXPECT_EQ(Row(3).substr(2, 1), "x");  // the screen moved up one row
  EXPECT_EQ(Row(2).substr(0, 3), "abc");
  EXPECT_EQ(Row(1), std::string(80, '\0'));  // "top" scrolled away
  EXPECT_EQ(Row(24), std::string(80, '\0'));
}

TEST_F(ScreenModelTest, GotoClampsAndReadsOutsideAnswerNeutralValues) {
  Con.GotoXY(0, 0);
  EXPECT_EQ(Con.WhereX(), 1);
  EXPECT_EQ(Con.WhereY(), 1);
  Con.GotoXY(200, 200);
  EXPECT_EQ(Con.WhereX(), 80);
  EXPECT_EQ(Con.WhereY(), 25);
  Con.GotoX(3);
  EXPECT_EQ(Con.WhereX(), 3);
  EXPECT_EQ(Con.WhereY(), 25);
  Con.GotoY(-4);
  EXPECT_EQ(Con.WhereY(), 1);
  EXPECT_EQ(Con.GetCharAt(81, 1), ' ');
  EXPECT_EQ(Con.GetCharAt(1, 26), ' ');
  EXPECT_EQ(Con.GetCharAt(0, 1), ' ');
  EXPECT_EQ(Con.GetAttrAt(81, 1), 7);
  EXPECT_EQ(Con.GetAttrAt(1, 26), 7);
}

TEST_F(ScreenModelTest, ClrScrStoresCharacterZeroClrEolStoresSpaces) {
  Con.ConWrite("hello");
  Con.SetTextAttr(0x1F);
  Con.ClrScr();
  EXPECT_EQ(Con.WhereX(), 1);
  EXPECT_EQ(Con.WhereY(), 1);
  EXPECT_EQ(Row(1), std::string(80, '\0'));
  EXPECT_EQ(Con.GetAttrAt(40, 12), 0x1F);

  Con.GotoXY(80, 2);
  Con.SetTextAttr(0x2E);
  Con.ClrEol();
  EXPECT_EQ(Con.GetCharAt(79, 2), 0);
  EXPECT_EQ(Con.GetCharAt(80, 2), ' ');
  EXPECT_EQ(Con.GetAttrAt(80, 2), 0x2E);
  EXPECT_EQ(Con.WhereX(), 80);
}

TEST_F(ScreenModelTest, SaveAndRestoreBringBackEveryCellButNotCursorOrAttribute) {
  Con.WriteXY(10, 10, 0x4E, "saved");
  TCellGrid copy;
  Con.SaveScreen(copy);
  ASSERT_EQ(copy.Height(), 25);
  ASSERT_EQ(copy.Width(), 80);
  Con.ClrScr();
  Con.WriteXY(1, 1, 0x70, "other");
  Con.SetTextAttr(0x12);
  Con.RestoreScreen(copy);
  EXPECT_EQ(Row(10).substr(9, 5), "saved");
  EXPECT_EQ(Con.GetAttrAt(10, 10), 0x4E);
  EXPECT_EQ(Con.GetCharAt(1, 1), 0);
  EXPECT_EQ(Con.WhereX(), 6);  // where "other" ended
  EXPECT_EQ(Con.TextAttr, 0x12);
  EXPECT_EQ(copy.At(9, 9).Ch, 's');  // the copy is not consumed

  // Rows or cells a copy lacks come back black: an empty copy blanks the screen.
  TCellGrid partial(4, 2, TScreenChar{'q', 0x17});
  Con.RestoreScreen(partial);
  EXPECT_EQ(Con.GetCharAt(4, 2), 'q');
  EXPECT_EQ(Con.GetCharAt(5, 2), 0);
  EXPECT_EQ(Con.GetAttrAt(5, 2), 0);
  EXPECT_EQ(Con.GetAttrAt(1, 3), 0);
  Con.RestoreScreen(TCellGrid{});
  EXPECT_EQ(Con.Screen, TCellGrid(80, 25, TScreenChar{0, 0}));
}

TEST_F(ScreenModelTest, WriteXYKeepsTheAttributeAndLeavesTheCursorAfterTheText) {
  Con.SetTextAttr(0x17);
  Con.WriteXY(78, 4, 0x4E, "abcd");
  EXPECT_EQ(Con.TextAttr, 0x17);
  EXPECT_EQ(Con.GetAttrAt(80, 4), 0x4E);
  EXPECT_EQ(Con.GetCharAt(1, 5), 'd');
  EXPECT_EQ(Con.WhereX(), 2);
  EXPECT_EQ(Con.WhereY(), 5);
  Con.WriteXY(71, 6, 7, "0123456789");
  EXPECT_EQ(Con.WhereX(), 1);  // reached the last column: next row, column 1
  EXPECT_EQ(Con.WhereY(), 7);
}

TEST_F(ScreenModelTest, AttributeHelpersKeepTheOtherNibble) {
  Con.SetTextAttr(0x1E);
  Con.TextColor(0x24);
  EXPECT_EQ(Con.GetTextAttr(), 0x14);
}

TEST_F(ScreenModelTest, WritesRaiseDirtyCursorMovesDoNot) {
  Con.Dirty = false;
  Con.GotoXY(3, 3);
  Con.ClrEol();
  EXPECT_FALSE(Con.Dirty);
  Con.ConWrite("a");
  EXPECT_TRUE(Con.Dirty);
  Con.Dirty = false;
  Con.ReadKey();  // ReadKey raises it so a waiting program is always fully drawn
  EXPECT_TRUE(Con.Dirty);
}

TEST_F(ScreenModelTest, KeyBufferReadsInOrderAndDropsUnreadBytesWhenFull) {
  Keys({0, 72, 'a'});
  EXPECT_TRUE(Con.KeyPressed());
  EXPECT_EQ(Con.ReadKey(), 0);
  EXPECT_EQ(Con.ReadKey(), 72);
  EXPECT_EQ(Con.ReadKey(), 'a');
  EXPECT_FALSE(Con.KeyPressed());
  EXPECT_EQ(Con.KeyReadIndex, 0);
  EXPECT_EQ(Con.KeyWriteIndex, 0);

  // 129 bytes without reading: the 129th empties the buffer first.
  for (int i = 0; i < 128; ++i) Con.PushKey('a');
  Con.PushKey('z');
  EXPECT_EQ(Con.ReadKey(), 'z');
  EXPECT_FALSE(Con.KeyPressed());
  EXPECT_EQ(Con.StarvedReads, 0);

  // A headless console with nothing buffered answers ESC instead of blocking.
  EXPECT_EQ(Con.ReadKey(), 27);
  EXPECT_EQ(Con.StarvedReads, 1);
}

TEST_F(ScreenModelTest, AKeyOfTwoBytesIsStoredWholeOrEmptiesTheBufferFirst) {
  // A held arrow key must never lose its 0 to the reset and leave its code
  // (Up's 72 is "H") behind as a key of its own.
  struct Case {
    int Filled;     // unread bytes before the key
    bool AsString;  // through PushKeyString instead of PushExtKey
    size_t Kept;    // bytes in the buffer afterwards
  };
  const Case cases[] = {{126, false, 128}, {127, false, 2}, {128, false, 2}, {127, true, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Filled);
    for (int i = 0; i < c.Filled; ++i) Con.PushKey('a');
    if (c.AsString)
      Con.PushKeyString("\0P"s);
    else
      Con.PushExtKey(72);
    std::vector<int> want(c.Kept - 2, 'a');
    want.push_back(0);
    want.push_back(c.AsString ? 'P' : 72);
    std::vector<int> got;
    while (!Con.KeyBufferEmpty()) got.push_back(Con.ReadKey());
    EXPECT_EQ(got, want);
  }
}

TEST_F(ScreenModelTest, TwoCharacterKeyStringsStoreBothBytes) {
  Con.PushKeyString("");
  EXPECT_FALSE(Con.KeyPressed());
  Con.PushKeyString("\0H"s);
  Con.PushExtKey(83);
  EXPECT_EQ(Con.ReadKey(), 0);
  EXPECT_EQ(Con.ReadKey(), 'H');
  EXPECT_EQ(Con.ReadKey(), 0);
  EXPECT_EQ(Con.ReadKey(), 83);
}

// Events come in the order they happened among the keys: an extended key is
// one event with its modifiers, moves not yet read collapse into the newest,
// ReadKey passes events over, a key read back keeps its place, and a console
// with nothing left to wait on ends with a quit.
TEST_F(ScreenModelTest, ReadEventGivesKeysAndEventsInTheOrderTheyCame) {
  using K = TMouseEvent::TKind;
  const TMouseEvent press{K::Press, 1, 3, 4}, move1{K::Move, 1, 4, 4}, move2{K::Move, 1, 9, 9};
  Con.PushKey('a');
  Con.PushEvent(press);
  Con.PushExtKey(kScanUp, kModShift);
  Con.PushEvent(move1);
  Con.PushEvent(move2);
  Con.PushEvent(TBlockEvent{{1, 2, 3, 4}});
  Con.PushKey('b');
  const std::vector<TInputEvent> want = {TKeyEvent{'a'},
                                         press,
                                         TKeyEvent{kScanUp, true, kModShift},
                                         move2,
                                         TBlockEvent{{1, 2, 3, 4}},
                                         TKeyEvent{'b'},
                                         TQuitEvent{}};
  for (const TInputEvent& event : want) EXPECT_EQ(Con.ReadEvent(), event);

  Con.PushEvent(press);
  Con.PushKey('c');
  Con.PushEvent(TResizeEvent{640, 400});
  Con.PushKey('d');
  EXPECT_EQ(Con.ReadKey(), 'c');  // the press before it is passed over
  Con.UnreadKey('c');
  EXPECT_EQ(Con.ReadEvent(), TInputEvent(TKeyEvent{'c'}));
  EXPECT_EQ(Con.ReadEvent(), TInputEvent(TResizeEvent{640, 400}));
  EXPECT_EQ(Con.ReadKey(), 'd');
  EXPECT_FALSE(Con.EventPending());
}

TEST(CellGridTest, CellsOutsideAreBlankAndDropped) {
  TCellGrid grid(3, 2, {'.', 7});
  grid.Put(2, 1, {'x', 0x1E});
  grid.Put(3, 0, {'y', 0x1E});  // outside: dropped
  EXPECT_EQ(grid.At(2, 1), (TScreenChar{'x', 0x1E}));
  EXPECT_EQ(grid.At(-1, 0), kBlankCell);
  TCellGrid big(4, 3);
  big.Paste(grid, 2, 2);  // only the top-left two cells land
  EXPECT_EQ(big.At(3, 2), (TScreenChar{'.', 7}));
  EXPECT_EQ(big.At(3, 3), kBlankCell);
  EXPECT_EQ(TCellGrid(0, 5).Height(), 0);  // an empty side makes an empty grid
  const TGridRows rows(big, 2, 9);         // clamped to the rows the grid has
  EXPECT_EQ(rows.Rows(), 1);
  std::vector<TScreenChar> row(4);
  rows.ReadRow(0, row);
  EXPECT_EQ(row[2], (TScreenChar{'.', 7}));
}

}  // namespace
