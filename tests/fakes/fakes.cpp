#include "fakes/fakes.h"

#include <fstream>

#include "app/busy_box.h"
#include "app/frm_ana.h"
#include "app/frm_options.h"
#include "util/error.h"
#include "util/files.h"

namespace tolvane::fakes {

void FakeMemo::Add(const std::string& text) {
  const std::vector<std::string> parts = MemoEntryLines(text);
  lines.insert(lines.end(), parts.begin(), parts.end());
}

SaveResult FakeBrowser::SaveDocument(const std::string& path) {
  if (general_failures > 0) {
    --general_failures;
    return SaveResult::kGeneralFailure;
  }
  if (!document) return SaveResult::kNoDocument;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << *document;
  return SaveResult::kOk;
}

bool FakePreferenceStore::OpenKey(const std::string& key, bool create) {
  if (keys.count(key)) return true;
  if (!create || !writable) return false;
  keys[key];
  return true;
}

bool FakePreferenceStore::ValueExists(const std::string& key,
                                      const std::string& name) {
  const auto it = keys.find(key);
  return it != keys.end() && it->second.count(name);
}

std::optional<std::int32_t> FakePreferenceStore::ReadInteger(
    const std::string& key, const std::string& name) {
  const auto it = keys.find(key);
  if (it == keys.end()) return std::nullopt;
  const auto value = it->second.find(name);
  if (value == it->second.end()) return std::nullopt;
  if (!value->second.integer) {
    throw Error(FormatMessage("Invalid data type for '%s'", name));
  }
  return value->second.integer;
}

void FakePreferenceStore::WriteInteger(const std::string& key,
                                       const std::string& name,
                                       std::int32_t value) {
  if (!writable)
    throw Error(FormatMessage("Failed to set data for '%s'", name));
  keys[key][name] = Value{value, {}};
}

FakeApp::FakeApp() {
  FrmPrice = std::make_unique<TFrmPrice>(
      app,
      TFrmPriceControls{main_form, EdtQuery, EdtHiFilter, EdtLowFilter,
                        MResultsLeft, SpdBtnGetNextData, MiniBro, TmrTimeout,
                        grid_view},
      TFrmPriceServices{sound, shell, message_box, file_dialog, print_dialog,
                        printer, preferences, clock,
                        RegionalSettings::UnitedStates(), HostConfig{}});
  app.FrmPrice = FrmPrice.get();
  OKRightDlg = std::make_unique<TOKRightDlg>(ok_right_form);
  app.OKRightDlg = OKRightDlg.get();
  FrmAna = std::make_unique<TFrmAna>(ana_form, Memo1);
  app.FrmAna = FrmAna.get();
  BusyBox = std::make_unique<TBusyBox>(app, busy_form, busy_label);
  app.BusyBox = BusyBox.get();
  FrmOptions =
      std::make_unique<TFrmOptions>(app, options_form, Edit1, preferences);
  app.FrmOptions = FrmOptions.get();
  FrmOptions->ReadTimeout();
  main_form.Show();
  FrmPrice->FormShow(Sender{"FrmPrice"});
}

FakeApp::~FakeApp() = default;

}  // namespace tolvane::fakes
