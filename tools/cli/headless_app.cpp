#include "headless_app.h"

#include <ctime>
#include <utility>

namespace tolvane::cli {

bool ChosenFiles::Next(FileDialogSettings& settings) {
  if (answers.empty()) return false;
  settings.file_name = std::move(answers.front());
  answers.pop_front();
  return true;
}

CommandClock::CommandClock() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  today = Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

HeadlessApp::HeadlessApp(const RegionalSettings& regional) {
  FrmPrice_ = std::make_unique<TFrmPrice>(
      app_,
      TFrmPriceControls{main_form_, EdtQuery_, EdtHiFilter_, EdtLowFilter_,
                        MResultsLeft, SpdBtnGetNextData_, MiniBro_, TmrTimeout_,
                        grid_view_},
      TFrmPriceServices{sound_, shell_, message_box, file_dialog, print_dialog_,
                        printer_, preferences_, clock, progress_, regional,
                        HostConfig{}});
  app_.FrmPrice = FrmPrice_.get();
  OKRightDlg_ = std::make_unique<TOKRightDlg>(ok_right_form_);
  app_.OKRightDlg = OKRightDlg_.get();
  FrmAna_ = std::make_unique<TFrmAna>(ana_form_, Memo1);
  app_.FrmAna = FrmAna_.get();
  BusyBox_ = std::make_unique<TBusyBox>(app_, busy_form_, busy_label_);
  app_.BusyBox = BusyBox_.get();
  FrmOptions_ =
      std::make_unique<TFrmOptions>(app_, options_form_, Edit1_, preferences_);
  app_.FrmOptions = FrmOptions_.get();
}

HeadlessApp::~HeadlessApp() = default;

}  // namespace tolvane::cli
