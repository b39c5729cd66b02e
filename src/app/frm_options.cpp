#include "app/frm_options.h"

#include "util/numbers.h"
#include "util/tessik_glo.h"

namespace tolvane {

void TFrmOptions::FormShow(const Sender&) {
  ReadTimeout();
  ReadSite();
}

void TFrmOptions::ReadTimeout() {
  // Opening with create at start-up leaves the key in place on a first run,
  // which is how the Get 5 note later tells a fresh machine from one where
  // only the value is missing.
  store_.OpenKey(kPrefsKey, true);
  // A value of another type throws here, before Edit1 changes.
  const std::optional<std::int32_t> timeout =
      store_.ReadInteger(kPrefsKey, kTimeoutValue);
  Edit1.SetText(timeout ? std::to_string(*timeout) : kDefaultTimeout);
}

void TFrmOptions::ReadSite() {
  const SiteChoice choice = ReadSiteChoice(store_);
  RgSite.SetIndex(static_cast<int>(choice.site));
  CmbMarketplace.SetIndex(choice.marketplace);
}

SiteChoice TFrmOptions::ChosenSite() const {
  SiteChoice choice;
  if (RgSite.Index() == static_cast<int>(Site::kClassic)) {
    choice.site = Site::kClassic;
  }
  // A number out of the list is read back as the first marketplace.
  choice.marketplace = CmbMarketplace.Index();
  return choice;
}

void TFrmOptions::BitBtnOKClick(const Sender&) {
  const std::string text = Edit1.Text();
  // Text that is not a plain count closes the dialog without a word; it
  // stays the timeout in force, and the next page request complains. The
  // site is stored all the same: it has nothing to do with the timeout.
  if (!TessikGlo::IsAllDigits(text)) {
    StoreSiteChoice(store_, ChosenSite());
    Form.Hide();
    return;
  }
  // Digits too large for the store throw the conversion error, and a store
  // that cannot be written throws too: either way the dialog stays open.
  const std::int32_t seconds = StrToInt(text);
  store_.OpenKey(kPrefsKey, true);
  store_.WriteInteger(kPrefsKey, kTimeoutValue, seconds);
  StoreSiteChoice(store_, ChosenSite());
  Form.Hide();
}

void TFrmOptions::BitBtnCancelClick(const Sender&) { Form.Hide(); }

}  // namespace tolvane
