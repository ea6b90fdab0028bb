#include "widgets/MenuList.h"

#include <algorithm>

#include "console/KeyCodes.h"
#include "util/Text.h"
#include "widgets/ConsoleWaits.h"
#include "widgets/ScreenCells.h"

namespace {

constexpr char kTrack = static_cast<char>(176);
constexpr char kThumb = static_cast<char>(178);

using TPad = std::string (*)(std::string_view, uint8_t, char);

bool Contains(std::string_view keys, uint8_t key) {
  return keys.find(static_cast<char>(key)) != std::string_view::npos;
}

}  // namespace

TMenuList::TMenuList(TTextConsole& con) : Box(con) {
  Items.resize(1);
}

bool TMenuList::Add(std::string_view text, uint8_t flag) {
  if (ListMax >= kCapacity) return false;
  Items.push_back({std::string(ClipText(text)), flag});
  ++ListMax;
  if (flag == 1) ++MarkCount;
  return true;
}

void TMenuList::Clear() {
  Items.resize(1);
  ListMax = 0;
  MarkCount = 0;
}

void TMenuList::DrawItem(int32_t index, bool highlighted) {
  if (index < Top || index >= Top + Height) return;
  const int row = Y + 1 + (index - Top);
  // Rows past the last item are blank in ItemColor, so an empty list shows
  // no bar.
  const uint8_t attr = highlighted && index <= ListMax ? BarColor : ItemColor;
  const auto width = static_cast<uint8_t>(std::clamp(Width, 0, 255));
  if (index > ListMax) {
    PutText(Box.Con, X + 1, row, attr, std::string(width, ' '));
  } else {
    // Align 0 left-justifies, 1 right-justifies, 2 centres.
    static constexpr TPad kFit[] = {PadRight, PadLeft, PadCenter};
    const std::string text = " " + Items[static_cast<size_t>(index)].Str + " ";
    PutText(Box.Con, X + 1, row, attr, kFit[Align <= 2 ? Align : 0](text, width, ' '));
  }
  if (Marking) {
    const bool marked = index <= ListMax && Items[static_cast<size_t>(index)].Flag == 1;
    PutText(Box.Con, MarkCol, row, MarkColor, std::string(1, marked ? MarkChar : ' '));
  }
}

void TMenuList::DrawList() {
  for (int32_t row = 0; row < Height; ++row) DrawItem(Top + row, Top + row == Picked);
  UpdateThumb();
}

// The thumb is always written, not only when it moves: the track may have
// been redrawn over it (a second Execute, or a caller repainting) while
// ThumbRow still names its row.
void TMenuList::UpdateThumb() {
  if (!ScrollBar || ListMax <= 0 || Height <= 0) return;
  int32_t pos = Picked * Height / ListMax;
  if (Picked >= ListMax) pos = Height - 1;
  if (pos < 0 || Picked == 1) pos = 0;
  const auto row = static_cast<uint8_t>(Y + 1 + pos);
  const int col = X + Width + 1;
  if (ThumbRow > 0 && ThumbRow != row)
    PutText(Box.Con, col, ThumbRow, Box.Color2, std::string(1, kTrack));
  PutText(Box.Con, col, row, Box.Color2, std::string(1, kThumb));
  ThumbRow = row;
}

void TMenuList::MoveHighlight(int32_t from, int32_t to) {
  DrawItem(from, false);
  Picked = to;
  DrawItem(to, true);
  UpdateThumb();
}

void TMenuList::LineDown() {
  if (Picked >= ListMax) return;
  if (Picked < Top + Height - 1) {
    MoveHighlight(Picked, Picked + 1);
  } else {
    ++Top;
    ++Picked;
    DrawList();
  }
}

void TMenuList::PageUp() {
  if (Top <= 1 && Picked <= 1) return;
  Picked = std::max(Picked - Height, 1);
  Top = std::max(Top - Height, 1);
  DrawList();
}

void TMenuList::PageDown() {
  if (Picked == ListMax) return;
  if (ListMax > Height) {
    Picked = std::min(Picked + Height, ListMax);
    Top += Height;
    if (Top + Height > ListMax) Top = ListMax - Height + 1;
  } else {
    Picked = ListMax;
  }
  DrawList();
}

void TMenuList::Navigate(uint8_t scan) {
  // An empty list has nothing to move to; PgDn would otherwise set Picked to 0.
  if (ListMax <= 0) return;
  switch (scan) {
    case kScanHome:
      if (Picked > 1) {
        Picked = 1;
        Top = 1;
        DrawList();
      }
      break;
    case kScanUp:
      if (Picked <= 1) break;
      if (Picked <= Top) {
        --Picked;
        --Top;
        DrawList();
      } else {
        MoveHighlight(Picked, Picked - 1);
      }
      break;
    case kScanPgUp:
    case kScanLeft:
      PageUp();
      break;
    case kScanDown:
      LineDown();
      break;
    case kScanPgDn:
    case kScanRight:
      PageDown();
      break;
    case kScanEnd:
      if (Picked < ListMax) {
        if (ListMax > Height) Top = ListMax - Height + 1;
        Picked = ListMax;
        DrawList();
      }
      break;
    default:
      break;
  }
}

void TMenuList::ToggleMark() {
  TMenuListBoxRec& item = Items[static_cast<size_t>(Picked)];
  if (item.Flag == 1) {
    item.Flag = 0;
    --MarkCount;
  } else {
    item.Flag = 1;
    ++MarkCount;
  }
  // Shown now: on the last item the move below does not redraw this row.
  DrawItem(Picked, true);
  LineDown();
}

void TMenuList::Execute(uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2) {
  if (!NoBox) Box.Box(x1, y1, x2, y2);
  if (SearchX == 0) SearchX = static_cast<uint8_t>(x1 + 2);
  if (SearchY == 0) SearchY = y2;
  if (SearchColor == 0) SearchColor = Box.Color4;

  X = x1;
  Y = y1;
  if (Picked < Top || Picked < 1 || Picked > ListMax || Top < 1 || Top > ListMax) {
    Picked = 1;
    Top = 1;
  }
  Width = std::max(x2 - x1 - 1, 0);
  Height = std::max(y2 - y1 - 1, 0);
  MarkCol = static_cast<uint8_t>(x1 + 1);
  while (Top + Height - 1 < Picked) ++Top;

  // A thumb from an earlier run is gone with the track redrawn below (and
  // may have stood elsewhere), so no row holds one now.
  ThumbRow = 0;
  if (ScrollBar)
    for (int row = Y + 1; row <= Y + Height; ++row)
      PutText(Box.Con, X + Width + 1, row, Box.Color2, std::string(1, kTrack));
  if (NoInput) {
    // The caller draws the items with DrawList; the track shows its thumb already.
    UpdateThumb();
    return;
  }

  DrawList();
  std::string search;
  bool searching = false;
  uint8_t key = 0;
  for (;;) {
    if (!searching) EndSearch(search);
    searching = false;
    if (StatusProc)
      StatusProc(static_cast<uint16_t>(Picked),
                 ListMax > 0 ? std::string_view(Items[static_cast<size_t>(Picked)].Str) : "");

    const TKeyEvent pressed = NextKey(Box.Con);
    key = pressed.Code;
    if (pressed.Extended) {
      if (Contains(ExtExitKeys, key)) break;
      // The console delivers Ctrl+A and Ctrl+Y as extended keys.
      if (key == kScanCtrlA || key == kScanCtrlY)
        searching = SearchKey(key, search);
      else
        Navigate(key);
    } else if (Marking && static_cast<char>(key) == MarkKey && ListMax > 0 &&
               Items[static_cast<size_t>(Picked)].Flag != 2) {
      ToggleMark();
    } else if (Contains(ExitKeys, key)) {
      break;
    } else {
      searching = SearchKey(key, search);
    }
  }
  EndSearch(search);
  LastKey = key;
}
