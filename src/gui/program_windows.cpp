#include "gui/program_windows.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <string>

#include "app/command_table.h"
#include "gui/busy_window.h"
#include "gui/dialog_windows.h"
#include "gui/grid_model.h"
#include "gui/main_window.h"
#include "gui/market_window.h"
#include "gui/options_window.h"
#include "gui/page_viewer.h"
#include "gui/qt_controls.h"
#include "gui/qt_progress.h"
#include "gui/qt_timer.h"
#include "gui/results_table.h"

namespace tolvane::gui {
namespace {

// View > Browser carries no command of the main window: it shows the page
// of the browser panel larger.
constexpr const char* kBrowserItem = "Browser1";
// View > Market View opens the Market window, which only the front end has.
constexpr const char* kMarketViewItem = "MarketView1";

}  // namespace

ProgramWindows::ProgramWindows(const ProgramServices& services)
    : services_(services), app_(services.message_box) {
  // Every modal box and dialog runs a nested event loop; the events it
  // handles must not hand their errors to the handler that opened it.
  app_.SetLoopLevel([] { return QThread::currentThread()->loopLevel(); });
  BuildMain();
  BuildOKRight();
  BuildAna();
  BuildBusy();
  BuildOptions();
  page_viewer_ = std::make_unique<PageViewer>(main_widget_.get());
  WireMain();
}

ProgramWindows::~ProgramWindows() {
  grid_model_->Attach(nullptr);
  app_.Dispatch([this] { frm_price_->FormDestroy(Sender{"FrmPrice"}); });
  main_widget_->ReleaseBrowserView();
  market_widget_.reset();
  page_viewer_.reset();
  options_widget_.reset();
  busy_widget_.reset();
  ana_widget_.reset();
  ok_right_widget_.reset();
  main_widget_.reset();
}

void ProgramWindows::BuildMain() {
  main_widget_ = std::make_unique<MainWindow>();
  MainWindow& w = *main_widget_;
  main_widget_->SetBrowserView(services_.browser_view);

  main_form_ = std::make_unique<QtWindow>(&w);
  edt_query_ = std::make_unique<QtTextBox>(w.EdtQuery);
  edt_hi_filter_ = std::make_unique<QtTextBox>(w.EdtHiFilter);
  edt_low_filter_ = std::make_unique<QtTextBox>(w.EdtLowFilter);
  results_memo_ = std::make_unique<QtMemo>(w.MResultsLeft);
  next_page_button_ = std::make_unique<QtButton>(
      w.BarButton(QStringLiteral("SpdBtnGetNextData")));
  timeout_timer_ = std::make_unique<QtTimer>();
  grid_view_ = std::make_unique<QtGridView>(w.ListView1);
  progress_ = std::make_unique<QtProgress>(&w);

  frm_price_ = std::make_unique<TFrmPrice>(
      app_,
      TFrmPriceControls{*main_form_, *edt_query_, *edt_hi_filter_,
                        *edt_low_filter_, *results_memo_, *next_page_button_,
                        services_.browser, *timeout_timer_, *grid_view_},
      TFrmPriceServices{services_.sound, services_.shell, services_.message_box,
                        services_.file_dialog, services_.print_dialog,
                        services_.printer, services_.preferences,
                        services_.clock, *progress_, services_.regional,
                        services_.hosts});
  app_.FrmPrice = frm_price_.get();

  grid_model_ = new ResultGridModel();
  grid_model_->Attach(&frm_price_->ListView1());
  w.ListView1->SetGridModel(grid_model_, &frm_price_->ListView1());
  // A real paint shows the rows and summary lines waiting for the screen.
  main_form_->SetBeforePaint([this] {
    grid_model_->Flush();
    results_memo_->Flush();
  });
}

void ProgramWindows::BuildOKRight() {
  ok_right_widget_ = std::make_unique<OKRightWindow>(main_widget_.get());
  ok_right_form_ = std::make_unique<QtWindow>(ok_right_widget_.get());
  ok_right_dlg_ = std::make_unique<TOKRightDlg>(*ok_right_form_);
  app_.OKRightDlg = ok_right_dlg_.get();
  OKRightWindow& w = *ok_right_widget_;
  QObject::connect(w.OKBtn, &QPushButton::clicked, &w, [this] {
    app_.Dispatch([this] { ok_right_dlg_->OKBtnClick(Sender{"OKBtn"}); });
  });
  QObject::connect(w.CancelBtn, &QPushButton::clicked, &w, [this] {
    app_.Dispatch(
        [this] { ok_right_dlg_->CancelBtnClick(Sender{"CancelBtn"}); });
  });
}

void ProgramWindows::BuildAna() {
  ana_widget_ = std::make_unique<AnaWindow>(main_widget_.get());
  AnaWindow& w = *ana_widget_;
  ana_form_ = std::make_unique<QtWindow>(&w);
  ana_memo_ = std::make_unique<QtMemo>(w.Memo1);
  frm_ana_ = std::make_unique<TFrmAna>(*ana_form_, *ana_memo_);
  app_.FrmAna = frm_ana_.get();
  // The report is complete on the screen the moment the window shows.
  ana_form_->SetBeforePaint([this] { ana_memo_->Flush(); });
  QObject::connect(w.OKBtn, &QPushButton::clicked, &w, [this] {
    app_.Dispatch([this] { frm_ana_->OKBtnClick(Sender{"OKBtn"}); });
  });
  QObject::connect(w.CancelBtn, &QPushButton::clicked, &w, [this] {
    app_.Dispatch([this] { frm_ana_->CancelBtnClick(Sender{"CancelBtn"}); });
  });
  QObject::connect(w.HelpBtn, &QPushButton::clicked, &w, [this] {
    app_.Dispatch([this] { frm_ana_->HelpBtnClick(Sender{"HelpBtn"}); });
  });
}

void ProgramWindows::BuildBusy() {
  busy_widget_ = std::make_unique<BusyWindow>(main_widget_.get());
  BusyWindow& w = *busy_widget_;
  busy_form_ = std::make_unique<QtWindow>(&w);
  busy_label_ = std::make_unique<QtLabel>(w.Label1);
  busy_box_ = std::make_unique<TBusyBox>(app_, *busy_form_, *busy_label_);
  app_.BusyBox = busy_box_.get();
  QObject::connect(w.SpdBtnResume, &QToolButton::clicked, &w, [this] {
    app_.Dispatch(
        [this] { busy_box_->SpdBtnResumeClick(Sender{"SpdBtnResume"}); });
  });
}

void ProgramWindows::BuildOptions() {
  options_widget_ = std::make_unique<OptionsWindow>(main_widget_.get());
  OptionsWindow& w = *options_widget_;
  options_form_ = std::make_unique<QtWindow>(&w);
  options_edit_ = std::make_unique<QtTextBox>(w.Edit1);
  options_site_ = std::make_unique<QtOptionChoice>(
      std::vector<QAbstractButton*>{w.RbSoldListings, w.RbClassic});
  options_marketplace_ = std::make_unique<QtComboChoice>(w.CmbMarketplace);
  frm_options_ = std::make_unique<TFrmOptions>(
      app_, *options_form_, *options_edit_, services_.preferences,
      SiteControls{options_site_.get(), options_marketplace_.get()});
  app_.FrmOptions = frm_options_.get();
  QObject::connect(w.BitBtnOK, &QPushButton::clicked, &w, [this] {
    app_.Dispatch([this] { frm_options_->BitBtnOKClick(Sender{"BitBtnOK"}); });
  });
  QObject::connect(w.BitBtnCancel, &QPushButton::clicked, &w, [this] {
    app_.Dispatch(
        [this] { frm_options_->BitBtnCancelClick(Sender{"BitBtnCancel"}); });
  });
}

void ProgramWindows::WireMain() {
  MainWindow& w = *main_widget_;
  TFrmPrice* frm = frm_price_.get();

  for (const MenuEntry& entry : MainMenuEntries()) {
    QAction* action = w.MenuItem(QString::fromLatin1(entry.name));
    if (action == nullptr || entry.handler == nullptr) continue;
    QObject::connect(action, &QAction::triggered, &w, [this, frm, &entry] {
      app_.Dispatch(
          [frm, &entry] { (frm->*entry.handler)(Sender{entry.name}); });
    });
  }
  for (const auto& buttons : {ToolbarButtons(), SideBarButtons()}) {
    for (const ButtonEntry& entry : buttons) {
      QToolButton* button = w.BarButton(QString::fromLatin1(entry.name));
      QObject::connect(button, &QToolButton::clicked, &w, [this, frm, &entry] {
        app_.Dispatch(
            [frm, &entry] { (frm->*entry.handler)(Sender{entry.name}); });
      });
    }
  }
  if (QAction* browser_item = w.MenuItem(QString::fromLatin1(kBrowserItem))) {
    QObject::connect(browser_item, &QAction::triggered, &w, [this] {
      app_.Dispatch([this] { page_viewer_->ShowPageOf(services_.browser); });
    });
  }
  if (QAction* market_item = w.MenuItem(QString::fromLatin1(kMarketViewItem))) {
    QObject::connect(market_item, &QAction::triggered, &w,
                     [this] { app_.Dispatch([this] { OpenMarketView(); }); });
  }

  QObject::connect(&w, &MainWindow::Shown, &w, [this, frm] {
    app_.Dispatch([frm] { frm->FormShow(Sender{"FrmPrice"}); });
  });
  QObject::connect(
      &w, &MainWindow::ResizeRequested, &w, [this, frm](int width, int height) {
        bool allowed = true;
        app_.Dispatch([&] {
          allowed = frm->FormCanResize(Sender{"FrmPrice"}, width, height);
        });
        if (allowed) return;
        // Undone once the window system has finished the change.
        QTimer::singleShot(0, main_widget_.get(), [this] {
          main_widget_->setWindowState(Qt::WindowNoState);
        });
      });
  // Closing the main window ends the program, whatever else is open.
  QObject::connect(&w, &MainWindow::Closing, &w,
                   [] { QCoreApplication::quit(); });
  QObject::connect(&w, &MainWindow::QueryKeyDown, &w,
                   [this, frm](int key, bool shift, bool alt, bool ctrl) {
                     app_.Dispatch([&] {
                       frm->EdtQueryKeyDown(Sender{"EdtQuery"}, key, shift, alt,
                                            ctrl);
                     });
                   });
  QObject::connect(
      &w, &MainWindow::FilterExit, &w, [this, frm](const QString& box) {
        const std::string name = box.toStdString();
        app_.Dispatch([&] { frm->EdtLowFilterExit(Sender{name}); });
      });
  QObject::connect(&w, &MainWindow::CoolBar1DoubleClicked, &w, [this, frm] {
    app_.Dispatch([frm] { frm->Print1Click(Sender{"CoolBar1"}); });
  });
  QObject::connect(
      w.ListView1, &ResultsTable::ColumnClicked, &w, [this, frm](int column) {
        app_.Dispatch(
            [&] { frm->ListView1ColumnClick(Sender{"ListView1"}, column); });
      });
  QObject::connect(w.ListView1, &ResultsTable::DoubleClicked, &w, [this, frm] {
    app_.Dispatch([frm] { frm->ListView1Click(Sender{"ListView1"}); });
  });
  QObject::connect(w.ListView1, &ResultsTable::PagesDropped, &w,
                   [this, frm](const QStringList& dropped) {
                     std::vector<std::string> files;
                     for (const QString& file : dropped) {
                       files.push_back(QFile::encodeName(file).toStdString());
                     }
                     app_.Dispatch([&] { frm->OpenSavedPages(files); });
                   });
}

void ProgramWindows::OpenMarketView() {
  if (!market_widget_) {
    market_widget_ = std::make_unique<MarketWindow>(
        MarketWindowParts{app_, frm_price_->ListView1(),
                          *main_widget_->ListView1, services_.file_dialog,
                          services_.clock,
                          [this] { return frm_price_->ShownSettings(); }},
        main_widget_.get());
  }
  market_widget_->Open();
}

void ProgramWindows::Start() {
  app_.Dispatch([this] { frm_options_->ReadTimeout(); });
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desk = screen->availableGeometry();
    main_widget_->move(desk.x() + (desk.width() - kMainOuterWidth) / 2,
                       desk.y() + (desk.height() - kMainOuterHeight) / 2);
  }
  main_form_->Show();
}

}  // namespace tolvane::gui
