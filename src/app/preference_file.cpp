#include "app/preference_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "util/error.h"
#include "util/files.h"

namespace tolvane {
namespace {

// The interface names keys from the hive down ("\SOFTWARE\..."); the file
// names them in full.
std::string FileKeyPath(const std::string& key) {
  return std::string(kHiveName) + (key.starts_with('\\') ? "" : "\\") + key;
}

enum class ReadOutcome { kRead, kMissing, kFailed };

ReadOutcome ReadBytes(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    return exists || error ? ReadOutcome::kFailed : ReadOutcome::kMissing;
  }
  bytes.assign(std::istreambuf_iterator<char>(in),
               std::istreambuf_iterator<char>());
  return in.bad() ? ReadOutcome::kFailed : ReadOutcome::kRead;
}

// Holds an exclusive lock on a file for its lifetime. flock locks belong to
// the open file, so two stores in one process exclude each other as well as
// two processes do.
class FileLock {
 public:
  explicit FileLock(const std::string& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666)) {
    if (fd_ < 0) return;
    while (::flock(fd_, LOCK_EX) != 0) {
      if (errno != EINTR) {
        ::close(fd_);
        fd_ = -1;
        return;
      }
    }
  }
  ~FileLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_;
};

std::string UtcStamp() {
  const std::time_t now =
      std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm parts{};
  ::gmtime_r(&now, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%S", &parts);
  return text;
}

bool WriteNewFile(const std::string& path, const std::string& bytes) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      done += static_cast<std::size_t>(n);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (!ok) ::unlink(path.c_str());
  return ok;
}

}  // namespace

std::string FilePreferenceStore::DefaultPath() {
  const char* override_path = std::getenv(kPrefsVariable);
  if (override_path != nullptr && *override_path != '\0') return override_path;
  return kMachinePrefsPath;
}

RegistryText FilePreferenceStore::Load() const {
  std::string bytes;
  if (ReadBytes(path_, bytes) != ReadOutcome::kRead) return {};
  return ParseRegistryText(bytes).value_or(RegistryText{});
}

bool FilePreferenceStore::KeepCorruptCopy(const std::string& bytes) const {
  // Several copies within one second get numbered names rather than
  // replacing each other.
  const std::string base = path_ + ".corrupt-" + UtcStamp();
  for (int n = 1; n <= 100; ++n) {
    const std::string name = n == 1 ? base : base + "-" + std::to_string(n);
    if (WriteNewFile(name, bytes)) return true;
    if (errno != EEXIST) return false;
  }
  return false;
}

bool FilePreferenceStore::Update(
    const std::function<void(RegistryText&)>& change) {
  namespace fs = std::filesystem;
  fs::path folder = fs::path(path_).parent_path();
  if (folder.empty()) folder = ".";
  std::error_code error;
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder, error)) return false;

  const FileLock lock(path_ + ".lock");
  if (!lock.Held()) return false;

  // Read again inside the lock: another copy of the program may have
  // stored a value since this one last looked.
  std::string bytes;
  const ReadOutcome outcome = ReadBytes(path_, bytes);
  // A file that is there but cannot be read would be lost by a rewrite.
  if (outcome == ReadOutcome::kFailed) return false;
  std::optional<RegistryText> registry = ParseRegistryText(bytes);
  if (!registry) {
    if (!KeepCorruptCopy(bytes)) return false;
    registry.emplace();
  }
  change(*registry);
  try {
    WriteFileAtomically(path_, FormatRegistryText(*registry));
  } catch (const Error&) {
    return false;
  }
  return true;
}

bool FilePreferenceStore::KeyExists(const std::string& key) {
  return Load().FindKey(FileKeyPath(key)) != nullptr;
}

bool FilePreferenceStore::OpenKey(const std::string& key, bool create) {
  if (KeyExists(key)) return true;
  if (!create) return false;
  const std::string path = FileKeyPath(key);
  return Update([&](RegistryText& registry) {
    if (registry.FindKey(path) == nullptr) registry.keys.push_back({path, {}});
  });
}

bool FilePreferenceStore::ValueExists(const std::string& key,
                                      const std::string& name) {
  const RegistryText registry = Load();
  const RegistryKey* found = registry.FindKey(FileKeyPath(key));
  return found != nullptr && RegistryText::FindValue(*found, name) != nullptr;
}

std::optional<std::int32_t> FilePreferenceStore::ReadInteger(
    const std::string& key, const std::string& name) {
  const RegistryText registry = Load();
  const RegistryKey* found = registry.FindKey(FileKeyPath(key));
  if (found == nullptr) return std::nullopt;
  const RegistryValue* value = RegistryText::FindValue(*found, name);
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
    RegistryKey* found = registry.FindKey(path);
    if (found == nullptr) {
      registry.keys.push_back({path, {}});
      found = &registry.keys.back();
    }
    // A value of another type is replaced, type and all.
    if (RegistryValue* old = RegistryText::FindValue(*found, name)) {
      old->data = DwordData(value);
    } else {
      found->values.push_back({name, DwordData(value)});
    }
  });
  if (!written) throw Error(FormatMessage(kFailedToSetData, name));
}

}  // namespace tolvane
