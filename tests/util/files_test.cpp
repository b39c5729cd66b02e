#include "util/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "util/error.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

TEST(FilesTest, SplitLinesLikeAStringList) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitLines(""), V{});
  EXPECT_EQ(SplitLines("a"), V{"a"});
  EXPECT_EQ(SplitLines("a\r\n"), V{"a"});
  EXPECT_EQ(SplitLines("a\r\nb"), (V{"a", "b"}));
  EXPECT_EQ(SplitLines("a\n\nb\r"), (V{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\r\n\r\n"), (V{"", ""}));
  EXPECT_EQ(MemoLinesOf("\n\nnote\n\n"), (V{"", "", "note", "", ""}));
  EXPECT_EQ(MemoLinesOf("plain"), V{"plain"});
  EXPECT_EQ(MemoLinesOf(""), V{""});
}

// A failed write must leave the old file whole, and no save leaves a
// temporary file behind.
TEST(FilesTest, AtomicWriteReplacesWholeOrNotAtAll) {
  const fs::path folder = fs::temp_directory_path() / "tolvane_files_test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string target = (folder / "out.txt").string();
  // Left by a save that was killed: the next save removes it.
  std::ofstream(folder / ".out.txt.Ab12Cd") << "half";
  WriteFileAtomically(target, "first");
  WriteFileAtomically(target, "second\r\n");
  EXPECT_EQ(ReadWholeFile(target), "second\r\n");
  EXPECT_EQ(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
      1);

  try {
    WriteFileAtomically((folder / "missing" / "x.txt").string(), "y");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot create file " + (folder / "missing" / "x.txt").string());
  }
  if (::geteuid() != 0) {  // root writes anywhere
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(WriteFileAtomically(target, "third"), Error);
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(ReadWholeFile(target), "second\r\n");
  }
  EXPECT_THROW(ReadWholeFile((folder / "none").string()), Error);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace tolvane
