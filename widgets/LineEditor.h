#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "console/TextConsole.h"

// One-line text fields: the user edits a text of at most 80 characters in a
// field of `width` cells on one row. The field scrolls sideways when the text
// is longer, shows its empty part in a fill character, filters typed
// characters by mode and ends on one of the bytes the caller names.
//
// Modes: 0 numeric ("-" and digits), 1 any character, 2 any with ASCII letters
// in upper case, 3 date (digits, "/" inserted after the day and the month);
// any other mode accepts nothing.
//
// Keys besides typing: Home, End, Left, Right, Delete, Backspace; Ctrl+Left and
// Ctrl+Right (0,115 / 0,116) move by words; Ctrl+Y (25 or 0,25) clears the
// text; Ctrl+V (0,22) types the first line of the clipboard.
//
// A start text is shown selected (in SelectionAttr of the text attribute),
// the cursor after it: the first character typed or pasted replaces it, while
// any other editing or moving key drops the selection and acts on the text.

constexpr size_t kMaxEditLength = 80;

// How a selected start text is drawn: bright white on blue, or black on grey
// in a field that is itself on blue.
uint8_t SelectionAttr(uint8_t attr);

// Edits start (cut to maxLen and 80) in the field at (x, y) on con, stores
// the text in result whatever key ended the editing, and answers that key:
// a byte of terminators, so a caller tells Enter from Escape by it. TextAttr
// is left at attr. A field that would run past the last column is narrowed
// to end there.
uint8_t InputLine(TTextConsole& con, std::string& result, uint8_t x, uint8_t y, uint8_t width,
                  uint8_t maxLen, uint8_t mode, uint8_t attr, uint8_t fillAttr, uint8_t fillChar,
                  std::string_view start, std::string_view terminators = "\r");
