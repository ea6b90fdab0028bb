// The ANSI interpreter over real art (the shared corpus, when it is there),
// over about 1 MB of generated art, and over plain text, each as a ratio to
// one memchr pass over the same bytes in the same run (x_memchr: how many
// memchr passes one interpretation costs). Every pass starts from a cleared
// picture, as reading a file does.
// Aims: the corpus at 500 MB/s or more, plain text at 2 GB/s or more.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "ansi/AnsiInterpreter.h"
#include "ansi/Sauce.h"
#include "util/Files.h"

namespace {

namespace fs = std::filesystem;

std::span<const uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

// Deterministic art in the proportions of real ANSI art: about half of the
// bytes in escape sequences, one sequence every dozen bytes; of those, nine in
// ten colour changes (one, two or three values), most others cursor forward.
// Every block of 40 rows starts at the top again, so the picture never fills
// and the whole buffer is read.
const std::string& GeneratedArt() {
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

// The art of the corpus in one buffer: each file without its SAUCE trailer
// and up to its end-of-file byte, starting in a cleared picture in the
// default colours. Empty without the corpus.
const std::string& CorpusArt() {
  static const std::string art = [] {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(BRIXEL_CORPUS_DIR "/ans", ec))
      if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::string s;
    for (const fs::path& file : files) {
      std::vector<uint8_t> bytes;
      int error = 0;
      if (!ReadWholeFile(file.string(), bytes, error)) continue;
      TSauce sauce;
      size_t end = bytes.size();
      ParseSauce(bytes, sauce, end);
      end = std::find(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end), 26) -
            bytes.begin();
      s += "\x1b[0m\x1b[2J";
      s.append(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end));
    }
    return s;
  }();
  return art;
}

// 4,000 rows of 79 printable characters and CR LF: a text file.
const std::string& PlainText() {
  static const std::string text = [] {
    std::string s;
    uint32_t seed = 79;
    for (int row = 0; row < 4000; ++row) {
      for (int col = 0; col < 79; ++col) {
        seed = seed * 1103515245u + 12345u;
        s += static_cast<char>(' ' + ((seed >> 16) & 0x7FFF) % 95);
      }
      s += "\r\n";
    }
    return s;
  }();
  return text;
}

// The processor time this thread has used, in seconds: what the benchmark's
// rates are made of too, so that other work on the machine does not count.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The seconds of one memchr pass over bytes for a byte not in them: the
// fastest of several batches.
double MemchrSeconds(std::span<const uint8_t> bytes) {
  double best = 1e9;
  for (int batch = 0; batch < 5; ++batch) {
    const double start = ThreadSeconds();
    for (int pass = 0; pass < 200; ++pass) {
      const void* found = std::memchr(bytes.data(), 26, bytes.size());
      benchmark::DoNotOptimize(found);
    }
    best = std::min(best, (ThreadSeconds() - start) / 200);
  }
  return best;
}

void Interpret(benchmark::State& state, const std::string& input) {
  const std::span<const uint8_t> bytes = Bytes(input);
  TMsgBaseAnsi ansi;
  const double start = ThreadSeconds();
  for (auto _ : state) {
    ansi.Clear();
    if (ansi.ProcessBuffer(bytes)) state.SkipWithError("the input stopped the reader");
    benchmark::DoNotOptimize(ansi.Picture().At(0, 0));
  }
  const double seconds = ThreadSeconds() - start;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
  state.counters["x_memchr"] =
      seconds / static_cast<double>(state.iterations()) / MemchrSeconds(bytes);
}

void BM_AnsiCorpus(benchmark::State& state) {
  if (CorpusArt().empty()) return state.SkipWithError("no corpus at " BRIXEL_CORPUS_DIR);
  Interpret(state, CorpusArt());
}
BENCHMARK(BM_AnsiCorpus);

void BM_AnsiPlainText(benchmark::State& state) {
  Interpret(state, PlainText());
}
BENCHMARK(BM_AnsiPlainText);

void BM_AnsiInterpret(benchmark::State& state) {
  Interpret(state, GeneratedArt());
}
BENCHMARK(BM_AnsiInterpret);

}  // namespace
