#pragma once

#include <memory>

#include "app/application.h"
#include "app/busy_box.h"
#include "app/frm_ana.h"
#include "app/frm_options.h"
#include "app/frm_price.h"
#include "app/hosts.h"
#include "platform/browser.h"
#include "platform/services.h"
#include "util/regional.h"

class QWidget;

namespace tolvane::gui {

class AnaWindow;
class BusyWindow;
class MainWindow;
class MarketWindow;
class OKRightWindow;
class OptionsWindow;
class PageViewer;
class QtGridView;
class QtLabel;
class QtMemo;
class QtProgress;
class QtTextBox;
class QtTimer;
class QtButton;
class QtWindow;
class ResultGridModel;

// The platform the windows run on: real services in the program, fakes in
// the tests.
struct ProgramServices {
  MessageBox& message_box;
  FileDialog& file_dialog;
  PrintDialog& print_dialog;
  Printer& printer;
  Shell& shell;
  SoundPlayer& sound;
  Clock& clock;
  PreferenceStore& preferences;
  Browser& browser;
  // The browser's view, placed in the browser panel; none in tests.
  QWidget* browser_view = nullptr;
  RegionalSettings regional;
  HostConfig hosts;
};

// The five windows of the program, each created with its widgets in
// start-up order (TFrmPrice, TOKRightDlg, TFrmAna, TBusyBox, TFrmOptions),
// and every event of their widgets wired through the application's
// dispatcher to its handler.
class ProgramWindows {
 public:
  explicit ProgramWindows(const ProgramServices& services);
  ~ProgramWindows();
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  // Loads the stored timeout into the options dialog and shows the main
  // window, centred on the desktop.
  void Start();

  Application& App() { return app_; }
  TFrmPrice& FrmPrice() { return *frm_price_; }
  TOKRightDlg& OKRightDlg() { return *ok_right_dlg_; }
  TFrmAna& FrmAna() { return *frm_ana_; }
  TBusyBox& BusyBox() { return *busy_box_; }
  TFrmOptions& FrmOptions() { return *frm_options_; }

  MainWindow& MainWidget() { return *main_widget_; }
  OKRightWindow& OKRightWidget() { return *ok_right_widget_; }
  AnaWindow& AnaWidget() { return *ana_widget_; }
  BusyWindow& BusyWidget() { return *busy_widget_; }
  OptionsWindow& OptionsWidget() { return *options_widget_; }
  PageViewer& PageViewerWidget() { return *page_viewer_; }
  // The Market window, made the first time it is opened and kept, like the
  // analysis window, until the program ends; nullptr before.
  MarketWindow* MarketWidget() { return market_widget_.get(); }
  void OpenMarketView();

  // Adapters the tests look into.
  QtWindow& MainForm() { return *main_form_; }
  QtMemo& ResultsMemo() { return *results_memo_; }
  ResultGridModel& GridModel() { return *grid_model_; }

 private:
  void BuildMain();
  void BuildOKRight();
  void BuildAna();
  void BuildBusy();
  void BuildOptions();
  void WireMain();

  ProgramServices services_;
  Application app_;

  // Adapters of the widgets, as the core sees them.
  std::unique_ptr<QtWindow> main_form_;
  std::unique_ptr<QtTextBox> edt_query_;
  std::unique_ptr<QtTextBox> edt_hi_filter_;
  std::unique_ptr<QtTextBox> edt_low_filter_;
  std::unique_ptr<QtMemo> results_memo_;
  std::unique_ptr<QtButton> next_page_button_;
  std::unique_ptr<QtTimer> timeout_timer_;
  std::unique_ptr<QtGridView> grid_view_;
  std::unique_ptr<QtProgress> progress_;
  std::unique_ptr<QtWindow> ok_right_form_;
  std::unique_ptr<QtWindow> ana_form_;
  std::unique_ptr<QtMemo> ana_memo_;
  std::unique_ptr<QtWindow> busy_form_;
  std::unique_ptr<QtLabel> busy_label_;
  std::unique_ptr<QtWindow> options_form_;
  std::unique_ptr<QtTextBox> options_edit_;
  std::unique_ptr<Choice> options_site_;
  std::unique_ptr<Choice> options_marketplace_;

  std::unique_ptr<TFrmPrice> frm_price_;
  std::unique_ptr<TOKRightDlg> ok_right_dlg_;
  std::unique_ptr<TFrmAna> frm_ana_;
  std::unique_ptr<TBusyBox> busy_box_;
  std::unique_ptr<TFrmOptions> frm_options_;

  // The widgets go first when the windows end; the secondary windows before
  // the main window, which is their parent.
  std::unique_ptr<MainWindow> main_widget_;
  std::unique_ptr<OKRightWindow> ok_right_widget_;
  std::unique_ptr<AnaWindow> ana_widget_;
  std::unique_ptr<BusyWindow> busy_widget_;
  std::unique_ptr<OptionsWindow> options_widget_;
  std::unique_ptr<PageViewer> page_viewer_;
  std::unique_ptr<MarketWindow> market_widget_;
  ResultGridModel* grid_model_ = nullptr;  // owned by the table
};

}  // namespace tolvane::gui
