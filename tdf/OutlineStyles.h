#pragma once

#include <cstdint>

// Outline fonts store roles, not characters: 'A'..'N' are the edges, corners
// and tees of a frame, drawn in one of 19 styles (single and double lines in
// every combination, and three looks of block characters).
//
// Roles: A top edge, B bottom edge, C left edge, D right edge, E..L the
// corners where those edges meet, M and N tees. '@', 'O', 'P' and 'Q' are
// blank cells; any other byte is drawn as itself.

constexpr int kOutlineStyleCount = 19;

// The character a cell byte of an Outline glyph shows in a style (a style
// outside 0..18 draws as style 0).
uint8_t OutlineCellChar(uint8_t style, uint8_t cell);
