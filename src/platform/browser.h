#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tolvane {

// Navigation flag that keeps a page out of the control's history.
inline constexpr int kNavNoHistory = 2;

enum class SaveResult { kOk, kGeneralFailure, kNoDocument };

// Why a load ended without a page from the site.
enum class LoadFailureKind {
  kHostNotFound,      // the name of the host is not known (often: offline)
  kRefused,           // nothing listens at the address
  kTimedOut,          // the connection was made or tried, and went silent
  kCertificate,       // the site's certificate could not be verified
  kSecureConnection,  // no secure connection could be agreed
  kOther,
};

struct LoadFailure {
  LoadFailureKind kind = LoadFailureKind::kOther;
  // The platform's own words, for what the kinds do not tell.
  std::string detail;
};

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
  // Why the load whose download-complete event is being handled brought no
  // page; nothing when it brought one (an error page the site sent is a
  // page). A failed load reports download-complete like any other.
  virtual std::optional<LoadFailure> LastFailure() const = 0;
};

}  // namespace tolvane
