#include "app/frm_options.h"

#include "util/numbers.h"
#include "util/tessik_glo.h"

namespace tolvane {

void TFrmOptions::FormShow(const Sender&) { ReadTimeout(); }

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

void TFrmOptions::BitBtnOKClick(const Sender&) {
  const std::string text = Edit1.Text();
  // Text that is not a plain count closes the dialog without a word; it
  // stays the timeout in force, and the next page request complains.
  if (!TessikGlo::IsAllDigits(text)) {
    Form.Hide();
    return;
  }
  // Digits too large for the store throw the conversion error, and a store
  // that cannot be written throws too: either way the dialog stays open.
  const std::int32_t seconds = StrToInt(text);
  store_.OpenKey(kPrefsKey, true);
  store_.WriteInteger(kPrefsKey, kTimeoutValue, seconds);
  Form.Hide();
}

void TFrmOptions::BitBtnCancelClick(const Sender&) { Form.Hide(); }

}  // namespace tolvane
