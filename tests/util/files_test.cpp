#include "util/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>

#include "app/temp_folder.h"
#include "fakes/error_of.h"
#include "fakes/in_child.h"
#include "util/lines.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

// A failed write must leave the old file whole, no save leaves a temporary
// file behind nor removes a file that only looks like one, and a new file
// gets the usual rights (the umask's, not the temporary file's private ones).
TEST(FilesTest, AtomicWriteReplacesWholeOrNotAtAll) {
  testing::TempFolder folder;
  const std::string target = folder / "out.txt";
  // Left by a save that was killed: the next save removes it.
  testing::WriteText(folder / ".out.txt.Ab12Cd", "half");
  testing::WriteText(folder / ".out.txt.Ab-2Cd", "not a save's");
  const mode_t mask = ::umask(027);
  WriteFileAtomically(target, "first");
  ::umask(mask);
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
  // A save whose rename and clean-up fail leaves its temporary file: the
  // next save removes it.
  EXPECT_TRUE(testing::InChild([&] {
    return testing::RefuseCalls(SYS_renameat, 0, ~0u, EIO) &&
           testing::RefuseCalls(SYS_unlinkat, 0, ~0u, EIO) &&
           !testing::ErrorOf([&] { WriteFileAtomically(target, "x"); }).empty();
  }));
  WriteFileAtomically(target, "second\r\n");
  EXPECT_EQ(ReadWholeFile(target), "second\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()),
                          fs::directory_iterator()),
            2);

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

// Catches the way for file systems without unnamed files writing the wrong
// bytes or mode, or leaving its temporary file behind when the write fails.
TEST(FilesTest, NamedTemporaryFileWhereThereAreNoUnnamedOnes) {
  testing::TempFolder folder;
  EXPECT_TRUE(testing::InChild([&] {
    // As a file system without unnamed files refuses them.
    bool ok = testing::RefuseCalls(SYS_openat, 2, O_TMPFILE & ~O_DIRECTORY,
                                   EOPNOTSUPP);
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
    return ok;
  }));
}

// Catches a save that fails, or falls back to a named temporary file,
// where the unnamed one cannot be linked through /proc (a container
// without it) but can by its descriptor.
TEST(FilesTest, UnnamedFileIsLinkedByDescriptorWithoutProc) {
  if (::geteuid() != 0) GTEST_SKIP() << "older kernels link so for root only";
  testing::TempFolder folder;
  EXPECT_TRUE(testing::InChild([&] {
    return testing::RefuseCalls(SYS_linkat, 4, AT_SYMLINK_FOLLOW, ENOENT) &&
           testing::RefuseCalls(SYS_openat, 2, O_CREAT, EACCES) &&
           testing::ErrorOf([&] {
             WriteFileAtomically(folder / "a", "x");
           }).empty() &&
           ReadWholeFile(folder / "a") == "x";
  }));
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
