// The ANSI interpreter over about 1 MB of generated art (colour changes every
// few characters, cursor movement, erases, line ends, wrapped rows), against
// the floor of one memchr pass over the same bytes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>

#include "ansi/AnsiInterpreter.h"

namespace {

// Deterministic art in the proportions of real ANSI art: about half of the
// bytes in escape sequences, one sequence every dozen bytes; of those, nine in
// ten colour changes (one, two or three values), most others cursor forward.
// Every block of 40 rows starts at the top again, so the picture never fills
// and the whole buffer is read.
const std::string& Art() {
  static const std::string art = [] {
    std::string s;
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t n) {
      seed = seed * 1103515245u + 12345u;
      return ((seed >> 16) & 0x7FFF) % n;
    };
    auto colour = [&] {
      const uint32_t kind = next(3);
      if (kind == 0) return std::to_string(next(2) ? 0 : 1);
      return std::to_string((kind == 1 ? 30 : 40) + next(8));
    };
    int row = 0;
    while (s.size() < (1u << 20)) {
      if (row % 40 == 0) s += "\x1b[H\x1b[0m";
      int col = 0;
      while (col < 79) {
        // Text: often a character or two, sometimes a long run.
        const int run = next(2) ? 1 + static_cast<int>(next(3)) : 4 + static_cast<int>(next(17));
        for (int i = 0; i < run; ++i) s += static_cast<char>(0xB0 + next(48));
        col += run;
        const uint32_t kind = next(100);
        if (kind < 87) {
          const uint32_t values = 1 + (kind < 48 ? 0 : kind < 78 ? 1 : 2);
          s += "\x1b[" + colour();
          for (uint32_t v = 1; v < values; ++v) s += ";" + colour();
          s += "m";
        } else if (kind < 97) {
          const int skip = 1 + static_cast<int>(next(6));
          s += "\x1b[" + std::to_string(skip) + "C";
          col += skip;
        } else {
          s += kind < 99 ? "\x1b[s\x1b[u" : "\x1b[K";
        }
      }
      s += row % 7 == 0 ? "" : "\r\n";  // some rows wrap instead
      ++row;
    }
    return s;
  }();
  return art;
}

std::span<const uint8_t> ArtBytes() {
  return {reinterpret_cast<const uint8_t*>(Art().data()), Art().size()};
}

void BM_AnsiInterpret(benchmark::State& state) {
  const std::span<const uint8_t> bytes = ArtBytes();
  const auto ansi = std::make_unique<TMsgBaseAnsi>();
  for (auto _ : state) {
    // The art starts at the top in the default colour, so runs need no Clear.
    if (ansi->ProcessBuffer(bytes)) state.SkipWithError("the art stopped the reader");
    benchmark::DoNotOptimize(ansi->Image[1][1]);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_AnsiInterpret);

// The floor: one pass over the bytes looking for a byte that is not there.
void BM_MemchrFloor(benchmark::State& state) {
  const std::span<const uint8_t> bytes = ArtBytes();
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::memchr(bytes.data(), 26, bytes.size()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_MemchrFloor);

}  // namespace
