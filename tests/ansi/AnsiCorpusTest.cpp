// Real ANSI art, when the corpus is there, and the demo art of the project:
// each file interprets without a fault, and read in 4096-byte chunks gives
// the same picture as fed byte by byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "ansi/AnsiFile.h"
#include "ansi/AnsiInterpreter.h"

namespace {

namespace fs = std::filesystem;

void CheckFile(const fs::path& path) {
  SCOPED_TRACE(path.filename().string());
  auto chunked = std::make_unique<TMsgBaseAnsi>();
  int error = 0;
  ASSERT_TRUE(LoadAnsiFile(path.string(), *chunked, error)) << error;
  EXPECT_TRUE(chunked->CurX >= 1 && chunked->CurX <= kAnsiCols);
  EXPECT_TRUE(chunked->CurY >= 1 && chunked->CurY <= kAnsiRows);
  EXPECT_TRUE(chunked->Lines >= 1 && chunked->Lines <= kAnsiRows);

  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFile(path.string(), bytes, error));
  auto single = std::make_unique<TMsgBaseAnsi>();
  for (const uint8_t b : bytes)
    if (single->ProcessBuffer({&b, 1})) break;
  EXPECT_TRUE(single->Image == chunked->Image && single->Lines == chunked->Lines);
}

TEST(AnsiCorpus, DemoArtIsTallerThanAScreen) {
  const fs::path demo = fs::path(BRIXEL_SOURCE_DIR) / "assets" / "demo.ans";
  CheckFile(demo);
  auto ansi = std::make_unique<TMsgBaseAnsi>();
  int error = 0;
  ASSERT_TRUE(LoadAnsiFile(demo.string(), *ansi, error));
  EXPECT_GT(ansi->Lines, 25);
}

TEST(AnsiCorpus, EveryRealFileInterprets) {
  std::vector<fs::path> files;
  std::error_code ec;
  const fs::path dir = fs::path(BRIXEL_CORPUS_DIR) / "ans";
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file(ec)) files.push_back(it->path());
  if (files.empty()) GTEST_SKIP() << "no ANSI corpus at " << dir;
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) CheckFile(file);
}

}  // namespace
