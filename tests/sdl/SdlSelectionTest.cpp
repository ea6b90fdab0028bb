// Mouse selection: the geometry, the highlight in the window, the copied text
// and the report of a marked block to the screen that takes blocks.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "SdlConsoleFixture.h"
#include "console/KeyCodes.h"
#include "console/sdl/Selection.h"

namespace {

uint32_t AddSaturated(uint32_t a, uint32_t b) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t s = ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF);
    out |= std::min<uint32_t>(s, 255) << shift;
  }
  return out;
}

constexpr uint32_t kOverlay = 0x00BCD4;  // (0, 188, 212)

}  // namespace

TEST(SelectionGeometryTest, SnapsToWholeCells) {
  SDL_Rect snapped;
  // Press at pixel (9, 17) = cell (2, 2); 20 x 40 pixels = 2 columns, 2 rows more.
  const TCellSelection sel = SnapSelection({9, 17, 20, 40}, 8, 16, &snapped);
  EXPECT_EQ(sel, (TCellSelection{2, 2, 2, 2}));
  EXPECT_EQ(snapped.x, 8);
  EXPECT_EQ(snapped.y, 16);
  EXPECT_EQ(snapped.w, 24);
  EXPECT_EQ(snapped.h, 48);
  // Spans count whole cells of the drag's size, not the cells it touches.
  EXPECT_EQ(SnapSelection({7, 0, 2, 0}, 8, 16), (TCellSelection{1, 1, 0, 0}));
  // Snapping a snapped rectangle changes nothing.
  EXPECT_EQ(SnapSelection({8, 16, 23, 47}, 8, 16), sel);
}

TEST(SelectionGeometryTest, DragsInAnyDirectionAreNormalisedAndClamped) {
  const SDL_Rect up = DragRect(100, 200, 40, 50, 640, 400);
  EXPECT_EQ(up.x, 40);
  EXPECT_EQ(up.y, 50);
  EXPECT_EQ(up.w, 60);
  EXPECT_EQ(up.h, 150);
  // A drag that leaves the window ends at its last pixel.
  const SDL_Rect out = DragRect(600, 380, 5000, -30, 640, 400);
  EXPECT_EQ(out.x, 600);
  EXPECT_EQ(out.y, 0);
  EXPECT_EQ(out.w, 39);
  EXPECT_EQ(out.h, 380);
  const TCellSelection sel = SnapSelection(DragRect(0, 0, 99999, 99999, 640, 400), 8, 16);
  EXPECT_EQ(sel, (TCellSelection{1, 1, 79, 24}));
}

TEST(SelectionGeometryTest, StreamRowsRunInReadingOrder) {
  using R = std::vector<TRowSpan>;
  EXPECT_EQ(StreamRows({5, 3, 4, 0}, 80), (R{{3, 5, 9}}));
  EXPECT_EQ(StreamRows({5, 3, 4, 1}, 80), (R{{3, 5, 80}, {4, 1, 9}}));
  EXPECT_EQ(StreamRows({5, 3, 4, 3}, 80), (R{{3, 5, 80}, {4, 1, 80}, {5, 1, 80}, {6, 1, 9}}));
}

TEST(SelectionTextTest, StreamSkipsLowCodesAndConvertsToUtf8) {
  TTextConsole con(1);
  con.WriteXY(1, 1, 7, "Hi");
  con.PutCell(3, 1, 0, 7);  // a cleared cell: skipped, not a space
  con.PutCell(4, 1, '!', 7);
  con.PutCell(5, 1, 13, 7);  // control codes up to 13 are skipped too
  con.PutCell(6, 1, 14, 7);  // 14 is the first that counts (a pictograph)
  EXPECT_EQ(StreamSelectionText(con, {1, 1, 5, 0}), "Hi!\x0e");
  con.WriteXY(79, 1, 7, "ab");
  con.WriteXY(1, 2, 7, "\xb0z");
  con.WriteXY(1, 3, 7, "end");
  const std::string text = StreamSelectionText(con, {79, 1, 1, 2});
  EXPECT_EQ(text, "ab\r\xb0z\rend");
  EXPECT_EQ(SelectionToUtf8(text), "ab\r\xe2\x96\x91z\rend");
  EXPECT_EQ(SelectionToUtf8("\x0e\r\n\xdb"), "\xe2\x99\xab\r\n\xe2\x96\x88");
}

TEST(SelectionTextTest, BlockRowsEndInCrLfAndStopAt255) {
  TTextConsole con(1);
  con.WriteXY(10, 5, 7, "abc");
  con.WriteXY(10, 6, 7, "def");
  EXPECT_EQ(BlockSelectionText(con, {10, 5, 2, 1}), "abc\r\ndef\r\n");
  for (int r = 1; r <= 25; ++r) con.WriteXY(1, r, 7, std::string(80, 'x'));
  const std::string big = BlockSelectionText(con, {1, 1, 79, 24});
  ASSERT_EQ(big.size(), 255u);
  EXPECT_EQ(big.substr(80, 2), "\r\n");
  EXPECT_EQ(big.substr(0, 80), std::string(80, 'x'));
}

TEST_F(SdlConsoleTest, LeftDragHighlightsTheStreamAndCopiesIt) {
  Con->GotoXY(80, 25);
  Con->WriteXY(3, 4, 0x07, "Hello, world");
  Con->WriteXY(1, 5, 0x07, "second");
  ASSERT_TRUE(WaitForScreen());
  // From cell (3, 4) to (3 + 4, 4 + 1): row 4 from column 3 to the end, row 5 up to column 7.
  const int x0 = 2 * 8 + 3, y0 = 3 * 16 + 5;
  PushMouseDown(x0, y0, SDL_BUTTON_LEFT);
  PushMouseMotion(x0 + 4 * 8, y0 + 16, SDL_BUTTON_LMASK);
  Drain();
  ASSERT_EQ(Window->DragButtons, 1);
  const auto lit = [&](int c, int r) {
    const int x = (c - 1) * 8, y = (r - 1) * 16;  // top-left pixel: the background
    return WindowPixel(x, y) == AddSaturated(0, kOverlay);
  };
  EXPECT_TRUE(lit(3, 4));
  EXPECT_TRUE(lit(80, 4));
  EXPECT_TRUE(lit(1, 5));
  EXPECT_TRUE(lit(7, 5));
  EXPECT_FALSE(lit(2, 4));
  EXPECT_FALSE(lit(8, 5));
  EXPECT_FALSE(lit(3, 6));
  // The added colour saturates: a white glyph pixel stays white.
  PushMouseUp(x0 + 4 * 8, y0 + 16, SDL_BUTTON_LEFT);
  Drain();
  EXPECT_EQ(Window->DragButtons, 0);
  EXPECT_FALSE(lit(3, 4));  // the highlight goes with the release
  EXPECT_EQ(Con->ClipboardText(), "Hello, world\rsecond");
}

TEST_F(SdlConsoleTest, HighlightAddsColourSaturating) {
  Con->GotoXY(80, 25);
  Con->PutCell(2, 2, 0xDB, 0x0F);  // white full block
  Con->PutCell(3, 2, ' ', 0x40);   // red background
  ASSERT_TRUE(WaitForScreen());
  PushMouseDown(8, 16, SDL_BUTTON_MIDDLE);
  PushMouseMotion(8 + 8, 16, SDL_BUTTON_MMASK);
  Drain();
  EXPECT_EQ(WindowPixel(8 + 3, 16 + 3), 0xFFFFFFu);
  EXPECT_EQ(WindowPixel(16 + 3, 16 + 3), AddSaturated(0xAA0000, kOverlay));
  EXPECT_EQ(WindowPixel(24 + 3, 16 + 3), 0x000000u);
}

TEST_F(SdlConsoleTest, DragUpAndLeftSelectsTheSameCells) {
  Con->WriteXY(1, 1, 7, "abcdef");
  Con->WriteXY(1, 2, 7, "ghijkl");
  ASSERT_TRUE(WaitForScreen());
  // Press in cell (5, 2), release in cell (2, 1): the rectangle (2,1)-(5,2).
  PushDrag(4 * 8 + 1, 16 + 1, 1 * 8 + 1, 1, SDL_BUTTON_MIDDLE);
  testing::internal::CaptureStdout();
  Drain();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Text Copied to Clipboard\n");
  EXPECT_EQ(Con->ClipboardText(), "bcde\r\nhijk\r\n");
}

TEST_F(SdlConsoleTest, PressAndReleaseWithoutMotionCopiesNothing) {
  Con->WriteXY(1, 1, 7, "keep");
  ASSERT_TRUE(WaitForScreen());
  ASSERT_EQ(SDL_SetClipboardText("before"), 0);
  PushMouseDown(3, 3, SDL_BUTTON_LEFT);
  PushMouseUp(3, 3, SDL_BUTTON_LEFT);
  // Motion with no button held is no drag either.
  PushMouseMotion(40, 3, 0);
  PushMouseUp(40, 3, SDL_BUTTON_LEFT);
  Drain();
  EXPECT_EQ(Con->ClipboardText(), "before");
}

TEST_F(SdlConsoleTest, LongStreamCopiesAreLogged) {
  Con->WriteXY(1, 1, 7, "one");
  Con->WriteXY(1, 2, 7, "two");
  Con->WriteXY(1, 3, 7, "three");
  PushDrag(0, 0, 4 * 8, 2 * 16, SDL_BUTTON_LEFT);
  testing::internal::CaptureStdout();
  Drain();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Text Copied to Clipboard\n");
  EXPECT_EQ(Con->ClipboardText(), "one\rtwo\rthree");
}

// A screen that takes blocks gets the finished drag as a block event; the
// console itself copies nothing and runs nothing.
TEST_F(SdlConsoleTest, MiddleDragInReportModeIsReportedAsABlock) {
  Con->WriteXY(10, 5, 0x1E, "abc");
  Con->WriteXY(10, 6, 0x1E, "def");
  ASSERT_TRUE(WaitForScreen());
  Con->MiddleDrag = TBlockDrag::Report;
  ASSERT_EQ(SDL_SetClipboardText("before"), 0);
  TCellGrid before;
  Con->SaveScreen(before);
  // From cell (12, 6) up and left to cell (10, 5).
  PushDrag(11 * 8 + 2, 5 * 16 + 2, 9 * 8 + 2, 4 * 16 + 2, SDL_BUTTON_MIDDLE);
  testing::internal::CaptureStdout();
  const std::vector<TInputEvent> events = ReadEvents();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(events, (std::vector<TInputEvent>{TBlockEvent{{10, 5, 12, 6}}}));
  EXPECT_EQ(Window->DragButtons, 0);  // no highlight left for the screen that acts on it
  EXPECT_EQ(Con->ClipboardText(), "before");
  TCellGrid after;
  Con->SaveScreen(after);
  EXPECT_EQ(after, before);

  // Back in copy mode the same drag is copied and nothing is reported.
  Con->MiddleDrag = TBlockDrag::CopyText;
  PushDrag(11 * 8 + 2, 5 * 16 + 2, 9 * 8 + 2, 4 * 16 + 2, SDL_BUTTON_MIDDLE);
  EXPECT_TRUE(ReadEvents().empty());
  EXPECT_EQ(Con->ClipboardText(), "abc\r\ndef\r\n");
}

// A screen that takes the mouse gets each press, drag into another cell and
// release as an event, with the modifiers held;
// moves within a cell are no news, and moves not yet read collapse into the
// newest. Nothing is highlighted or copied.
TEST_F(SdlConsoleTest, InMouseEventModePressesDragsAndReleasesAreReportedInCells) {
  ASSERT_TRUE(WaitForScreen());
  ASSERT_EQ(SDL_SetClipboardText("before"), 0);
  Con->MouseEvents = true;
  using K = TMouseEvent::TKind;
  const auto at = [](int column, int row) {
    return std::pair{(column - 1) * 8 + 3, (row - 1) * 16 + 5};
  };
  // The modifiers are read as the event is handled.
  SDL_SetModState(KMOD_LSHIFT);
  PushMouseDown(at(3, 4).first, at(3, 4).second, SDL_BUTTON_LEFT);
  Drain();
  SDL_SetModState(KMOD_NONE);
  PushMouseMotion(at(3, 4).first + 4, at(3, 4).second, SDL_BUTTON_LMASK);  // the same cell
  PushMouseMotion(at(5, 4).first, at(5, 4).second, SDL_BUTTON_LMASK);
  PushMouseMotion(at(6, 5).first, at(6, 5).second, SDL_BUTTON_LMASK);
  PushMouseUp(at(6, 5).first, at(6, 5).second, SDL_BUTTON_LEFT);
  PushMouseMotion(at(9, 9).first, at(9, 9).second, 0);  // no button held
  Drain();
  SDL_SetModState(KMOD_LALT);
  PushMouseDown(at(80, 25).first, at(80, 25).second, SDL_BUTTON_RIGHT);
  Drain();
  SDL_SetModState(KMOD_NONE);
  const std::vector<TInputEvent> want = {TMouseEvent{K::Press, 1, 3, 4, true, false},
                                         TMouseEvent{K::Move, 1, 6, 5, false, false},
                                         TMouseEvent{K::Release, 1, 6, 5, false, false},
                                         TMouseEvent{K::Press, 3, 80, 25, false, true}};
  EXPECT_EQ(ReadEvents(), want);
  EXPECT_EQ(Window->DragButtons, 0);
  EXPECT_EQ(Con->ClipboardText(), "before");
  Con->MouseEvents = false;
}
