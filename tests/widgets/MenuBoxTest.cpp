#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "WidgetFixture.h"
#include "widgets/MenuBox.h"

namespace {

using TRows = std::vector<std::string>;

class MenuBoxTest : public WidgetTest {};

struct TRect {
  int X1, Y1, X2, Y2;
};

struct TBoxCase {
  const char* Name;
  std::function<void(TMenuBox&)> Setup;
  TRect At;
  TRows Glyphs;   // columns X1..X2+2, rows Y1..Y2+1: room for the shadow
  TRows Colours;  // empty: not compared
};

// A frame of one style with no shadow.
std::function<void(TMenuBox&)> Plain(uint8_t style) {
  return [style](TMenuBox& b) {
    b.FrameStyle = style;
    b.Shadow = false;
  };
}

TEST_F(MenuBoxTest, FramesColoursAndShadows) {
  const std::vector<TBoxCase> cases = {
      {"theme: raised blocks, centred title, shadow keeps the digits",
       [](TMenuBox& b) { b.Title = "Hi"; },
       {3, 2, 10, 5},
       {"█▀▀Hi▀▀▄12", "█      █12", "█      █12", "▀▄▄▄▄▄▄█12", "3456789012"},
       {"WWWBBWWdee", "WWWWWWWdkk", "WWWWWWWdkk", "Wdddddddkk", "eekkkkkkkk"}},
      {"theme sunken: light and dark sides swap",
       [](TMenuBox& b) {
         b.Sunken = true;
         b.Shadow = false;
       },
       {3, 2, 10, 5},
       {"█▀▀▀▀▀▀▄12", "█      █12", "█      █12", "▀▄▄▄▄▄▄█12", "3456789012"},
       {"dddddddWee", "dddddddWee", "dddddddWee", "dWWWWWWWee", "eeeeeeeeee"}},
      {"dialog look",
       [](TMenuBox& b) {
         SetDialogLook(b);
         b.Title = "Ti";
       },
       {3, 2, 9, 4},
       {"┌Ti───┐01", "│     │01", "└─────┘01", "345678901"},
       {"kcckkkwee", "kkkkkkkkk", "gkkkkkkkk", "eekkkkkkk"}},
      {"without 3-D every part in Color",
       [](TMenuBox& b) {
         b.FrameStyle = 2;
         b.Use3D = false;
         b.Color = 0x70;
         b.Shadow = false;
       },
       {3, 2, 10, 4},
       {"╔══════╗12", "║      ║12", "╚══════╝12", "3456789012"},
       {"bbbbbbbbee", "bbbbbbbbee", "bbbbbbbbee", "eeeeeeeeee"}},
      {"style 3", Plain(3), {3, 2, 8, 4}, {"╓────╖90", "║    ║90", "╙────╜90", "34567890"}, {}},
      {"style 4", Plain(4), {3, 2, 8, 4}, {"╒════╕90", "│    │90", "╘════╛90", "34567890"}, {}},
      {"style 5", Plain(5), {3, 2, 8, 4}, {"█▀▀▀▀█90", "█    █90", "█▄▄▄▄█90", "34567890"}, {}},
      {"style 7", Plain(7), {3, 2, 8, 4}, {"      90", "      90", "      90", "34567890"}, {}},
      {"style 8", Plain(8), {3, 2, 8, 4}, {".----.90", "|    |90", "`----'90", "34567890"}, {}},
      {"adjacent rows and columns: corners only",
       Plain(1),
       {3, 2, 4, 3},
       {"┌┐56", "└┘56", "3456"},
       {}},
  };
  for (const TBoxCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FillBackground();
    TMenuBox box(Con);
    c.Setup(box);
    const TRect& r = c.At;
    box.Box(r.X1, r.Y1, r.X2, r.Y2);
    EXPECT_EQ(Glyphs(Con.Screen, r.X1, r.Y1, r.X2 + 2, r.Y2 + 1), c.Glyphs);
    if (!c.Colours.empty()) {
      EXPECT_EQ(Colours(Con.Screen, r.X1, r.Y1, r.X2 + 2, r.Y2 + 1), c.Colours);
    }
    if (!box.Use3D) {
      EXPECT_EQ(box.Color2, box.Color);
      EXPECT_EQ(box.Color3, box.Color);
      EXPECT_EQ(box.Color4, box.Color);
    }
  }
}

TEST_F(MenuBoxTest, TitleAlignments) {
  struct TTitleCase {
    uint8_t Align;
    const char* Top;
    const char* TopColours;
  };
  const std::vector<TTitleCase> cases = {
      {0, "┌──ab──┐", "WWWBBWWd"}, {1, "┌ab────┐", "WBBWWWWd"}, {2, "┌────ab┐", "WWWWWBBd"},
      {3, "   ab   ", "BBBBBBBB"}, {4, "ab      ", "BBBBBBBB"}, {5, "      ab", "BBBBBBBB"},
  };
  for (const TTitleCase& c : cases) {
    SCOPED_TRACE(c.Align);
    TMenuBox box(Con);
    box.FrameStyle = 1;
    box.Shadow = false;
    box.Title = "ab";
    box.TitleAlign = c.Align;
    box.Box(3, 2, 10, 3);
    EXPECT_EQ(Glyphs(Con.Screen, 3, 2, 10, 2), TRows{c.Top});
    EXPECT_EQ(Colours(Con.Screen, 3, 2, 10, 2), TRows{c.TopColours});
  }
  // An odd spare column goes to the right of a centred title.
  TMenuBox box{Con};
  box.FrameStyle = 1;
  box.Title = "abc";
  box.Box(3, 2, 10, 3);
  EXPECT_EQ(Glyphs(Con.Screen, 3, 2, 10, 2), TRows{"┌─abc──┐"});
}

TEST_F(MenuBoxTest, CloseRestoresTheScreenFromBeforeTheFirstBox) {
  FillBackground();
  const TCellGrid before = Con.Screen;
  TMenuBox box{Con};
  box.Box(3, 2, 20, 8);
  box.Title = "moved";
  box.Box(30, 10, 60, 20);
  box.Close();
  EXPECT_TRUE(Con.Screen == before);

  // A box never drawn has nothing to put back.
  box.Box(3, 2, 20, 8);
  const TCellGrid drawn = Con.Screen;
  TMenuBox idle{Con};
  idle.Close();
  EXPECT_TRUE(Con.Screen == drawn);
}

TEST_F(MenuBoxTest, BoxInTheBottomRightCornerNeitherScrollsNorShadesItsEdge) {
  FillBackground();
  TMenuBox box{Con};
  box.FrameStyle = 1;
  box.Box(75, 22, 80, 25);
  EXPECT_EQ(Glyphs(Con.Screen, 73, 21, 80, 25),
            (TRows{"34567890", "34┌────┐", "34│    │", "34│    │", "34└────┘"}));
  EXPECT_EQ(Glyphs(Con.Screen, 1, 1, 10, 1), TRows{"1234567890"});
}

}  // namespace
