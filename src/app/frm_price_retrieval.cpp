#include <climits>
#include <cstdint>
#include <string_view>

#include "app/busy_box.h"
#include "app/frm_options.h"
#include "app/frm_price.h"
#include "app/site_choice.h"
#include "listing/sold_page.h"
#include "retrieval/load_failure.h"
#include "retrieval/page_capture.h"
#include "util/numbers.h"

namespace tolvane {
namespace {

constexpr const char* kGet5Note =
    "Tolvane is getting 5 pages of completed price information.  This can "
    "take some time depending upon your internet connection speed.  The "
    "program may not respond during data gathering.  The program will make a "
    "'pop' sound when each page has been loaded into the grid -- 5 'pop' "
    "sounds all together.\n\n\nClick \"NO\" if you do not want to see this "
    "message again.";
constexpr const char* kGet5NoteCaption = "Program Note";

// The tool bar's Get 5 button and the Data menu's Get 5 item.
constexpr std::string_view kGet5Senders[] = {"SpdBtnGet5", "Get51"};

constexpr int kPageStep = 50;
// A Get 5 ends once more rows than this have arrived since it began, or
// earlier when the site has no further page or stops answering.
constexpr int kGet5NewRows = 200;
constexpr int kLoadAttempts = 99;

bool IsGet5Sender(const Sender& sender) {
  for (std::string_view name : kGet5Senders) {
    if (sender.name == name) return true;
  }
  return false;
}

// The timer counts in milliseconds of a 32-bit value: a negative number of
// seconds never fires (it would wrap to weeks), a huge one waits as long as
// the timer can.
int TimeoutMilliseconds(std::int32_t seconds) {
  const std::int64_t ms = static_cast<std::int64_t>(seconds) * 1000;
  if (ms < 0) return 0;
  if (ms > INT_MAX) return INT_MAX;
  return static_cast<int>(ms);
}

}  // namespace

void TFrmPrice::Get1Click(const Sender& sender) {
  get5_start_count_ = grid_.Count();
  if (IsGet5Sender(sender)) {
    get5_ = true;
    ConfirmGet5();
  } else {
    get5_ = false;
  }
  app_.BusyBox->Form.Show();
  GatherData(GatherStep::kStart);
}

void TFrmPrice::ConfirmGet5() {
  PreferenceStore& store = services_.preferences;
  bool show_note = true;
  if (!store.KeyExists(kPrefsKey)) {
    store.OpenKey(kPrefsKey, true);
    store.WriteInteger(kPrefsKey, kGet5MessageValue, 1);
  } else {
    store.OpenKey(kPrefsKey, true);
    const auto stored = store.ReadInteger(kPrefsKey, kGet5MessageValue);
    show_note = !stored || *stored != 0;
  }
  if (!show_note) return;
  const MbResult answer = services_.message_box.Show(
      kGet5Note, kGet5NoteCaption, MbButtons::kYesNo, MbIcon::kNone);
  if (answer == MbResult::kNo) {
    store.WriteInteger(kPrefsKey, kGet5MessageValue, 0);
  }
}

void TFrmPrice::GatherData(GatherStep step) {
  switch (step) {
    case GatherStep::kStart: {
      app_.BusyBox->Form.Repaint();
      const std::int32_t seconds = StrToInt(app_.FrmOptions->Edit1.Text());
      TmrTimeout.SetInterval(TimeoutMilliseconds(seconds));
      TmrTimeout.SetEnabled(true);
      awaiting_page_ = true;
      wait_timed_out_ = false;
      page_links_next_ = false;
      NavigateToPage();
      return;
    }
    case GatherStep::kParse:
      TmrTimeout.SetEnabled(false);
      awaiting_page_ = false;
      ParseListingPage(kCaptureFile);
      return;
    case GatherStep::kSummarise:
      ComputeSummary();
      GatherData(GatherStep::kFinish);
      return;
    case GatherStep::kFinish:
      if (page_refused_) {
        // Nothing of the page was read: no pop, and the next Get asks for
        // the same page again.
        get5_ = false;
        app_.BusyBox->Form.Hide();
        return;
      }
      services_.sound.PlaySync(kSoundFile);
      if (!get5_) {
        page_offset_ += kPageStep;
        // Today's pages say themselves whether another page follows.
        SpdBtnGetNextData.SetEnabled(!page_is_sold_ || page_links_next_);
        app_.BusyBox->Form.Hide();
      } else if (grid_.Count() > get5_start_count_ + kGet5NewRows ||
                 !page_links_next_ || wait_timed_out_) {
        // Past the last page, or with a site that does not answer, asking
        // for more pages would never end.
        get5_ = false;
        // After today's last page there is no next page to get.
        if (page_is_sold_ && !page_links_next_) {
          SpdBtnGetNextData.SetEnabled(false);
        }
        app_.BusyBox->Form.Hide();
      } else {
        page_offset_ += kPageStep;
        GatherData(GatherStep::kStart);
      }
      return;
  }
}

void TFrmPrice::NavigateToPage() {
  std::string address = BuildSearchURL(page_offset_);
  // The page after one of today's is the one that page links to, as long
  // as the search is still on the marketplace the link belongs to.
  if (next_link_ && next_link_->offset == page_offset_) {
    const SiteChoice choice = ReadSiteChoice(services_.preferences);
    if (choice.site == Site::kSoldListings &&
        MarketplaceAddress(Hosts(), choice) == next_link_->marketplace) {
      address = next_link_->address;
    }
  }
  requested_address_ = address;
  glo_.ShowPage(address, MiniBro, false);
}

bool TFrmPrice::CapturePage(const std::string& file_name, Browser& browser) {
  // A file that cannot be deleted or a document that cannot be saved fails
  // this attempt only: the next download or the timeout goes on from here.
  if (!DeleteUntilGone(file_name)) return false;
  if (SaveWithRetries(browser, file_name) != SaveResult::kOk) return false;
  captured_page_.clear();
  TessikGlo::LoadFile(captured_page_, file_name, kLoadAttempts);
  const std::string page = JoinCapturedLines(captured_page_);
  // Today's pages (and the site's bot check) carry none of the classic
  // markers: they count once they have arrived whole and are not the page
  // the browser held before.
  if (RecognisePage(page) != PageKind::kClassic) {
    return IsCompleteSoldPage(page) &&
           IsNewSoldPage(page, requested_address_, accepted_sold_page_);
  }
  if (!IsCompletePage(page)) return false;
  return !IsSamePage();
}

bool TFrmPrice::IsSamePage() {
  return IsSameResultPage(JoinCapturedLines(captured_page_), previous_expires_);
}

void TFrmPrice::MiniBroDownloadComplete(const Sender&) {
  if (!awaiting_page_) {
    MiniBro.Stop();
    return;
  }
  if (const std::optional<LoadFailure> failure = MiniBro.LastFailure()) {
    EndWithLoadFailure(*failure);
    return;
  }
  if (!CapturePage(kCaptureFile, MiniBro)) return;
  MiniBro.Stop();
  awaiting_page_ = false;
  GatherData(GatherStep::kParse);
}

void TFrmPrice::EndWithLoadFailure(const LoadFailure& failure) {
  MiniBro.Stop();
  TmrTimeout.SetEnabled(false);
  awaiting_page_ = false;
  get5_ = false;
  app_.BusyBox->Form.Hide();
  // The offset stays: Get asks for the same page once the user has seen to
  // the connection.
  services_.message_box.Show(LoadFailureMessage(failure, requested_address_),
                             kApplicationTitle, MbButtons::kOk, MbIcon::kStop);
}

void TFrmPrice::TmrTimeoutTimer(const Sender&) {
  wait_timed_out_ = true;
  GatherData(GatherStep::kParse);
  // A Get 5 ends at a timed-out page, so no further page is awaited here;
  // should one be (a Get given inside the chain), its timer keeps running.
  if (!awaiting_page_) TmrTimeout.SetEnabled(false);
}

}  // namespace tolvane
