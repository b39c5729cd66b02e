#include "app/preference_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "app/temp_folder.h"
#include "util/error.h"

namespace tolvane {
namespace {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

constexpr const char* kKey = "\\SOFTWARE\\Zelmor\\Tolvane\\prefs";
constexpr const char* kHeader = "Windows Registry Editor Version 5.00\n\n";
constexpr const char* kKeyLine =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zelmor\\Tolvane\\prefs]\n";

std::vector<std::string> CorruptCopies(const TempFolder& folder) {
  std::vector<std::string> copies;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with("prefs.reg.corrupt-")) copies.push_back(entry.path());
  }
  return copies;
}

// Catches values written in a form the next run or the registry editor
// cannot read back (header, full key name, sign, eight-digit width), a key
// created without being kept, and a store that caches what it read instead
// of seeing another copy's change.
TEST(PreferenceFileTest, ValuesSurviveARoundTripThroughTheFile) {
  for (const std::int32_t value : {0, 90, 2147483647, -1, INT_MIN}) {
    TempFolder folder;
    FilePreferenceStore writer(folder / "prefs.reg");
    FilePreferenceStore reader(folder / "prefs.reg");
    EXPECT_FALSE(reader.KeyExists(kKey));
    EXPECT_EQ(reader.ReadInteger(kKey, "timeout"), std::nullopt);
    ASSERT_TRUE(writer.OpenKey(kKey, true));
    EXPECT_TRUE(reader.KeyExists(kKey));
    EXPECT_FALSE(reader.ValueExists(kKey, "timeout"));
    writer.WriteInteger(kKey, "timeout", value);
    writer.WriteInteger(kKey, "get5message", 0);
    EXPECT_EQ(reader.ReadInteger(kKey, "timeout"), value);
    EXPECT_EQ(reader.ReadInteger(kKey, "get5message"), 0);
    writer.WriteInteger(kKey, "timeout", 90);
    EXPECT_EQ(reader.ReadInteger(kKey, "timeout"), 90);
    EXPECT_EQ(ReadText(folder / "prefs.reg"),
              std::string(kHeader) + kKeyLine +
                  "\"timeout\"=dword:0000005a\n"
                  "\"get5message\"=dword:00000000\n\n");
  }
}

struct ReadableCase {
  const char* what;
  std::string text;
  std::optional<std::int32_t> timeout;
  std::size_t values;  // in every key together
};

// Catches a reader that trips over what other tools write (CR LF, a byte
// order mark, the older header, comments, other keys and types, long binary
// data over several lines, another letter case) and a rewrite that drops
// values it does not use.
TEST(PreferenceFileTest, ReadsOtherToolsFilesAndKeepsTheirValues) {
  const std::string key_line = kKeyLine;
  const ReadableCase cases[] = {
      {"crlf",
       "Windows Registry Editor Version 5.00\r\n\r\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zelmor\\Tolvane\\prefs]\r\n"
       "\"timeout\"=dword:0000001e\r\n",
       30, 1},
      {"bom and old header",
       "\xEF\xBB\xBFREGEDIT4\n" + key_line + "\"timeout\"=dword:1e\n", 30, 1},
      {"comments, other key, other types",
       std::string(kHeader) + "; kept by hand\n[HKEY_LOCAL_MACHINE\\OTHER]\n" +
           "\"a\"=\"x \\\"y\\\" \\\\z\"\n" + key_line +
           "@=\"default\"\n\"blob\"=hex:01,02,\\\n  03,04\n"
           "\"multi\"=hex(7):41,00,00,00\n\"TimeOut\"=dword:0000003C\n",
       60, 5},
  };
  for (const ReadableCase& c : cases) {
    TempFolder folder;
    WriteText(folder / "prefs.reg", c.text);
    FilePreferenceStore store(folder / "prefs.reg");
    EXPECT_TRUE(store.KeyExists(kKey)) << c.what;
    EXPECT_EQ(store.ReadInteger(kKey, "timeout"), c.timeout) << c.what;
    const auto before = ParseRegistryText(c.text);
    ASSERT_TRUE(before) << c.what;
    std::size_t values = 0;
    for (const RegistryKey& key : before->keys) values += key.values.size();
    EXPECT_EQ(values, c.values) << c.what;
    store.WriteInteger(kKey, "get5message", 1);
    EXPECT_TRUE(CorruptCopies(folder).empty()) << c.what;
    const auto after = ParseRegistryText(ReadText(folder / "prefs.reg"));
    ASSERT_TRUE(after) << c.what;
    for (const RegistryKey& key : before->keys) {
      const RegistryKey* kept = after->FindKey(key.path);
      ASSERT_NE(kept, nullptr) << c.what << key.path;
      for (const RegistryValue& value : key.values) {
        const RegistryValue* same = RegistryText::FindValue(*kept, value.name);
        ASSERT_NE(same, nullptr) << c.what << value.name;
        EXPECT_EQ(same->data, value.data) << c.what << value.name;
      }
    }
    EXPECT_EQ(store.ReadInteger(kKey, "get5message"), 1) << c.what;
  }
}

// Catches text, binary or malformed values read as some integer instead of
// failing with the registry's own message, and a write that cannot replace
// a value of another type.
TEST(PreferenceFileTest, ValueOfAnotherTypeFailsToReadAndIsReplacedByWrite) {
  for (const char* data : {"\"90\"", "hex:5a,00,00,00", "hex(4):5a,00,00,00",
                           "hex(b):5a,00,00,00,00,00,00,00"}) {
    TempFolder folder;
    WriteText(folder / "prefs.reg",
              std::string(kHeader) + kKeyLine + "\"timeout\"=" + data + "\n");
    FilePreferenceStore store(folder / "prefs.reg");
    EXPECT_TRUE(store.ValueExists(kKey, "timeout")) << data;
    try {
      store.ReadInteger(kKey, "timeout");
      ADD_FAILURE() << data << " read as an integer";
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), "Invalid data type for 'timeout'");
    }
    store.WriteInteger(kKey, "timeout", 45);
    EXPECT_EQ(store.ReadInteger(kKey, "timeout"), 45) << data;
  }
}

// Catches a store that gives up on a folder that is simply not there yet
// (a fresh install, or TOLVANE_PREFS pointing somewhere new).
TEST(PreferenceFileTest, MissingFolderReadsNothingAndIsCreatedByAWrite) {
  TempFolder folder;
  FilePreferenceStore store(folder / "new/deeper/prefs.reg");
  EXPECT_FALSE(store.KeyExists(kKey));
  EXPECT_EQ(store.ReadInteger(kKey, "timeout"), std::nullopt);
  EXPECT_TRUE(store.OpenKey(kKey, true));
  store.WriteInteger(kKey, "timeout", 30);
  EXPECT_EQ(store.ReadInteger(kKey, "timeout"), 30);
}

// Catches a store that cannot be written but claims success, throws from a
// read, or reports anything but the registry's own write failure. (A path
// under a regular file fails for root too, unlike permission bits.)
TEST(PreferenceFileTest, UnwritablePlaceFallsBackOnReadAndFailsOnWrite) {
  TempFolder folder;
  WriteText(folder / "file", "not a folder");
  FilePreferenceStore store(folder / "file/prefs.reg");
  EXPECT_FALSE(store.OpenKey(kKey, true));
  EXPECT_FALSE(store.KeyExists(kKey));
  EXPECT_FALSE(store.ValueExists(kKey, "timeout"));
  EXPECT_EQ(store.ReadInteger(kKey, "timeout"), std::nullopt);
  try {
    store.WriteInteger(kKey, "timeout", 30);
    ADD_FAILURE() << "write reported success";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'timeout'");
  }
  EXPECT_EQ(ReadText(folder / "file"), "not a folder");
}

// Catches a damaged file silently replaced (the user's values gone without
// a trace) or kept under a name a second write then overwrites, and a
// reader that takes half-understood text at face value.
TEST(PreferenceFileTest, FileNotUnderstoodIsKeptBesideTheFreshOne) {
  const std::string key_line = kKeyLine;
  const std::string cases[] = {
      "garbage\n",
      "; no header\n" + key_line,
      std::string(kHeader) + "\"timeout\"=dword:0000001e\n" + key_line,
      std::string(kHeader) + key_line + "\"timeout\"=dword:xyz\n",
      std::string(kHeader) + key_line + "\"timeout\"=dword:123456789\n",
      std::string(kHeader) + key_line + "\"timeout\"=\"open\n",
      std::string(kHeader) + key_line + "\"timeout\" dword:0000001e\n",
      std::string(kHeader) + key_line + "\"blob\"=hex:01,0\n",
      std::string(kHeader) + "[HKEY_LOCAL_MACHINE\\SOFTWARE\n",
      std::string(kHeader) + key_line + "\"timeout\"=-\n",
      std::string("\0\0\x7f\x01", 4),
  };
  for (const std::string& text : cases) {
    TempFolder folder;
    WriteText(folder / "prefs.reg", text);
    FilePreferenceStore store(folder / "prefs.reg");
    EXPECT_FALSE(store.KeyExists(kKey)) << text;
    EXPECT_EQ(store.ReadInteger(kKey, "timeout"), std::nullopt) << text;
    store.WriteInteger(kKey, "timeout", 30);
    store.WriteInteger(kKey, "get5message", 0);
    EXPECT_EQ(store.ReadInteger(kKey, "timeout"), 30) << text;
    const std::vector<std::string> copies = CorruptCopies(folder);
    ASSERT_EQ(copies.size(), 1u) << text;
    EXPECT_EQ(ReadText(copies[0]), text);
  }
}

// Catches lost updates between two running copies of the program: without
// the lock and the fresh read inside it, one process's rewrite drops the
// values another stored in between.
TEST(PreferenceFileTest, ConcurrentWritersNeverLoseEachOthersValues) {
  TempFolder folder;
  const std::string path = folder / "prefs.reg";
  constexpr int kWriters = 4;
  constexpr int kWrites = 25;
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      int status = 0;
      try {
        FilePreferenceStore store(path);
        const std::string name = "w" + std::to_string(w);
        for (int i = 1; i <= kWrites; ++i) {
          store.WriteInteger(kKey, name, i);
          store.WriteInteger(kKey, "timeout", w);
          if (store.ReadInteger(kKey, name) != i) status = 1;
        }
      } catch (...) {
        status = 2;
      }
      ::_exit(status);
    }
    children.push_back(pid);
  }
  for (const pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  FilePreferenceStore store(path);
  for (int w = 0; w < kWriters; ++w) {
    EXPECT_EQ(store.ReadInteger(kKey, "w" + std::to_string(w)), kWrites);
  }
  const std::optional<std::int32_t> timeout =
      store.ReadInteger(kKey, "timeout");
  ASSERT_TRUE(timeout);
  EXPECT_TRUE(*timeout >= 0 && *timeout < kWriters);
  EXPECT_TRUE(CorruptCopies(folder).empty());
}

}  // namespace
}  // namespace tolvane
