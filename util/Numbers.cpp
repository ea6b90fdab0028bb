#include "util/Numbers.h"

#include <charconv>
#include <cstdlib>
#include <limits>

#include "util/Text.h"

std::string NumToStr(int32_t n) {
  return std::to_string(n);
}

std::string NumToStr2(int32_t n) {
  const std::string s = NumToStr(n);
  return s.size() == 1 ? "0" + s : s.substr(0, 2);
}

std::string NumToStrComma(int32_t n) {
  // The magnitude is grouped on its own, so a sign never gets a comma behind it.
  const std::string digits = std::to_string(std::llabs(static_cast<long long>(n)));
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return n < 0 ? "-" + out : out;
}

int32_t StrToNum(std::string_view s) {
  s = ClipText(s);
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < s.size()) {
    switch (s[i]) {
      case '$':
      case 'x':
      case 'X':
        base = 16;
        ++i;
        break;
      case '%':
        base = 2;
        ++i;
        break;
      case '&':
        base = 8;
        ++i;
        break;
      case '0':
        if (i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
          base = 16;
          i += 2;
        }
        break;
      default:
        break;
    }
  }
  const std::string_view digits = s.substr(i);
  // from_chars would accept a second sign; only plain digits may follow here.
  if (digits.empty() || digits[0] == '-' || digits[0] == '+') return 0;
  uint64_t magnitude = 0;
  const auto [end, ec] =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (ec != std::errc() || end != digits.data() + digits.size()) return 0;
  constexpr uint64_t kMaxPositive = std::numeric_limits<int32_t>::max();
  if (magnitude > kMaxPositive + (negative ? 1 : 0)) return 0;
  const int64_t value =
      negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  return static_cast<int32_t>(value);
}

std::string HexByte(uint8_t b) {
  static constexpr char kDigits[] = "0123456789abcdef";
  return {kDigits[b >> 4], kDigits[b & 15]};
}
