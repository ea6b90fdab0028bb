#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string_view>

#include "console/TextConsole.h"

// The one console of the program. The global procedures below forward to it;
// with no console installed they do nothing and answer neutral values, so
// core code also runs inside tools that have no screen.
extern TTextConsole* Console;

void ConWrite(std::string_view s);
void ConWriteLn(std::string_view s = {});
void WriteRawChar(uint8_t ch);
void WriteXY(uint8_t x, uint8_t y, uint8_t attr, std::string_view s);
void ClrScr();
void ClrEol();
void GotoXY(int x, int y);
void GotoX(int x);
void GotoY(int y);
uint8_t WhereX();
uint8_t WhereY();
void SetTextAttr(uint8_t a);
uint8_t GetTextAttr();
void TextColor(uint8_t c);
inline uint8_t AttrFg(uint8_t a) {
  return a & 15;
}
uint8_t GetCharAt(int x, int y);
uint8_t GetAttrAt(int x, int y);
void SaveScreen(TCellGrid& buf);
void RestoreScreen(const TCellGrid& buf);
void Delay(uint16_t ms);
uint8_t ReadKey();
bool KeyPressed();
// Waits for one whole key press: an extended key's second byte is read too,
// since left behind it would reach the next reader as a key of its own (Up's
// 72 is "H").
void WaitForKeyPress();
