#pragma once

#include <cstdint>
#include <string>

#include "app/application.h"
#include "platform/progress.h"

namespace tolvane {

// The bar is up while a long command runs, however the command ends; and
// meanwhile events that would change the rows wait.
class ShownProgress {
 public:
  ShownProgress(Application& app, Progress& progress,
                const std::string& caption, std::uint64_t total)
      : command_(app), progress_(progress) {
    progress_.Show(caption, total);
  }
  ShownProgress(const ShownProgress&) = delete;
  ShownProgress& operator=(const ShownProgress&) = delete;
  ~ShownProgress() { progress_.Close(); }

 private:
  Application::LongCommand command_;
  Progress& progress_;
};

}  // namespace tolvane
