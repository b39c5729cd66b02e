#include "gui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/command_table.h"
#include "app/frm_price.h"
#include "gui/band_bar.h"
#include "gui/fonts.h"
#include "gui/pictures.h"
#include "gui/results_table.h"

namespace tolvane::gui {
namespace {

constexpr const char* kSearchExpression = "Search Expression";
constexpr const char* kHiFilterText = "999,999.99";
constexpr const char* kLowFilterText = "0.00";
constexpr const char* kFiltersHiLabel = "Filters:  Hi";
constexpr const char* kLowLabel = "Low";
// The online help button shows a caption instead of a picture.
constexpr const char* kOnlineHelpButton = "SpeedButton6";
constexpr const char* kOnlineHelpCaption = "?";

constexpr QSize kToolButtonSize(40, 32);
constexpr QSize kSideButtonSize(45, 32);
constexpr int kEnterKey = 13;

// A panel that holds one control filling it.
QFrame* MakePanel(QWidget* parent, const char* name, QRect geometry) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setGeometry(geometry);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(1);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(0);
  return panel;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const char* text,
                    QRect geometry) {
  auto* edit = new QLineEdit(QString::fromLatin1(text), parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setGeometry(geometry);
  edit->setCursorPosition(0);
  return edit;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text,
                  QPoint at) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->move(at);
  label->adjustSize();
  return label;
}

// Keys as the handlers know them: Enter is 13, letters and digits are their
// capitals and digits, the modifiers their own codes; other keys carry no
// code.
int VirtualKey(const QKeyEvent& event) {
  const int key = event.key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return kEnterKey;
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) ||
      (key >= Qt::Key_A && key <= Qt::Key_Z) || key == Qt::Key_Space) {
    return key;
  }
  if (key == Qt::Key_Shift) return 16;
  if (key == Qt::Key_Control) return 17;
  if (key == Qt::Key_Alt) return 18;
  if (key == Qt::Key_Escape) return 27;
  if (key == Qt::Key_Backspace) return 8;
  if (key == Qt::Key_Tab) return 9;
  return 0;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("FrmPrice"));
  setWindowTitle(QString::fromLatin1(kMainCaption));
  setWindowIcon(QIcon(ProgramIcon()));
  setFont(FormFont());
  // The window keeps its size: no maximise button, no resize border.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);

  BuildMenus();

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("FrmPriceClient"));
  client->setFixedSize(kMainClientWidth, kMainClientHeight);
  setCentralWidget(client);

  coolbar1_ = new BandBar(BandBar::Direction::kHorizontal, client);
  coolbar1_->setObjectName(QStringLiteral("CoolBar1"));
  coolbar1_->setGeometry(0, 0, 795, 71);
  coolbar1_->AddBand(0, 31);
  coolbar1_->AddBand(31, 40);
  connect(coolbar1_, &BandBar::DoubleClicked, this,
          &MainWindow::CoolBar1DoubleClicked);

  auto* criteria = new QWidget(coolbar1_);
  criteria->setObjectName(QStringLiteral("PnlCriteria"));
  criteria->setGeometry(9, 0, 778, 30);
  BuildCriteria(criteria);

  auto* coolbar2 = new QWidget(coolbar1_);
  coolbar2->setObjectName(QStringLiteral("CoolBar2"));
  coolbar2->setGeometry(9, 32, 778, 35);
  BuildToolbar(coolbar2);

  QFrame* grid_panel = MakePanel(client, "PnlGrid", QRect(56, 72, 736, 288));
  ListView1 = new ResultsTable(grid_panel);
  grid_panel->layout()->addWidget(ListView1);

  QFrame* results_panel =
      MakePanel(client, "PnlResults", QRect(384, 360, 410, 167));
  MResultsLeft = new QPlainTextEdit(results_panel);
  MResultsLeft->setObjectName(QStringLiteral("MResultsLeft"));
  MResultsLeft->setFont(MemoFont());
  MResultsLeft->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MResultsLeft->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  MResultsLeft->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // Tab stops every eight average characters, as the summary lines expect.
  MResultsLeft->setTabStopDistance(
      8 * MResultsLeft->fontMetrics().averageCharWidth());
  results_panel->layout()->addWidget(MResultsLeft);

  PnlMnBrwsr = MakePanel(client, "PnlMnBrwsr", QRect(56, 360, 327, 160));

  auto* coolbar3 = new BandBar(BandBar::Direction::kVertical, client);
  coolbar3->setObjectName(QStringLiteral("CoolBar3"));
  coolbar3->setGeometry(3, 74, 49, 456);
  coolbar3->AddBand(0, 49);
  auto* side_band = new QWidget(coolbar3);
  side_band->setObjectName(QStringLiteral("CoolBar3Band"));
  side_band->setGeometry(2, BandBar::kGripWidth, 45,
                         456 - BandBar::kGripWidth - 2);
  BuildSideBar(side_band);

  setTabOrder(EdtQuery, EdtLowFilter);
  setTabOrder(EdtLowFilter, EdtHiFilter);
  setTabOrder(EdtHiFilter, ListView1);
  setTabOrder(ListView1, MResultsLeft);

  setFixedSize(kMainClientWidth,
               menuBar()->sizeHint().height() + kMainClientHeight);
}

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QHash<QString, QMenu*> menus;
  for (const MenuEntry& entry : MainMenuEntries()) {
    const QString name = QString::fromLatin1(entry.name);
    const QString caption = QString::fromUtf8(entry.caption);
    // An entry that others name as their parent opens a menu.
    bool is_menu = entry.parent == nullptr;
    for (const MenuEntry& other : MainMenuEntries()) {
      if (other.parent != nullptr && name == QLatin1String(other.parent)) {
        is_menu = true;
      }
    }
    if (is_menu) {
      QMenu* menu = entry.parent == nullptr
                        ? bar->addMenu(caption)
                        : menus.value(QString::fromLatin1(entry.parent))
                              ->addMenu(caption);
      menu->setObjectName(name);
      menu->menuAction()->setObjectName(name);
      menus.insert(name, menu);
      menu_items_.insert(name, menu->menuAction());
      continue;
    }
    QMenu* parent_menu = menus.value(QString::fromLatin1(entry.parent));
    QAction* action = caption == QLatin1String("-")
                          ? parent_menu->addSeparator()
                          : parent_menu->addAction(caption);
    action->setObjectName(name);
    menu_items_.insert(name, action);
  }
}

void MainWindow::BuildCriteria(QWidget* panel) {
  EdtQuery =
      MakeEdit(panel, "EdtQuery", kSearchExpression, QRect(6, 1, 299, 21));
  Label1 = MakeLabel(panel, "Label1", kFiltersHiLabel, QPoint(352, 8));
  EdtHiFilter =
      MakeEdit(panel, "EdtHiFilter", kHiFilterText, QRect(406, 6, 60, 21));
  Label2 = MakeLabel(panel, "Label2", kLowLabel, QPoint(472, 8));
  EdtLowFilter =
      MakeEdit(panel, "EdtLowFilter", kLowFilterText, QRect(494, 6, 64, 21));
  // One font for the filter controls, small enough that each label ends
  // before its box and each box shows its amount whole.
  QFont filter_font = FormFont();
  filter_font = FittedFont(filter_font, {QString::fromLatin1(kFiltersHiLabel)},
                           RoomBefore(*Label1, *EdtHiFilter));
  filter_font = FittedFont(filter_font, {QString::fromLatin1(kLowLabel)},
                           RoomBefore(*Label2, *EdtLowFilter));
  filter_font = FittedFont(filter_font, {QString::fromLatin1(kHiFilterText)},
                           LineEditTextWidth(*EdtHiFilter));
  for (QWidget* control :
       {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
        static_cast<QWidget*>(EdtHiFilter),
        static_cast<QWidget*>(EdtLowFilter)}) {
    control->setFont(filter_font);
  }
  Label1->adjustSize();
  Label2->adjustSize();
  EdtQuery->installEventFilter(this);
  EdtHiFilter->installEventFilter(this);
  EdtLowFilter->installEventFilter(this);
}

QToolButton* MainWindow::MakeButton(QWidget* parent, const char* name,
                                    const char* hint, QRect geometry) {
  auto* button = new QToolButton(parent);
  const QString button_name = QString::fromLatin1(name);
  button->setObjectName(button_name);
  button->setToolTip(QString::fromLatin1(hint));
  button->setGeometry(geometry);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setIconSize(QSize(kButtonPictureSize, kButtonPictureSize));
  if (button_name == QLatin1String(kOnlineHelpButton)) {
    button->setText(QString::fromLatin1(kOnlineHelpCaption));
    button->setFont(HeavyFont(20));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  } else {
    button->setIcon(ButtonPicture(button_name));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
  }
  buttons_.insert(button_name, button);
  return button;
}

void MainWindow::BuildToolbar(QWidget* bar) {
  for (const ButtonEntry& entry : ToolbarButtons()) {
    MakeButton(bar, entry.name, entry.hint,
               QRect(QPoint(entry.position, 1), kToolButtonSize));
  }
}

void MainWindow::BuildSideBar(QWidget* bar) {
  for (const ButtonEntry& entry : SideBarButtons()) {
    MakeButton(bar, entry.name, entry.hint,
               QRect(QPoint(0, entry.position), kSideButtonSize));
  }
}

void MainWindow::SetBrowserView(QWidget* view) {
  if (view == nullptr) return;
  browser_view_ = view;
  PnlMnBrwsr->layout()->addWidget(view);
  view->show();
}

void MainWindow::ReleaseBrowserView() {
  if (browser_view_ == nullptr) return;
  PnlMnBrwsr->layout()->removeWidget(browser_view_);
  browser_view_->hide();
  browser_view_->setParent(nullptr);
  browser_view_ = nullptr;
}

QWidget* MainWindow::CoolBar1Widget() const { return coolbar1_; }

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EdtQuery && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers();
    emit QueryKeyDown(VirtualKey(*key), mods.testFlag(Qt::ShiftModifier),
                      mods.testFlag(Qt::AltModifier),
                      mods.testFlag(Qt::ControlModifier));
  } else if ((watched == EdtHiFilter || watched == EdtLowFilter) &&
             event->type() == QEvent::FocusOut) {
    // Focus that goes to another window or a menu, by mouse or by the
    // keyboard's Alt, has not left the box.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason &&
        reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason) {
      emit FilterExit(watched->objectName());
    }
  }
  // Nothing is consumed: the boxes handle every key as usual.
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) emit Shown();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  emit Closing();
  QMainWindow::closeEvent(event);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange &&
      (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
    const QSize available =
        screen() != nullptr ? screen()->availableSize() : size();
    emit ResizeRequested(available.width(), available.height());
  }
}

}  // namespace tolvane::gui
