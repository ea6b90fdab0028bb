#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/TdfBuilder.h"
#include "support/TempDir.h"
#include "support/WaitingConsole.h"
#include "tdf/FontFile.h"

// Count cells of attribute attr, written as ShotAttrs writes them.
inline std::string AttrRun(std::string_view attr, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += attr;
  return out;
}

// A font for TTdfBuilder::Font; the other fields keep a good file's values.
inline TTdfFontPlan FontPlan(std::string name, uint8_t fontType, uint8_t spacing,
                             std::map<uint8_t, std::vector<uint8_t>> glyphs = {}) {
  TTdfFontPlan font;
  font.Name = std::move(name);
  font.FontType = fontType;
  font.Spacing = spacing;
  font.Glyphs = std::move(glyphs);
  return font;
}

// A screen driven by a key script in steps: the waiting console, the screen
// recorded at every wait for a key, and a temp dir for font files.
class ScreenTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(Screen.Overruns, 0) << "the key script did not end the screen with its own ESC";
    EXPECT_TRUE(Screen.Steps.empty()) << "steps left over: the screen ended early";
  }

  // Writes the file as `name`, loads it into font and answers its path.
  std::string Load(const TTdfBuilder& builder, TFontFile& font,
                   std::string_view name = "font.tdf") {
    const std::string path = builder.WriteTo(Dir, name);
    EXPECT_TRUE(LoadFontFile(path, font));
    return path;
  }

  void Step(std::string_view bytes) { Screen.Steps.emplace_back(bytes.begin(), bytes.end()); }
  void Step(std::initializer_list<int> bytes) {
    std::vector<uint8_t>& step = Screen.Steps.emplace_back();
    for (const int b : bytes) step.push_back(static_cast<uint8_t>(b));
  }

  // Row y, or one cell, of the screen at the i-th wait for a key.
  std::string WaitText(size_t i, int y) const {
    return HasWait(i) ? ShotText(Screen.Waits[i], y) : "";
  }
  std::string WaitAttrs(size_t i, int y) const {
    return HasWait(i) ? ShotAttrs(Screen.Waits[i], y) : "";
  }
  TScreenChar WaitCell(size_t i, int x, int y) const {
    return HasWait(i) ? Screen.Waits[i].Cells.At(x - 1, y - 1) : TScreenChar{};
  }
  bool HasWait(size_t i) const {
    if (i < Screen.Waits.size()) return true;
    ADD_FAILURE() << "asked for wait " << i << "; the program waited " << Screen.Waits.size()
                  << " times";
    return false;
  }

  TWaitingConsole Screen;
  TTempDir Dir;
};
