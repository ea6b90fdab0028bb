#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/FontUnitFixture.h"
#include "support/Unprivileged.h"
#include "tdf/FontOps.h"

namespace {

namespace fs = std::filesystem;
using TBytes = std::vector<uint8_t>;

TTdfFontSpec FontWithGlyph(std::string name, uint8_t type, char glyph) {
  TTdfFontSpec font;
  font.Name = std::move(name);
  font.FontType = type;
  font.Glyphs = {{static_cast<uint8_t>(glyph), BlockGlyph({std::string(3, glyph), "xy"})}};
  return font;
}

TTdfBuilder Three() {
  TTdfBuilder b;
  b.Font(FontWithGlyph("One", ftBlock, 'A'))
      .Font(FontWithGlyph("Two", ftColor, 'B'))
      .Font(FontWithGlyph("Three", ftBlock, 'C'));
  return b;
}

// The bytes of font i (0-based) of a built file: header and glyph block.
TBytes FontBytes(const TTdfBuilder& b, size_t i) {
  const TBytes all = b.Bytes();
  const std::vector<int32_t> at = b.FontOffsets();
  const size_t end = i + 1 < at.size() ? static_cast<size_t>(at[i + 1]) : all.size();
  return TBytes(all.begin() + at[i], all.begin() + static_cast<std::ptrdiff_t>(end));
}

TBytes Concat(std::initializer_list<TBytes> parts) {
  TBytes out;
  for (const TBytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

class FontOps : public FontUnitFixture {};

TEST_F(FontOps, CreateWritesTheEmptyFontOfTwoHundredThirtyThreeBytes) {
  const std::string path = Dir.Write("new.tdf", std::string(5000, 'x'));  // replaced whole
  int error = -1;
  ASSERT_TRUE(CreateFontFile(path, "Abcd", ftColor, error));
  const TBytes bytes = ReadFileBytes(path);
  ASSERT_EQ(bytes.size(), 233u);
  const TBytes head(bytes.begin(), bytes.begin() + 45);
  const std::string expected = std::string("\x13TheDraw FONTS file\x1a\x55\xaa\x00\xff\x0c", 25) +
                               "Abcd        " + std::string(4, '\0') + "\x02\x01" + std::string(2, '\0');
  EXPECT_EQ(std::string(head.begin(), head.end()), expected);
  EXPECT_TRUE(std::all_of(bytes.begin() + 45, bytes.end(), [](uint8_t b) { return b == 0xFF; }));
  ASSERT_TRUE(LoadFontFile(path, Loaded));
  EXPECT_EQ(Loaded.Fonts[1].Name, "Abcd        ");
}

TEST_F(FontOps, HeaderChangesRewriteOnlyTheSelectedHeader) {
  const TTdfBuilder b = Three();
  const std::string path = LoadBuilt(b, 2);
  const struct {
    const char* What;
    bool (*Apply)(TFontFile& font, int& error);
    uint8_t NameLen;
    std::string Name;  // 12 stored bytes
    uint8_t Type, Spacing;
  } cases[] = {
      {"nine characters", [](TFontFile& f, int& e) { return SetFontName(f, "NineChars", e); }, 9,
       std::string("NineChars\0\0\0", 12), ftColor, 1},
      {"fifteen characters keep twelve",
       [](TFontFile& f, int& e) { return SetFontName(f, "FifteenCharsXYZ", e); }, 12,
       "FifteenChars", ftColor, 1},
      {"spacing 300 arrives as 44",
       [](TFontFile& f, int& e) { return SetFontSpacing(f, static_cast<uint8_t>(300 & 0xFF), e); },
       12, "FifteenChars", ftColor, 44},
      {"type Outline", [](TFontFile& f, int& e) { return SetFontType(f, ftOutline, e); }, 12,
       "FifteenChars", ftOutline, 44},
      {"type 3 is refused", [](TFontFile& f, int& e) { return !SetFontType(f, 3, e); }, 12,
       "FifteenChars", ftOutline, 44},
  };
  for (const auto& c : cases) {
    int error = -1;
    ASSERT_TRUE(c.Apply(Loaded, error)) << c.What;
    ASSERT_TRUE(LoadFontFile(path, Loaded));
    ASSERT_TRUE(SelectFont(Loaded, 2));
    EXPECT_EQ(Loaded.Header.NameLen, c.NameLen) << c.What;
    EXPECT_EQ(std::string(Loaded.Header.Name.begin(), Loaded.Header.Name.end()), c.Name) << c.What;
    EXPECT_EQ(Loaded.Header.FontType, c.Type) << c.What;
    EXPECT_EQ(Loaded.Header.Spacing, c.Spacing) << c.What;
    const TBytes now = ReadFileBytes(path), before = b.Bytes();
    ASSERT_EQ(now.size(), before.size());
    const size_t at = static_cast<size_t>(b.FontOffsets()[1]);
    EXPECT_TRUE(std::equal(now.begin(), now.begin() + at, before.begin())) << c.What;
    EXPECT_TRUE(std::equal(now.begin() + at + 30, now.end(), before.begin() + at + 30)) << c.What;
  }
  EXPECT_EQ(Loaded.Fonts[2].Name, "FifteenChars");
}

TEST_F(FontOps, ExtractCopiesSignatureHeaderAndGlyphBlock) {
  const TTdfBuilder b = Three();
  LoadBuilt(b, 2);
  const std::string out = Dir.File("two.tdf");
  int error = -1;
  ASSERT_TRUE(ExtractFont(Loaded, out, error));
  const TBytes all = b.Bytes();
  EXPECT_EQ(ReadFileBytes(out), Concat({TBytes(all.begin(), all.begin() + 20), FontBytes(b, 1)}));
  // Never over the loaded file itself: that would drop its other fonts.
  EXPECT_FALSE(ExtractFont(Loaded, Loaded.Path, error));
  EXPECT_EQ(error, kIsLoadedFile);
  EXPECT_EQ(ReadFileBytes(Loaded.Path), b.Bytes());
}

// Only whole font records travel, and they go after the target's last font:
// a trailer (here standing for a SAUCE record) on either side stays where it
// was and keeps the fonts after it reachable.
TEST_F(FontOps, MergeCopiesWholeFontsBeforeTheTrailer) {
  TTdfBuilder two;
  two.Font(FontWithGlyph("Four", ftBlock, 'D'))
      .Font(FontWithGlyph("Five", ftColor, 'E'))
      .Raw("\x1aSAUCE00 other");
  const std::string other = two.WriteTo(Dir, "two.tdf");
  TTdfBuilder b = Three();
  b.Raw("\x1aSAUCE00 own trailer");
  const std::string path = LoadBuilt(b);
  int added = 0, error = -1;
  ASSERT_TRUE(MergeFontFile(Loaded, other, added, error));
  EXPECT_EQ(added, 2);
  const TBytes all = b.Bytes();
  const TBytes three(all.begin(), all.end() - 20), trailer(all.end() - 20, all.end());
  const TBytes twoBytes = two.Bytes();
  const TBytes fourFive(twoBytes.begin() + 20, twoBytes.end() - 14);  // without its trailer
  EXPECT_EQ(ReadFileBytes(path), Concat({three, fourFive, trailer}));

  // Into itself: its own fonts once more, the trailer still last.
  ASSERT_TRUE(MergeFontFile(Loaded, path, added, error));
  EXPECT_EQ(added, 5);
  ASSERT_TRUE(LoadFontFile(path, Loaded));
  EXPECT_EQ(Loaded.Count(), 10);
  EXPECT_EQ(Loaded.Fonts[10].Name, "Five");
  const TBytes now = ReadFileBytes(path);
  EXPECT_TRUE(std::equal(trailer.rbegin(), trailer.rend(), now.rbegin()));

  // Nothing to copy: no signature, a signature alone, a last font cut short.
  TTdfBuilder cut;
  cut.Font(FontWithGlyph("Cut", ftBlock, 'F'));
  TBytes cutBytes = cut.Bytes();
  cutBytes.pop_back();
  for (const TBytes& bytes : {TBytes{'a', 'r', 't'}, TTdfBuilder().Bytes(), cutBytes}) {
    ASSERT_FALSE(MergeFontFile(Loaded, Dir.Write("none.tdf", bytes), added, error));
    EXPECT_EQ(error, kNoFontsToMerge);
    EXPECT_EQ(ReadFileBytes(path), now);
  }
  ASSERT_TRUE(LoadFontFile(Dir.Write("art.ans", "art"), Loaded));
  EXPECT_FALSE(MergeFontFile(Loaded, other, added, error));
  EXPECT_EQ(error, kNotAFontFile);
}

TEST_F(FontOps, AMergePastTwoHundredFiftyFiveFontsKeepsEveryByte) {
  TTdfBuilder many;
  for (int i = 0; i < 200; ++i) many.Font(FontWithGlyph("F" + std::to_string(i), ftBlock, 'A'));
  const std::string other = many.WriteTo(Dir, "many.tdf");
  const std::string path = LoadBuilt(many);
  int added = 0, error = -1;
  ASSERT_TRUE(MergeFontFile(Loaded, other, added, error));
  const TBytes bytes = many.Bytes();
  EXPECT_EQ(ReadFileBytes(path), Concat({bytes, TBytes(bytes.begin() + 20, bytes.end())}));
}

// Failures: nothing is reported as done that was not, and no file is left
// half written. Each case runs in a child: as an unprivileged user (root
// ignores permissions) or with a file-size limit standing in for a full disk.
TEST_F(FontOps, FailuresLeaveFilesWholeAndSaySo) {
  // A file removed under the program.
  const std::string gone = LoadBuilt(Three(), 1);
  fs::remove(gone);
  int error = 0, added = 0;
  EXPECT_FALSE(ExtractFont(Loaded, Dir.File("out.tdf"), error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_FALSE(MergeFontFile(Loaded, Dir.File("other.tdf"), added, error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_FALSE(fs::exists(Dir.File("out.tdf")));
  EXPECT_FALSE(ScreenShows("Error"));  // the caller says why

  const TTdfBuilder b = Three();
  const std::string path = LoadBuilt(b, 1);
  for (const char* sub : {"ro", "rw"}) fs::create_directory(Dir.Path() / sub);
  ASSERT_TRUE(OpenForNobody(Dir.File("ro")) && OpenForNobody(path));
  ::chmod(Dir.File("ro").c_str(), 0555);
  ::chmod(Dir.File("rw").c_str(), 0777);
  std::string reason;
  int code = RunAsNobody(
      [&] {
        if (ExtractFont(Loaded, Dir.File("ro/one.tdf"), error) ||
            CreateFontFile(Dir.File("ro/new.tdf"), "N", 1, error))
          return 1;
        if (SetFontName(Loaded, "Changed", error))
          return 2;  // the font file is not writable for this user
        return 0;
      },
      &reason);
  if (code < 0) GTEST_SKIP() << reason;
  EXPECT_EQ(code, 0) << "1: written into a read-only directory, 2: header written";

  // A full disk: a file-size limit lets writes start but not finish. The
  // header goes into a whole new file beside the old one, which fits.
  const std::string inRw = b.WriteTo(Dir, "rw/font.tdf");
  ::chmod(inRw.c_str(), 0666);
  ASSERT_TRUE(LoadFontFile(inRw, Loaded) && SelectFont(Loaded, 1));
  const auto size = static_cast<rlim_t>(b.Bytes().size());
  code = RunAsNobody(
      [&] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100, size + 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        if (ExtractFont(Loaded, Dir.File("rw/one.tdf"), error)) return 1;
        limit.rlim_cur = size + 100;
        setrlimit(RLIMIT_FSIZE, &limit);
        if (MergeFontFile(Loaded, inRw, added, error) || error != EFBIG)
          return 2;  // the file would double
        if (!SetFontName(Loaded, "Fits", error)) return 3;
        return 0;
      },
      &reason);
  EXPECT_EQ(code, 0) << "1: extract reported done, 2: merge reported done, 3: header not written";
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir.Path() / "rw"), {}), 1)
      << "a temporary or partial file was left";
  EXPECT_TRUE(fs::is_empty(Dir.Path() / "ro"));
  EXPECT_EQ(ReadFileBytes(inRw).size(), b.Bytes().size());
  ASSERT_TRUE(LoadFontFile(inRw, Loaded));
  EXPECT_EQ(Loaded.Fonts[1].Name, "Fits");
}

// The header to change or extract is checked against the file first: another
// program may have put another file under the name since it was loaded.
TEST_F(FontOps, AFileReplacedSinceLoadingIsNotWrittenOver) {
  TTdfBuilder moved;
  moved.Font(FontWithGlyph("Moved in", ftColor, 'M')).Font(FontWithGlyph("Other", ftBlock, 'N'));
  bool (*const writers[])(TFontFile&, int&) = {
      [](TFontFile& f, int& e) { return SetFontName(f, "Changed", e); },
      [](TFontFile& f, int& e) { return SetFontSpacing(f, 9, e); },
      [](TFontFile& f, int& e) { return SetFontType(f, ftBlock, e); },
      [](TFontFile& f, int& e) { return ExtractFont(f, f.Path + ".out", e); },
  };
  for (auto* write : writers) {
    const std::string path = LoadBuilt(Three(), 2);
    fs::rename(moved.WriteTo(Dir, "moved.tdf"), path);
    int error = 0;
    EXPECT_FALSE(write(Loaded, error));
    EXPECT_EQ(error, kFontFileChanged);
    EXPECT_EQ(ReadFileBytes(path), moved.Bytes());
    EXPECT_FALSE(fs::exists(path + ".out"));
  }
}

}  // namespace
