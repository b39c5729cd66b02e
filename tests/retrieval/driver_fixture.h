#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/site_choice.h"
#include "app/temp_folder.h"
#include "fakes/fakes.h"
#include "sample_pages.h"

namespace tolvane {

// The program's five windows on fakes, working in a folder of their own
// (the capture file lives in the current folder), with the site's pages at
// hand.
class DriverTest : public ::testing::Test {
 protected:
  static constexpr const char* kExpression = "brass lamp";

  void SetUp() override {
    home_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_.path());
    StoreSiteChoice(f.preferences, {Site::kClassic});
    f.EdtQuery.Type(kExpression);
  }
  void TearDown() override { std::filesystem::current_path(home_); }

  // A Get command from the named control, as the event loop delivers it.
  void Click(std::string_view sender) {
    f.Dispatch([this, sender] { f.FrmPrice->Get1Click(Sender{sender}); });
  }
  void Resume() {
    f.Dispatch(
        [this] { f.BusyBox->SpdBtnResumeClick(Sender{"SpdBtnResume"}); });
  }

  // The skip value of the address the browser was sent to last.
  int RequestedSkip() const {
    if (f.MiniBro.navigations.empty()) return -1;
    const std::string& url = f.MiniBro.navigations.back();
    return std::atoi(url.c_str() + url.rfind("skip=") + 5);
  }

  // A complete result page with a value of Expires never served before.
  std::string FreshPage(int skip, bool top_of_page = true) {
    sample::PageOptions options;
    options.total = total_;
    options.expires = "Sun, 23 Nov 2003 18:45:" + std::to_string(++served_);
    options.top_of_page = top_of_page;
    return sample::ResultPage(kExpression, skip, options);
  }

  // The site answers the request the browser made last.
  void ServeRequested() { f.MiniBro.Complete(FreshPage(RequestedSkip())); }

  // Serves every page the driver asks for while it waits, at most `limit`;
  // returns the skips requested.
  std::vector<int> ServeWhileWaiting(int limit) {
    std::vector<int> skips;
    while (f.FrmPrice->AwaitingPage() &&
           static_cast<int>(skips.size()) < limit) {
      skips.push_back(RequestedSkip());
      ServeRequested();
    }
    return skips;
  }

  int Rows() const { return f.FrmPrice->ListView1().Count(); }
  int Pops() const { return static_cast<int>(f.sound.played.size()); }

  fakes::FakeApp f;
  int total_ = 480;  // auctions the site finds

 private:
  std::filesystem::path home_;
  testing::TempFolder folder_;
  int served_ = 0;
};

}  // namespace tolvane
