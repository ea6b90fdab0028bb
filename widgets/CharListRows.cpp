#include "widgets/CharListRows.h"

#include <algorithm>
#include <string>

#include "util/Text.h"

namespace {

constexpr uint8_t kCharListAttr = 3;
constexpr size_t kCharsOnFirstRow = 44;

}  // namespace

void DrawCharListRows(TTextConsole& con, std::string_view chars) {
  const std::string_view first = chars.substr(0, std::min(chars.size(), kCharsOnFirstRow));
  const std::string_view rest = chars.substr(first.size());
  con.WriteXY(1, kCharListTop, kCharListAttr, PadCenter("Chars.:" + std::string(first), 80, ' '));
  con.WriteXY(1, kCharListTop + 1, kCharListAttr, PadCenter(rest, 80, ' '));
}
