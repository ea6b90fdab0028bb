#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/TempDir.h"
#include "support/Unprivileged.h"
#include "util/Files.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::span<const uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(FileNames, FileThereAndEraseFile) {
  TTempDir dir;
  const std::string file = dir.Write("a.tdf", "x");
  fs::create_directory(dir.Path() / "sub");
  fs::create_symlink(file, dir.Path() / "link");
  fs::create_symlink(dir.Path() / "gone", dir.Path() / "dangling");

  EXPECT_TRUE(FileThere(file));
  EXPECT_TRUE(FileThere(dir.File("link")));
  EXPECT_FALSE(FileThere(dir.File("sub")));
  EXPECT_FALSE(FileThere(dir.File("missing")));
  EXPECT_FALSE(FileThere(dir.File("dangling")));
  EXPECT_FALSE(FileThere(""));
  EXPECT_FALSE(FileThere(file + std::string(1, '\0') + "junk"));

  EXPECT_FALSE(EraseFile(dir.File("sub")));  // directories are not erased
  EXPECT_TRUE(fs::is_directory(dir.Path() / "sub"));
  EXPECT_FALSE(EraseFile(dir.File("missing")));
  EXPECT_TRUE(EraseFile(file));
  EXPECT_FALSE(fs::exists(file));
  EXPECT_FALSE(EraseFile(file));
}

TEST(FileHandle, WriteReadSeekAndSize) {
  TTempDir dir;
  const std::string path = dir.File("data.bin");
  {
    TFileHandle out;
    ASSERT_TRUE(out.Create(path));
    ASSERT_TRUE(out.Write(Bytes("0123456789")));
    EXPECT_EQ(out.Position(), 10);
    ASSERT_TRUE(out.Close());
    EXPECT_FALSE(out.IsOpen());
  }
  TFileHandle in;
  ASSERT_TRUE(in.Open(path, faRead));
  EXPECT_EQ(in.Size(), 10);
  std::array<uint8_t, 4> four{};
  ASSERT_TRUE(in.Seek(3));
  ASSERT_TRUE(in.ReadExact(four));
  EXPECT_EQ(std::string(four.begin(), four.end()), "3456");

  std::array<uint8_t, 8> eight{};
  size_t count = 99;
  ASSERT_TRUE(in.Read(eight, count));  // a short read at the end is fine
  EXPECT_EQ(count, 3u);
  ASSERT_TRUE(in.Seek(8));
  EXPECT_FALSE(in.ReadExact(four));  // only two bytes left
  EXPECT_FALSE(in.Seek(-1));
  EXPECT_FALSE(in.Write(Bytes("no")));  // opened for reading
  EXPECT_EQ(in.LastError(), EBADF);

  // Create truncates what was there.
  TFileHandle again;
  ASSERT_TRUE(again.Create(path));
  again.Close();
  EXPECT_EQ(fs::file_size(path), 0u);

  TFileHandle rw;
  ASSERT_TRUE(rw.Open(path, faReadWrite));
  ASSERT_TRUE(rw.Write(Bytes("abc")));
  ASSERT_TRUE(rw.SeekEnd());
  ASSERT_TRUE(rw.Write(Bytes("d")));
  rw.Close();
  EXPECT_EQ(ReadFileBytes(path), (std::vector<uint8_t>{'a', 'b', 'c', 'd'}));
}

TEST(FileHandle, OpenRefusesMissingFilesAndDirectories) {
  TTempDir dir;
  TFileHandle f;
  EXPECT_FALSE(f.Open(dir.File("missing"), faRead));
  EXPECT_EQ(f.LastError(), ENOENT);
  EXPECT_FALSE(f.Open(dir.Path().string(), faRead));
  EXPECT_EQ(f.LastError(), EISDIR);
  EXPECT_FALSE(f.IsOpen());
  EXPECT_FALSE(f.Create(dir.File("no/such/dir/x")));
}

TEST(FileHandle, MovingKeepsOneOwner) {
  TTempDir dir;
  const std::string path = dir.Write("m", "xyz");
  TFileHandle a;
  ASSERT_TRUE(a.Open(path, faRead));
  const int fd = a.Descriptor();
  TFileHandle b(std::move(a));
  EXPECT_FALSE(a.IsOpen());
  EXPECT_EQ(b.Descriptor(), fd);
  TFileHandle c;
  c = std::move(b);
  EXPECT_EQ(c.Descriptor(), fd);
  EXPECT_TRUE(c.Close());
  EXPECT_EQ(::fcntl(fd, F_GETFD), -1);  // closed exactly once, and really closed
  EXPECT_TRUE(c.Close());
}

TEST(RetryHelpers, PlainFailuresDoNotWait) {
  TTempDir dir;
  TFileHandle f;
  const auto start = Clock::now();
  EXPECT_FALSE(RetryReset(f, dir.File("missing"), faRead));
  EXPECT_EQ(f.LastError(), ENOENT);
  EXPECT_LT(SecondsSince(start), 0.5);

  const std::string path = dir.Write("short", "abcde");
  ASSERT_TRUE(RetryReset(f, path, faRead));
  std::array<uint8_t, 16> buf{};
  size_t count = 0;
  EXPECT_TRUE(RetryBlockRead(f, buf, count));
  EXPECT_EQ(count, 5u);
  EXPECT_EQ(std::string(buf.begin(), buf.begin() + 5), "abcde");
}

TEST(RetryHelpers, PermissionRefusalFailsAtOnce) {
  TTempDir dir;
  const std::string path = dir.Write("readonly.tdf", "data");
  ::chmod(path.c_str(), 0444);
  ASSERT_TRUE(OpenForNobody(path));
  std::string reason;
  const int code = RunAsNobody(
      [&] {
        TFileHandle f;
        if (!RetryReset(f, path, faRead)) return 1;  // reading is allowed
        const auto start = Clock::now();
        if (RetryReset(f, path, faWrite)) return 2;
        if (f.LastError() != EACCES) return 3;
        return SecondsSince(start) < 0.5 ? 0 : 4;
      },
      &reason);
  if (code < 0) GTEST_SKIP() << reason;
  EXPECT_EQ(code, 0) << "1: no read, 2: write allowed, 3: other error, 4: waited";
}

// A running program's file is busy for writing: the one lock Linux reports
// on open. Copies a tiny program into the temp dir and runs it.
class BusyExecutable : public ::testing::Test {
 protected:
  void SetUp() override {
    std::error_code ec;
    fs::copy_file("/bin/sleep", Program, ec);
    if (ec) GTEST_SKIP() << "no /bin/sleep to run";
    char* argv[] = {const_cast<char*>(Program.c_str()), const_cast<char*>("30"), nullptr};
    if (::posix_spawn(&Child, Program.c_str(), nullptr, nullptr, argv, environ) != 0) {
      GTEST_SKIP() << "cannot start a program";
    }
    TFileHandle probe;
    if (probe.Open(Program, faWrite) || probe.LastError() != ETXTBSY) {
      StopChild();
      GTEST_SKIP() << "this system does not refuse writes to running programs";
    }
  }
  void TearDown() override { StopChild(); }
  void StopChild() {
    if (Child > 0) {
      ::kill(Child, SIGKILL);
      ::waitpid(Child, nullptr, 0);
      Child = -1;
    }
  }

  TTempDir Dir;
  std::string Program = Dir.File("busy");
  pid_t Child = -1;
};

TEST_F(BusyExecutable, RetryResetGivesUpAfterTwentyTries) {
  TFileHandle f;
  const auto start = Clock::now();
  EXPECT_FALSE(RetryReset(f, Program, faWrite));
  const double waited = SecondsSince(start);
  EXPECT_EQ(f.LastError(), ETXTBSY);
  EXPECT_GE(waited, 1.9);  // 20 pauses of 100 ms
  EXPECT_LT(waited, 10.0);
  EXPECT_TRUE(RetryReset(f, Program, faRead));  // reading was never refused
}

TEST_F(BusyExecutable, RetryResetSucceedsOnceTheFileIsFree) {
  std::thread release([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    StopChild();
  });
  TFileHandle f;
  const auto start = Clock::now();
  const bool opened = RetryReset(f, Program, faWrite);
  const double waited = SecondsSince(start);
  release.join();
  EXPECT_TRUE(opened);
  EXPECT_GE(waited, 0.25);
  EXPECT_LT(waited, 1.9);
}

TEST(RetryHelpers, BlockReadWaitsForDataThatIsNotThereYet) {
  int fds[2];
  ASSERT_EQ(::pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0);
  TFileHandle reader(fds[0]);
  std::thread writer([w = fds[1]] {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_EQ(::write(w, "abc", 3), 3);
    ::close(w);
  });
  std::array<uint8_t, 16> buf{};
  size_t count = 0;
  const bool ok = RetryBlockRead(reader, buf, count);
  writer.join();
  EXPECT_TRUE(ok);
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(std::string(buf.begin(), buf.begin() + 3), "abc");
}

}  // namespace

namespace {

TEST(FileNames, ProblemsAreNamedInTheUsersWords) {
  TTempDir dir;
  const std::string file = dir.Write("a.tdf", "x");
  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
  EXPECT_EQ(FileProblem(file), 0);
  EXPECT_EQ(FileProblem(dir.File("fifo")), 0);  // it exists; the open refuses it
  EXPECT_EQ(FileErrorText(FileProblem(dir.Path().string())), "is a directory");
  EXPECT_EQ(FileErrorText(FileProblem(dir.File("none"))), "no such file or directory");
  EXPECT_EQ(FileErrorText(kNotRegularFile), "not a regular file");

  // Opening a FIFO for reading would wait for a writer; it is refused at once.
  TFileHandle handle;
  for (const TFileAccess access : {faRead, faWrite, faReadWrite}) {
    EXPECT_FALSE(handle.Open(dir.File("fifo"), access));
    EXPECT_EQ(handle.LastError(), kNotRegularFile);
  }
  EXPECT_FALSE(handle.Open("/dev/null", faRead));
  ASSERT_TRUE(handle.Open(file, faRead));
  uint8_t byte = 0;
  size_t count = 0;
  ASSERT_TRUE(handle.Read({&byte, 1}, count));  // the descriptor blocks again after the open
  EXPECT_EQ(byte, 'x');
}

TEST(FileNames, SameFileFollowsLinks) {
  TTempDir dir;
  const std::string a = dir.Write("a", "1");
  const std::string b = dir.Write("b", "1");
  fs::create_symlink(a, dir.Path() / "link");
  fs::create_hard_link(a, dir.Path() / "hard");
  EXPECT_TRUE(SameFile(a, dir.File("link")));
  EXPECT_TRUE(SameFile(dir.File("hard"), a));
  EXPECT_TRUE(SameFile(a, dir.File("./a")));
  EXPECT_FALSE(SameFile(a, b));
  EXPECT_FALSE(SameFile(a, dir.File("missing")));
}

TEST(FileNames, ReplaceFileContentsWritesWholeFilesOnly) {
  TTempDir dir;
  auto text = [&](const char* name) {
    const std::vector<uint8_t> bytes = ReadFileBytes(dir.Path() / name);
    return std::string(bytes.begin(), bytes.end());
  };
  const std::string target = dir.Write("t.ans", "old");
  ::chmod(target.c_str(), 0640);
  fs::create_symlink(target, dir.Path() / "link.ans");
  int error = -1;
  ASSERT_TRUE(ReplaceFileContents(dir.File("link.ans"), Bytes("new"), error));
  EXPECT_EQ(error, 0);
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.ans"));  // the link stays, its target changed
  EXPECT_EQ(text("t.ans"), "new");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));

  ASSERT_TRUE(ReplaceFileContents(dir.File("fresh.ans"), Bytes(""), error));
  EXPECT_EQ(text("fresh.ans"), "");

  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
  EXPECT_FALSE(ReplaceFileContents(dir.File("fifo"), Bytes("x"), error));
  EXPECT_EQ(error, kNotRegularFile);
  EXPECT_FALSE(ReplaceFileContents(dir.Path().string(), Bytes("x"), error));
  EXPECT_EQ(error, EISDIR);
  EXPECT_FALSE(ReplaceFileContents(dir.File("no/such/dir"), Bytes("x"), error));
  EXPECT_EQ(error, ENOENT);

  // A name as long as names go: the temporary name beside it must not be longer.
  const std::string longName(250, 'n');
  EXPECT_TRUE(ReplaceFileContents(dir.File(longName), Bytes("long"), error))
      << FileErrorText(error);
  // A link to nothing could lead anywhere: refused, the link stays a link.
  fs::create_symlink(dir.Path() / "nowhere", dir.Path() / "dangling");
  EXPECT_FALSE(ReplaceFileContents(dir.File("dangling"), Bytes("x"), error));
  EXPECT_EQ(error, kDanglingLink);
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "dangling"));
  EXPECT_FALSE(fs::exists(dir.Path() / "nowhere"));
  // Without write permission the file stays, for root too (no write bit at all).
  ::chmod(target.c_str(), 0444);
  EXPECT_FALSE(ReplaceFileContents(target, Bytes("newer"), error));
  EXPECT_EQ(error, EACCES);
  EXPECT_EQ(text("t.ans"), "new");
  if (::geteuid() == 0) {  // root keeps another user's file that user's, with its mode
    ::chmod(target.c_str(), 0604);
    ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(ReplaceFileContents(target, Bytes("theirs"), error));
    struct stat st {};
    EXPECT_TRUE(::stat(target.c_str(), &st) == 0 && st.st_uid == 65534 && st.st_gid == 65534 &&
                (st.st_mode & 07777) == 0604);
  }
  // No temporary file is left behind by any of these.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.Path())) ++entries;
  EXPECT_EQ(entries, 6);  // t.ans, link.ans, fresh.ans, fifo, the long name, dangling
}

TEST(FileNames, ReplaceFileWithTakesPiecesAndKeepsTheFileWhenTheWriterGivesUp) {
  TTempDir dir;
  const std::string target = dir.Write("p.png", "old");
  int error = -1;
  const auto pieces = [](const TByteSink& sink) { return sink(Bytes("ab")) && sink(Bytes("cd")); };
  const auto text = [&target] {
    const std::vector<uint8_t> bytes = ReadFileBytes(target);
    return std::string(bytes.begin(), bytes.end());
  };
  // A temporary a killed write of this file left goes with the next write;
  // one written within the minute stays. Its name is seen while one is written.
  std::string name;
  const auto seen = [&](const TByteSink& sink) {
    for (const auto& e : fs::directory_iterator(dir.Path()))
      if (e.path().filename().string().starts_with(".bx.")) name = e.path().filename();
    return pieces(sink);
  };
  ASSERT_TRUE(ReplaceFileWith(target, seen, error) && name.size() == 19) << name;
  const std::string stale = dir.Write(name.substr(0, 13) + "killed", "");
  const std::string busy = dir.Write(name.substr(0, 13) + "living", "");
  fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::minutes(2));
  ASSERT_TRUE(ReplaceFileWith(target, pieces, error));
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(EraseFile(busy));
  // Half written, then given up: the old content stays and nothing is left beside it.
  const auto giveUp = [](const TByteSink& sink) { return sink(Bytes("half")) && false; };
  EXPECT_FALSE(ReplaceFileWith(target, giveUp, error));
  EXPECT_EQ(error, ECANCELED);
  EXPECT_EQ(text(), "abcd");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.Path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(FileNames, ALockedChangeFollowsTheOtherAndRefusesAFileChangedUnderIt) {
  TTempDir dir;
  const std::string target = dir.Write("f.tdf", "one");
  int error = -1;
  auto first = std::make_unique<TFileLock>();
  ASSERT_TRUE(first->Lock(target, error));
  // A second change waits for the first, then locks the file it renamed into place.
  TFileStamp second;
  int secondError = -1;
  std::thread waiter([&] {
    TFileLock lock;
    if (lock.Lock(target, secondError)) second = lock.Stamp();
  });
  ASSERT_TRUE(ReplaceFileContents(target, Bytes("two"), error, &first->Stamp()));
  first.reset();
  waiter.join();
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(secondError, 0);
  EXPECT_EQ(second.Inode, st.st_ino);
  // A file another writer replaced after the stamp was taken stays as it left it.
  TFileLock lock;
  ASSERT_TRUE(lock.Lock(target, error));
  ASSERT_TRUE(ReplaceFileContents(target, Bytes("three"), error));
  EXPECT_FALSE(ReplaceFileContents(target, Bytes("four"), error, &lock.Stamp()));
  EXPECT_EQ(error, kFileChanged);
  const std::vector<uint8_t> bytes = ReadFileBytes(target);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "three");
}

}  // namespace
