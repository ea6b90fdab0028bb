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
  return PictureText(Picture(path)->Picture());
}

std::string Content(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  return {bytes.begin(), bytes.end()};
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
      // Rows the cursor passed are empty; a printed NUL is a blank too.
      {std::string("top\x1b[3B\0\377end\0\r\n", 15), "top\n\n\n     end\n"},
      {"\x1b[2;5Hb\x1b[1;1Ha", "a\n    b\n"},
      {"\x1b[2;5Hb\x1b[2Jc", "c\n"},  // a cleared screen drops what was drawn
      {"shown\x1a hidden\r\n", "shown\n"},
      // A SAUCE record without the end-of-file byte before it (no comments).
      {"art\r\nSAUCE00" + std::string(97, ' ') + '\0' + std::string(23, ' '), "art\n"},
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

TEST(AnsiArticle, SavedBesideTheArtOverAFileOnlyWhenAskedTo) {
  const TTempDir dir;
  const std::string art = dir.Write("Art.Work.ANS", "\x1b[1;31mHello\x1b[0m\r\nWorld");
  const auto picture = Picture(art);
  std::string written, why;
  ASSERT_EQ(ArticleName(art), "Art.Work.txt");
  ASSERT_TRUE(
      SaveArticleBeside(picture->Picture(), art, ArticleName(art), "/nonexistent", written, why));
  EXPECT_EQ(written, dir.File("Art.Work.txt"));
  EXPECT_EQ(Content(written), "Hello\nWorld\n");
  // An existing file is kept, and is no reason to try another folder.
  dir.Write("kept.txt", "keep me");
  EXPECT_FALSE(
      SaveArticleBeside(picture->Picture(), art, "kept.txt", dir.File("none"), written, why));
  EXPECT_EQ(why, "kept.txt exists already");
  EXPECT_EQ(Content(dir.File("kept.txt")), "keep me");
  // The file in the way is named; named back as the one to replace, it is.
  ASSERT_EQ(written, dir.File("kept.txt"));
  EXPECT_TRUE(SaveArticleBeside(picture->Picture(), art, "kept.txt", "", written, why, written));
  EXPECT_EQ(Content(dir.File("kept.txt")), "Hello\nWorld\n");
  // A name with a folder is a path of its own.
  const std::string path = dir.File("no/dir/out.txt");
  EXPECT_FALSE(SaveArticleBeside(picture->Picture(), art, path, dir.Path().string(), written, why));
  EXPECT_EQ(why, "cannot create out.txt: no such file or directory");
  EXPECT_EQ(written, "");
}

// Art in a folder the user cannot write into: the export goes into the
// working directory instead.
TEST(AnsiArticle, AReadOnlyArtFolderSendsTheTextToTheWorkingDirectory) {
  const TTempDir dir;
  const auto picture = Picture(dir.Write("art.ans", "text"));
  ASSERT_TRUE(OpenForNobody(dir.File("art.ans")));
  const std::string work = dir.File("work");
  ASSERT_EQ(::mkdir(work.c_str(), 0777), 0);
  ASSERT_EQ(::chmod(work.c_str(), 0777), 0);  // past the umask
  std::string reason;
  const int code = RunAsNobody(
      [&] {
        std::string written, why;
        if (!SaveArticleBeside(picture->Picture(), dir.File("art.ans"), "art.txt", work, written,
                               why))
          return 1;
        return written == work + "/art.txt" && Content(written) == "text\n" ? 0 : 2;
      },
      &reason);
  if (code < 0) GTEST_SKIP() << reason;
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "art.txt"));
}

}  // namespace
