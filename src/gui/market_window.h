#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <vector>

#include "analysis/market_chart.h"
#include "analysis/robust_figures.h"
#include "app/application.h"
#include "listing/result_grid.h"
#include "platform/services.h"
#include "util/regional.h"

class QChart;
class QChartView;
class QLabel;
class QPushButton;
class QScatterSeries;
class QTableWidget;

namespace tolvane::gui {

class ResultsTable;

// What the Market window reads and reaches: the rows, the table that shows
// them, the save dialog, today's date for the end times and how amounts
// are written (asked at every refresh: the grid's currency may change).
struct MarketWindowParts {
  Application& app;
  ResultGrid& grid;
  ResultsTable& table;
  FileDialog& file_dialog;
  Clock& clock;
  std::function<RegionalSettings()> regional;
};

// The Market window: robust figures of the checked prices as a table, their
// histogram with the median and the fences, and every row's price over its
// end time in its deviation icon's colour. It follows the grid while shown,
// at screen rate; a click on a point selects that row in the grid.
class MarketWindow : public QDialog {
  Q_OBJECT

 public:
  MarketWindow(const MarketWindowParts& parts, QWidget* parent);
  ~MarketWindow() override;

  // Shows the window, up to date, in front; a second call only raises it.
  void Open();
  // Recomputes everything from the grid now.
  void Refresh();

  // Where a row's point is drawn in the scatter's view, if it is drawn.
  std::optional<QPoint> PointOfRow(int row) const;
  // The chart views, in the order saved.
  QChartView* Histogram() const { return histogram_view_; }
  QChartView* Scatter() const { return scatter_view_; }

  // Writes the charts to the file: SVG when its name ends in .svg, else PNG.
  void SaveCharts(const std::string& file_name) const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Schedule();
  void FillTable(const RobustFigures& figures);
  void DrawHistogram(const std::vector<double>& prices,
                     const RobustFigures& figures);
  void DrawScatter();
  void PointClicked(const QScatterSeries* series, const QPointF& point);
  // Pixels per minute and per unit of price of the scatter as drawn now.
  PlotScale ScatterScale() const;
  void SaveChartClick();

  MarketWindowParts parts_;
  QTimer refresh_timer_;
  QTableWidget* figures_table_ = nullptr;
  QLabel* scatter_note_ = nullptr;
  QChartView* histogram_view_ = nullptr;
  QChartView* scatter_view_ = nullptr;
  QPushButton* save_button_ = nullptr;
  FileDialogSettings save_settings_;

  // The points behind each drawn scatter series, one for one.
  struct DrawnSeries {
    QScatterSeries* series;
    ScatterSeries kind;
  };
  std::vector<DrawnSeries> drawn_;
};

}  // namespace tolvane::gui
