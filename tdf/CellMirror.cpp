#include "tdf/CellMirror.h"

#include <array>
#include <utility>

#include "tdf/TdfFormat.h"

namespace {

using TPair = std::pair<uint8_t, uint8_t>;

// Pieces whose mirror image is another piece; every other box piece is its
// own mirror that way (a horizontal line flipped left to right, a cross).
constexpr TPair kLeftRight[] = {
    {0xDD, 0xDE},                              // left and right half block
    {0xDA, 0xBF}, {0xC0, 0xD9}, {0xC3, 0xB4},  // single corners and tees
    {0xC9, 0xBB}, {0xC8, 0xBC}, {0xCC, 0xB9},  // double
    {0xD5, 0xB8}, {0xD4, 0xBE}, {0xC6, 0xB5},  // double across, single down
    {0xD6, 0xB7}, {0xD3, 0xBD}, {0xC7, 0xB6},  // single across, double down
    {0x10, 0x11}, {0x1A, 0x1B}, {0xA9, 0xAA},  // triangles, arrows, not signs
    {'/', '\\'},  {'(', ')'},   {'[', ']'},   {'{', '}'}, {'<', '>'},
};
constexpr TPair kTopBottom[] = {
    {0xDF, 0xDC},                              // upper and lower half block
    {0xDA, 0xC0}, {0xBF, 0xD9}, {0xC2, 0xC1},  // single corners and tees
    {0xC9, 0xC8}, {0xBB, 0xBC}, {0xCB, 0xCA},  // double
    {0xD5, 0xD4}, {0xB8, 0xBE}, {0xD1, 0xCF},  // double across, single down
    {0xD6, 0xD3}, {0xB7, 0xBD}, {0xD2, 0xD0},  // single across, double down
    {0x1E, 0x1F}, {0x18, 0x19}, {0xF4, 0xF5},  // triangles, arrows, integral halves
    {'/', '\\'},
};

// Outline roles (OutlineStyles.h): A top, B bottom, C left, D right edge;
// E, F the outer top corners (left, right), G, H the inner top ones, I, J
// the inner bottom ones, K, L the outer bottom ones; M and N the tees.
constexpr TPair kRolesLeftRight[] = {{'C', 'D'}, {'E', 'F'}, {'G', 'H'},
                                     {'I', 'J'}, {'K', 'L'}, {'M', 'N'}};
constexpr TPair kRolesTopBottom[] = {{'A', 'B'}, {'E', 'K'}, {'F', 'L'}, {'G', 'I'}, {'H', 'J'}};

using TTable = std::array<uint8_t, 256>;

template <size_t N>
constexpr TTable MakeTable(const TPair (&pairs)[N]) {
  TTable table{};
  for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint8_t>(i);
  for (const auto& [a, b] : pairs) {
    table[a] = b;
    table[b] = a;
  }
  return table;
}

constexpr TTable kCharsLeftRight = MakeTable(kLeftRight);
constexpr TTable kCharsTopBottom = MakeTable(kTopBottom);
constexpr TTable kOutlineLeftRight = MakeTable(kRolesLeftRight);
constexpr TTable kOutlineTopBottom = MakeTable(kRolesTopBottom);

// Role letters and mirrored characters never meet: no table pairs a letter.
constexpr bool IsRole(uint8_t ch) {
  return ch >= 'A' && ch <= 'N';
}

}  // namespace

uint8_t MirroredCell(uint8_t ch, TFlip flip, uint8_t fontType) {
  const bool leftRight = flip == TFlip::Horizontal;
  if (fontType == ftOutline && IsRole(ch))
    return (leftRight ? kOutlineLeftRight : kOutlineTopBottom)[ch];
  return (leftRight ? kCharsLeftRight : kCharsTopBottom)[ch];
}
