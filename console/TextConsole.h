#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "console/CellGrid.h"
#include "console/ConsoleHost.h"
#include "console/GlyphBits.h"
#include "console/InputEvent.h"
#include "console/Palette.h"
#include "console/ScreenTypes.h"

// What a finished middle-button drag does: the console copies the block as
// text, or reports it to the screen that asked for blocks (a TBlockEvent).
enum class TBlockDrag : uint8_t { CopyText = 1, Report = 2 };

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
// attribute, pipe lead character, the 128-byte key buffer and the events
// that arrive among the keys. It needs no window, so everything that prints
// can run and be tested headless. A window shows it through a host
// (console/ConsoleHost.h): the console tells the host of changes and asks it
// to wait for input.
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

  // The platform that shows the console and gives it input; none (headless)
  // by default. The host must outlive the console or be set back to none.
  void SetHost(TConsoleHost* host) { Host = host; }
  TConsoleHost* GetHost() const { return Host; }

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
  void GotoX(int x) { GotoXY(x, CursorY); }
  void GotoY(int y) { GotoXY(CursorX, y); }
  uint8_t WhereX() const { return CursorX; }
  uint8_t WhereY() const { return CursorY; }
  void SetTextAttr(uint8_t a) { TextAttr = a; }
  uint8_t GetTextAttr() const { return TextAttr; }
  void TextColor(uint8_t c);
  uint8_t GetCharAt(int x, int y) const;
  uint8_t GetAttrAt(int x, int y) const;
  void SaveScreen(TCellGrid& buf) const;
  // Cells buf lacks become character 0 in attribute 0.
  void RestoreScreen(const TCellGrid& buf);
  // Stores one cell without moving the cursor; positions outside the grid are ignored.
  void PutCell(int x, int y, uint8_t ch, uint8_t attr);

  // A consistent copy of the grid and cursor for the refresh thread.
  void Snapshot(TCellGrid& cells, uint8_t& cursorX, uint8_t& cursorY) const;
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

  // --- input ----------------------------------------------------------------
  // Key bytes as typed: a plain key is its byte, any other key 0 and its code.
  void PushKey(uint8_t b);
  void PushExtKey(uint8_t code, uint8_t mods = 0);
  // The bytes of one key (at most 2) as a unit.
  void PushKeyString(std::string_view s, uint8_t mods = 0);
  // An event that is not a key, behind the keys stored before it. A mouse
  // move that follows a move not yet read replaces it, so a fast drag cannot
  // fill the queue: the screen gets where the pointer is, and draws its way
  // from the cell before. A block not yet read is replaced by the newer one.
  void PushEvent(const TInputEvent& event);
  // The next event, waiting for one as long as it takes: an extended key
  // comes as one event with its code. With nothing to wait on, a quit.
  TInputEvent ReadEvent();
  // The next key byte, waiting for one; events among the keys are dropped.
  // With nothing to wait on, ESC.
  uint8_t ReadKey();
  // Puts a byte just read back in front of the unread ones, for a screen
  // that hands a key on to the one that reads it next. Lost when the buffer
  // is full.
  void UnreadKey(uint8_t b);
  // Takes pending platform events; true when a key byte waits.
  bool KeyPressed();
  // Takes pending platform events; true when any event waits.
  bool EventPending();
  bool KeyBufferEmpty() const { return KeyReadIndex == KeyWriteIndex; }

  // Waits ms, the window staying responsive (headless: sleeps).
  void Delay(uint16_t ms);
  // The clipboard as UTF-8 text (empty when there is none).
  std::string ClipboardText() const { return Host ? Host->Clipboard() : std::string(); }
  // A diagnostic line on standard output, written only when Diagnostics is
  // on: a normal run prints nothing.
  void Log(std::string_view message) const;

  // --- state (names as the rest of the program knows them) ------------------
  TCellGrid Screen;  // Cols x Rows; cell (x, y) of the 1-based interface at (x-1, y-1)
  uint8_t Mode = 1;
  uint8_t Cols = 80;
  uint8_t Rows = 25;
  uint8_t CursorX = 1;
  uint8_t CursorY = 1;
  uint8_t TextAttr = 7;
  char PipeChar = '|';
  // Log writes its lines (BRIXEL_DEBUG).
  bool Diagnostics = false;
  // Set by a screen that takes marked blocks (a TBlockEvent) for as long as
  // it runs.
  TBlockDrag MiddleDrag = TBlockDrag::CopyText;
  // Set by a screen that takes every press, drag and release of the mouse
  // (TMouseEvent) for as long as it runs: the window selects no text then.
  bool MouseEvents = false;
  std::atomic<bool> Dirty{true};
  std::array<uint8_t, 129> KeyBuffer{};  // 1..128
  std::array<uint8_t, 129> KeyMods{};    // the modifiers of the key whose first byte is there
  int32_t KeyReadIndex = 0;
  int32_t KeyWriteIndex = 0;

 protected:
  mutable std::mutex GridLock;

 private:
  // Stores the bytes of one key (at most 2) as a unit.
  void StoreKey(std::string_view bytes, uint8_t mods = 0);
  // The next key byte, with the modifiers of its key; none waits.
  std::pair<uint8_t, uint8_t> TakeKeyByte();
  // Drops the events that came before every key still unread.
  void DropEventsBeforeUnreadKeys();
  bool AwaitEvent(int timeoutMs) { return Host && Host->AwaitEvent(timeoutMs); }
  void ScrollUpLocked();
  void StoreAndAdvanceLocked(uint8_t ch);

  TConsoleHost* Host = nullptr;
  // Events among the keys, each after the key bytes stored before it:
  // KeysStored counts every key byte stored, KeysRead every one read or dropped.
  struct TQueuedEvent {
    int64_t AfterKeys;
    TInputEvent Event;
  };
  std::deque<TQueuedEvent> Events;
  int64_t KeysStored = 0;
  int64_t KeysRead = 0;
  TPalette Colors = kClassicPalette;
  TRowLook BandLook;
  // Read by the refresh thread.
  std::atomic<bool> Blink{false};
};
