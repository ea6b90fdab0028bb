#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "ansi/ArtPicture.h"

// Turns the bytes of an ANSI art file into a picture of character cells
// (TArtPicture): Width() columns (80 unless the file's SAUCE record or the
// user says otherwise), as many rows as anything is printed into, down to
// row 5000. It understands what ANSI art uses: colours (also the 256-colour
// and 24-bit ones, shown as the nearest of the 16), reverse video, cursor
// movement, erase to the end of a row, clear screen, saving and restoring the
// cursor, CR, LF, TAB and the end-of-file byte 26; control strings (DCS, OSC,
// APC, PM, SOS) are skipped. Every other byte is drawn as its glyph, form feed
// too. It never touches the console.

// The lowest row the cursor reaches (fewer for pictures so wide that their
// row limit, TArtPicture::RowLimit, ends them first).
constexpr int kAnsiRows = 5000;

// A control sequence's parameter text keeps at most kMaxAnsiParams
// parameters of at most kMaxAnsiParamDigits characters each; the rest of it
// is skipped up to the final byte, so one sequence costs no memory however
// long it runs. No sequence art uses comes near.
constexpr size_t kMaxAnsiParams = 64;
constexpr size_t kMaxAnsiParamDigits = 16;
// Whether a parameter text is within those limits.
bool AnsiParamsWithinLimits(std::string_view params);

class TMsgBaseAnsi {
 public:
  explicit TMsgBaseAnsi(int width = kArtDefaultWidth);
  virtual ~TMsgBaseAnsi() = default;
  TMsgBaseAnsi(const TMsgBaseAnsi&) = delete;
  TMsgBaseAnsi& operator=(const TMsgBaseAnsi&) = delete;

  // An empty picture (no rows, so nothing to wipe but the rows the last one
  // used), the cursor home, light grey on black; the width stays.
  void Clear();
  // The same at another width, kept inside 1..kArtMaxWidth.
  void Clear(int width);
  // The most rows the picture may have (TArtPicture::SetMaxRows), never
  // past kAnsiRows; for the bytes fed after an empty picture.
  void SetMaxRows(int rows);
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

  // Columns and rows count from 0 in the picture, from 1 for the cursor.
  const TArtPicture& Picture() const { return Art; }
  // Hands the picture over to a caller that keeps it; this one is cleared.
  TArtPicture TakePicture();
  int Width() const { return Art.Width(); }
  // What attribute bit 7 stands for: a bright background (iCE colours, the
  // default) or a blinking foreground. Reverse video shows a blinking
  // background dark without iCE colours. Applies to the bytes fed next.
  void SetIce(bool ice) { Ice = ice; }
  // Rows to show: down to the lowest row anything was printed in (a cursor
  // moved further down without printing adds none), at least 1.
  int Lines() const { return std::max(1, Art.Rows()); }
  // The lowest row the cursor can reach.
  int LastRow() const { return Bottom; }
  // The parameter text of a control sequence read so far, when the bytes
  // fed ended inside one (AnsiParamsWithinLimits holds for it).
  std::string_view PendingParams() const { return EscParams; }

  uint16_t CurY = 1;
  uint16_t CurX = 1;
  // What printed cells get: the colours with reverse video applied.
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
  // Adds a parameter or intermediate byte to EscParams, within the limits.
  void KeepParamByte(uint8_t ch);
  // Stores a cell and advances, wrapping after the last column; on the
  // last row the cursor stays on the last cell.
  void PutChar(uint8_t ch);
  // Sets the cursor, kept inside the columns and rows 1..LastRow().
  void MoveTo(int64_t x, int64_t y);
  void ResetEscape();
  void SelectGraphicRenditions(std::string_view params);
  void SelectGraphicRendition(int32_t n);
  // 38 (foreground) or 48 (background) and what follows it in params:
  // ";5;N" or ":5:N" (xterm colour N), ";2;R;G;B", ":2:R:G:B" or ":2::R:G:B".
  void SelectExtendedColor(bool background, std::string_view& params, bool subParams);
  // The whole picture blank and the cursor home; the colours stay.
  void ClearPicture();
  // Draws characters, line ends and whole control sequences from buf[i] on,
  // in the text state, up to the first byte that needs the state machine;
  // answers its index. stop: the end-of-file byte or a line feed on the
  // last row came (the index is past it).
  size_t RunText(std::span<const uint8_t> buf, size_t i, bool& stop);
  // The action of a control sequence's final byte on its parameters.
  void RunSequence(uint8_t ch, std::string_view params);
  // A colour change ("m") whose parameters are followed by at least
  // readable - params.size() more bytes in the buffer.
  void ChangeColours(std::string_view params, size_t readable);

  // The effect of colour changes met before, by their parameter text (up to
  // 8 bytes): art repeats a few dozen of them thousands of times. What is
  // remembered is no part of the state: readers equal otherwise are equal.
  struct TColourMemo {
    static constexpr size_t kSlots = 256;
    static constexpr uint64_t kNone = ~uint64_t{0};  // no parameter text is 8 bytes 0xFF
    std::array<uint64_t, kSlots> Keys;
    std::array<uint32_t, kSlots> Changes{};  // a TRenditionChange each
    TColourMemo() { Keys.fill(kNone); }
    friend bool operator==(const TColourMemo&, const TColourMemo&) { return true; }
  };

  TArtPicture Art;
  int Bottom = kAnsiRows;
  std::string EscParams;
  // Of EscParams: the separators kept, the characters of the last parameter,
  // and whether the rest of the text is skipped (kMaxAnsiParams reached).
  uint8_t ParamSeparators = 0;
  uint8_t ParamDigits = 0;
  bool ParamsSkipped = false;
  TEscState EscState = kText;
  // The colours as the renditions set them: background << 4 | foreground,
  // bit 3 bright, bit 7 blink (which iCE colours show as a bright background).
  uint8_t Pen = 7;
  bool Reverse = false;
  bool Ice = true;
  uint16_t SavedX = 0;
  uint8_t SavedY = 0;  // the row modulo 256, as a byte holds it
  TColourMemo Memo;
};
