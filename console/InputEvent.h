#pragma once

#include <cstdint>
#include <variant>

#include "console/ScreenTypes.h"

// What a screen reads from the console: a key, the mouse, a block marked
// with the middle button, a new window size, or the end of input. Each
// arrives as itself, in the order it happened; none travels as key bytes.

// Modifier keys held with a key or a mouse button.
constexpr uint8_t kModShift = 1;
constexpr uint8_t kModCtrl = 2;
constexpr uint8_t kModAlt = 4;

// One key as the key buffer holds it: a plain byte, or an extended key's
// code (the scan code that follows the 0 byte; console/KeyCodes.h).
struct TKeyEvent {
  uint8_t Code = 0;
  bool Extended = false;
  uint8_t Mods = 0;  // kModShift | kModCtrl | kModAlt; 0 for keys put in by a program
  friend bool operator==(const TKeyEvent&, const TKeyEvent&) = default;
};

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

// A middle-button drag finished over these cells, for a screen that takes
// blocks (TBlockDrag::Report).
struct TBlockEvent {
  TCellBlock Block;
  friend bool operator==(const TBlockEvent&, const TBlockEvent&) = default;
};

// The window took a new size in pixels; the cells stay as many.
struct TResizeEvent {
  int Width = 0, Height = 0;
  friend bool operator==(const TResizeEvent&, const TResizeEvent&) = default;
};

// No input will come any more (a console with no platform and an empty key
// buffer): a screen leaves as it would on Esc.
struct TQuitEvent {
  friend bool operator==(const TQuitEvent&, const TQuitEvent&) = default;
};

using TInputEvent = std::variant<TKeyEvent, TMouseEvent, TBlockEvent, TResizeEvent, TQuitEvent>;

// The key of an event, or nothing for any other event.
inline const TKeyEvent* KeyOf(const TInputEvent& event) {
  return std::get_if<TKeyEvent>(&event);
}
// Whether the event asks to leave: Esc, or the end of input.
inline bool IsEscape(const TInputEvent& event) {
  const TKeyEvent* key = KeyOf(event);
  return std::holds_alternative<TQuitEvent>(event) || (key && !key->Extended && key->Code == 27);
}
