#pragma once

// The program's five windows on the plain in-memory services: no desktop
// dialog, sound, printer or shell is touched, and every message, chosen
// file and opened page is remembered instead. The snapshot tool draws them;
// the GUI and end-to-end tests drive them.

#include <QApplication>
#include <utility>

#include "fakes/plain_controls.h"
#include "gui/grid_model.h"
#include "gui/main_window.h"
#include "gui/program_windows.h"
#include "gui/qt_controls.h"
#include "gui/results_table.h"

namespace tolvane::gui {

struct PlainServices {
  // The services with `page_loader` for the browser, its view (if any) in
  // the browser panel, and the given hosts.
  ProgramServices With(Browser& page_loader, QWidget* view = nullptr,
                       HostConfig hosts = {}) {
    return {message_box,
            file_dialog,
            print_dialog,
            printer,
            shell,
            sound,
            clock,
            preferences,
            page_loader,
            view,
            RegionalSettings::UnitedStates(),
            std::move(hosts)};
  }

  PlainMessageBox message_box;
  PlainFileDialog file_dialog;
  PlainPrintDialog print_dialog;
  PlainPrinter printer;
  PlainShell shell;
  PlainSound sound;
  PlainClock clock;
  PlainPreferenceStore preferences;
  PlainBrowser browser;
};

// The windows with the plain browser too, not yet started.
struct PlainProgram : PlainServices {
  PlainProgram() : windows(With(browser)) {}

  TFrmPrice& FrmPrice() { return windows.FrmPrice(); }
  ResultGrid& Grid() { return windows.FrmPrice().ListView1(); }
  MainWindow& Main() { return windows.MainWidget(); }
  ResultsTable& Table() { return *windows.MainWidget().ListView1; }

  // Puts a row straight into the grid, as AddItem would without its checks.
  void AppendRow(const ParsedItem& item) {
    if (auto row = MakeRow(item, RegionalSettings::UnitedStates())) {
      Grid().Append(*row);
    }
  }
  // Pushes rows and lines that wait for the screen into the widgets.
  void Flush() {
    windows.GridModel().Flush();
    windows.ResultsMemo().Flush();
    QApplication::processEvents();
  }

  ProgramWindows windows;
};

}  // namespace tolvane::gui
