#include "screens/FontBrowser.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "console/KeyCodes.h"
#include "screens/MainScreen.h"
#include "tdf/FontCollection.h"
#include "tdf/FontFile.h"
#include "tdf/GlyphRender.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Paths.h"
#include "util/Text.h"
#include "widgets/MenuList.h"
#include "widgets/PipeWriter.h"
#include "widgets/Prompts.h"

namespace {

// The sample takes the rows above the list, the list the rows below them,
// and row 25 names the keys.
constexpr uint8_t kListTop = 14;
constexpr uint8_t kListBottom = 24;
constexpr uint8_t kKeyRow = 25;
constexpr int kSampleLastRow = kListTop - 1;
// The start-up TextY; a sample placed lower would leave tall fonts no room.
constexpr int kLowestSampleRow = 3;

class TFontBrowser {
 public:
  TFontBrowser(TTextConsole& con, TFontCollection collection, const TFontBrowserSettings& settings);
  // Runs the list from font start (an index into Collected().Fonts, or -1).
  // True when a font was chosen with Enter: its file and number.
  bool Run(int start, std::string& file, int& number);

 private:
  std::string ItemText(const TCollectedFont& font) const;
  void Fill(int keep);
  void DrawKeys();
  void BeforeKey();
  void ShowFont(int font);
  void SearchKey(uint8_t key);
  void FindName(bool next);
  void EndSearch();
  // The collection's font behind the highlighted item, or -1 for an empty list.
  int Highlighted() const {
    return List.ListMax > 0 ? Shown[static_cast<size_t>(List.Picked - 1)] : -1;
  }

  TTextConsole& Con;
  TFontCollection Collection;
  const TFontBrowserSettings& Settings;
  std::string Root;        // cut from the paths shown
  std::vector<int> Shown;  // the collection's font behind each item
  bool OnlyComplete = false;
  TFontFile Preview;    // the highlighted font's file, loaded once while it stays highlighted
  int LoadedFile = -1;  // the collection's file Preview holds
  TMenuList List;
  std::string Search;  // typed letters, looked for in the names
  int KeysRead = 0;    // within the current run of the list
};

TFontBrowser::TFontBrowser(TTextConsole& con, TFontCollection collection,
                           const TFontBrowserSettings& settings)
    : Con(con),
      Collection(std::move(collection)),
      Settings(settings),
      Root(AddSlash(settings.Root)),
      List(con) {
  SetDialogLook(List.Box);
  // A shadow would darken the key row under the list.
  List.Box.Shadow = false;
  List.BarColor = 0x70;
  List.ItemColor = 7;
  // Search keys end the list's run so the search looks at names only: the
  // type and file beside every name would catch most searches. '=' stays
  // with the list, as its code is F3's scan code.
  List.ExitKeys = {static_cast<char>(kKeyEnter), static_cast<char>(kKeyEscape),
                   static_cast<char>(kKeyCtrlA), static_cast<char>(kKeyBackspace),
                   static_cast<char>(kKeyCtrlY)};
  for (int key = 32; key <= 255; ++key)
    if (key != '=') List.ExitKeys += static_cast<char>(key);
  List.ExtExitKeys = {static_cast<char>(kScanF3), static_cast<char>(kScanCtrlA),
                      static_cast<char>(kScanCtrlY)};
  List.StatusProc = [this](uint16_t, std::string_view) { BeforeKey(); };
}

std::string TFontBrowser::ItemText(const TCollectedFont& font) const {
  std::string_view file = Collection.Files[static_cast<size_t>(font.File)];
  if (file.substr(0, Root.size()) == Root) file.remove_prefix(Root.size());
  // Appended, not "[" + label: GCC 12 warns falsely on that at -O2.
  std::string type = "[";
  type += FontTypeLabel(font.Font.FontType);
  type += "]";
  type.resize(std::max<size_t>(type.size(), 9), ' ');  // "[Outline]"; a longer one stays whole
  return PadRight(font.Font.Name, 12, ' ') + " " + type + "  " + std::string(file);
}

// Lists the fonts the filter lets through, with the highlight on font keep
// when it is among them.
void TFontBrowser::Fill(int keep) {
  List.Clear();
  Shown.clear();
  for (size_t i = 0; i < Collection.Fonts.size(); ++i) {
    const TCollectedFont& font = Collection.Fonts[i];
    if (OnlyComplete && !HasEveryChar(font.Font.Header, Settings.Sample.Text)) continue;
    if (!List.Add(ItemText(font), 0)) break;
    Shown.push_back(static_cast<int>(i));
  }
  const auto at = std::find(Shown.begin(), Shown.end(), keep);
  List.Picked = at == Shown.end() ? 1 : static_cast<int32_t>(at - Shown.begin()) + 1;
  // The list scrolls down to the highlight by itself, not up.
  List.Top = std::clamp(List.Top, 1, List.Picked);
  List.Box.Title = " Fonts: " + NumToStr(static_cast<int32_t>(Shown.size())) + " of " +
                   NumToStr(static_cast<int32_t>(Collection.Fonts.size())) + " ";
}

void TFontBrowser::DrawKeys() {
  Con.GotoXY(1, kKeyRow);
  Con.SetTextAttr(7);
  Con.ClrEol();
  WritePipeXY(Con, 1, kKeyRow, 7,
              std::string("|15F3|08: |07Only fonts with every character of the text: |15") +
                  (OnlyComplete ? "on " : "off") + "   |15Enter|08: |07Load   |15Esc|08: |07Back");
}

// Called by the list before every key it reads.
void TFontBrowser::BeforeKey() {
  // A second key in one run is one the list used itself: the search is over.
  if (++KeysRead > 1) {
    EndSearch();
  } else if (!Search.empty()) {
    MenuListSearchDisplay(List, Search);  // the list's frame was drawn over it
  }
  ShowFont(Highlighted());
}

// The status line and the sample of one font (-1: none), as the main screen
// draws them; whatever reaches below the sample rows is cut at the list.
void TFontBrowser::ShowFont(int font) {
  TCellGrid list;
  Con.SaveScreen(list);
  Con.SetTextAttr(7);
  for (int y = 1; y <= kSampleLastRow; ++y) {
    Con.GotoXY(1, y);
    Con.ClrEol();
  }
  if (font < 0) {
    Con.WriteXY(2, kLowestSampleRow, 7, "No font has every character of the text.");
  } else {
    const TCollectedFont& f = Collection.Fonts[static_cast<size_t>(font)];
    const std::string& file = Collection.Files[static_cast<size_t>(f.File)];
    // Only the highlighted font's glyphs are read; its file is listed once.
    if (f.File != LoadedFile) LoadedFile = LoadFontFile(file, Preview) ? f.File : -1;
    if (LoadedFile == f.File && SelectFont(Preview, f.Number)) {
      DrawStatusLine(Con, Preview, f.Number, Settings.Look);
      const TSample& sample = Settings.Sample;
      DrawFontText(Con, Preview, sample.X, std::min(sample.Y, kLowestSampleRow), sample.Text,
                   Settings.Look.Style);
    } else {
      Con.WriteXY(2, kLowestSampleRow, 7, "Cannot read " + JustName(file) + ".");
    }
  }
  TCellGrid drawn;
  Con.SaveScreen(drawn);
  for (int y = kListTop - 1; y < drawn.Height() && y < list.Height(); ++y)
    std::ranges::copy(list.Row(y), drawn.Row(y).begin());
  Con.RestoreScreen(drawn);
  Con.GotoXY(80, kKeyRow);  // out of the way of the sample
}

void TFontBrowser::SearchKey(uint8_t key) {
  switch (key) {
    case kKeyCtrlY:
      EndSearch();
      return;
    case kKeyBackspace:
      if (Search.empty()) return;
      Search.pop_back();
      break;
    case kKeyCtrlA:
      break;  // the same text again, from the next item
    default:
      if (Search.size() < kMaxText) Search += UpStr(std::string(1, static_cast<char>(key)));
      break;
  }
  FindName(key == kKeyCtrlA);
}

// As the list's own search (SearchHit), over the names only.
void TFontBrowser::FindName(bool next) {
  if (Search.empty()) return;
  const int32_t hit = SearchHit(List.Picked, List.ListMax, next, [this](int32_t item) {
    const int font = Shown[static_cast<size_t>(item - 1)];
    return PosNoCase(Search, Collection.Fonts[static_cast<size_t>(font)].Font.Name) > 0;
  });
  if (hit == 0) return;
  List.Picked = hit;
  List.Top = std::min(List.Top, hit);
}

void TFontBrowser::EndSearch() {
  if (Search.empty()) return;
  Search.clear();
  MenuListSearchDisplay(List, "");
}

bool TFontBrowser::Run(int start, std::string& file, int& number) {
  Con.SetTextAttr(7);
  Con.ClrScr();
  Fill(start);
  DrawKeys();
  int chosen = -1;
  for (;;) {
    KeysRead = 0;
    List.Execute(1, kListTop, 80, kListBottom);
    const uint8_t key = List.LastKey;
    if (key == kKeyEscape) break;
    if (key == kKeyEnter) {
      chosen = Highlighted();
      if (chosen < 0) continue;  // an empty list has nothing to load
      break;
    }
    if (key == kScanF3) {
      const int current = Highlighted();
      OnlyComplete = !OnlyComplete;
      EndSearch();
      Fill(current);
      DrawKeys();
      continue;
    }
    SearchKey(key);
  }
  List.Box.Close();
  if (chosen < 0) return false;
  const TCollectedFont& font = Collection.Fonts[static_cast<size_t>(chosen)];
  file = Collection.Files[static_cast<size_t>(font.File)];
  number = font.Number;
  return true;
}

// The collection's font n of shownFile, or -1.
int ShownFont(const TFontCollection& collection, const std::string& shownFile, int n) {
  const auto file =
      std::find_if(collection.Files.begin(), collection.Files.end(),
                   [&](const std::string& path) { return SameFile(path, shownFile); });
  const auto fileIndex = static_cast<int32_t>(file - collection.Files.begin());
  for (size_t i = 0; i < collection.Fonts.size(); ++i) {
    const TCollectedFont& font = collection.Fonts[i];
    if (font.File == fileIndex && font.Number == n) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

bool ChooseFontInFolder(TTextConsole& con, const TFontBrowserSettings& settings,
                        const std::string& shownFile, int shownFont, std::string& file,
                        int& number) {
  MessageBox(con, 2, " Fonts ", "Reading the font files...");
  TFontCollection collection = ReadFontCollection(std::vector<std::string>{settings.Root});
  if (collection.Fonts.empty()) {
    MessageBox(con, 0, "Fonts", "No TheDraw font under " + settings.Root);
    return false;
  }
  const int start = ShownFont(collection, shownFile, shownFont);
  return TFontBrowser(con, std::move(collection), settings).Run(start, file, number);
}
