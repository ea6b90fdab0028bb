#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/FontUnitFixture.h"
#include "support/TdfBuilder.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"
#include "tdf/FontFile.h"

namespace {

namespace fs = std::filesystem;

bool SameHeader(const TFontHeader& a, const TFontHeader& b) {
  return std::memcmp(&a, &b, sizeof(TFontHeader)) == 0;
}

std::string Signature(std::string_view text, uint8_t len = 19, uint8_t eof = 0x1A) {
  return std::string(1, static_cast<char>(len)) + std::string(text) + static_cast<char>(eof);
}

TTdfFontPlan Font(std::string name, uint8_t type = ftBlock, uint8_t spacing = 1) {
  TTdfFontPlan font;
  font.Name = std::move(name);
  font.FontType = type;
  font.Spacing = spacing;
  font.Glyphs = {{'A', BlockGlyph({"AA", "AA"})}, {'b', BlockGlyph({"b"})}};
  return font;
}

using TdfRead = FontUnitFixture;

TEST_F(TdfRead, SignatureVariants) {
  struct TCase {
    const char* what;
    std::string bytes;
    bool accepted;
  };
  const std::vector<TCase> cases = {
      {"standard", Signature("TheDraw FONTS file"), true},
      {"upper case", Signature("THEDRAW FONTS FILE"), true},
      {"lower case", Signature("thedraw fonts file"), true},
      {"wrong length and eof bytes", Signature("TheDraw FONTS file", 7, 0), true},
      {"wrong text", Signature("TheDraw F0NTS file"), false},
      {"code-page letters do not fold", Signature("TheDraw FONTS fil\x82"), false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TTdfBuilder b;
    b.Signature(c.bytes).Font(Font("One"));
    const std::string path = b.WriteTo(Dir, "sig.tdf");
    ASSERT_TRUE(LoadFontFile(path, Loaded));  // a wrong signature still answers true
    EXPECT_EQ(Loaded.Count(), c.accepted ? 1 : 0);
    EXPECT_EQ(Loaded.Fonts.size(), Loaded.Count() + 1u);
  }
}

TEST_F(TdfRead, FilesWithoutFonts) {
  // Exactly a signature; shorter than one; empty.
  for (const std::string& bytes : {Signature("TheDraw FONTS file"),
                                   Signature("TheDraw FONTS file").substr(0, 11), std::string()}) {
    SCOPED_TRACE(bytes.size());
    const std::string path = Dir.Write("empty.tdf", bytes);
    ASSERT_TRUE(LoadFontFile(path, Loaded));
    EXPECT_EQ(Loaded.Count(), 0);
    EXPECT_EQ(Loaded.Fonts.size(), 1u);
    EXPECT_EQ(Loaded.Path, path);
    EXPECT_FALSE(SelectFont(Loaded, 1));  // nothing to select
    EXPECT_FALSE(WriteFontHeader(Loaded));
  }
  EXPECT_FALSE(ScreenShows("Error"));
}

TEST_F(TdfRead, MissingFilesAndDirectoriesLoadNothing) {
  TTdfBuilder b;
  b.Font(Font("Kept"));
  const std::string good = b.WriteTo(Dir, "good.tdf");
  ASSERT_TRUE(LoadFontFile(good, Loaded));
  fs::create_directory(Dir.Path() / "dir.tdf");

  ASSERT_EQ(mkfifo(Dir.File("fifo.tdf").c_str(), 0600), 0);
  fs::create_symlink(Dir.Path() / "loop.tdf", Dir.Path() / "loop.tdf");
  const struct {
    std::string Path;
    int Error;
  } refused[] = {
      {Dir.File("missing.tdf"), ENOENT},
      {Dir.File("dir.tdf"), EISDIR},
      {"", ENOENT},
      {Dir.File("loop.tdf"), ELOOP},
      {Dir.File(std::string(300, 'n') + ".tdf"), ENAMETOOLONG},
  };
  for (const auto& c : refused) {
    EXPECT_FALSE(LoadFontFile(c.Path, Loaded)) << c.Path;
    EXPECT_EQ(Loaded.Error, c.Error) << c.Path;
  }
  // Nothing else changed, and nothing was said.
  EXPECT_EQ(Loaded.Path, good);
  ASSERT_EQ(Loaded.Count(), 1);
  EXPECT_EQ(Loaded.Fonts[1].Name, "Kept");
  EXPECT_FALSE(ScreenShows("Error"));

  // A FIFO would block the read forever: it is refused at the open, at once.
  EXPECT_FALSE(LoadFontFile(Dir.File("fifo.tdf"), Loaded));
  EXPECT_EQ(Loaded.Error, kNotRegularFile);
  EXPECT_TRUE(Loaded.OpenFailed);  // reported by the caller, not on the screen
  EXPECT_FALSE(ScreenShows("Error"));
  ASSERT_TRUE(LoadFontFile(good, Loaded));
  EXPECT_EQ(Loaded.Error, 0);
}

TEST_F(TdfRead, ListsEveryFontAndSelectsTheLast) {
  TTdfBuilder b;
  TTdfFontPlan third = Font("Third", ftColor, 3);
  third.Glyphs = {{'!', ColorGlyph({"!"}, 0x1E)}, {'~', ColorGlyph({"~~", "~~"}, 0x0F)}};
  b.Font(Font("First", ftOutline, 0)).Font(Font("Second", ftBlock, 2)).Font(third);
  const std::string path = b.WriteTo(Dir, "three.tdf");

  ASSERT_TRUE(LoadFontFile(path, Loaded));
  ASSERT_EQ(Loaded.Count(), 3);
  ASSERT_EQ(Loaded.Fonts.size(), 4u);
  const std::vector<int32_t> offsets = b.FontOffsets();
  const char* names[] = {"First", "Second", "Third"};
  const uint8_t types[] = {ftOutline, ftBlock, ftColor};
  for (int n = 1; n <= 3; ++n) {
    EXPECT_EQ(Loaded.Fonts[n].Name, names[n - 1]);
    EXPECT_EQ(Loaded.Fonts[n].Offset, offsets[n - 1]);
    EXPECT_EQ(Loaded.Fonts[n].FontType, types[n - 1]);
  }
  EXPECT_EQ(Loaded.Selected, 3);
  EXPECT_TRUE(SameHeader(Loaded.Header, HeaderFor(third)));
  EXPECT_EQ(FontTypeName(Loaded), "Color");
  std::string expected(94, static_cast<char>(kAbsentGlyphChar));
  expected.front() = '!';
  expected.back() = '~';
  EXPECT_EQ(GetFontChars(Loaded), expected);
  TTDFont standard = StandardSignature();
  EXPECT_EQ(std::memcmp(&Loaded.Signature, &standard, sizeof(TTDFont)), 0);

  ASSERT_TRUE(SelectFont(Loaded, 1));
  EXPECT_EQ(Loaded.Selected, 1);
  EXPECT_TRUE(SameHeader(Loaded.Header, HeaderFor(Font("First", ftOutline, 0))));
  EXPECT_EQ(FontTypeName(Loaded), "Outline");
  EXPECT_EQ(GetFontChars(Loaded).substr(32, 2),
            "A" + std::string(1, static_cast<char>(kAbsentGlyphChar)));
}

TEST_F(TdfRead, LoadingAnotherFileReplacesTheList) {
  TTdfBuilder two, one;
  two.Font(Font("A1")).Font(Font("A2"));
  one.Font(Font("B1", ftColor));
  ASSERT_TRUE(LoadFontFile(two.WriteTo(Dir, "two.tdf"), Loaded));
  ASSERT_EQ(Loaded.Count(), 2);
  const std::string second = one.WriteTo(Dir, "one.tdf");
  ASSERT_TRUE(LoadFontFile(second, Loaded));
  ASSERT_EQ(Loaded.Count(), 1);
  ASSERT_EQ(Loaded.Fonts.size(), 2u);
  EXPECT_EQ(Loaded.Fonts[1].Name, "B1");
  EXPECT_EQ(Loaded.Selected, 1);
  EXPECT_EQ(Loaded.Path, second);
}

TEST_F(TdfRead, MarkerRules) {
  TTdfFontPlan byte1 = Font("Byte1");
  byte1.Marker = {0x55, 0x00, 0x00, 0xFF};  // byte 1 is not looked at
  TTdfFontPlan bad = Font("Bad");
  bad.Marker = {0x55, 0xAA, 0x01, 0xFF};
  bad.Glyphs.clear();  // exactly 213 bytes, skipped as a block
  TTdfBuilder b;
  b.Font(byte1).Font(bad).Font(Font("After"));
  // A bad block of 213 bytes whose glyph block would be elsewhere: the next
  // header is read right after the 213 bytes, BlockSize is not used.
  TTdfFontPlan badWithBlock = Font("Skip");
  badWithBlock.Marker = {0x00, 0xAA, 0x00, 0xFF};
  badWithBlock.Glyphs.clear();
  badWithBlock.BlockSize = 500;
  b.Font(badWithBlock).Font(Font("Last"));

  ASSERT_TRUE(LoadFontFile(b.WriteTo(Dir, "markers.tdf"), Loaded));
  ASSERT_EQ(Loaded.Count(), 3);
  EXPECT_EQ(Loaded.Fonts[1].Name, "Byte1");
  EXPECT_EQ(Loaded.Fonts[2].Name, "After");
  EXPECT_EQ(Loaded.Fonts[3].Name, "Last");
  EXPECT_EQ(Loaded.Fonts[3].Offset, b.FontOffsets()[4]);
}

TEST_F(TdfRead, NamesFollowNameLenAndStopAtNul) {
  TTdfFontPlan five = Font("TwelveLetter");
  five.NameLen = 5;
  TTdfFontPlan twenty = Font("TwelveLetter");
  twenty.NameLen = 20;
  TTdfFontPlan padded = Font("Tiny");
  padded.NameLen = 12;  // the rest of the field is NUL
  TTdfFontPlan spaced = Font("Underground ");
  TTdfFontPlan empty = Font("");
  TTdfFontPlan reserved = Font("Reserved");
  reserved.Reserved = {1, 2, 3, 4};
  TTdfBuilder b;
  b.Font(five).Font(twenty).Font(padded).Font(spaced).Font(empty).Font(reserved);

  ASSERT_TRUE(LoadFontFile(b.WriteTo(Dir, "names.tdf"), Loaded));
  ASSERT_EQ(Loaded.Count(), 6);
  EXPECT_EQ(Loaded.Fonts[1].Name, "Twelv");
  EXPECT_EQ(Loaded.Fonts[2].Name, "TwelveLetter");
  EXPECT_EQ(Loaded.Fonts[3].Name, "Tiny");
  EXPECT_EQ(Loaded.Fonts[4].Name, "Underground ");
  EXPECT_EQ(Loaded.Fonts[5].Name, "");
  EXPECT_EQ(Loaded.Fonts[6].Name, "Reserved");
}

TEST_F(TdfRead, FontCharsAndTypeNames) {
  TTdfFontPlan none = Font("None");
  none.Glyphs.clear();
  TTdfFontPlan odd = Font("Odd");
  odd.Glyphs.clear();
  odd.OffsetOverrides = {{'!', 0x01FF}, {'"', 0xFF01}, {'#', 0}, {'$', 0xFFFF}};
  TTdfBuilder b;
  b.Font(none).Font(odd);
  ASSERT_TRUE(LoadFontFile(b.WriteTo(Dir, "chars.tdf"), Loaded));
  ASSERT_TRUE(SelectFont(Loaded, 1));
  EXPECT_EQ(GetFontChars(Loaded), std::string(94, static_cast<char>(kAbsentGlyphChar)));
  ASSERT_TRUE(SelectFont(Loaded, 2));
  const std::string chars = GetFontChars(Loaded);
  ASSERT_EQ(chars.size(), 94u);
  // Only the pair $FF $FF means absent: $FF $01 (511) and $01 $FF are glyphs.
  EXPECT_EQ(chars.substr(0, 4), std::string("!\"#") + static_cast<char>(kAbsentGlyphChar));

  for (const auto& [type, name] : std::vector<std::pair<uint8_t, std::string>>{
           {0, "Outline"}, {1, "Block"}, {2, "Color"}, {3, ""}, {255, ""}}) {
    Loaded.Header.FontType = type;
    EXPECT_EQ(FontTypeName(Loaded), name);
    EXPECT_EQ(FontTypeNameOf(type), name);
  }
}

TEST_F(TdfRead, ShortReadsEndTheListWithoutInventingFonts) {
  const std::vector<uint8_t> metadata = [] {
    std::vector<uint8_t> m(129, 'x');
    m[0] = 0x1A;
    return m;
  }();
  struct TCase {
    const char* what;
    std::vector<uint8_t> tail;
  };
  for (const TCase& c : std::vector<TCase>{{"metadata record", metadata},
                                           {"single zero byte", {0}},
                                           {"a header cut short", [] {
                                              const TFontHeader h = HeaderFor(Font("Cut"));
                                              const auto* p = reinterpret_cast<const uint8_t*>(&h);
                                              return std::vector<uint8_t>(p, p + 100);
                                            }()}}) {
    SCOPED_TRACE(c.what);
    TTdfBuilder b;
    b.Font(Font("One")).Font(Font("Two", ftColor)).Raw(c.tail);
    ASSERT_TRUE(LoadFontFile(b.WriteTo(Dir, "tail.tdf"), Loaded));
    ASSERT_EQ(Loaded.Count(), 2);
    EXPECT_EQ(Loaded.Fonts[2].Name, "Two");
    EXPECT_EQ(Loaded.Selected, 2);
    EXPECT_EQ(FontTypeName(Loaded), "Color");
  }
}

TEST_F(TdfRead, BlockSizePastTheEndListsTheFontOnce) {
  TTdfFontPlan big = Font("Big");
  big.BlockSize = 65535;
  TTdfBuilder b;
  b.Font(Font("Small")).Font(big);
  ASSERT_TRUE(LoadFontFile(b.WriteTo(Dir, "big.tdf"), Loaded));
  ASSERT_EQ(Loaded.Count(), 2);
  EXPECT_EQ(Loaded.Fonts[2].Name, "Big");
  EXPECT_TRUE(SelectFont(Loaded, 2));
}

TEST_F(TdfRead, EveryFontOfABundleIsListedAndTrailersAreNot) {
  TTdfBuilder b;
  for (int i = 1; i <= 600; ++i) {
    TTdfFontPlan f = Font("F" + std::to_string(i));
    f.Glyphs = {{'A', BlockGlyph({std::string(1 + i % 7, 'a')})}};
    b.Font(f);
  }
  const std::string sauce = "\x1a" + std::string("SAUCE00") + std::string(121, ' ');
  for (const std::string& trailer : {std::string(), sauce, std::string(212, '\0')}) {
    TTdfBuilder file = b;
    file.Raw(trailer);
    ASSERT_TRUE(LoadFontFile(file.WriteTo(Dir, "bundle.tdf"), Loaded));
    ASSERT_EQ(Loaded.Count(), 600) << trailer.size() << " trailing bytes";
    EXPECT_EQ(Loaded.Fonts[600].Name, "F600");
    EXPECT_EQ(Loaded.Fonts[300].Offset, file.FontOffsets()[299]);
    EXPECT_EQ(Loaded.Selected, 600);
    ASSERT_TRUE(SelectFont(Loaded, 456));
    EXPECT_EQ(ListedName(Loaded.Header), "F456");
  }
}

// A font file's bytes in memory read as the file does: the same list, the
// same selection, and every font selects alike, also in files cut short.
TEST_F(TdfRead, BytesInMemoryReadAsTheirFile) {
  TTdfFontPlan big = Font("Big", ftColor);
  big.BlockSize = 65535;
  TTdfBuilder three;
  three.Font(Font("One")).Raw(std::string(kFontHeaderSize, 'j')).Font(Font("Two")).Font(big);
  const std::vector<uint8_t> whole = three.Bytes();
  std::vector<std::vector<uint8_t>> files = {{'a', 'r', 't'}, TTdfBuilder().Bytes(), whole};
  // Cut inside the last block, inside a header, inside the signature.
  for (const size_t keep : {whole.size() - 3, size_t(three.FontOffsets()[1]) + 100, size_t{12}})
    files.emplace_back(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep));
  for (const std::vector<uint8_t>& bytes : files) {
    SCOPED_TRACE(std::to_string(bytes.size()) + " bytes");
    TFontFile fromBytes;
    LoadFontBytes(bytes, fromBytes);
    ASSERT_TRUE(LoadFontFile(Dir.Write("font.tdf", bytes), Loaded));
    ASSERT_EQ(fromBytes.Count(), Loaded.Count());
    if (bytes == whole) {
      EXPECT_EQ(Loaded.Count(), 3);
    }
    for (int n = 0; n <= Loaded.Count() + 1; ++n) {
      if (n > 0 && n <= Loaded.Count()) {
        EXPECT_EQ(fromBytes.Fonts[n].Offset, Loaded.Fonts[n].Offset);
        EXPECT_EQ(fromBytes.Fonts[n].Name, Loaded.Fonts[n].Name);
      }
      EXPECT_EQ(fromBytes.Selected, Loaded.Selected) << "font " << n;
      EXPECT_EQ(fromBytes.Block, Loaded.Block) << "font " << n;
      EXPECT_TRUE(SameHeader(fromBytes.Header, Loaded.Header)) << "font " << n;
      EXPECT_EQ(SelectFontIn(bytes, fromBytes, n), SelectFont(Loaded, n)) << "font " << n;
    }
  }
}

TEST_F(TdfRead, SelectFontChecksRangeAndMarker) {
  TTdfBuilder b;
  b.Font(Font("One")).Font(Font("Two"));
  const std::string path = b.WriteTo(Dir, "sel.tdf");
  ASSERT_TRUE(LoadFontFile(path, Loaded));
  const TFontHeader before = Loaded.Header;
  for (int n : {-1, 0, 3, 256}) {
    EXPECT_FALSE(SelectFont(Loaded, n)) << n;
    EXPECT_EQ(Loaded.Selected, 2);
    EXPECT_TRUE(SameHeader(Loaded.Header, before));
  }

  // Another program spoils the first header: its bytes are read, but no switch.
  std::vector<uint8_t> bytes = ReadFileBytes(path);
  bytes[b.FontOffsets()[0] + 3] = 0x00;
  bytes[b.FontOffsets()[0] + 5] = 'X';
  Dir.Write("sel.tdf", bytes);
  EXPECT_FALSE(SelectFont(Loaded, 1));
  EXPECT_EQ(Loaded.Selected, 2);
  EXPECT_EQ(Loaded.Header.Marker[3], 0x00);
  EXPECT_EQ(Loaded.Header.Name[0], 'X');

  // The file shrank behind the program's back: half a header is not taken.
  ASSERT_TRUE(SelectFont(Loaded, 2));
  const TFontHeader second = Loaded.Header;
  fs::resize_file(path, b.FontOffsets()[1] + 100);
  EXPECT_FALSE(SelectFont(Loaded, 2));
  EXPECT_TRUE(SameHeader(Loaded.Header, second));

  // And a file that went away altogether is reported.
  fs::remove(path);
  EXPECT_FALSE(SelectFont(Loaded, 1));
  EXPECT_TRUE(Loaded.OpenFailed);
  EXPECT_EQ(Loaded.Error, ENOENT);
}

TEST_F(TdfRead, WriteFontHeaderChangesOnlyThatHeader) {
  TTdfBuilder b;
  b.Font(Font("One")).Font(Font("Two", ftColor)).Font(Font("Three"));
  const std::string path = b.WriteTo(Dir, "write.tdf");
  const std::vector<uint8_t> original = ReadFileBytes(path);
  ASSERT_TRUE(LoadFontFile(path, Loaded));
  ASSERT_TRUE(SelectFont(Loaded, 2));
  Loaded.Header.Name = {'R', 'e', 'n', 'a', 'm', 'e', 'd', 0, 0, 0, 0, 0};
  Loaded.Header.NameLen = 7;
  Loaded.Header.Spacing = 4;
  ASSERT_TRUE(WriteFontHeader(Loaded));

  const std::vector<uint8_t> changed = ReadFileBytes(path);
  ASSERT_EQ(changed.size(), original.size());
  const size_t at = static_cast<size_t>(b.FontOffsets()[1]);
  EXPECT_EQ(std::memcmp(changed.data() + at, &Loaded.Header, kFontHeaderSize), 0);
  EXPECT_TRUE(std::equal(changed.begin(), changed.begin() + at, original.begin()));
  EXPECT_TRUE(std::equal(changed.begin() + at + kFontHeaderSize, changed.end(),
                         original.begin() + at + kFontHeaderSize));

  ASSERT_TRUE(LoadFontFile(path, Loaded));
  EXPECT_EQ(Loaded.Fonts[2].Name, "Renamed");
  ASSERT_TRUE(SelectFont(Loaded, 2));
  EXPECT_EQ(Loaded.Header.Spacing, 4);
}

// Root ignores permission bits, so these run in a child that is uid 65534.
TEST_F(TdfRead, ReadOnlyFileCanBeViewedButNotWritten) {
  TTdfBuilder b;
  b.Font(Font("One")).Font(Font("Two", ftColor));
  const std::string path = b.WriteTo(Dir, "readonly.tdf");
  ::chmod(path.c_str(), 0444);
  ASSERT_TRUE(OpenForNobody(path));
  const std::vector<uint8_t> original = ReadFileBytes(path);
  std::string reason;
  const int code = RunAsNobody(
      [&] {
        if (!LoadFontFile(path, Loaded)) return 1;
        if (Loaded.Count() != 2 || Loaded.Fonts[2].Name != "Two" || FontTypeName(Loaded) != "Color")
          return 2;
        if (!SelectFont(Loaded, 1) || Loaded.Selected != 1) return 3;
        if (ScreenShows("Error")) return 4;
        Loaded.Header.Spacing = 9;
        int error = 0;
        if (WriteFontHeader(Loaded, error)) return 5;
        return error == EACCES && !ScreenShows("Error") ? 0 : 6;
      },
      &reason);
  if (code < 0) GTEST_SKIP() << reason;
  EXPECT_EQ(code, 0) << "1: not loaded, 2: wrong list, 3: no select, 4: message while reading, "
                        "5: header written, 6: no reason, or a message on the screen";
  EXPECT_EQ(ReadFileBytes(path), original);
}

TEST_F(TdfRead, UnreadableFileIsReported) {
  TTdfBuilder b;
  b.Font(Font("One"));
  const std::string path = b.WriteTo(Dir, "secret.tdf");
  ASSERT_TRUE(OpenForNobody(path));
  ::chmod(path.c_str(), 0);
  std::string reason;
  const int code = RunAsNobody(
      [&] {
        if (LoadFontFile(path, Loaded)) return 1;
        if (Loaded.Path != path || Loaded.Count() != 0) return 2;
        if (Loaded.Error != EACCES) return 4;
        return Loaded.OpenFailed && !ScreenShows("Error") ? 0 : 3;
      },
      &reason);
  if (code < 0) GTEST_SKIP() << reason;
  EXPECT_EQ(code, 0) << "1: loaded, 2: state, 3: not an open failure, or a message on the screen, "
                        "4: reason not kept";
}

}  // namespace
