// gui-snapshot FOLDER: draws the real windows, with a page's worth of rows,
// into PNG files, so a change of the layout can be looked at without a
// display. The windows run on the plain in-memory services, as in the tests.
//
// gui-snapshot --time-import CSV [PNG]: imports the file into the idle main
// window through the Import command, then opens the Market window on the
// rows, and says how long each took until the window had drawn it; with a
// picture named, draws the Market window into it afterwards.

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTextBrowser>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fakes/plain_program.h"
#include "gui/busy_window.h"
#include "gui/dialog_windows.h"
#include "gui/market_window.h"
#include "gui/options_window.h"
#include "gui/qt_browser.h"
#include "sample_pages.h"

namespace {

using namespace tolvane;
using namespace tolvane::gui;

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

// Lets the charts lay out their new axes before the window is drawn.
void Settle() {
  QEventLoop loop;
  QTimer::singleShot(300, &loop, &QEventLoop::quit);
  loop.exec();
}

bool Save(QWidget& widget, const QDir& dir, const char* name) {
  const QString path = dir.filePath(QString::fromLatin1(name));
  const bool saved = widget.grab().save(path);
  std::fprintf(stderr, "%s %s\n", saved ? "wrote" : "could not write",
               qPrintable(path));
  return saved;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
      .count();
}

int TimeImport(const char* csv, const char* picture) {
  PlainProgram h;
  h.windows.Start();
  h.Main().show();
  h.Flush();
  h.file_dialog.answers.emplace_back(csv);
  auto start = std::chrono::steady_clock::now();
  h.windows.App().Dispatch([&h] {
    h.FrmPrice().ImportCSVFileFromGrid1Click(Sender{"SpdBtnCSVIn"});
  });
  h.Flush();
  h.Main().repaint();
  std::printf("import: %d rows shown in %.3f s\n", h.Grid().Count(),
              SecondsSince(start));
  start = std::chrono::steady_clock::now();
  h.windows.OpenMarketView();
  QApplication::processEvents();
  h.windows.MarketWidget()->repaint();
  std::printf("market: drawn in %.3f s\n", SecondsSince(start));
  bool ok = h.Grid().Count() > 0;
  if (picture != nullptr) {
    Settle();
    const QFileInfo file(QString::fromLocal8Bit(picture));
    ok = Save(*h.windows.MarketWidget(), file.absoluteDir(),
              file.fileName().toLocal8Bit().constData()) &&
         ok;
  }
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: gui-snapshot FOLDER | gui-snapshot --time-import CSV "
                 "[PNG]\n");
    return 2;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  QApplication app(argc, argv);
  if (std::string_view(argv[1]) == "--time-import") {
    if (argc != 3 && argc != 4) return 2;
    return TimeImport(argv[2], argc == 4 ? argv[3] : nullptr);
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  PlainProgram h;
  h.windows.Start();
  for (const ParsedItem& item : kRows) {
    // Rows go in through AddItem once it exists, else straight in.
    if (h.FrmPrice().AddItem(item) < 0) h.AppendRow(item);
  }
  if (!h.Grid().IconAverage()) h.Grid().SetIconAverage(50.0f);
  h.Grid().SetChecked(4, false);
  h.Flush();
  h.Table().selectRow(2);
  // The browser panel with a result page in it, as after a Get.
  QtBrowser browser(nullptr);
  if (auto* view = qobject_cast<QTextBrowser*>(browser.View())) {
    h.Main().SetBrowserView(view);
    view->setHtml(QString::fromStdString(
        sample::ResultPage("brass lamp", 0, sample::PageOptions{})));
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

  // The Market window over a few weeks of sales: a spread of prices with a
  // long tail, a few far sales and some rows unchecked.
  std::uint32_t seed = 17;
  const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (int i = 0; i < 400; ++i) {
    const std::uint32_t r = next();
    const double price =
        20 + (r % 4000) / 100.0 + (r % 97 == 0 ? 400 : 0) + (i % 50) * 0.6;
    char text[32];
    std::snprintf(text, sizeof text, "$%.2f", price);
    const std::string ended =
        (i % 3 == 0 ? "Oct-" : "Nov-") + std::to_string(10 + i % 19) + " " +
        std::to_string(10 + i % 13) + ":" + std::to_string(10 + i % 50);
    h.AppendRow({std::to_string(2000000000 + i), "Brass lamp",
                 std::to_string(i % 11), text, ended});
    if (i % 9 == 0) h.Grid().SetChecked(h.Grid().Count() - 1, false);
  }
  h.FrmPrice().ComputeSummary();
  h.Flush();
  h.windows.OpenMarketView();
  Settle();
  ok = Save(*h.windows.MarketWidget(), dir, "market.png") && ok;

  // One day's sales at prices under and over a dollar, some far below and
  // above the average (icon 5), some unchecked: the logarithmic axis in
  // cents, the hours of one day, and checked and unchecked points side by
  // side.
  h.Grid().Clear();
  const char* day_prices[] = {"$0.05", "$0.25", "$0.80",  "$2.50", "$4.00",
                              "$4.50", "$5.00", "$12.00", "$40.00"};
  for (int i = 0; i < 9; ++i) {
    char ended[16];
    std::snprintf(ended, sizeof ended, "Nov-23 %02d:15", 9 + i);
    h.AppendRow({std::to_string(3000000000LL + i), "Brass lamp", "3",
                 day_prices[i], ended});
    if (i % 3 == 1) h.Grid().SetChecked(i, false);
  }
  h.FrmPrice().ComputeSummary();
  h.Flush();
  h.windows.MarketWidget()->Refresh();
  Settle();
  ok = Save(*h.windows.MarketWidget(), dir, "market-day.png") && ok;
  h.Main().ReleaseBrowserView();
  return ok ? 0 : 1;
}
