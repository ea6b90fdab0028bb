#include <gtest/gtest.h>

#include <string>

#include "ansi/ArtPicture.h"

namespace {

// The picture's characters, a row a line, "." for a cell never stored.
std::string Drawn(const TArtPicture& picture) {
  std::string out;
  for (int y = 0; y < picture.Rows(); ++y) {
    for (const TScreenChar& cell : picture.Row(y))
      out += cell.Ch ? static_cast<char>(cell.Ch) : '.';
    out += '\n';
  }
  return out;
}

TScreenChar Cell(char ch) {
  return {static_cast<uint8_t>(ch), 7};
}

TEST(ArtPicture, RunsStopAtTheWidthAndRowsStartBlank) {
  TArtPicture picture(5);
  picture.PutRun(1, 0, 3, Cell('a'));
  picture.PutRun(3, 1, 10, Cell('b'));
  picture.PutRun(-1, 2, 2, Cell('x'));  // outside: nothing, no row
  picture.PutRun(0, 3, 1, Cell('c'));
  EXPECT_EQ(picture.PutRows(5, 2, Cell('w')), 2u);
  EXPECT_EQ(Drawn(picture), ".aaa.\n...bb\n.....\nc....\n.....\nwwwww\nwwwww\n");
}

TEST(ArtPicture, WholeRowsStopAtTheCellLimit) {
  const size_t lastRows = kArtMaxCells / kArtMaxWidth;
  TArtPicture picture(kArtMaxWidth);
  EXPECT_EQ(picture.PutRows(lastRows - 3, 10, Cell('z')), 3u);
  EXPECT_EQ(picture.Rows(), static_cast<int>(lastRows));
  EXPECT_EQ(picture.At(kArtMaxWidth - 1, picture.Rows() - 1), Cell('z'));
  EXPECT_EQ(picture.PutRows(lastRows, 1, Cell('z')), 0u);
  EXPECT_EQ(picture.PutRows(-1, 1, Cell('z')), 0u);
}

// A run is filled by doubling copies: every length fills exactly its cells.
TEST(ArtPicture, RunsOfEveryLengthFillExactlyTheirCells) {
  for (const int count : {1, 2, 3, 4, 5, 7, 8, 9, 511, 1000, 1023}) {
    TArtPicture picture(kArtMaxWidth);
    picture.PutRun(1, 0, count, Cell('r'));
    const auto row = picture.Row(0);
    int stored = 0;
    for (const TScreenChar& cell : row) stored += cell == Cell('r');
    EXPECT_EQ(stored, count) << count;
    EXPECT_EQ(row[0], TScreenChar{}) << count;
    if (count < kArtMaxWidth - 1) {
      EXPECT_EQ(row[count + 1], TScreenChar{}) << count;
    }
  }
}

// The memory of a larger picture is kept for the next one, which must not
// show any of it: not in the rows it grows into, nor in its exact colours.
TEST(ArtPicture, AClearedPictureShowsNothingOfTheLastOne) {
  TArtPicture picture(4);
  picture.PutRun(0, 5, 4, Cell('o'));
  picture.Put(1, 2, Cell('t'), {{1, 2, 3}, {4, 5, 6}});
  picture.Clear();
  EXPECT_EQ(picture.Rows(), 0);
  EXPECT_FALSE(picture.HasTrueColor());
  picture.Put(3, 6, Cell('n'));
  picture.Put(0, 0, Cell('m'), {{9, 9, 9}, {0, 0, 0}});
  EXPECT_EQ(Drawn(picture), "m...\n....\n....\n....\n....\n....\n...n\n");
  EXPECT_EQ(picture.TrueColorAt(1, 2), TArtTrueColor{});
  EXPECT_EQ(picture.TrueColorAt(0, 0), (TArtTrueColor{{9, 9, 9}, {0, 0, 0}}));

  // A copy is equal, and stays apart from the picture it came from.
  TArtPicture copy = picture;
  EXPECT_EQ(copy, picture);
  copy.Put(2, 2, Cell('c'));
  EXPECT_NE(copy, picture);
  EXPECT_EQ(picture.At(2, 2), TScreenChar{});
}

}  // namespace
