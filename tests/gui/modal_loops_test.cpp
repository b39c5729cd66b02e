#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "gui/qt_file_dialog.h"
#include "gui/qt_printer.h"
#include "gui/qt_services.h"
#include "gui_harness.h"
#include "util/error.h"

namespace tolvane::gui::testing {
namespace {

namespace fs = std::filesystem;

// Runs `step` on the modal window once its loop is running.
void WhenModal(std::function<void(QWidget&)> step) {
  QTimer::singleShot(0, [step = std::move(step)] {
    if (QWidget* modal = QApplication::activeModalWidget()) step(*modal);
  });
}

void Reject(QWidget& modal) {
  if (auto* dialog = qobject_cast<QDialog*>(&modal)) dialog->reject();
}

// Catches an error of an event handled inside a modal box or dialog that
// escapes through Qt's loop and unwinds the handler that opened the box, or
// that is reported twice.
TEST(ModalLoopsTest, AnErrorInsideAModalLoopIsReportedThere) {
  QtMessageBox box;
  QtFileDialog files;
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  QtPrintDialog print(nullptr, printer);
  FileDialogSettings settings{"Tolvane", "Text (*.txt)|*.TXT", 1, "", "txt"};
  const std::vector<std::pair<const char*, std::function<void()>>> kLoops = {
      {"message box",
       [&] { box.Show("note", "", MbButtons::kOk, MbIcon::kNone); }},
      {"save dialog", [&] { files.ExecuteSave(settings); }},
      {"open dialog", [&] { files.ExecuteOpen(settings); }},
      {"print dialog", [&] { print.Execute(1); }},
  };
  for (const auto& [what, open_loop] : kLoops) {
    GuiHarness h;
    Application& app = h.windows.App();
    WhenModal([&app](QWidget& modal) {
      app.Dispatch([] { throw Error("Inner failure"); });
      Reject(modal);
    });
    bool went_on = false;
    app.Dispatch([&, &open_loop = open_loop] {
      open_loop();
      went_on = true;
    });
    EXPECT_TRUE(went_on) << what;
    ASSERT_EQ(h.message_box.shown.size(), 1u) << what;
    EXPECT_EQ(h.message_box.shown[0].text, "Inner failure.") << what;
  }
}

// Catches Escape or the close box answering the Yes/No note, which would
// turn the note off for good.
TEST(ModalLoopsTest, AYesNoBoxHasNoEscapeOrCloseAnswer) {
  QtMessageBox box;
  bool still_open = false;
  WhenModal([&](QWidget& modal) {
    QTest::keyClick(&modal, Qt::Key_Escape);
    modal.close();
    still_open = modal.isVisible();
    static_cast<QMessageBox&>(modal).button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(box.Show("Click \"NO\" ...", "Program Note", MbButtons::kYesNo,
                     MbIcon::kNone),
            MbResult::kYes);
  EXPECT_TRUE(still_open);
}

// Catches a save dialog whose file type leaves the name's extension alone,
// or whose name with a dot of its own gets no extension at all.
TEST(ModalLoopsTest, TheChosenFileTypeGivesTheExtension) {
  const fs::path folder = fs::temp_directory_path() /
                          ("tolvane_types_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  struct Case {
    const char* typed;
    int type;  // 1 text, 2 comma separated
    const char* saved;
  };
  const Case kCases[] = {{"lamps", 2, "lamps.csv"},
                         {"lamp 1.5", 1, "lamp 1.5.txt"},
                         {"notes.TXT", 2, "notes.TXT"}};
  for (const Case& c : kCases) {
    QtFileDialog files;
    FileDialogSettings settings{
        "Tolvane", "Text (*.txt)|*.TXT|Comma Separated Value (*.csv)|*.CSV", 1,
        "", "txt"};
    WhenModal([&](QWidget& modal) {
      auto& dialog = static_cast<QFileDialog&>(modal);
      dialog.setDirectory(QString::fromStdString(folder.string()));
      dialog.selectNameFilter(dialog.nameFilters()[c.type - 1]);
      dialog.selectFile(QString::fromLatin1(c.typed));
      static_cast<QDialog&>(dialog).accept();
    });
    ASSERT_TRUE(files.ExecuteSave(settings)) << c.typed;
    EXPECT_EQ(settings.file_name, (folder / c.saved).string());
    EXPECT_EQ(settings.filter_index, c.type);
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace tolvane::gui::testing
