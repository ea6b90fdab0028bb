#pragma once

#include <cstdint>

// Key bytes the widgets act on. Plain keys arrive as themselves; the others
// as 0 followed by one of the scan codes below (Ctrl+letter too: Ctrl+A is
// 0, 1).
constexpr uint8_t kKeyCtrlA = 1;
constexpr uint8_t kKeyBackspace = 8;
constexpr uint8_t kKeyTab = 9;
constexpr uint8_t kKeyEnter = 13;
constexpr uint8_t kKeyEscape = 27;
constexpr uint8_t kKeyCtrlY = 25;

constexpr uint8_t kScanCtrlA = 1;
constexpr uint8_t kScanCtrlY = 25;
constexpr uint8_t kScanHome = 71;
constexpr uint8_t kScanUp = 72;
constexpr uint8_t kScanPgUp = 73;
constexpr uint8_t kScanLeft = 75;
constexpr uint8_t kScanRight = 77;
constexpr uint8_t kScanEnd = 79;
constexpr uint8_t kScanDown = 80;
constexpr uint8_t kScanPgDn = 81;
