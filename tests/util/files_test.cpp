#include "util/files.h"

#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <filesystem>

#include "app/temp_folder.h"
#include "fakes/error_of.h"
#include "util/lines.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

// A failed write must leave the old file whole, no save leaves a temporary
// file behind, and a new file gets the usual rights (the umask's, not the
// temporary file's private ones).
TEST(FilesTest, AtomicWriteReplacesWholeOrNotAtAll) {
  testing::TempFolder folder;
  const std::string target = folder / "out.txt";
  // Left by a save that was killed: the next save removes it.
  testing::WriteText(folder / ".out.txt.Ab12Cd", "half");
  const mode_t mask = ::umask(027);
  WriteFileAtomically(target, "first");
  ::umask(mask);
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
  WriteFileAtomically(target, "second\r\n");
  EXPECT_EQ(ReadWholeFile(target), "second\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()),
                          fs::directory_iterator()),
            1);

  EXPECT_EQ(testing::ErrorOf(
                [&] { WriteFileAtomically(folder / "missing/x.txt", "y"); }),
            "Cannot create file " + folder / "missing/x.txt");
  if (::geteuid() != 0) {  // root writes anywhere
    fs::permissions(folder.path(),
                    fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(WriteFileAtomically(target, "third"), Error);
    fs::permissions(folder.path(), fs::perms::owner_all);
    EXPECT_EQ(ReadWholeFile(target), "second\r\n");
  }
  EXPECT_THROW(ReadWholeFile(folder / "none"), Error);
}

// Makes every open of an unnamed file in this process fail, as it fails on
// a file system without them.
bool RefuseUnnamedFiles() {
  constexpr unsigned kUnnamed = 020000000;  // O_TMPFILE less O_DIRECTORY
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_openat, 0, 3),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
      BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, kUnnamed, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
  const sock_fprog program{sizeof filter / sizeof *filter, filter};
  return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// Catches the way for file systems without unnamed files writing the wrong
// bytes or mode, or leaving its temporary file behind when the write fails.
TEST(FilesTest, NamedTemporaryFileWhereThereAreNoUnnamedOnes) {
  testing::TempFolder folder;
  const pid_t pid = ::fork();
  if (pid == 0) {
    bool ok = RefuseUnnamedFiles();
    const mode_t mask = ::umask(027);
    WriteFileAtomically(folder / "a.txt", "named");
    ::umask(mask);
    ok = ok && ReadWholeFile(folder / "a.txt") == "named" &&
         fs::status(folder / "a.txt").permissions() == fs::perms(0640);
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{8, 8};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ok = ok && !testing::ErrorOf([&] {
                  WriteFileAtomically(folder / "a.txt", "more than eight");
                }).empty();
    ok = ok && ReadWholeFile(folder / "a.txt") == "named" &&
         std::distance(fs::directory_iterator(folder.path()), {}) == 1;
    ::_exit(ok ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// Catches a line break lost, doubled or left bare where one read of the file
// ends and the next begins (a CR LF split between them), and a last line
// without its CR LF.
TEST(FilesTest, LinesTextIsTheStringListsText) {
  testing::TempFolder folder;
  std::string big;
  for (std::size_t i = 0; big.size() < (3u << 20); ++i)
    big += i % 7 == 0 ? "\r" : i % 5 == 0 ? "\n" : i % 3 == 0 ? "\r\n" : "ab";
  const std::string files[] = {"", "a", "\n", "\r", "a\r\nb", "\n\r\r\nx\r",
                               "\r\n\n", big, big + "z", big.substr(1),
                               // The most text one read of 1 MiB gives: line
                               // feeds only, also after a read ending on CR.
                               std::string(1 << 20, '\n'),
                               std::string((1 << 20) - 1, 'a') + "\rx" +
                                   std::string((1 << 20) - 1, '\n')};
  for (const std::string& bytes : files) {
    const std::string path = folder / "page.htm";
    WriteFileAtomically(path, bytes);
    std::string want;
    for (const std::string& line : SplitLines(bytes)) want += line + "\r\n";
    ASSERT_EQ(ReadLinesText(path), want) << bytes.size();
  }
}

// Catches a folder, FIFO or device read as a file, and a FIFO without a
// writer that blocks the reader for ever.
TEST(FilesTest, OnlyPlainFilesAreRead) {
  testing::TempFolder folder;
  const std::string fifo = folder / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path :
       {folder.path().string(), fifo, std::string("/dev/null")}) {
    for (auto read : {ReadWholeFile, ReadLinesText})
      EXPECT_EQ(testing::ErrorOf([&] { read(path); }),
                "Cannot open file " + path);
  }
}

}  // namespace
}  // namespace tolvane
