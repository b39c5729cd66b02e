#pragma once

#include <QHash>
#include <QMainWindow>

class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace tolvane::gui {

class BandBar;
class ResultsTable;

// The main window's client area under the menu bar. The window was laid out
// as 803 by 575 pixels on a desktop whose frame (4-pixel borders, caption
// and menu bar) leaves this much for the controls.
inline constexpr int kMainClientWidth = 795;
inline constexpr int kMainClientHeight = 530;
inline constexpr int kMainOuterWidth = 803;
inline constexpr int kMainOuterHeight = 575;

// The widgets of TFrmPrice, every one at its place, named by its program
// name. It knows nothing of the handlers: its events leave as signals, and
// the menus and buttons are made from the command table.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  QAction* MenuItem(const QString& name) const {
    return menu_items_.value(name);
  }
  QToolButton* BarButton(const QString& name) const {
    return buttons_.value(name);
  }
  // Puts the browser's view into PnlMnBrwsr, filling it.
  void SetBrowserView(QWidget* view);
  // Gives the browser's view back before the window goes, so its owner can
  // release it.
  void ReleaseBrowserView();

  QWidget* CoolBar1Widget() const;

  QLineEdit* EdtQuery = nullptr;
  QLineEdit* EdtHiFilter = nullptr;
  QLineEdit* EdtLowFilter = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QPlainTextEdit* MResultsLeft = nullptr;
  ResultsTable* ListView1 = nullptr;
  QWidget* PnlMnBrwsr = nullptr;

 signals:
  void Shown();
  void Closing();
  // The window was asked to change its size (maximised, for instance).
  void ResizeRequested(int width, int height);
  // A key went down in EdtQuery; the key still gets its default handling.
  void QueryKeyDown(int key, bool shift, bool alt, bool ctrl);
  // The keyboard focus left one of the filter boxes.
  void FilterExit(const QString& box_name);
  void CoolBar1DoubleClicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildMenus();
  void BuildCriteria(QWidget* panel);
  void BuildToolbar(QWidget* bar);
  void BuildSideBar(QWidget* bar);
  QToolButton* MakeButton(QWidget* parent, const char* name, const char* hint,
                          QRect geometry);

  BandBar* coolbar1_ = nullptr;
  QWidget* browser_view_ = nullptr;
  QHash<QString, QAction*> menu_items_;
  QHash<QString, QToolButton*> buttons_;
};

}  // namespace tolvane::gui
