#include "console/ConsoleLayer.h"

TTextConsole* Console = nullptr;

void ConWrite(std::string_view s) {
  if (Console) Console->ConWrite(s);
}
void ConWriteLn(std::string_view s) {
  if (Console) Console->ConWriteLn(s);
}
void WriteRawChar(uint8_t ch) {
  if (Console) Console->WriteRawChar(ch);
}
void WriteXY(uint8_t x, uint8_t y, uint8_t attr, std::string_view s) {
  if (Console) Console->WriteXY(x, y, attr, s);
}
void ClrScr() {
  if (Console) Console->ClrScr();
}
void ClrEol() {
  if (Console) Console->ClrEol();
}
void GotoXY(int x, int y) {
  if (Console) Console->GotoXY(x, y);
}
void GotoX(int x) {
  GotoXY(x, WhereY());
}
void GotoY(int y) {
  GotoXY(WhereX(), y);
}
uint8_t WhereX() {
  return Console ? Console->WhereX() : 1;
}
uint8_t WhereY() {
  return Console ? Console->WhereY() : 1;
}
void SetTextAttr(uint8_t a) {
  if (Console) Console->SetTextAttr(a);
}
uint8_t GetTextAttr() {
  return Console ? Console->GetTextAttr() : 7;
}
void TextColor(uint8_t c) {
  if (Console) Console->TextColor(c);
}
// The layer answers for the 80x25 frame even when the console is larger.
uint8_t GetCharAt(int x, int y) {
  if (!Console || x < 1 || x > 80 || y < 1 || y > 25) return ' ';
  return Console->GetCharAt(x, y);
}
uint8_t GetAttrAt(int x, int y) {
  return Console ? Console->GetAttrAt(x, y) : 7;
}
void SaveScreen(TCellGrid& buf) {
  if (Console) Console->SaveScreen(buf);
}
void RestoreScreen(const TCellGrid& buf) {
  if (Console) Console->RestoreScreen(buf);
}
void Delay(uint16_t ms) {
  if (Console) Console->Delay(ms);
}
uint8_t ReadKey() {
  return Console ? Console->ReadKey() : 27;
}
bool KeyPressed() {
  return Console && Console->KeyPressed();
}
void WaitForKeyPress() {
  if (ReadKey() == 0) ReadKey();
}
