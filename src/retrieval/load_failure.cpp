#include "retrieval/load_failure.h"

#include "util/error.h"

namespace tolvane {

std::string HostOfAddress(std::string_view address) {
  const std::size_t scheme = address.find("://");
  if (scheme == std::string_view::npos) return std::string(address);
  std::string_view rest = address.substr(scheme + 3);
  rest = rest.substr(0, rest.find_first_of("/?#"));
  // Credentials before the host are nobody's business in a message.
  const std::size_t at = rest.rfind('@');
  if (at != std::string_view::npos) rest.remove_prefix(at + 1);
  return std::string(rest);
}

std::string LoadFailureMessage(const LoadFailure& failure,
                               std::string_view address) {
  const char* pattern = kLoadFailedText;
  bool with_detail = true;
  switch (failure.kind) {
    case LoadFailureKind::kHostNotFound:
      pattern = kHostNotFoundText;
      with_detail = false;
      break;
    case LoadFailureKind::kRefused:
      pattern = kRefusedText;
      with_detail = false;
      break;
    case LoadFailureKind::kTimedOut:
      pattern = kTimedOutText;
      with_detail = false;
      break;
    case LoadFailureKind::kCertificate:
      pattern = kCertificateText;
      break;
    case LoadFailureKind::kSecureConnection:
      pattern = kSecureConnectionText;
      break;
    case LoadFailureKind::kOther:
      break;
  }
  std::string text = FormatMessage(pattern, HostOfAddress(address));
  std::string detail = failure.detail;
  while (!detail.empty() && (detail.back() == '.' || detail.back() == ' ')) {
    detail.pop_back();
  }
  if (with_detail && !detail.empty()) {
    text += FormatMessage(kSystemSaidText, detail);
  }
  return text;
}

}  // namespace tolvane
