#include "prefs/preference_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "app/temp_folder.h"
#include "fakes/error_of.h"
#include "fakes/in_child.h"
#include "util/lines.h"

namespace tolvane {
namespace {

using testing::ErrorOf;
using testing::InChild;
using testing::ReadText;
using testing::RefuseCalls;
using testing::TempFolder;
using testing::WriteText;
namespace fs = std::filesystem;

constexpr const char* kKey = "\\SOFTWARE\\Zelmor\\Tolvane\\prefs";
constexpr const char* kHeader = "Windows Registry Editor Version 5.00\n\n";
constexpr const char* kKeyLine =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zelmor\\Tolvane\\prefs]\n";
const std::string kTop = std::string(kHeader) + kKeyLine;

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
// of seeing another copy's change or drops a value another copy stored in
// between; a new file without the usual rights, or a file whose mode
// changes; a read that makes folders (also the machine-wide file's); and a
// store that gives up on a folder that is simply not there yet (a fresh
// install, or TOLVANE_PREFS pointing somewhere new).
TEST(PreferenceFileTest, ValuesSurviveARoundTripThroughTheFile) {
  for (const std::int32_t value : {0, 90, 2147483647, -1, INT_MIN}) {
    TempFolder folder;
    const std::string path = folder / "new/deeper/prefs.reg";
    FilePreferenceStore writer(path);
    FilePreferenceStore reader(
        PreferenceFiles{folder / "machine/prefs.reg", path});
    EXPECT_FALSE(reader.KeyExists(kKey));
    EXPECT_EQ(reader.ReadInteger(kKey, "timeout"), std::nullopt);
    EXPECT_FALSE(writer.OpenKey(kKey, false));
    EXPECT_FALSE(std::filesystem::exists(folder / "new"));
    EXPECT_FALSE(std::filesystem::exists(folder / "machine"));
    ASSERT_TRUE(writer.OpenKey(kKey, true));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms(0666 & ~mask));
    EXPECT_TRUE(reader.KeyExists(kKey));
    EXPECT_FALSE(reader.ValueExists(kKey, "timeout"));
    writer.WriteInteger(kKey, "timeout", value);
    reader.WriteInteger(kKey, "get5message", 0);
    EXPECT_EQ(reader.ReadInteger(kKey, "timeout"), value);
    EXPECT_EQ(reader.ReadInteger(kKey, "get5message"), 0);
    writer.WriteInteger(kKey, "timeout", 90);
    EXPECT_EQ(reader.ReadInteger(kKey, "timeout"), 90);
    EXPECT_EQ(ReadText(path), kTop +
                                  "\"timeout\"=dword:0000005a\n"
                                  "\"get5message\"=dword:00000000\n\n");
    // A file's own mode stays.
    std::filesystem::permissions(path, std::filesystem::perms(0600));
    writer.WriteInteger(kKey, "timeout", 90);
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms(0600));
  }
}

struct ReadableCase {
  const char* what;
  std::string text;
  std::optional<std::int32_t> timeout;
  std::size_t values;  // in every key together
};

// The comment lines of a file, in order (a UTF-16 file's by its zero bytes
// dropped).
std::vector<std::string> CommentLines(std::string text) {
  std::erase(text, '\0');
  std::vector<std::string> comments;
  for (const std::string& line : SplitLines(text))
    if (line.starts_with(';')) comments.push_back(line);
  return comments;
}

// Catches a reader that trips over what other tools write (CR LF, a byte
// order mark, the older header, comments, other keys and types, long binary
// data over several lines, another letter case), a rewrite that drops
// values it does not use or comments, or changes the file's form, and a
// file written larger than the store reads.
TEST(PreferenceFileTest, ReadsOtherToolsFilesAndKeepsTheirValues) {
  std::vector<ReadableCase> cases = {
      {"crlf",
       "Windows Registry Editor Version 5.00\r\n\r\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zelmor\\Tolvane\\prefs]\r\n"
       "\"timeout\"=dword:0000001e\r\n",
       30, 1},
      {"bom and old header",
       std::string("\xEF\xBB\xBFREGEDIT4\n") + kKeyLine +
           "\"timeout\"=dword:1e\n",
       30, 1},
      {"comments, other key, other types",
       std::string(kHeader) + "; kept by hand\n[HKEY_LOCAL_MACHINE\\OTHER]\n" +
           "\"a\"=\"x \\\"y\\\" \\\\z\"\n" + kKeyLine +
           "@=\"default\"\n;  above blob\n\"blob\"=hex:01,02,\\\n  03,f9\n"
           "\"multi\"=hex(7):41,00,00,00\n\"TimeOut\"=dword:0000009C\n; end\n",
       156, 5}};
  // The largest file read: exactly the limit, a comment filling it up. It
  // cannot grow, so a write fails and leaves it as it was.
  const std::string largest = kTop + "\"timeout\"=dword:1e\n;";
  cases.push_back({"largest",
                   largest + std::string(kMaxPrefsBytes - largest.size(), 'x'),
                   30, 1});
  for (const ReadableCase& c : cases) {
    TempFolder folder;
    WriteText(folder / "prefs.reg", c.text);
    FilePreferenceStore store(folder / "prefs.reg");
    EXPECT_TRUE(store.KeyExists(kKey)) << c.what;
    EXPECT_EQ(store.ReadInteger(kKey, "timeout"), c.timeout) << c.what;
    const ParsedRegistryText before = ParseRegistryText(c.text);
    std::size_t values = 0;
    for (const RegistryKey& key : before.registry.Keys())
      values += key.Values().size();
    EXPECT_EQ(values, c.values) << c.what;
    if (c.text.size() == kMaxPrefsBytes) {
      EXPECT_THROW(store.WriteInteger(kKey, "get5message", 1), Error);
      EXPECT_EQ(ReadText(folder / "prefs.reg"), c.text);
      continue;
    }
    store.WriteInteger(kKey, "get5message", 1);
    EXPECT_TRUE(CorruptCopies(folder).empty()) << c.what;
    const std::string text = ReadText(folder / "prefs.reg");
    EXPECT_EQ(CommentLines(text), CommentLines(c.text)) << c.what;
    const auto after = ParseRegistryText(text);
    EXPECT_EQ(after.form, before.form) << c.what;
    for (const RegistryKey& key : before.registry.Keys()) {
      const RegistryKey* kept = after.registry.FindKey(key.Path());
      ASSERT_NE(kept, nullptr) << c.what << key.Path();
      for (const RegistryValue& value : key.Values()) {
        const RegistryValue* same = kept->FindValue(value.name);
        ASSERT_NE(same, nullptr) << c.what << value.name;
        EXPECT_EQ(same->data, value.data) << c.what << value.name;
      }
    }
    EXPECT_EQ(store.ReadInteger(kKey, "get5message"), 1) << c.what;
  }
}

std::string Utf16Le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

// Catches the registry editor's export (UTF-16 with its mark, CR LF) read
// as nothing and replaced by the next save, a character lost or changed on
// the way (two, three and four bytes in UTF-8; a lone surrogate is no
// character), and a save in another form than the file came in.
TEST(PreferenceFileTest, RegistryEditorsUtf16FileIsReadAndWrittenAsItCame) {
  const auto file = [](std::u16string_view timeout) {
    return Utf16Le(
        std::u16string(u"Windows Registry Editor Version 5.00\r\n\r\n"
                       u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zelmor\\Tolvane\\prefs]"
                       u"\r\n; \u00e9\u20ac\U0001F600\U00010000 ") +
        (timeout == u"1e" ? u"\xD800" : u"\xFFFD") + u"\r\n\"timeout\"=dword:" +
        std::u16string(timeout) + u"\r\n\r\n");
  };
  TempFolder folder;
  WriteText(folder / "prefs.reg", file(u"1e"));
  FilePreferenceStore store(folder / "prefs.reg");
  EXPECT_EQ(store.ReadInteger(kKey, "timeout"), 30);
  store.WriteInteger(kKey, "timeout", 45);
  EXPECT_EQ(ReadText(folder / "prefs.reg"), file(u"0000002d"));
}

// Catches text, binary or malformed values read as some integer instead of
// failing with the registry's own message, and a write that cannot replace
// a value of another type.
TEST(PreferenceFileTest, ValueOfAnotherTypeFailsToReadAndIsReplacedByWrite) {
  for (const char* data : {"\"90\"", "hex:5a,00,00,00", "hex(4):5a,00,00,00",
                           "hex(b):5a,00,00,00,00,00,00,00"}) {
    TempFolder folder;
    WriteText(folder / "prefs.reg", kTop + "\"timeout\"=" + data + "\n");
    FilePreferenceStore store(folder / "prefs.reg");
    EXPECT_TRUE(store.ValueExists(kKey, "timeout")) << data;
    EXPECT_EQ(ErrorOf([&] { store.ReadInteger(kKey, "timeout"); }),
              "Invalid data type for 'timeout'");
    store.WriteInteger(kKey, "timeout", 45);
    EXPECT_EQ(store.ReadInteger(kKey, "timeout"), 45) << data;
  }
}

// Catches a store that cannot be written but claims success, throws from a
// read, or reports anything but the registry's own write failure. (A path
// under a regular file fails for root too, unlike permission bits.)
TEST(PreferenceFileTest, UnwritablePlaceFallsBackOnReadAndFailsOnWrite) {
  TempFolder folder;
  WriteText(folder / "file", "not a folder");
  // Under a file, and a folder's name (it ends in a slash).
  for (const std::string& path :
       {folder / "file/prefs.reg", folder.path().string() + "/"}) {
    FilePreferenceStore store(path);
    EXPECT_FALSE(store.OpenKey(kKey, true));
    EXPECT_FALSE(store.KeyExists(kKey));
    EXPECT_FALSE(store.ValueExists(kKey, "timeout"));
    EXPECT_EQ(store.ReadInteger(kKey, "timeout"), std::nullopt);
    EXPECT_EQ(ErrorOf([&] { store.WriteInteger(kKey, "timeout", 30); }),
              "Failed to set data for 'timeout'");
  }
  EXPECT_EQ(ReadText(folder / "file"), "not a folder");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
}

// Catches one bad line that takes every other value down with it (the
// values gone from the live file), bad lines dropped without a copy or
// with a copy others may read, a copy kept under a name a second write
// then overwrites, and a user told nothing, or told on every save.
TEST(PreferenceFileTest, BadLinesSpoilOnlyThemselvesAndAreKeptOnce) {
  const std::string good = "\"get5message\"=dword:00000000\n";
  // Each file, and whether the key's good values can still be read.
  const std::pair<std::string, bool> cases[] = {
      {"garbage\n", false},
      {"; no header\n" + std::string(kKeyLine) + good, false},
      {std::string(kHeader) + "\"timeout\"=dword:0000001e\n" + kKeyLine + good,
       true},
      {kTop + "\"timeout\"=dword:zz\n" + good, true},
      {kTop + "\"timeout\"=dword:123456789\n" + good, true},
      {kTop + good + "\"timeout\"=\"open\n", true},
      {kTop + good + "\"timeout\" :dword:1e\n", true},
      {kTop + good + "\"blob\"=hex:01,0\n", true},
      {kTop + good + "[HKEY_LOCAL_MACHINE\\SOFTWARE\n\"timeout\"=dword:1e\n",
       true},
      {kTop + good + "\"timeout\"=-\n", true},
      {kTop + good + "\"timeout\"=dwerd:0000001e\n", true},
      {kTop + good + "\"timeout\"=xword:0000001e\n", true},
      {std::string("\0\0\x7f\x01", 4), false}};
  for (const auto& [text, key_readable] : cases) {
    TempFolder folder;
    WriteText(folder / "prefs.reg", text);
    FilePreferenceStore store(folder / "prefs.reg");
    std::vector<std::string> told;
    store.Notices().Listen(
        [&](const std::string& line) { told.push_back(line); });
    EXPECT_EQ(store.KeyExists(kKey), key_readable) << text;
    EXPECT_EQ(store.ReadInteger(kKey, "timeout"), std::nullopt) << text;
    EXPECT_EQ(store.ReadInteger(kKey, "get5message"),
              key_readable ? std::optional<std::int32_t>(0) : std::nullopt)
        << text;
    store.WriteInteger(kKey, "timeout", 30);
    store.WriteInteger(kKey, "timeout", 31);
    EXPECT_EQ(store.ReadInteger(kKey, "timeout"), 31) << text;
    if (key_readable) {
      EXPECT_EQ(store.ReadInteger(kKey, "get5message"), 0);
    }
    const std::vector<std::string> copies = CorruptCopies(folder);
    ASSERT_EQ(copies.size(), 1u) << text;
    EXPECT_EQ(ReadText(copies[0]), text);
    EXPECT_EQ(std::filesystem::status(copies[0]).permissions(),
              std::filesystem::perms::owner_read |
                  std::filesystem::perms::owner_write);
    EXPECT_EQ(told, std::vector<std::string>{
                        FormatMessage(kPrefsUnreadableLines, copies[0])});
  }
}

// The stamp of the copies kept at `when`.
std::string Stamp(std::time_t when) {
  std::tm parts{};
  ::gmtime_r(&when, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%S", &parts);
  return text;
}

// Catches a second copy within the same second that overwrites the first
// or fails the write, and the hundredth copy of a second refused.
TEST(PreferenceFileTest, CopiesWithinOneSecondGetNumberedNames) {
  TempFolder folder;
  FilePreferenceStore store(folder / "prefs.reg");
  for (int i = 0; i < 3; ++i) {
    WriteText(folder / "prefs.reg", "garbage " + std::to_string(i) + "\n");
    store.WriteInteger(kKey, "timeout", i);
  }
  const std::vector<std::string> copies = CorruptCopies(folder);
  EXPECT_EQ(copies.size(), 3u);
  // The stamp, then -2, -3, ... for further copies within its second.
  const std::regex name(R"(.*/prefs\.reg\.corrupt-\d{8}T\d{6}(-[2-9])?)");
  for (const std::string& copy : copies)
    EXPECT_TRUE(std::regex_match(copy, name)) << copy;
  // 99 copies of this second and of the next already there.
  const std::time_t now = std::time(nullptr);
  for (const std::time_t when : {now, now + 1})
    for (int n = 1; n < 100; ++n)
      WriteText(folder / ("prefs.reg.corrupt-" + Stamp(when) +
                          (n == 1 ? "" : "-" + std::to_string(n))),
                "");
  WriteText(folder / "prefs.reg", "garbage\n");
  EXPECT_NO_THROW(store.WriteInteger(kKey, "timeout", 3));
}

// Catches a copy of bad lines, or a file, that cannot be written whole (a
// full disk, here a file size limit) left behind half written, the file
// replaced without its copy, and a failed write reported as done.
TEST(PreferenceFileTest, AWriteThatCannotBeKeptFailsAndLeavesNothing) {
  TempFolder folder;
  const std::string text = "garbage " + std::string(4096, 'x') + "\n";
  WriteText(folder / "prefs.reg", text);
  WriteText(folder / "good.reg", kTop);
  EXPECT_TRUE(InChild([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{kTop.size() + 8, kTop.size() + 8};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    int failed = 0;
    for (const char* name : {"prefs.reg", "good.reg"}) {
      failed +=
          !ErrorOf([&] {
             FilePreferenceStore(folder / name).WriteInteger(kKey, "a", 1);
           }).empty();
    }
    return failed == 2;
  }));
  EXPECT_EQ(ReadText(folder / "prefs.reg"), text);
  EXPECT_EQ(ReadText(folder / "good.reg"), kTop);
  EXPECT_TRUE(CorruptCopies(folder).empty());
}

enum class Trick {
  kMachineLinkToSecret,
  kLockLinkElsewhere,
  kFifo,
  kLinkToDevZero,
  kTooLarge,
  kMachineFileOfAnotherUser,  // this and below: root only
  kLockOfAnotherUser,
  kOwnFileOfAnotherUser,
  kOwnLinkOfAnotherUser,
};

// Plants the trick at folder/prefs.reg; `elsewhere` is the victim's.
const std::string kPlanted = kTop + "\"a\"=dword:1\n";

void Plant(Trick trick, const TempFolder& folder, const TempFolder& elsewhere) {
  const std::string at = folder / "prefs.reg";
  switch (trick) {
    case Trick::kMachineLinkToSecret:  // even one of the user's own
    case Trick::kOwnLinkOfAnotherUser:
      WriteText(elsewhere / "secret", kPlanted);
      fs::create_symlink(elsewhere / "secret", at);
      if (trick == Trick::kOwnLinkOfAnotherUser) {
        ::lchown(at.c_str(), 65534, 65534);
      } else {
        // Followed, it would lead out of the machine's folder.
        ::chown(elsewhere.path().c_str(), 65534, 65534);
      }
      break;
    case Trick::kLockLinkElsewhere:
      fs::create_symlink(elsewhere / "created", at + ".lock");
      break;
    case Trick::kLockOfAnotherUser:
      WriteText(at + ".lock", "");
      ::chown((at + ".lock").c_str(), 65534, 65534);
      break;
    case Trick::kFifo:
      ::mkfifo(at.c_str(), 0644);
      break;
    case Trick::kLinkToDevZero:
      fs::create_symlink("/dev/zero", at);
      break;
    case Trick::kTooLarge:
      WriteText(at, kPlanted + std::string(kMaxPrefsBytes, ';'));
      break;
    case Trick::kMachineFileOfAnotherUser:
    case Trick::kOwnFileOfAnotherUser:
      WriteText(at, kPlanted);
      ::chown(at.c_str(), 65534, 65534);
      break;
  }
}

// Catches a preference file, lock or temporary file opened through a link
// planted by another user (a secret read and copied, a file created or
// replaced elsewhere), a FIFO or device that hangs the start or eats the
// memory, and a file or link of another user taken as the user's own.
TEST(PreferenceFileTest, PlantedLinksAndSpecialFilesAreRefused) {
  using enum Trick;
  for (const Trick trick :
       {kMachineLinkToSecret, kLockLinkElsewhere, kFifo, kLinkToDevZero,
        kTooLarge, kMachineFileOfAnotherUser, kLockOfAnotherUser,
        kOwnFileOfAnotherUser, kOwnLinkOfAnotherUser}) {
    if (trick >= kMachineFileOfAnotherUser && ::geteuid() != 0) continue;
    const bool machine = trick == kMachineLinkToSecret ||
                         trick == kLockLinkElsewhere ||
                         trick == kMachineFileOfAnotherUser;
    TempFolder folder;
    TempFolder elsewhere;
    Plant(trick, folder, elsewhere);
    FilePreferenceStore store = machine
                                    ? FilePreferenceStore(PreferenceFiles{
                                          folder / "prefs.reg", folder / "own"})
                                    : FilePreferenceStore(folder / "prefs.reg");
    store.SetLockWait(std::chrono::milliseconds(100));
    std::vector<std::string> told;
    store.Notices().Listen(
        [&](const std::string& text) { told.push_back(text); });
    const int n = static_cast<int>(trick);
    EXPECT_EQ(store.ReadInteger(kKey, "a"), std::nullopt) << n;
    EXPECT_THROW(store.WriteInteger(kKey, "a", 30), Error) << n;
    const std::string expected =
        trick == kLockLinkElsewhere || trick == kLockOfAnotherUser ? ""
        : trick == kTooLarge
            ? FormatMessage(kPrefsTooLarge, folder / "prefs.reg")
            : FormatMessage(kPrefsNotAPlainFile, trick == kLinkToDevZero
                                                     ? "/dev/zero"
                                                     : folder / "prefs.reg");
    EXPECT_EQ(told, expected.empty() ? std::vector<std::string>{}
                                     : std::vector<std::string>{expected})
        << n;
    EXPECT_TRUE(CorruptCopies(folder).empty()) << n;
    EXPECT_FALSE(fs::exists(elsewhere / "created")) << n;
    if (fs::exists(elsewhere / "secret")) {
      EXPECT_EQ(ReadText(elsewhere / "secret"), kPlanted) << n;
    }
  }
}

// Catches a lock held by another program (a stuck copy, or another user's
// `flock -s prefs.reg.lock sleep 40`) that freezes the window, a read that
// waits for it, a failed write that loses or damages the file, and a write
// that gives up at once on a lock soon let go.
TEST(PreferenceFileTest, HeldLockFailsTheWriteAfterABoundedWait) {
  TempFolder folder;
  const std::string text = kTop + "\"timeout\"=dword:0000001e\n";
  WriteText(folder / "prefs.reg", text);
  WriteText(folder / "prefs.reg.lock", "");
  const int held = ::open((folder / "prefs.reg.lock").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_SH), 0);
  FilePreferenceStore store(folder / "prefs.reg");
  store.SetLockWait(std::chrono::milliseconds(300));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(store.ReadInteger(kKey, "timeout"), 30);
  EXPECT_EQ(ErrorOf([&] { store.WriteInteger(kKey, "timeout", 60); }),
            "Failed to set data for 'timeout'");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(ReadText(folder / "prefs.reg"), text);
  // A lock let go while the write waits: the write goes through.
  std::thread release([held] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ::close(held);
  });
  EXPECT_NO_THROW(store.WriteInteger(kKey, "timeout", 60));
  release.join();
  EXPECT_EQ(store.ReadInteger(kKey, "timeout"), 60);
  // A lock the file system refuses (as some network ones do) is not held.
  EXPECT_TRUE(InChild([&] {
    return RefuseCalls(SYS_flock, 1, LOCK_NB, ENOLCK) &&
           !ErrorOf([&] { store.WriteInteger(kKey, "timeout", 90); }).empty();
  }));
  EXPECT_EQ(store.ReadInteger(kKey, "timeout"), 60);
}

// Catches the machine-wide file taken over by whichever user writes first,
// a user's changes lost or written into the shared file, the user's own
// values not winning, and the machine's values hidden by the user's file.
TEST(PreferenceFileTest, OwnFileShadowsAMachineFileTheUserMayNotWrite) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give files away";
  TempFolder folder;
  fs::create_directory(folder / "machine");
  const std::string machine_text =
      kTop + "\"timeout\"=dword:0000001e\n\"get5message\"=dword:00000000\n";
  WriteText(folder / "machine/prefs.reg", machine_text);
  // The machine folder and file belong to another user, as /var/lib/tolvane
  // belongs to root for everyone else.
  ASSERT_EQ(::chown((folder / "machine").c_str(), 65534, 65534), 0);
  ASSERT_EQ(::chown((folder / "machine/prefs.reg").c_str(), 65534, 65534), 0);
  FilePreferenceStore store(
      PreferenceFiles{folder / "machine/prefs.reg", folder / "own/prefs.reg"});
  EXPECT_EQ(store.ReadInteger(kKey, "timeout"), 30);
  store.WriteInteger(kKey, "timeout", 60);
  EXPECT_EQ(store.ReadInteger(kKey, "timeout"), 60);
  EXPECT_EQ(store.ReadInteger(kKey, "get5message"), 0);
  EXPECT_EQ(ReadText(folder / "machine/prefs.reg"), machine_text);
  EXPECT_EQ(ReadText(folder / "own/prefs.reg"),
            kTop + "\"timeout\"=dword:0000003c\n\n");
  // The folder's owner writes the machine-wide file itself, readable by all.
  ASSERT_EQ(::chown((folder / "machine").c_str(), 0, 0), 0);
  ASSERT_EQ(::chown((folder / "machine/prefs.reg").c_str(), 0, 0), 0);
  store.WriteInteger(kKey, "get5message", 1);
  EXPECT_EQ(store.ReadInteger(kKey, "get5message"), 1);
  EXPECT_EQ(store.ReadInteger(kKey, "timeout"), 30);
  EXPECT_EQ(fs::status(folder / "machine/prefs.reg").permissions(),
            fs::perms(0644));
}

// Catches a link that root made (as an administrator sets one up for a
// user) taken for one another user planted: it must be followed for every
// user, not refused.
TEST(PreferenceFileTest, ALinkRootMadeIsFollowedForAnyUser) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  TempFolder folder;
  fs::permissions(folder.path(), fs::perms(0755));
  fs::create_directory(folder / "own");
  WriteText(folder / "own/prefs.reg", kTop + "\"timeout\"=dword:1e\n");
  ASSERT_EQ(::chown((folder / "own").c_str(), 65534, 65534), 0);
  ASSERT_EQ(::chown((folder / "own/prefs.reg").c_str(), 65534, 65534), 0);
  fs::create_symlink(folder / "own/prefs.reg", folder / "link.reg");
  EXPECT_TRUE(InChild([&] {
    return ::setuid(65534) == 0 && FilePreferenceStore(folder / "link.reg")
                                           .ReadInteger(kKey, "timeout") == 30;
  }));
}

// Catches a chosen file that is a link replaced by a regular file on the
// first write or, while its target is not made yet, refused, and temporary
// files of a killed save left behind while a save still running keeps its
// own.
TEST(PreferenceFileTest, LinkedFileIsWrittenThroughAndStaleTempsGo) {
  TempFolder folder;
  TempFolder target;
  fs::create_symlink(target / "prefs.reg", folder / "prefs.reg");
  WriteText(target / "prefs.reg", kTop);
  WriteText(target / ".prefs.reg.Ab12Cd", "killed");
  WriteText(target / ".prefs.reg.Ef34Gh", "running");
  const int running = ::open((target / ".prefs.reg.Ef34Gh").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(running, LOCK_EX), 0);
  FilePreferenceStore store(folder / "prefs.reg");
  store.WriteInteger(kKey, "timeout", 45);
  EXPECT_TRUE(fs::is_symlink(folder / "prefs.reg"));
  // A link to a file not made yet, through a second link, relative.
  fs::create_symlink("../" + target.path().filename().string() + "/two.reg",
                     folder / "fresh.reg");
  fs::create_symlink("new/fresh.reg", target / "two.reg");
  FilePreferenceStore(folder / "fresh.reg").WriteInteger(kKey, "timeout", 45);
  EXPECT_TRUE(fs::is_symlink(folder / "fresh.reg"));
  EXPECT_EQ(ReadText(target / "new/fresh.reg"), ReadText(target / "prefs.reg"));
  // Links in a ring lead nowhere: nothing read, nothing written.
  fs::create_symlink("ring.reg", folder / "ring.reg");
  FilePreferenceStore ring(folder / "ring.reg");
  EXPECT_EQ(ring.ReadInteger(kKey, "timeout"), std::nullopt);
  EXPECT_THROW(ring.WriteInteger(kKey, "timeout", 1), Error);
  EXPECT_EQ(ReadText(target / "prefs.reg"),
            kTop + "\"timeout\"=dword:0000002d\n\n");
  EXPECT_FALSE(fs::exists(target / ".prefs.reg.Ab12Cd"));
  EXPECT_TRUE(fs::exists(target / ".prefs.reg.Ef34Gh"));
  ::close(running);
}

// Catches an empty TOLVANE_PREFS taken for a file name, a set one ignored,
// and the user's own file looked for anywhere but their configuration
// folder.
TEST(PreferenceFileTest, EnvironmentChoosesTheFiles) {
  std::vector<std::pair<const char*, std::optional<std::string>>> kept;
  for (const char* name : {kPrefsVariable, "HOME", "XDG_CONFIG_HOME"}) {
    const char* value = std::getenv(name);
    kept.emplace_back(name,
                      value ? std::optional<std::string>(value) : std::nullopt);
  }
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", "/home/ann", 1);
  ::setenv(kPrefsVariable, "", 1);
  EXPECT_EQ(DefaultPreferenceFiles().own,
            "/home/ann/.config/tolvane/prefs.reg");
  EXPECT_EQ(DefaultPreferenceFiles().machine, kMachinePrefsPath);
  ::setenv(kPrefsVariable, "/tmp/own.reg", 1);
  EXPECT_EQ(DefaultPreferenceFiles().own, "/tmp/own.reg");
  EXPECT_EQ(DefaultPreferenceFiles().machine, "");
  // Without a usable HOME, the user's home folder from the user database.
  ::unsetenv(kPrefsVariable);
  const std::string own = std::string(::getpwuid(::geteuid())->pw_dir) +
                          "/.config/tolvane/prefs.reg";
  ::setenv("HOME", "relative", 1);
  EXPECT_EQ(DefaultPreferenceFiles().own, own);
  ::unsetenv("HOME");
  EXPECT_EQ(DefaultPreferenceFiles().own, own);
  ::setenv("XDG_CONFIG_HOME", "/xdg", 1);
  EXPECT_EQ(DefaultPreferenceFiles().own, "/xdg/tolvane/prefs.reg");
  for (const auto& [name, value] : kept)
    value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
}

}  // namespace
}  // namespace tolvane
