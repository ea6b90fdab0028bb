#include "ansi/SauceHints.h"

#include <array>

namespace {

// TFlags: bit 0 iCE colours, bits 1-2 letter spacing, bits 3-4 aspect ratio.
constexpr uint8_t kIceBit = 0x01;

bool IsCharacterArt(const TSauce& s) {
  return s.DataType == kSauceDataCharacter;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool SauceHasArtFlags(const TSauce& s) {
  return (IsCharacterArt(s) && s.FileType <= kSauceFileAnsiMation) ||
         s.DataType == kSauceDataBinaryText;
}

TArtHints SauceArtHints(const std::optional<TSauce>& sauce) {
  TArtHints hints;
  if (!sauce || !SauceHasArtFlags(*sauce)) return hints;
  hints.Ice = (sauce->Flags & kIceBit) != 0;
  hints.IceKnown = true;
  switch ((sauce->Flags >> 1) & 3) {
    case 1:
      hints.LetterSpacing = TLetterSpacing::Eight;
      break;
    case 2:
      hints.LetterSpacing = TLetterSpacing::Nine;
      break;
    default:
      break;  // 0: no preference, 3: not a valid value
  }
  switch ((sauce->Flags >> 3) & 3) {
    case 1:
      hints.Aspect = TAspectRatio::Legacy;
      break;
    case 2:
      hints.Aspect = TAspectRatio::Square;
      break;
    default:
      break;
  }
  hints.FontName = sauce->Font;
  hints.FontHeight = SauceFontHeight(sauce->Font);
  return hints;
}

int SauceWidth(const TSauce& s) {
  if (s.DataType == kSauceDataBinaryText) return s.TInfo1 ? s.TInfo1 : s.FileType * 2;
  if (!IsCharacterArt(s)) return 0;
  switch (s.FileType) {
    case kSauceFileAscii:
    case kSauceFileAnsi:
    case kSauceFileAnsiMation:
    case kSauceFilePcBoard:
    case kSauceFileAvatar:
    case kSauceFileTundra:
      return s.TInfo1;
    default:
      return 0;
  }
}

int AnsiArtWidth(const std::optional<TSauce>& sauce) {
  const bool ansi = sauce && IsCharacterArt(*sauce) && sauce->FileType <= kSauceFileAnsiMation;
  return ansi && sauce->TInfo1 > 0 ? sauce->TInfo1 : kArtDefaultWidth;
}

int SauceFontHeight(std::string_view name) {
  // Longest names first: "IBM VGA" is a prefix of the other two.
  const struct {
    std::string_view Name;
    int Height;
  } kFonts[] = {
      {"IBM VGA50", 8}, {"IBM VGA25G", 19}, {"IBM VGA", 16},    {"IBM EGA43", 8},
      {"IBM EGA", 14},  {"Amiga ", 8},      {"C64 PETSCII", 8}, {"Atari ATASCII", 8},
  };
  for (const auto& font : kFonts) {
    if (!StartsWith(name, font.Name)) continue;
    const std::string_view rest = name.substr(font.Name.size());
    // "IBM VGA 437" is the VGA font; "IBM VGAxyz" is no name of the list.
    if (font.Name.back() == ' ' || rest.empty() || rest.front() == ' ') return font.Height;
  }
  return 16;
}
