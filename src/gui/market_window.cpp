#include "gui/market_window.h"

#include <QAreaSeries>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "gui/grid_model.h"
#include "gui/qt_controls.h"
#include "gui/results_table.h"
#include "gui/row_icons.h"
#include "util/error.h"
#include "util/files.h"

namespace tolvane::gui {
namespace {

constexpr const char* kCaption = "Market View";
constexpr const char* kFigureHeader = "Figure";
constexpr const char* kValueHeader = "Value";
constexpr const char* kSaveChartCaption = "Save Chart...";
constexpr const char* kCloseCaption = "Close";
constexpr const char* kSaveChartTitle = "Save Chart";
constexpr const char* kSaveChartFilter =
    "PNG picture (*.png)|*.png|SVG drawing (*.svg)|*.svg";
constexpr const char* kScatterTitle = "Price over end time";
// The scatter's legend: the checked rows' kinds by their icon, every
// unchecked row under one name.
constexpr const char* kIconName = "Icon %1";
constexpr const char* kNoIconName = "No icon yet";
constexpr const char* kUncheckedName = "Unchecked";
constexpr const char* kMedianName = "Median";
constexpr const char* kFenceName = "Fence";
constexpr const char* kRowsAxis = "Rows";
constexpr const char* kBinnedNote =
    "Too many rows to draw one by one: each point stands for the rows of its "
    "kind in its part of the plot and selects the first of them.";
constexpr const char* kUndatedNote =
    "Rows without a readable end time, "
    "not drawn: %1.";

QString Text(const std::string& text) { return QString::fromUtf8(text); }

// The price axis in the user's currency symbol, with as many decimals as
// its ticks need.
QString MoneyLabelFormat(const RegionalSettings& regional, bool log_scale,
                         double from) {
  QString symbol = Text(regional.currency_symbol);
  symbol.replace(QLatin1Char('%'), QStringLiteral("%%"));
  return symbol +
         QStringLiteral("%.%1f").arg(PriceAxisDecimals(log_scale, from));
}

void ClearChart(QChart* chart) {
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
}

QAbstractAxis* PriceAxis(const RegionalSettings& regional, bool log_scale,
                         double from, double to) {
  if (log_scale) {
    auto* axis = new QLogValueAxis;
    axis->setBase(10);
    axis->setMinorTickCount(8);
    axis->setLabelFormat(MoneyLabelFormat(regional, true, from));
    axis->setRange(from, to);
    return axis;
  }
  auto* axis = new QValueAxis;
  axis->setLabelFormat(MoneyLabelFormat(regional, false, from));
  axis->setRange(from, to);
  axis->applyNiceNumbers();
  return axis;
}

// Where an end time in minutes since 1970 lies on the time axis, which
// shows local time: the listing's clock, as the grid shows it.
qint64 AxisTime(double minutes) {
  const auto whole = static_cast<qint64>(minutes);
  const qint64 days = whole >= 0 ? whole / 1440 : (whole - 1439) / 1440;
  const int in_day = static_cast<int>(whole - days * 1440);
  const QDate date = QDate(1970, 1, 1).addDays(days);
  return QDateTime(date, QTime(in_day / 60, in_day % 60)).toMSecsSinceEpoch();
}

// AxisTime for the many points of a scatter: a day whose clock runs without
// a jump has its minutes reckoned from its midnight, which is looked up once.
class AxisTimes {
 public:
  qint64 operator()(double minutes) {
    const auto whole = static_cast<qint64>(minutes);
    const qint64 days = whole >= 0 ? whole / 1440 : (whole - 1439) / 1440;
    auto found = days_.find(days);
    if (found == days_.end()) {
      const qint64 midnight = AxisTime(static_cast<double>(days * 1440));
      const bool steady =
          AxisTime(static_cast<double>(days * 1440 + 1439)) - midnight ==
          qint64{1439} * 60000;
      found = days_.emplace(days, steady ? midnight : -1).first;
    }
    if (found->second == -1) return AxisTime(minutes);
    return found->second + (whole - days * 1440) * 60000;
  }

 private:
  // Each day's midnight, or -1 for a day with a jump of the clock.
  std::unordered_map<qint64, qint64> days_;
};

// The inverse of AxisTime: a moment on the time axis in minutes since 1970
// on the listing's clock.
double AxisMinutes(qreal msecs) {
  const QDateTime at =
      QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(msecs));
  const qint64 days = QDate(1970, 1, 1).daysTo(at.date());
  const QTime time = at.time();
  return static_cast<double>(days) * 1440 + time.hour() * 60 + time.minute() +
         time.second() / 60.0;
}

QString TimeFormat(TimeLabels labels) {
  switch (labels) {
    case TimeLabels::kDayAndTime:
      return QStringLiteral("MMM d HH:mm");
    case TimeLabels::kMonthAndYear:
      return QStringLiteral("MMM yyyy");
    case TimeLabels::kDay:
      break;
  }
  return QStringLiteral("MMM d");
}

// A checked row's point is a disc in its icon's colour, framed in black (in
// yellow for the zero-bid icon, as its icon is); white, icon 5's colour,
// is drawn light grey so that it never reads as a ring. An unchecked row's
// point is a small grey ring, whatever its icon.
void StyleScatter(QScatterSeries* series, ScatterKind kind) {
  series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
  if (!kind.checked) {
    series->setName(QString::fromLatin1(kUncheckedName));
    series->setMarkerSize(6);
    series->setBrush(Qt::NoBrush);
    series->setPen(QPen(QColor(140, 140, 140), 1.2));
    return;
  }
  QColor colour =
      kind.icon < 0 ? QColor(160, 160, 160) : RowIconBackground(kind.icon);
  if (colour == Qt::white) colour = QColor(215, 215, 215);
  series->setName(kind.icon < 0
                      ? QString::fromLatin1(kNoIconName)
                      : QString::fromLatin1(kIconName).arg(kind.icon));
  series->setMarkerSize(9);
  series->setColor(colour);
  series->setBorderColor(kind.icon == 0 ? QColor(255, 255, 0) : Qt::black);
}

}  // namespace

MarketWindow::MarketWindow(const MarketWindowParts& parts, QWidget* parent)
    : QDialog(parent, Qt::Window), parts_(parts) {
  setObjectName(QStringLiteral("FrmMarket"));
  setWindowTitle(QString::fromLatin1(kCaption));
  setModal(false);
  resize(1000, 660);

  figures_table_ = new QTableWidget(0, 2, this);
  figures_table_->setObjectName(QStringLiteral("TblFigures"));
  figures_table_->setHorizontalHeaderLabels(
      {QString::fromLatin1(kFigureHeader), QString::fromLatin1(kValueHeader)});
  figures_table_->verticalHeader()->hide();
  figures_table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  figures_table_->setSelectionMode(QAbstractItemView::NoSelection);
  figures_table_->horizontalHeader()->setSectionResizeMode(
      0, QHeaderView::Stretch);
  figures_table_->horizontalHeader()->setSectionResizeMode(
      1, QHeaderView::ResizeToContents);
  figures_table_->setMinimumWidth(280);
  figures_table_->setFocusPolicy(Qt::NoFocus);

  auto* percentile_note =
      new QLabel(QString::fromLatin1(kPercentileNote), this);
  percentile_note->setObjectName(QStringLiteral("LblPercentiles"));
  percentile_note->setWordWrap(true);
  scatter_note_ = new QLabel(this);
  scatter_note_->setObjectName(QStringLiteral("LblScatterNote"));
  scatter_note_->setWordWrap(true);

  save_button_ = new QPushButton(QString::fromLatin1(kSaveChartCaption), this);
  save_button_->setObjectName(QStringLiteral("BtnSaveChart"));
  auto* close_button =
      new QPushButton(QString::fromLatin1(kCloseCaption), this);
  close_button->setObjectName(QStringLiteral("BtnClose"));
  connect(save_button_, &QPushButton::clicked, this,
          [this] { parts_.app.Dispatch([this] { SaveChartClick(); }); });
  connect(close_button, &QPushButton::clicked, this, &QDialog::hide);

  histogram_view_ = new QChartView(new QChart, this);
  histogram_view_->setObjectName(QStringLiteral("ChvHistogram"));
  histogram_view_->setRenderHint(QPainter::Antialiasing);
  scatter_view_ = new QChartView(new QChart, this);
  scatter_view_->setObjectName(QStringLiteral("ChvScatter"));
  scatter_view_->setRenderHint(QPainter::Antialiasing);
  scatter_view_->chart()->legend()->setAlignment(Qt::AlignRight);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(save_button_);
  buttons->addStretch();
  buttons->addWidget(close_button);
  auto* left = new QVBoxLayout;
  left->addWidget(figures_table_, 1);
  left->addWidget(percentile_note);
  left->addWidget(scatter_note_);
  left->addLayout(buttons);
  auto* right = new QVBoxLayout;
  right->addWidget(histogram_view_, 1);
  right->addWidget(scatter_view_, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 0);
  layout->addLayout(right, 1);

  save_settings_.title = kSaveChartTitle;
  save_settings_.filter = kSaveChartFilter;
  save_settings_.default_ext = "png";

  refresh_timer_.setSingleShot(true);
  refresh_timer_.setInterval(kFrameMilliseconds);
  connect(&refresh_timer_, &QTimer::timeout, this,
          [this] { parts_.app.Dispatch([this] { Refresh(); }); });
  // The table's model announces appended rows, changed marks and icons, and
  // replaced rows at screen rate; the window follows while it is shown.
  if (ResultGridModel* model = parts_.table.GridModel()) {
    connect(model, &QAbstractItemModel::rowsInserted, this,
            &MarketWindow::Schedule);
    connect(model, &QAbstractItemModel::modelReset, this,
            &MarketWindow::Schedule);
    connect(model, &QAbstractItemModel::dataChanged, this,
            &MarketWindow::Schedule);
    connect(model, &QAbstractItemModel::layoutChanged, this,
            &MarketWindow::Schedule);
  }
}

MarketWindow::~MarketWindow() = default;

void MarketWindow::Open() {
  if (!isVisible()) show();
  raise();
  activateWindow();
}

void MarketWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  parts_.app.Dispatch([this] { Refresh(); });
}

void MarketWindow::Schedule() {
  // A hidden window catches up when it is shown again.
  if (isVisible() && !refresh_timer_.isActive()) refresh_timer_.start();
}

void MarketWindow::Refresh() {
  refresh_timer_.stop();
  QElapsedTimer took;
  took.start();
  std::vector<double> prices = CheckedPrices(parts_.grid);
  std::vector<double> work = prices;
  const RobustFigures figures = ComputeRobustFigures(work);
  FillTable(figures);
  DrawHistogram(prices, figures);
  DrawScatter();
  // A grid so large that drawing takes longer than a frame is followed
  // less often, so the rows keep arriving at full speed.
  refresh_timer_.setInterval(
      std::max<int>(kFrameMilliseconds, static_cast<int>(took.elapsed())));
}

void MarketWindow::FillTable(const RobustFigures& figures) {
  const std::vector<FigureLine> lines =
      RobustFigureLines(figures, parts_.regional());
  figures_table_->setRowCount(static_cast<int>(lines.size()));
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    const FigureLine& line = lines[static_cast<std::size_t>(i)];
    QString label = QString::fromLatin1(line.label);
    if (label.endsWith(QLatin1Char(':'))) label.chop(1);
    auto* value = new QTableWidgetItem(Text(line.text));
    value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    figures_table_->setItem(i, 0, new QTableWidgetItem(label));
    figures_table_->setItem(i, 1, value);
  }
}

void MarketWindow::DrawHistogram(const std::vector<double>& prices,
                                 const RobustFigures& figures) {
  QChart* chart = histogram_view_->chart();
  ClearChart(chart);
  const PriceHistogram histogram = BuildHistogram(prices, figures);
  chart->setTitle(Text(HistogramTitle(histogram)));
  if (histogram.counts.empty()) return;
  auto* outline = new QLineSeries;
  std::size_t tallest = 0;
  outline->append(histogram.edges.front(), 0);
  for (std::size_t i = 0; i < histogram.counts.size(); ++i) {
    const auto count = static_cast<double>(histogram.counts[i]);
    outline->append(histogram.edges[i], count);
    outline->append(histogram.edges[i + 1], count);
    tallest = std::max(tallest, histogram.counts[i]);
  }
  outline->append(histogram.edges.back(), 0);
  auto* bars = new QAreaSeries(outline);
  // The bars own their outline, so clearing the chart frees both.
  outline->setParent(bars);
  bars->setName(QString::fromLatin1(kRowsAxis));
  bars->setColor(QColor(120, 160, 210));
  bars->setBorderColor(QColor(40, 80, 140));
  chart->addSeries(bars);

  const double top = static_cast<double>(tallest) * 1.1 + 1;
  const auto mark = [&](double price, const char* name, Qt::PenStyle style,
                        QColor colour) {
    if (price < histogram.edges.front() || price > histogram.edges.back()) {
      return;
    }
    auto* line = new QLineSeries;
    line->setName(QString::fromLatin1(name));
    line->append(price, 0);
    line->append(price, top);
    line->setPen(QPen(colour, 2, style));
    chart->addSeries(line);
  };
  mark(*figures.median, kMedianName, Qt::SolidLine, QColor(0, 0, 0));
  mark(*figures.lower_fence, kFenceName, Qt::DashLine, QColor(200, 0, 0));
  mark(*figures.upper_fence, kFenceName, Qt::DashLine, QColor(200, 0, 0));

  QAbstractAxis* x = PriceAxis(parts_.regional(), histogram.log_scale,
                               histogram.edges.front(), histogram.edges.back());
  auto* y = new QValueAxis;
  y->setRange(0, top);
  y->applyNiceNumbers();
  y->setLabelFormat(QStringLiteral("%.0f"));
  y->setTitleText(QString::fromLatin1(kRowsAxis));
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries* series : chart->series()) {
    series->attachAxis(x);
    series->attachAxis(y);
  }
  // The bars need no legend entry; the lines do, once per name.
  const QList<QLegendMarker*> markers = chart->legend()->markers();
  if (!markers.isEmpty()) markers.front()->setVisible(false);
  if (markers.size() > 3) markers[3]->setVisible(false);
}

void MarketWindow::DrawScatter() {
  QChart* chart = scatter_view_->chart();
  ClearChart(chart);
  drawn_.clear();
  chart->setTitle(QString::fromLatin1(kScatterTitle));
  const PriceScatter scatter = BuildScatter(parts_.grid, parts_.clock.Today());
  QStringList notes;
  if (scatter.binned) notes << QString::fromLatin1(kBinnedNote);
  if (scatter.undated > 0) {
    notes << QString::fromLatin1(kUndatedNote).arg(scatter.undated);
  }
  scatter_note_->setText(notes.join(QLatin1Char(' ')));
  if (scatter.points.empty()) return;

  double first = std::numeric_limits<double>::infinity();
  double last = -first;
  double low = first;
  double high = -first;
  for (const ScatterPoint& point : scatter.points) {
    first = std::min(first, point.minutes);
    last = std::max(last, point.minutes);
    low = std::min(low, point.price);
    high = std::max(high, point.price);
  }
  bool unchecked_named = false;
  std::vector<std::pair<QScatterSeries*, QList<QPointF>>> filled;
  AxisTimes axis_time;
  for (ScatterSeries& kind : GroupScatter(scatter)) {
    auto* series = new QScatterSeries;
    StyleScatter(series, kind.kind);
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(kind.points.size()));
    for (const ScatterPoint& point : kind.points) {
      points.append(
          QPointF(static_cast<double>(axis_time(point.minutes)), point.price));
    }
    // Added with one point and filled once the axes are on: the chart
    // styles a series' markers as it takes it, and makes them all again
    // when its markers' shape or size first differ from its defaults and
    // when an axis changes its scale; with one point each costs nothing.
    if (!points.isEmpty()) series->append(points.front());
    chart->addSeries(series);
    filled.push_back({series, std::move(points)});
    QLegendMarker* marker = chart->legend()->markers(series).front();
    // Unchecked rows of every icon look alike: the legend names them once.
    if (!kind.kind.checked) {
      marker->setVisible(!unchecked_named);
      unchecked_named = true;
    }
    // The legend draws its own frames: they are made those of the points.
    marker->setPen(series->pen());
    connect(series, &QScatterSeries::clicked, this,
            [this, series](const QPointF& point) {
              parts_.app.Dispatch([&] { PointClicked(series, point); });
            });
    drawn_.push_back({series, std::move(kind)});
  }
  const TimeAxis time = ScatterTimeAxis(first, last);
  auto* x = new QDateTimeAxis;
  x->setFormat(TimeFormat(time.labels));
  x->setTickCount(time.ticks);
  x->setRange(QDateTime::fromMSecsSinceEpoch(AxisTime(time.from)),
              QDateTime::fromMSecsSinceEpoch(AxisTime(time.to)));
  const PriceRange prices = ScatterPriceRange(low, high, scatter.log_scale);
  QAbstractAxis* y =
      PriceAxis(parts_.regional(), scatter.log_scale, prices.low, prices.high);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries* series : chart->series()) {
    series->attachAxis(x);
    series->attachAxis(y);
  }
  for (const auto& [series, points] : filled) series->replace(points);
}

std::optional<QPoint> MarketWindow::PointOfRow(int row) const {
  for (const DrawnSeries& drawn : drawn_) {
    const auto& points = drawn.kind.points;
    const auto found = std::find_if(
        points.begin(), points.end(),
        [row](const ScatterPoint& point) { return point.row == row; });
    if (found == points.end()) continue;
    const QPointF value =
        drawn.series->at(static_cast<int>(found - points.begin()));
    QChart* chart = scatter_view_->chart();
    const QPointF in_chart = chart->mapToPosition(value, drawn.series);
    return scatter_view_->mapFromScene(chart->mapToScene(in_chart));
  }
  return std::nullopt;
}

PlotScale MarketWindow::ScatterScale() const {
  QChart* chart = scatter_view_->chart();
  PlotScale scale;
  const QRectF plot = chart->plotArea();
  for (QAbstractAxis* axis : chart->axes()) {
    if (const auto* time = qobject_cast<QDateTimeAxis*>(axis)) {
      const double minutes =
          (time->max().toMSecsSinceEpoch() - time->min().toMSecsSinceEpoch()) /
          60000.0;
      scale.per_minute = plot.width() / std::max(minutes, 1.0);
    } else if (const auto* log = qobject_cast<QLogValueAxis*>(axis)) {
      scale.log_scale = true;
      scale.per_price =
          plot.height() / (std::log10(log->max()) - std::log10(log->min()));
    } else if (const auto* value = qobject_cast<QValueAxis*>(axis)) {
      scale.per_price = plot.height() / (value->max() - value->min());
    }
  }
  return scale;
}

void MarketWindow::PointClicked(const QScatterSeries* series,
                                const QPointF& point) {
  if (refresh_timer_.isActive()) {
    // The points are about to move: what was clicked may be another row
    // by now.
    Refresh();
    return;
  }
  for (const DrawnSeries& drawn : drawn_) {
    if (drawn.series != series) continue;
    const std::optional<int> row = NearestRow(
        drawn.kind, AxisMinutes(point.x()), point.y(), ScatterScale());
    ResultGridModel* model = parts_.table.GridModel();
    if (!row || model == nullptr || *row >= parts_.grid.Count()) return;
    model->Flush();
    const QModelIndex index = model->index(*row, 0);
    parts_.table.selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    parts_.table.scrollTo(index, QAbstractItemView::PositionAtCenter);
    return;
  }
}

void MarketWindow::SaveChartClick() {
  if (!parts_.file_dialog.ExecuteSave(save_settings_)) return;
  SaveCharts(save_settings_.file_name);
}

void MarketWindow::SaveCharts(const std::string& file_name) const {
  const QSize top = histogram_view_->size();
  const QSize bottom = scatter_view_->size();
  const QSize size(std::max(top.width(), bottom.width()),
                   top.height() + bottom.height());
  const auto draw = [&](QPainter& painter) {
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    histogram_view_->render(&painter, QRectF(QPointF(0, 0), top),
                            histogram_view_->viewport()->rect());
    scatter_view_->render(&painter, QRectF(QPointF(0, top.height()), bottom),
                          scatter_view_->viewport()->rect());
  };
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QString name = Text(file_name);
  if (name.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QString::fromLatin1(kCaption));
    QPainter painter(&svg);
    draw(painter);
  } else {
    QImage image(size, QImage::Format_ARGB32);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      draw(painter);
    }
    // A picture that cannot be made (no room for it) or encoded is no
    // chart: the file is not written and the user is told.
    if (image.isNull() || !image.save(&buffer, "PNG"))
      throw Error(FormatMessage(kCannotCreateFile, file_name));
  }
  buffer.close();
  WriteFileAtomically(file_name, bytes.toStdString());
}

}  // namespace tolvane::gui
