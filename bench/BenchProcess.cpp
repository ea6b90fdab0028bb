#include "BenchProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string_view>

extern char** environ;

TProcessCost RunProcess(const std::vector<std::string>& argv) {
  TProcessCost cost;
  std::vector<std::string> args = argv;
  std::vector<char*> pointers;
  for (std::string& arg : args) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, pointers[0], &actions, nullptr, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return cost;
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) return cost;
  cost.WallSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  cost.CpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  cost.PeakMiB = usage.ru_maxrss / 1024.0;
  cost.Ran = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return cost;
}

bool ProgramInPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string_view dirs = path ? path : "/usr/bin:/bin";
  while (!dirs.empty()) {
    const size_t colon = dirs.find(':');
    const std::string candidate = std::string(dirs.substr(0, colon)) + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) return true;
    dirs = colon == std::string_view::npos ? "" : dirs.substr(colon + 1);
  }
  return false;
}
