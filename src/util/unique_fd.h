#pragma once

#include <unistd.h>

#include <utility>

namespace tolvane {

// A file descriptor of the program's own, closed when it goes, so that no
// path out of a function (an error, an exception) leaves one open.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() { Close(); }
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      Close();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int Get() const { return fd_; }
  bool Ok() const { return fd_ != -1; }
  // Hands the descriptor over to whoever closes it next.
  int Release() { return std::exchange(fd_, -1); }
  // Closes it now: false when the close fails, which on some file systems
  // is the first news of a failed write.
  bool Close() {
    if (fd_ == -1) return true;
    return ::close(std::exchange(fd_, -1)) == 0;
  }

 private:
  int fd_ = -1;
};

}  // namespace tolvane
