// The refresh thread's life and one refresh on its own.
#include <gtest/gtest.h>

#include <chrono>

#include "SdlConsoleFixture.h"

TEST_F(SdlConsoleTest, RefreshThreadEndsAfterQuitRequestedAndJoins) {
  ASSERT_FALSE(Draw->Finished());
  // An idle thread sleeps: it sees the flag when the next write wakes it.
  Draw->RequestQuit();
  Con->PutCell(1, 1, 'Q', 7);
  EXPECT_TRUE(PumpUntil([&] { return Draw->Finished(); }, 5s));
  const auto start = std::chrono::steady_clock::now();
  Draw.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

TEST_F(SdlConsoleTest, DestroyingTheRefreshThreadStopsItWithoutQuitRequested) {
  // An idle thread sleeps until the next blink; destruction must not wait for it.
  Con->Delay(1200);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(Draw->Finished());
  Draw.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

TEST_F(SdlConsoleTest, RefreshDrawsChangedCellsOnce) {
  Draw.reset();         // this test plays the refresh thread itself
  Con->GotoXY(40, 20);  // the cursor elsewhere
  Con->PutCell(1, 1, 'X', 0x1F);
  EXPECT_TRUE(Con->Dirty);  // still to be drawn
  EXPECT_GT(MismatchedInCell(1, 1), 0);
  EXPECT_TRUE(Window->Refresh());  // on the main thread it presents at once
  EXPECT_FALSE(Con->Dirty);
  EXPECT_EQ(MismatchedInCell(1, 1), 0);
  EXPECT_FALSE(Window->Refresh());  // nothing changed since
}
