#include "console/sdl/Selection.h"

#include <algorithm>
#include <cstdlib>

#include "console/TextConsole.h"
#include "util/Cp437.h"

namespace {

constexpr size_t kMaxBlockText = 255;

void AppendCells(const TTextConsole& con, int row, int first, int last, std::string& out) {
  for (int c = first; c <= last; ++c) {
    const uint8_t ch = con.GetCharAt(c, row);
    if (ch > 13) out += static_cast<char>(ch);
  }
}

}  // namespace

SDL_Rect DragRect(int pressX, int pressY, int mouseX, int mouseY, int width, int height) {
  const int maxX = std::max(0, width - 1);
  const int maxY = std::max(0, height - 1);
  pressX = std::clamp(pressX, 0, maxX);
  mouseX = std::clamp(mouseX, 0, maxX);
  pressY = std::clamp(pressY, 0, maxY);
  mouseY = std::clamp(mouseY, 0, maxY);
  return {std::min(pressX, mouseX), std::min(pressY, mouseY), std::abs(mouseX - pressX),
          std::abs(mouseY - pressY)};
}

TCellSelection SnapSelection(const SDL_Rect& rect, int cellWidth, int cellHeight,
                             SDL_Rect* snapped) {
  cellWidth = std::max(1, cellWidth);
  cellHeight = std::max(1, cellHeight);
  TCellSelection sel;
  sel.C0 = rect.x / cellWidth + 1;
  sel.R0 = rect.y / cellHeight + 1;
  sel.Dc = rect.w / cellWidth;
  sel.Dr = rect.h / cellHeight;
  if (snapped) {
    *snapped = {(rect.x / cellWidth) * cellWidth, (rect.y / cellHeight) * cellHeight,
                (sel.Dc + 1) * cellWidth, (sel.Dr + 1) * cellHeight};
  }
  return sel;
}

std::vector<TRowSpan> StreamRows(const TCellSelection& sel, int cols) {
  std::vector<TRowSpan> rows;
  const int lastCol = std::min(cols, sel.C0 + sel.Dc);
  if (sel.Dr == 0) {
    rows.push_back({sel.R0, sel.C0, lastCol});
    return rows;
  }
  rows.push_back({sel.R0, sel.C0, cols});
  for (int r = sel.R0 + 1; r < sel.R0 + sel.Dr; ++r) rows.push_back({r, 1, cols});
  rows.push_back({sel.R0 + sel.Dr, 1, lastCol});
  return rows;
}

std::string StreamSelectionText(const TTextConsole& con, const TCellSelection& sel) {
  std::string text;
  bool first = true;
  for (const TRowSpan& span : StreamRows(sel, con.Cols)) {
    if (!first) text += '\r';
    first = false;
    AppendCells(con, span.Row, span.First, span.Last, text);
  }
  return text;
}

std::string BlockSelectionText(const TTextConsole& con, const TCellSelection& sel) {
  std::string text;
  for (int r = sel.R0; r <= sel.R0 + sel.Dr; ++r) {
    AppendCells(con, r, sel.C0, sel.C0 + sel.Dc, text);
    text += "\r\n";
  }
  if (text.size() > kMaxBlockText) text.resize(kMaxBlockText);
  return text;
}

std::string SelectionToUtf8(const std::string& cp437) {
  std::string out;
  size_t start = 0;
  for (size_t i = 0; i <= cp437.size(); ++i) {
    if (i < cp437.size() && cp437[i] != '\r' && cp437[i] != '\n') continue;
    out += Cp437ToUtf8(std::string_view(cp437).substr(start, i - start));
    if (i < cp437.size()) out += cp437[i];
    start = i + 1;
  }
  return out;
}
