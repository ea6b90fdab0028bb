#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "support/CorpusFiles.h"
#include "support/MiniJson.h"
#include "tdf/FontFile.h"
#include "util/Cp437.h"

namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = BRIXEL_CORPUS_DIR;

// The expected listing per file name, when the corpus carries one.
std::map<std::string, TJson> ExpectedListings() {
  std::ifstream in(kCorpus / "expected" / "tdfinfo.json", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::map<std::string, TJson> byFile;
  TJson all;
  if (text.empty() || !ParseJson(text, all)) return byFile;
  for (const TJson& entry : all.Items) byFile[entry["file"].String] = entry;
  return byFile;
}

int GlyphsPresent(const std::string& chars) {
  return static_cast<int>(std::count_if(chars.begin(), chars.end(), [](char c) {
    return static_cast<uint8_t>(c) != kAbsentGlyphChar;
  }));
}

TEST(TdfCorpus, EveryRealFileLoadsWithSaneFonts) {
  const std::vector<fs::path> files = CorpusFiles("tdf");
  if (files.empty()) GTEST_SKIP() << "no font corpus at " << (kCorpus / "tdf");
  const std::map<std::string, TJson> expected = ExpectedListings();
  // When the expected listing is there it must be readable, or nothing is compared.
  if (fs::exists(kCorpus / "expected" / "tdfinfo.json")) {
    ASSERT_FALSE(expected.empty());
  }
  int fontsSeen = 0;
  TFontFile loaded;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    ASSERT_TRUE(LoadFontFile(file.string(), loaded));
    ASSERT_GE(loaded.Count(), 1);
    ASSERT_EQ(loaded.Fonts.size(), loaded.Count() + 1u);
    EXPECT_EQ(loaded.Selected, loaded.Count());  // the last font is selected
    EXPECT_EQ(GetFontChars(loaded).size(), 94u);

    const auto it = expected.find(file.filename().string());
    const TJson* listing = it == expected.end() ? nullptr : &it->second;
    if (listing) {
      EXPECT_EQ(static_cast<size_t>(loaded.Count()), (*listing)["fonts"].Items.size());
    }

    for (int n = 1; n <= loaded.Count(); ++n) {
      SCOPED_TRACE("font " + std::to_string(n));
      const TFontRecord& font = loaded.Fonts[n];
      EXPECT_LE(font.Name.size(), 12u);
      EXPECT_EQ(font.Name.find('\0'), std::string::npos);
      EXPECT_FALSE(FontTypeNameOf(font.FontType).empty());
      ASSERT_TRUE(SelectFont(loaded, n));
      EXPECT_EQ(loaded.Header.FontType, font.FontType);
      const std::string chars = GetFontChars(loaded);
      EXPECT_GE(GlyphsPresent(chars), 1);
      ++fontsSeen;

      if (!listing) continue;
      const TJson& want = (*listing)["fonts"][static_cast<size_t>(n - 1)];
      EXPECT_EQ(Cp437ToUtf8(font.Name), want["name"].String);
      EXPECT_EQ(font.Offset, static_cast<int32_t>(want["offset"].Number));
      EXPECT_EQ(font.FontType, static_cast<int>(want["type"].Number));
      EXPECT_EQ(FontTypeName(loaded), want["type_name"].String);
      EXPECT_EQ(loaded.Header.Spacing, static_cast<int>(want["spacing"].Number));
      EXPECT_EQ(BlockSizeOf(loaded.Header), static_cast<int>(want["block_size"].Number));
      EXPECT_EQ(GlyphsPresent(chars), static_cast<int>(want["glyphs_present"].Number));
    }
  }
  EXPECT_GT(fontsSeen, 0);
}

}  // namespace
