// Left clicks reach the screen that hooked them as cells; drags stay selections.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "SdlConsoleFixture.h"
#include "console/ConsoleLayer.h"

TEST_F(SdlConsoleTest, ALeftClickWithoutADragIsHandedOnAsItsCell) {
  std::vector<std::pair<int, int>> clicks;
  MouseClickHandler = [&](int x, int y) { clicks.emplace_back(x, y); };
  PushMouseDown(3 * 8 + 5, 4 * 16 + 9, SDL_BUTTON_LEFT);
  PushMouseUp(3 * 8 + 5, 4 * 16 + 9, SDL_BUTTON_LEFT);
  PushMouseDown(79 * 8 + 7, 24 * 16 + 15, SDL_BUTTON_RIGHT);  // not the left button
  PushMouseUp(79 * 8 + 7, 24 * 16 + 15, SDL_BUTTON_RIGHT);
  PushDrag(0, 0, 3 * 8, 0, SDL_BUTTON_LEFT);  // a drag copies text instead
  PushMouseDown(79 * 8 + 7, 24 * 16 + 15, SDL_BUTTON_LEFT);
  PushMouseUp(79 * 8 + 7, 24 * 16 + 15, SDL_BUTTON_LEFT);
  Drain();
  MouseClickHandler = nullptr;
  EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{4, 5}, {80, 25}}));
}
