#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "support/FontUnitFixture.h"
#include "support/Unprivileged.h"
#include "tdf/GlyphCapture.h"
#include "tdf/GlyphEdit.h"
#include "tdf/GlyphRender.h"

namespace {

namespace fs = std::filesystem;
using TBytes = std::vector<uint8_t>;

class GlyphStore : public FontUnitFixture {
 protected:
  // Each glyph of the selected font drawn twice at (1, 1), so the second
  // copy shows its advance: the screen's cells.
  std::vector<TScreen> Drawings() {
    std::vector<TScreen> screens(kGlyphCount);
    uint8_t x = 0, y = 0;
    for (int i = 0; i < kGlyphCount; ++i) {
      SetTextAttr(7);
      ClrScr();
      DrawFontText(1, 1, std::string(2, static_cast<char>(kFirstGlyphChar + i)));
      Con.Snapshot(screens[i], x, y);
    }
    return screens;
  }
  // The file bytes before font n's header and after its glyph block.
  std::pair<TBytes, TBytes> AroundFont(const TBytes& file, int n) {
    const auto at = static_cast<size_t>(Fonts[n].Offset);
    const size_t end = std::min(file.size(), at + kFontHeaderSize + BlockSizeOf(Fonts[n].Header));
    return {TBytes(file.begin(), file.begin() + at), TBytes(file.begin() + end, file.end())};
  }
};

TEST_F(GlyphStore, AThousandSavesOfOneGlyphKeepTheFileSize) {
  TTdfBuilder b;
  for (const char* name : {"One", "Two", "Three"}) {
    TTdfFontSpec font;
    font.Name = name;
    font.FontType = ftColor;
    font.Glyphs = {{'A', ColorGlyph({"aa"}, 0x1E)},
                   {'B', ColorGlyph({"bb", "b"}, 0x2F)},
                   {'C', ColorGlyph({name}, 0x4E)}};
    font.ExtraBlockBytes.assign(300, 'z');  // left by an earlier program: nothing reads it
    b.Font(font);
  }
  b.Raw("\x1aSAUCE00 a trailer after the last font");
  const std::string path = LoadBuilt(b, 2);
  const TBytes original = ReadFileBytes(path);
  const std::vector<TScreen> before = Drawings();
  const auto around = AroundFont(original, 2);
  size_t afterFirst = 0;
  for (int i = 0; i < 1000; ++i) {
    const auto ch = static_cast<char>('!' + i % 90);
    ASSERT_EQ(StoreGlyph('B', ColorGlyph({std::string(3, ch), "x"}, 0x1F)).Status,
              TGlyphStore::Stored);
    if (i == 0) afterFirst = ReadFileBytes(path).size();
  }
  const TBytes now = ReadFileBytes(path);
  EXPECT_EQ(afterFirst, original.size() - 300 - 10 + 12);  // the junk went, 'B' grew by a cell
  EXPECT_EQ(now.size(), afterFirst);
  EXPECT_EQ(AroundFont(now, 2), around);
  const std::vector<TScreen> after = Drawings();
  for (int i = 0; i < kGlyphCount; ++i) {
    if (i != 'B' - kFirstGlyphChar) {
      EXPECT_TRUE(after[i] == before[i]) << static_cast<char>('!' + i);
    }
  }
  SetTextAttr(7);
  ClrScr();
  DrawFontText(1, 1, "BB");
  EXPECT_EQ(Visible(1).substr(0, 8) + Visible(2).substr(0, 6), "*** *** x   x ");  // '!' + 999 % 90
}

TEST_F(GlyphStore, EveryCorpusFontTakesAGlyphBackAndDrawsAsBefore) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(fs::path(BRIXEL_CORPUS_DIR) / "tdf", ec), end; !ec && it != end;
       it.increment(ec))
    if (it->is_regular_file(ec)) files.push_back(it->path());
  if (files.empty()) GTEST_SKIP() << "no font corpus";
  std::sort(files.begin(), files.end());
  const std::string path = Dir.File("work.tdf");
  int fontsStored = 0;
  for (const fs::path& file : files) {
    ASSERT_TRUE(LoadFontFile(file.string()));
    for (int n = 1, fonts = FontCount; n <= fonts; ++n) {
      SCOPED_TRACE(file.filename().string() + " font " + std::to_string(n));
      fs::copy_file(file, path, fs::copy_options::overwrite_existing);
      ASSERT_TRUE(LoadFontFile(path) && SelectFont(n));
      const TBytes original = ReadFileBytes(path);
      const auto around = AroundFont(original, n);
      const std::vector<TScreen> before = Drawings();
      const auto ch = static_cast<uint8_t>(
          GetFontChars().find_first_not_of(static_cast<char>(kAbsentGlyphChar)) + '!');
      TGlyphPicture picture;
      ASSERT_EQ(LoadGlyphPicture(ch, picture), TGlyphRead::Found);
      ASSERT_EQ(StoreGlyph(ch, EncodeGlyph(picture, CurrentHeader.FontType), true).Status,
                TGlyphStore::Stored);
      ASSERT_EQ(CurrentFont, n);
      EXPECT_EQ(AroundFont(ReadFileBytes(path), n), around);
      const std::vector<TScreen> after = Drawings();
      for (int i = 0; i < kGlyphCount; ++i)
        EXPECT_TRUE(after[i] == before[i]) << static_cast<char>('!' + i);
      ++fontsStored;
    }
  }
  EXPECT_GT(fontsStored, 0);
}

TEST_F(GlyphStore, AFailedWriteSaysWhyAndLeavesTheFile) {
  TTdfBuilder b;
  TTdfFontSpec font;
  font.Glyphs = {{'A', BlockGlyph({"a"})}};
  b.Font(font);
  fs::create_directory(Dir.Path() / "ro");
  const std::string path = b.WriteTo(Dir, "ro/font.tdf");
  ASSERT_TRUE(OpenForNobody(Dir.File("ro")) && OpenForNobody(path) && LoadFontFile(path));
  const TBytes original = ReadFileBytes(path);
  const struct {
    mode_t DirMode;
    rlim_t FileLimit;
    const char* Reason;
  } cases[] = {
      {0555, RLIM_INFINITY, "permission denied"},
      {0777, 100, "file too large"},
  };
  for (const auto& c : cases) {
    ::chmod(Dir.File("ro").c_str(), c.DirMode);
    ::chmod(path.c_str(), 0666);
    std::string reason;
    const int code = RunAsNobody(
        [&] {
          signal(SIGXFSZ, SIG_IGN);
          const rlimit limit{c.FileLimit, c.FileLimit};
          setrlimit(RLIMIT_FSIZE, &limit);
          const TGlyphStoreResult result = StoreGlyph('B', BlockGlyph({"b"}));
          return GlyphStoreMessage(result) ==
                         "The font file could not be written: " + std::string(c.Reason) + "."
                     ? 0
                     : 1;
        },
        &reason);
    if (code < 0) GTEST_SKIP() << reason;
    EXPECT_EQ(code, 0) << c.Reason;
    EXPECT_EQ(ReadFileBytes(path), original) << c.Reason;
  }
}

}  // namespace
