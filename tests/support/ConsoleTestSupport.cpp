#include "support/ConsoleTestSupport.h"

#include <cstdlib>

bool TTestConsole::WaitForEvent() {
  constexpr int32_t kMaxStarvedReads = 100000;
  if (++StarvedReads > kMaxStarvedReads) {
    Log("ReadKey: no input source and no buffered keys");
    std::abort();
  }
  return false;
}

std::string ScreenRow(const TTextConsole& con, int y) {
  std::string row;
  for (int x = 1; x <= con.Cols; ++x) row += static_cast<char>(con.GetCharAt(x, y));
  return row;
}

std::string VisibleRow(const TTextConsole& con, int y) {
  std::string row = ScreenRow(con, y);
  for (char& c : row)
    if (c == '\0') c = ' ';
  return row;
}

std::string AttrRow(const TTextConsole& con, int y) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string row;
  for (int x = 1; x <= con.Cols; ++x) {
    const uint8_t a = con.GetAttrAt(x, y);
    row += kHex[a >> 4];
    row += kHex[a & 15];
  }
  return row;
}

void PushKeys(TTextConsole& con, std::string_view bytes) {
  for (char c : bytes) con.PushKey(static_cast<uint8_t>(c));
}

void PushKeys(TTextConsole& con, std::initializer_list<int> bytes) {
  for (int b : bytes) con.PushKey(static_cast<uint8_t>(b));
}
