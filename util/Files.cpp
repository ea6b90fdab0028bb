#include "util/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
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
  return FileProblem(name) == 0;
}

int FileProblem(std::string_view name) {
  if (!UsablePath(name)) return ENOENT;
  struct stat st {};
  if (::stat(std::string(name).c_str(), &st) != 0) return errno;
  return S_ISDIR(st.st_mode) ? EISDIR : 0;
}

std::string FileErrorText(int error) {
  if (error == kNotRegularFile) return "not a regular file";
  if (error == kDanglingLink) return "a symbolic link to a missing file";
  if (error == kFileChanged) return "the file changed since it was loaded; reload it";
  if (error == kFileBusy) return "another program is writing the file";
  // Past the size limit of the process (ulimit -f), the usual cause here.
  if (error == EFBIG) return "file too large for the limit set";
  std::string text = std::strerror(error);
  // The system's texts start with a capital; they read as the tail of a sentence here.
  if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] + 32);
  return text;
}

bool SameFile(std::string_view a, std::string_view b) {
  if (!UsablePath(a) || !UsablePath(b)) return false;
  struct stat sa {
  }, sb{};
  return ::stat(std::string(a).c_str(), &sa) == 0 && ::stat(std::string(b).c_str(), &sb) == 0 &&
         sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
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
  // Non-blocking only for the open itself: a FIFO would otherwise wait for
  // its other end here, before the checks below could refuse it.
  do {
    fd = ::open(name.c_str(), OpenFlags(access) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  } while (fd < 0 && errno == EINTR);
  // A FIFO without a reader answers a non-blocking write open with ENXIO.
  if (fd < 0) return Fail(errno == ENXIO ? kNotRegularFile : errno);
  struct stat st {};
  int error = 0;
  if (::fstat(fd, &st) != 0)
    error = errno;
  else if (S_ISDIR(st.st_mode))
    error = EISDIR;
  else if (!S_ISREG(st.st_mode))
    error = kNotRegularFile;
  else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
    error = errno;
  if (error != 0) {
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

bool TFileHandle::ReadExactAt(int64_t position, std::span<uint8_t> buffer) {
  if (position < 0) return Fail(EINVAL);
  size_t done = 0;
  while (done < buffer.size()) {
    const ssize_t got = ::pread(Fd, buffer.data() + done, buffer.size() - done,
                                static_cast<off_t>(position + static_cast<int64_t>(done)));
    if (got < 0) {
      if (errno == EINTR) continue;
      return Fail(errno);
    }
    if (got == 0) return false;
    done += static_cast<size_t>(got);
  }
  Error = 0;
  return true;
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

bool ReadWholeFile(std::string_view path, std::vector<uint8_t>& bytes, int& error, size_t limit) {
  bytes.clear();
  TFileHandle file;
  if (!RetryReset(file, path, faRead)) {
    error = file.LastError();
    return false;
  }
  return ReadWholeFile(file, bytes, error, limit);
}

bool ReadWholeFile(TFileHandle& file, std::vector<uint8_t>& bytes, int& error, size_t limit) {
  bytes.clear();
  error = 0;
  if (!file.Seek(0)) {
    error = file.LastError();
    return false;
  }
  // The size only sizes the buffer: the file may grow or shrink while it is
  // read. One byte more than it, so a file that stays as it is needs one read.
  const int64_t size = file.Size();
  bytes.reserve(std::min(static_cast<size_t>(std::max<int64_t>(size, 0)), limit - 1) + 1);
  constexpr size_t kChunk = 64 * 1024;
  for (;;) {
    const size_t at = bytes.size();
    const size_t room = bytes.capacity() - at;
    const size_t want = std::min(room > 0 ? room : kChunk, limit - at);
    if (want == 0) return true;
    bytes.resize(at + want);
    size_t count = 0;
    const bool ok = RetryBlockRead(file, std::span(bytes).subspan(at), count);
    bytes.resize(at + count);
    if (!ok) {
      error = file.LastError();
      return false;
    }
    if (count < want) return true;
  }
}

namespace {

// The mode a newly created file gets: 0666 less the process's umask.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

TFileStamp StampOfStat(const struct stat& st) {
  return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
          static_cast<int64_t>(st.st_size),
          static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
          static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

// Where the bytes really go: a link is followed so that the link stays a
// link. Answers 0, or why there is no file to write through the link.
int ReplacementTarget(const std::string& path, std::string& target) {
  target = path;
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (!resolved) return errno == ENOENT ? kDanglingLink : errno;
  target = resolved;
  std::free(resolved);
  return 0;
}

// Root is held to the write bits: see ReplaceFileContents.
bool MayWrite(const std::string& path, const struct stat& st) {
  if (::geteuid() == 0) return (st.st_mode & 0222) != 0;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The new file takes the old one's owner and group where this process may
// give them (root always; a user only a group of its own), then its mode:
// changing the owner clears the set-id bits, so the mode goes last.
bool TakeOwnerAndMode(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
    if (::geteuid() == 0) return false;
    static_cast<void>(::fchown(fd, static_cast<uid_t>(-1), old.st_gid));
  }
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// The start of the temporary names for a target: ".bx.", eight hex digits
// of the target's name (FNV-1a) and a dot. Short whatever the name's length,
// and the same for every write of one target, so a write finds what a killed
// one left of the same file.
std::string TemporaryPrefix(const std::string& name) {
  uint32_t hash = 2166136261u;
  for (const char c : name) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string prefix = ".bx.";
  for (int shift = 28; shift >= 0; shift -= 4) prefix += kHex[(hash >> shift) & 15];
  return prefix + ".";
}

// A temporary file lives as long as one write; one that has not changed for
// this long was left by a run that was killed.
constexpr auto kStaleTemporary = std::chrono::seconds(60);

// Removes the temporaries of prefix in folder that a killed run left: regular
// files of this user, unchanged for kStaleTemporary. Anything else (a write
// in progress, another user's file) stays.
void RemoveStaleTemporaries(const std::string& folder, const std::string& prefix) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const int64_t oldest =
      std::chrono::duration_cast<std::chrono::seconds>(now - kStaleTemporary).count();
  const size_t nameSize = prefix.size() + 6;  // mkstemp's six characters
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() != nameSize || !name.starts_with(prefix)) continue;
    struct stat st {};
    if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_mtim.tv_sec < oldest)
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

// Whether this process may create files in folder: root only where the
// folder has a write bit (see ReplaceFileContents); others find out from
// the creation itself.
bool MayWriteFolder(const std::string& folder) {
  if (::geteuid() != 0) return true;
  struct stat st {};
  return ::stat(folder.c_str(), &st) != 0 || (st.st_mode & 0222) != 0;
}

// Whether the target still has the stamp the new content was made from.
bool StillUnchanged(const std::string& target, const TFileStamp& unchanged) {
  struct stat st {};
  return ::stat(target.c_str(), &st) == 0 && StampOfStat(st) == unchanged;
}

}  // namespace

bool StampOf(TFileHandle& file, TFileStamp& stamp) {
  struct stat st {};
  if (::fstat(file.Descriptor(), &st) != 0) return false;
  stamp = StampOfStat(st);
  return true;
}

TFileStamp FileStampOf(std::string_view path) {
  struct stat st {};
  if (::stat(std::string(path).c_str(), &st) != 0) return {};
  return StampOfStat(st);
}

bool ReplaceFileContents(std::string_view path, std::span<const uint8_t> data, int& error,
                         const TFileStamp* unchanged) {
  return ReplaceFileWith(
      path, [data](const TByteSink& sink) { return sink(data); }, error, unchanged);
}

bool ReplaceFileWith(std::string_view path, const std::function<bool(const TByteSink&)>& write,
                     int& error, const TFileStamp* unchanged) {
  error = 0;
  if (!UsablePath(path)) return error = ENOENT, false;
  std::string target;
  if ((error = ReplacementTarget(std::string(path), target)) != 0) return false;
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return error = errno, false;
  if (exists) {
    if (S_ISDIR(old.st_mode)) return error = EISDIR, false;
    if (!S_ISREG(old.st_mode)) return error = kNotRegularFile, false;
    if (!MayWrite(target, old)) return error = EACCES, false;
  }
  const fs::path targetPath(target);
  std::string folder = targetPath.parent_path().string();
  if (folder.empty()) folder = ".";
  if (!MayWriteFolder(folder)) return error = EACCES, false;
  const std::string prefix = TemporaryPrefix(targetPath.filename().string());
  RemoveStaleTemporaries(folder, prefix);
  std::string temp = (fs::path(folder) / (prefix + "XXXXXX")).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return error = errno, false;
  TFileHandle file(fd);
  const bool kept = exists ? TakeOwnerAndMode(fd, old) : ::fchmod(fd, NewFileMode()) == 0;
  int sinkError = 0;
  const TByteSink sink = [&file, &sinkError](std::span<const uint8_t> piece) {
    if (sinkError == 0 && !file.Write(piece)) sinkError = file.LastError();
    return sinkError == 0;
  };
  bool written = kept;
  if (!kept) error = errno;
  if (written && !write(sink)) {
    written = false;
    error = sinkError ? sinkError : ECANCELED;
  }
  if (written && ::fsync(fd) != 0) {
    written = false;
    error = errno;
  }
  if (!file.Close() && written) error = file.LastError();
  if (error == 0 && unchanged && !StillUnchanged(target, *unchanged)) error = kFileChanged;
  if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temp.c_str());
  return error == 0;
}

namespace {

constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockPoll = std::chrono::milliseconds(20);

}  // namespace

bool TFileLock::Lock(std::string_view path, int& error) {
  error = 0;
  const auto deadline = std::chrono::steady_clock::now() + kLockWait;
  for (;;) {
    if (!RetryReset(Handle, path, faRead)) return error = Handle.LastError(), false;
    while (::flock(Handle.Descriptor(), LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK && errno != EINTR) return error = errno, false;
      if (std::chrono::steady_clock::now() >= deadline) return error = kFileBusy, false;
      std::this_thread::sleep_for(kLockPoll);
    }
    // The writer waited for may have renamed a new file into place: the lock
    // on the old one guards nothing then.
    struct stat named {};
    if (!StampOf(Handle, Locked)) return error = errno, false;
    if (::stat(std::string(path).c_str(), &named) != 0) return error = errno, false;
    if (static_cast<uint64_t>(named.st_dev) == Locked.Device &&
        static_cast<uint64_t>(named.st_ino) == Locked.Inode)
      return true;
    Handle.Close();
    if (std::chrono::steady_clock::now() >= deadline) return error = kFileBusy, false;
  }
}
