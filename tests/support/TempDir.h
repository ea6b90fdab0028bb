#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A fresh directory under the system temp folder, removed with everything in
// it when the object goes away.
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::filesystem::path& Path() const { return Dir; }
  // Full path of a name inside the directory, as a string for the file helpers.
  std::string File(std::string_view name) const;
  // Writes bytes to a file inside the directory; answers its full path.
  std::string Write(std::string_view name, std::span<const uint8_t> bytes) const;
  std::string Write(std::string_view name, std::string_view bytes) const;

 private:
  std::filesystem::path Dir;
};

// The whole content of a file (empty when it cannot be read).
std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
