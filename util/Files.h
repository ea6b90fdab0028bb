#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// File helpers. Every failure is a false result with the platform's error
// code kept for the caller; nothing throws and nothing is printed.

// Deletes a file (not a directory); true when the deletion reported no error.
bool EraseFile(std::string_view name);
// True when the name exists and is not a directory.
bool FileThere(std::string_view name);

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

  // Opens an existing file (never a directory) in one attempt.
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

// The error codes the retry helpers wait out instead of failing.
bool IsBusyError(int error);
