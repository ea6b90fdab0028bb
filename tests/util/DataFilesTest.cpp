// Where data files (glyph sheets, sounds, the icon) are found.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"
#include "util/DataFiles.h"
#include "util/Paths.h"

TEST(DataFilesTest, WorkingDirectoryFirstThenTheOthersInOrder) {
  TTempDir first, second;
  const std::string a = AddSlash(first.Path().string()), b = AddSlash(second.Path().string());
  second.Write("x.png", "2");
  EXPECT_EQ(FindDataFileIn("x.png", {a, b}), b + "x.png");
  first.Write("x.png", "1");
  EXPECT_EQ(FindDataFileIn("x.png", {a, b}), a + "x.png");
  // A directory of that name is no data file; nothing found gives the bare name.
  std::filesystem::create_directory(first.Path() / "d.png");
  EXPECT_EQ(FindDataFileIn("d.png", {a, b}), "d.png");
  EXPECT_EQ(FindDataFileIn("none.wav", {a, b}), "none.wav");
}
