// brixel-cli list on a bundle of 3,600 fonts against a file of one font, as a
// user runs it: the whole process, its output sent to /dev/null. The ratio of
// the two times is what counts; the bundle must not cost more than 3x. Beside
// it, brixel-cli fonts over a folder holding the same bundle, which must not
// cost more than 3x the list of the bundle, and the contact sheet and the
// duplicates of that folder as ratios to the fonts listing of it.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchProcess.h"
#include "tdf/TdfFormat.h"
#include "util/Paths.h"

namespace {

namespace fs = std::filesystem;

// A Block font with all 94 glyphs, each a 5x3 block of cells.
std::vector<uint8_t> FullFont(int number) {
  std::vector<uint8_t> block;
  std::string name = "F";
  name += std::to_string(number);  // written so: GCC 12 warns falsely on "F" + string at -O2
  TFontHeader header = NewFontHeader(name, ftBlock, 1);
  for (int i = 0; i < kGlyphCount; ++i) {
    SetGlyphOffset(header, i, static_cast<uint16_t>(block.size()));
    const uint8_t glyph[] = {5,   3,   219, 219, 219, 219, 219, 13,  219, 219,
                             219, 219, 219, 13,  219, 219, 219, 219, 219, 0};
    block.insert(block.end(), std::begin(glyph), std::end(glyph));
  }
  SetBlockSize(header, static_cast<uint16_t>(block.size()));
  const auto* bytes = reinterpret_cast<const uint8_t*>(&header);
  // Sized once: growing from the header's 213 bytes draws a false -Warray-bounds from GCC 12.
  std::vector<uint8_t> font(sizeof header + block.size());
  std::copy(bytes, bytes + sizeof header, font.begin());
  std::copy(block.begin(), block.end(), font.begin() + sizeof header);
  return font;
}

std::string WriteFontFile(const std::string& name, int fonts) {
  const std::string path = (fs::temp_directory_path() / name).string();
  FILE* file = std::fopen(path.c_str(), "wb");
  const TTDFont signature = StandardSignature();
  std::fwrite(&signature, sizeof signature, 1, file);
  for (int n = 1; n <= fonts; ++n) {
    const std::vector<uint8_t> font = FullFont(n);
    std::fwrite(font.data(), 1, font.size(), file);
  }
  std::fclose(file);
  return path;
}

// Runs brixel-cli COMMAND PATH with its output going nowhere; false on failure.
bool RunCli(const std::string& cli, const char* command, const std::string& path) {
  return RunProcess({cli, command, path}).Ran;
}

// Runs brixel-cli COMMAND on a fresh file of that many fonts, by itself or
// (inFolder) as the one font file of a folder.
void RunOnFontFile(benchmark::State& state, const char* command, int fonts, bool inFolder) {
  // Next to the benchmarks' own folder, as the build lays them out.
  const std::string cli = ProgramDir() + "../brixel-cli";
  std::string name = "brixel-bench-";
  name += command;
  name += std::to_string(fonts);
  const fs::path folder = fs::temp_directory_path() / name;
  if (inFolder) fs::create_directory(folder);
  const fs::path inTemp = inFolder ? fs::path(name) / "bundle.tdf" : fs::path(name + ".tdf");
  const std::string file = WriteFontFile(inTemp.string(), fonts);
  const std::string target = inFolder ? folder.string() : file;
  for (auto _ : state) {
    if (!RunCli(cli, command, target)) {
      state.SkipWithError(("cannot run " + cli).c_str());
      break;
    }
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(file));
  fs::remove(file);
  if (inFolder) fs::remove(folder);
}

void BM_ListOneFont(benchmark::State& state) {
  RunOnFontFile(state, "list", 1, false);
}
void BM_ListBundleOf3600Fonts(benchmark::State& state) {
  RunOnFontFile(state, "list", 3600, false);
}
void BM_FontsFolderWithBundleOf3600Fonts(benchmark::State& state) {
  RunOnFontFile(state, "fonts", 3600, true);
}

// brixel-cli list on a file of one font, run in turn with /bin/true: the
// time is brixel-cli's, x_true the ratio of the two wall times summed over
// the pairs, so a machine that slows down slows both.
void BM_ListStartupAgainstTrue(benchmark::State& state) {
  const std::string cli = ProgramDir() + "../brixel-cli";
  const std::string file = WriteFontFile("brixel-bench-startup.tdf", 1);
  double cliSeconds = 0, trueSeconds = 0;
  for (auto _ : state) {
    const TProcessCost list = RunProcess({cli, "list", file});
    const TProcessCost empty = RunProcess({"/bin/true"});
    if (!list.Ran || !empty.Ran) {
      state.SkipWithError(("cannot run " + cli + " or /bin/true").c_str());
      break;
    }
    state.SetIterationTime(list.WallSeconds);
    cliSeconds += list.WallSeconds;
    trueSeconds += empty.WallSeconds;
  }
  if (trueSeconds > 0) state.counters["x_true"] = cliSeconds / trueSeconds;
  fs::remove(file);
}

// brixel-cli fonts ARGS... over a folder holding the 3,600-font bundle, run
// in turn with the plain listing of the folder: x_fonts is the ratio of the
// wall times summed over the pairs, peak_mib the largest resident size.
void RunAgainstFonts(benchmark::State& state, const std::string& name,
                     std::vector<std::string> args) {
  const std::string cli = ProgramDir() + "../brixel-cli";
  const fs::path folder = fs::temp_directory_path() / name;
  fs::create_directory(folder);
  const std::string file = WriteFontFile((fs::path(name) / "bundle.tdf").string(), 3600);
  std::vector<std::string> argv = {cli, "fonts"};
  argv.insert(argv.end(), args.begin(), args.end());
  argv.push_back(folder.string());
  double seconds = 0, fontsSeconds = 0, peak = 0;
  for (auto _ : state) {
    const TProcessCost run = RunProcess(argv);
    const TProcessCost listing = RunProcess({cli, "fonts", folder.string()});
    if (!run.Ran || !listing.Ran) {
      state.SkipWithError(("cannot run " + cli).c_str());
      break;
    }
    state.SetIterationTime(run.WallSeconds);
    seconds += run.WallSeconds;
    fontsSeconds += listing.WallSeconds;
    peak = std::max(peak, run.PeakMiB);
  }
  if (fontsSeconds > 0) state.counters["x_fonts"] = seconds / fontsSeconds;
  state.counters["peak_mib"] = peak;
  fs::remove_all(folder);
}

void BM_DuplicatesOfBundleOf3600FontsAgainstFonts(benchmark::State& state) {
  RunAgainstFonts(state, "brixel-bench-duplicates", {"--duplicates"});
}
void BM_SheetOfBundleOf3600FontsAgainstFonts(benchmark::State& state) {
  const fs::path sheet = fs::temp_directory_path() / "brixel-bench-sheet.png";
  RunAgainstFonts(state, "brixel-bench-sheet", {"--sheet", sheet.string(), "Brixel"});
  state.counters["png_mib"] = static_cast<double>(fs::file_size(sheet)) / (1 << 20);
  fs::remove(sheet);
}

BENCHMARK(BM_ListOneFont)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListStartupAgainstTrue)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListBundleOf3600Fonts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FontsFolderWithBundleOf3600Fonts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DuplicatesOfBundleOf3600FontsAgainstFonts)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetOfBundleOf3600FontsAgainstFonts)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
