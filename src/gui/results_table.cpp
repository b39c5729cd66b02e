#include "gui/results_table.h"

#include <QDropEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "gui/fonts.h"
#include "gui/grid_model.h"
#include "gui/row_icons.h"

namespace tolvane::gui {
namespace {

// The local files among the dropped ones that are saved web pages.
QStringList SavedPages(const QMimeData* data) {
  QStringList files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString file = url.toLocalFile();
    if (file.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
        file.endsWith(QLatin1String(".html"), Qt::CaseInsensitive)) {
      files.append(file);
    }
  }
  return files;
}

}  // namespace

ResultsTable::ResultsTable(QWidget* parent) : QTableView(parent) {
  setObjectName(QStringLiteral("ListView1"));
  setFont(FormFont());
  setShowGrid(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setSortingEnabled(false);
  setCornerButtonEnabled(false);
  setIconSize(QSize(kRowIconSize, kRowIconSize));
  setFont(ItemFittingFont());
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  // Saved result pages may be dropped on the rows.
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DropOnly);

  // Every row has the same height and no header measures its contents: a
  // million rows cost no more than a hundred.
  QHeaderView* rows = verticalHeader();
  rows->hide();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setMinimumSectionSize(1);
  rows->setDefaultSectionSize(
      std::max(kRowIconSize + 1, fontMetrics().height() + 3));

  QHeaderView* columns = horizontalHeader();
  columns->setSectionsClickable(true);
  columns->setHighlightSections(false);
  columns->setStretchLastSection(true);
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  connect(columns, &QHeaderView::sectionClicked, this,
          &ResultsTable::ColumnClicked);
}

QFont ResultsTable::ItemFittingFont() const {
  // A ten-digit item number, beside its check box and icon, must fill the
  // Item column without being cut.
  static constexpr const char* kWidestItem = "0000000000";
  QFont font = FormFont();
  for (;;) {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features = QStyleOptionViewItem::HasCheckIndicator |
                      QStyleOptionViewItem::HasDecoration |
                      QStyleOptionViewItem::HasDisplay;
    option.text = QString::fromLatin1(kWidestItem);
    option.decorationSize = iconSize();
    option.font = font;
    option.fontMetrics = QFontMetrics(font);
    const int needed =
        style()
            ->sizeFromContents(QStyle::CT_ItemViewItem, &option, {}, this)
            .width();
    if (needed <= kColumnWidths[0] || font.pixelSize() <= kSmallestPixels) {
      return font;
    }
    font.setPixelSize(font.pixelSize() - 1);
  }
}

void ResultsTable::SetGridModel(ResultGridModel* model, ResultGrid* grid) {
  model_ = model;
  grid_ = grid;
  model->setParent(this);
  setModel(model);
  QHeaderView* columns = horizontalHeader();
  for (int i = 0; i < 4; ++i) {
    columns->setSectionResizeMode(i, QHeaderView::Interactive);
    columns->resizeSection(i, kColumnWidths[i]);
  }
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &ResultsTable::MirrorSelection);
  // The selection model forgets the selection on a reset; the rows keep it.
  connect(model, &QAbstractItemModel::modelAboutToBeReset, this,
          [this] { syncing_ = true; });
  connect(model, &ResultGridModel::RowsReplaced, this,
          &ResultsTable::SelectFromRows);
}

void ResultsTable::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

void ResultsTable::dragEnterEvent(QDragEnterEvent* event) {
  if (SavedPages(event->mimeData()).isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
}

void ResultsTable::dragMoveEvent(QDragMoveEvent* event) {
  if (SavedPages(event->mimeData()).isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
}

void ResultsTable::dropEvent(QDropEvent* event) {
  const QStringList files = SavedPages(event->mimeData());
  if (files.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  emit PagesDropped(files);
}

void ResultsTable::MirrorSelection(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
  if (syncing_ || grid_ == nullptr) return;
  const int count = grid_->Count();
  for (const QItemSelectionRange& range : deselected) {
    for (int row = range.top(); row <= range.bottom() && row < count; ++row) {
      grid_->SetSelected(row, false);
    }
  }
  for (const QItemSelectionRange& range : selected) {
    for (int row = range.top(); row <= range.bottom() && row < count; ++row) {
      grid_->SetSelected(row, true);
    }
  }
}

void ResultsTable::SelectFromRows() {
  if (grid_ == nullptr) return;
  QItemSelection selection;
  const int count = std::min(grid_->Count(), model()->rowCount());
  const int last_column = model()->columnCount() - 1;
  int run_start = -1;
  for (int row = 0; row <= count; ++row) {
    const bool selected = row < count && grid_->Row(row).selected;
    if (selected && run_start < 0) run_start = row;
    if (!selected && run_start >= 0) {
      selection.select(model()->index(run_start, 0),
                       model()->index(row - 1, last_column));
      run_start = -1;
    }
  }
  syncing_ = true;
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  syncing_ = false;
}

}  // namespace tolvane::gui
