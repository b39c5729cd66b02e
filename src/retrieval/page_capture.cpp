#include "retrieval/page_capture.h"

#include <filesystem>
#include <functional>
#include <system_error>

#include "util/tessik_glo.h"

namespace tolvane {
namespace {

// Runs `attempt` until it reports success or the bound is used up.
template <typename Attempt>
bool TryWithin(RetryBound bound, Attempt attempt) {
  const auto deadline = std::chrono::steady_clock::now() + bound.within;
  for (int i = 0; i < bound.tries; ++i) {
    if (attempt()) return true;
    if (std::chrono::steady_clock::now() >= deadline) break;
  }
  return false;
}

}  // namespace

std::string JoinCapturedLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::optional<std::string> ExpiresValue(std::string_view page) {
  const int p = TessikGlo::Find(page, kExpiresMarker);
  if (p == -1) return std::nullopt;
  const int start = p + static_cast<int>(kExpiresMarker.size());
  const int q = TessikGlo::Find(page, kHeadEndMarker);
  return SubString(page, start, q - start);
}

bool IsCompletePage(std::string_view page) {
  return TessikGlo::FindPlain(page, kPageEndText) != -1;
}

bool IsSameResultPage(std::string_view page, std::string& previous) {
  std::optional<std::string> current = ExpiresValue(page);
  if (!current) return false;
  if (previous == kNoPreviousExpires) {
    previous = std::move(*current);
    return false;
  }
  if (*current == previous) return true;
  previous = std::move(*current);
  return false;
}

bool IsCompleteSoldPage(std::string_view page) {
  const std::size_t size = kDocumentEnd.size();
  for (std::size_t at = page.find("</"); at != std::string_view::npos;
       at = page.find("</", at + 2)) {
    if (page.size() - at < size) return false;
    bool same = true;
    for (std::size_t i = 2; i < size && same; ++i) {
      const char c = page[at + i];
      same = (c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) == kDocumentEnd[i];
    }
    if (same) return true;
  }
  return false;
}

bool IsNewSoldPage(std::string_view page, const std::string& address,
                   std::optional<AcceptedPage>& last) {
  const std::size_t fingerprint = std::hash<std::string_view>{}(page);
  if (last && last->fingerprint == fingerprint && last->address != address) {
    return false;
  }
  last = AcceptedPage{fingerprint, address};
  return true;
}

bool DeleteUntilGone(const std::string& path, RetryBound bound) {
  return TryWithin(bound, [&path] {
    std::error_code error;
    std::filesystem::remove(path, error);
    const auto status = std::filesystem::symlink_status(path, error);
    return status.type() == std::filesystem::file_type::not_found;
  });
}

SaveResult SaveWithRetries(Browser& browser, const std::string& path,
                           RetryBound bound) {
  SaveResult result = SaveResult::kGeneralFailure;
  TryWithin(bound, [&] {
    result = browser.SaveDocument(path);
    return result != SaveResult::kGeneralFailure;
  });
  return result;
}

}  // namespace tolvane
