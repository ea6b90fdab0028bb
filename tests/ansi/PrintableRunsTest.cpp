#include <gtest/gtest.h>

#include <array>
#include <random>

#include "ansi/PrintableRuns.h"

namespace {

using namespace printable_runs;

// The bits ActingBytes answers for count bytes at p, byte by byte.
unsigned ActingOneByOne(const uint8_t* p, int count) {
  unsigned acting = 0;
  for (int k = 0; k < count; ++k) {
    const uint8_t b = p[k];
    if (b == 9 || b == 10 || b == 13 || b == 26 || b == 27) acting |= 1u << k;
  }
  return acting;
}

// Both forms, the chosen one and the portable one, find exactly the bytes
// the text state acts on, whatever surrounds them (the bytes next to 27 and
// the ones with the top bit set are where a comparison of signed bytes or a
// borrow between bytes would go wrong), and store characters with the attribute.
TEST(PrintableRuns, FindTheBytesTheTextStateActsOn) {
  std::mt19937 random(16);
  std::array<uint8_t, 16> block{};
  for (int round = 0; round < 20000; ++round) {
    for (uint8_t& b : block) {
      const uint32_t kind = random() % 4;
      b = static_cast<uint8_t>(kind == 0   ? random() % 32
                               : kind == 1 ? 0x80 + random() % 128
                                           : random() % 256);
    }
    ASSERT_EQ(ActingBytes(block.data()), ActingOneByOne(block.data(), kBlock));
    ASSERT_EQ(PortableActingBytes(block.data()), ActingOneByOne(block.data(), kPortableBlock));
  }
  for (int b = 0; b < 256; ++b) {
    block.fill(static_cast<uint8_t>(b));
    EXPECT_EQ(ActingBytes(block.data()), ActingOneByOne(block.data(), kBlock)) << b;
    EXPECT_EQ(PortableActingBytes(block.data()), ActingOneByOne(block.data(), kPortableBlock)) << b;
  }

  std::array<TScreenChar, 16> cells{}, portable{};
  for (int k = 0; k < 16; ++k) block[k] = static_cast<uint8_t>(0xF0 + k);
  StoreBlock(cells.data(), block.data(), 0x9E);
  PortableStoreBlock(portable.data(), block.data(), 0x9E);
  for (int k = 0; k < kBlock; ++k) EXPECT_EQ(cells[k], (TScreenChar{block[k], 0x9E})) << k;
  for (int k = 0; k < kPortableBlock; ++k) EXPECT_EQ(portable[k], cells[k]) << k;
}

}  // namespace
