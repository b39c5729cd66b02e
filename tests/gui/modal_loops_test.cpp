#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "gui/qt_file_dialog.h"
#include "gui/qt_printer.h"
#include "gui/qt_services.h"
#include "gui_harness.h"
#include "util/error.h"

namespace tolvane::gui::testing {
namespace {

// Runs `step` on the modal window once its loop is running, for as long as
// the watch returned is kept. A window that does not come within a few
// seconds, or that the step leaves open, fails the test and is closed with
// every other dialog, so that the test ends rather than waits for ever.
[[nodiscard]] std::unique_ptr<QTimer> WhenModal(
    std::function<void(QWidget&)> step) {
  auto poll = std::make_unique<QTimer>();
  QTimer* timer = poll.get();
  QElapsedTimer waited;
  waited.start();
  QObject::connect(
      timer, &QTimer::timeout,
      [=, stepped = false, handled = QPointer<QWidget>()]() mutable {
        if (!stepped) {
          if (QWidget* modal = QApplication::activeModalWidget()) {
            stepped = true;
            handled = modal;
            // Checked at once, as the window's loop starts; then now and again.
            timer->setInterval(10);
            step(*modal);
          }
        }
        const bool closed =
            stepped && (handled.isNull() || !handled->isVisible());
        if (!closed && waited.elapsed() < 5000) return;
        timer->stop();
        if (closed) return;
        ADD_FAILURE() << (stepped ? "the modal window stayed open"
                                  : "no modal window came");
        for (QWidget* top : QApplication::topLevelWidgets()) {
          if (auto* dialog = qobject_cast<QDialog*>(top);
              dialog && dialog->isVisible())
            dialog->reject();
        }
      });
  timer->start(0);
  return poll;
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
    const auto watch = WhenModal([&app](QWidget& modal) {
      app.Dispatch([] { throw Error("Inner failure"); });
      if (auto* dialog = qobject_cast<QDialog*>(&modal)) dialog->reject();
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

// Catches an escaped error shown without the stop icon, the program's
// title or the closing period.
TEST(ModalLoopsTest, AnEscapedErrorIsShownWithStopIconTitleAndPeriod) {
  QtMessageBox real_box;
  Application app(real_box);
  bool seen = false;
  const auto watch = WhenModal([&](QWidget& modal) {
    auto& box = static_cast<QMessageBox&>(modal);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Tolvane 1.6"));
    EXPECT_EQ(box.text(),
              QStringLiteral("'abc' is not a valid integer value."));
    EXPECT_EQ(box.icon(), QMessageBox::Critical);
    EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
    seen = true;
    box.button(QMessageBox::Ok)->click();
  });
  app.Dispatch([] { throw Error("'abc' is not a valid integer value"); });
  EXPECT_TRUE(seen);
}

// Catches Escape or the close box answering the Yes/No note, which would
// turn the note off for good, No answered wrongly, or a caption, icon or
// button lost.
TEST(ModalLoopsTest, AYesNoBoxHasNoEscapeOrCloseAnswer) {
  const std::pair<QMessageBox::StandardButton, MbResult> kAnswers[] = {
      {QMessageBox::Yes, MbResult::kYes}, {QMessageBox::No, MbResult::kNo}};
  for (const auto& [button, answer] : kAnswers) {
    QtMessageBox box;
    bool still_open = false;
    const auto watch = WhenModal([&, button = button](QWidget& modal) {
      auto& shown = static_cast<QMessageBox&>(modal);
      EXPECT_EQ(shown.windowTitle(), QStringLiteral("Program Note"));
      EXPECT_EQ(shown.icon(), QMessageBox::NoIcon);
      EXPECT_EQ(shown.standardButtons(), QMessageBox::Yes | QMessageBox::No);
      QTest::keyClick(&modal, Qt::Key_Escape);
      modal.close();
      still_open = modal.isVisible();
      shown.button(button)->click();
    });
    EXPECT_EQ(box.Show("Click \"NO\" ...", "Program Note", MbButtons::kYesNo,
                       MbIcon::kNone),
              answer);
    EXPECT_TRUE(still_open);
  }
}

// Catches a save dialog whose file type leaves the name's extension alone,
// or whose name with a dot of its own gets no extension at all.
TEST(ModalLoopsTest, TheChosenFileTypeGivesTheExtension) {
  QTemporaryDir folder;
  // Typed name, chosen type (1 text, 2 comma separated), saved name.
  const std::tuple<const char*, int, const char*> kCases[] = {
      {"lamps", 2, "lamps.csv"},
      {"lamp 1.5", 1, "lamp 1.5.txt"},
      {"notes.TXT", 2, "notes.TXT"}};
  for (const auto& [typed, type, saved] : kCases) {
    QtFileDialog files;
    FileDialogSettings settings{
        "Tolvane", "Text (*.txt)|*.TXT|Comma Separated Value (*.csv)|*.CSV", 1,
        "", "txt"};
    const auto watch =
        WhenModal([&, typed = typed, type = type](QWidget& modal) {
          auto& dialog = static_cast<QFileDialog&>(modal);
          dialog.setDirectory(folder.path());
          dialog.selectNameFilter(dialog.nameFilters()[type - 1]);
          dialog.selectFile(QString::fromLatin1(typed));
          static_cast<QDialog&>(dialog).accept();
        });
    ASSERT_TRUE(files.ExecuteSave(settings)) << typed;
    EXPECT_EQ(settings.file_name, folder.filePath(saved).toStdString());
    EXPECT_EQ(settings.filter_index, type);
  }
}

}  // namespace
}  // namespace tolvane::gui::testing
