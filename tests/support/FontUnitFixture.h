#pragma once

#include <string>

#include "support/ConsoleTestSupport.h"
#include "support/TdfBuilder.h"
#include "support/TempDir.h"
#include "tdf/FontFile.h"

// A font file value for each test, a headless console to see that nothing
// is written on it, and a temp dir for its files.
class FontUnitFixture : public HeadlessConsoleTest {
 protected:
  // Writes the builder's file, loads it and selects font n (default: the last).
  std::string LoadBuilt(const TTdfBuilder& builder, int n = 0) {
    const std::string path = builder.WriteTo(Dir, "font.tdf");
    EXPECT_TRUE(LoadFontFile(path, Loaded));
    if (n > 0) {
      EXPECT_TRUE(SelectFont(Loaded, n));
    }
    return path;
  }

  // Whether any row of the screen holds text.
  bool ScreenShows(std::string_view text) const {
    for (int y = 1; y <= 25; ++y) {
      if (Visible(y).find(text) != std::string::npos) return true;
    }
    return false;
  }

  TFontFile Loaded;
  TTempDir Dir;
};
