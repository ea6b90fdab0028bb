#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WidgetFixture.h"
#include "util/Numbers.h"
#include "widgets/MenuList.h"

namespace {

using TRows = std::vector<std::string>;

// Track rows of the 10-row list at (1, 1)..(20, 12), thumb at pos.
std::string Track(int pos) {
  std::string track;
  for (int i = 0; i < 10; ++i) track += i == pos ? "▓" : "░";
  return track;
}

class MenuListTest : public WidgetTest {
 protected:
  // Items "Item 001".."Item 100".
  void FillHundred() {
    for (int i = 1; i <= 100; ++i) List.Add("Item " + NumToStr2(i / 10) + NumToStr(i % 10), 0);
  }
  // Notes the list's state and what the status hook receives before every key read.
  void NoteState() {
    List.StatusProc = [this](uint16_t num, std::string_view str) {
      Seen.push_back({List.Picked, List.Top, static_cast<int>(num), std::string(str)});
    };
  }
  std::string TrackNow() const {
    std::string track;
    for (const std::string& row : Glyphs(Con.Screen, 20, 2, 20, 11)) track += row;
    return track;
  }

  struct TSeen {
    int32_t Picked;
    int32_t Top;
    int Num;
    std::string Str;
  };
  TMenuList List{Con};
  std::vector<TSeen> Seen;
};

TEST_F(MenuListTest, NavigatesAHundredItems) {
  FillHundred();
  struct TMove {
    std::vector<int> Key;
    int32_t Picked, Top;
    int Thumb;  // track row of the thumb, 0..9
  };
  const std::vector<TMove> moves = {
      {{0, 80}, 2, 1, 0},     // Down
      {{0, 81}, 12, 11, 1},   // PgDn
      {{0, 72}, 11, 11, 1},   // Up inside the window
      {{0, 72}, 10, 10, 1},   // Up from the first row scrolls
      {{0, 75}, 1, 1, 0},     // Left pages up
      {{0, 79}, 100, 91, 9},  // End
      {{0, 80}, 100, 91, 9},  // Down at the end
      {{0, 73}, 90, 81, 9},   // PgUp
      {{0, 77}, 100, 91, 9},  // Right pages down
      {{0, 72}, 99, 91, 9},   // Up
      {{0, 71}, 1, 1, 0},     // Home
      {{'5'}, 5, 1, 0},       // search "5" from item 2 on
      {{'0'}, 50, 41, 5},     // "50" scrolls the hit into the last row
      {{0, 73}, 40, 31, 4},   // PgUp ends the search
      {{'4'}, 40, 31, 4},     // a new one: item 40 holds a "4" and stays
      {{'9'}, 49, 40, 4},     // "49" scrolls to show item 49 in the last row
  };
  std::vector<std::string> tracks;
  List.StatusProc = [&](uint16_t, std::string_view) {
    Seen.push_back({List.Picked, List.Top, 0, ""});
    tracks.push_back(TrackNow());
  };
  for (const TMove& m : moves) Con.Steps.emplace_back(m.Key.begin(), m.Key.end());
  Step({27});
  List.Execute(1, 1, 20, 12);

  ASSERT_EQ(Seen.size(), moves.size() + 1);
  EXPECT_EQ(tracks[0], Track(0));
  for (size_t i = 0; i < moves.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Seen[i + 1].Picked, moves[i].Picked);
    EXPECT_EQ(Seen[i + 1].Top, moves[i].Top);
    EXPECT_EQ(tracks[i + 1], Track(moves[i].Thumb));
  }
  EXPECT_EQ(List.LastKey, 27);
  EXPECT_EQ(Glyphs(Con.Screen, 1, 1, 20, 12),
            (TRows{"█▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▄", "█ Item 040         ░", "█ Item 041         ░",
                   "█ Item 042         ░", "█ Item 043         ░", "█ Item 044         ▓",
                   "█ Item 045         ░", "█ Item 046         ░", "█ Item 047         ░",
                   "█ Item 048         ░", "█ Item 049         ░", "▀▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄█"}));
  // The bar on item 49, the rows above in ItemColor, the track in the frame's Color2.
  EXPECT_EQ(Colours(Con.Screen, 1, 10, 20, 11),
            (TRows{"Wiiiiiiiiiiiiiiiiiid", "WBBBBBBBBBBBBBBBBBBd"}));
}

TEST_F(MenuListTest, TypeAheadSearchAndItsDisplay) {
  for (const char* item : {"alpha", "green", "red"}) List.Add(item, 0);
  struct TKey {
    std::vector<int> Key;
    int32_t Picked;
    std::string Shown;  // the search display while the next key is awaited
  };
  const std::string edge = "▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄";  // 17 bottom-edge cells
  const std::vector<TKey> keys = {
      {{'r'}, 2, "[r]▄▄▄▄▄▄▄▄▄▄▄▄▄▄"},  // alpha holds no "r": the first item that does
      {{'e'}, 2, "[re]▄▄▄▄▄▄▄▄▄▄▄▄▄"},  // green still matches: the highlight stays
      {{'x'}, 2, "[rex]▄▄▄▄▄▄▄▄▄▄▄▄"},  // no hit: the highlight stays
      {{8}, 2, "[re]▄▄▄▄▄▄▄▄▄▄▄▄▄"},
      {{1}, 3, "[re]▄▄▄▄▄▄▄▄▄▄▄▄▄"},     // Ctrl+A: the next hit
      {{0, 1}, 2, "[re]▄▄▄▄▄▄▄▄▄▄▄▄▄"},  // Ctrl+A as the console delivers it, wrapping
      {{25}, 2, edge},                   // Ctrl+Y ends the search and erases the display
      {{'a'}, 1, "[a]▄▄▄▄▄▄▄▄▄▄▄▄▄▄"},   // the first hit is above
      {{0, 25}, 1, edge},
      {{'l'}, 1, "[l]▄▄▄▄▄▄▄▄▄▄▄▄▄▄"},  // alpha holds an "l": it stays
      {{2}, 1, edge},                   // an ignored control key ends the search too
      {{'G'}, 2, "[g]▄▄▄▄▄▄▄▄▄▄▄▄▄▄"},
      {{0, 80}, 3, edge},  // and so does a navigation key
      {{'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm', 'n', 'o', 'p', 'q'},
       1,
       "[cdefghijklmnopq]"},  // "a" finds alpha; the display keeps the last 15 characters
  };
  for (const TKey& k : keys) Con.Steps.emplace_back(k.Key.begin(), k.Key.end());
  Step("\r");
  List.Execute(10, 5, 30, 9);

  // Three items in three rows: the highlighted row tells the item.
  const auto picked = [](const TCellGrid& shot) {
    for (int row = 6; row <= 8; ++row)
      if (Colours(shot, 11, row, 11, row)[0] == "B") return row - 5;
    return 0;
  };
  EXPECT_EQ(Glyphs(Shot(0), 12, 9, 28, 9), TRows{edge});
  for (size_t i = 0; i < keys.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(picked(Shot(i + 1)), keys[i].Picked);
    EXPECT_EQ(Glyphs(Shot(i + 1), 12, 9, 28, 9), TRows{keys[i].Shown});
  }
  EXPECT_EQ(List.LastKey, 13);
  EXPECT_EQ(Glyphs(Con.Screen, 12, 9, 28, 9), TRows{edge});  // erased when the run ends
}

TEST_F(MenuListTest, RunsAgainWhereItWasAndAlwaysShowsTheThumb) {
  FillHundred();
  Step({0, 79});
  Step({27});
  List.Execute(1, 1, 20, 12);
  EXPECT_EQ(TrackNow(), Track(9));

  // A second run on the same item redraws the track; the thumb must come back.
  Step({27});
  List.Execute(1, 1, 20, 12);
  EXPECT_EQ(Glyphs(Shot(2), 20, 2, 20, 11),
            (TRows{"░", "░", "░", "░", "░", "░", "░", "░", "░", "▓"}));
  EXPECT_EQ(Glyphs(Shot(2), 2, 11, 10, 11), TRows{" Item 100"});
  EXPECT_EQ(List.Picked, 100);
  EXPECT_EQ(List.Top, 91);

  // Display only: the track and thumb without items, then the caller's DrawList.
  FillBackground();
  List.NoInput = true;
  List.Execute(1, 1, 20, 12);
  EXPECT_EQ(Glyphs(Con.Screen, 2, 2, 19, 2), TRows{"                  "});
  EXPECT_EQ(TrackNow(), Track(9));
  Con.PutCell(20, 11, 'x', 7);  // a caller painting over the thumb
  List.DrawList();
  EXPECT_EQ(TrackNow(), Track(9));
  EXPECT_EQ(Glyphs(Con.Screen, 2, 2, 10, 2), TRows{" Item 091"});

  // A Picked beyond a refilled list starts over at the top.
  List.Clear();
  for (const char* item : {"alpha", "green", "red"}) List.Add(item, 0);
  List.Execute(1, 1, 20, 12);
  EXPECT_EQ(List.Picked, 1);
  EXPECT_EQ(List.Top, 1);
}

TEST_F(MenuListTest, HooksAndShortLists) {
  for (const char* item : {"alpha", "green", "red"}) List.Add(item, 0);
  NoteState();
  std::vector<std::string> searches;
  List.SearchProc = [&](TMenuList& owner, std::string_view text) {
    EXPECT_EQ(&owner, &List);
    searches.emplace_back(text);
  };
  Step({0, 81});  // three items in ten rows: PgDn goes to the last, Top stays
  Step({0, 71});
  Step("re");
  Step({0, 80});
  Step("\r");
  FillBackground();
  List.Execute(1, 1, 20, 12);
  ASSERT_EQ(Seen.size(), 6u);
  EXPECT_EQ(Seen[1].Top, 1);
  std::vector<std::pair<int, std::string>> status;
  for (const TSeen& seen : Seen) status.emplace_back(seen.Num, seen.Str);
  EXPECT_EQ(status,
            (std::vector<std::pair<int, std::string>>{
                {1, "alpha"}, {3, "red"}, {1, "alpha"}, {2, "green"}, {2, "green"}, {3, "red"}}));
  EXPECT_EQ(searches, (std::vector<std::string>{"R", "RE", ""}));
  // The caller's search display replaces the built-in one.
  EXPECT_EQ(Glyphs(Con.Screen, 1, 12, 20, 12), TRows{"▀▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄█"});

  // An empty list runs, shows blank rows and keeps Picked at 1.
  List.Clear();
  Seen.clear();
  Step({0, 81, 0, 80, 0, 79, 0, 72, 'x', 27});
  List.Execute(1, 1, 20, 12);
  EXPECT_EQ(List.Picked, 1);
  ASSERT_EQ(Seen.size(), 6u);
  for (const TSeen& seen : Seen)
    EXPECT_EQ(std::make_pair(seen.Num, seen.Str), std::make_pair(1, std::string()));
  EXPECT_EQ(Glyphs(Con.Screen, 1, 2, 20, 2), TRows{"█                  ░"});
  EXPECT_EQ(Colours(Con.Screen, 2, 2, 19, 2), TRows{"iiiiiiiiiiiiiiiiii"});
}

TEST_F(MenuListTest, MarksItemsWithTheMarkKey) {
  List.Add("one", 0);
  List.Add("two", 2);
  List.Add("three", 1);
  List.Marking = true;
  EXPECT_EQ(List.MarkCount, 1);
  Step({'\t'});  // marks "one" and moves down
  Step({'\t'});  // "two" cannot be marked: the key is ignored
  Step({0, 80});
  Step({'\t'});  // unmarks "three", the last item
  Step({'\r'});
  List.Execute(10, 5, 30, 9);
  EXPECT_EQ(Glyphs(Shot(1), 11, 6, 13, 8), (TRows{"*on", " tw", "*th"}));
  EXPECT_EQ(Colours(Shot(1), 11, 6, 12, 8), (TRows{"Wi", "WB", "Wi"}));
  EXPECT_EQ(Glyphs(Con.Screen, 11, 6, 11, 8), (TRows{"*", " ", " "}));
  EXPECT_EQ(List.Items[1].Flag, 1);
  EXPECT_EQ(List.Items[2].Flag, 2);
  EXPECT_EQ(List.Items[3].Flag, 0);
  EXPECT_EQ(List.MarkCount, 1);
  EXPECT_EQ(List.Picked, 3);
}

TEST_F(MenuListTest, NoBoxAlignmentAndExitKeys) {
  struct TCase {
    uint8_t Align;
    std::string ExitKeys, ExtExitKeys;
    std::vector<int> Keys;
    uint8_t LastKey;
    TRows Rows;  // columns 10..20, rows 5..8: the frame is never drawn
  };
  const std::vector<TCase> cases = {
      {1,
       "\r\x1b",
       "\x4b",  // Left ends the run instead of paging
       {0, 75},
       75,
       {"01234567890", "0      ab 0", "0       c 0", "01234567890"}},
      {2, "\t", "", {'\r', '\t'}, 9, {"01234567890", "0   ab    0", "0    c    0", "01234567890"}},
  };
  for (const TCase& c : cases) {
    TMenuList list(Con);
    list.Add("ab", 0);
    list.Add("c", 0);
    list.NoBox = true;
    list.ScrollBar = false;
    list.Align = c.Align;
    list.ExitKeys = c.ExitKeys;
    list.ExtExitKeys = c.ExtExitKeys;
    Con.Steps.emplace_back(c.Keys.begin(), c.Keys.end());
    FillBackground();
    list.Execute(10, 5, 20, 8);
    EXPECT_EQ(list.LastKey, c.LastKey);
    EXPECT_EQ(list.Picked, 1);
    EXPECT_EQ(Glyphs(Con.Screen, 10, 5, 20, 8), c.Rows);
  }
}

}  // namespace
