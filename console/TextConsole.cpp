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
  Screen.assign(Rows + 1, TScreenLine(Cols + 1));
  ClrScr();
}

TTextConsole::TTextConsole(int cols, int rows) {
  Cols = static_cast<uint8_t>(std::clamp(cols, 1, 255));
  Rows = static_cast<uint8_t>(std::clamp(rows, 1, 255));
  Screen.assign(Rows + 1, TScreenLine(Cols + 1));
  ClrScr();
}

TTextConsole::~TTextConsole() = default;

void TTextConsole::ScrollUpLocked() {
  for (int r = 2; r <= Rows; ++r) Screen[r - 1] = Screen[r];
  for (int c = 1; c <= Cols; ++c) Screen[Rows][c] = {0, 7};
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
  Screen[CursorY][CursorX] = {ch, TextAttr};
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
  for (int r = 1; r <= Rows; ++r)
    for (int c = 1; c <= Cols; ++c) Screen[r][c] = {0, TextAttr};
  CursorX = 1;
  CursorY = 1;
}

void TTextConsole::ClrEol() {
  std::lock_guard lock(GridLock);
  for (int c = CursorX; c <= Cols; ++c) Screen[CursorY][c] = {32, TextAttr};
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
  return Screen[y][x].Ch;
}

uint8_t TTextConsole::GetAttrAt(int x, int y) const {
  if (x < 1 || y < 1 || x > Cols || y > Rows) return 7;
  return Screen[y][x].Attr;
}

void TTextConsole::SaveScreen(TScreen& buf) const {
  buf.assign(Rows + 1, TScreenLine(Cols + 1));
  for (int r = 1; r <= Rows; ++r)
    for (int c = 1; c <= Cols; ++c) buf[r][c] = Screen[r][c];
}

void TTextConsole::RestoreScreen(const TScreen& buf) {
  std::lock_guard lock(GridLock);
  for (int r = 1; r <= Rows; ++r) {
    for (int c = 1; c <= Cols; ++c) {
      const bool present =
          static_cast<size_t>(r) < buf.size() && static_cast<size_t>(c) < buf[r].size();
      Screen[r][c] = present ? buf[r][c] : TScreenChar{0, 0};
    }
  }
}

void TTextConsole::PutCell(int x, int y, uint8_t ch, uint8_t attr) {
  if (x < 1 || y < 1 || x > Cols || y > Rows) return;
  {
    std::lock_guard lock(GridLock);
    Screen[y][x] = {ch, attr};
  }
  MarkDirty();
}

void TTextConsole::Snapshot(TScreen& cells, uint8_t& cursorX, uint8_t& cursorY) const {
  std::lock_guard lock(GridLock);
  cells = Screen;
  cursorX = CursorX;
  cursorY = CursorY;
}

void TTextConsole::MarkDirty() {
  if (!Dirty.exchange(true)) CellsChanged();
}

void TTextConsole::SetBlinkMode(bool on) {
  if (Blink.exchange(on) != on) MarkDirty();
}

void TTextConsole::StoreKey(std::string_view bytes, bool click) {
  // A full buffer drops every unread byte rather than the new key, and the
  // bytes of one key go in together: a reset between the 0 and the code of an
  // extended key would leave the code alone, read as a key of its own.
  if (KeyWriteIndex + static_cast<int32_t>(bytes.size()) > 128) {
    KeyWriteIndex = 0;
    KeyReadIndex = 0;
  }
  for (const char b : bytes) {
    KeyBuffer[++KeyWriteIndex] = static_cast<uint8_t>(b);
    if (click) KeyClick();
  }
}

void TTextConsole::PushKey(uint8_t b) {
  const char one = static_cast<char>(b);
  StoreKey(std::string_view(&one, 1));
}

void TTextConsole::PushExtKey(uint8_t code) {
  const char pair[] = {0, static_cast<char>(code)};
  StoreKey(std::string_view(pair, 2));
  KeyClick();  // an extended key sounds three overlapping clicks
}

void TTextConsole::PushKeyString(std::string_view s) {
  StoreKey(s.substr(0, 2));
}

void TTextConsole::ReportBlock(const TCellBlock& block) {
  ReportedBlock = block;
  const char pair[] = {0, static_cast<char>(kScanMouseBlock)};
  StoreKey(std::string_view(pair, 2), false);
}

std::optional<TCellBlock> TTextConsole::TakeReportedBlock() {
  return std::exchange(ReportedBlock, std::nullopt);
}

void TTextConsole::ReportMouse(const TMouseEvent& event) {
  const bool moved = event.Kind == TMouseEvent::TKind::Move;
  if (moved && !MouseQueue.empty() && MouseQueue.back().Kind == TMouseEvent::TKind::Move) {
    MouseQueue.back() = event;
    return;
  }
  // Events whose keys a full key buffer dropped are never asked for.
  constexpr size_t kMostWaiting = 64;
  if (MouseQueue.size() == kMostWaiting) MouseQueue.pop_front();
  MouseQueue.push_back(event);
  const char pair[] = {0, static_cast<char>(kScanMouseEvent)};
  StoreKey(std::string_view(pair, 2), false);
}

std::optional<TMouseEvent> TTextConsole::TakeMouseEvent() {
  if (MouseQueue.empty()) return std::nullopt;
  const TMouseEvent event = MouseQueue.front();
  MouseQueue.pop_front();
  return event;
}

uint8_t TTextConsole::ReadKey() {
  MarkDirty();
  while (KeyReadIndex == KeyWriteIndex)
    if (!WaitForEvent()) return 27;
  const uint8_t b = KeyBuffer[++KeyReadIndex];
  if (KeyReadIndex == KeyWriteIndex) KeyReadIndex = KeyWriteIndex = 0;
  return b;
}

void TTextConsole::UnreadKey(uint8_t b) {
  if (KeyReadIndex > 0) {
    KeyBuffer[KeyReadIndex--] = b;
    return;
  }
  // Read last from an emptied buffer: the bytes that came since move up.
  if (KeyWriteIndex >= 128) return;
  std::copy_backward(KeyBuffer.begin() + 1, KeyBuffer.begin() + KeyWriteIndex + 1,
                     KeyBuffer.begin() + KeyWriteIndex + 2);
  KeyBuffer[1] = b;
  ++KeyWriteIndex;
}

bool TTextConsole::KeyPressed() {
  PollEvent();
  return KeyReadIndex != KeyWriteIndex;
}

void TTextConsole::Delay(uint16_t ms) {
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
  LookChanged();
}

void TTextConsole::SetRowLook(TRowLook look) {
  BandLook = std::move(look);
  LookChanged();
}
