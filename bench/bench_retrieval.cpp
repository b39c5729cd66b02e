// The program's own share of a Get 5: five result pages of 50 auctions,
// each captured (capture file deleted, saved, read back, checked for its end
// and its Expires value), parsed into rows with the summary recomputed per
// row, and the page finished. The pages are served from memory at once, so
// what is measured is everything but the network and the pop sound.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/busy_box.h"
#include "app/frm_ana.h"
#include "app/frm_options.h"
#include "app/frm_price.h"
#include "headless_app.h"
#include "sample_pages.h"

namespace {

using namespace tolvane;

// Serves the page the test hands it, as a loaded document.
class MemoryBrowser : public Browser {
 public:
  void Navigate(const std::string& url, int) override { last_url = url; }
  void Stop() override {}
  SaveResult SaveDocument(const std::string& path) override {
    std::ofstream(path, std::ios::binary) << *document;
    return SaveResult::kOk;
  }
  void SetOnDownloadComplete(std::function<void()> handler) override {
    on_complete = std::move(handler);
  }
  void Complete(const std::string* page) {
    document = page;
    on_complete();
  }
  std::string last_url;
  const std::string* document = nullptr;
  std::function<void()> on_complete;
};

// The five windows on quiet controls, with the memory browser.
struct Windows {
  Windows() {
    FrmPrice = std::make_unique<TFrmPrice>(
        app,
        TFrmPriceControls{main_form, EdtQuery, EdtHiFilter, EdtLowFilter,
                          MResultsLeft, SpdBtnGetNextData, MiniBro, TmrTimeout,
                          grid_view},
        TFrmPriceServices{sound, shell, message_box, file_dialog, print_dialog,
                          printer, preferences, clock,
                          RegionalSettings::UnitedStates(), HostConfig{}});
    app.FrmPrice = FrmPrice.get();
    BusyBox = std::make_unique<TBusyBox>(app, busy_form, busy_label);
    app.BusyBox = BusyBox.get();
    FrmOptions =
        std::make_unique<TFrmOptions>(app, options_form, Edit1, preferences);
    app.FrmOptions = FrmOptions.get();
  }

  PlainMessageBox message_box;
  Application app{message_box};
  PlainWindow main_form;
  PlainTextBox EdtQuery{"brass lamp"};
  PlainTextBox EdtHiFilter{"999,999.99"};
  PlainTextBox EdtLowFilter{"0.00"};
  PlainMemo MResultsLeft;
  PlainButton SpdBtnGetNextData;
  MemoryBrowser MiniBro;
  PlainTimer TmrTimeout;
  PlainGridView grid_view;
  PlainSound sound;
  PlainShell shell;
  PlainFileDialog file_dialog;
  PlainPrintDialog print_dialog;
  PlainPrinter printer;
  PlainPreferenceStore preferences;
  PlainClock clock;
  PlainWindow busy_form;
  PlainLabel busy_label;
  PlainWindow options_form;
  PlainTextBox Edit1{"90"};
  std::unique_ptr<TFrmPrice> FrmPrice;
  std::unique_ptr<TBusyBox> BusyBox;
  std::unique_ptr<TFrmOptions> FrmOptions;
};

void BM_Get5OfFivePages(benchmark::State& state) {
  const std::filesystem::path home = std::filesystem::current_path();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("tolvane_bench_retrieval_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);

  std::vector<std::string> pages;
  for (int i = 0; i < 5; ++i) {
    sample::PageOptions options;
    options.total = 300;
    options.expires = "Sun, 23 Nov 2003 18:45:0" + std::to_string(i);
    pages.push_back(sample::ResultPage("brass lamp", 50 * i, options));
  }
  int rows = 0;
  for (auto _ : state) {
    Windows w;
    w.FrmPrice->Get1Click(Sender{"SpdBtnGet5"});
    for (const std::string& page : pages) w.MiniBro.Complete(&page);
    rows = w.FrmPrice->ListView1().Count();
  }
  state.counters["rows"] = rows;
  std::filesystem::current_path(home);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_Get5OfFivePages)->Unit(benchmark::kMillisecond);

}  // namespace
