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
#include <new>
#include <random>
#include <stdexcept>

#include "util/error.h"

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
  const int list_fd =
      ::openat(folder_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (list_fd == -1) return;
  DIR* list = ::fdopendir(list_fd);
  if (list == nullptr) {
    ::close(list_fd);
    return;
  }
  while (const dirent* entry = ::readdir(list)) {
    const std::string entry_name = entry->d_name;
    if (!IsTempNameOf(entry_name, name)) continue;
    const int fd = ::openat(folder_fd, entry_name.c_str(),
                            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd == -1) continue;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        info.st_uid == ::geteuid() && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlinkat(folder_fd, entry_name.c_str(), 0);
    }
    ::close(fd);
  }
  ::closedir(list);
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
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

}  // namespace

namespace {

// Writes the bytes into `fd`, locked for as long as it stays open, with
// exactly `mode`, and makes them durable.
bool FillTemp(int fd, const std::string& bytes, unsigned mode) {
  return ::flock(fd, LOCK_EX) == 0 && WriteAll(fd, bytes) &&
         ::fchmod(fd, static_cast<mode_t>(mode)) == 0 && ::fsync(fd) == 0;
}

// The unnamed way: a name exists only between the link and the rename.
// Nothing when the file system or the process cannot do it; then false in
// `done` says to try the named way.
bool WriteThroughUnnamed(int folder_fd, const std::string& name,
                         const std::string& bytes, unsigned mode, bool& done) {
  done = false;
  const int fd =
      ::openat(folder_fd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd == -1) return false;
  bool ok = FillTemp(fd, bytes, mode);
  std::string temp;
  bool named = false;
  for (int attempt = 0; ok && !named && attempt < 100; ++attempt) {
    temp = TempName(name);
    named = LinkUnnamed(fd, folder_fd, temp);
    if (!named && errno != EEXIST) break;
  }
  if (ok && !named) {  // no way to name it here
    ::close(fd);
    return false;
  }
  done = true;
  ok = ok && ::renameat(folder_fd, temp.c_str(), folder_fd, name.c_str()) == 0;
  if (!ok && named) ::unlinkat(folder_fd, temp.c_str(), 0);
  // Closing releases the lock only once the temporary name is gone.
  if (::close(fd) != 0) ok = false;
  return ok;
}

}  // namespace

bool WriteFileAtomicallyAt(int folder_fd, const std::string& name,
                           const std::string& bytes, unsigned mode) {
  RemoveStaleTemps(folder_fd, name);
  bool done = false;
  const bool ok = WriteThroughUnnamed(folder_fd, name, bytes, mode, done);
  if (done) return ok;
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd == -1; ++attempt) {
    temp = TempName(name);
    fd = ::openat(folder_fd, temp.c_str(),
                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd == -1 && errno != EEXIST) return false;
  }
  if (fd == -1) return false;
  bool written =
      FillTemp(fd, bytes, mode) &&
      ::renameat(folder_fd, temp.c_str(), folder_fd, name.c_str()) == 0;
  if (!written) ::unlinkat(folder_fd, temp.c_str(), 0);
  if (::close(fd) != 0) written = false;
  return written;
}

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  // New files get the usual rights.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  const int folder_fd =
      ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const bool ok = folder_fd >= 0 && !target.filename().empty() &&
                  WriteFileAtomicallyAt(folder_fd, target.filename().string(),
                                        bytes, 0666 & ~mask);
  if (folder_fd != -1) ::close(folder_fd);
  if (!ok) throw Error(FormatMessage(kCannotCreateFile, path));
}

InputFile::InputFile(const std::string& path) : path_(path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ == -1) throw Error(FormatMessage(kCannotOpenFile, path));
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd_);
    throw Error(FormatMessage(kCannotOpenFile, path));
  }
  size_ = static_cast<std::size_t>(info.st_size);
}

InputFile::~InputFile() { ::close(fd_); }

std::size_t InputFile::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, size);
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
  std::string out(2 * kRead + 2, '\0');
  bool pending_cr = false;  // a read ended on CR: is LF next?
  char last = '\n';
  for (;;) {
    const std::size_t n = file.Read(chunk.data(), kRead);
    if (n == 0) break;
    char* to = out.data();
    std::size_t i = 0;
    if (pending_cr) {
      *to++ = '\r';
      *to++ = '\n';
      pending_cr = false;
      if (chunk[0] == '\n') i = 1;
    }
    for (; i < n; ++i) {
      const char c = chunk[i];
      if (c != '\n' && c != '\r') {
        *to++ = c;
      } else if (c == '\r' && i + 1 == n) {
        pending_cr = true;
      } else {
        *to++ = '\r';
        *to++ = '\n';
        if (c == '\r' && chunk[i + 1] == '\n') ++i;
      }
    }
    emit(std::string_view(out.data(),
                          static_cast<std::size_t>(to - out.data())));
    last = chunk[n - 1];
  }
  if (pending_cr || (last != '\n' && last != '\r')) emit("\r\n");
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

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size; ++i) {
    const char c = text[i];
    if (c != '\n' && c != '\r') continue;
    lines.emplace_back(text, start, i - start);
    if (c == '\r' && i + 1 < size && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < size) lines.emplace_back(text, start, size - start);
  return lines;
}

std::vector<std::string> MemoLinesOf(const std::string& text) {
  std::vector<std::string> lines = SplitLines(text);
  if (text.empty() || text.back() == '\n' || text.back() == '\r') {
    lines.emplace_back();
  }
  return lines;
}

std::vector<std::string> MemoEntryLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) break;
    lines.emplace_back(text, start, end - start);
    start = end + 2;
  }
  // Text after the last break, or an empty line after a closing break.
  lines.emplace_back(text, start);
  return lines;
}

}  // namespace tolvane
