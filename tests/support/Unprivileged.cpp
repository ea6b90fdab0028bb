#include "Unprivileged.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {
constexpr uid_t kNobody = 65534;
constexpr int kCannotDrop = 99;
}  // namespace

int RunAsNobody(const std::function<int()>& body, std::string* reason) {
  // Without root the permission bits already bind this process.
  if (::geteuid() != 0) return body() & 0xFF;
  const int code = RunInChild(body, true, reason);
  if (code > 255) {
    if (reason) *reason = "the unprivileged child did not exit normally";
    return -1;
  }
  return code;
}

int RunInChild(const std::function<int()>& body, bool asNobody, std::string* reason) {
  const pid_t pid = ::fork();
  if (pid < 0) {
    if (reason) *reason = "fork failed";
    return -1;
  }
  if (pid == 0) {
    if (asNobody && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      ::_exit(kCannotDrop);
    }
    ::_exit(body() & 0xFF);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) {
      if (reason) *reason = "lost the unprivileged child";
      return -1;
    }
  }
  if (WIFSIGNALED(status)) return 256 + WTERMSIG(status);
  if (!WIFEXITED(status)) {
    if (reason) *reason = "the child did not exit normally";
    return -1;
  }
  if (WEXITSTATUS(status) == kCannotDrop) {
    if (reason) *reason = "cannot switch to uid 65534 here";
    return -1;
  }
  return WEXITSTATUS(status);
}

bool OpenForNobody(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path p = fs::absolute(path, ec);
  if (ec) return false;
  fs::permissions(p, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                  fs::perm_options::add, ec);
  if (ec) return false;
  fs::permissions(p.parent_path(),
                  fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                      fs::perms::others_exec,
                  fs::perm_options::add, ec);
  return !ec;
}
