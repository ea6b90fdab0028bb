#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "console/TextConsole.h"

// Ready-made dialogs on top of TMenuBox, on the console they are given. Each leaves the cursor and
// the text attribute as it found them.

// A box in the dialog look with text in the middle of rows 10..15, its title
// on the top edge. Mode 0 waits for any key under an " OK " button (and drops
// type-ahead); mode 1 asks " YES "/" NO " (Left/Right, Space toggles, Enter
// takes the selection, Y and N answer at once, Esc does nothing), starting on
// YES unless yesFirst is false, and answers true for YES; mode 2 has no
// button, reads no key and leaves the box on the screen. Texts longer than 72
// characters are cut so the box and its shadow stay on the screen.
bool MessageBox(TTextConsole& con, uint8_t mode, std::string_view title, std::string_view text,
                bool yesFirst = true);

// The longest text a MessageBox shows.
constexpr size_t kMessageWidth = 72;
// name in at most room characters, cut in its middle ("a-long...name.tdf")
// so that its start and extension stay readable.
std::string CutName(std::string_view name, size_t room);

// A YES/NO MessageBox about a file that starts on NO: before + name + after,
// the name cut (CutName) so that the whole question fits the box.
bool AskAboutName(TTextConsole& con, std::string_view title, std::string_view before,
                  std::string_view name, std::string_view after);

// A raised panel in background colour bg (0..15) with a blue title bar on its
// second row and a sunken single-line frame below the bar; it stays on the
// screen and the text attribute is left at 7. The caller saves and restores
// the screen around it.
void PanelBox(TTextConsole& con, uint8_t x1, uint8_t y1, uint8_t x2, uint8_t y2, uint8_t bg);

// Draws a fixed decorative frame at (x, y) with " OK " and " Cancel " below
// its field and lets the user edit text on its third row: Enter takes it
// (true), Esc leaves (false, text as it was). The frame stays on the screen:
// the caller saves and restores it.
bool InputBox(TTextConsole& con, uint8_t x, uint8_t y, uint8_t x2, uint8_t y2,
              std::string_view prompt, std::string& text);
