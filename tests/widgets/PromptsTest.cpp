#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WidgetFixture.h"
#include "widgets/LineEditor.h"
#include "widgets/Prompts.h"

namespace {

using TRows = std::vector<std::string>;

class PromptsTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    FillBackground();
    Con.GotoXY(5, 6);
    Con.SetTextAttr(0x1E);
  }
  // Dialogs put back the cursor and the attribute they found.
  void ExpectCursorAndAttrKept() const {
    EXPECT_EQ(Con.WhereX(), 5);
    EXPECT_EQ(Con.WhereY(), 6);
    EXPECT_EQ(Con.GetTextAttr(), 0x1E);
  }
};

TEST_F(PromptsTest, MessageBoxWithOkDrawsTheDialogLookAndPutsTheScreenBack) {
  const TCellGrid before = Con.Screen;
  Step("xyz");  // type-ahead after the first key is dropped
  EXPECT_TRUE(MessageBox(Con, 0, "Info", "Hello"));
  EXPECT_EQ(Glyphs(Shot(0), 36, 10, 46, 16),
            (TRows{"┌Info───┐56", "│       │56", "│ Hello │56", "│       │56", "│  OK   │56",
                   "└───────┘56", "67890123456"}));
  EXPECT_EQ(Colours(Shot(0), 36, 10, 46, 16),
            (TRows{"kcccckkkwee", "kkkkkkkkkkk", "kkgggggkkkk", "kkkkkkkkkkk", "kkbbbbkkkkk",
                   "gkkkkkkkkkk", "eekkkkkkkkk"}));
  EXPECT_TRUE(Con.Screen == before);
  ExpectCursorAndAttrKept();
}

TEST_F(PromptsTest, MessageBoxPlacesLongTextsAndCutsTooLongOnes) {
  const std::string forty(40, 'x');
  Step("\r");
  MessageBox(Con, 0, "", forty);
  const std::string gap(19, ' ');
  EXPECT_EQ(Glyphs(Shot(0), 19, 14, 62, 14), TRows{"│" + gap + " OK " + gap + "│"});

  // Mode 2 reads no key and leaves the box on the screen.
  EXPECT_TRUE(MessageBox(Con, 2, "", forty));
  std::string top;
  for (int i = 0; i < 42; ++i) top += "─";
  EXPECT_EQ(Glyphs(Con.Screen, 18, 10, 63, 10), TRows{"8┌" + top + "┐3"});
  EXPECT_EQ(Glyphs(Con.Screen, 19, 14, 19, 15), (TRows{"└", "9"}));
  ExpectCursorAndAttrKept();

  // 72 characters fill columns 3..78 and the shadow ends at 80; more is cut.
  MessageBox(Con, 2, "", std::string(72, 'a') + "bcdefgh");
  EXPECT_EQ(Glyphs(Con.Screen, 2, 12, 80, 12), TRows{"2│ " + std::string(72, 'a') + " │90"});
}

TEST_F(PromptsTest, YesNoMessageBoxKeys) {
  struct TCase {
    std::vector<std::vector<int>> Steps;
    bool Result;
    const char* Shown;  // the selection on screen at each wait
  };
  const std::vector<TCase> cases = {
      {{{'\r'}}, true, "Y"},
      {{{'y'}}, true, "Y"},
      {{{'N'}}, false, "Y"},
      {{{0, 77}, {'\r'}}, false, "YN"},
      {{{0, 77}, {0, 75}, {'Y'}}, true, "YNY"},
      {{{' '}, {' '}, {'n'}}, false, "YNY"},
      // Esc, other extended keys and other letters change nothing.
      {{{27}, {0, 72}, {'q'}, {'\r'}}, true, "YYYY"},
  };
  for (const TCase& c : cases) {
    Con.Waits.clear();
    for (const auto& step : c.Steps) Con.Steps.emplace_back(step.begin(), step.end());
    const TCellGrid before = Con.Screen;
    EXPECT_EQ(MessageBox(Con, 1, "Question", "Are you sure?"), c.Result);
    std::string shown;
    for (const TWaitShot& w : Con.Waits) {
      // " YES " at 36..40 and " NO " at 41..44 (13 characters: box from column 32).
      const TRows buttons = Colours(w.Cells, 36, 14, 44, 14);
      shown += buttons[0] == "WWWWWkkkk" ? 'Y' : buttons[0] == "kkkkkbbbb" ? 'N' : '?';
    }
    EXPECT_EQ(shown, c.Shown);
    EXPECT_EQ(Glyphs(Con.Waits[0].Cells, 36, 14, 44, 14), TRows{" YES  NO "});
    EXPECT_TRUE(Con.Screen == before);
    ExpectCursorAndAttrKept();
  }
}

TEST_F(PromptsTest, PanelBoxDrawsARaisedPanelWithTitleBarAndSunkenFrame) {
  PanelBox(Con, 3, 2, 12, 7, 1);
  EXPECT_EQ(Glyphs(Con.Screen, 3, 2, 14, 8),
            (TRows{"▄▄▄▄▄▄▄▄▄▄34", "▌        ▐34", "▌┌──────┐▐34", "▌│      │▐34", "▌└──────┘▐34",
                   "▀▀▀▀▀▀▀▀▀▀34", "345678901234"}));
  EXPECT_EQ(Colours(Con.Screen, 3, 2, 14, 8),
            (TRows{"BBBBBBBBBBee", "Buuuuuuuuuee", "WdddddddWdee", "WdddddddWdee", "WdWWWWWWWdee",
                   "uuuuuuuuuuee", "eeeeeeeeeeee"}));
  EXPECT_EQ(Con.GetTextAttr(), 7);
}

TEST_F(PromptsTest, InputBoxDrawsItsFrameAndEnterTakesTheText) {
  Con.SetTextAttr(7);
  std::string text;
  Step("abc");
  Step("\r");
  EXPECT_TRUE(InputBox(Con, 15, 12, 67, 17, "Enter Filename:", text));
  EXPECT_EQ(text, "abc");

  EXPECT_EQ(Glyphs(Shot(0), 15, 12, 69, 16),
            (TRows{"▄█▀▀▀▀▀▓▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀▀ ▀▀▀▒▒▀▀▀▀▀█▄",
                   "▓ ▄Enter Filename:              ███████████████████▄ █9",
                   "█  ░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░789",
                   "█ ▀█████████████████ OK ████ Cancel ███████████████▀ █9",
                   "▀█▄▄▄▄ ▄▓▓▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄▄░▄▄▄▄▄▄▄░▀9"}));
  EXPECT_EQ(Colours(Shot(0), 15, 12, 69, 16),
            (TRows{"wwwwgwggggggkgkkkkkkkkkkkkkkkkkkkkkkkgkkkkkkkkkkkkkkkkk",
                   "g0gWWWWWWWWWWWWWWWbbbbbbbbbbbbbbgggggggggggggggggggg0ke",
                   "k0bdddddddddddddddddddddddddddddddddddddddddddddddddeee",
                   "k0ggggggggggggggggggYYYYggggddddddddgggggggggggggggg0we",
                   "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkgkkgkgbggwwgwwbwe"}));
}

TEST_F(PromptsTest, InputBoxKeys) {
  struct TCase {
    std::vector<int> Keys;
    bool Result;
    const char* Text;
  };
  const std::vector<TCase> cases = {
      {{'\r'}, true, "old.txt"},
      {{8, 8, 8, 'a', 'n', 's', '\r'}, true, "old.ans"},
      {{'x', 27}, false, "old.txt"},  // Esc leaves the text as it was
      // Tab does not end the editing.
      {{'\t', 'y', '\r'}, true, "y"},
  };
  for (const TCase& c : cases) {
    Con.Steps.emplace_back(c.Keys.begin(), c.Keys.end());
    std::string text = "old.txt";
    EXPECT_EQ(InputBox(Con, 15, 12, 67, 17, "Name:", text), c.Result);
    EXPECT_EQ(text, c.Text);
    ExpectCursorAndAttrKept();
  }
}

}  // namespace
