#pragma once

#include <string>

#include "support/ConsoleTestSupport.h"
#include "support/TdfBuilder.h"
#include "support/TempDir.h"
#include "tdf/FontFile.h"

// The font unit is global state: every test starts from the start-up values,
// with a headless console to catch messages and a temp dir for its files.
inline void ResetFontUnitState() {
  FontFileName.clear();
  FileSignature = {};
  Fonts.assign(1, TFontRecord{});
  FontCount = 0;
  CurrentFont = 1;
  CurrentHeader = {};
  GlyphSize = {};
  FontChars.clear();
}

class FontUnitFixture : public HeadlessConsoleTest {
 protected:
  void SetUp() override {
    HeadlessConsoleTest::SetUp();
    ResetFontUnitState();
  }

  // Writes the builder's file, loads it and selects font n (default: the last).
  std::string LoadBuilt(const TTdfBuilder& builder, int n = 0) {
    const std::string path = builder.WriteTo(Dir, "font.tdf");
    EXPECT_TRUE(LoadFontFile(path));
    if (n > 0) {
      EXPECT_TRUE(SelectFont(n));
    }
    return path;
  }

  // Whether any row of the screen holds text (the font unit reports there).
  bool ScreenShows(std::string_view text) const {
    for (int y = 1; y <= 25; ++y) {
      if (Visible(y).find(text) != std::string::npos) return true;
    }
    return false;
  }

  TTempDir Dir;
};
