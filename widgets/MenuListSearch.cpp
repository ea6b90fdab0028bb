#include <algorithm>
#include <string>

#include "console/KeyCodes.h"
#include "util/Text.h"
#include "widgets/MenuList.h"
#include "widgets/ScreenCells.h"

namespace {
constexpr size_t kDisplayWidth = 17;
constexpr size_t kDisplayText = 15;
}  // namespace

void MenuListSearchDisplay(TMenuList& owner, std::string_view str) {
  std::string text;
  if (!str.empty()) {
    const std::string_view tail = str.substr(str.size() - std::min(str.size(), kDisplayText));
    text = "[" + LoStr(tail) + "]";
  }
  const char edge = static_cast<char>(FrameChars(owner.Box.FrameStyle).Bottom);
  PutText(owner.SearchX, owner.SearchY, owner.SearchColor, PadRight(text, kDisplayWidth, edge));
}

bool TMenuList::SearchKey(uint8_t key, std::string& search) {
  switch (key) {
    case kKeyCtrlY:
      return false;  // the text is dropped before the next key is read
    case kKeyBackspace:
      if (search.empty()) return false;
      search.pop_back();
      break;
    case kKeyCtrlA:
      break;
    default:
      if (key < 32) return false;
      if (search.size() < kMaxText) search += UpStr(std::string(1, static_cast<char>(key)));
      break;
  }
  RunSearch(search);
  return true;
}

// The next item after the highlighted one whose text contains the search,
// wrapping once; from the last item the whole list is searched.
void TMenuList::RunSearch(const std::string& search) {
  const int32_t oldTop = Top;
  const int32_t oldPicked = Picked;
  if (SearchProc) SearchProc(*this, search);
  if (search.empty()) return;

  const auto matches = [&](int32_t i) {
    return PosNoCase(search, Items[static_cast<size_t>(i)].Str) > 0;
  };
  int32_t hit = 0;
  if (Picked >= ListMax) {
    for (int32_t i = 1; i <= ListMax && hit == 0; ++i)
      if (matches(i)) hit = i;
  } else {
    for (int32_t i = Picked + 1; i <= ListMax && hit == 0; ++i)
      if (matches(i)) hit = i;
    for (int32_t i = 1; i < Picked && hit == 0; ++i)
      if (matches(i)) hit = i;
  }
  if (hit == 0) return;

  Picked = hit;
  if (Picked > Top + Height - 1) Top = Picked - Height + 1;
  if (Picked < Top) Top = Picked;
  if (Top != oldTop) {
    DrawList();
  } else if (Picked != oldPicked) {
    MoveHighlight(oldPicked, Picked);
  }
}

void TMenuList::EndSearch(std::string& search) {
  if (search.empty()) return;
  search.clear();
  if (SearchProc) SearchProc(*this, "");
}
