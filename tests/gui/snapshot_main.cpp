// gui-snapshot FOLDER: draws the real windows, with a page's worth of rows,
// into PNG files, so a change of the layout can be looked at without a
// display.

#include <QApplication>
#include <QDir>
#include <QTextBrowser>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "gui/qt_browser.h"
#include "gui_harness.h"
#include "sample_pages.h"

namespace {

using tolvane::ParsedItem;

const ParsedItem kRows[] = {
    {"1234567890", "Brass table lamp, 1920s", "12", "$45.00", "Nov-23 18:45"},
    {"1234567891", "Brass lamp shade (no reserve)", "-", "$9.99",
     "Nov-23 19:02"},
    {"1234567892", "Art deco brass lamp", "7", "$52.50", "Nov-24 08:15"},
    {"1234567893", "Pair of brass lamps", "21", "$78.00", "Nov-24 21:40"},
    {"1234567894", "Brass desk lamp", "4", "$38.00", "Nov-25 12:05"},
    {"1234567895",
     "Caf\xE9 brass lamp \x93"
     "French\x94",
     "9", "$47.25", "Nov-25 13:30"},
    {"1234567896", "Brass piano lamp", "15", "$61.00", "Nov-26 17:55"},
    {"1234567897", "Brass oil lamp", "2", "$30.00", "Nov-26 22:10"},
};

bool Save(QWidget& widget, const QDir& dir, const char* name) {
  const QString path = dir.filePath(QString::fromLatin1(name));
  const bool saved = widget.grab().save(path);
  std::fprintf(stderr, "%s %s\n", saved ? "wrote" : "could not write",
               qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: gui-snapshot FOLDER\n");
    return 2;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  QApplication app(argc, argv);
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  tolvane::gui::testing::GuiHarness h;
  for (const ParsedItem& item : kRows) {
    // Rows go in through AddItem once it exists, else straight in.
    if (h.FrmPrice().AddItem(item) < 0) h.AppendRow(item);
  }
  if (!h.Grid().IconAverage()) h.Grid().SetIconAverage(50.0f);
  h.Grid().SetChecked(4, false);
  h.Flush();
  h.Table().selectRow(2);
  // The browser panel with a result page in it, as after a Get.
  tolvane::gui::QtBrowser browser(nullptr);
  if (auto* view = qobject_cast<QTextBrowser*>(browser.View())) {
    h.Main().SetBrowserView(view);
    view->setHtml(QString::fromStdString(tolvane::sample::ResultPage(
        "brass lamp", 0, tolvane::sample::PageOptions{})));
  }
  h.windows.BusyBox().Form.Show();
  h.windows.OptionsWidget().show();
  h.windows.AnaWidget().show();
  h.windows.OKRightWidget().show();
  QApplication::processEvents();
  bool ok = Save(h.Main(), dir, "main.png");
  ok = Save(h.windows.BusyWidget(), dir, "busy.png") && ok;
  ok = Save(h.windows.OptionsWidget(), dir, "options.png") && ok;
  ok = Save(h.windows.AnaWidget(), dir, "analysis.png") && ok;
  ok = Save(h.windows.OKRightWidget(), dir, "dialog.png") && ok;
  h.Main().ReleaseBrowserView();
  return ok ? 0 : 1;
}
