#pragma once

#include <string>
#include <vector>

// Whole programs run as a user runs them, for benchmarks that compare
// processes: what one run cost, by the system's own accounting.
struct TProcessCost {
  bool Ran = false;        // started, and ended with exit code 0
  double WallSeconds = 0;  // from the start to the end of the wait
  double CpuSeconds = 0;   // user + system of the child
  double PeakMiB = 0;      // the child's largest resident size
};

// Runs argv[0] (looked up in PATH when it has no slash) with the arguments,
// its output going to /dev/null, and waits for it.
TProcessCost RunProcess(const std::vector<std::string>& argv);

// Whether a program of that name is in PATH.
bool ProgramInPath(const std::string& name);
