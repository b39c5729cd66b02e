#pragma once

#include <cstdint>
#include <string>

#include "platform/progress.h"

namespace tolvane {

// The bar is up while a long command runs, however the command ends.
class ShownProgress {
 public:
  ShownProgress(Progress& progress, const std::string& caption,
                std::uint64_t total)
      : progress_(progress) {
    progress_.Show(caption, total);
  }
  ShownProgress(const ShownProgress&) = delete;
  ShownProgress& operator=(const ShownProgress&) = delete;
  ~ShownProgress() { progress_.Close(); }

 private:
  Progress& progress_;
};

}  // namespace tolvane
