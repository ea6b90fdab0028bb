#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <tuple>
#include <vector>

#include "support/CorpusFiles.h"
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
  std::vector<TCellGrid> Drawings() {
    std::vector<TCellGrid> screens(kGlyphCount);
    uint8_t x = 0, y = 0;
    for (int i = 0; i < kGlyphCount; ++i) {
      Con.SetTextAttr(7);
      Con.ClrScr();
      DrawFontText(Con, Loaded, 1, 1, std::string(2, static_cast<char>(kFirstGlyphChar + i)));
      Con.Snapshot(screens[i], x, y);
    }
    return screens;
  }
  // The file bytes before font n's header and after its glyph block.
  std::pair<TBytes, TBytes> AroundFont(const TBytes& file, int n) {
    const auto at = static_cast<size_t>(Loaded.Fonts[n].Offset);
    const size_t end =
        std::min(file.size(), at + kFontHeaderSize + BlockSizeOf(Loaded.Fonts[n].Header));
    return {TBytes(file.begin(), file.begin() + at), TBytes(file.begin() + end, file.end())};
  }
};

TEST_F(GlyphStore, AThousandSavesOfOneGlyphKeepTheFileSize) {
  TTdfFontPlan font;
  font.Glyphs = {{'A', BlockGlyph({"aa"})}, {'B', BlockGlyph({"bb"})}};
  font.ExtraBlockBytes.assign(300, 'z');  // left by an earlier program: nothing reads it
  const std::string path = LoadBuilt(TTdfBuilder().Font(font).Font(font).Raw("\x1aSAUCE00"), 1);
  const TBytes original = ReadFileBytes(path);
  const auto around = AroundFont(original, 1);
  size_t afterFirst = 0;
  for (int i = 0; i < 1000; ++i) {
    const TBytes record = BlockGlyph({std::string(3, static_cast<char>('!' + i % 90))});
    ASSERT_EQ(StoreGlyph(Loaded, 'A', record).Status, TGlyphStore::Stored);
    if (i == 0) afterFirst = ReadFileBytes(path).size();
  }
  const TBytes now = ReadFileBytes(path);
  EXPECT_EQ(afterFirst, original.size() - 300 + 1);  // the junk went, 'A' has a cell more
  EXPECT_EQ(now.size(), afterFirst);
  EXPECT_EQ(AroundFont(now, 1), around);  // the other font and the trailer
  EXPECT_EQ(TBytes(now.begin() + 233, now.begin() + 243),
            (TBytes{3, 1, '*', '*', '*', 0, 2, 1, 'b', 'b'}));  // the last save: '!' + 999 % 90
}

TEST_F(GlyphStore, EveryCorpusFontTakesAGlyphBackAndDrawsAsBefore) {
  const std::vector<fs::path> files = CorpusFiles("tdf");
  if (files.empty()) GTEST_SKIP() << "no font corpus";
  const std::string path = Dir.File("work.tdf");
  int fontsStored = 0;
  for (const fs::path& file : files) {
    ASSERT_TRUE(LoadFontFile(file.string(), Loaded));
    for (int n = 1, fonts = Loaded.Count(); n <= fonts; ++n) {
      SCOPED_TRACE(file.filename().string() + " font " + std::to_string(n));
      fs::copy_file(file, path, fs::copy_options::overwrite_existing);
      // The corpus is read-only, and a read-only file is never written over.
      fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
      ASSERT_TRUE(LoadFontFile(path, Loaded) && SelectFont(Loaded, n));
      const TBytes original = ReadFileBytes(path);
      const auto around = AroundFont(original, n);
      const std::vector<TCellGrid> before = Drawings();
      const auto ch = static_cast<uint8_t>(
          GetFontChars(Loaded).find_first_not_of(static_cast<char>(kAbsentGlyphChar)) + '!');
      TGlyphPicture picture;
      ASSERT_EQ(LoadGlyphPicture(Loaded, ch, picture), TGlyphRead::Found);
      ASSERT_EQ(StoreGlyph(Loaded, ch, EncodeGlyph(picture, Loaded.Header.FontType), true).Status,
                TGlyphStore::Stored);
      ASSERT_EQ(Loaded.Selected, n);
      EXPECT_EQ(AroundFont(ReadFileBytes(path), n), around);
      const std::vector<TCellGrid> after = Drawings();
      for (int i = 0; i < kGlyphCount; ++i)
        EXPECT_TRUE(after[i] == before[i]) << static_cast<char>('!' + i);
      ++fontsStored;
    }
  }
  EXPECT_GT(fontsStored, 0);
}

TEST_F(GlyphStore, AFailedWriteSaysWhyAndLeavesTheFile) {
  TTdfFontPlan font;
  font.Glyphs = {{'A', BlockGlyph({"a"})}};
  fs::create_directory(Dir.Path() / "ro");
  const std::string path = TTdfBuilder().Font(font).WriteTo(Dir, "ro/font.tdf");
  ASSERT_TRUE(OpenForNobody(Dir.File("ro")) && OpenForNobody(path) && LoadFontFile(path, Loaded));
  ::chmod(path.c_str(), 0666);  // the file itself may be written
  const TBytes original = ReadFileBytes(path);
  // A folder nobody may write in, and a file-size limit (a full disk).
  for (const auto& [dirMode, fileLimit, reason] :
       {std::tuple{0555, RLIM_INFINITY, "permission denied"},
        {0777, rlim_t{100}, "file too large for the limit set"}}) {
    ::chmod(Dir.File("ro").c_str(), dirMode);
    const std::string want = "The font file could not be written: " + std::string(reason) + ".";
    std::string why;
    const int code = RunAsNobody(
        [&] {
          signal(SIGXFSZ, SIG_IGN);
          const rlimit limit{fileLimit, fileLimit};
          setrlimit(RLIMIT_FSIZE, &limit);
          return GlyphStoreMessage(StoreGlyph(Loaded, 'B', BlockGlyph({"b"}))) == want ? 0 : 1;
        },
        &why);
    if (code < 0) GTEST_SKIP() << why;
    EXPECT_EQ(code, 0) << want;
    EXPECT_EQ(ReadFileBytes(path), original) << reason;
  }
}

}  // namespace
