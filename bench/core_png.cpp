// brixel-cli ansi --png against ansilove (the converter the art archives
// use), both run as a user runs them, file by file in turn: over the art of
// the shared corpus, which must take at most 0.9x ansilove's time, and on a
// picture of 5,000 rows, whose peak memory must stay under 20 MB. The time
// is brixel-cli's; x_ansilove is the ratio of the summed wall times (and
// x_ansilove_cpu of user + system), so a machine that slows down slows both.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchProcess.h"
#include "util/Paths.h"

namespace {

namespace fs = std::filesystem;

// 5,000 rows of 80 columns: runs of blocks, shades, lines and letters of 1
// to 12 cells, each in a colour change of its own, as drawn art has them.
std::string TallArt() {
  std::string art;
  uint32_t seed = 5000;
  const auto next = [&seed](uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return ((seed >> 16) & 0x7FFF) % n;
  };
  const char glyphs[] = "\xDB\xDC\xDF\xB0\xB1\xB2 ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC4\xB3\xDA\xBF";
  for (int row = 0; row < 5000; ++row) {
    for (int col = 0; col < 80;) {
      const int run = std::min<int>(1 + next(12), 80 - col);
      art += "\x1b[0;" + std::string(next(3) == 0 ? "1;" : "") + std::to_string(30 + next(8)) +
             ";" + std::to_string(40 + next(8)) + "m";
      for (int i = 0; i < run; ++i) art += glyphs[next(sizeof glyphs - 1)];
      col += run;
    }
    art += "\x1b[0m\r\n";
  }
  return art;
}

// Converts every file with both tools in turn.
void ConvertAgainstAnsilove(benchmark::State& state, const std::vector<std::string>& files) {
  if (!ProgramInPath("ansilove"))
    return state.SkipWithError("ansilove is not installed: no ratio to it");
  const std::string cli = ProgramDir() + "../brixel-cli";
  const std::string ours = (fs::temp_directory_path() / "brixel-bench-ours.png").string();
  const std::string theirs = (fs::temp_directory_path() / "brixel-bench-ansilove.png").string();
  TProcessCost sum, sumTheirs;
  double peak = 0, peakTheirs = 0;
  for (auto _ : state) {
    double seconds = 0;
    for (const std::string& file : files) {
      const TProcessCost a = RunProcess({cli, "ansi", "--png", ours, file});
      // -i: bright backgrounds, as Brixel draws attribute bit 7.
      const TProcessCost b = RunProcess({"ansilove", "-q", "-i", "-o", theirs, file});
      if (!a.Ran || !b.Ran) {
        state.SkipWithError(("cannot convert " + file).c_str());
        return;
      }
      seconds += a.WallSeconds;
      sum.WallSeconds += a.WallSeconds;
      sum.CpuSeconds += a.CpuSeconds;
      sumTheirs.WallSeconds += b.WallSeconds;
      sumTheirs.CpuSeconds += b.CpuSeconds;
      peak = std::max(peak, a.PeakMiB);
      peakTheirs = std::max(peakTheirs, b.PeakMiB);
    }
    state.SetIterationTime(seconds);
  }
  state.counters["x_ansilove"] = sum.WallSeconds / sumTheirs.WallSeconds;
  state.counters["x_ansilove_cpu"] = sum.CpuSeconds / sumTheirs.CpuSeconds;
  state.counters["peak_MiB"] = peak;
  state.counters["ansilove_peak_MiB"] = peakTheirs;
  fs::remove(ours);
  fs::remove(theirs);
}

void BM_PngCorpusAgainstAnsilove(benchmark::State& state) {
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(BRIXEL_CORPUS_DIR "/ans", ec))
    files.push_back(entry.path().string());
  if (files.empty()) return state.SkipWithError("no corpus at " BRIXEL_CORPUS_DIR);
  ConvertAgainstAnsilove(state, files);
  state.counters["files"] = static_cast<double>(files.size());
}

void BM_Png5000RowsAgainstAnsilove(benchmark::State& state) {
  const std::string file = (fs::temp_directory_path() / "brixel-bench-5000.ans").string();
  const std::string art = TallArt();
  FILE* out = std::fopen(file.c_str(), "wb");
  const bool written = out && std::fwrite(art.data(), 1, art.size(), out) == art.size();
  if (out) std::fclose(out);
  if (!written) return state.SkipWithError(("cannot write " + file).c_str());
  ConvertAgainstAnsilove(state, {file});
  fs::remove(file);
}

BENCHMARK(BM_PngCorpusAgainstAnsilove)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Png5000RowsAgainstAnsilove)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
