#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "console/GlyphBits.h"
#include "console/Palette.h"
#include "console/ScreenTypes.h"

// What a finished middle-button drag does: the console copies the block as
// text, or reports it to the screen that asked for blocks (ReportBlock).
enum class TBlockDrag : uint8_t { CopyText = 1, Report = 2 };

// A mouse button pressed, moved while held, or released, in cells, for a
// screen that takes the mouse itself (TTextConsole::MouseEvents).
struct TMouseEvent {
  enum class TKind : uint8_t { Press, Move, Release };
  TKind Kind = TKind::Press;
  uint8_t Button = 1;  // 1 left, 2 middle, 3 right
  int X = 1, Y = 1;    // the cell, 1-based
  bool Shift = false, Alt = false;
  friend bool operator==(const TMouseEvent&, const TMouseEvent&) = default;
};

// Glyphs and colours of their own for a band of screen rows, such as the
// art viewer's picture drawn in the font and palette its file carries.
struct TRowLook {
  int FirstRow = 1;
  int LastRow = 0;                   // none when below FirstRow
  std::optional<TGlyphFont> Glyphs;  // the console's own glyphs when empty
  std::optional<TPalette> Palette;   // the console's palette when empty

  bool Empty() const { return LastRow < FirstRow || (!Glyphs && !Palette); }
};

// The emulated text screen and its state: the cell grid, cursor, current
// attribute, pipe lead character and the 128-byte key buffer. It needs no
// window, so everything that prints can run and be tested headless. The SDL
// console (console/sdl/SDLConsole.h) derives from it and supplies events,
// pixels, sound and the clipboard through the virtual hooks at the end.
//
// Threads: only the main thread writes. The refresh thread reads the cells and
// the cursor through Snapshot(), so every write of cells or cursor happens under
// GridLock; main-thread reads need no lock.
class TTextConsole {
 public:
  explicit TTextConsole(uint8_t mode = 1);
  // A screen model of cols x rows cells (each clamped to 1..255), such as
  // one that holds a single glyph; mode 1 in everything else.
  TTextConsole(int cols, int rows);
  virtual ~TTextConsole();
  TTextConsole(const TTextConsole&) = delete;
  TTextConsole& operator=(const TTextConsole&) = delete;

  // --- screen model -------------------------------------------------------
  void WriteChar(uint8_t ch);
  // Stores ch at the cursor and advances like a printable character, also for
  // the codes WriteChar acts on (8, 10, 13): glyph cells are always drawn.
  void WriteRawChar(uint8_t ch);
  void ConWrite(std::string_view s);
  void ConWriteLn(std::string_view s = {});
  void WriteXY(uint8_t x, uint8_t y, uint8_t attr, std::string_view s);
  void ClrScr();
  void ClrEol();
  void GotoXY(int x, int y);
  uint8_t WhereX() const { return CursorX; }
  uint8_t WhereY() const { return CursorY; }
  void SetTextAttr(uint8_t a) { TextAttr = a; }
  uint8_t GetTextAttr() const { return TextAttr; }
  void TextColor(uint8_t c);
  uint8_t GetCharAt(int x, int y) const;
  uint8_t GetAttrAt(int x, int y) const;
  void SaveScreen(TScreen& buf) const;
  void RestoreScreen(const TScreen& buf);
  // Stores one cell without moving the cursor; positions outside the grid are ignored.
  void PutCell(int x, int y, uint8_t ch, uint8_t attr);

  // A consistent copy of the grid and cursor for the refresh thread.
  void Snapshot(TScreen& cells, uint8_t& cursorX, uint8_t& cursorY) const;
  // Raises Dirty; the first raise after the cells were drawn calls
  // CellsChanged, so a burst of writes wakes the refresh thread once.
  void MarkDirty();

  // What bit 7 of an attribute shows: off (the default, iCE colours) a bright
  // background; on, as DOS did, the foreground blinking over the dark
  // background. Only a console that draws cells (the SDL one) shows the blink.
  void SetBlinkMode(bool on);
  bool BlinkMode() const { return Blink; }

  // --- looks (main thread) --------------------------------------------------
  // The colours every cell is drawn in, unless a row look has its own.
  void SetPalette(const TPalette& palette);
  const TPalette& Palette() const { return Colors; }
  // Rows drawn in glyphs or colours of their own until the next call; an
  // empty look puts every row back to the console's.
  void SetRowLook(TRowLook look);
  const TRowLook& RowLook() const { return BandLook; }

  // --- keys ---------------------------------------------------------------
  void PushKey(uint8_t b);
  void PushExtKey(uint8_t code);
  void PushKeyString(std::string_view s);
  uint8_t ReadKey();
  // Puts a byte just read back in front of the unread ones, for a screen
  // that hands a key on to the one that reads it next. Lost when the buffer
  // is full.
  void UnreadKey(uint8_t b);
  bool KeyPressed();
  bool KeyBufferEmpty() const { return KeyReadIndex == KeyWriteIndex; }

  // --- mouse blocks ---------------------------------------------------------
  // Keeps block for the screen waiting for keys and tells it with the key
  // 0, kScanMouseBlock (silent: a drag is no key press). A block not yet
  // taken is replaced by the newer one.
  void ReportBlock(const TCellBlock& block);
  // The block reported last, once; none when nothing waits.
  std::optional<TCellBlock> TakeReportedBlock();
  // Keeps event for the screen that takes the mouse and tells it with the
  // key 0, kScanMouseEvent (silent). A move that follows a move not yet
  // taken replaces it, so a fast drag cannot fill the key buffer: the
  // screen gets where the pointer is, and draws its way from the cell before.
  void ReportMouse(const TMouseEvent& event);
  // The oldest event not yet taken; none when nothing waits.
  std::optional<TMouseEvent> TakeMouseEvent();

  // --- platform hooks (headless defaults) -----------------------------------
  // Blocks until one platform event was handled; false when there is no
  // platform to wait on. A headless ReadKey with nothing buffered answers ESC.
  virtual bool WaitForEvent() { return false; }
  // Handles at most one pending event; false when none was pending.
  virtual bool PollEvent() { return false; }
  virtual void Delay(uint16_t ms);
  // The clipboard as UTF-8 text (empty when there is none).
  virtual std::string ClipboardText() { return {}; }
  // Called once per stored key byte and once more for an extended key (the
  // SDL console plays the click).
  virtual void KeyClick() {}
  // Called after the palette or the row look changed (the SDL console draws
  // every cell again in them).
  virtual void LookChanged() {}
  // Called by MarkDirty when the cells change after they were drawn (the SDL
  // console wakes its refresh thread). Main thread.
  virtual void CellsChanged() {}
  // A diagnostic line on standard output, written only when Diagnostics is
  // on: a normal run prints nothing.
  void Log(std::string_view message) const;

  // --- state (names as the rest of the program knows them) ------------------
  TScreen Screen;
  uint8_t Mode = 1;
  uint8_t Cols = 80;
  uint8_t Rows = 25;
  uint8_t CursorX = 1;
  uint8_t CursorY = 1;
  uint8_t TextAttr = 7;
  char PipeChar = '|';
  // Log writes its lines (BRIXEL_DEBUG).
  bool Diagnostics = false;
  // Set by a screen that takes marked blocks for as long as it runs.
  TBlockDrag MiddleDrag = TBlockDrag::CopyText;
  // Set by a screen that takes every press, drag and release of the mouse
  // (ReportMouse) for as long as it runs: the console selects no text then.
  bool MouseEvents = false;
  std::atomic<bool> Dirty{true};
  std::array<uint8_t, 129> KeyBuffer{};  // 1..128
  int32_t KeyReadIndex = 0;
  int32_t KeyWriteIndex = 0;

 protected:
  mutable std::mutex GridLock;

 private:
  // Stores the bytes of one key (at most 2) as a unit.
  void StoreKey(std::string_view bytes, bool click = true);
  void ScrollUpLocked();
  void StoreAndAdvanceLocked(uint8_t ch);

  std::optional<TCellBlock> ReportedBlock;
  std::deque<TMouseEvent> MouseQueue;
  TPalette Colors = kClassicPalette;
  TRowLook BandLook;
  // Read by the refresh thread.
  std::atomic<bool> Blink{false};
};
