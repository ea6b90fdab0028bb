#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// File helpers. Every failure is a false result with the platform's error
// code kept for the caller; nothing throws and nothing is printed.

// The error code for a path that exists but is no regular file (a FIFO, a
// device, a socket): reading one can block forever, so it is never opened.
constexpr int kNotRegularFile = 0x10000;
// The error code for a symbolic link whose target does not exist: writing
// through it could create a file anywhere, so a writer refuses it (as cp does).
constexpr int kDanglingLink = 0x10001;
// The error code for a file that changed on disk between the read a change
// was made from and the write of that change: writing would lose the other
// change, so the write is refused and the file stays as the other one left it.
constexpr int kFileChanged = 0x10002;
// The error code for a file another writer kept locked (TFileLock) for
// longer than a writer waits.
constexpr int kFileBusy = 0x10003;

// Deletes a file (not a directory); true when the deletion reported no error.
bool EraseFile(std::string_view name);
// True when the name exists and is not a directory.
bool FileThere(std::string_view name);
// Why the name cannot be a file to open: 0 when it exists and is not a
// directory, else ENOENT, EISDIR, ELOOP, ENAMETOOLONG, EACCES and the like.
int FileProblem(std::string_view name);
// The reason for an error code in a user's words: "permission denied",
// "is a directory", "not a regular file", ...
std::string FileErrorText(int error);
// True when both names lead to one existing file (same device and inode),
// also through links.
bool SameFile(std::string_view a, std::string_view b);
class TFileHandle;

// What tells one version of a file from another: the file itself (device
// and inode: a file renamed into place is another one), its size, and when
// its content and its inode last changed.
struct TFileStamp {
  uint64_t Device = 0;
  uint64_t Inode = 0;
  int64_t Size = -1;
  int64_t ModifiedNs = 0;
  int64_t ChangedNs = 0;
  friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
};
// The stamp of an open file; false (with LastError set) when it cannot be had.
bool StampOf(TFileHandle& file, TFileStamp& stamp);
// The stamp of the file a path names now; the empty stamp (Size -1) when
// there is none.
TFileStamp FileStampOf(std::string_view path);

// Replaces the file at path with bytes: written to a temporary file with a
// short name beside it (".bx." and a tag of the target's name), synced and
// renamed into place, so a failure or a kill never leaves a half-written
// target. A temporary of the same target left by a killed run (older than a
// minute, owned by this user) is removed first; one of a failed write is
// removed at once. A link is followed and its target replaced; a link to
// nothing is refused (kDanglingLink). An existing target must be a regular
// file this process may write, in a folder it may write, else EACCES: root
// passes every permission check, but a file or folder without any write bit
// was protected on purpose, so root is refused it as well (as editors refuse
// to save one). The new file keeps the old one's permissions and, when root
// writes it, its owner and group. Other names of the file (hard links) keep
// the old content. With unchanged, the target must still have that stamp
// right before the rename (the file the new content was made from), else
// nothing is replaced and error is kFileChanged. error holds the errno on
// false; a write past the file-size limit (ulimit -f, with SIGXFSZ ignored)
// is EFBIG.
bool ReplaceFileContents(std::string_view path, std::span<const uint8_t> data, int& error,
                         const TFileStamp* unchanged = nullptr);

// Takes the next piece of a file being written; false when it could not be
// written (the piece is lost, and so is the file).
using TByteSink = std::function<bool(std::span<const uint8_t>)>;
// The same replacement for content made while it is written, so it never
// has to be whole in memory: write gets a sink into the temporary file and
// answers whether it made all of it. When it gives up (false), the target
// stays as it was and error is the errno of a failed piece, or ECANCELED
// when no piece failed and write gave up for a reason of its own.
bool ReplaceFileWith(std::string_view path, const std::function<bool(const TByteSink&)>& write,
                     int& error, const TFileStamp* unchanged = nullptr);

enum TFileAccess : uint8_t { faRead, faWrite, faReadWrite };

// An open file descriptor that is closed when the handle goes away. Reads and
// writes are whole: they carry on after partial transfers and interruptions.
class TFileHandle {
 public:
  TFileHandle() = default;
  // Takes over an already open descriptor.
  explicit TFileHandle(int fd) : Fd(fd) {}
  ~TFileHandle();
  TFileHandle(TFileHandle&& other) noexcept;
  TFileHandle& operator=(TFileHandle&& other) noexcept;
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;

  // Opens an existing regular file in one attempt; anything else (a
  // directory, a FIFO, a device) is refused without waiting on it.
  bool Open(std::string_view path, TFileAccess access);
  // Creates the file, or truncates an existing one, for writing.
  bool Create(std::string_view path);
  // Closes the file; false when the platform reported an error (for example
  // data that could not be written). Closing a closed handle is true.
  bool Close();

  bool IsOpen() const { return Fd >= 0; }
  int Descriptor() const { return Fd; }
  // errno of the last failed call, 0 after a success.
  int LastError() const { return Error; }

  bool Seek(int64_t position);
  bool SeekEnd();
  // Current position, or -1.
  int64_t Position();
  // File size, or -1.
  int64_t Size();

  // Reads up to buffer.size() bytes; fewer only at the end of the file.
  bool Read(std::span<uint8_t> buffer, size_t& count);
  // True only when the whole buffer was filled.
  bool ReadExact(std::span<uint8_t> buffer);
  // ReadExact at a position, in one call where the system allows: for
  // scanning many small records of a big file.
  bool ReadExactAt(int64_t position, std::span<uint8_t> buffer);
  bool Write(std::span<const uint8_t> data);

 private:
  bool Fail(int error);
  int Fd = -1;
  int Error = 0;
};

// Opens an existing file, trying again for about two seconds (20 attempts,
// 100 ms apart) while another process holds it busy or locked. Any other
// error, a permission refusal among them, fails at once.
bool RetryReset(TFileHandle& file, std::string_view path, TFileAccess access);
// Reads up to buffer.size() bytes with the same retries; count holds the bytes
// read. A short read at the end of the file is a success.
bool RetryBlockRead(TFileHandle& file, std::span<uint8_t> buffer, size_t& count);

// The whole content of the file at path, opened and read with the retries
// above; a file longer than limit gives its first limit bytes. False when it
// cannot be opened or a read fails: error holds the errno (kNotRegularFile
// for a FIFO or a device, which is never waited on).
bool ReadWholeFile(std::string_view path, std::vector<uint8_t>& bytes, int& error,
                   size_t limit = SIZE_MAX);
// The same for a file already open, from its first byte.
bool ReadWholeFile(TFileHandle& file, std::vector<uint8_t>& bytes, int& error,
                   size_t limit = SIZE_MAX);

// The error codes the retry helpers wait out instead of failing.
bool IsBusyError(int error);

// An exclusive advisory lock (flock) on an existing file, for a change that
// reads the file, checks it and writes it anew (ReplaceFileContents with the
// stamp): a second such change of the same file waits for the first to end
// and then reads what the first wrote, so neither is lost. The lock is
// released when the object goes away (or the process ends).
class TFileLock {
 public:
  // Opens the file at path (through links) for reading and locks it,
  // waiting up to about five seconds for another writer, then kFileBusy.
  // A file replaced while waiting is opened again and the new one locked.
  // False with the errno in error when the file cannot be opened.
  bool Lock(std::string_view path, int& error);
  // The locked file, open for reading, and its stamp when it was locked.
  TFileHandle& File() { return Handle; }
  const TFileStamp& Stamp() const { return Locked; }

 private:
  TFileHandle Handle;
  TFileStamp Locked;
};
