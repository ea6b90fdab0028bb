#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/MenuBox.h"

// One item of a list.
struct TMenuListBoxRec {
  std::string Str;   // at most 255 bytes
  uint8_t Flag = 0;  // 0 normal, 1 marked, 2 cannot be marked
};

class TMenuList;

// Where a type-ahead search lands among items 1..count: on picked while it
// matches, else on the first item that matches. With next (Ctrl+A) on the
// first match after picked, wrapping. 0 when no item matches.
int32_t SearchHit(int32_t picked, int32_t count, bool next,
                  const std::function<bool(int32_t)>& matches);

// Receives the highlighted index and its text (empty for an empty list)
// before every key is read.
using TMenuListStatusProc = std::function<void(uint16_t Num, std::string_view Str)>;
// Receives the type-ahead text after each change; an empty text means the
// search has ended and its display is to be erased.
using TMenuListSearchProc = std::function<void(TMenuList& Owner, std::string_view Str)>;

// The built-in type-ahead display: 17 cells at (SearchX, SearchY) in
// SearchColor over the bottom frame edge, "[text]" (its last 15 characters in
// lower case) padded with bottom-edge characters; an empty text puts the
// edge back.
void MenuListSearchDisplay(TMenuList& owner, std::string_view str);

// A scrolling selection list inside a TMenuBox frame: one highlighted item,
// keyboard navigation, a scroll track with a thumb on the right frame edge and
// type-ahead search. Fill it with Add, run it with Execute, read Picked and
// LastKey. Picked and Top survive between runs, so a list reopens where it was.
//
// Keys in Execute: Home, Up, PgUp/Left, Down, PgDn/Right, End navigate (unless
// their scan code is in ExtExitKeys); a key in ExitKeys ends the run; MarkKey
// toggles a mark when Marking is on; printable keys search for an item
// containing the typed text, ignoring ASCII case (SearchHit), Backspace takes
// a character back, Ctrl+A goes on to the next match and Ctrl+Y ends the search
// (Ctrl+A and Ctrl+Y as plain bytes 1 and 25 or as the extended 0,1 and 0,25).
class TMenuList {
 public:
  static constexpr int32_t kCapacity = 10000;

  // A list drawn on con and read from its keys.
  explicit TMenuList(TTextConsole& con);

  // Appends an item (text cut to 255 bytes); flag 1 counts in MarkCount.
  // False, with nothing added, when the list already holds kCapacity items.
  bool Add(std::string_view text, uint8_t flag);
  // Drops every item; Picked and Top stay for Execute to repair.
  void Clear();
  // Draws the frame (unless NoBox) and the scroll track, then the items, and
  // runs the selection loop until an exit key (with NoInput it returns right
  // after the track and its thumb, and the caller draws the items with DrawList).
  void Execute(uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2);
  // Redraws every visible row and the scroll thumb, for instance after the
  // caller changed the colours.
  void DrawList();

  // Items[1..ListMax]; element 0 is never used.
  std::vector<TMenuListBoxRec> Items;
  TMenuBox Box;
  uint8_t BarColor = 31;
  uint8_t ItemColor = 113;
  bool ScrollBar = true;
  uint8_t Align = 0;  // 0 left, 1 right, 2 centred
  std::string ExitKeys = "\r\x1b";
  std::string ExtExitKeys;  // scan codes of extended keys
  uint8_t LastKey = 0;      // the key (or scan code) that ended the last run
  int32_t Picked = 1;
  int32_t Top = 1;
  bool NoBox = false;
  int32_t ListMax = 0;
  bool Marking = false;
  char MarkChar = '*';
  char MarkKey = '\t';
  uint8_t MarkCol = 0;
  uint8_t MarkColor = 127;
  uint16_t MarkCount = 0;
  TMenuListStatusProc StatusProc;
  int32_t Width = 0;   // inner width, set by Execute
  int32_t Height = 0;  // visible rows, set by Execute
  uint8_t X = 0;       // top-left corner of the frame, set by Execute
  uint8_t Y = 0;
  bool NoInput = false;
  uint8_t ThumbRow = 0;  // screen row of the thumb drawn last, 0 for none
  TMenuListSearchProc SearchProc = MenuListSearchDisplay;
  uint8_t SearchX = 0;      // 0: two columns right of the frame's left edge
  uint8_t SearchY = 0;      // 0: the bottom frame edge
  uint8_t SearchColor = 0;  // 0: the frame's Color4

 private:
  void DrawItem(int32_t index, bool highlighted);
  void UpdateThumb();
  void MoveHighlight(int32_t from, int32_t to);
  void Navigate(uint8_t scan);
  void PageUp();
  void PageDown();
  void LineDown();
  void ToggleMark();
  // Applies one search key; true when the key keeps the search going.
  bool SearchKey(uint8_t key, std::string& search);
  void RunSearch(const std::string& search, bool next);
  void EndSearch(std::string& search);
};
