#pragma once

#include <functional>
#include <string>

// Tests run as root, and root ignores permission bits. To see what an
// ordinary user sees, RunAsNobody forks, drops the child to uid/gid 65534 and
// runs body there (a code of 99 is reserved); the child's answer comes back as the process exit
// code. Returns that code (0..255), or -1 when no such child could be run; why is put in *reason.
// Without root, body simply runs in this process.
int RunAsNobody(const std::function<int()>& body, std::string* reason);
// Runs body in a forked child (as root: as uid 65534 when asNobody), for
// limits and signals that must not reach the test process. Answers the
// child's exit code (0..255), 256 + the signal that ended it, or -1 (why in *reason).
int RunInChild(const std::function<int()>& body, bool asNobody, std::string* reason);

// Makes path readable and its directory searchable by everybody (temp dirs
// are created private). The directories above must already be searchable.
bool OpenForNobody(const std::string& path);
