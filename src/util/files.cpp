#include "util/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <new>
#include <random>
#include <stdexcept>

#include "util/error.h"
#include "util/lines.h"

namespace tolvane {

namespace {

constexpr int kTempSuffixLength = 6;

// ".<name>.XXXXXX": what a save of `name` calls its temporary file.
std::string TempName(const std::string& name) {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::random_device device;
  std::string temp = "." + name + ".";
  for (int i = 0; i < kTempSuffixLength; ++i) {
    temp += kLetters[device() % (sizeof kLetters - 1)];
  }
  return temp;
}

bool IsTempNameOf(const std::string& entry, const std::string& name) {
  const std::string prefix = "." + name + ".";
  if (entry.size() != prefix.size() + kTempSuffixLength ||
      !entry.starts_with(prefix))
    return false;
  for (std::size_t i = prefix.size(); i < entry.size(); ++i) {
    if (!std::isalnum(static_cast<unsigned char>(entry[i]))) return false;
  }
  return true;
}

// A writer holds a lock on its temporary file until it is renamed, so one
// that can be locked belongs to a save that died. Only regular files of our
// own are touched.
void RemoveStaleTemps(int folder_fd, const std::string& name) {
  UniqueFd list_fd(
      ::openat(folder_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!list_fd.Ok()) return;
  const std::unique_ptr<DIR, int (*)(DIR*)> list(::fdopendir(list_fd.Get()),
                                                 ::closedir);
  if (list == nullptr) return;
  list_fd.Release();  // the listing closes it
  while (const dirent* entry = ::readdir(list.get())) {
    const std::string entry_name = entry->d_name;
    if (!IsTempNameOf(entry_name, name)) continue;
    const UniqueFd fd(::openat(folder_fd, entry_name.c_str(),
                               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (fd.Ok() && ::fstat(fd.Get(), &info) == 0 && S_ISREG(info.st_mode) &&
        info.st_uid == ::geteuid() && ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0)
      ::unlinkat(folder_fd, entry_name.c_str(), 0);
  }
}

// Gives the unnamed file a name in the folder; false when neither /proc nor
// the right to link by descriptor is there.
bool LinkUnnamed(int fd, int folder_fd, const std::string& temp) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), folder_fd, temp.c_str(),
               AT_SYMLINK_FOLLOW) == 0)
    return true;
  if (errno == EEXIST) return false;
  return ::linkat(fd, "", folder_fd, temp.c_str(), AT_EMPTY_PATH) == 0;
}

// A file is made with the mode it ends with (the umask may take rights
// away, fchmod gives them back), or with the usual rights of a new file,
// 0666 less the umask: never a change of the process's umask, which other
// threads share.
mode_t CreateMode(std::optional<unsigned> mode) {
  return static_cast<mode_t>(mode.value_or(0666));
}

// Writes the bytes into `fd`, locked for as long as it stays open, with
// exactly `mode` when one is given, and makes them durable.
bool FillTemp(int fd, std::string_view bytes, std::optional<unsigned> mode) {
  return ::flock(fd, LOCK_EX) == 0 && WriteAll(fd, bytes) &&
         (!mode || ::fchmod(fd, static_cast<mode_t>(*mode)) == 0) &&
         ::fsync(fd) == 0;
}

// A written temporary file under its name in the folder, locked until its
// descriptor closes.
struct Temp {
  UniqueFd fd;
  std::string name;
};

enum class Made { kMade, kFailed, kNotHere };

// The unnamed way: the file has a name only between the link and the
// rename. kNotHere when the file system or the process cannot do it.
Made MakeUnnamedTemp(int folder_fd, const std::string& name,
                     std::string_view bytes, std::optional<unsigned> mode,
                     Temp& temp) {
  temp.fd = UniqueFd(::openat(folder_fd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC,
                              CreateMode(mode)));
  if (!temp.fd.Ok()) return Made::kNotHere;
  if (!FillTemp(temp.fd.Get(), bytes, mode)) return Made::kFailed;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp.name = TempName(name);
    if (LinkUnnamed(temp.fd.Get(), folder_fd, temp.name)) return Made::kMade;
    if (errno != EEXIST) break;
  }
  return Made::kNotHere;
}

// The named way, for file systems without unnamed files.
Made MakeNamedTemp(int folder_fd, const std::string& name,
                   std::string_view bytes, std::optional<unsigned> mode,
                   Temp& temp) {
  for (int attempt = 0; attempt < 100 && !temp.fd.Ok(); ++attempt) {
    temp.name = TempName(name);
    temp.fd =
        UniqueFd(::openat(folder_fd, temp.name.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          CreateMode(mode)));
    if (!temp.fd.Ok() && errno != EEXIST) return Made::kFailed;
  }
  if (!temp.fd.Ok()) return Made::kFailed;
  if (FillTemp(temp.fd.Get(), bytes, mode)) return Made::kMade;
  ::unlinkat(folder_fd, temp.name.c_str(), 0);
  return Made::kFailed;
}

}  // namespace

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool WriteFileAtomicallyAt(int folder_fd, const std::string& name,
                           std::string_view bytes,
                           std::optional<unsigned> mode) {
  RemoveStaleTemps(folder_fd, name);
  Temp temp;
  Made made = MakeUnnamedTemp(folder_fd, name, bytes, mode, temp);
  if (made == Made::kNotHere) {
    temp = Temp{};
    made = MakeNamedTemp(folder_fd, name, bytes, mode, temp);
  }
  if (made != Made::kMade) return false;
  const bool renamed =
      ::renameat(folder_fd, temp.name.c_str(), folder_fd, name.c_str()) == 0;
  if (!renamed) ::unlinkat(folder_fd, temp.name.c_str(), 0);
  // Closing releases the lock only once the temporary name is gone.
  return temp.fd.Close() && renamed;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  const UniqueFd folder_fd(
      ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder_fd.Ok() || target.filename().empty() ||
      !WriteFileAtomicallyAt(folder_fd.Get(), target.filename().string(), bytes,
                             std::nullopt))
    throw Error(FormatMessage(kCannotCreateFile, path));
}

InputFile::InputFile(const std::string& path)
    : path_(path),
      fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
  struct stat info {};
  if (!fd_.Ok() || ::fstat(fd_.Get(), &info) != 0 || !S_ISREG(info.st_mode))
    throw Error(FormatMessage(kCannotOpenFile, path));
  size_ = static_cast<std::size_t>(info.st_size);
}

std::size_t InputFile::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd_.Get(), buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) throw Error(FormatMessage(kCannotReadFile, path_));
  }
}

namespace {

constexpr std::size_t kChunk = 1 << 16;

// Runs a read, turning exhausted memory into the program's own words.
template <typename Reading>
std::string Reporting(const std::string& path, Reading reading) {
  try {
    return reading();
  } catch (const std::bad_alloc&) {
    throw Error(FormatMessage(kNoMemoryForFile, path));
  } catch (const std::length_error&) {
    throw Error(FormatMessage(kNoMemoryForFile, path));
  }
}

// Appends the bytes read until the end of the file.
void ReadRest(InputFile& file, std::string& bytes) {
  for (;;) {
    const std::size_t had = bytes.size();
    // Sized from the file, a plain file needs one more read to see its end.
    if (bytes.capacity() - had < kChunk / 4) {
      bytes.reserve(std::max(bytes.capacity() * 2, had + kChunk));
    }
    bytes.resize(bytes.capacity());
    const std::size_t n = file.Read(bytes.data() + had, bytes.size() - had);
    bytes.resize(had + n);
    if (n == 0) return;
  }
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  return Reporting(path, [&] {
    InputFile file(path);
    std::string bytes;
    bytes.reserve(file.Size() + 1);
    ReadRest(file, bytes);
    return bytes;
  });
}

namespace {

// Hands the file's lines, each followed by CR LF, to `emit`, one read's
// worth at a time.
template <typename Emit>
void StreamLinesText(InputFile& file, Emit emit) {
  constexpr std::size_t kRead = 16 * kChunk;
  std::string chunk(kRead, '\0');
  // A read of bare line feeds doubles.
  std::string out(2 * kRead, '\0');
  // A read that ended on CR has given its break already: a LF opening the
  // next read is the CR's own.
  bool ended_on_cr = false;
  char last = '\n';
  for (;;) {
    const std::size_t n = file.Read(chunk.data(), kRead);
    if (n == 0) break;
    std::string_view piece(chunk.data(), n);
    if (ended_on_cr && piece.front() == '\n') piece.remove_prefix(1);
    char* to = out.data();
    LineWalker lines(piece);
    for (std::string_view line; lines.Next(line);) {
      to = std::copy(line.begin(), line.end(), to);
      if (lines.Broke()) {
        *to++ = '\r';
        *to++ = '\n';
      }
    }
    emit(std::string_view(out.data(),
                          static_cast<std::size_t>(to - out.data())));
    last = chunk[n - 1];
    ended_on_cr = last == '\r';
  }
  if (last != '\n' && last != '\r') emit("\r\n");
}

}  // namespace

std::string ReadLinesText(const std::string& path) {
  return Reporting(path, [&] {
    InputFile file(path);
    // Room for the longest text the file can give (bare line feeds double)
    // is only address space: what the text does not fill is never touched.
    std::string text;
    text.reserve(2 * file.Size() + 2);
    StreamLinesText(file, [&](std::string_view piece) { text.append(piece); });
    return text;
  });
}

}  // namespace tolvane
