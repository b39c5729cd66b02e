#include <climits>
#include <string>
#include <vector>

#include "app/frm_options.h"
#include "driver_fixture.h"

namespace tolvane {
namespace {

constexpr const char* kNote =
    "Tolvane is getting 5 pages of completed price information.  This can "
    "take some time depending upon your internet connection speed.  The "
    "program may not respond during data gathering.  The program will make a "
    "'pop' sound when each page has been loaded into the grid -- 5 'pop' "
    "sounds all together.\n\n\nClick \"NO\" if you do not want to see this "
    "message again.";

// Other controls must never start a Get 5.
TEST_F(DriverTest, OnlyTheGet5ControlsStartAGet5) {
  for (const char* sender : {"SpdBtnSearch", "Get1", "SpdBtnGetNextData",
                             "SpdBtnResume", "FrmPrice", "BusyBox"}) {
    Click(sender);
    EXPECT_FALSE(f.FrmPrice->Get5Running()) << sender;
  }
  EXPECT_TRUE(f.message_box.shown.empty());
}

// The note's preference: shown when the key or the value is missing or
// true, never when false; No stores false, Yes stores nothing new; the
// note never cancels the Get 5.
TEST_F(DriverTest, Get5NoteFollowsThePreference) {
  struct Case {
    const char* what;
    bool key, shown;
    std::optional<std::int32_t> value, stored;
    MbResult answer;
  };
  const std::vector<Case> cases = {
      {"fresh machine, Yes", false, true, std::nullopt, 1, MbResult::kYes},
      {"fresh machine, No", false, true, std::nullopt, 0, MbResult::kNo},
      {"key only, Yes", true, true, std::nullopt, std::nullopt, MbResult::kYes},
      {"key only, No", true, true, std::nullopt, 0, MbResult::kNo},
      {"true, Yes", true, true, 1, 1, MbResult::kYes},
      {"true, No", true, true, 1, 0, MbResult::kNo},
      {"false", true, false, 0, 0, MbResult::kYes}};
  for (const Case& c : cases) {
    fakes::FakeApp app;
    app.preferences.keys.clear();
    if (c.key) app.preferences.keys[kPrefsKey];
    if (c.value)
      app.preferences.keys[kPrefsKey][kGet5MessageValue] = {*c.value, {}};
    app.message_box.answers = {c.answer};
    app.Dispatch([&] { app.FrmPrice->Get1Click(Sender{"SpdBtnGet5"}); });

    ASSERT_EQ(app.message_box.shown.size(), c.shown ? 1u : 0u) << c.what;
    if (c.shown) {
      EXPECT_EQ(app.message_box.shown[0].text, kNote);
      EXPECT_EQ(app.message_box.shown[0].caption, "Program Note");
      EXPECT_EQ(app.message_box.shown[0].buttons, MbButtons::kYesNo);
      EXPECT_EQ(app.message_box.shown[0].icon, MbIcon::kNone);
    }
    EXPECT_EQ(app.preferences.ReadInteger(kPrefsKey, kGet5MessageValue),
              c.stored)
        << c.what;
    EXPECT_TRUE(app.FrmPrice->Get5Running()) << c.what;
    EXPECT_EQ(app.MiniBro.navigations.size(), 1u) << c.what;
  }
}

// A preference that cannot be read or written is reported and the Get 5
// does not start.
TEST_F(DriverTest, Get5NoteStoreFailureStopsTheCommand) {
  struct Case {
    const char* what;
    bool writable, key;
    const char* report;
  };
  const std::vector<Case> cases = {
      {"no rights", false, false, "Failed to set data for 'get5message'."},
      {"wrong type", true, true, "Invalid data type for 'get5message'."}};
  for (const Case& c : cases) {
    fakes::FakeApp app;
    app.preferences.keys.clear();
    app.preferences.writable = c.writable;
    if (c.key)
      app.preferences.keys[kPrefsKey][kGet5MessageValue] = {std::nullopt,
                                                            "text"};
    app.Dispatch([&] { app.FrmPrice->Get1Click(Sender{"SpdBtnGet5"}); });
    ASSERT_EQ(app.message_box.shown.size(), 1u) << c.what;
    EXPECT_EQ(app.message_box.shown[0].text, c.report);
    EXPECT_TRUE(app.MiniBro.navigations.empty()) << c.what;
    EXPECT_FALSE(app.busy_form.visible) << c.what;
  }
}

// The timeout text becomes the timer's interval; a text that is not a
// whole number ends the command before anything is requested.
TEST_F(DriverTest, TimeoutTextSetsTheTimer) {
  // Each text and the interval it sets; nothing: the conversion error.
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"90", 90000},
      {" 7", 7000},
      {"0", 0},
      {"-5", 0},
      {"3000000", INT_MAX},
      {"abc", std::nullopt},
      {"1.5", std::nullopt},
      {"", std::nullopt}};
  for (const auto& [text, interval] : cases) {
    fakes::FakeApp app;
    app.Edit1.text = text;
    app.Dispatch([&] { app.FrmPrice->Get1Click(Sender{"SpdBtnSearch"}); });
    if (interval) {
      EXPECT_EQ(app.TmrTimeout.interval, *interval) << text;
      EXPECT_EQ(app.MiniBro.navigations.size(), 1u) << text;
      EXPECT_TRUE(app.message_box.shown.empty()) << text;
      continue;
    }
    ASSERT_EQ(app.message_box.shown.size(), 1u) << text;
    EXPECT_EQ(app.message_box.shown[0].text,
              "'" + std::string(text) + "' is not a valid integer value.");
    EXPECT_TRUE(app.MiniBro.navigations.empty()) << text;
    EXPECT_FALSE(app.TmrTimeout.enabled) << text;
    EXPECT_FALSE(app.FrmPrice->AwaitingPage()) << text;
    EXPECT_TRUE(app.busy_form.visible) << text;
  }
}

}  // namespace
}  // namespace tolvane
