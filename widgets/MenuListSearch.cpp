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

int32_t SearchHit(int32_t picked, int32_t count, bool next,
                  const std::function<bool(int32_t)>& matches) {
  if (!next && picked >= 1 && picked <= count && matches(picked)) return picked;
  const int32_t from = next ? std::clamp(picked, 0, count) : 0;
  for (int32_t step = 1; step <= count; ++step) {
    const int32_t item = (from + step - 1) % count + 1;
    if (matches(item)) return item;
  }
  return 0;
}

void MenuListSearchDisplay(TMenuList& owner, std::string_view str) {
  std::string text;
  if (!str.empty()) {
    const std::string_view tail = str.substr(str.size() - std::min(str.size(), kDisplayText));
    text = "[" + LoStr(tail) + "]";
  }
  const char edge = static_cast<char>(FrameChars(owner.Box.FrameStyle).Bottom);
  PutText(owner.Box.Con, owner.SearchX, owner.SearchY, owner.SearchColor,
          PadRight(text, kDisplayWidth, edge));
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
  RunSearch(search, key == kKeyCtrlA);
  return true;
}

void TMenuList::RunSearch(const std::string& search, bool next) {
  const int32_t oldTop = Top;
  const int32_t oldPicked = Picked;
  if (SearchProc) SearchProc(*this, search);
  if (search.empty()) return;

  const int32_t hit = SearchHit(Picked, ListMax, next, [&](int32_t i) {
    return PosNoCase(search, Items[static_cast<size_t>(i)].Str) > 0;
  });
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
