#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "util/Paths.h"

namespace {

TEST(PathText, AddSlash) {
  EXPECT_EQ(AddSlash(""), "/");
  EXPECT_EQ(AddSlash("fonts"), "fonts/");
  EXPECT_EQ(AddSlash("fonts/"), "fonts/");
  EXPECT_EQ(AddSlash(std::string(255, 'd')).size(), 255u);
}

TEST(PathText, JustPathAndJustName) {
  EXPECT_EQ(JustPath("fonts/a.tdf"), "fonts/");
  EXPECT_EQ(JustPath("a.tdf"), "");
  EXPECT_EQ(JustPath("dir\\a.tdf"), "");  // no "/" anywhere
  EXPECT_EQ(JustPath("/x/sub\\a.tdf"), "/x/sub\\");
  EXPECT_EQ(JustPath("/a.tdf"), "/");
  EXPECT_EQ(JustName("dir/sub\\a.tdf"), "a.tdf");
  EXPECT_EQ(JustName("a.tdf"), "a.tdf");
  EXPECT_EQ(JustName("dir/"), "");
  EXPECT_EQ(JustName("dir\\x"), "x");
}

TEST(ProgramDirectory, FromExecutableOrArgumentZero) {
  EXPECT_EQ(ProgramDirFrom("/opt/brixel/bin/brixel", "ignored/x"), "/opt/brixel/bin/");
  EXPECT_EQ(ProgramDirFrom("/brixel", ""), "/");
  EXPECT_EQ(ProgramDirFrom("", "build/debug/brixel"), "build/debug/");
  EXPECT_EQ(ProgramDirFrom("", "c:\\bin\\brixel"), "c:\\bin\\");
  EXPECT_EQ(ProgramDirFrom("", "brixel"), "./");
  EXPECT_EQ(ProgramDirFrom("", ""), "./");
  const std::string deep = "/" + std::string(300, 'd') + "/brixel";
  EXPECT_EQ(ProgramDirFrom(deep, ""), deep.substr(0, deep.size() - 6));  // never cut
}

TEST(ProgramDirectory, IsTheTestBinarysFolder) {
  const std::string dir = ProgramDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), '/');
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  ASSERT_FALSE(ec);
  EXPECT_EQ(dir, self.parent_path().string() + "/");
  EXPECT_TRUE(std::filesystem::exists(dir + self.filename().string()));
}

}  // namespace
