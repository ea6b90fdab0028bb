#include "util/PipeText.h"

#include "util/Numbers.h"
#include "util/Text.h"

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
