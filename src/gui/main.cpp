#include <QApplication>
#include <QPrinter>

#include "app/application.h"
#include "app/hosts.h"
#include "gui/alsa_sound.h"
#include "gui/program_windows.h"
#include "gui/qt_browser.h"
#include "gui/qt_file_dialog.h"
#include "gui/qt_printer.h"
#include "gui/qt_services.h"
#include "prefs/preference_file.h"
#include "util/regional.h"

int main(int argc, char** argv) {
  using namespace tolvane;
  QApplication qt(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));

  QPrinter printer;
  gui::QtMessageBox message_box;
  FilePreferenceStore preferences(DefaultPreferenceFiles());
  preferences.Notices().Listen([&message_box](const std::string& text) {
    message_box.Show(text, kApplicationTitle, MbButtons::kOk,
                     MbIcon::kInformation);
  });
  gui::QtFileDialog file_dialog;
  gui::QtPrintDialog print_dialog(nullptr, printer);
  gui::QtPrinter qt_printer(printer);
  gui::DesktopShell shell;
  gui::AlsaSoundPlayer sound;
  gui::SystemClock clock;
  gui::QtBrowser browser(nullptr);

  gui::ProgramWindows windows(gui::ProgramServices{
      message_box, file_dialog, print_dialog, qt_printer, shell, sound, clock,
      preferences, browser, browser.View(),
      RegionalSettings::FromSystemLocale(), HostConfig::FromEnvironment()});
  windows.Start();
  return QApplication::exec();
}
