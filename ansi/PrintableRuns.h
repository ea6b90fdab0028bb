#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "console/ScreenTypes.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Most bytes of ANSI art and plain text are characters the interpreter's text
// state simply draws. These find and store them a block at a time: 16 bytes
// with SSE2 (every x86-64 processor has it), 8 with plain integers elsewhere;
// the choice is made when compiling.

namespace printable_runs {

// The bytes the text state acts on instead of drawing them, all below 28.
constexpr uint8_t kTab = 9, kLineFeed = 10, kReturn = 13, kEndOfFile = 26, kEsc = 27;
constexpr uint8_t kFirstDrawnAbove = 27;

static_assert(sizeof(TScreenChar) == 2 && offsetof(TScreenChar, Attr) == 1,
              "cells are stored as character, attribute byte pairs");

// The portable form, 8 bytes at a time; also built where SSE2 is chosen, so
// that tests can hold it to the same answers.
constexpr int kPortableBlock = 8;

// Bit k set when byte k of the block at p is one the text state acts on.
inline unsigned PortableActingBytes(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  // Whether any byte is below 28: a byte below n borrows into its top bit
  // (exact for "any" when n <= 128; bytes with the top bit set are masked).
  constexpr uint64_t kOnes = 0x0101010101010101u, kTops = 0x8080808080808080u;
  if (((v - kOnes * (kFirstDrawnAbove + 1)) & ~v & kTops) == 0) return 0;
  unsigned acting = 0;
  for (int k = 0; k < kPortableBlock; ++k) {
    const uint8_t b = p[k];
    if (b == kTab || b == kLineFeed || b == kReturn || b == kEndOfFile || b == kEsc)
      acting |= 1u << k;
  }
  return acting;
}

// The block at p as cells of attribute attr.
inline void PortableStoreBlock(TScreenChar* cells, const uint8_t* p, uint8_t attr) {
  for (int k = 0; k < kPortableBlock; ++k) cells[k] = {p[k], attr};
}

// The first n bytes (0..block) of the block at p as cells; the block's other
// cells keep what they hold.
inline void PortableStoreFirst(TScreenChar* cells, const uint8_t* p, uint8_t attr, int n) {
  for (int k = 0; k < n; ++k) cells[k] = {p[k], attr};
}

// How many of the bytes at p, up to kPortableBlock, are parameter bytes of a
// control sequence ("0" to "?"), one after another from the first.
inline int PortableParameterBytes(const uint8_t* p) {
  int n = 0;
  while (n < kPortableBlock && (p[n] & 0xF0) == 0x30) ++n;
  return n;
}

// The chosen form: kBlock bytes at a time, ActingBytes, StoreBlock,
// StoreFirst and ParameterBytes as their portable namesakes.
#if defined(__SSE2__)

constexpr int kBlock = 16;

inline unsigned ActingBytes(const uint8_t* p) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // One test settles most blocks: no byte at or below 27 (unsigned).
  const __m128i low = _mm_cmpeq_epi8(_mm_min_epu8(v, _mm_set1_epi8(kFirstDrawnAbove)), v);
  if (_mm_movemask_epi8(low) == 0) return 0;
  const auto is = [&v](uint8_t b) {
    return _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(b)));
  };
  const __m128i acting =
      _mm_or_si128(_mm_or_si128(is(kTab), is(kLineFeed)),
                   _mm_or_si128(_mm_or_si128(is(kReturn), is(kEndOfFile)), is(kEsc)));
  return static_cast<unsigned>(_mm_movemask_epi8(acting));
}

inline void StoreBlock(TScreenChar* cells, const uint8_t* p, uint8_t attr) {
  const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i attrs = _mm_set1_epi8(static_cast<char>(attr));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(cells), _mm_unpacklo_epi8(chars, attrs));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + 8), _mm_unpackhi_epi8(chars, attrs));
}

inline int ParameterBytes(const uint8_t* p) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i param =
      _mm_cmpeq_epi8(_mm_and_si128(v, _mm_set1_epi8(static_cast<char>(0xF0))), _mm_set1_epi8(0x30));
  return std::countr_zero(~static_cast<unsigned>(_mm_movemask_epi8(param)) | 0x10000u);
}

// Without a loop over n, whose length varies from run to run and so is
// mispredicted: the new cells are blended into the old ones.
inline void StoreFirst(TScreenChar* cells, const uint8_t* p, uint8_t attr, int n) {
  const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i attrs = _mm_set1_epi8(static_cast<char>(attr));
  const __m128i index = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  const __m128i take = _mm_cmplt_epi8(index, _mm_set1_epi8(static_cast<char>(n)));
  const auto blend = [](__m128i* at, __m128i mask, __m128i fresh) {
    const __m128i old = _mm_loadu_si128(at);
    _mm_storeu_si128(at, _mm_or_si128(_mm_and_si128(mask, fresh), _mm_andnot_si128(mask, old)));
  };
  auto* const out = reinterpret_cast<__m128i*>(cells);
  blend(out, _mm_unpacklo_epi8(take, take), _mm_unpacklo_epi8(chars, attrs));
  blend(out + 1, _mm_unpackhi_epi8(take, take), _mm_unpackhi_epi8(chars, attrs));
}

#else

constexpr int kBlock = kPortableBlock;

inline unsigned ActingBytes(const uint8_t* p) {
  return PortableActingBytes(p);
}

inline void StoreBlock(TScreenChar* cells, const uint8_t* p, uint8_t attr) {
  PortableStoreBlock(cells, p, attr);
}

inline void StoreFirst(TScreenChar* cells, const uint8_t* p, uint8_t attr, int n) {
  PortableStoreFirst(cells, p, attr, n);
}

inline int ParameterBytes(const uint8_t* p) {
  return PortableParameterBytes(p);
}

#endif

}  // namespace printable_runs
