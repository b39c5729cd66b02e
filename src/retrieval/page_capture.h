#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/browser.h"

namespace tolvane {

// The meta tag whose content tells a freshly served result page from the
// one the browser already held.
inline constexpr std::string_view kExpiresMarker =
    "<meta http-equiv=\"Expires\" content=\"";
// The Expires tag is the last thing in the page's head.
inline constexpr std::string_view kHeadEndMarker = "\"></HEAD>";
// Only a page that has arrived to its end carries this link text.
inline constexpr std::string_view kPageEndText = "top of page";
// The remembered Expires value before any page has been examined.
inline constexpr const char* kNoPreviousExpires = "thisisfirst";

// The captured lines as one text, each line followed by CR LF.
std::string JoinCapturedLines(const std::vector<std::string>& lines);

// The Expires value of the page: the text between the marker and the first
// head-end marker of the page. Empty when the head-end marker is missing or
// lies before the value; nothing when the page has no Expires marker.
std::optional<std::string> ExpiresValue(std::string_view page);

// True when the page has arrived to its end.
bool IsCompletePage(std::string_view page);

// True when the page is the result page examined last, told by its Expires
// value. `previous` is the value remembered from the page before: the first
// page examined never counts as the same, a page without the marker never
// counts and leaves the remembered value alone, and any new value is
// remembered.
bool IsSameResultPage(std::string_view page, std::string& previous);

// Today's pages carry neither marker: such a page has arrived to its end
// when it holds the document's closing tag (in any letter case).
inline constexpr std::string_view kDocumentEnd = "</html";
bool IsCompleteSoldPage(std::string_view page);

// Today's page accepted last, and the address it was accepted for.
struct AcceptedPage {
  std::size_t fingerprint = 0;
  std::string address;
};

// True when today's page is not the one the browser held before: a page
// with the very bytes of the page accepted last counts as that page still
// held while another address is awaited, and as a new answer when the same
// address was asked again (Resume, the same search once more). A new page
// is remembered.
bool IsNewSoldPage(std::string_view page, const std::string& address,
                   std::optional<AcceptedPage>& last);

// How often, and how long, a step that the platform may refuse for a moment
// is tried before the capture gives up and the timeout takes over.
struct RetryBound {
  int tries = 50;
  std::chrono::milliseconds within{2000};
};

// Deletes the file, trying again while it still exists. False when it is
// still there after the bound.
bool DeleteUntilGone(const std::string& path, RetryBound bound = {});

// Saves the browser's document to the file, trying again at once while the
// save reports a general failure. kOk only when the file was written.
SaveResult SaveWithRetries(Browser& browser, const std::string& path,
                           RetryBound bound = {});

}  // namespace tolvane
