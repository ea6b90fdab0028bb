#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ansi/SauceFile.h"
#include "screens/AnsiViewer.h"
#include "support/TempDir.h"
#include "support/WaitingConsole.h"

namespace {

// The help box of the viewer (F1) names the file's title, author, group and
// date below the keys; a file without a record leaves them empty.
TEST(SauceViewer, HelpBoxShowsTheRecord) {
  const auto row = [](std::string text) {
    text.resize(41, ' ');
    return text;
  };
  const struct {
    bool Labelled;
    std::vector<std::string> Rows;  // screen rows 15..18, columns 10..50
  } cases[] = {
      {true,
       {row("Title  : Sunset \x01"), row("Author : Artist"), row("Group  : Crew"),
        row("Date   : 19990101")}},
      {false, std::vector<std::string>(4, row(""))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Labelled);
    const TTempDir dir;
    const std::string path = dir.Write("art.ans", "\x1b[44msky\r\n");
    if (c.Labelled) {
      TSauceEdit edit;
      edit.Title = "Sunset \x01";  // a picture character, not a movement
      edit.Author = "Artist";
      edit.Group = "Crew";
      edit.Date = "19990101";
      std::string why;
      ASSERT_TRUE(WriteSauceFile(path, edit, why)) << why;
    }
    TWaitingConsole con;
    con.Steps = {{0, 59}, {27}, {27}};  // F1, close the box, leave
    ShowAnsiFile(con, path, 1, 24);
    ASSERT_EQ(con.Waits.size(), 3u);
    ASSERT_EQ(con.Overruns, 0);
    std::vector<std::string> rows;
    for (int y = 15; y <= 18; ++y) rows.push_back(ShotText(con.Waits[1], y).substr(9, 41));
    EXPECT_EQ(rows, c.Rows);
    if (c.Labelled) {
      EXPECT_EQ(ShotAttrs(con.Waits[1], 15).substr(18, 2), "70");
    }
  }
}

}  // namespace
