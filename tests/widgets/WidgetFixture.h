#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "console/TextConsole.h"
#include "support/WaitingConsole.h"

// Cells of the rectangle (x1, y1)..(x2, y2), one string per row: the glyphs
// as UTF-8 (character 0 as a blank), the attributes as one letter each:
//   e 02 (the background of FillBackground)  0 00  g 07  k 08  c 0b  w 0f
//   B 1f  u 18  Y 3f  R 4f  b 70  i 71  L 77  d 78  W 7f  ? any other
std::vector<std::string> Glyphs(const TCellGrid& s, int x1, int y1, int x2, int y2);
std::vector<std::string> Colours(const TCellGrid& s, int x1, int y1, int x2, int y2);

class WidgetTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(Con.Overruns, 0) << "a widget waited for more keys than the script held";
    EXPECT_TRUE(Con.Steps.empty() && Con.KeyBufferEmpty()) << "scripted keys were left unread";
  }

  void Step(std::string_view keys) { Con.Steps.emplace_back(keys.begin(), keys.end()); }
  void Step(std::initializer_list<int> keys) { Con.Steps.emplace_back(keys.begin(), keys.end()); }
  // Every cell shows the last digit of its column in attribute 02, so a
  // picture tells which cells a widget left alone.
  void FillBackground();

  // The screen a widget showed while it waited for the i-th key step.
  const TCellGrid& Shot(size_t i) const { return Con.Waits.at(i).Cells; }

  TWaitingConsole Con;
};
