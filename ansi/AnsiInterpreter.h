#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "console/ScreenTypes.h"

// Turns the bytes of an ANSI art file into a tall off-screen picture of
// character cells, 80 columns by up to 5000 rows. It understands what ANSI
// art uses: colours (also the 256-colour and 24-bit ones, shown as the
// nearest of the 16), cursor movement, erase to the end of a row, clear
// screen, saving and restoring the cursor, CR, LF, TAB and the end-of-file
// byte 26; control strings (DCS, OSC, APC, PM, SOS) are skipped. Every other
// byte is drawn as its glyph, form feed too. It never touches the console.

constexpr int kAnsiCols = 80;
constexpr int kAnsiRows = 5000;

// One row of the picture; 1-based like the screen, element 0 unused.
using RecMessageLine = std::array<TScreenChar, kAnsiCols + 1>;
// Rows 1..5000; element 0 unused.
using AnsiImage = std::array<RecMessageLine, kAnsiRows + 1>;

// About 800 KB: create it on the heap (std::make_unique), one per file.
class TMsgBaseAnsi {
 public:
  TMsgBaseAnsi() { Clear(); }
  virtual ~TMsgBaseAnsi() = default;
  TMsgBaseAnsi(const TMsgBaseAnsi&) = delete;
  TMsgBaseAnsi& operator=(const TMsgBaseAnsi&) = delete;

  // An empty picture: every cell zero, the cursor home, attribute 7.
  void Clear();
  // Feeds bytes in file order, in chunks of any size. True means stop
  // reading: the end-of-file byte came, or a line feed on the last row.
  bool ProcessBuffer(std::span<const uint8_t> buf);
  // Takes the next number off the front of params: "12;34" gives 12 and
  // leaves "34", ";5" gives 0 and leaves "5", "" gives 0. A number too large
  // for 32 bits counts as the largest one.
  static int32_t NextParam(std::string_view& params);

  // Equal when both read the same bytes so far, however they were chunked:
  // the picture, the cursor and the state in the middle of a sequence.
  bool operator==(const TMsgBaseAnsi&) const = default;

  AnsiImage Image;
  uint16_t Lines = 1;  // rows in use: the lowest cursor row reached, at least 1
  uint16_t CurY = 1;
  uint8_t CurX = 1;
  uint8_t CurAttr = 7;

 private:
  enum TEscState : uint8_t {
    kText,         // characters are drawn
    kAfterEsc,     // ESC came: "[" starts a control sequence
    kInCsi,        // inside ESC "[": parameters until the final byte
    kInString,     // inside a control string, to the next ESC
    kInOscString,  // inside an OSC string, to the next ESC or BEL
  };

  // One byte of the text / escape state machine (CR, LF and 26 never come here).
  void ProcessChar(uint8_t ch);
  // One byte inside a control sequence (after ESC "[").
  void ExecuteCsi(uint8_t ch);
  // Stores a cell and advances, wrapping after column 80; true when the cell
  // was the last of the picture (the cursor then stays on it).
  bool PutChar(uint8_t ch);
  // Sets the cursor, kept inside columns 1..80 and rows 1..5000.
  void MoveTo(int64_t x, int64_t y);
  void ResetEscape();
  void SelectGraphicRenditions(std::string_view params);
  void SelectGraphicRendition(int32_t n);
  // 38 (foreground) or 48 (background) and what follows it in params:
  // ";5;N" or ":5:N" (xterm colour N), ";2;R;G;B", ":2:R:G:B" or ":2::R:G:B".
  void SelectExtendedColor(bool background, std::string_view& params, bool subParams);
  // The whole picture blank and the cursor home; the colours stay.
  void ClearPicture();
  // Draws characters and runs whole control sequences from buf[i] on, in
  // the text state, up to the first byte that needs the state machine;
  // answers its index.
  size_t RunText(std::span<const uint8_t> buf, size_t i);
  // The action of a control sequence's final byte on its parameters.
  void RunSequence(uint8_t ch, std::string_view params);

  std::string EscParams;
  TEscState EscState = kText;
  uint8_t SavedX = 0;
  uint8_t SavedY = 0;  // the row modulo 256, as a byte holds it
};

// Rows 1..Lines of the picture as a screen of 80 columns, for the code that
// takes a screen.
TScreen AnsiImageScreen(const TMsgBaseAnsi& ansi);
