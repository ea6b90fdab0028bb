#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ansi/AnsiArticle.h"
#include "ansi/AnsiFile.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

namespace {

std::unique_ptr<TMsgBaseAnsi> Picture(const std::string& path) {
  auto picture = std::make_unique<TMsgBaseAnsi>();
  int error = 0;
  EXPECT_TRUE(LoadAnsiFile(path, *picture, error)) << path << ": " << error;
  return picture;
}

std::string Text(const std::string& path) {
  return PictureText(*Picture(path));
}

std::string Content(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  return {bytes.begin(), bytes.end()};
}

// A record without the end-of-file byte before it: the art ends where it starts.
std::string SauceRecord() {
  std::string r = "SAUCE00Title";
  r.resize(128, ' ');
  r[104] = 0;  // no comments
  return r;
}

TEST(AnsiArticle, TextIsWhatTheViewerShows) {
  const TTempDir dir;
  const std::string w300(300, 'w');
  const struct {
    std::string Art, Text;
  } cases[] = {
      {"", ""},
      // A cursor movement is blanks, not the start of a swallowed word.
      {"A\x1b[5Chello my friend\r\n", "A     hello my friend\n"},
      {"\x1b[1;31mRed\x1b[0m |04piped\r\nnext", "Red |04piped\nnext\n"},
      // Rows wrap at 80 columns as drawn.
      {w300, std::string(80, 'w') + "\n" + std::string(80, 'w') + "\n" + std::string(80, 'w') +
                 "\n" + std::string(60, 'w') + "\n"},
      // Blanks at a row's end go, coloured or not; 0 and 255 are blanks.
      {"a\x1b[44m   \x1b[0m\r\nb\xff\x1b[2Cc\xff\r\n", "a\nb   c\n"},
      {"\r\n\r\ntwo\r\n\r\n\r\n\x1b[3B", "\n\ntwo\n"},  // empty rows after the last go
      {"\x1b[2;5Hb\x1b[1;1Ha\x1b[2Jc", "ac\n    b\n"},
      {"shown\x1a hidden\r\n", "shown\n"},
      {"art\r\n" + SauceRecord(), "art\n"},
  };
  for (const auto& c : cases) {
    const std::string path = dir.Write("art.ans", c.Art);
    EXPECT_EQ(Text(path), c.Text) << c.Art;
  }
}

// The words between cursor movements of a long tutorial, which a stripped
// copy of the file's lines glued together or lost.
TEST(AnsiArticle, CorpusTutorialKeepsItsWords) {
  const std::filesystem::path tutorial = BRIXEL_CORPUS_DIR "/ans/zv-tutorial.ans";
  std::error_code ec;
  if (!std::filesystem::is_regular_file(tutorial, ec)) GTEST_SKIP() << "no corpus";
  const std::string text = Text(tutorial.string());
  EXPECT_NE(text.find("\n 1.   left eye          3. add a highlight     5. add the darker part\n"),
            std::string::npos);
}

TEST(AnsiArticle, SaveNeverOverwritesAndSaysWhy) {
  const TTempDir dir;
  const auto picture = Picture(dir.Write("art.ans", "\x1b[1;31mHello\x1b[0m\r\nWorld"));
  std::string why = "stale";
  int error = -1;
  ASSERT_TRUE(SaveArticle(*picture, dir.File("notes.txt"), why, error));
  EXPECT_EQ(why, "");
  EXPECT_EQ(Content(dir.File("notes.txt")), "Hello\nWorld\n");

  dir.Write("kept.txt", "keep me");
  EXPECT_FALSE(SaveArticle(*picture, dir.File("kept.txt"), why, error));
  EXPECT_EQ(why, "kept.txt exists already");
  EXPECT_EQ(Content(dir.File("kept.txt")), "keep me");

  EXPECT_FALSE(SaveArticle(*picture, dir.File("no/dir/out.txt"), why, error));
  EXPECT_EQ(why, "cannot create out.txt: no such file or directory");

  // Beside the art under the art's name; a name with a folder goes there.
  std::string written;
  EXPECT_EQ(ArticleName(dir.File("Art.Work.ANS")), "Art.Work.txt");
  EXPECT_EQ(ArticleName("/x.y/.plan"), ".plan.txt");
  const std::string art = dir.Write("pic.ans", "pic");
  ASSERT_TRUE(SaveArticleBeside(*picture, art, ArticleName(art), "/nonexistent", written, why));
  EXPECT_EQ(written, dir.File("pic.txt"));
  ASSERT_TRUE(std::filesystem::create_directory(dir.Path() / "sub"));
  ASSERT_TRUE(SaveArticleBeside(*picture, art, dir.File("sub/x.txt"), "", written, why));
  EXPECT_EQ(Content(written), "Hello\nWorld\n");
  EXPECT_FALSE(SaveArticleBeside(*picture, art, "pic.txt", dir.File("sub"), written, why));
  EXPECT_EQ(why, "pic.txt exists already");
  EXPECT_EQ(written, "");
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "sub/pic.txt"))
      << "an existing file is no refusal of the folder";
}

// Art in a folder the user cannot write into: the export goes into the
// working directory instead, and when that refuses too, the user is told why.
TEST(AnsiArticle, AReadOnlyArtFolderSendsTheTextToTheWorkingDirectory) {
  const TTempDir dir;
  const auto picture = Picture(dir.Write("art.ans", "text"));
  ASSERT_TRUE(OpenForNobody(dir.File("art.ans")));
  const std::string work = dir.File("work");
  ASSERT_EQ(::mkdir(work.c_str(), 0777), 0);
  ASSERT_EQ(::chmod(work.c_str(), 0777), 0);  // past the umask
  const std::string closed = dir.File("closed");
  ASSERT_EQ(::mkdir(closed.c_str(), 0755), 0);
  std::string reason;
  const int code = RunAsNobody(
      [&] {
        std::string written, why;
        if (!SaveArticleBeside(*picture, dir.File("art.ans"), "art.txt", work, written, why))
          return 1;
        if (written != work + "/art.txt" || Content(written) != "text\n") return 2;
        if (SaveArticleBeside(*picture, dir.File("art.ans"), "more.txt", closed, written, why))
          return 3;
        return why == "cannot create more.txt: permission denied" ? 0 : 4;
      },
      &reason);
  if (code < 0) GTEST_SKIP() << reason;
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "art.txt"));
}

}  // namespace
