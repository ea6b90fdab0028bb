#include "widgets/FileDialog.h"

#include <unistd.h>

#include <climits>
#include <cstdint>
#include <string>

#include "console/ConsoleLayer.h"
#include "console/KeyCodes.h"
#include "console/LineEditor.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Text.h"
#include "widgets/DirectoryListing.h"
#include "widgets/MenuBox.h"
#include "widgets/MenuList.h"
#include "widgets/Prompts.h"

namespace {

constexpr char kListExitKeys[] = "\t\r\x1b";

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

// "(1,234)" in at least seven columns; a larger count is shown whole.
std::string CountText(int32_t count) {
  const std::string text = "(" + NumToStrComma(count) + ")";
  return text.size() >= 7 ? text : PadRight(text, 7, ' ');
}

enum class TFocus { Files, Directories, BottomField, DirectoryField };

class TFileDialog {
 public:
  TFileDialog(bool save, std::string_view title, std::string_view dir, std::string_view field,
              std::string_view mask)
      : Save(save), Dir(dir), Field(field), Mask(mask), StartDir(CurrentDirectory()) {
    SetDialogLook(Frame);
    Frame.Title = std::string(title);
    Files.NoBox = true;
    Files.ExitKeys = kListExitKeys;
    Files.ExtExitKeys = std::string(1, static_cast<char>(kScanRight));
    Files.BarColor = kBarAttr;
    Files.ItemColor = 7;
    Dirs.NoBox = true;
    Dirs.NoInput = true;
    Dirs.ExitKeys = kListExitKeys;
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
  // Runs the focus state once; answers the next one.
  TFocus RunFiles();
  TFocus RunDirectories();
  TFocus RunField(TFocus field);
  // Moves the highlight bar (and the keys) between the two lists.
  TFocus BackToFiles();
  TFocus ToDirectories();
  // The overwrite question of the save dialog; true when the name is taken.
  bool AcceptSaveName(const std::string& name);

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
  WriteXY(8, 6, kLabelAttr, "Directory");
  WriteXY(8, 9, kLabelAttr, "Files");
  WriteXY(41, 9, kLabelAttr, "Directories");
  WriteXY(8, 20, kLabelAttr, Save ? "File Name" : "File Mask");
  WriteXY(8, 21, 127, std::string(kFieldWidth, ' '));
}

void TFileDialog::DrawFields() {
  WriteXY(8, 7, FieldAttr(), PadRight(Dir, kFieldWidth, ' '));
  WriteXY(8, 21, FieldAttr(), PadRight(Field, kFieldWidth, ' '));
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
    WriteXY(14, 9, kCountAttr, CountText(0));
    WriteXY(53, 9, kCountAttr, CountText(0));
    return;
  }
  Files.Picked = 1;
  Dirs.Picked = 1;
  DrawFields();
  TDirectoryListing listing;
  ReadDirectoryListing(Dir, Save ? Mask : Field, listing);
  for (const std::string& name : listing.Directories) Dirs.Add(name, 0);
  for (const std::string& name : listing.Files) Files.Add(name, 0);
  WriteXY(14, 9, kCountAttr, CountText(listing.FileCount));
  WriteXY(53, 9, kCountAttr, CountText(listing.DirectoryCount));
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
  if (FileThere(path) && !AskAboutName(" Error ", "", name, " exists. Overwrite?")) return false;
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
      if (Files.ListMax > 0) {
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
      return TFocus::Files;
  }
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
      return TFocus::Directories;
  }
}

TFocus TFileDialog::RunField(TFocus field) {
  const bool bottom = field == TFocus::BottomField;
  if (!bottom) DrawFields();
  std::string text;
  InputLine(text, 8, bottom ? 21 : 7, kFieldWidth, kFieldMaxLength, 1, EditingAttr(),
            kFieldFillAttr, kFieldFillChar, bottom ? Field : Dir, kListExitKeys);
  switch (EditLastKey) {
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
        Field = text;
        if (Save) {
          Done = AcceptSaveName(Field);
        } else {
          FillLists();
          PaintFiles();
          PaintDirs();
        }
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

std::string TFileDialog::Run() {
  const uint8_t savedX = WhereX(), savedY = WhereY(), savedAttr = GetTextAttr();
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
  GotoXY(savedX, savedY);
  SetTextAttr(savedAttr);
  return Result;
}

}  // namespace

std::string OpenFileDialog(std::string_view title, std::string_view dir, std::string_view mask) {
  return TFileDialog(false, title, dir, mask, mask).Run();
}

std::string SaveFileDialog(std::string_view title, std::string_view defaultName,
                           std::string_view dir, std::string_view mask) {
  return TFileDialog(true, title, dir, defaultName, mask).Run();
}
