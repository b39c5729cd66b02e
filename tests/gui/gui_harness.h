#pragma once

// The real windows of the program on fake services, for GUI tests: find a
// widget by its program name, click it, type into it, read the table.

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <string>

#include "fakes/plain_program.h"
#include "gui/busy_window.h"
#include "gui/dialog_windows.h"
#include "gui/options_window.h"

namespace tolvane::gui::testing {

class GuiHarness : public PlainProgram {
 public:
  // Starts the program (timeout read, main window shown) unless asked not
  // to.
  explicit GuiHarness(bool start = true) {
    if (start) windows.Start();
  }

  // A widget of the main window by its program name ("EdtQuery",
  // "ListView1", "CoolBar2", ...).
  template <typename T = QWidget>
  T* Find(const char* name) {
    return windows.MainWidget().findChild<T*>(QString::fromLatin1(name));
  }
  // A menu item by its program name ("Get1", "About1", ...).
  QAction* MenuItem(const char* name) {
    return windows.MainWidget().MenuItem(QString::fromLatin1(name));
  }
  QToolButton* Button(const char* name) {
    return windows.MainWidget().BarButton(QString::fromLatin1(name));
  }

  // Clicks a tool bar or side bar button as the user does.
  void Click(const char* name) {
    QTest::mouseClick(Button(name), Qt::LeftButton);
  }
  void Choose(const char* menu_item) { MenuItem(menu_item)->trigger(); }

  // Replaces a box's text by typing, one key at a time.
  static void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
};

}  // namespace tolvane::gui::testing
