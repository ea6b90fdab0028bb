#pragma once

#include <string>
#include <string_view>

// Path splitting on "/" (and "\" where stated), without touching the disk.

// The path with a "/" at its end; an empty path gives "/".
std::string AddSlash(std::string_view path);
// Up to and including the last "/" or "\"; empty when the path has no "/" at all.
std::string JustPath(std::string_view path);
// What follows the last "/" or "\"; the whole path when it has neither.
std::string JustName(std::string_view path);

// Remembers argument 0 for ProgramDir, for systems without /proc/self/exe.
void SetProgramArg0(const char* arg0);
// Directory of the running executable, ending in "/".
std::string ProgramDir();
// The rule behind ProgramDir: the directory of exePath when that is known
// (not empty), else the directory part of arg0, else "./".
std::string ProgramDirFrom(std::string_view exePath, std::string_view arg0);
