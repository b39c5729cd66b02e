#include "headless_app.h"

#include <ctime>

#include "util/files.h"

namespace tolvane::cli {

void PlainTextBox::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  if (on_change_) on_change_();
}

void PlainMemo::Add(const std::string& text) {
  const std::vector<std::string> lines = MemoEntryLines(text);
  lines_.insert(lines_.end(), lines.begin(), lines.end());
}

MbResult KeptMessages::Show(const std::string& text, const std::string& caption,
                            MbButtons buttons, MbIcon) {
  shown.push_back({text, caption});
  return buttons == MbButtons::kYesNo ? MbResult::kYes : MbResult::kOk;
}

bool QueuedFileDialog::ExecuteSave(FileDialogSettings& settings) {
  return Answer(settings);
}

bool QueuedFileDialog::ExecuteOpen(FileDialogSettings& settings) {
  return Answer(settings);
}

bool QueuedFileDialog::Answer(FileDialogSettings& settings) {
  if (answers.empty()) return false;
  settings.file_name = answers.front();
  answers.pop_front();
  return true;
}

SettableClock::SettableClock() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  today = Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

bool MemoryPreferences::KeyExists(const std::string& key) {
  return keys_.count(key) != 0;
}

bool MemoryPreferences::OpenKey(const std::string& key, bool create) {
  if (keys_.count(key) != 0) return true;
  if (!create) return false;
  keys_[key];
  return true;
}

bool MemoryPreferences::ValueExists(const std::string& key,
                                    const std::string& name) {
  const auto it = keys_.find(key);
  return it != keys_.end() && it->second.count(name) != 0;
}

std::optional<std::int32_t> MemoryPreferences::ReadInteger(
    const std::string& key, const std::string& name) {
  const auto it = keys_.find(key);
  if (it == keys_.end()) return std::nullopt;
  const auto value = it->second.find(name);
  if (value == it->second.end()) return std::nullopt;
  return value->second;
}

void MemoryPreferences::WriteInteger(const std::string& key,
                                     const std::string& name,
                                     std::int32_t value) {
  keys_[key][name] = value;
}

HeadlessApp::HeadlessApp(const RegionalSettings& regional) {
  frm_price_ = std::make_unique<TFrmPrice>(
      app_,
      TFrmPriceControls{main_form_, EdtQuery_, EdtHiFilter_, EdtLowFilter_,
                        MResultsLeft, SpdBtnGetNextData_, MiniBro_, TmrTimeout_,
                        grid_view_},
      TFrmPriceServices{sound_, shell_, message_box, file_dialog, print_dialog_,
                        printer_, preferences_, clock, regional, HostConfig{}});
  app_.FrmPrice = frm_price_.get();
  ok_right_dlg_ = std::make_unique<TOKRightDlg>(ok_right_form_);
  app_.OKRightDlg = ok_right_dlg_.get();
  frm_ana_ = std::make_unique<TFrmAna>(ana_form_, Memo1);
  app_.FrmAna = frm_ana_.get();
  busy_box_ = std::make_unique<TBusyBox>(app_, busy_form_, busy_label_);
  app_.BusyBox = busy_box_.get();
  frm_options_ =
      std::make_unique<TFrmOptions>(app_, options_form_, Edit1_, preferences_);
  app_.FrmOptions = frm_options_.get();
}

HeadlessApp::~HeadlessApp() = default;

}  // namespace tolvane::cli
