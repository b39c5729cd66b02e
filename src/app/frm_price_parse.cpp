#include <utility>

#include "app/busy_box.h"
#include "app/frm_price.h"
#include "app/site_choice.h"
#include "listing/page_parser.h"
#include "listing/sold_page.h"
#include "retrieval/search_url.h"
#include "util/error.h"
#include "util/files.h"
#include "util/money.h"

namespace tolvane {
namespace {

constexpr int kLoadAttempts = 99;
constexpr int kPageStep = 50;

constexpr const char* kChallengeText =
    "The site asked to confirm that a person is searching. Open the address "
    "in your web browser, save the result page, and open it with File > "
    "Open Saved Pages.";
constexpr const char* kStillForSaleText =
    "This page lists items still for sale, not sold ones.";
// Names the page in the message on clashing currencies.
constexpr const char* kThePage = "The page";

// The text of the capture file's lines. A file that cannot be read gives
// an empty page, which simply has no rows; the read is tried again at once,
// as a file briefly held by the page loader may be.
std::string ReadPageText(const std::string& file_name) {
  for (int attempt = 1;; ++attempt) {
    try {
      return ReadLinesText(file_name);
    } catch (const Error& error) {
      // Exhausted memory is told, not taken for an empty page.
      if (error.what() == FormatMessage(kNoMemoryForFile, file_name)) throw;
      if (attempt >= kLoadAttempts) return {};
    }
  }
}

}  // namespace

TFrmPrice::PageRead TFrmPrice::AddPageRows(std::string text) {
  PageRead read;
  read.kind = RecognisePage(text);
  if (read.kind == PageKind::kChallenge) {
    read.refusal = kChallengeText;
    return read;
  }
  if (read.kind == PageKind::kSoldListings) return AddSoldPageRows(text);
  // The page is read straight into one text, never a string per line.
  PageText = PageTextOf(std::move(text));
  PageWalkResult walk =
      WalkAuctions(std::move(PageText), CurrentItem, [this](const ParsedItem&) {
        // A duplicate or an unusable price is simply left out.
        AddItem(CurrentItem);
        app_.BusyBox->Form.Repaint();
      });
  // What the walk did not consume stays until the next page replaces it.
  PageText = std::move(walk.rest);
  read.next_page = walk.next_page;
  return read;
}

TFrmPrice::PageRead TFrmPrice::AddSoldPageRows(const std::string& text) {
  PageRead read;
  read.kind = PageKind::kSoldListings;
  SoldPage page = ReadSoldPage(text);
  // A search of items for sale was saved or asked for: none of it is a
  // price anyone paid.
  if (page.listings.empty() && page.for_sale > 0) {
    read.refusal = kStillForSaleText;
    return read;
  }
  if (!page.currency.empty()) {
    if (const std::optional<std::string> held =
            CurrencyConflict(grid_, page.currency)) {
      read.refusal = CurrencyConflictMessage(kThePage, page.currency, *held);
      return read;
    }
    // Set before the rows arrive, so the summary written after each one
    // already shows their currency.
    if (grid_.Currency().empty()) grid_.SetCurrency(page.currency);
  }
  for (const ParsedItem& listing : page.listings) {
    // Duplicates and unusable prices are left out as on classic pages;
    // unchecked listings arrive unchecked.
    AddItem(listing);
    app_.BusyBox->Form.Repaint();
  }
  read.next_page = page.next_page.has_value();
  read.next_href = std::move(page.next_page);
  return read;
}

void TFrmPrice::ParseListingPage(const std::string& file_name) {
  PageRead read = AddPageRows(ReadPageText(file_name));
  Form.SetEnabled(true);
  page_links_next_ = read.next_page;
  page_is_sold_ = read.kind != PageKind::kClassic;
  page_refused_ = read.refusal.has_value();
  if (read.next_page) SpdBtnGetNextData.SetEnabled(true);
  next_link_.reset();
  // A page read after the wait timed out may be the one before: its link
  // leads back to the page that never came.
  if (read.next_href && !wait_timed_out_) {
    const SiteChoice choice = ReadSiteChoice(services_.preferences);
    const std::string marketplace = MarketplaceAddress(Hosts(), choice);
    const int next_offset = page_offset_ + kPageStep;
    next_link_ = NextLink{next_offset, marketplace,
                          NextPageAddress(*read.next_href, marketplace)
                              .value_or(SoldSearchURL(
                                  marketplace, EdtQuery.Text(), next_offset))};
  }
  if (read.refusal) {
    services_.message_box.Show(*read.refusal, kApplicationTitle, MbButtons::kOk,
                               MbIcon::kInformation);
  }
  GatherData(GatherStep::kSummarise);
}

}  // namespace tolvane
