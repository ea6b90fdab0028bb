#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "WidgetFixture.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"
#include "widgets/DirectoryListing.h"
#include "widgets/FileDialog.h"
#include "widgets/LineEditor.h"

namespace {

namespace fs = std::filesystem;
using TRows = std::vector<std::string>;

constexpr int kDown = 80, kLeft = 75, kRight = 77;

std::string Cwd() {
  char buffer[PATH_MAX];
  return ::getcwd(buffer, sizeof buffer) ? buffer : "";
}

// Dialogs on a small tree: files a.tdf, b.tdf, notes.txt, .hidden.tdf and
// directories sub (holding deep.tdf) and .config.
class FileDialogTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    StartCwd = Cwd();
    for (const char* name : {"a.tdf", "b.tdf", "notes.txt", ".hidden.tdf"}) Tree.Write(name, "x");
    fs::create_directory(Tree.Path() / "sub");
    fs::create_directory(Tree.Path() / ".config");
    Tree.Write("sub/deep.tdf", "x");
    Root = Tree.Path().string() + "/";
  }
  void TearDown() override {
    EXPECT_EQ(Cwd(), StartCwd) << "the dialog did not put the current directory back";
    WidgetTest::TearDown();
  }

  // The screen at the i-th wait for a key, rows y1..y2 of the dialog's columns.
  TRows Picture(size_t i, int y1, int y2) const {
    if (i >= Con.Waits.size()) return {"no wait " + std::to_string(i)};
    return Glyphs(Shot(i), 6, y1, 74, y2);
  }
  // n cells from (x, y) at the i-th wait, as raw code-page bytes.
  std::string Cells(size_t i, int x, int y, int n) const {
    if (i >= Con.Waits.size()) return "no wait " + std::to_string(i);
    std::string cells;
    for (int c = x; c < x + n; ++c) cells += static_cast<char>(Shot(i).At(c - 1, y - 1).Ch);
    return cells;
  }
  // The screen before the dialog, to compare with the screen after it.
  void Prepare() {
    FillBackground();
    Con.SaveScreen(Before);
  }
  void ExpectScreenRestored() {
    TCellGrid after;
    Con.SaveScreen(after);
    EXPECT_EQ(after, Before);
  }

  TTempDir Tree;
  std::string Root;
  std::string StartCwd;
  TCellGrid Before;
};

TEST_F(FileDialogTest, OpenShowsTheLayoutAndReturnsThePickedFile) {
  Prepare();
  Step({0, kDown, 0, kDown});
  Step("\r");
  const std::string picked =
      OpenFileDialog(Con, " Load Font ", Tree.Path().string() + "///", "*.tdf");
  EXPECT_EQ(picked, Root + "b.tdf");
  ASSERT_EQ(Con.Waits.size(), 2u);
  // Hidden files match the mask too; "." is never listed, ".." always. The
  // tracks stand in columns 39 and 72, the thumbs on their first row.
  const std::string dir = Root + std::string(65 - Root.size(), ' ');
  EXPECT_EQ(Picture(0, 5, 13),
            (TRows{"┌ Load Font ────────────────────────────────────────────────────────┐",
                   "│ Directory                                                         │",
                   "│ " + dir + " │",
                   "│                                                                   │",
                   "│ Files (3)                        Directories (3)                  │",
                   "│  .hidden.tdf                   ▓  ..                            ▓ │",
                   "│  a.tdf                         ░  .config                       ░ │",
                   "│  b.tdf                         ░  sub                           ░ │",
                   "│                                ░                                ░ │"}));
  EXPECT_EQ(Picture(0, 19, 22),
            (TRows{"│                                                                   │",
                   "│ File Mask                                                         │",
                   "│ *.tdf                                                             │",
                   "└───────────────────────────────────────────────────────────────────┘"}));
  ExpectScreenRestored();
}

TEST_F(FileDialogTest, DirectoriesAreEnteredFromTheListAndTheField) {
  Prepare();
  Step("\t");                  // to the directories
  Step({0, kDown, 0, kDown});  // "sub"
  Step("\r");                  // enter it
  Step("\r");                  // enter ".."
  Step("\t");                  // to the mask field
  Step("\t");                  // to the directory field
  Step("\x19sub\r");  // Ctrl+Y clears it; a relative name is taken from the shown directory
  Step("\t");         // back to the files
  Step("\r");
  EXPECT_EQ(OpenFileDialog(Con, " Load Font ", Root, "*.tdf"), Root + "sub/deep.tdf");
  EXPECT_EQ(Cells(3, 8, 7, Root.size() + 5), Root + "sub/ ");
  EXPECT_EQ(Cells(3, 8, 10, 11), " deep.tdf  ");
  EXPECT_EQ(Cells(4, 8, 7, Root.size() + 1), Root + " ");
  EXPECT_EQ(Cells(4, 8, 9, 10), "Files (3) ");
  EXPECT_EQ(Cells(8, 8, 7, Root.size() + 5), Root + "sub/ ");
  ExpectScreenRestored();
}

TEST_F(FileDialogTest, TheMaskFieldChangesWhatIsListed) {
  Step({0, kRight});  // Right also moves to the directories
  Step("\t");
  Step("\x19*\r");  // every file
  Step("\x1b");
  EXPECT_EQ(OpenFileDialog(Con, " Select ", Root, "*.ans"), "");
  EXPECT_EQ(Cells(0, 8, 9, 10), "Files (0) ");
  EXPECT_EQ(Cells(3, 8, 9, 10), "Files (4) ");
  EXPECT_EQ(Cells(3, 8, 13, 11), " notes.txt ");
}

// Typing in a list goes to the bottom field; a path typed there goes to its
// folder, and what follows is a mask, or the file to open or save.
TEST_F(FileDialogTest, TypedNamesAndPathsGoToTheirFolders) {
  Step("sub\r");           // from the file list: a folder, entered
  Step(Root + "*.txt\r");  // an absolute folder with a mask
  Step("sub/deep.tdf\r");  // a folder and a file: opened
  EXPECT_EQ(OpenFileDialog(Con, " Load Font ", Root, "*.tdf"), Root + "sub/deep.tdf");
  EXPECT_EQ(Cells(1, 8, 7, Root.size() + 5), Root + "sub/ ");
  EXPECT_EQ(Cells(2, 8, 9, 10), "Files (1) ");
  EXPECT_EQ(Cells(2, 8, 21, 6), "*.txt\xB0");

  Step("sub/new.tdf\r");
  EXPECT_EQ(SaveFileDialog(Con, " Save ", "a.tdf", Root, "*.tdf"), Root + "sub/new.tdf");
  // A folder dialog starts in the folder list and takes the folder shown or typed.
  Step({0, kDown, 0, kDown});
  Step("\r");
  Step({0, kLeft});
  Step("\r");
  EXPECT_EQ(FolderDialog(Con, " Font Folder ", Root, "*.tdf"), Root + "sub/");
  Step("sub\r");
  EXPECT_EQ(FolderDialog(Con, " Font Folder ", Root, "*.tdf"), Root + "sub/");
}

TEST_F(FileDialogTest, EscapeFromEveryFocusLeavesNothingBehind) {
  const std::vector<std::vector<int>> leads = {
      {}, {'\t'}, {0, kRight, 0, kLeft}, {'\t', '\t'}, {'\t', '\t', '\t'}};
  for (const auto& lead : leads) {
    Prepare();
    for (const int key : lead) Step({key});
    Step("\x1b");
    EXPECT_EQ(OpenFileDialog(Con, " Load Font ", Root, "*.tdf"), "")
        << lead.size() << " keys first";
    ExpectScreenRestored();
    EXPECT_EQ(Con.WhereX(), 1);
  }
}

// Enter saves under the name shown, never over the first file of the list.
TEST_F(FileDialogTest, SaveStartsInTheNameFieldAndAsksBeforeOverwriting) {
  Step("\r");
  EXPECT_EQ(SaveFileDialog(Con, " Save Font As... ", "new.tdf", Root, "*.tdf"), Root + "new.tdf");
  EXPECT_EQ(Cells(0, 8, 20, 10), "File Name ");
  EXPECT_EQ(Cells(0, 8, 21, 8), "new.tdf\xB0");
  // The name selected (white on blue), no bar in the file list.
  EXPECT_EQ(Colours(Shot(0), 8, 21, 15, 21), TRows{"BBBBBBBw"});
  EXPECT_EQ(Colours(Shot(0), 8, 10, 10, 10), TRows{"ggg"});

  const std::string longName = std::string(70, 'x') + ".tdf";
  Tree.Write(longName, "x");
  Con.Waits.clear();
  Step("\r");           // it exists: the question, on NO
  Step("\r");           // NO: back in the field
  Step("typed.tdf\t");  // a typed name goes along through the lists
  Step("\t");
  Step({0, kDown});  // the lists can still pick a file: a.tdf
  Step("\r");
  Step("n");
  Step("\t");
  Step("\t");
  Step("\r");  // the field still holds the typed name
  EXPECT_EQ(SaveFileDialog(Con, " Save Font As... ", longName, Root, "*.tdf"), Root + "typed.tdf");
  // Cut in the middle to fit the 72 columns of a message.
  const std::string cut = std::string(25, 'x') + "..." + std::string(21, 'x') + ".tdf";
  EXPECT_EQ(Cells(1, 5, 12, 72), cut + " exists. Overwrite?");
  EXPECT_EQ(Colours(Shot(1), 36, 14, 44, 14), TRows{"kkkkkbbbb"}) << "NO selected";
  EXPECT_EQ(Cells(6, 29, 12, 24), "a.tdf exists. Overwrite?");
  EXPECT_EQ(Cells(9, 8, 21, 10), "typed.tdf\xB0");
}

TEST_F(FileDialogTest, MasksMatchLettersInEitherCase) {
  fs::create_directory(Tree.Path() / "dos");
  for (const char* name : {"LOGO.ANS", "art.ans", "Mixed.Ans", "FA-2.TDF", "notes.txt", "PIC.XB"})
    Tree.Write(std::string("dos/") + name, "x");
  const struct {
    const char* Mask;
    std::vector<std::string> Files;
  } kCases[] = {
      {"*.ans", {"LOGO.ANS", "Mixed.Ans", "art.ans"}},
      {"fa-?.tdf", {"FA-2.TDF"}},
      {"*.xb;*.TXT", {"PIC.XB", "notes.txt"}},
      {";*.tdf;;", {"FA-2.TDF"}},  // empty parts match nothing
  };
  for (const auto& c : kCases) {
    TDirectoryListing listing;
    ASSERT_TRUE(ReadDirectoryListing(Tree.File("dos"), c.Mask, listing));
    EXPECT_EQ(listing.Files, c.Files) << c.Mask;
  }
}

TEST_F(FileDialogTest, RootAndDirectoriesThatCannotBeReadOrEntered) {
  Step("\t");
  Step("\r");  // ".." of the root is the root
  Step("\x1b");
  EXPECT_EQ(OpenFileDialog(Con, " Load Font ", "/", "*"), "");
  EXPECT_EQ(Cells(0, 8, 7, 2), "/ ");
  EXPECT_EQ(Cells(2, 8, 7, 2), "/ ");
  EXPECT_EQ(Cells(2, 41, 10, 4), " .. ");

  Step("\x1b");
  const size_t wait = Con.Waits.size();
  EXPECT_EQ(OpenFileDialog(Con, " Load Font ", Root + "gone", "*"), "");
  EXPECT_EQ(Cells(wait, 8, 9, 10), "Files (0) ");
  EXPECT_EQ(Cells(wait, 41, 9, 18), "Directories (0)   ");

  // A directory that can be entered but not read lists nothing (root reads
  // everything, so an unprivileged child looks).
  fs::create_directory(Tree.Path() / "locked");
  ASSERT_TRUE(OpenForNobody(Tree.File("locked")));
  ::chmod(Tree.File("locked").c_str(), 0311);
  std::string reason;
  const int code = RunAsNobody(
      [&] {
        TDirectoryListing listing;
        listing.FileCount = 9;
        return !ReadDirectoryListing(Tree.File("locked"), "*", listing) && listing.FileCount == 0
                   ? 0
                   : 1;
      },
      &reason);
  if (code < 0) GTEST_SKIP() << reason;
  EXPECT_EQ(code, 0);
}

TEST_F(FileDialogTest, ListsTheFirstTenThousandAndCountsThemAll) {
  fs::create_directory(Tree.Path() / "many");
  for (int i = 0; i < kMaxListed + 234; ++i) {
    FILE* f = std::fopen(Tree.File("many/f" + std::to_string(100000 - i) + ".tdf").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
  }
  TDirectoryListing listing;
  ASSERT_TRUE(ReadDirectoryListing(Tree.File("many"), "*.tdf", listing));
  EXPECT_EQ(listing.FileCount, 10234);
  ASSERT_EQ(listing.Files.size(), static_cast<size_t>(kMaxListed));
  EXPECT_TRUE(std::is_sorted(listing.Files.begin(), listing.Files.end()));
  EXPECT_EQ(listing.Directories, (std::vector<std::string>{".."}));

  Step({0, 79});  // End: the last listed file
  Step("\r");
  EXPECT_EQ(OpenFileDialog(Con, " Load Font ", Tree.File("many"), "*.tdf"),
            Root + "many/" + listing.Files.back());
  EXPECT_EQ(Cells(0, 8, 9, 15), "Files (10,234) ");
}

}  // namespace
