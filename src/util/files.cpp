#include "util/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "util/error.h"

namespace tolvane {

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string temp =
      (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) throw Error(FormatMessage(kCannotCreateFile, path));
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
  // New files get the usual rights; mkstemp makes them private.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (ok && ::fchmod(fd, 0666 & ~mask) != 0) ok = false;
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) {
    ::unlink(temp.c_str());
    throw Error(FormatMessage(kCannotCreateFile, path));
  }
}

std::string ReadWholeFile(const std::string& path) {
  // Plain reads into a buffer sized from the file: a merged CSV file can
  // run to a hundred megabytes.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw Error(FormatMessage(kCannotOpenFile, path));
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
  std::string bytes;
  if (ok && S_ISREG(info.st_mode)) {
    bytes.reserve(static_cast<std::size_t>(info.st_size));
  }
  char buffer[1 << 16];
  while (ok) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (!ok) throw Error(FormatMessage(kCannotOpenFile, path));
  return bytes;
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

}  // namespace tolvane
