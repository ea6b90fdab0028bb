#pragma once

#include <cstdint>

// The bytes a key leaves in the key buffer, for the console that stores them
// and every screen that reads them. A plain key arrives as its own byte; any
// other key as 0 followed by one of the scan codes (Ctrl with a letter too:
// Ctrl+A is 0, 1).

// Plain keys.
constexpr uint8_t kKeyCtrlA = 1;
constexpr uint8_t kKeyBackspace = 8;
constexpr uint8_t kKeyTab = 9;
constexpr uint8_t kKeyEnter = 13;
constexpr uint8_t kKeyCtrlS = 19;
constexpr uint8_t kKeyCtrlY = 25;
constexpr uint8_t kKeyEscape = 27;

// Scan codes, the byte after the 0. Ctrl+letter is the letter's place in the
// alphabet.
constexpr uint8_t kScanCtrlA = 1;
constexpr uint8_t kScanCtrlB = 2;
constexpr uint8_t kScanCtrlC = 3;
constexpr uint8_t kScanCtrlG = 7;
constexpr uint8_t kScanCtrlW = 23;
constexpr uint8_t kScanCtrlX = 24;
constexpr uint8_t kScanCtrlR = 18;
constexpr uint8_t kScanCtrlS = 19;
constexpr uint8_t kScanCtrlV = 22;
constexpr uint8_t kScanCtrlY = 25;
constexpr uint8_t kScanCtrlZ = 26;
constexpr uint8_t kScanF1 = 59;  // F1..F10 are 59..68
constexpr uint8_t kScanF3 = 61;
constexpr uint8_t kScanF8 = 66;
constexpr uint8_t kScanF9 = 67;
constexpr uint8_t kScanF10 = 68;
constexpr uint8_t kScanShiftF9 = 92;
constexpr uint8_t kScanShiftF10 = 93;
constexpr uint8_t kScanF11 = 69;
constexpr uint8_t kScanF12 = 70;
constexpr uint8_t kScanHome = 71;
constexpr uint8_t kScanUp = 72;
constexpr uint8_t kScanPgUp = 73;
constexpr uint8_t kScanLeft = 75;
constexpr uint8_t kScanRight = 77;
constexpr uint8_t kScanEnd = 79;
constexpr uint8_t kScanDown = 80;
constexpr uint8_t kScanPgDn = 81;
constexpr uint8_t kScanInsert = 82;
constexpr uint8_t kScanDelete = 83;
constexpr uint8_t kScanCtrlLeft = 115;
constexpr uint8_t kScanCtrlRight = 116;
constexpr uint8_t kScanCtrlEnd = 117;
constexpr uint8_t kScanCtrlPgDn = 118;
constexpr uint8_t kScanCtrlHome = 119;
constexpr uint8_t kScanCtrlPgUp = 132;
// Shift with an arrow has no code of its own on a PC keyboard; these extend
// the scan codes where none is used.
constexpr uint8_t kScanShiftUp = 0xE0;
constexpr uint8_t kScanShiftDown = 0xE1;
constexpr uint8_t kScanShiftLeft = 0xE2;
constexpr uint8_t kScanShiftRight = 0xE3;
