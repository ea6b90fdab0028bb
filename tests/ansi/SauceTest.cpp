#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ansi/AnsiFile.h"
#include "ansi/Sauce.h"
#include "ansi/SauceFile.h"
#include "support/TempDir.h"
#include "tdf/FontFile.h"

namespace {

std::vector<uint8_t> Bytes(std::string_view s) {
  return {s.begin(), s.end()};
}

// A record built by hand: every text field and number at its own offset.
std::string Record(std::string_view version, std::string_view title, uint8_t comments) {
  std::string r(128, ' ');
  r.replace(0, 7, "SAUCE" + std::string(version));
  r.replace(7, title.size(), title);
  r.replace(42, 6, "Artist");
  r.replace(62, 5, "Group");
  r.replace(82, 8, "19970610");
  r.replace(90, 4, std::string("\x39\x30\x00\x00", 4));  // 12345
  r[94] = 1;
  r[95] = 1;
  r.replace(96, 8, std::string("\x50\x00\xe8\x03\x02\x00\x00\x01", 8));  // 80, 1000, 2, 256
  r[104] = static_cast<char>(comments);
  r[105] = 0x13;
  r.replace(106, 22, std::string("IBM VGA") + std::string(15, '\0'));
  return r;
}

std::string CommentBlock(std::initializer_list<std::string_view> lines) {
  std::string block = "COMNT";
  for (const std::string_view line : lines)
    block += std::string(line) + std::string(64 - line.size(), ' ');
  return block;
}

TEST(Sauce, ReadsRecordsAsTheyAreFound) {
  const std::string art = "\x1b[1mart\r\n";
  const struct {
    const char* Name;
    std::string File;
    bool Found;
    size_t ContentEnd;
    std::string Title;
    std::vector<std::string> Comments;
  } cases[] = {
      {"no record", art, false, art.size(), "", {}},
      {"with comments",
       art + "\x1a" + CommentBlock({"first", "second  "}) + Record("00", "Tit", 2),
       true,
       art.size(),
       "Tit",
       {"first", "second"}},
      {"count without COMNT", art + "\x1a" + Record("00", "Tit", 3), true, art.size(), "Tit", {}},
      {"0 then garbage",
       art + "\x1a" + Record("00", std::string("Name  \0junk", 11), 0),
       true,
       art.size(),
       "Name",
       {}},
      {"no end-of-file byte", art + Record("00", "T", 0), true, art.size(), "T", {}},
      {"version 01", art + "\x1a" + Record("01", "Tit", 0), false, art.size() + 129, "", {}},
      {"shorter than a record", Record("00", "Tit", 0).substr(0, 127), false, 127, "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TSauce sauce;
    size_t contentEnd = 0;
    EXPECT_EQ(ParseSauce(Bytes(c.File), sauce, contentEnd), c.Found);
    EXPECT_EQ(contentEnd, c.ContentEnd);
    if (!c.Found) continue;
    EXPECT_EQ(sauce.Title, c.Title);
    EXPECT_EQ(sauce.Comments, c.Comments);
    EXPECT_EQ(sauce.Author, "Artist");
    EXPECT_EQ(sauce.Date, "19970610");
    EXPECT_EQ(sauce.Font, "IBM VGA");
    EXPECT_EQ(sauce.FileSize, 12345u);
    EXPECT_EQ(
        std::vector<int>({sauce.TInfo1, sauce.TInfo2, sauce.TInfo3, sauce.TInfo4, sauce.Flags}),
        std::vector<int>({80, 1000, 2, 256, 0x13}));
  }
}

TEST(Sauce, WritesOneTrailerAndKeepsTheContent) {
  const TTempDir dir;
  // The last row ends without a line end: three rows in the picture.
  const std::string art = "\x1b[31mone\r\ntwo\r\nthree";
  const std::string path = dir.Write("art.ans", art);
  std::string why;
  TSauceEdit edit;
  edit.Title = "First";
  edit.Today = "20240229";
  ASSERT_TRUE(WriteSauceFile(path, edit, why)) << why;

  TSauceEdit second;
  second.Author = "Someone";
  second.Comments = std::vector<std::string>{"a comment"};
  second.Today = "20991231";
  ASSERT_TRUE(WriteSauceFile(path, second, why)) << why;
  TSauceEdit third;
  third.Group = "Group";
  ASSERT_TRUE(WriteSauceFile(path, third, why)) << why;

  const std::vector<uint8_t> file = ReadFileBytes(path);
  ASSERT_EQ(file.size(), art.size() + 1 + 5 + 64 + 128);
  EXPECT_EQ(std::string(file.begin(), file.begin() + art.size()), art);
  TSauce sauce;
  size_t contentEnd = 0;
  ASSERT_TRUE(ParseSauce(file, sauce, contentEnd));
  EXPECT_EQ(contentEnd, art.size());
  TSauce want;
  want.Title = "First";
  want.Author = "Someone";
  want.Group = "Group";
  want.Date = "20240229";
  want.FileSize = static_cast<uint32_t>(art.size());
  want.DataType = want.FileType = 1;
  want.TInfo1 = 80;
  want.TInfo2 = 3;
  want.Comments = {"a comment"};
  EXPECT_EQ(sauce, want);
}

TEST(Sauce, RefusesTextsThatDoNotFit) {
  const TTempDir dir;
  const std::string art = std::string("art\x1a", 4) + Record("00", "Old", 0);
  const std::string path = dir.Write("art.ans", art);
  const struct {
    std::string Title;
    std::string Date;
    std::vector<std::string> Comments;
    const char* Why;
  } cases[] = {
      {std::string(36, 'T'), "20240101", {}, "the title has 36 characters; it holds at most 35"},
      {"ok", "2024-1-1", {}, "the date '2024-1-1' is not CCYYMMDD (8 digits)"},
      {"ok", "20240101", {"fine", std::string(65, 'c')}, "comment line 2 has 65 characters"},
  };
  for (const auto& c : cases) {
    TSauceEdit edit;
    edit.Title = c.Title;
    edit.Date = c.Date;
    edit.Comments = c.Comments;
    std::string why;
    EXPECT_FALSE(WriteSauceFile(path, edit, why));
    EXPECT_NE(why.find(c.Why), std::string::npos) << why;
  }
  EXPECT_EQ(ReadFileBytes(path), Bytes(art)) << "nothing was written";
}

TEST(Sauce, FontFilesGetARecordWithoutAType) {
  const TTempDir dir;
  const std::string font = "\x13TheDraw FONTS file\x1a";
  const std::string path = dir.Write("font.tdf", font);
  TSauceEdit edit;
  edit.Title = "Fonts";
  edit.Today = "20240101";
  edit.IsFontFile = HasFontSignature;
  std::string why;
  ASSERT_TRUE(WriteSauceFile(path, edit, why)) << why;
  TSauce sauce;
  size_t contentEnd = 0;
  ASSERT_TRUE(ParseSauce(ReadFileBytes(path), sauce, contentEnd));
  EXPECT_EQ(contentEnd, font.size());
  EXPECT_EQ(sauce.FileSize, font.size());
  EXPECT_EQ(sauce.DataType + sauce.FileType + sauce.TInfo1 + sauce.TInfo2, 0);
}

TEST(Sauce, TheRecordIsNoPartOfThePictureEvenWithoutAnEndOfFileByte) {
  const TTempDir dir;
  for (const std::string& separator : {std::string(), std::string("\x1a")}) {
    const std::string path = dir.Write("art.ans", "AB" + separator + Record("00", "Art", 0));
    auto picture = std::make_unique<TMsgBaseAnsi>();
    int error = 0;
    ASSERT_TRUE(LoadAnsiFile(path, *picture, error));
    EXPECT_EQ(picture->Picture().At(1, 0).Ch, 'B');
    EXPECT_EQ(picture->Picture().At(2, 0).Ch, 0) << "the record was drawn";
    EXPECT_EQ(picture->Lines(), 1);
  }
}

}  // namespace
