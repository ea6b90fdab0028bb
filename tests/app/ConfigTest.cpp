// brixel.ini: key "path" of section "fonts" names the directory of the font
// dialogs; anything short of a value gives the fallback.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "app/Config.h"
#include "support/TempDir.h"

namespace {

constexpr char kFallback[] = "/start/dir";

std::string ReadFontPathSetting(const std::string& iniPath, const std::string& fallback) {
  return ReadFontsSettings(iniPath, fallback).Path;
}
int ReadOutlineStyleSetting(const std::string& iniPath) {
  return ReadFontsSettings(iniPath, "").OutlineStyle;
}

class FontPathSetting : public ::testing::Test {
 protected:
  std::string Read(const std::string& ini) {
    return ReadFontPathSetting(Dir.Write("brixel.ini", ini), kFallback);
  }
  TTempDir Dir;
};

TEST_F(FontPathSetting, MissingFileGivesTheFallback) {
  EXPECT_EQ(ReadFontPathSetting(Dir.File("brixel.ini"), kFallback), kFallback);
  // A directory of that name is no file either.
  std::filesystem::create_directory(Dir.Path() / "sub.ini");
  EXPECT_EQ(ReadFontPathSetting(Dir.File("sub.ini"), kFallback), kFallback);
  // Nor is a FIFO, and reading one would wait for a writer forever.
  ASSERT_EQ(mkfifo(Dir.File("fifo.ini").c_str(), 0600), 0);
  EXPECT_EQ(ReadFontPathSetting(Dir.File("fifo.ini"), kFallback), kFallback);
}

TEST_F(FontPathSetting, AnythingShortOfAValueGivesTheFallback) {
  EXPECT_EQ(Read(""), kFallback);
  EXPECT_EQ(Read("[other]\npath=/elsewhere\n"), kFallback);  // no fonts section
  EXPECT_EQ(Read("[fonts]\ndir=/elsewhere\n"), kFallback);   // no path key
  EXPECT_EQ(Read("[fonts]\npath=\n"), kFallback);            // empty value
  EXPECT_EQ(Read("[fonts]\npath =   \n"), kFallback);        // blank value
  EXPECT_EQ(Read("path=/elsewhere\n[fonts]\n"), kFallback);  // key outside the section
}

TEST_F(FontPathSetting, ValueOfTheFontsSectionIsTaken) {
  EXPECT_EQ(Read("[fonts]\npath=/home/me/fonts\n"), "/home/me/fonts");
  EXPECT_EQ(Read("; settings\n[window]\npath=/no\n\n[fonts]\npath = /tdf dir/\n"), "/tdf dir/");
  EXPECT_EQ(Read("[Fonts]\r\nPath=C:\\TDF\r\n"), "C:\\TDF");
  // A broken line elsewhere does not hide the key.
  EXPECT_EQ(Read("[fonts]\nthis line has no equals sign\npath=/ok\n"), "/ok");
}

}  // namespace

namespace {

TEST(OutlineStyleSetting, KeptInTheFontsSectionWithEveryOtherLineAsItWas) {
  const struct {
    std::string Before, After;
  } cases[] = {
      {"", "[fonts]\nOutlineStyle=7\n"},
      {"[fonts]\npath=/f\n", "[fonts]\npath=/f\nOutlineStyle=7\n"},
      {"; mine\n[fonts]\noutlinestyle = 3\npath=/f\n[other]\nx=1\n",
       "; mine\n[fonts]\nOutlineStyle=7\npath=/f\n[other]\nx=1\n"},
      {"[fonts]\npath=/f\n[other]\nOutlineStyle=2",
       "[fonts]\npath=/f\nOutlineStyle=7\n[other]\nOutlineStyle=2\n"},
      {"[other]\nx=1\n", "[other]\nx=1\n[fonts]\nOutlineStyle=7\n"},
  };
  TTempDir dir;
  const std::string ini = dir.File("brixel.ini");
  for (const auto& c : cases) {
    if (c.Before.empty())
      std::filesystem::remove(ini);
    else
      dir.Write("brixel.ini", c.Before);
    ASSERT_TRUE(WriteOutlineStyleSetting(ini, 7)) << c.Before;
    const std::vector<uint8_t> bytes = ReadFileBytes(ini);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.After);
    EXPECT_EQ(ReadOutlineStyleSetting(ini), 7);
    EXPECT_EQ(ReadFontPathSetting(ini, "none"),
              c.Before.find("path") != std::string::npos ? "/f" : "none");
  }
  for (const char* bad :
       {"[fonts]\nOutlineStyle=19\n", "[fonts]\nOutlineStyle=-1\n", "[fonts]\nOutlineStyle=x\n"}) {
    dir.Write("brixel.ini", bad);
    EXPECT_EQ(ReadOutlineStyleSetting(ini), 0) << bad;
  }
  // The art folder in a section of its own, by the same writer; a line break is refused.
  dir.Write("brixel.ini", "[ANSI]\nPath = /old\n[fonts]\npath=/f\n");
  ASSERT_TRUE(WriteIniSetting(ini, "ansi", "path", "/art/"));
  EXPECT_FALSE(WriteIniSetting(ini, "ansi", "path", "/a\n[fonts]\npath=/x"));
  ASSERT_TRUE(WriteOutlineStyleSetting(ini, 2));
  const std::vector<uint8_t> bytes = ReadFileBytes(ini);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "[ANSI]\npath=/art/\n[fonts]\npath=/f\nOutlineStyle=2\n");
  EXPECT_EQ(ReadFontsSettings(ini, "none").ArtPath, "/art/");
}

}  // namespace

TEST(ScreenPaletteSetting, ChoosesTheWindowsColours) {
  TTempDir dir;
  const struct {
    const char* Ini;
    TPaletteName Palette;
  } kCases[] = {
      {"", TPaletteName::Classic},
      {"[screen]\nPalette=vga\n", TPaletteName::Vga},
      {"[Screen]\npalette = VGA\n", TPaletteName::Vga},
      {"[screen]\nPalette=classic\n", TPaletteName::Classic},
      {"[screen]\nPalette=ega\n", TPaletteName::Classic},
      {"[fonts]\nPalette=vga\n", TPaletteName::Classic},  // another section's key
  };
  for (const auto& c : kCases)
    EXPECT_EQ(ReadFontsSettings(dir.Write("brixel.ini", c.Ini), "").Palette, c.Palette) << c.Ini;
}
