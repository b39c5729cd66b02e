#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/frm_options.h"
#include "app/temp_folder.h"
#include "fakes/fakes.h"
#include "prefs/preference_file.h"

namespace tolvane {
namespace {

using testing::TempFolder;
using testing::WriteText;

// The program on fakes, but with the options dialog on a real preference
// file in a folder of its own, started the way the program starts.
class OptionsTest : public ::testing::Test {
 protected:
  void StartUp(const std::string& file = "prefs.reg") {
    store_ = std::make_unique<FilePreferenceStore>(folder_ / file);
    f_.FrmOptions = std::make_unique<TFrmOptions>(f_.app, f_.options_form,
                                                  f_.Edit1, *store_);
    f_.app.FrmOptions = f_.FrmOptions.get();
    f_.Dispatch([&] { f_.Start(); });
  }
  void OpenOptions() {
    f_.Dispatch([&] { f_.FrmPrice->Options1Click(Sender{"Options1"}); });
  }
  void PressOK() {
    f_.Dispatch([&] { f_.FrmOptions->BitBtnOKClick(Sender{"BitBtnOK"}); });
  }
  void PressCancel() {
    f_.Dispatch(
        [&] { f_.FrmOptions->BitBtnCancelClick(Sender{"BitBtnCancel"}); });
  }
  std::optional<std::int32_t> Stored() {
    return store_->ReadInteger(kPrefsKey, kTimeoutValue);
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& shown : f_.message_box.shown) texts.push_back(shown.text);
    return texts;
  }

  TempFolder folder_;
  std::unique_ptr<FilePreferenceStore> store_;
  PlainApp f_;  // started by StartUp
};

// Catches a first run that shows anything but 90, fails to leave the key
// behind, or stores a value before the user asks for one; Cancel that
// stores, Cancel that restores the old text (the typed one must stay in
// force), and a reopened dialog that keeps showing the unsaved text instead
// of the stored value.
TEST_F(OptionsTest, FirstRunShowsNinetyAndCancelKeepsTheStore) {
  StartUp();
  EXPECT_EQ(f_.Edit1.text, "90");
  EXPECT_TRUE(store_->KeyExists(kPrefsKey));
  EXPECT_FALSE(store_->ValueExists(kPrefsKey, kTimeoutValue));
  OpenOptions();
  EXPECT_TRUE(f_.options_form.visible);
  EXPECT_EQ(f_.Edit1.text, "90");
  PressOK();
  EXPECT_FALSE(f_.options_form.visible);
  EXPECT_EQ(Stored(), 90);
  EXPECT_TRUE(f_.message_box.shown.empty());
  store_->WriteInteger(kPrefsKey, kTimeoutValue, 45);
  OpenOptions();
  EXPECT_EQ(f_.Edit1.text, "45");
  f_.Edit1.Type("30");
  PressCancel();
  EXPECT_FALSE(f_.options_form.visible);
  EXPECT_EQ(Stored(), 45);
  EXPECT_EQ(f_.Edit1.text, "30");
  OpenOptions();
  EXPECT_EQ(f_.Edit1.text, "45");
  // Options while the dialog is already open does not throw away typing.
  f_.Edit1.Type("31");
  OpenOptions();
  EXPECT_EQ(f_.Edit1.text, "31");
  PressOK();
  PressCancel();
  OpenOptions();
  EXPECT_EQ(f_.Edit1.text, "31");
}

struct OkCase {
  std::string typed;
  std::optional<std::int32_t> stored;  // nothing: the earlier 45 stays
  const char* message;  // a failed OK, which leaves the dialog open
};

// Catches text that is not a plain count being stored (or complained
// about), a large count wrapping round instead of failing, and a failed OK
// closing the dialog.
TEST_F(OptionsTest, OkStoresPlainCountsOnly) {
  const OkCase cases[] = {
      {"0", 0, nullptr},
      {"0042", 42, nullptr},
      {"2147483647", 2147483647, nullptr},
      {"1.5", std::nullopt, nullptr},
      {"", std::nullopt, nullptr},
      {" 7", std::nullopt, nullptr},
      {"-5", std::nullopt, nullptr},
      {"2147483648", std::nullopt,
       "'2147483648' is not a valid integer value."},
      {"99999999999999999999", std::nullopt,
       "'99999999999999999999' is not a valid integer value."}};
  StartUp();
  for (const OkCase& c : cases) {
    store_->WriteInteger(kPrefsKey, kTimeoutValue, 45);
    f_.message_box.shown.clear();
    OpenOptions();
    f_.Edit1.Type(c.typed);
    PressOK();
    EXPECT_EQ(Stored(), c.stored.value_or(45)) << c.typed;
    EXPECT_EQ(f_.options_form.visible, c.message != nullptr) << c.typed;
    // Whatever happened, the typed text is the timeout in force.
    EXPECT_EQ(f_.Edit1.text, c.typed);
    EXPECT_EQ(Messages(), c.message ? std::vector<std::string>{c.message}
                                    : std::vector<std::string>{})
        << c.typed;
    PressCancel();
  }
}

// Catches a value of another type read as some number, or the error
// swallowed, or Edit1 changed on the way, or a dialog that never opens to
// mend the value.
TEST_F(OptionsTest, ValueOfAnotherTypeIsReportedAndEditKeepsItsText) {
  StartUp();
  WriteText(folder_ / "prefs.reg",
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zelmor\\Tolvane\\prefs]\n"
            "\"timeout\"=\"60\"\n");
  f_.Edit1.Type("77");
  OpenOptions();
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Invalid data type for 'timeout'."});
  EXPECT_EQ(f_.Edit1.text, "77");
  EXPECT_TRUE(f_.options_form.visible);
  PressOK();
  EXPECT_EQ(Stored(), 77);
}

// Catches a store without rights that stops the program at start-up, or an
// OK whose failed write closes the dialog as if it had stored.
TEST_F(OptionsTest, UnwritableStoreFallsBackAndOkReportsTheFailedWrite) {
  // A path under a regular file cannot be written, even by root.
  WriteText(folder_ / "file", "a regular file, not a folder");
  StartUp("file/prefs.reg");
  EXPECT_EQ(f_.Edit1.text, "90");
  EXPECT_TRUE(f_.message_box.shown.empty());
  OpenOptions();
  f_.Edit1.Type("30");
  PressOK();
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Failed to set data for 'timeout'."});
  EXPECT_TRUE(f_.options_form.visible);
  EXPECT_EQ(f_.Edit1.text, "30");
}

// Catches a new preference file that does not get today's sold listings on
// www.ebay.com, a choice not stored by OK (also beside a timeout that is no
// count) or stored by Cancel, a reopened dialog that does not show the
// stored choice, and stored numbers the program does not know taken as they
// are.
TEST_F(OptionsTest, SiteAndMarketplaceAreStoredByOkOnly) {
  StartUp();
  Choice& site = f_.FrmOptions->RgSite;
  Choice& marketplace = f_.FrmOptions->CmbMarketplace;
  EXPECT_EQ(ReadSiteChoice(*store_), SiteChoice{});
  OpenOptions();
  EXPECT_EQ(site.Index(), 0);
  EXPECT_EQ(marketplace.Index(), 0);
  site.SetIndex(1);
  marketplace.SetIndex(3);
  PressCancel();
  EXPECT_EQ(ReadSiteChoice(*store_), SiteChoice{});
  OpenOptions();
  EXPECT_EQ(site.Index(), 0);
  site.SetIndex(1);
  marketplace.SetIndex(4);
  f_.Edit1.Type("soon");
  PressOK();
  EXPECT_EQ(ReadSiteChoice(*store_), (SiteChoice{Site::kClassic, 4}));
  EXPECT_FALSE(store_->ValueExists(kPrefsKey, kTimeoutValue));
  site.SetIndex(0);
  OpenOptions();
  EXPECT_EQ(site.Index(), 1);
  EXPECT_EQ(marketplace.Index(), 4);
  store_->WriteInteger(kPrefsKey, kSiteValue, 7);
  store_->WriteInteger(kPrefsKey, kMarketplaceValue, kMarketplaceCount);
  EXPECT_EQ(ReadSiteChoice(*store_), SiteChoice{});
}

}  // namespace
}  // namespace tolvane
