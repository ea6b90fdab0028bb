#include "widgets/FileDialog.h"

#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "console/KeyCodes.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Paths.h"
#include "util/Text.h"
#include "widgets/DirectoryListing.h"
#include "widgets/LineEditor.h"
#include "widgets/MenuBox.h"
#include "widgets/MenuList.h"
#include "widgets/Prompts.h"

namespace {

constexpr char kListExitKeys[] = "\t\r\x1b";

// The lists end their run on a typed character too: typing goes to the
// bottom field, not to a search of the list.
std::string ListExitKeys() {
  std::string keys = kListExitKeys;
  for (int c = 32; c <= 254; ++c) keys += static_cast<char>(c);
  return keys;
}

constexpr uint8_t kFieldWidth = 65;
constexpr uint8_t kFieldMaxLength = 255;
constexpr uint8_t kFieldFillAttr = 15;
constexpr uint8_t kFieldFillChar = 0xB0;
constexpr uint8_t kLabelAttr = 15;
constexpr uint8_t kCountAttr = 8;
constexpr uint8_t kBarAttr = 112;
constexpr uint8_t kHiddenBarAttr = 7;

std::string CurrentDirectory() {
  char buffer[PATH_MAX];
  return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

// Paths are not cut to the length of an interface text here: a deep directory
// must stay the directory it is.
std::string WithSlash(const std::string& path) {
  return !path.empty() && path.back() == '/' ? path : path + "/";
}

bool ChangeDirectory(const std::string& path) {
  return ::chdir(path.c_str()) == 0;
}

bool IsDirectory(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}

bool HasWildcard(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

// "~" and "~/..." as a shell reads them.
std::string ExpandHome(const std::string& typed) {
  const char* home = std::getenv("HOME");
  if (!home || typed.empty() || typed[0] != '~' || (typed.size() > 1 && typed[1] != '/'))
    return typed;
  return home + typed.substr(1);
}

// "(1,234)" in at least seven columns; a larger count is shown whole.
std::string CountText(int32_t count) {
  const std::string text = "(" + NumToStrComma(count) + ")";
  return text.size() >= 7 ? text : PadRight(text, 7, ' ');
}

enum class TFocus { Files, Directories, BottomField, DirectoryField };
enum class TDialogKind { Open, Save, Folder };

class TFileDialog {
 public:
  TFileDialog(TTextConsole& con, TDialogKind kind, std::string_view title, std::string_view dir,
              std::string_view field, std::string_view mask)
      : Con(con),
        Kind(kind),
        Save(kind == TDialogKind::Save),
        Dir(dir),
        Field(field),
        Mask(mask),
        StartDir(CurrentDirectory()),
        Frame(con),
        Files(con),
        Dirs(con) {
    SetDialogLook(Frame);
    Frame.Title = std::string(title);
    Files.NoBox = true;
    Files.ExitKeys = ListExitKeys();
    Files.ExtExitKeys = std::string(1, static_cast<char>(kScanRight));
    Files.BarColor = kBarAttr;
    Files.ItemColor = 7;
    Dirs.NoBox = true;
    Dirs.NoInput = true;
    Dirs.ExitKeys = Files.ExitKeys;
    Dirs.ExtExitKeys = std::string(1, static_cast<char>(kScanLeft));
    Dirs.BarColor = kHiddenBarAttr;
    Dirs.ItemColor = 7;
  }

  std::string Run();

 private:
  uint8_t FieldAttr() const { return Save ? 112 : 127; }
  // The field being edited is drawn the other way round.
  uint8_t EditingAttr() const { return Save ? 127 : 112; }
  void DrawFrame();
  void DrawFields();
  void FillLists();
  void PaintList(TMenuList& list, uint8_t x1, uint8_t x2);
  void PaintFiles() { PaintList(Files, 7, 39); }
  void PaintDirs() { PaintList(Dirs, 40, 72); }
  bool EnterDirectory(const std::string& path);
  // What the bottom field shows: the mask (open), the name (save) or the
  // folder shown (folder).
  const std::string& BottomText() const { return Kind == TDialogKind::Folder ? Dir : Field; }
  // A key typed in a list: the bottom field takes it as its first key.
  TFocus TypeIntoField(uint8_t key);
  // Enter in the bottom field: a folder is entered (or, picking a folder,
  // taken), a mask lists its files, a name is opened or saved under.
  void TakeTypedText(const std::string& typed);
  // Runs the focus state once; answers the next one.
  TFocus RunFiles();
  TFocus RunDirectories();
  TFocus RunField(TFocus field);
  // Moves the highlight bar (and the keys) between the two lists.
  TFocus BackToFiles();
  TFocus ToDirectories();
  // The overwrite question of the save dialog; true when the name is taken.
  bool AcceptSaveName(const std::string& name);

  TTextConsole& Con;
  const TDialogKind Kind;
  const bool Save;
  std::string Dir;
  std::string Field;  // the mask (open) or the file name (save)
  std::string Mask;
  const std::string StartDir;
  TMenuBox Frame;
  TMenuList Files;
  TMenuList Dirs;
  std::string Result;
  bool Done = false;
};

void TFileDialog::DrawFrame() {
  Frame.Box(6, 5, 74, 22);
  Con.WriteXY(8, 6, kLabelAttr, "Directory");
  Con.WriteXY(8, 9, kLabelAttr, "Files");
  Con.WriteXY(41, 9, kLabelAttr, "Directories");
  static constexpr const char* kLabels[] = {"File Mask", "File Name", "Folder"};
  Con.WriteXY(8, 20, kLabelAttr, kLabels[static_cast<int>(Kind)]);
  Con.WriteXY(8, 21, 127, std::string(kFieldWidth, ' '));
}

void TFileDialog::DrawFields() {
  Con.WriteXY(8, 7, FieldAttr(), PadRight(Dir, kFieldWidth, ' '));
  Con.WriteXY(8, 21, FieldAttr(), PadRight(BottomText(), kFieldWidth, ' '));
}

// Enters path and shows it as the platform names it: absolute, one "/" at the end.
bool TFileDialog::EnterDirectory(const std::string& path) {
  if (!path.empty() && !ChangeDirectory(path)) return false;
  const std::string now = CurrentDirectory();
  if (now.empty()) return false;
  Dir = WithSlash(now);
  return true;
}

void TFileDialog::FillLists() {
  Files.Clear();
  Dirs.Clear();
  std::string trimmed = Dir;
  while (!trimmed.empty() && trimmed.back() == '/') trimmed.pop_back();
  // An empty text, as "/" leaves, keeps the current directory.
  if (trimmed.empty() && !Dir.empty()) trimmed = "/";
  if (!EnterDirectory(trimmed)) {
    // Nothing to list: the lists stay empty and say so.
    DrawFields();
    Con.WriteXY(14, 9, kCountAttr, CountText(0));
    Con.WriteXY(53, 9, kCountAttr, CountText(0));
    return;
  }
  Files.Picked = 1;
  Dirs.Picked = 1;
  DrawFields();
  TDirectoryListing listing;
  ReadDirectoryListing(Dir, Kind == TDialogKind::Open ? Field : Mask, listing);
  for (const std::string& name : listing.Directories) Dirs.Add(name, 0);
  for (const std::string& name : listing.Files) Files.Add(name, 0);
  Con.WriteXY(14, 9, kCountAttr, CountText(listing.FileCount));
  Con.WriteXY(53, 9, kCountAttr, CountText(listing.DirectoryCount));
}

// Draws a list without running it: its track, items and thumb.
void TFileDialog::PaintList(TMenuList& list, uint8_t x1, uint8_t x2) {
  const bool noInput = list.NoInput;
  list.NoInput = true;
  list.Execute(x1, 9, x2, 19);
  list.DrawList();
  list.NoInput = noInput;
}

bool TFileDialog::AcceptSaveName(const std::string& name) {
  if (name.empty()) return false;
  const std::string path = Dir + name;
  if (FileThere(path) && !AskAboutName(Con, " Error ", "", name, " exists. Overwrite?"))
    return false;
  Result = path;
  return true;
}

TFocus TFileDialog::BackToFiles() {
  Dirs.NoInput = true;
  Dirs.BarColor = kHiddenBarAttr;
  Files.BarColor = kBarAttr;
  PaintDirs();
  return TFocus::Files;
}

TFocus TFileDialog::ToDirectories() {
  Dirs.NoInput = false;
  Dirs.BarColor = kBarAttr;
  Files.BarColor = kHiddenBarAttr;
  PaintFiles();
  return TFocus::Directories;
}

TFocus TFileDialog::RunFiles() {
  Files.Execute(7, 9, 39, 19);
  switch (Files.LastKey) {
    case kKeyEnter:
      if (Kind == TDialogKind::Folder) {
        // The files only show what the folder holds: Enter takes the folder,
        // one that is there.
        Done = IsDirectory(Dir);
        Result = Done ? Dir : "";
      } else if (Files.ListMax > 0) {
        const std::string& name = Files.Items[static_cast<size_t>(Files.Picked)].Str;
        if (Save) {
          Done = AcceptSaveName(name);
        } else {
          Result = Dir + name;
          Done = true;
        }
      }
      return TFocus::Files;
    case kKeyEscape:
      Done = true;
      return TFocus::Files;
    case kKeyTab:
    case kScanRight:
      return ToDirectories();
    default:
      return TypeIntoField(Files.LastKey);
  }
}

TFocus TFileDialog::TypeIntoField(uint8_t key) {
  Con.UnreadKey(key);
  Files.BarColor = kHiddenBarAttr;
  Dirs.BarColor = kHiddenBarAttr;
  Dirs.NoInput = true;
  PaintFiles();
  PaintDirs();
  return TFocus::BottomField;
}

TFocus TFileDialog::RunDirectories() {
  Dirs.Execute(40, 9, 72, 19);
  switch (Dirs.LastKey) {
    case kKeyEnter:
      if (Dirs.ListMax > 0) {
        // Relative to the shown directory, which is the current one.
        const std::string& name = Dirs.Items[static_cast<size_t>(Dirs.Picked)].Str;
        if (EnterDirectory(name)) {
          FillLists();
          PaintFiles();
        }
      }
      return TFocus::Directories;
    case kScanLeft:
      return BackToFiles();
    case kKeyEscape:
      BackToFiles();
      Done = true;
      return TFocus::Files;
    case kKeyTab:
      Dirs.BarColor = kHiddenBarAttr;
      PaintDirs();
      return TFocus::BottomField;
    default:
      return TypeIntoField(Dirs.LastKey);
  }
}

TFocus TFileDialog::RunField(TFocus field) {
  const bool bottom = field == TFocus::BottomField;
  if (!bottom) DrawFields();
  std::string text;
  const uint8_t ended =
      InputLine(Con, text, 8, bottom ? 21 : 7, kFieldWidth, kFieldMaxLength, 1, EditingAttr(),
                kFieldFillAttr, kFieldFillChar, bottom ? BottomText() : Dir, kListExitKeys);
  switch (ended) {
    case kKeyTab:
      if (bottom) {
        // A typed name goes along to another directory; a typed mask waits for Enter.
        if (Save) Field = text;
        return TFocus::DirectoryField;
      }
      DrawFields();
      return BackToFiles();
    case kKeyEscape:
      DrawFields();
      Done = true;
      return field;
    case kKeyEnter:
      if (bottom) {
        TakeTypedText(text);
        if (!Done) DrawFields();
      } else if (EnterDirectory(text)) {
        // Entered from the current directory, which is the one shown, so a
        // relative name is resolved against it.
        FillLists();
        PaintFiles();
        PaintDirs();
      }
      return field;
    default:
      return field;
  }
}

void TFileDialog::TakeTypedText(const std::string& typed) {
  // Relative names are taken from the folder shown, the current directory.
  const std::string text = ExpandHome(typed);
  if (IsDirectory(text)) {
    if (Kind == TDialogKind::Folder) {
      Done = EnterDirectory(text);
      Result = Done ? Dir : "";
      return;
    }
    if (EnterDirectory(text)) {
      FillLists();
      PaintFiles();
      PaintDirs();
    }
    return;
  }
  const std::string folder = JustPath(text);
  const std::string name = JustName(text);
  if (Kind == TDialogKind::Folder || (!folder.empty() && !EnterDirectory(folder))) return;
  if (HasWildcard(name) || (Kind == TDialogKind::Open && !FileThere(Dir + name))) {
    // A mask: what it lists is shown. A save keeps the name it had.
    (Save ? Mask : Field) = name;
  } else if (Save) {
    Field = name;
    Done = AcceptSaveName(name);
  } else {
    Result = Dir + name;
    Done = true;
  }
  if (Done) return;
  FillLists();
  PaintFiles();
  PaintDirs();
}

std::string TFileDialog::Run() {
  const uint8_t savedX = Con.WhereX(), savedY = Con.WhereY(), savedAttr = Con.GetTextAttr();
  DrawFrame();
  // A relative directory is taken from the current one before the first listing.
  if (!Dir.empty() && Dir.front() != '/') Dir = WithSlash(StartDir) + Dir;
  FillLists();
  PaintDirs();
  // A save starts in the name field, so Enter saves under the name shown;
  // the lists wait, their bars hidden, one Tab away.
  TFocus focus = TFocus::Files;
  if (Save) {
    Files.BarColor = kHiddenBarAttr;
    PaintFiles();
    focus = TFocus::BottomField;
  } else if (Kind == TDialogKind::Folder) {
    // Picking a folder is moving through the folders.
    focus = ToDirectories();
  }
  while (!Done) {
    switch (focus) {
      case TFocus::Files:
        focus = RunFiles();
        break;
      case TFocus::Directories:
        focus = RunDirectories();
        break;
      case TFocus::BottomField:
      case TFocus::DirectoryField:
        focus = RunField(focus);
        break;
    }
  }
  // When the directory the dialog started in is gone there is nothing to put back.
  if (!StartDir.empty()) ChangeDirectory(StartDir);
  Frame.Close();
  Con.GotoXY(savedX, savedY);
  Con.SetTextAttr(savedAttr);
  return Result;
}

}  // namespace

std::string OpenFileDialog(TTextConsole& con, std::string_view title, std::string_view dir,
                           std::string_view mask) {
  return TFileDialog(con, TDialogKind::Open, title, dir, mask, mask).Run();
}

std::string SaveFileDialog(TTextConsole& con, std::string_view title, std::string_view defaultName,
                           std::string_view dir, std::string_view mask) {
  return TFileDialog(con, TDialogKind::Save, title, dir, defaultName, mask).Run();
}

std::string FolderDialog(TTextConsole& con, std::string_view title, std::string_view dir,
                         std::string_view mask) {
  return TFileDialog(con, TDialogKind::Folder, title, dir, "", mask).Run();
}
