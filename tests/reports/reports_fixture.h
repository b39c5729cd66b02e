#pragma once

#include <sys/resource.h>

#include <csignal>
#include <string>
#include <tuple>

#include "app/temp_folder.h"
#include "fakes/fakes.h"
#include "listing/result_grid.h"

namespace tolvane::testing {

// While alive, no file this process writes may grow beyond the limit (a
// negative limit changes nothing): a full disk that even root meets.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(long bytes) : active_(bytes >= 0) {
    if (!active_) return;
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    if (!active_) return;
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  bool active_;
  rlimit saved_{};
  void (*previous_handler_)(int) = nullptr;
};

// Puts a row straight into the grid, as a page or a file would have.
inline void PutRow(fakes::FakeApp& f, const ParsedItem& item,
                   bool checked = true) {
  ResultGrid& grid = f.FrmPrice->ListView1();
  grid.Append(*MakeRow(item, RegionalSettings::UnitedStates()));
  grid.SetChecked(grid.Count() - 1, checked);
}

// A file dialog's settings as one value, to compare in one go.
using Dialog =
    std::tuple<std::string, std::string, int, std::string, std::string>;
inline Dialog DialogOf(const FileDialogSettings& s) {
  return {s.title, s.filter, s.filter_index, s.file_name, s.default_ext};
}

}  // namespace tolvane::testing
