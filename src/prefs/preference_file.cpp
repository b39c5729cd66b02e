#include "prefs/preference_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <thread>

#include "util/error.h"
#include "util/files.h"
#include "util/unique_fd.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

// The interface names keys from the hive down ("\SOFTWARE\..."); the file
// names them in full.
std::string FileKeyPath(const std::string& key) {
  return std::string(kHiveName) + (key.starts_with('\\') ? "" : "\\") + key;
}

// A preference file's folder, held open so that every file of the store is
// opened inside it, and the file's name there.
struct Place {
  UniqueFd folder;
  std::string folder_path;
  std::string name;
  uid_t folder_owner = 0;
  std::string Shown(const std::string& file) const {
    return (fs::path(folder_path) / file).string();
  }
};

// Where a file of the user's own leads: a symbolic link the user or root
// made is followed, link by link, to the file it names, which need not be
// there yet (the first save creates it). A link that another user could
// plant (in a folder others may write) is not followed: it would send the
// rewrite anywhere the user may write.
fs::path FollowOwnLinks(fs::path file) {
  // As many links as the system itself follows in one path.
  for (int hop = 0; hop < 40; ++hop) {
    struct stat link {};
    if (::lstat(file.c_str(), &link) != 0 ||
        (link.st_uid != ::geteuid() && link.st_uid != 0))
      break;
    // Anything but a link has no target to read.
    std::error_code error;
    const fs::path target = fs::read_symlink(file, error);
    if (error) break;
    file = target.is_absolute() ? target : file.parent_path() / target;
  }
  return file;
}

// The machine-wide file is taken exactly as named, its folder not followed
// when it is a link. A file of the user's own is followed through the
// user's links, and its folder is made when `create` is set.
std::optional<Place> Locate(const std::string& path, bool machine,
                            bool create) {
  const fs::path file = machine ? fs::path(path) : FollowOwnLinks(path);
  // A name that ends in a slash names a folder, not a file.
  if (file.filename().empty()) return std::nullopt;
  fs::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  if (create) {
    std::error_code error;
    fs::create_directories(folder, error);
  }
  UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC |
                                         (machine ? O_NOFOLLOW : 0)));
  struct stat info {};
  if (!fd.Ok() || ::fstat(fd.Get(), &info) != 0) return std::nullopt;
  return Place{std::move(fd), folder.string(), file.filename().string(),
               info.st_uid};
}

enum class ReadOutcome { kRead, kMissing, kRefused, kTooLarge, kFailed };

// Reads the file only when it is a regular file of the expected owner, with
// a single name for the machine-wide one (a hard link to another file would
// otherwise pass), of at most kMaxPrefsBytes. Opening never waits (a FIFO)
// and reading never runs on (a device).
ReadOutcome ReadPrefs(const Place& place, uid_t owner, bool single_name,
                      std::string& bytes, mode_t& mode) {
  const UniqueFd fd(
      ::openat(place.folder.Get(), place.name.c_str(),
               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd.Ok()) {
    if (errno == ENOENT) return ReadOutcome::kMissing;
    return errno == ELOOP || errno == ENXIO ? ReadOutcome::kRefused
                                            : ReadOutcome::kFailed;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) return ReadOutcome::kFailed;
  if (!S_ISREG(info.st_mode) || info.st_uid != owner ||
      (single_name && info.st_nlink != 1))
    return ReadOutcome::kRefused;
  if (static_cast<std::size_t>(info.st_size) > kMaxPrefsBytes)
    return ReadOutcome::kTooLarge;
  mode = info.st_mode & 0777;
  bytes.clear();
  char buffer[1 << 14];
  while (true) {
    const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ReadOutcome::kFailed;
    if (n == 0) return ReadOutcome::kRead;
    bytes.append(buffer, static_cast<std::size_t>(n));
    // The file may grow after the size was taken.
    if (bytes.size() > kMaxPrefsBytes) return ReadOutcome::kTooLarge;
  }
}

std::string UtcStamp() {
  const std::time_t now =
      std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm parts{};
  ::gmtime_r(&now, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%S", &parts);
  return text;
}

// The copy is the writer's alone: it may hold what other users must not
// read. Several copies within one second get numbered names rather than
// replacing each other. Gives the copy's name, or nothing.
std::optional<std::string> KeepCorruptCopy(const Place& place,
                                           const std::string& bytes) {
  const std::string base = place.name + ".corrupt-" + UtcStamp();
  for (int n = 1; n <= 100; ++n) {
    const std::string name = n == 1 ? base : base + "-" + std::to_string(n);
    const UniqueFd fd(
        ::openat(place.folder.Get(), name.c_str(),
                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.Ok() && errno == EEXIST) continue;
    if (!fd.Ok()) return std::nullopt;
    if (WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0) return name;
    ::unlinkat(place.folder.Get(), name.c_str(), 0);
    return std::nullopt;
  }
  return std::nullopt;
}

// An exclusive lock on "<file>.lock", a regular file of the writer's own,
// waited for `wait` at most: a lock held by a stuck or hostile program
// makes the write fail instead of freezing the window.
bool TakeLock(const UniqueFd& lock, std::chrono::milliseconds wait) {
  struct stat info {};
  if (!lock.Ok() || ::fstat(lock.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      info.st_uid != ::geteuid())
    return false;
  const auto deadline = std::chrono::steady_clock::now() + wait;
  while (::flock(lock.Get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace

// The files in force for one operation, parsed once each.
struct FilePreferenceStore::View {
  RegistryText own;
  RegistryText machine;

  bool HasKey(const std::string& path) const {
    return own.FindKey(path) != nullptr || machine.FindKey(path) != nullptr;
  }
  const RegistryValue* FindValue(const std::string& path,
                                 const std::string& name) const {
    for (const RegistryText* text : {&own, &machine}) {
      const RegistryKey* key = text->FindKey(path);
      if (key == nullptr) continue;
      if (const RegistryValue* value = key->FindValue(name)) return value;
    }
    return nullptr;
  }
};

bool FilePreferenceStore::MachineIsOurs() const {
  const std::optional<Place> place = Locate(machine_path_, true, false);
  return place && place->folder_owner == ::geteuid();
}

RegistryText FilePreferenceStore::LoadOne(const std::string& path,
                                          bool machine) {
  const std::optional<Place> place = Locate(path, machine, false);
  if (!place) return {};
  std::string bytes;
  mode_t mode = 0;
  switch (ReadPrefs(*place, machine ? place->folder_owner : ::geteuid(),
                    machine, bytes, mode)) {
    case ReadOutcome::kRead:
      // Lines that cannot be read are left out here and dealt with by the
      // next save.
      return ParseRegistryText(bytes).registry;
    case ReadOutcome::kRefused:
      notices_.Tell(
          FormatMessage(kPrefsNotAPlainFile, place->Shown(place->name)));
      return {};
    case ReadOutcome::kTooLarge:
      notices_.Tell(FormatMessage(kPrefsTooLarge, place->Shown(place->name)));
      return {};
    case ReadOutcome::kMissing:
    case ReadOutcome::kFailed:
      return {};
  }
  return {};
}

FilePreferenceStore::View FilePreferenceStore::Load() {
  View view;
  if (!machine_path_.empty()) {
    view.machine = LoadOne(machine_path_, true);
    if (MachineIsOurs()) return view;
  }
  view.own = LoadOne(own_path_, false);
  return view;
}

bool FilePreferenceStore::Update(
    const std::function<void(RegistryText&)>& change) {
  const bool machine = !machine_path_.empty() && MachineIsOurs();
  const std::optional<Place> place =
      Locate(machine ? machine_path_ : own_path_, machine, !machine);
  if (!place) return false;

  const UniqueFd lock(
      ::openat(place->folder.Get(), (place->name + ".lock").c_str(),
               O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
  if (!TakeLock(lock, lock_wait_)) return false;

  // Read again inside the lock: another copy of the program may have
  // stored a value since this one last looked.
  std::string bytes;
  mode_t mode = 0;
  const ReadOutcome outcome =
      ReadPrefs(*place, ::geteuid(), machine, bytes, mode);
  if (outcome != ReadOutcome::kRead && outcome != ReadOutcome::kMissing) {
    // A file that is there but not read would be lost by a rewrite.
    if (outcome == ReadOutcome::kRefused)
      notices_.Tell(
          FormatMessage(kPrefsNotAPlainFile, place->Shown(place->name)));
    if (outcome == ReadOutcome::kTooLarge)
      notices_.Tell(FormatMessage(kPrefsTooLarge, place->Shown(place->name)));
    return false;
  }
  // Every user reads the machine-wide file; the user's own keeps its mode,
  // and a new one gets the usual rights.
  std::optional<unsigned> new_mode;
  if (machine) {
    new_mode = 0644;
  } else if (outcome == ReadOutcome::kRead) {
    new_mode = mode;
  }
  ParsedRegistryText parsed = ParseRegistryText(bytes);
  change(parsed.registry);
  // Written back in the form it came in; a file the store would not read
  // back is not written.
  const std::string text = FormatRegistryText(parsed.registry, parsed.form);
  if (text.size() > kMaxPrefsBytes) return false;
  std::optional<std::string> copy;
  if (parsed.bad_lines > 0) {
    copy = KeepCorruptCopy(*place, bytes);
    if (!copy) return false;
  }
  if (!WriteFileAtomicallyAt(place->folder.Get(), place->name, text, new_mode))
    return false;
  if (copy)
    notices_.Tell(FormatMessage(kPrefsUnreadableLines, place->Shown(*copy)));
  return true;
}

bool FilePreferenceStore::KeyExists(const std::string& key) {
  return Load().HasKey(FileKeyPath(key));
}

bool FilePreferenceStore::OpenKey(const std::string& key, bool create) {
  if (KeyExists(key)) return true;
  if (!create) return false;
  const std::string path = FileKeyPath(key);
  return Update([&](RegistryText& registry) { registry.AddKey(path); });
}

bool FilePreferenceStore::ValueExists(const std::string& key,
                                      const std::string& name) {
  return Load().FindValue(FileKeyPath(key), name) != nullptr;
}

std::optional<std::int32_t> FilePreferenceStore::ReadInteger(
    const std::string& key, const std::string& name) {
  const View view = Load();
  const RegistryValue* value = view.FindValue(FileKeyPath(key), name);
  if (value == nullptr) return std::nullopt;
  const std::optional<std::int32_t> integer = DwordOf(value->data);
  if (!integer) throw Error(FormatMessage(kInvalidDataType, name));
  return integer;
}

void FilePreferenceStore::WriteInteger(const std::string& key,
                                       const std::string& name,
                                       std::int32_t value) {
  const std::string path = FileKeyPath(key);
  const bool written = Update([&](RegistryText& registry) {
    registry.AddKey(path).SetValue(name, DwordData(value));
  });
  if (!written) throw Error(FormatMessage(kFailedToSetData, name));
}

}  // namespace tolvane
