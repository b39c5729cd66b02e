#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "util/unique_fd.h"

namespace tolvane {

inline constexpr const char* kCannotCreateFile = "Cannot create file %s";
inline constexpr const char* kCannotOpenFile = "Cannot open file %s";

// Every file the program writes goes through these two. The bytes go to a
// temporary file in the same folder that is renamed over the target, so a
// failed write leaves the old file whole; a new file gets the usual rights
// (0666 less the umask). Throws Error with kCannotCreateFile.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// The same inside an open folder, the new file getting exactly `mode` when
// one is given; false on failure, with nothing left behind. The bytes go to
// an unnamed file that gets a name only to be renamed (where the file
// system has no unnamed files, to a named one locked while it is written).
// Temporary files of earlier saves of the same name that were killed on the
// way (our own, no longer locked) are removed first.
bool WriteFileAtomicallyAt(int folder_fd, const std::string& name,
                           std::string_view bytes,
                           std::optional<unsigned> mode);

// Writes every byte, going on after interrupted and short writes; false
// when the file takes no more.
bool WriteAll(int fd, std::string_view bytes);

inline constexpr const char* kCannotReadFile = "Cannot read file %s";
inline constexpr const char* kNoMemoryForFile =
    "Not enough memory to read file %s";

// A file opened for reading that is known to be a regular file. Opening
// never waits (a FIFO without a writer would block for ever), and a folder,
// FIFO, device or socket is refused: Error with kCannotOpenFile.
class InputFile {
 public:
  explicit InputFile(const std::string& path);
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Up to `size` bytes; 0 at the end of the file. A failed read throws
  // Error with kCannotReadFile.
  std::size_t Read(char* buffer, std::size_t size);
  // The size the file had when it was opened.
  std::size_t Size() const { return size_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  UniqueFd fd_;
  std::size_t size_ = 0;
};

// Reads the whole file into one buffer. Throws Error with kCannotOpenFile,
// kCannotReadFile or kNoMemoryForFile.
std::string ReadWholeFile(const std::string& path);

// The text of the file's lines, each followed by CR LF: what a string list
// filled from the file gives as its text, built in one buffer without the
// list. Throws as ReadWholeFile does.
std::string ReadLinesText(const std::string& path);

}  // namespace tolvane
