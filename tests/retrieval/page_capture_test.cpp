#include "retrieval/page_capture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/temp_folder.h"
#include "fakes/fakes.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

std::string Head(const std::string& value) {
  return "<HTML><HEAD><TITLE>t</TITLE>\r\n<meta http-equiv=\"Expires\" "
         "content=\"" +
         value + "\"></HEAD>\r\n<BODY>";
}

// An Expires value cut at the wrong place would make every page look new
// (or every page look the same).
TEST(PageCaptureTest, ExpiresValueLiesBetweenTheMarkers) {
  // Each page and the value found in it.
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {Head("Sun, 23 Nov 2003 18:45:07 GMT"), "Sun, 23 Nov 2003 18:45:07 GMT"},
      {Head(""), ""},
      {"<HTML><HEAD><TITLE>no marker</TITLE></HEAD>", std::nullopt},
      // Marker in another letter case: not the marker.
      {"<META HTTP-EQUIV=\"Expires\" CONTENT=\"x\"></HEAD>", std::nullopt},
      // No head-end marker: the value is empty.
      {"<meta http-equiv=\"Expires\" content=\"x\"></head>", ""},
      // The head-end marker is searched from the start of the page.
      {"<a href=\"x\"></HEAD><meta http-equiv=\"Expires\" "
       "content=\"y\"></HEAD>",
       ""},
      // A value that runs to the end of the text.
      {"<meta http-equiv=\"Expires\" content=\"", ""}};
  for (const auto& [page, value] : cases)
    EXPECT_EQ(ExpiresValue(page), value) << page;
}

// The same-page test must let the first page through, ignore pages without
// the marker and remember each new value; a page is never the same as the
// start value, even one that happens to carry it.
TEST(PageCaptureTest, SamePageFollowsTheRememberedValue) {
  struct Step {
    std::string page;
    bool same;
    std::string remembered;
  };
  const std::string no_marker = "<HTML><HEAD></HEAD><BODY>top of page";
  const std::vector<Step> steps = {{no_marker, false, "thisisfirst"},
                                   {Head("A"), false, "A"},
                                   {Head("A"), true, "A"},
                                   {no_marker, false, "A"},
                                   {Head("A"), true, "A"},
                                   {Head("B"), false, "B"},
                                   {Head(""), false, ""},
                                   {Head(""), true, ""},
                                   {Head("thisisfirst"), false, "thisisfirst"},
                                   {Head("thisisfirst"), false, "thisisfirst"}};
  std::string previous = kNoPreviousExpires;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(IsSameResultPage(steps[i].page, previous), steps[i].same)
        << "step " << i;
    EXPECT_EQ(previous, steps[i].remembered) << "step " << i;
  }
}

// The completeness test must find the link text on the joined lines, and
// only there.
TEST(PageCaptureTest, CompletePageCarriesTheTopOfPageLink) {
  // Each page's lines and whether it is complete.
  const std::pair<std::vector<std::string>, bool> cases[] = {
      {{"<p>", "<a href=\"#top\">top of page</a>", "</BODY>"}, true},
      {{"<p>", "top of page"}, true},  // the line break follows it
      {{"<p>", "top of", "page"}, false},
      {{"Top Of Page"}, false},
      {{}, false}};
  for (const auto& [lines, complete] : cases)
    EXPECT_EQ(IsCompletePage(JoinCapturedLines(lines)), complete);
  EXPECT_EQ(JoinCapturedLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

// Catches today's page taken before its end has arrived (or refused for
// the letter case of its closing tag), and the page the browser still holds
// taken for the one awaited, or a page asked again refused as stale.
TEST(PageCaptureTest, TodaysPageCountsWholeAndNew) {
  const std::pair<std::string, bool> ends[] = {
      {"<ul class=srp-results></ul></body></html>", true},
      {"<p></BODY></HTML>\r\n", true},
      {"<p></body></Html >", true},
      {"</html", true},
      {"<ul class=srp-results><li>", false},
      {"<head></head><li>x</li><p>more", false},
      {"</htm", false},
      {"</ht", false}};
  for (const auto& [page, complete] : ends)
    EXPECT_EQ(IsCompleteSoldPage(page), complete) << page;

  // Each step: the page, the address awaited, whether it is new.
  const std::tuple<const char*, const char*, bool> steps[] = {
      {"A", "page1", true},  {"A", "page2", false}, {"A", "page2", false},
      {"B", "page2", true},  {"B", "page2", true},  {"A", "page1", true},
      {"A", "page2", false}, {"C", "page3", true}};
  std::optional<AcceptedPage> last;
  for (const auto& [page, address, fresh] : steps)
    EXPECT_EQ(IsNewSoldPage(page, address, last), fresh) << page << address;
}

// Deleting must succeed for a missing or present file and give up, rather
// than hang, on one that cannot go. A save that fails now and then must be
// tried again; one that never succeeds must end in a failure, not a loop.
TEST(PageCaptureTest, DeleteAndSaveRetryWithinTheirBounds) {
  const testing::TempFolder folder;
  EXPECT_TRUE(DeleteUntilGone(folder / "missing.htm"));
  std::ofstream(folder / "present.htm") << "x";
  EXPECT_TRUE(DeleteUntilGone(folder / "present.htm"));
  EXPECT_FALSE(fs::exists(folder / "present.htm"));

  // A folder with something in it cannot be deleted as a file.
  fs::create_directories(folder / "stuck.htm");
  std::ofstream(folder / "stuck.htm/inner") << "x";
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(
      DeleteUntilGone(folder / "stuck.htm", {50, std::chrono::seconds(2)}));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));

  PlainBrowser browser;
  EXPECT_EQ(SaveWithRetries(browser, folder / "a.htm"),
            SaveResult::kNoDocument);
  browser.document = "page";
  browser.general_failures = 3;
  EXPECT_EQ(SaveWithRetries(browser, folder / "a.htm"), SaveResult::kOk);
  EXPECT_TRUE(fs::exists(folder / "a.htm"));
  browser.general_failures = 1000;
  EXPECT_EQ(SaveWithRetries(browser, folder / "b.htm"),
            SaveResult::kGeneralFailure);
  EXPECT_EQ(browser.general_failures, 950);
  EXPECT_FALSE(fs::exists(folder / "b.htm"));
}

}  // namespace
}  // namespace tolvane
