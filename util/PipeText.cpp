#include "util/PipeText.h"

#include "util/Numbers.h"
#include "util/Text.h"

std::string StripColorCodes(std::string_view s) {
  s = ClipText(s);
  std::string out;
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] == '|' && i + 2 < s.size()) {
      const std::string_view code = s.substr(i + 1, 2);
      const int32_t n = StrToNum(code);
      if (code != "00" && (n < 1 || n > 23)) out.append(s.substr(i, 3));
      i += 3;
    } else {
      out += s[i++];
    }
  }
  return out;
}

std::string AttrToPipes(uint8_t a) {
  return "|" + NumToStr2(a & 15) + "|" + NumToStr2(16 + (a >> 4));
}

std::string HotKeyLabel(std::string_view s) {
  s = ClipText(s);
  std::string out = "|00|23";
  out += static_cast<char>(221);
  out.append(s.substr(0, 1));
  out += static_cast<char>(222);
  out += "|07|16";
  if (s.size() > 1) out.append(s.substr(1));
  return std::string(ClipText(out));
}
