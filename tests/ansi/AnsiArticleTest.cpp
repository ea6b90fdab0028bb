#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "ansi/AnsiArticle.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

namespace {

std::string Article(std::string_view source) {
  return ArticleText({reinterpret_cast<const uint8_t*>(source.data()), source.size()});
}

TEST(AnsiArticle, StripEscapesDropsUpToTheNextM) {
  const struct {
    std::string Line, Text;
  } cases[] = {
      {"plain", "plain"},
      {"\x1b[1;33mgold\x1b[0m!", "gold!"},
      {"a\x1b[5Cb", "a"},        // no "m" follows: the rest goes
      {"a\x1b[2Jb mid", "aid"},  // up to the next "m" of the line
      {"mm\x1b"
       "mmm",
       "mmmm"},  // only the first "m" after ESC ends it
      {"\x1b\x1bmx", "x"},
  };
  for (const auto& c : cases) EXPECT_EQ(StripEscapes(c.Line), c.Text) << c.Line;
}

TEST(AnsiArticle, TextIsTheLinesWithoutCodes) {
  const std::string long300(300, 'w');
  const struct {
    std::string Source, Text;
  } cases[] = {
      {"", ""},
      {"one", "one\n"},
      {"one\r\ntwo\nthree\rfour\r\n", "one\ntwo\nthree\nfour\n"},
      {"a\r\r\nb\n\n", "a\n\nb\n\n"},
      {"|04red|16 \x1b[31mtoo\x1b[0m |PA", "red too |PA\n"},
      {long300 + "\r\nnext", std::string(255, 'w') + "\nnext\n"},
      {std::string("\x1a"
                   "after\x00zero",
                   11),
       std::string("\x1a"
                   "after\x00zero\n",
                   12)},
  };
  for (const auto& c : cases) EXPECT_EQ(Article(c.Source), c.Text) << c.Source;
}

TEST(AnsiArticle, SaveNeverOverwritesAndSaysWhy) {
  const TTempDir dir;
  const std::string source = dir.Write("art.ans", "\x1b[1;31mHello\x1b[0m\r\nWorld");
  std::string why = "stale";
  ASSERT_TRUE(SaveArticle(source, dir.File("notes.txt"), why));
  EXPECT_EQ(why, "");
  EXPECT_EQ(ReadFileBytes(dir.File("notes.txt")),
            (std::vector<uint8_t>{'H', 'e', 'l', 'l', 'o', '\n', 'W', 'o', 'r', 'l', 'd', '\n'}));

  dir.Write("kept.txt", "keep me");
  EXPECT_FALSE(SaveArticle(source, dir.File("kept.txt"), why));
  EXPECT_EQ(why, "kept.txt exists already");
  EXPECT_EQ(ReadFileBytes(dir.File("kept.txt")),
            (std::vector<uint8_t>{'k', 'e', 'e', 'p', ' ', 'm', 'e'}));

  EXPECT_FALSE(SaveArticle(dir.File("missing.ans"), dir.File("out.txt"), why));
  EXPECT_EQ(why, "cannot read missing.ans: no such file or directory");
  EXPECT_FALSE(SaveArticle(source, dir.File("no/dir/out.txt"), why));
  EXPECT_EQ(why, "cannot create out.txt: no such file or directory");
}

// An installed program's directory is not writable by its users.
TEST(AnsiArticle, SaveIntoAReadOnlyDirectorySaysSo) {
  const TTempDir dir;
  const std::string source = dir.Write("art.ans", "text");
  ASSERT_TRUE(OpenForNobody(source));
  std::string reason;
  const int code = RunAsNobody(
      [&] {
        std::string why;
        if (SaveArticle(source, dir.File("notes.txt"), why)) return 1;
        return why == "cannot create notes.txt: permission denied" ? 0 : 2;
      },
      &reason);
  if (code < 0) GTEST_SKIP() << reason;
  EXPECT_EQ(code, 0);
}

}  // namespace
