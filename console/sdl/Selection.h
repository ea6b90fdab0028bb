#pragma once

#include <SDL.h>

#include <string>
#include <vector>

class TTextConsole;

// A mouse selection in cells: from (C0, R0) to (C0 + Dc, R0 + Dr), inclusive, 1-based.
struct TCellSelection {
  int C0 = 1, R0 = 1, Dc = 0, Dr = 0;
  friend bool operator==(const TCellSelection&, const TCellSelection&) = default;
};

// One row of a selection: columns First..Last of Row, inclusive.
struct TRowSpan {
  int Row, First, Last;
  friend bool operator==(const TRowSpan&, const TRowSpan&) = default;
};

// The rectangle between the press and the current pointer position, in window
// pixels, whatever the direction of the drag. Both corners are first clamped
// into the drawn screen (width x height pixels), so a drag that leaves the
// window still selects cells that exist.
SDL_Rect DragRect(int pressX, int pressY, int mouseX, int mouseY, int width, int height);

// The cells covered by a drag rectangle (x, y, w, h >= 0): start cell from the
// top-left pixel, spans from the width and height in whole cells. snapped, when
// given, receives the rectangle rewritten to whole cells (the block highlight).
TCellSelection SnapSelection(const SDL_Rect& rect, int cellWidth, int cellHeight,
                             SDL_Rect* snapped = nullptr);

// The cells of a text-stream selection in reading order: the first row from C0
// (to C0 + Dc when it is the only row, else to the last column), full middle
// rows, and the last row from column 1 to C0 + Dc.
std::vector<TRowSpan> StreamRows(const TCellSelection& sel, int cols);

// The text of a left drag as code-page-437 bytes: the stream rows' characters
// above 13 (cleared cells and control codes are skipped, not replaced by
// spaces), rows separated by one CR, nothing after the last.
std::string StreamSelectionText(const TTextConsole& con, const TCellSelection& sel);

// The text of a middle drag as code-page-437 bytes: for every row of the block
// its characters above 13 and then CR LF; at most 255 bytes in all.
std::string BlockSelectionText(const TTextConsole& con, const TCellSelection& sel);

// Clipboard text from code-page-437 bytes: CR and LF stay line ends, every
// other byte becomes the UTF-8 form of the character drawn for it.
std::string SelectionToUtf8(const std::string& cp437);
