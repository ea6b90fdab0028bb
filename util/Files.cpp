#include "util/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

namespace {

namespace fs = std::filesystem;

constexpr int kRetryAttempts = 20;
constexpr auto kRetryPause = std::chrono::milliseconds(100);

// A name with a NUL byte would silently name a different, shorter path.
bool UsablePath(std::string_view path) {
  return !path.empty() && path.find('\0') == std::string_view::npos;
}

int OpenFlags(TFileAccess access) {
  switch (access) {
    case faRead:
      return O_RDONLY;
    case faWrite:
      return O_WRONLY;
    case faReadWrite:
      break;
  }
  return O_RDWR;
}

// Runs op (which answers an errno, 0 for success) under the retry scheme.
template <typename Op>
bool WithRetries(Op op) {
  int error = 0;
  for (int attempt = 0; attempt < kRetryAttempts; ++attempt) {
    error = op();
    if (!IsBusyError(error)) break;
    std::this_thread::sleep_for(kRetryPause);
  }
  return error == 0;
}

}  // namespace

bool IsBusyError(int error) {
  return error == EAGAIN || error == EWOULDBLOCK || error == EBUSY || error == ETXTBSY;
}

bool EraseFile(std::string_view name) {
  if (!UsablePath(name)) return false;
  std::error_code ec;
  const fs::path p{std::string(name)};
  // Only files: removing an empty directory is not what erasing a file means.
  if (fs::is_directory(fs::symlink_status(p, ec))) return false;
  return fs::remove(p, ec) && !ec;
}

bool FileThere(std::string_view name) {
  if (!UsablePath(name)) return false;
  std::error_code ec;
  const fs::file_status st = fs::status(fs::path{std::string(name)}, ec);
  return !ec && fs::exists(st) && !fs::is_directory(st);
}

TFileHandle::~TFileHandle() {
  Close();
}

TFileHandle::TFileHandle(TFileHandle&& other) noexcept
    : Fd(std::exchange(other.Fd, -1)), Error(other.Error) {}

TFileHandle& TFileHandle::operator=(TFileHandle&& other) noexcept {
  if (this != &other) {
    Close();
    Fd = std::exchange(other.Fd, -1);
    Error = other.Error;
  }
  return *this;
}

bool TFileHandle::Fail(int error) {
  Error = error;
  return false;
}

bool TFileHandle::Open(std::string_view path, TFileAccess access) {
  Close();
  if (!UsablePath(path)) return Fail(ENOENT);
  const std::string name(path);
  int fd;
  do {
    fd = ::open(name.c_str(), OpenFlags(access) | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return Fail(errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
    ::close(fd);
    return Fail(error);
  }
  Fd = fd;
  Error = 0;
  return true;
}

bool TFileHandle::Create(std::string_view path) {
  Close();
  if (!UsablePath(path)) return Fail(ENOENT);
  const std::string name(path);
  int fd;
  do {
    fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return Fail(errno);
  Fd = fd;
  Error = 0;
  return true;
}

bool TFileHandle::Close() {
  if (Fd < 0) return true;
  // No retry after EINTR: the descriptor is gone either way on Linux.
  const int rc = ::close(std::exchange(Fd, -1));
  if (rc != 0) return Fail(errno);
  return true;
}

bool TFileHandle::Seek(int64_t position) {
  if (position < 0) return Fail(EINVAL);
  if (::lseek(Fd, position, SEEK_SET) < 0) return Fail(errno);
  Error = 0;
  return true;
}

bool TFileHandle::SeekEnd() {
  if (::lseek(Fd, 0, SEEK_END) < 0) return Fail(errno);
  Error = 0;
  return true;
}

int64_t TFileHandle::Position() {
  const off_t pos = ::lseek(Fd, 0, SEEK_CUR);
  if (pos < 0) Error = errno;
  return pos;
}

int64_t TFileHandle::Size() {
  struct stat st {};
  if (::fstat(Fd, &st) != 0) {
    Error = errno;
    return -1;
  }
  return st.st_size;
}

bool TFileHandle::Read(std::span<uint8_t> buffer, size_t& count) {
  count = 0;
  while (count < buffer.size()) {
    const ssize_t got = ::read(Fd, buffer.data() + count, buffer.size() - count);
    if (got < 0) {
      if (errno == EINTR) continue;
      return Fail(errno);
    }
    if (got == 0) break;
    count += static_cast<size_t>(got);
  }
  Error = 0;
  return true;
}

bool TFileHandle::ReadExact(std::span<uint8_t> buffer) {
  size_t count = 0;
  return Read(buffer, count) && count == buffer.size();
}

bool TFileHandle::Write(std::span<const uint8_t> data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t put = ::write(Fd, data.data() + done, data.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return Fail(errno);
    }
    done += static_cast<size_t>(put);
  }
  Error = 0;
  return true;
}

bool RetryReset(TFileHandle& file, std::string_view path, TFileAccess access) {
  return WithRetries([&] { return file.Open(path, access) ? 0 : file.LastError(); });
}

bool RetryBlockRead(TFileHandle& file, std::span<uint8_t> buffer, size_t& count) {
  // Bytes that arrived before a busy refusal are kept; the retry reads on after them.
  size_t total = 0;
  const bool ok = WithRetries([&] {
    size_t got = 0;
    const bool done = file.Read(buffer.subspan(total), got);
    total += got;
    return done ? 0 : file.LastError();
  });
  count = total;
  return ok;
}
