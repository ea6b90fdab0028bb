#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "console/KeyCodes.h"
#include "widgets/LineEditor.h"
#include "widgets/PipeWriter.h"
#include "widgets/Prompts.h"
#include "widgets/ScreenCells.h"

namespace {

// The decorative frame, one line per row, written as tokens: "|nn" is a pipe
// colour code, "c" one byte of value c, "n*c" n bytes of value c.
constexpr std::array<std::string_view, 5> kFrame = {
    "|15 220 219 2*223 |07 223 |15 223 |07 223 178 4*223 |08 223 |07 223 |08 23*223 |07 223 "
    "|08 4*223 32 3*223 2*177 5*223 219 220 |07",
    "178 |00 32 |07 220 13*219 |00 |23 16*32 |07 |16 19*219 220 |00 32 |08 219 |07",
    "|08 219 |00 32 |23 43*32 |07 |16 219 |00 32 |15 |23 223 |07 |16",
    "|08 219 |00 32 |07 223 48*219 223 |00 32 |15 219 |07",
    "|08 223 219 4*220 32 220 2*178 28*220 |07 220 |08 2*220 |07 220 |08 220 |07 220 |00 |23 176 "
    "|07 |16 2*220 |15 2*220 |07 220 |15 2*220 |00 |23 176 |15 |16 223 |07",
};

int Number(std::string_view s) {
  int n = 0;
  std::from_chars(s.data(), s.data() + s.size(), n);
  return n;
}

// The pipe-coded text of one frame line.
std::string FrameLine(std::string_view tokens) {
  std::string out;
  while (!tokens.empty()) {
    const size_t end = tokens.find(' ');
    const std::string_view token = tokens.substr(0, end);
    tokens = end == std::string_view::npos ? std::string_view{} : tokens.substr(end + 1);
    if (token.front() == '|') {
      out += token;
      continue;
    }
    const size_t star = token.find('*');
    const int count = star == std::string_view::npos ? 1 : Number(token.substr(0, star));
    const int byte = Number(star == std::string_view::npos ? token : token.substr(star + 1));
    out.append(static_cast<size_t>(count), static_cast<char>(byte));
  }
  return out;
}

}  // namespace

bool InputBox(TTextConsole& con, uint8_t x, uint8_t y, uint8_t x2, uint8_t y2,
              std::string_view prompt, std::string& text) {
  const uint8_t oldX = con.WhereX();
  const uint8_t oldY = con.WhereY();
  const uint8_t oldAttr = con.GetTextAttr();
  const int mid = x + (x2 - x) / 2;

  for (size_t k = 0; k < kFrame.size(); ++k) {
    con.GotoXY(x, y + static_cast<int>(k));
    WritePipe(con, FrameLine(kFrame[k]));
  }
  PutText(con, x + 3, y + 1, 127, prompt);
  // The keys that end the editing, Enter's as the default button.
  PutText(con, mid - 6, y2 - 2, 63, " OK ");
  PutText(con, mid + 2, y2 - 2, 120, " Cancel ");

  // Only Enter and Esc end this field.
  const auto width = static_cast<uint8_t>(std::clamp(x2 - x - 3, 0, 255));
  std::string edited;
  const bool ok = InputLine(con, edited, x + 3, y + 2, width, width, 1, 112, 120, 176, text,
                            "\r\x1b") == kKeyEnter;
  if (ok) text = edited;
  con.GotoXY(oldX, oldY);
  con.SetTextAttr(oldAttr);
  return ok;
}
