#include "util/Cp437.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace {

// Code point drawn for every byte. 32..126 are ASCII and filled in below.
constexpr std::array<char32_t, 32> kLow = {
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
    0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
    0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};

constexpr char32_t kDelete = 0x2302;

constexpr std::array<char32_t, 128> kHigh = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  // E0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  // E8
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  // F8
};

char32_t CodePointOf(uint8_t b) {
  if (b < 32) return kLow[b];
  if (b == 127) return kDelete;
  if (b < 128) return b;
  return kHigh[b - 128];
}

const std::unordered_map<char32_t, uint8_t>& ByteOfCodePoint() {
  static const std::unordered_map<char32_t, uint8_t> table = [] {
    std::unordered_map<char32_t, uint8_t> t;
    for (int b = 0; b < 256; ++b) t.emplace(CodePointOf(static_cast<uint8_t>(b)), b);
    // Control characters keep their value, so text that already is plain
    // bytes (tabs, line ends) survives the trip.
    for (char32_t c = 0; c < 32; ++c) t[c] = static_cast<uint8_t>(c);
    t[0x7F] = 0x7F;
    return t;
  }();
  return table;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t DecodeUtf8(std::string_view s, size_t& i) {
  constexpr char32_t kBad = 0xFFFD;
  const uint8_t lead = static_cast<uint8_t>(s[i]);
  int extra;
  char32_t cp;
  if (lead < 0x80) {
    ++i;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    ++i;
    return kBad;
  }
  if (i + extra >= s.size()) {
    ++i;
    return kBad;
  }
  for (int k = 1; k <= extra; ++k) {
    const uint8_t b = static_cast<uint8_t>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return kBad;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return kBad;
  }
  i += extra + 1;
  return cp;
}

std::string Cp437ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (const char c : s) AppendUtf8(out, CodePointOf(static_cast<uint8_t>(c)));
  return out;
}

int Cp437ByteOf(char32_t cp) {
  const auto& table = ByteOfCodePoint();
  const auto it = table.find(cp);
  return it == table.end() ? -1 : it->second;
}

std::string Utf8ToCp437(std::string_view s, char unmapped) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const int byte = Cp437ByteOf(DecodeUtf8(s, i));
    out += byte < 0 ? unmapped : static_cast<char>(byte);
  }
  return out;
}

std::optional<char32_t> FirstUnmappedChar(std::string_view s) {
  const auto& table = ByteOfCodePoint();
  for (size_t i = 0; i < s.size();) {
    const char32_t cp = DecodeUtf8(s, i);
    if (!table.contains(cp)) return cp;
  }
  return std::nullopt;
}
