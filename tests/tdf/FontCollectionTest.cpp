// Reading every font under some paths: the order, and what is skipped and
// said. The command-line tests add upper-case names, an unreadable folder and
// the character filter.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TdfBuilder.h"
#include "support/TempDir.h"
#include "tdf/FontCollection.h"

namespace {

namespace fs = std::filesystem;

TEST(FontCollection, FoldersInPathOrderNamedFilesOnceAndEverySkipNoted) {
  TTempDir dir;
  fs::create_directories(dir.Path() / "A" / "sub");
  TTdfBuilder b, c;
  TTdfFontPlan font;
  font.Name = "Bee1";
  b.Font(font);
  font.Name = "Bee2";
  b.Font(font);
  font.Name = "Cee";
  c.Font(font);
  b.WriteTo(dir, "b.tdf");
  c.WriteTo(dir, "A/sub/c.tdf");
  c.WriteTo(dir, "z.font");  // no font file by name, unless named
  dir.Write("bad.tdf", "no signature");
  ASSERT_EQ(::mkfifo(dir.File("pipe.tdf").c_str(), 0600), 0);
  fs::create_directory_symlink(dir.Path() / "A", dir.Path() / "loop");

  const std::vector<std::string> paths = {dir.File("z.font"), dir.Path().string(),
                                          dir.File("b.tdf"), dir.File("gone")};
  TFontCollection got = ReadFontCollection(paths);
  std::vector<std::string> listed;
  for (const TCollectedFont& f : got.Fonts) {
    listed.push_back(fs::path(got.Files[static_cast<size_t>(f.File)]).filename().string() + ":" +
                     std::to_string(f.Number) + ":" + f.Font.Name);
  }
  // Byte-wise by path: "A/sub/c.tdf", "b.tdf" (once), "z.font".
  EXPECT_EQ(listed, (std::vector<std::string>{"c.tdf:1:Cee", "b.tdf:1:Bee1", "b.tdf:2:Bee2",
                                              "z.font:1:Cee"}));
  std::sort(got.Notes.begin(), got.Notes.end());
  EXPECT_EQ(got.Notes, (std::vector<std::string>{
                           dir.File("bad.tdf") + ": skipped: not a TheDraw font file",
                           dir.File("gone") + ": skipped: no such file or directory",
                           dir.File("loop") + ": skipped: a link to a folder is not followed",
                           dir.File("pipe.tdf") + ": skipped: not a regular file"}));
  EXPECT_FALSE(got.NamedPathsRead);  // "gone" was asked for
}

}  // namespace
