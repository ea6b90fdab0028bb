#include "TempDir.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <system_error>

TTempDir::TTempDir() {
  std::error_code ec;
  std::string pattern = (std::filesystem::temp_directory_path(ec) / "brixel-test-XXXXXX").string();
  if (ec) pattern = "/tmp/brixel-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot create a temp dir";
  Dir = pattern;
}

TTempDir::~TTempDir() {
  std::error_code ec;
  std::filesystem::remove_all(Dir, ec);
}

std::string TTempDir::File(std::string_view name) const {
  return (Dir / name).string();
}

std::string TTempDir::Write(std::string_view name, std::span<const uint8_t> bytes) const {
  const std::string path = File(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) ADD_FAILURE() << "cannot write " << path;
  return path;
}

std::string TTempDir::Write(std::string_view name, std::string_view bytes) const {
  return Write(name, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
