#include "console/TextConsole.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <utility>

#include "console/KeyCodes.h"

TTextConsole::TTextConsole(uint8_t mode) {
  const TScreenGeometry g = GeometryForMode(mode);
  Mode = (mode >= 1 && mode <= 3) ? mode : 1;
  Cols = g.Cols;
  Rows = g.Rows;
  Screen = TCellGrid(Cols, Rows);
  ClrScr();
}

TTextConsole::TTextConsole(int cols, int rows) {
  Cols = static_cast<uint8_t>(std::clamp(cols, 1, 255));
  Rows = static_cast<uint8_t>(std::clamp(rows, 1, 255));
  Screen = TCellGrid(Cols, Rows);
  ClrScr();
}

TTextConsole::~TTextConsole() = default;

void TTextConsole::ScrollUpLocked() {
  for (int r = 1; r < Rows; ++r) std::ranges::copy(Screen.Row(r), Screen.Row(r - 1).begin());
  std::ranges::fill(Screen.Row(Rows - 1), TScreenChar{0, 7});
}

void TTextConsole::WriteChar(uint8_t ch) {
  {
    std::lock_guard lock(GridLock);
    switch (ch) {
      case 8:
        if (CursorX > 1) --CursorX;
        break;
      case 10:
        if (CursorY < Rows)
          ++CursorY;
        else
          ScrollUpLocked();
        break;
      case 13:
        CursorX = 1;
        break;
      default:
        StoreAndAdvanceLocked(ch);
    }
  }
  MarkDirty();
}

void TTextConsole::WriteRawChar(uint8_t ch) {
  {
    std::lock_guard lock(GridLock);
    StoreAndAdvanceLocked(ch);
  }
  MarkDirty();
}

void TTextConsole::StoreAndAdvanceLocked(uint8_t ch) {
  Screen.Put(CursorX - 1, CursorY - 1, {ch, TextAttr});
  if (++CursorX > Cols) {
    CursorX = 1;
    if (++CursorY > Rows) {
      ScrollUpLocked();
      CursorY = Rows;
    }
  }
}

void TTextConsole::ConWrite(std::string_view s) {
  for (char c : s) WriteChar(static_cast<uint8_t>(c));
}

void TTextConsole::ConWriteLn(std::string_view s) {
  ConWrite(s);
  WriteChar(13);
  WriteChar(10);
}

void TTextConsole::WriteXY(uint8_t x, uint8_t y, uint8_t attr, std::string_view s) {
  GotoXY(x, y);
  const uint8_t saved = TextAttr;
  TextAttr = attr;
  ConWrite(s);
  TextAttr = saved;
}

void TTextConsole::ClrScr() {
  std::lock_guard lock(GridLock);
  Screen.Fill({0, TextAttr});
  CursorX = 1;
  CursorY = 1;
}

void TTextConsole::ClrEol() {
  std::lock_guard lock(GridLock);
  std::ranges::fill(Screen.Row(CursorY - 1).subspan(CursorX - 1), TScreenChar{32, TextAttr});
}

void TTextConsole::GotoXY(int x, int y) {
  if (y < 1) y = 1;
  if (y > Rows) y = Rows;
  if (x < 1) x = 1;
  if (x > Cols) x = Cols;
  std::lock_guard lock(GridLock);
  CursorX = static_cast<uint8_t>(x);
  CursorY = static_cast<uint8_t>(y);
}

void TTextConsole::TextColor(uint8_t c) {
  TextAttr = (TextAttr & 0xF0) | (c & 0x0F);
}

uint8_t TTextConsole::GetCharAt(int x, int y) const {
  if (x < 1 || y < 1 || x > Cols || y > Rows) return ' ';
  return Screen.At(x - 1, y - 1).Ch;
}

uint8_t TTextConsole::GetAttrAt(int x, int y) const {
  if (x < 1 || y < 1 || x > Cols || y > Rows) return 7;
  return Screen.At(x - 1, y - 1).Attr;
}

void TTextConsole::SaveScreen(TCellGrid& buf) const {
  buf = Screen;
}

void TTextConsole::RestoreScreen(const TCellGrid& buf) {
  std::lock_guard lock(GridLock);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c)
      Screen.Put(c, r, buf.Inside(c, r) ? buf.At(c, r) : TScreenChar{0, 0});
}

void TTextConsole::PutCell(int x, int y, uint8_t ch, uint8_t attr) {
  if (x < 1 || y < 1 || x > Cols || y > Rows) return;
  {
    std::lock_guard lock(GridLock);
    Screen.Put(x - 1, y - 1, {ch, attr});
  }
  MarkDirty();
}

void TTextConsole::Snapshot(TCellGrid& cells, uint8_t& cursorX, uint8_t& cursorY) const {
  std::lock_guard lock(GridLock);
  cells = Screen;
  cursorX = CursorX;
  cursorY = CursorY;
}

void TTextConsole::MarkDirty() {
  if (!Dirty.exchange(true) && Host) Host->Changed(TConsoleHost::TChange::Cells);
}

void TTextConsole::SetBlinkMode(bool on) {
  if (Blink.exchange(on) != on) MarkDirty();
}

void TTextConsole::StoreKey(std::string_view bytes, uint8_t mods) {
  // A full buffer drops every unread byte rather than the new key, and the
  // bytes of one key go in together: a reset between the 0 and the code of an
  // extended key would leave the code alone, read as a key of its own.
  if (KeyWriteIndex + static_cast<int32_t>(bytes.size()) > 128) {
    KeysRead += KeyWriteIndex - KeyReadIndex;
    KeyWriteIndex = 0;
    KeyReadIndex = 0;
  }
  KeyMods[KeyWriteIndex + 1] = mods;
  for (const char b : bytes) {
    KeyBuffer[++KeyWriteIndex] = static_cast<uint8_t>(b);
    ++KeysStored;
    if (Host) Host->Changed(TConsoleHost::TChange::Key);
  }
}

void TTextConsole::PushKey(uint8_t b) {
  const char one = static_cast<char>(b);
  StoreKey(std::string_view(&one, 1));
}

void TTextConsole::PushExtKey(uint8_t code, uint8_t mods) {
  const char pair[] = {0, static_cast<char>(code)};
  StoreKey(std::string_view(pair, 2), mods);
  // An extended key sounds three overlapping clicks.
  if (Host) Host->Changed(TConsoleHost::TChange::Key);
}

void TTextConsole::PushKeyString(std::string_view s, uint8_t mods) {
  StoreKey(s.substr(0, 2), mods);
}

void TTextConsole::PushEvent(const TInputEvent& event) {
  const auto* mouse = std::get_if<TMouseEvent>(&event);
  const bool moved = mouse && mouse->Kind == TMouseEvent::TKind::Move;
  const bool block = std::holds_alternative<TBlockEvent>(event);
  for (auto it = Events.rbegin(); it != Events.rend() && it->AfterKeys == KeysStored; ++it) {
    const auto* queued = std::get_if<TMouseEvent>(&it->Event);
    if ((moved && queued && queued->Kind == TMouseEvent::TKind::Move && it == Events.rbegin()) ||
        (block && std::holds_alternative<TBlockEvent>(it->Event))) {
      it->Event = event;
      return;
    }
  }
  // Events nobody reads (no screen asks for them) cannot pile up.
  constexpr size_t kMostWaiting = 64;
  if (Events.size() == kMostWaiting) Events.pop_front();
  Events.push_back({KeysStored, event});
}

std::pair<uint8_t, uint8_t> TTextConsole::TakeKeyByte() {
  const uint8_t mods = KeyMods[KeyReadIndex + 1];
  const uint8_t b = KeyBuffer[++KeyReadIndex];
  ++KeysRead;
  if (KeyReadIndex == KeyWriteIndex) KeyReadIndex = KeyWriteIndex = 0;
  return {b, mods};
}

void TTextConsole::DropEventsBeforeUnreadKeys() {
  while (!Events.empty() && Events.front().AfterKeys < KeysRead) Events.pop_front();
}

TInputEvent TTextConsole::ReadEvent() {
  MarkDirty();
  for (;;) {
    DropEventsBeforeUnreadKeys();
    if (!Events.empty() && Events.front().AfterKeys <= KeysRead) {
      const TInputEvent event = Events.front().Event;
      Events.pop_front();
      return event;
    }
    if (!KeyBufferEmpty()) break;
    if (!AwaitEvent(-1)) return TQuitEvent{};
  }
  const auto [b, mods] = TakeKeyByte();
  if (b != 0) return TKeyEvent{b, false, mods};
  return TKeyEvent{ReadKey(), true, mods};
}

uint8_t TTextConsole::ReadKey() {
  MarkDirty();
  while (KeyBufferEmpty())
    if (!AwaitEvent(-1)) return 27;
  const uint8_t b = TakeKeyByte().first;
  DropEventsBeforeUnreadKeys();
  return b;
}

void TTextConsole::UnreadKey(uint8_t b) {
  if (KeyReadIndex > 0) {
    KeyBuffer[KeyReadIndex] = b;
    KeyMods[KeyReadIndex--] = 0;
  } else {
    // Read last from an emptied buffer: the bytes that came since move up.
    if (KeyWriteIndex >= 128) return;
    const auto up = [this](auto& bytes) {
      std::copy_backward(bytes.begin() + 1, bytes.begin() + KeyWriteIndex + 1,
                         bytes.begin() + KeyWriteIndex + 2);
    };
    up(KeyBuffer);
    up(KeyMods);
    KeyBuffer[1] = b;
    KeyMods[1] = 0;
    ++KeyWriteIndex;
  }
  // Events that came after the key come after it again.
  --KeysRead;
}

bool TTextConsole::KeyPressed() {
  AwaitEvent(0);
  return !KeyBufferEmpty();
}

bool TTextConsole::EventPending() {
  AwaitEvent(0);
  DropEventsBeforeUnreadKeys();
  return !KeyBufferEmpty() || !Events.empty();
}

void TTextConsole::Delay(uint16_t ms) {
  if (Host)
    Host->Pause(ms);
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void TTextConsole::Log(std::string_view message) const {
  if (!Diagnostics) return;
  std::fwrite(message.data(), 1, message.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void TTextConsole::SetPalette(const TPalette& palette) {
  Colors = palette;
  if (Host) Host->Changed(TConsoleHost::TChange::Look);
}

void TTextConsole::SetRowLook(TRowLook look) {
  BandLook = std::move(look);
  if (Host) Host->Changed(TConsoleHost::TChange::Look);
}
