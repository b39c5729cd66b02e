#pragma once

#include <functional>
#include <string>

namespace tolvane {

// Navigation flag that keeps a page out of the control's history.
inline constexpr int kNavNoHistory = 2;

enum class SaveResult { kOk, kGeneralFailure, kNoDocument };

// The embedded web browser control.
class Browser {
 public:
  virtual ~Browser() = default;
  // Starts loading; returns at once. The page arrives through the
  // download-complete handler, called from the event loop.
  virtual void Navigate(const std::string& url, int flags) = 0;
  virtual void Stop() = 0;
  // Writes the current document's bytes, exactly as received, to the file.
  virtual SaveResult SaveDocument(const std::string& path) = 0;
  virtual void SetOnDownloadComplete(std::function<void()> handler) = 0;
};

}  // namespace tolvane
