#include "util/Text.h"

#include <algorithm>

std::string_view ClipText(std::string_view s) {
  return s.substr(0, std::min(s.size(), kMaxText));
}

char LoCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

namespace {

char UpCase(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
}

}  // namespace

std::string UpStr(std::string_view s) {
  std::string out(ClipText(s));
  std::transform(out.begin(), out.end(), out.begin(), UpCase);
  return out;
}

std::string LoStr(std::string_view s) {
  std::string out(ClipText(s));
  std::transform(out.begin(), out.end(), out.begin(), LoCase);
  return out;
}

std::string CharStr(char c, uint8_t count) {
  return std::string(count, c);
}

std::string PadRight(std::string_view s, uint8_t width, char fill) {
  s = ClipText(s);
  if (s.size() >= width) return std::string(s.substr(0, width));
  std::string out(s);
  out.append(width - s.size(), fill);
  return out;
}

std::string PadLeft(std::string_view s, uint8_t width, char fill) {
  s = ClipText(s);
  if (s.size() >= width) return std::string(s.substr(0, width));
  std::string out(width - s.size(), fill);
  out.append(s);
  return out;
}

std::string PadCenter(std::string_view s, uint8_t width, char fill) {
  s = ClipText(s);
  if (s.size() >= width) return std::string(s.substr(0, width));
  const size_t spare = width - s.size();
  const size_t left = spare / 2;
  std::string out(left, fill);
  out.append(s);
  out.append(spare - left, fill);
  return out;
}

uint8_t PosNoCase(std::string_view needle, std::string_view haystack) {
  needle = ClipText(needle);
  haystack = ClipText(haystack);
  if (needle.empty()) return 0;
  const std::string upNeedle = UpStr(needle);
  const std::string upHaystack = UpStr(haystack);
  const size_t at = upHaystack.find(upNeedle);
  return at == std::string::npos ? 0 : static_cast<uint8_t>(at + 1);
}
