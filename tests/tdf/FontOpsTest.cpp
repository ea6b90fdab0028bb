#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "support/CorpusFiles.h"
#include "support/FontUnitFixture.h"
#include "support/Unprivileged.h"
#include "tdf/FontOps.h"

namespace {

namespace fs = std::filesystem;
using TBytes = std::vector<uint8_t>;

TTdfFontPlan FontWithGlyph(std::string name, uint8_t type, char glyph) {
  TTdfFontPlan font;
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
                               "Abcd        " + std::string(4, '\0') + "\x02\x01" +
                               std::string(2, '\0');
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
        if (SetFontName(Loaded, "Changed", error) || DeleteFont(Loaded, 1, error) ||
            CloneFont(Loaded, 1, "Copy", error) || MoveFont(Loaded, 1, TFontMove::Down, error))
          return 2;  // the font file is not writable for this user
        return 0;
      },
      &reason);
  if (code < 0) GTEST_SKIP() << reason;
  EXPECT_EQ(code, 0) << "1: written into a read-only directory, 2: header or fonts written";

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
      [](TFontFile& f, int& e) { return DeleteFont(f, 2, e); },
      [](TFontFile& f, int& e) { return CloneFont(f, 2, "Copy", e); },
      [](TFontFile& f, int& e) { return MoveFont(f, 2, TFontMove::Up, e); },
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

// Header and glyph block of font, renamed as SetFontName names.
TBytes Renamed(TBytes font, const std::string& name) {
  font[4] = static_cast<uint8_t>(name.size());
  std::fill(font.begin() + 5, font.begin() + 17, 0);
  std::copy(name.begin(), name.end(), font.begin() + 5);
  return font;
}

// A file's fonts taken apart: whatever lies before the first, each font's
// header and glyph block (as far as the file holds it), and what follows the
// last one's block.
struct TFontParts {
  TBytes Before;
  std::vector<TBytes> Fonts;
  TBytes After;
  friend bool operator==(const TFontParts&, const TFontParts&) = default;
};

TFontParts PartsOf(const std::string& path) {
  TFontFile font;
  EXPECT_TRUE(LoadFontFile(path, font));
  const TBytes bytes = ReadFileBytes(path);
  TFontParts parts;
  size_t end = font.Count() > 0 ? static_cast<size_t>(font.Fonts[1].Offset) : bytes.size();
  parts.Before.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end));
  for (int n = 1; n <= font.Count(); ++n) {
    const auto at = static_cast<size_t>(font.Fonts[n].Offset);
    end = std::min(bytes.size(), at + kFontHeaderSize + BlockSizeOf(font.Fonts[n].Header));
    parts.Fonts.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                             bytes.begin() + static_cast<std::ptrdiff_t>(end));
  }
  parts.After.assign(bytes.begin() + static_cast<std::ptrdiff_t>(end), bytes.end());
  return parts;
}

// The parts after deleting, cloning or moving font n (1-based) of parts.
TFontParts Deleted(TFontParts parts, int n) {
  parts.Fonts.erase(parts.Fonts.begin() + n - 1);
  return parts;
}
TFontParts Cloned(TFontParts parts, int n, const std::string& name) {
  parts.Fonts.insert(parts.Fonts.begin() + n, Renamed(parts.Fonts[n - 1], name));
  return parts;
}
TFontParts Swapped(TFontParts parts, int n, int m) {
  std::swap(parts.Fonts[n - 1], parts.Fonts[m - 1]);
  return parts;
}

// Three fonts with a broken header between the first two (the loader skips
// it) and a trailer: every font moves with whatever follows it up to the
// next font, and the trailer stays last.
TEST_F(FontOps, DeleteCloneAndMoveRearrangeWholeFonts) {
  const TBytes broken(kFontHeaderSize, 'j');
  TTdfBuilder b;
  b.Font(FontWithGlyph("One", ftBlock, 'A'))
      .Raw(broken)
      .Font(FontWithGlyph("Two", ftColor, 'B'))
      .Font(FontWithGlyph("Three", ftBlock, 'C'))
      .Raw("\x1aSAUCE00 trailer");
  const TBytes all = b.Bytes();
  const std::vector<int32_t> at = b.FontOffsets();
  const auto part = [&](size_t from, size_t to) {
    return TBytes(all.begin() + static_cast<std::ptrdiff_t>(from),
                  all.begin() + static_cast<std::ptrdiff_t>(to));
  };
  const TBytes sig = part(0, 20), one = part(at[0], at[1]), two = part(at[1], at[2]),
               three = part(at[2], all.size() - 16), trailer = part(all.size() - 16, all.size());
  const TBytes oneAlone(one.begin(), one.end() - kFontHeaderSize);
  using TOp = std::function<bool(const TFontFile&, int&)>;
  const struct {
    const char* What;
    TOp Op;
    TBytes Want;
    std::vector<std::string> Names;
  } cases[] = {
      {"delete 1",
       [](auto& f, int& e) { return DeleteFont(f, 1, e); },
       Concat({sig, two, three, trailer}),
       {"Two", "Three"}},
      {"delete 3",
       [](auto& f, int& e) { return DeleteFont(f, 3, e); },
       Concat({sig, one, two, trailer}),
       {"One", "Two"}},
      {"clone 1",
       [](auto& f, int& e) { return CloneFont(f, 1, "Copy", e); },
       Concat({sig, one, Renamed(oneAlone, "Copy"), two, three, trailer}),
       {"One", "Copy", "Two", "Three"}},
      {"clone 3 under a long name",
       [](auto& f, int& e) { return CloneFont(f, 3, "Twelve chars+", e); },
       Concat({sig, one, two, three, Renamed(three, "Twelve chars"), trailer}),
       {"One", "Two", "Three", "Twelve chars"}},
      {"move 2 up",
       [](auto& f, int& e) { return MoveFont(f, 2, TFontMove::Up, e); },
       Concat({sig, two, one, three, trailer}),
       {"Two", "One", "Three"}},
      {"move 1 down",
       [](auto& f, int& e) { return MoveFont(f, 1, TFontMove::Down, e); },
       Concat({sig, two, one, three, trailer}),
       {"Two", "One", "Three"}},
      {"move 3 up",
       [](auto& f, int& e) { return MoveFont(f, 3, TFontMove::Up, e); },
       Concat({sig, one, three, two, trailer}),
       {"One", "Three", "Two"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    const std::string path = LoadBuilt(b);
    int error = -1;
    ASSERT_TRUE(c.Op(Loaded, error));
    EXPECT_EQ(ReadFileBytes(path), c.Want);
    ASSERT_TRUE(LoadFontFile(path, Loaded));
    std::vector<std::string> names;
    for (int n = 1; n <= Loaded.Count(); ++n) names.push_back(Loaded.Fonts[n].Name);
    EXPECT_EQ(names, c.Names);
  }

  // Refusals leave the file as it was and say why.
  TTdfBuilder cut = Three();
  TBytes cutBytes = cut.Bytes();
  cutBytes.pop_back();  // the last glyph block lacks its last byte
  const struct {
    const char* What;
    TBytes File;
    TOp Op;
    int Error;
  } refusals[] = {
      {"the only font", TTdfBuilder().Font(FontWithGlyph("One", ftBlock, 'A')).Bytes(),
       [](auto& f, int& e) { return DeleteFont(f, 1, e); }, kOnlyFont},
      {"the first up", all, [](auto& f, int& e) { return MoveFont(f, 1, TFontMove::Up, e); },
       kAlreadyFirst},
      {"the last down", all, [](auto& f, int& e) { return MoveFont(f, 3, TFontMove::Down, e); },
       kAlreadyLast},
      {"font 0", all, [](auto& f, int& e) { return CloneFont(f, 0, "X", e); }, EINVAL},
      {"font 4", all, [](auto& f, int& e) { return DeleteFont(f, 4, e); }, EINVAL},
      {"a copy after a cut font", cutBytes, [](auto& f, int& e) { return CloneFont(f, 3, "X", e); },
       kFontCutShort},
      {"a cut font up", cutBytes, [](auto& f, int& e) { return MoveFont(f, 3, TFontMove::Up, e); },
       kFontCutShort},
      {"a font below a cut one", cutBytes,
       [](auto& f, int& e) { return MoveFont(f, 2, TFontMove::Down, e); }, kFontCutShort},
  };
  for (const auto& c : refusals) {
    SCOPED_TRACE(c.What);
    const std::string path = Dir.Write("font.tdf", c.File);
    ASSERT_TRUE(LoadFontFile(path, Loaded));
    int error = 0;
    EXPECT_FALSE(c.Op(Loaded, error));
    EXPECT_EQ(error, c.Error);
    EXPECT_EQ(ReadFileBytes(path), c.File);
  }
  // A cut font may go: nothing follows it.
  const std::string path = Dir.Write("font.tdf", cutBytes);
  int error = 0;
  ASSERT_TRUE(LoadFontFile(path, Loaded) && DeleteFont(Loaded, 3, error));
  EXPECT_EQ(ReadFileBytes(path), TBytes(cutBytes.begin(), cutBytes.begin() + cut.FontOffsets()[2]));
}

// Every font of every real file deleted, cloned and moved both ways: the
// other fonts keep their bytes, their order is the one expected, and what
// lies before the first font and after the last stays.
TEST_F(FontOps, EveryCorpusFontDeletedClonedAndMoved) {
  const std::vector<fs::path> files = CorpusFiles("tdf");
  if (files.empty()) GTEST_SKIP() << "no font corpus";
  const std::string path = Dir.File("work.tdf");
  int changes = 0;
  for (const fs::path& file : files) {
    fs::copy_file(file, path, fs::copy_options::overwrite_existing);
    // The corpus is read-only, and a read-only file is never written over.
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    const TBytes original = ReadFileBytes(path);
    const TFontParts before = PartsOf(path);
    ASSERT_TRUE(LoadFontFile(path, Loaded));
    const int count = Loaded.Count();
    const TFontRecord& last = Loaded.Fonts[count];
    const bool lastWhole =
        static_cast<size_t>(last.Offset) + kFontHeaderSize + BlockSizeOf(last.Header) <=
        original.size();
    for (int n = 1; n <= count; ++n) {
      const struct {
        const char* What;
        std::function<bool(const TFontFile&, int&)> Op;
        bool Allowed;
        TFontParts Want;
      } cases[] = {
          {"delete", [n](auto& f, int& e) { return DeleteFont(f, n, e); }, count > 1,
           Deleted(before, n)},
          {"clone", [n](auto& f, int& e) { return CloneFont(f, n, "Clone", e); },
           n < count || lastWhole, Cloned(before, n, "Clone")},
          {"up", [n](auto& f, int& e) { return MoveFont(f, n, TFontMove::Up, e); },
           n > 1 && (n < count || lastWhole), n > 1 ? Swapped(before, n - 1, n) : before},
          {"down", [n](auto& f, int& e) { return MoveFont(f, n, TFontMove::Down, e); },
           n < count && (n + 1 < count || lastWhole),
           n < count ? Swapped(before, n, n + 1) : before},
      };
      for (const auto& c : cases) {
        SCOPED_TRACE(file.filename().string() + " font " + std::to_string(n) + " " + c.What);
        Dir.Write("work.tdf", original);
        ASSERT_TRUE(LoadFontFile(path, Loaded));
        int error = 0;
        ASSERT_EQ(c.Op(Loaded, error), c.Allowed) << FontFileErrorText(error);
        if (!c.Allowed) {
          EXPECT_EQ(ReadFileBytes(path), original);
          continue;
        }
        EXPECT_TRUE(PartsOf(path) == c.Want);
        ++changes;
      }
    }
  }
  EXPECT_GT(changes, 0);
}

}  // namespace
