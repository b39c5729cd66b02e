#pragma once

#include <cstdint>
#include <string>

namespace tolvane {

// A bar that tells how far a long command has come, with a Cancel button.
// It appears only once the work has run for about half a second and looks
// like running on; while it shows, the windows keep repainting and nothing
// but Cancel takes a click.
class Progress {
 public:
  virtual ~Progress() = default;
  // Starts counting toward `total` units of work under the caption.
  virtual void Show(const std::string& caption, std::uint64_t total) = 0;
  // Tells how many units are done: where the screen is brought up to date
  // and a click on Cancel is noticed.
  virtual void Set(std::uint64_t done) = 0;
  // True once Cancel has been pressed since Show.
  virtual bool Cancelled() const = 0;
  virtual void Close() = 0;
};

}  // namespace tolvane
