// Reading every font under some paths: the order, what is skipped and said,
// and which fonts can draw a text.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TdfBuilder.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"
#include "tdf/FontCollection.h"

namespace {

namespace fs = std::filesystem;

TTdfFontSpec Font(std::string name, uint8_t type = ftBlock) {
  TTdfFontSpec font;
  font.Name = std::move(name);
  font.FontType = type;
  return font;
}

// "file:number:name" for every font, in the collection's order, paths relative to root.
std::vector<std::string> Listed(const TFontCollection& c, const fs::path& root) {
  std::vector<std::string> out;
  for (const TCollectedFont& f : c.Fonts) {
    const fs::path file = fs::path(c.Files[static_cast<size_t>(f.File)]).lexically_relative(root);
    out.push_back(file.string() + ":" + std::to_string(f.Number) + ":" + f.Font.Name);
  }
  return out;
}

std::vector<std::string> SortedNotes(const TFontCollection& c) {
  std::vector<std::string> notes = c.Notes;
  std::sort(notes.begin(), notes.end());
  return notes;
}

class FontCollection : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(Dir.Path() / "A" / "sub");
    TTdfBuilder b, z, c;
    b.Font(Font("Bee1")).Font(Font("Bee2", ftColor));
    z.Font(Font("Zed", ftOutline));
    c.Font(Font("Cee"));
    b.WriteTo(Dir, "b.tdf");
    z.WriteTo(Dir, "A/z.TDF");
    c.WriteTo(Dir, "A/sub/c.tdf");
    Dir.Write("readme.txt", "not looked at");
    Dir.Write("bad.tdf", "no signature");
  }
  std::string Root() const { return Dir.Path().string(); }

  TTempDir Dir;
};

TEST_F(FontCollection, NestedFoldersInPathOrderWithEverySkipNoted) {
  ASSERT_EQ(::mkfifo(Dir.File("pipe.tdf").c_str(), 0600), 0);
  fs::create_directory_symlink(Dir.Path() / "A", Dir.Path() / "loop");
  const std::vector<std::string> paths = {Root()};
  const TFontCollection c = ReadFontCollection(paths);
  // Byte-wise: "A/sub/..." before "A/z.TDF" before "b.tdf".
  EXPECT_EQ(Listed(c, Dir.Path()), (std::vector<std::string>{
                                       "A/sub/c.tdf:1:Cee", "A/z.TDF:1:Zed", "b.tdf:1:Bee1",
                                       "b.tdf:2:Bee2"}));
  EXPECT_EQ(SortedNotes(c), (std::vector<std::string>{
                                Dir.File("bad.tdf") + ": skipped: not a TheDraw font file",
                                Dir.File("loop") + ": skipped: a link to a folder is not followed",
                                Dir.File("pipe.tdf") + ": skipped: not a regular file"}));
  EXPECT_TRUE(c.NamedPathsRead);
}

TEST_F(FontCollection, NamedPathsAreReadWhateverTheirNameAndMissingOnesCount) {
  fs::copy_file(Dir.Path() / "A" / "z.TDF", Dir.Path() / "z.font");
  const std::vector<std::string> paths = {Dir.File("z.font"), Dir.File("A/sub"),
                                          Dir.File("z.font"), Dir.File("gone")};
  const TFontCollection c = ReadFontCollection(paths);
  EXPECT_EQ(Listed(c, Dir.Path()), (std::vector<std::string>{"A/sub/c.tdf:1:Cee", "z.font:1:Zed"}));
  EXPECT_EQ(c.Notes, (std::vector<std::string>{Dir.File("gone") +
                                               ": skipped: no such file or directory"}));
  EXPECT_FALSE(c.NamedPathsRead);
}

// Root reads every folder, so the unreadable one is tried as uid 65534.
TEST_F(FontCollection, UnreadableFolderIsSkippedAndNamedItFails) {
  ASSERT_TRUE(OpenForNobody(Dir.File("b.tdf")));
  ::chmod(Dir.File("A").c_str(), 0);
  std::string reason;
  const int code = RunAsNobody(
      [&] {
        const std::vector<std::string> root = {Root()}, locked = {Dir.File("A")};
        const TFontCollection all = ReadFontCollection(root);
        if (Listed(all, Dir.Path()) != std::vector<std::string>{"b.tdf:1:Bee1", "b.tdf:2:Bee2"})
          return 1;
        const std::string note = Dir.File("A") + ": skipped: permission denied";
        if (std::count(all.Notes.begin(), all.Notes.end(), note) != 1 || !all.NamedPathsRead)
          return 2;
        const TFontCollection named = ReadFontCollection(locked);
        return named.Notes == std::vector<std::string>{note} && !named.NamedPathsRead ? 0 : 3;
      },
      &reason);
  ::chmod(Dir.File("A").c_str(), 0700);
  if (code < 0) GTEST_SKIP() << reason;
  EXPECT_EQ(code, 0) << "1: wrong fonts, 2: no note or counted as failure, 3: named folder";
}

TEST(FontCollectionChars, HasEveryCharIgnoresSpacesAndNeverHasOthers) {
  TTdfFontSpec spec = Font("Some");
  for (const uint8_t ch : {'A', 'B', '1', '~'}) spec.Glyphs[ch] = BlockGlyph({"x"});
  const TFontHeader header = HeaderFor(spec);
  EXPECT_EQ(GlyphCountOf(header), 4);
  const struct {
    std::string Text;
    bool Has;
  } cases[] = {
      {"AB1~", true}, {"A B", true},  {"   ", true},       {"", true},    {"AC", false},
      {"a", false},   {"12", false},  {"A\xDB", false},    {"A\t", false}, {"A\x7F", false},
  };
  for (const auto& c : cases) EXPECT_EQ(HasEveryChar(header, c.Text), c.Has) << c.Text;
}

}  // namespace
